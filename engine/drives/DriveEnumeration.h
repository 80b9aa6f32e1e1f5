#pragma once
// Filling the drive page's tables: the physical disks that answer, the logical
// drives with their boot-sector facts, and the drive tree's paths.

#include <cstdint>
#include <span>
#include <string>

#include "EngineContext.h"
#include "drives/DriveCatalogue.h"

namespace engine {

inline constexpr char kMediaMissingModel[] = "Media missing or not inserted";
inline constexpr char kUsbDeviceModel[] = "USB Device";

// Sets the recovery-setting defaults, probes the physical disks, expands the tree.
void InitDiskAccess(EngineContext& ctx, DriveCatalogue& catalogue);

// Fills PhysicalDriveTable with the disks that answer, in device order, each
// with its own device number.
void ProbePhysicalDisks(EngineContext& ctx, DriveCatalogue& catalogue);

// The table entry of the disk "\\.\PhysicalDriveN"; null when it did not answer.
const PhysicalDriveEntry* FindPhysicalDrive(const EngineContext& ctx, uint16_t deviceNumber);

// Fills LogicalDriveTable (and the code and size of the matching PartitionTable
// entries) and adds each drive to the drive tree.
void EnumerateLogicalDrives(EngineContext& ctx, DriveCatalogue& catalogue);

// Reads sector 0 of a volume device into `bootSector` (zeros when it cannot be
// read), opening and closing SourceDevice.VolumeHandle. True when it was read.
bool ProbeBootSector(EngineContext& ctx, const std::u16string& devicePath, std::span<uint8_t, kSectorSize> bootSector);

// The file-system code a boot sector's texts show: "NTFS" at 3, "16" at 57-58,
// "32" at 85-86; kFileSystemUnknown for anything else.
uint16_t ClassifyBootSector(std::span<const uint8_t> bootSector);

// "My Computer\Logical Devices\Logical Drives X: \" for the root path "X:\".
std::string LogicalDriveTreePath(const std::u16string& rootPath);

}  // namespace engine
