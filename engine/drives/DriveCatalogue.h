#pragma once
// What the operating system tells about disks and drive letters, behind one small
// interface: the Win32 side asks the devices, tests feed a table.

#include <cstdint>
#include <optional>
#include <string>

namespace engine {

// What the storage descriptor and the geometry query of one physical disk report.
struct PhysicalDiskReport {
  uint32_t BusType = 0;            // STORAGE_BUS_TYPE; 7 is USB
  std::string ProductId;           // the descriptor's product id text
  uint64_t Cylinders = 0;          // geometry; all zero when the query failed
  uint32_t TracksPerCylinder = 0;
  uint32_t SectorsPerTrack = 0;    // 0 when no medium is inserted
};

inline constexpr uint32_t kBusTypeUsb = 7;

// The kinds of drive letter the drive page cares about.
enum class DriveKind { Other, Removable, Fixed, Remote };

class DriveCatalogue {
 public:
  virtual ~DriveCatalogue() = default;
  // "\\.\PhysicalDriveN": nothing when the disk cannot be opened or its
  // storage descriptor cannot be read.
  virtual std::optional<PhysicalDiskReport> QueryPhysicalDisk(uint16_t deviceNumber) = 0;
  // Bit n set for drive letter 'A' + n (GetLogicalDrives).
  virtual uint32_t LogicalDriveMask() = 0;
  virtual DriveKind KindOf(char16_t driveLetter) = 0;
  // Total size of the volume in bytes; nothing when it cannot be read.
  virtual std::optional<uint64_t> TotalBytes(char16_t driveLetter) = 0;
  // Volume label; empty when there is none or it cannot be read.
  virtual std::u16string VolumeLabel(char16_t driveLetter) = 0;
};

}  // namespace engine
