#include "RasterImage.h"

#include <algorithm>

namespace preview {

namespace {

constexpr size_t kPcxHeaderSize = 128;
constexpr size_t kPcxPaletteMarkerSize = 769;  // 0x0C and 256 RGB entries at the end
constexpr uint8_t kPcxManufacturer = 0x0A;
// How much larger than the bytes present a picture's data may be: beyond the 63 in
// 2 of a run, and a little more, the header cannot be true.
constexpr uint64_t kMaxExpansion = 32;
constexpr uint64_t kSlackBytes = 4096;

uint32_t Le16(const uint8_t* p) { return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8; }
uint32_t Rgb(uint8_t red, uint8_t green, uint8_t blue) {
  return static_cast<uint32_t>(red) << 16 | static_cast<uint32_t>(green) << 8 | blue;
}

bool SizeAllowed(uint64_t width, uint64_t height) {
  return width != 0 && height != 0 && width * height <= kRasterMaxPixels;
}

// The bit-plane value of pixel x in one plane's row of `bits` bits per pixel.
uint32_t Sample(const uint8_t* row, uint32_t x, uint32_t bits) {
  const uint64_t bit = static_cast<uint64_t>(x) * bits;
  const uint8_t byte = row[bit / 8];
  const uint32_t shift = 8 - bits - static_cast<uint32_t>(bit % 8);
  return (byte >> shift) & ((1u << bits) - 1);
}

}  // namespace

RasterResult DecodePcx(const uint8_t* data, size_t size, RasterImage& image) {
  image = RasterImage{};
  if (data == nullptr || size < kPcxHeaderSize) return RasterResult::kTruncatedHeader;
  if (data[0] != kPcxManufacturer || data[2] > 1) return RasterResult::kBadSignature;
  const bool encoded = data[2] == 1;
  const uint32_t bits = data[3];
  const uint32_t xMin = Le16(data + 4), yMin = Le16(data + 6), xMax = Le16(data + 8), yMax = Le16(data + 10);
  const uint32_t planes = data[65];
  const uint32_t bytesPerLine = Le16(data + 66);
  const bool layoutKnown = (planes == 1 && (bits == 1 || bits == 2 || bits == 4 || bits == 8)) ||
                           (planes == 3 && bits == 8) || (planes == 4 && (bits == 1 || bits == 8));
  if (!layoutKnown) return RasterResult::kUnsupportedLayout;
  if (xMax < xMin || yMax < yMin) return RasterResult::kBadSize;
  const uint64_t width = static_cast<uint64_t>(xMax) - xMin + 1, height = static_cast<uint64_t>(yMax) - yMin + 1;
  // Each plane's row must hold the width's samples.
  if (!SizeAllowed(width, height) || static_cast<uint64_t>(bytesPerLine) * 8 < width * bits) return RasterResult::kBadSize;

  // The whole run-length stream, decoded into planes x rows; runs may cross rows.
  const uint64_t lineBytes = static_cast<uint64_t>(planes) * bytesPerLine;
  if (lineBytes * height > kRasterMaxPixels * 4) return RasterResult::kBadSize;
  // A run holds at most 63 bytes in 2: a picture far larger than its data could
  // ever give is no picture cut short but a false header, and costs no memory.
  if (lineBytes * height > kMaxExpansion * (size - kPcxHeaderSize) + kSlackBytes) return RasterResult::kBadSize;
  std::vector<uint8_t> lines(static_cast<size_t>(lineBytes * height), 0);
  const bool trailingPalette = bits == 8 && planes == 1 && size >= kPcxHeaderSize + kPcxPaletteMarkerSize &&
                               data[size - kPcxPaletteMarkerSize] == 0x0C;
  const size_t dataEnd = trailingPalette ? size - kPcxPaletteMarkerSize : size;
  size_t in = kPcxHeaderSize, out = 0;
  while (out < lines.size() && in < dataEnd) {
    uint8_t value = data[in++];
    size_t count = 1;
    if (encoded && (value & 0xC0) == 0xC0) {
      count = value & 0x3F;
      if (in >= dataEnd) break;
      value = data[in++];
    }
    count = std::min(count, lines.size() - out);
    std::fill_n(lines.begin() + static_cast<ptrdiff_t>(out), count, value);
    out += count;
  }

  // The colours: the 256-entry palette at the end, else the 16 of the header.
  uint32_t palette[256] = {};
  for (int i = 0; i < 16; ++i) palette[i] = Rgb(data[16 + 3 * i], data[17 + 3 * i], data[18 + 3 * i]);
  if (trailingPalette) {
    const uint8_t* entries = data + size - 768;
    for (int i = 0; i < 256; ++i) palette[i] = Rgb(entries[3 * i], entries[3 * i + 1], entries[3 * i + 2]);
  } else if (bits == 8 && planes == 1) {
    for (int i = 0; i < 256; ++i) palette[i] = Rgb(static_cast<uint8_t>(i), static_cast<uint8_t>(i), static_cast<uint8_t>(i));
  } else if (bits == 1 && planes == 1) {
    palette[0] = Rgb(0, 0, 0);
    palette[1] = Rgb(255, 255, 255);
  }

  image.width = static_cast<uint32_t>(width);
  image.height = static_cast<uint32_t>(height);
  image.pixels.assign(static_cast<size_t>(width * height), 0);
  for (uint32_t y = 0; y < image.height; ++y) {
    const uint8_t* line = lines.data() + static_cast<size_t>(y) * lineBytes;
    uint32_t* row = image.pixels.data() + static_cast<size_t>(y) * image.width;
    for (uint32_t x = 0; x < image.width; ++x) {
      if (planes >= 3 && bits == 8) {
        row[x] = Rgb(line[x], line[bytesPerLine + x], line[2 * bytesPerLine + x]);
      } else if (planes == 4 && bits == 1) {
        uint32_t index = 0;
        for (uint32_t plane = 0; plane < 4; ++plane) index |= Sample(line + plane * bytesPerLine, x, 1) << plane;
        row[x] = palette[index];
      } else {
        row[x] = palette[Sample(line, x, bits)];
      }
    }
  }
  return RasterResult::kOk;
}

RasterResult DecodeWbmp(const uint8_t* data, size_t size, RasterImage& image) {
  image = RasterImage{};
  size_t in = 0;
  // Multi-byte integers: seven bits a byte, the high bit saying more follow.
  auto readNumber = [&](uint64_t& value) {
    value = 0;
    for (int count = 0; count < 5; ++count) {
      if (in >= size) return false;
      const uint8_t byte = data[in++];
      value = value << 7 | (byte & 0x7F);
      if ((byte & 0x80) == 0) return true;
    }
    return false;
  };
  uint64_t type = 0, width = 0, height = 0;
  if (data == nullptr || !readNumber(type)) return RasterResult::kTruncatedHeader;
  if (type != 0) return RasterResult::kBadSignature;
  if (in >= size) return RasterResult::kTruncatedHeader;
  if ((data[in++] & 0x9F) != 0) return RasterResult::kBadSignature;  // fixed header without extensions
  if (!readNumber(width) || !readNumber(height)) return RasterResult::kTruncatedHeader;
  if (!SizeAllowed(width, height)) return RasterResult::kBadSize;
  const size_t rowBytes = static_cast<size_t>((width + 7) / 8);
  if (rowBytes * height > kMaxExpansion * (size - in) + kSlackBytes) return RasterResult::kBadSize;
  image.width = static_cast<uint32_t>(width);
  image.height = static_cast<uint32_t>(height);
  image.pixels.assign(static_cast<size_t>(width * height), 0);
  for (uint32_t y = 0; y < image.height; ++y) {
    for (uint32_t x = 0; x < image.width; ++x) {
      const size_t at = in + static_cast<size_t>(y) * rowBytes + x / 8;
      if (at >= size) return RasterResult::kOk;  // the rest stays black
      if ((data[at] >> (7 - x % 8)) & 1) image.pixels[static_cast<size_t>(y) * image.width + x] = 0xFFFFFF;
    }
  }
  return RasterResult::kOk;
}

namespace {

// The text header of a portable any-map: numbers in decimal between white space,
// with comments from "#" to the end of the line.
class PnmHeaderReader {
 public:
  PnmHeaderReader(const uint8_t* data, size_t size, size_t at) : data_(data), size_(size), at_(at) {}

