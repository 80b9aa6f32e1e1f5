#pragma once
// The image library's format number of a file, by the end of its name. The
// program's document answers with it, and the image views pass it to the library.

#include <string_view>

namespace preview {

enum ImageFormat : int {
  kImageUnknown = 0, kImageBmp = 1, kImageGif = 2, kImageJpeg = 3, kImagePng = 4, kImageIco = 5, kImageTiff = 6,
  kImageTga = 7, kImagePcx = 8, kImageWbmp = 9, kImageMetafile = 10, kImageJp2 = 11, kImageJpc = 12,
  kImagePgx = 13, kImagePnm = 14, kImageRas = 15,
};

// The last three and four characters of the name, compared without regard to
// ASCII case; 0 for a name that is no image.
int ImageFormatOfName(std::u16string_view name);

}  // namespace preview
