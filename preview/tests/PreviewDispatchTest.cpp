#include <gtest/gtest.h>

#include <set>
#include <string>

#include "ImageFormat.h"
#include "PreviewDispatch.h"

namespace preview {
namespace {

// The previewable extensions as the results list knows them.
const char16_t* const kPreviewable[] = {
    u".bmp", u".png", u".j2k", u".jp2", u".j2c", u".jpc", u".jpg", u".jpeg", u".pcx", u".pnm", u".pgm", u".ppm",
    u".docx", u".tga", u".tif", u".tiff", u".gif", u".html", u".htm", u".qdoc", u".pdf", u".rtf", u".doc", u".xls",
    u".zip", u".cab", u".rar", u".xlsx", u".psd", u".avi", u".wmv", u".asf", u".wm", u".wma", u".wav", u".snd",
    u".au", u".aif", u".mpeg", u".mpg", u".m1v", u".mp2", u".mpa", u".mid", u".rmi", u".midi", u".dvr-ms", u".xml",
    u".wvx", u".wmx", u".asx", u".mp3", u".dat", u".ppt", u".dbf", u".mdb", u".txt", u".c", u".cpp", u".h", u".hpp",
    u".ini", u".dxf", u".largefile", u".ico", u".emf", u".mht", u".pptx"};

TEST(PreviewDispatch, EveryPreviewableExtensionHasAGroup) {
  std::set<std::u16string> distinct(std::begin(kPreviewable), std::end(kPreviewable));
  EXPECT_EQ(distinct.size(), 68u);
  for (const char16_t* extension : kPreviewable) {
    EXPECT_EQ(IsPreviewableExtension(extension), 1);
    EXPECT_NE(FindPreviewGroup(extension), nullptr);
  }
  for (std::u16string_view other : {u".JPG", u"jpg", u"", u".", u".exe", u".jpg ", u".html5", u".7z"}) {
    EXPECT_EQ(IsPreviewableExtension(other), 0);
    EXPECT_EQ(FindPreviewGroup(other), nullptr);
  }
}

TEST(PreviewDispatch, GroupsSlotsAndFallbacks) {
  struct Case { std::u16string_view extension; const char* group; PreviewSlot slot; PreviewFallback fallback; };
  const Case cases[] = {
      {u".jpg", "image", PreviewSlot::kImage, PreviewFallback::kWhenNotOk},
      {u".ico", "picture", PreviewSlot::kPicture, PreviewFallback::kWhenNotOk},
      {u".xlsx", "browser", PreviewSlot::kHtml, PreviewFallback::kWhenNotOk},  // workbooks go to the browser
      {u".html", "HTML page", PreviewSlot::kCustomHtml, PreviewFallback::kWhenNotOk},
      {u".htm", "browser", PreviewSlot::kHtml, PreviewFallback::kWhenNotOk},
      {u".docx", "document", PreviewSlot::kDocument, PreviewFallback::kWhenNotOk},
      {u".rar", "archive", PreviewSlot::kArchive, PreviewFallback::kWhenNotOk},
      {u".psd", "Photoshop", PreviewSlot::kPsd, PreviewFallback::kWhenNotOk},
      {u".avi", "video", PreviewSlot::kAvi, PreviewFallback::kWhenNotOk},
      {u".dvr-ms", "media", PreviewSlot::kMedia, PreviewFallback::kWhenNotOk},
      {u".pptx", "slides", PreviewSlot::kThumb, PreviewFallback::kSlidesResult},
      {u".dbf", "dBase", PreviewSlot::kDbf, PreviewFallback::kWhenNotOk},
      {u".mdb", "Access", PreviewSlot::kMdb, PreviewFallback::kAccessResult},
      {u".hpp", "source text", PreviewSlot::kDocument, PreviewFallback::kWhenNotOk},
      {u".txt", "plain text", PreviewSlot::kDocument, PreviewFallback::kWhenNotOk},
      {u".largefile", "large file", PreviewSlot::kLargeFile, PreviewFallback::kNone},
      {u".dxf", "drawing", PreviewSlot::kDxf, PreviewFallback::kWhenNotOk},
  };
  for (const Case& c : cases) {
    const PreviewGroup* group = FindPreviewGroup(c.extension);
    ASSERT_NE(group, nullptr);
    EXPECT_STREQ(group->name, c.group);
    EXPECT_EQ(group->slot, c.slot);
    EXPECT_EQ(group->fallback, c.fallback);
  }
}

TEST(PreviewDispatch, AViewerMissingFromTheBuildGivesNotSupported) {
  auto allButDrawing = [](PreviewSlot slot) { return slot != PreviewSlot::kDxf; };
  const PreviewDecision drawing = DecidePreview(u".dxf", allButDrawing);
  EXPECT_EQ(drawing.group, nullptr);
  EXPECT_TRUE(drawing.viewerMissing);
  // The host then shows "not supported": the file is not to blame.
  EXPECT_EQ(ChooseNoPreviewBitmap({false, false, true}), kBitmapNotSupported);

  const PreviewDecision table = DecidePreview(u".dbf", allButDrawing);
  ASSERT_NE(table.group, nullptr);
  EXPECT_EQ(table.group->slot, PreviewSlot::kDbf);
  EXPECT_FALSE(DecidePreview(u".exe", allButDrawing).viewerMissing);
}

TEST(PreviewDispatch, NoPreviewBitmapAndLargeFiles) {
  EXPECT_EQ(ChooseNoPreviewBitmap({true, true, false}), kBitmapNothingToPreview);
  EXPECT_EQ(ChooseNoPreviewBitmap({false, true, true}), kBitmapCorrupted);
  EXPECT_EQ(ChooseNoPreviewBitmap({false, false, false}), kBitmapCorrupted);
  EXPECT_EQ(ChooseNoPreviewBitmap({false, false, true}), kBitmapNotSupported);

  EXPECT_EQ(PreviewExtensionOf(u"Photo.JPG", kLargeFilePreviewBytes), u".jpg");
  EXPECT_EQ(PreviewExtensionOf(u"Photo.JPG", kLargeFilePreviewBytes + 1), u".largefile");
  EXPECT_EQ(PreviewExtensionOf(u"archive.tar.GZ", 10), u".gz");
  EXPECT_EQ(PreviewExtensionOf(u"README", 10), u"");
}

TEST(PreviewDispatch, ImageFormatByTheEndOfTheName) {
  const std::pair<std::u16string_view, int> cases[] = {
      {u"a.WBMP", kImageWbmp}, {u"a.bmp", kImageBmp},      {u"a.Jpeg", kImageJpeg}, {u"a.jpg", kImageJpeg},
      {u"a.tiff", kImageTiff}, {u"a.emf", kImageMetafile}, {u"a.wmf", kImageMetafile}, {u"a.jp2", kImageJp2},
      {u"a.jpc", kImageJpc},   {u"a.ppm", kImagePnm},      {u"a.ras", kImageRas},     {u"a.pcx", kImagePcx},
      {u"bmp", kImageBmp},     {u"a.txt", kImageUnknown},  {u"mp", kImageUnknown},    {u"", kImageUnknown},
  };
  for (const auto& [name, format] : cases) {
    EXPECT_EQ(ImageFormatOfName(name), format) << std::string(name.begin(), name.end());
  }
}

}  // namespace
}  // namespace preview
