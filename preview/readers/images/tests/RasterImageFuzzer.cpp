// PCX, WBMP and PNM decoding of any bytes.
#include "RasterImage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  preview::RasterImage image;
  preview::DecodePcx(data, size, image);
  preview::DecodeWbmp(data, size, image);
  preview::DecodePnm(data, size, image);
  return 0;
}
