#include "PreviewDispatch.h"

#include <array>

namespace preview {

namespace {

struct GroupExtensions {
  PreviewGroup group;
  std::array<std::u16string_view, 22> extensions;  // the media group is the largest
};

using S = PreviewSlot;
using F = PreviewFallback;

// In the order the host tries them; the first group holding the extension wins.
// ".dxf" is previewable and belongs to the drawing view.
const GroupExtensions kGroups[] = {
    {{"image", S::kImage, F::kWhenNotOk},
     {u".png", u".j2k", u".jp2", u".j2c", u".jpc", u".jpeg", u".pcx", u".pnm", u".pgm", u".ppm", u".bmp", u".tga",
      u".tif", u".tiff", u".jpg"}},
    {{"picture", S::kPicture, F::kWhenNotOk}, {u".ico", u".emf"}},
    {{"browser", S::kHtml, F::kWhenNotOk}, {u".gif", u".qdoc", u".xls", u".xlsx", u".htm", u".mht"}},
    {{"HTML page", S::kCustomHtml, F::kWhenNotOk}, {u".html"}},
    {{"document", S::kDocument, F::kWhenNotOk}, {u".pdf", u".rtf", u".doc", u".docx"}},
    {{"archive", S::kArchive, F::kWhenNotOk}, {u".zip", u".cab", u".rar"}},
    {{"Photoshop", S::kPsd, F::kWhenNotOk}, {u".psd"}},
    {{"video", S::kAvi, F::kWhenNotOk}, {u".avi"}},
    {{"media", S::kMedia, F::kWhenNotOk},
     {u".wmv", u".asf", u".wm", u".wma", u".wav", u".snd", u".au", u".aif", u".mpeg", u".mpg", u".m1v", u".mp2",
      u".mpa", u".mid", u".rmi", u".midi", u".dvr-ms", u".wvx", u".wmx", u".asx", u".mp3", u".dat"}},
    {{"slides", S::kThumb, F::kSlidesResult}, {u".ppt", u".pptx"}},
    {{"dBase", S::kDbf, F::kWhenNotOk}, {u".dbf"}},
    {{"Access", S::kMdb, F::kAccessResult}, {u".mdb"}},
    {{"source text", S::kDocument, F::kWhenNotOk}, {u".c", u".cpp", u".h", u".hpp"}},
    // A text file that cannot be read gets the no-preview view with its reason, like
    // source text, rather than an empty box.
    {{"plain text", S::kDocument, F::kWhenNotOk}, {u".txt", u".ini", u".xml"}},
    {{"large file", S::kLargeFile, F::kNone}, {kLargeFileExtension}},
    {{"drawing", S::kDxf, F::kWhenNotOk}, {u".dxf"}},
};

}  // namespace

const PreviewGroup* FindPreviewGroup(std::u16string_view extension) {
  if (extension.empty()) return nullptr;
  for (const GroupExtensions& entry : kGroups) {
    for (std::u16string_view candidate : entry.extensions) {
      if (!candidate.empty() && candidate == extension) return &entry.group;
    }
  }
  return nullptr;
}

int IsPreviewableExtension(std::u16string_view extension) { return FindPreviewGroup(extension) != nullptr ? 1 : 0; }

std::u16string PreviewExtensionOf(std::u16string_view fileName, uint64_t fileSize) {
  if (fileSize > kLargeFilePreviewBytes) return std::u16string(kLargeFileExtension);
  const size_t dot = fileName.rfind(u'.');
  if (dot == std::u16string_view::npos) return {};
  std::u16string extension(fileName.substr(dot));
  for (char16_t& c : extension) {
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  }
  return extension;
}

int ChooseNoPreviewBitmap(const PreviewFlags& flags) {
  if (flags.nothingToPreview) return kBitmapNothingToPreview;
  if (flags.lastPreviewable || !flags.previewOk) return kBitmapCorrupted;
  return kBitmapNotSupported;
}

}  // namespace preview
