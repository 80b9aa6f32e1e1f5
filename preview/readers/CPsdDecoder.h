#pragma once
// Decodes the composite image of a Photoshop document (the merged image data at
// the end of the file) into 24-bit pixels. Layers, masks and the thumbnail are read
// past. The view turns the pixels into a bitmap and stretches it over its area.

#include <cstdint>
#include <filesystem>
#include <vector>

namespace preview {

enum PsdResult : int32_t {
  kPsdOk = 0,
  kPsdCannotOpen = -1,
  kPsdBadHeader = -2,
  kPsdBadColourData = -3,
  kPsdBadResources = -4,
  kPsdBadImageData = -6,
  kPsdNoBitmap = -9,
  kPsdZipCompression = -10,
  kPsdZipPredictionCompression = -11,
  kPsdUnknownCompression = -12,
};

enum PsdColourMode : int16_t {
  kPsdBitmap = 0, kPsdGreyscale = 1, kPsdIndexed = 2, kPsdRgb = 3, kPsdCmyk = 4,
  kPsdMultichannel = 7, kPsdDuotone = 8, kPsdLab = 9,
};

struct PsdRgb {
  uint8_t red, green, blue;
  bool operator==(const PsdRgb&) const = default;
};

class CPsdDecoder {
 public:
  // No more samples than this are held, whatever the header claims.
  static constexpr uint64_t kMaxSampleBytes = 256ull * 1024 * 1024;

  int32_t Load(const std::filesystem::path& path);
  // Decodes a document held in memory (what Load does after reading the file).
  int32_t Decode(const uint8_t* bytes, uint64_t size);

  // The picture, rows from the top, width x height pixels; empty when there is none.
  bool HasPicture() const { return !pixels_.empty(); }
  const std::vector<PsdRgb>& Pixels() const { return pixels_; }
  uint32_t Width() const { return width_; }
  uint32_t Height() const { return height_; }
  // Pixels per metre for the bitmap: 3780 unless the document gives its resolution.
  int32_t PixelsPerMetreX() const { return hasResolution_ ? 10000 * resolutionX_ / 254 : 3780; }
  int32_t PixelsPerMetreY() const { return hasResolution_ ? 10000 * resolutionY_ / 254 : 3780; }
  int32_t LastResult() const { return result_; }

  static PsdRgb LabToRgb(double l, double a, double b);

 private:
  class Input;
  void Reset();
  int32_t ReadImageData(Input& in);
  bool ReadImageResources(Input& in);
  void Convert(const std::vector<uint8_t>& planes, uint32_t bytesPerSample);

  uint16_t channels_ = 0;
  uint32_t height_ = 0, width_ = 0;
  uint16_t depth_ = 0;
  int16_t mode_ = 0;
  std::vector<uint8_t> colourData_;
  int32_t indexedColours_ = -1;
  int32_t resolutionX_ = 0, resolutionY_ = 0;
  bool hasResolution_ = false;
  std::vector<PsdRgb> pixels_;
  int32_t result_ = 0;
};

}  // namespace preview
