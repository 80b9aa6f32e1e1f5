#include "ImageFormat.h"

namespace preview {

namespace {

bool EndsWith(std::u16string_view name, std::u16string_view ending) {
  if (name.size() < ending.size()) return false;
  const std::u16string_view tail = name.substr(name.size() - ending.size());
  for (size_t i = 0; i < ending.size(); ++i) {
    char16_t c = tail[i];
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    if (c != ending[i]) return false;
  }
  return true;
}

struct Ending {
  std::u16string_view text;
  ImageFormat format;
};

// In the order they are tried: "wbmp" before "bmp".
constexpr Ending kEndings[] = {
    {u"wbmp", kImageWbmp}, {u"bmp", kImageBmp},   {u"gif", kImageGif},   {u"jpg", kImageJpeg},
    {u"jpeg", kImageJpeg}, {u"png", kImagePng},   {u"ico", kImageIco},   {u"tif", kImageTiff},
    {u"tiff", kImageTiff}, {u"tga", kImageTga},   {u"pcx", kImagePcx},   {u"wmf", kImageMetafile},
    {u"emf", kImageMetafile}, {u"j2k", kImageJp2}, {u"jp2", kImageJp2}, {u"j2c", kImageJpc},
    {u"jpc", kImageJpc},   {u"pgx", kImagePgx},   {u"pnm", kImagePnm},   {u"pgm", kImagePnm},
    {u"ppm", kImagePnm},   {u"ras", kImageRas},
};

}  // namespace

int ImageFormatOfName(std::u16string_view name) {
  for (const Ending& ending : kEndings) {
    if (EndsWith(name, ending.text)) return ending.format;
  }
  return kImageUnknown;
}

}  // namespace preview
