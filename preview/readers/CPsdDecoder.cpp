#include "CPsdDecoder.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "ReaderFile.h"

namespace preview {

// Big-endian reads over the document's bytes; running past the end reads zeros
// and is remembered.
class CPsdDecoder::Input {
 public:
  Input(const uint8_t* bytes, uint64_t size) : bytes_(bytes), size_(size) {}
  bool AtEnd() const { return position_ >= size_; }
  bool Overran() const { return overran_; }
  uint64_t Position() const { return position_; }
  uint64_t Left() const { return position_ < size_ ? size_ - position_ : 0; }
  uint32_t BigEndian(unsigned width) {
    uint32_t value = 0;
    for (unsigned i = 0; i < width; ++i) value = (value << 8) | Byte();
    return value;
  }
  uint8_t Byte() {
    if (position_ >= size_) {
      overran_ = true;
      return 0;
    }
    return bytes_[position_++];
  }
  // Copies up to `count` bytes; returns how many there were.
  uint64_t Copy(uint8_t* target, uint64_t count) {
    const uint64_t n = std::min(count, Left());
    if (n > 0) std::memcpy(target, bytes_ + position_, static_cast<size_t>(n));
    position_ += n;
    return n;
  }
  void Skip(uint64_t count) { position_ += std::min(count, Left()); }

