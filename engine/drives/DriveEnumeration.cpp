#include "drives/DriveEnumeration.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "LeBytes.h"
#include "SectorReader.h"
#include "drives/SectorRange.h"

namespace engine {
namespace {

// Drive A: is the floppy drive; network drives are listed.
bool IsListedKind(char16_t letter, DriveKind kind) {
  switch (kind) {
    case DriveKind::Fixed:
    case DriveKind::Remote:
      return true;
    case DriveKind::Removable:
      return letter != u'A';
    case DriveKind::Other:
      return false;
  }
  return false;
}

PhysicalDriveEntry EntryFromReport(const PhysicalDiskReport& report, uint16_t deviceNumber) {
  PhysicalDriveEntry entry;
  entry.DeviceNumber = deviceNumber;
  if (report.SectorsPerTrack == 0) {
    entry.Model = kMediaMissingModel;
    return entry;
  }
  entry.Cylinders = static_cast<uint32_t>(report.Cylinders);
  entry.Heads = report.TracksPerCylinder;
  entry.SectorsPerTrack = report.SectorsPerTrack;
  // The table keeps 32 bits: a disk beyond them is marked, and its ranges that
  // reach that far are refused (SectorRange.h), never wrapped.
  const uint64_t perCylinder = uint64_t{report.TracksPerCylinder} * report.SectorsPerTrack;
  const uint64_t totalSectors =
      report.Cylinders <= UINT64_MAX / perCylinder ? report.Cylinders * perCylinder : UINT64_MAX;
  entry.TotalSectors = SaturatedSectorCount(totalSectors);
  entry.BeyondSectorFields = totalSectors > UINT32_MAX;
  entry.Model = report.BusType == kBusTypeUsb ? std::string(kUsbDeviceModel) : report.ProductId;
  return entry;
}

}  // namespace

void InitDiskAccess(EngineContext& ctx, DriveCatalogue& catalogue) {
  ApplyDefaultRecoverySettings(ctx.RecoverySettings);
  ProbePhysicalDisks(ctx, catalogue);
  ctx.Host->DriveTreeExpandRoot();
}

void ProbePhysicalDisks(EngineContext& ctx, DriveCatalogue& catalogue) {
  ctx.PhysicalDriveCount = 0;
  ctx.PhysicalDriveTable = {};
  // Only "\\.\PhysicalDrive0" to "\\.\PhysicalDrive9" can be read later, so only
  // those are listed.
  for (uint16_t n = 0; n < kMaxPhysicalDrives && ctx.PhysicalDriveCount < kMaxPhysicalDrives; ++n) {
    const std::optional<PhysicalDiskReport> report = catalogue.QueryPhysicalDisk(n);
    if (!report) continue;
    ctx.PhysicalDriveTable[static_cast<std::size_t>(ctx.PhysicalDriveCount)] = EntryFromReport(*report, n);
    ++ctx.PhysicalDriveCount;
  }
}

const PhysicalDriveEntry* FindPhysicalDrive(const EngineContext& ctx, uint16_t deviceNumber) {
  const int count = std::clamp(ctx.PhysicalDriveCount, 0, kMaxPhysicalDrives);
  for (int i = 0; i < count; ++i) {
    if (ctx.PhysicalDriveTable[static_cast<std::size_t>(i)].DeviceNumber == deviceNumber)
      return &ctx.PhysicalDriveTable[static_cast<std::size_t>(i)];
  }
  return nullptr;
}

bool ProbeBootSector(EngineContext& ctx, const std::u16string& devicePath, std::span<uint8_t, kSectorSize> bootSector) {
  std::fill(bootSector.begin(), bootSector.end(), uint8_t{0});
  ctx.SourceDevice.VolumeHandle.reset();
  ctx.SourceDevice.VolumeHandle = ctx.Devices->OpenForReading(devicePath, DeviceShare::ReadWrite);
  if (!ctx.SourceDevice.VolumeHandle) return false;
  const bool read = ReadVolumeSectors(ctx, 0, 1, bootSector);
  ctx.SourceDevice.VolumeHandle.reset();
  return read;
}

uint16_t ClassifyBootSector(std::span<const uint8_t> bootSector) {
  if (BytesAre(bootSector, 3, "NTFS")) return kFileSystemNtfs;
  if (BytesAre(bootSector, 57, "16")) return kFileSystemFat16;
  if (BytesAre(bootSector, 85, "32")) return kFileSystemFat32;
  return kFileSystemUnknown;
}

std::string LogicalDriveTreePath(const std::u16string& rootPath) {
  const char letter = rootPath.empty() ? '?' : static_cast<char>(rootPath[0]);
  return std::string("My Computer\\Logical Devices\\Logical Drives ") + letter + ": \\";
}

void EnumerateLogicalDrives(EngineContext& ctx, DriveCatalogue& catalogue) {
  ctx.LogicalDriveCount = 0;
  const uint32_t mask = catalogue.LogicalDriveMask();
  for (int n = 0; n < kMaxLogicalDrives; ++n) {
    if ((mask & (uint32_t{1} << n)) == 0) continue;
    const char16_t letter = static_cast<char16_t>(u'A' + n);
    if (!IsListedKind(letter, catalogue.KindOf(letter))) continue;

    LogicalDriveEntry entry;
    entry.RootPath = std::u16string{letter, u':', u'\\'};
    entry.FileSystemCode = kFileSystemUnknown;
    const std::optional<uint64_t> totalBytes = catalogue.TotalBytes(letter);
    if (totalBytes && *totalBytes != 0) {
      entry.SectorCount = *totalBytes / kSectorSize;
      entry.Label = catalogue.VolumeLabel(letter);
      std::array<uint8_t, kSectorSize> bootSector{};
      // A boot sector that cannot be read, or shows no known text, leaves the
      // drive unknown (400) so that no scan runs on bytes that were never read.
      if (ProbeBootSector(ctx, VolumeDevicePath(letter), bootSector)) {
        entry.FileSystemCode = ClassifyBootSector(bootSector);
        if (entry.FileSystemCode != kFileSystemUnknown) entry.SectorsPerCluster = bootSector[13];
      }
    }

    const uint16_t index = ctx.LogicalDriveCount;
    // The partition table has room for fewer entries than there are drive letters.
    if (index < kPartitionTableSize) {
      ctx.PartitionTable[index].SectorCount = SaturatedSectorCount(entry.SectorCount);
      ctx.PartitionTable[index].FileSystemCode = entry.FileSystemCode;
    }
    ctx.LogicalDriveTable[index] = std::move(entry);
    ++ctx.LogicalDriveCount;
  }
  for (uint16_t i = 0; i < ctx.LogicalDriveCount; ++i)
    ctx.Host->DriveTreeAddPath(LogicalDriveTreePath(ctx.LogicalDriveTable[i].RootPath));
  ctx.Host->DriveTreeExpandRoot();
}

}  // namespace engine
