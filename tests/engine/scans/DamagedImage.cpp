#include "DamagedImage.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace testsupport {
namespace {

class FaultyImageSource final : public engine::SectorSource {
 public:
  FaultyImageSource(std::unique_ptr<engine::SectorSource> image, const std::set<uint64_t>& badSectors)
      : image_(std::move(image)), badSectors_(badSectors) {}

  bool Seek(int64_t distance, engine::SeekMethod method, uint64_t& newPosition) override {
    if (!image_->Seek(distance, method, newPosition)) return false;
    position_ = newPosition;
    return true;
  }
  bool Read(void* buffer, uint32_t byteCount, uint32_t& bytesRead) override {
    bytesRead = 0;
    if (byteCount > 0) {
      const auto first = badSectors_.lower_bound(position_ / 512);
      if (first != badSectors_.end() && *first <= (position_ + byteCount - 1) / 512) return false;
    }
    if (!image_->Read(buffer, byteCount, bytesRead)) return false;
    position_ += bytesRead;
    return true;
  }

 private:
  std::unique_ptr<engine::SectorSource> image_;
  std::set<uint64_t> badSectors_;
  uint64_t position_ = 0;
};

}  // namespace

DamagedImage::DamagedImage(const std::string& imagePath, const std::string& name) {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "pelmo-damaged-images";
  std::filesystem::create_directories(folder);
  path_ = (folder / (name + ".img")).string();
  std::filesystem::copy_file(imagePath, path_, std::filesystem::copy_options::overwrite_existing);
}

std::vector<uint8_t> DamagedImage::Read(uint64_t byteOffset, std::size_t count) const {
  std::ifstream file(path_, std::ios::binary);
  file.seekg(static_cast<std::streamoff>(byteOffset));
  std::vector<uint8_t> bytes(count);
  file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(count));
  if (!file) throw std::runtime_error("cannot read " + path_);
  return bytes;
}

void DamagedImage::Write(uint64_t byteOffset, std::span<const uint8_t> bytes) {
  std::fstream file(path_, std::ios::binary | std::ios::in | std::ios::out);
  file.seekp(static_cast<std::streamoff>(byteOffset));
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!file) throw std::runtime_error("cannot write " + path_);
}

uint32_t DamagedImage::U32(uint64_t byteOffset) const {
  const std::vector<uint8_t> b = Read(byteOffset, 4);
  return b[0] | b[1] << 8 | b[2] << 16 | uint32_t{b[3]} << 24;
}

void DamagedImage::PutU32(uint64_t byteOffset, uint32_t value) {
  const uint8_t b[4] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                        static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
  Write(byteOffset, b);
}

void DamagedImage::PutU64(uint64_t byteOffset, uint64_t value) {
  PutU32(byteOffset, static_cast<uint32_t>(value));
  PutU32(byteOffset + 4, static_cast<uint32_t>(value >> 32));
}

std::unique_ptr<engine::SectorSource> FaultyImageOpener::OpenForReading(const std::u16string& devicePath,
                                                                        engine::DeviceShare share) {
  if (RefuseOpens) return nullptr;
  std::unique_ptr<engine::SectorSource> image = images_.OpenForReading(devicePath, share);
  if (!image) return nullptr;
  return std::make_unique<FaultyImageSource>(std::move(image), BadSectors);
}

}  // namespace testsupport