 private:
  const uint8_t* bytes_;
  uint64_t size_;
  uint64_t position_ = 0;
  bool overran_ = false;
};

namespace {

constexpr uint8_t kUnsetSample = 254;
constexpr uint64_t kMaxFileBytes = 1024ull * 1024 * 1024;
// Photoshop's own limits (large documents use another version).
constexpr uint32_t kMaxSide = 30000;
constexpr uint16_t kMaxChannels = 56;

uint8_t Clamp(double v) { return static_cast<uint8_t>(std::clamp(v, 0.0, 255.0)); }

PsdRgb CmykToRgb(double c, double m, double y, double k) {
  auto one = [k](double v) { return Clamp(std::floor((1 - (k + (1 - k) * v)) * 255 + 0.5)); };
  return {one(c), one(m), one(y)};
}

}  // namespace

void CPsdDecoder::Reset() {
  channels_ = 0;
  height_ = width_ = 0;
  depth_ = 0;
  mode_ = 0;
  colourData_.clear();
  indexedColours_ = -1;
  resolutionX_ = resolutionY_ = 0;
  hasResolution_ = false;
  pixels_.clear();
}

int32_t CPsdDecoder::Load(const std::filesystem::path& path) {
  std::vector<uint8_t> bytes;
  if (!ReadFileBytes(path, kMaxFileBytes, bytes)) {
    Reset();
    return result_ = kPsdCannotOpen;
  }
  return Decode(bytes.data(), bytes.size());
}

int32_t CPsdDecoder::Decode(const uint8_t* bytes, uint64_t size) {
  Reset();
  Input in(bytes, size);
  const uint32_t signature = in.BigEndian(4);
  const uint32_t version = in.BigEndian(2);
  bool reservedZero = true;
  for (int i = 0; i < 6; ++i) reservedZero = in.Byte() == 0 && reservedZero;
  channels_ = static_cast<uint16_t>(in.BigEndian(2));
  height_ = in.BigEndian(4);
  width_ = in.BigEndian(4);
  depth_ = static_cast<uint16_t>(in.BigEndian(2));
  mode_ = static_cast<int16_t>(in.BigEndian(2));
  if (in.Overran() || signature != 0x38425053 || version != 1 || !reservedZero) return result_ = kPsdBadHeader;
  if (channels_ < 1 || channels_ > kMaxChannels || width_ > kMaxSide || height_ > kMaxSide) {
    return result_ = kPsdBadHeader;
  }

  const uint32_t colourLength = in.BigEndian(4);
  if (in.Overran()) return result_ = kPsdBadColourData;
  if (colourLength > 0) {
    // A short read is not an error: a palette cut short keeps 254 where it ends.
    // Beyond a palette's length no more is held than the file has.
    const uint64_t held = colourLength <= 768 ? colourLength : std::min<uint64_t>(colourLength, in.Left());
    colourData_.assign(static_cast<size_t>(held), kUnsetSample);
    in.Copy(colourData_.data(), colourData_.size());
    in.Skip(colourLength - held);
  }
  if (!ReadImageResources(in)) return result_ = kPsdBadResources;
  in.Skip(in.BigEndian(4));  // layer and mask information
  return result_ = ReadImageData(in);
}

bool CPsdDecoder::ReadImageResources(Input& in) {
  const uint32_t sectionLength = in.BigEndian(4);
  if (in.Overran()) return false;
  const uint64_t start = in.Position();
  while (in.Position() - start < sectionLength && !in.AtEnd()) {
    if (in.BigEndian(4) != 0x3842494D) continue;  // "8BIM"; else the next four bytes
    const uint32_t id = in.BigEndian(2);
    const uint32_t nameLength = in.Byte();
    in.Skip(nameLength % 2 == 0 ? nameLength + 1 : nameLength);
    uint64_t dataSize = in.BigEndian(4);
    if (dataSize % 2 != 0) ++dataSize;
    const uint64_t used = in.Position() - start;
    if (used > sectionLength || dataSize > sectionLength - used) return false;
    const uint64_t dataStart = in.Position();
    if (id == 1005 && dataSize >= 16) {
      resolutionX_ = static_cast<int32_t>(in.BigEndian(2));
      in.Skip(6);
      resolutionY_ = static_cast<int32_t>(in.BigEndian(2));
      hasResolution_ = true;
    } else if (id == 1046 && dataSize >= 2) {
      indexedColours_ = static_cast<int32_t>(in.BigEndian(2));
    }
    // The block is consumed by its size, whatever of it was read.
    in.Skip(dataStart + dataSize - in.Position());
  }
  return !in.Overran() && in.Position() - start == sectionLength;
}

int32_t CPsdDecoder::ReadImageData(Input& in) {
  if (in.AtEnd()) return kPsdOk;
  const uint32_t compression = in.BigEndian(2);
  if (compression == 2) return kPsdZipCompression;
  if (compression == 3) return kPsdZipPredictionCompression;
  if (compression > 1) return kPsdUnknownCompression;
  if (depth_ != 8 && depth_ != 16) {
    // Raw bitmap-mode data is not read; any other depth makes no bitmap.
    return compression == 0 && mode_ == kPsdBitmap ? kPsdOk : kPsdNoBitmap;
  }
  const uint32_t b = depth_ / 8;
  const uint64_t pixels = static_cast<uint64_t>(width_) * height_;
  const uint64_t planeBytes = pixels * b;
  const uint64_t total = planeBytes * channels_;
  if (total > kMaxSampleBytes) return kPsdNoBitmap;

  // The samples are kept plane by plane (as stored), so the conversion reads
  // every channel at the same pixel whatever the mode.
  std::vector<uint8_t> planes(static_cast<size_t>(total), kUnsetSample);
  if (compression == 0) {
    switch (mode_) {
      case kPsdGreyscale: case kPsdDuotone: case kPsdIndexed: case kPsdCmyk: break;
      case kPsdRgb: case kPsdLab:
        // Three colour channels; further (alpha) channels are read and not shown.
        if (channels_ < 3) return kPsdOk;
        break;
      default:
        return kPsdOk;  // raw data of other modes is not read
    }
    // Raw data that ends early gives no picture.
    if (in.Copy(planes.data(), total) != total) return kPsdOk;
  } else {
    in.Skip(2ull * channels_ * height_);  // the row byte counts
    for (uint32_t channel = 0; channel < channels_; ++channel) {
      uint8_t* out = planes.data() + channel * planeBytes;
      uint64_t produced = 0;
      // Each channel is one PackBits stream; samples the input does not reach stay 254.
      while (produced < planeBytes && !in.AtEnd()) {
        const uint8_t control = in.Byte();
        if (control < 128) {
          const uint64_t n = std::min<uint64_t>(control + 1u, planeBytes - produced);
          const uint64_t got = in.Copy(out + produced, n);
          produced += got;
          in.Skip(control + 1u - n);
        } else if (control > 128) {
          const uint64_t n = std::min<uint64_t>(257u - control, planeBytes - produced);
          if (in.AtEnd()) break;
          const uint8_t value = in.Byte();
          std::memset(out + produced, value, static_cast<size_t>(n));
          produced += n;
        }
      }
    }
  }
  if (width_ == 0 || height_ == 0) return kPsdNoBitmap;
  pixels_.assign(static_cast<size_t>(pixels), PsdRgb{255, 255, 255});
  Convert(planes, b);
  return kPsdOk;
}

void CPsdDecoder::Convert(const std::vector<uint8_t>& planes, uint32_t b) {
  const uint64_t count = pixels_.size();
  const uint64_t planeBytes = count * b;
  const double range = std::ldexp(1.0, depth_);  // 256 for 8-bit samples, not 255
  auto sample = [&](uint32_t channel, uint64_t p) -> uint32_t {
    const uint8_t* at = planes.data() + channel * planeBytes + p * b;
    return b == 2 ? static_cast<uint32_t>((at[0] << 8) | at[1]) : at[0];
  };
  auto upper = [&](uint32_t channel, uint64_t p) { return planes[channel * planeBytes + p * b]; };
  for (uint64_t p = 0; p < count; ++p) {
    PsdRgb& pixel = pixels_[p];
    switch (mode_) {
      case kPsdGreyscale:
      case kPsdDuotone: {
        const uint8_t grey = upper(0, p);
        pixel = {grey, grey, grey};
        break;
      }
      case kPsdIndexed:
        if (colourData_.size() != 768 || indexedColours_ <= 0) return;
        pixel = {colourData_[upper(0, p)], colourData_[upper(0, p) + 256u], colourData_[upper(0, p) + 512u]};
        break;
      case kPsdRgb:
        if (channels_ < 3) return;
        pixel = {upper(0, p), upper(1, p), upper(2, p)};
        break;
      case kPsdCmyk:
      case kPsdMultichannel: {
        if (channels_ < 3) return;
        const double k = channels_ >= 4 ? 1 - sample(3, p) / range : 0;
        pixel = CmykToRgb(1 - sample(0, p) / range, 1 - sample(1, p) / range, 1 - sample(2, p) / range, k);
        break;
      }
      case kPsdLab: {
        if (channels_ < 3) return;
        const double l = std::trunc(sample(0, p) / (range * 0.01));
        const double a = std::trunc(sample(1, p) / (range / 256) - 128);
        const double bb = std::trunc(sample(2, p) / (range / 256) - 128);
        pixel = LabToRgb(l, a, bb);
        break;
      }
      default:
        return;
    }
  }
}

PsdRgb CPsdDecoder::LabToRgb(double l, double a, double b) {
  double fy = (l + 16) / 116, fx = fy + a * 0.002, fz = fy - b * 0.005;
  auto f = [](double t) { return t * t * t > 0.008856 ? t * t * t : (t - 16.0 / 116) / 7.787; };
  const double x = f(fx) * 95.047 * 0.01, y = f(fy) * 100 * 0.01, z = f(fz) * 108.883 * 0.01;
  auto gamma = [](double v) {
    v = v > 0.0031308 ? 1.055 * std::pow(v, 1 / 2.4) - 0.055 : 12.92 * v;
    return Clamp(std::trunc(v * 256));
  };
  return {gamma(3.2406 * x - 1.5372 * y - 0.4986 * z), gamma(-0.9689 * x + 1.8758 * y + 0.0415 * z),
          gamma(0.0557 * x - 0.2040 * y + 1.0570 * z)};
}

}  // namespace preview
