#pragma once
// Disks and drive letters as Windows reports them.

#include "drives/DriveCatalogue.h"

namespace platform {

class Win32DriveCatalogue final : public engine::DriveCatalogue {
 public:
  std::optional<engine::PhysicalDiskReport> QueryPhysicalDisk(uint16_t deviceNumber) override;
  uint32_t LogicalDriveMask() override;
  engine::DriveKind KindOf(char16_t driveLetter) override;
  std::optional<uint64_t> TotalBytes(char16_t driveLetter) override;
  std::u16string VolumeLabel(char16_t driveLetter) override;
};

// The product id of a storage device descriptor held in `descriptor` (the bytes
// the query returned): empty when its offset or text falls outside them.
std::string ProductIdFromDescriptor(const uint8_t* descriptor, size_t byteCount);

}  // namespace platform
