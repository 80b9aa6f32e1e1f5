#pragma once
// What the drive page lists: the physical disks that answered and the logical drives.

#include <array>
#include <cstdint>
#include <string>

namespace engine {

inline constexpr int kMaxLogicalDrives = 26;

// One physical disk, in the order the disks answered.
struct PhysicalDriveEntry {
  uint32_t Cylinders = 0;        // low 32 bits of the geometry's cylinder count
  uint32_t Heads = 0;            // tracks per cylinder
  uint32_t SectorsPerTrack = 0;
  uint32_t TotalSectors = 0;     // Cylinders x Heads x SectorsPerTrack (the Extensive Scan range)
  bool BeyondSectorFields = false;  // more sectors than 32 bits hold: TotalSectors is 0xFFFFFFFF
  std::string Model;             // product id, "USB Device" or "Media missing or not inserted"
  // The N of "\\.\PhysicalDriveN": numbering may have gaps, so the table position
  // is not the device number.
  uint16_t DeviceNumber = 0;
};

// One logical drive.
struct LogicalDriveEntry {
  std::u16string Label;          // empty when the size is unknown
  std::u16string RootPath;       // "X:\"
  uint64_t SectorCount = 0;      // total bytes / 512; 0 when unknown
  uint16_t SectorsPerCluster = 0;  // boot-sector byte 13; 0 when unknown
  uint16_t FileSystemCode = 0;   // 100, 200, 300, or 400 when unknown
};

using PhysicalDriveTableRecord = std::array<PhysicalDriveEntry, 10>;
using LogicalDriveTableRecord = std::array<LogicalDriveEntry, kMaxLogicalDrives>;

}  // namespace engine