  bool Number(uint64_t& value) {
    SkipSpaceAndComments();
    value = 0;
    const size_t start = at_;
    while (at_ < size_ && data_[at_] >= '0' && data_[at_] <= '9') {
      value = value * 10 + (data_[at_++] - '0');
      if (value > 0xFFFFFFFFull) return false;  // no real size or sample is that large
    }
    return at_ > start;
  }
  // A single digit of a P1 picture, which may stand without space around it.
  bool Bit(uint32_t& value) {
    SkipSpaceAndComments();
    if (at_ >= size_ || (data_[at_] != '0' && data_[at_] != '1')) return false;
    value = data_[at_++] - '0';
    return true;
  }
  // The one white-space byte that ends the header of a binary picture.
  bool EndOfHeader() {
    if (at_ >= size_ || !IsSpace(data_[at_])) return false;
    ++at_;
    return true;
  }
  size_t Offset() const { return at_; }

 private:
  static bool IsSpace(uint8_t c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }
  void SkipSpaceAndComments() {
    while (at_ < size_) {
      if (IsSpace(data_[at_])) {
        ++at_;
      } else if (data_[at_] == '#') {
        while (at_ < size_ && data_[at_] != '\n' && data_[at_] != '\r') ++at_;
      } else {
        break;
      }
    }
  }

