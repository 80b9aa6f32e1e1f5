#pragma once
// Damage done to a copy of a real test image: bytes overwritten in the copy, and
// sectors that a device opened over it refuses to read, as a failing disk does.

#include <cstdint>
#include <memory>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "SectorSource.h"
#include "posix/ImageFileSource.h"

namespace testsupport {

// A fresh copy of `imagePath` in a temporary folder, named `name`.img.
class DamagedImage {
 public:
  DamagedImage(const std::string& imagePath, const std::string& name);
  const std::string& Path() const { return path_; }

  std::vector<uint8_t> Read(uint64_t byteOffset, std::size_t count) const;
  void Write(uint64_t byteOffset, std::span<const uint8_t> bytes);
  void WriteByte(uint64_t byteOffset, uint8_t value) { Write(byteOffset, std::span<const uint8_t>(&value, 1)); }
  uint32_t U32(uint64_t byteOffset) const;
  void PutU32(uint64_t byteOffset, uint32_t value);
  void PutU64(uint64_t byteOffset, uint64_t value);

 private:
  std::string path_;
};

// Opens image files like platform::ImageDeviceOpener; a read that touches one of
// BadSectors fails as a whole.
class FaultyImageOpener final : public engine::DeviceOpener {
 public:
  void Map(const std::u16string& devicePath, const std::string& imagePath) { images_.Map(devicePath, imagePath); }
  std::unique_ptr<engine::SectorSource> OpenForReading(const std::u16string& devicePath,
                                                       engine::DeviceShare share) override;
  std::set<uint64_t> BadSectors;
  bool RefuseOpens = false;  // as a drive that cannot be opened

 private:
  platform::ImageDeviceOpener images_;
};

}  // namespace testsupport
