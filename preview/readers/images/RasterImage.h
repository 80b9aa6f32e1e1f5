#pragma once
// The program's own decoders of raster formats the imaging component of Windows
// does not read: PCX (ZSoft Paintbrush, run-length encoded, 1 to 8 bits in 1 to 4
// planes), WBMP (wireless bitmap, type 0: one bit per pixel) and the portable
// any-maps (PBM, PGM, PPM: P1 to P6, text or binary, samples up to 16 bits). All
// give top-down rows of 32-bit pixels (blue, green, red, unused), like the image
// layer.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace preview {

struct RasterImage {
  uint32_t width = 0;
  uint32_t height = 0;
  std::vector<uint32_t> pixels;  // 0x00RRGGBB, rows from the top
};

enum class RasterResult {
  kOk,
  kTruncatedHeader,
  kBadSignature,     // not a PCX manufacturer byte / not WBMP type 0 / not P1 to P6
  kUnsupportedLayout,
  kBadSize,          // zero, inverted or beyond the pixel cap
};

// No image of more pixels than this is decoded.
constexpr uint64_t kRasterMaxPixels = 64ull * 1024 * 1024;

// Image data that ends early leaves the rest of the picture black; the picture is
// still given, as a damaged photo is better seen in part. A header that claims far
// more than its data could ever hold is refused (kBadSize) before anything is made.
RasterResult DecodePcx(const uint8_t* data, size_t size, RasterImage& image);
RasterResult DecodeWbmp(const uint8_t* data, size_t size, RasterImage& image);
RasterResult DecodePnm(const uint8_t* data, size_t size, RasterImage& image);

}  // namespace preview