  const uint8_t* data_;
  size_t size_;
  size_t at_;
};

}  // namespace

RasterResult DecodePnm(const uint8_t* data, size_t size, RasterImage& image) {
  image = RasterImage{};
  if (data == nullptr || size < 3) return RasterResult::kTruncatedHeader;
  if (data[0] != 'P' || data[1] < '1' || data[1] > '6') return RasterResult::kBadSignature;
  const int kind = data[1] - '0';
  const bool binary = kind >= 4;
  const bool bitmap = kind == 1 || kind == 4;
  const uint32_t channels = kind == 3 || kind == 6 ? 3 : 1;
  PnmHeaderReader header(data, size, 2);
  uint64_t width = 0, height = 0, maxValue = 1;
  if (!header.Number(width) || !header.Number(height)) return RasterResult::kTruncatedHeader;
  if (!bitmap && !header.Number(maxValue)) return RasterResult::kTruncatedHeader;
  if (maxValue == 0 || maxValue > 65535) return RasterResult::kUnsupportedLayout;
  if (!SizeAllowed(width, height)) return RasterResult::kBadSize;
  if (binary && !header.EndOfHeader()) return RasterResult::kTruncatedHeader;

  // Every sample takes at least one byte of text, or its share of a binary row: a
  // header that claims far more than the bytes present is false.
  const uint64_t sampleBytes = maxValue > 255 ? 2 : 1;
  const uint64_t rowBytes = bitmap ? (width + 7) / 8 : width * channels * sampleBytes;
  const uint64_t needed = binary ? rowBytes * height : width * height * channels;
  if (needed > kMaxExpansion * (size - header.Offset()) + kSlackBytes) return RasterResult::kBadSize;

  image.width = static_cast<uint32_t>(width);
  image.height = static_cast<uint32_t>(height);
  image.pixels.assign(static_cast<size_t>(width * height), 0);
  const size_t start = header.Offset();
  auto scaled = [maxValue](uint64_t sample) {
    return static_cast<uint8_t>(std::min<uint64_t>(sample, maxValue) * 255 / maxValue);
  };
  // A sample of a binary row, or false where the data has ended (the rest stays black).
  auto binarySample = [&](uint64_t at, uint64_t& sample) {
    if (at + sampleBytes > size) return false;
    sample = sampleBytes == 2 ? static_cast<uint64_t>(data[at]) << 8 | data[at + 1] : data[at];
    return true;
  };
  for (uint32_t y = 0; y < image.height; ++y) {
    uint32_t* row = image.pixels.data() + static_cast<size_t>(y) * image.width;
    const uint64_t rowStart = start + y * rowBytes;
    for (uint32_t x = 0; x < image.width; ++x) {
      if (bitmap) {
        uint32_t bit = 0;
        if (binary) {
          const uint64_t at = rowStart + x / 8;
          if (at >= size) return RasterResult::kOk;
          bit = (data[at] >> (7 - x % 8)) & 1;
        } else if (!header.Bit(bit)) {
          return RasterResult::kOk;
        }
        row[x] = bit != 0 ? 0 : 0xFFFFFF;  // 1 is ink
        continue;
      }
      uint64_t samples[3] = {};
      for (uint32_t c = 0; c < channels; ++c) {
        const bool read = binary ? binarySample(rowStart + (static_cast<uint64_t>(x) * channels + c) * sampleBytes,
                                                samples[c])
                                 : header.Number(samples[c]);
        if (!read) return RasterResult::kOk;
      }
      row[x] = channels == 3 ? Rgb(scaled(samples[0]), scaled(samples[1]), scaled(samples[2]))
                             : Rgb(scaled(samples[0]), scaled(samples[0]), scaled(samples[0]));
    }
  }
  return RasterResult::kOk;
}

}  // namespace preview
