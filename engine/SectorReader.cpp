#include "SectorReader.h"

#include <algorithm>
#include <cstring>

namespace engine {
namespace {

// One read call at a byte position. A short read counts as a failure: the bytes
// that did not arrive must not pass for sector contents.
bool ReadAt(SectorSource& source, uint64_t byteOffset, uint8_t* buffer, uint32_t byteCount) {
  if (byteOffset > static_cast<uint64_t>(INT64_MAX)) return false;
  if (SeekHandle(source, static_cast<int64_t>(byteOffset), SeekMethod::Begin) < 0) return false;
  uint32_t bytesRead = 0;
  return source.Read(buffer, byteCount, bytesRead) && bytesRead == byteCount;
}

// Reads a run of sectors in one call; after a failure, sector by sector with
// `attempts` tries each. Sectors that stay unreadable are zeros in the buffer.
// The result is that of the last read call: true when the final sector was read.
bool ReadRun(EngineContext& ctx, SectorSource& source, uint64_t firstSector, uint32_t count,
             uint8_t* buffer, uint16_t attempts) {
  if (ReadAt(source, firstSector * kSectorSize, buffer, count * kSectorSize)) return true;

  bool lastReadSucceeded = false;
  for (uint64_t i = 0; i < count; ++i) {
    uint8_t* sector = buffer + i * kSectorSize;
    bool sectorRead = false;
    for (uint16_t attempt = 0; attempt < attempts && !sectorRead; ++attempt) {
      sectorRead = ReadAt(source, (firstSector + i) * kSectorSize, sector, kSectorSize);
    }
    if (!sectorRead) {
      std::memset(sector, 0, kSectorSize);
      ctx.ReadStats.UnreadableSectors.fetch_add(1);
    }
    lastReadSucceeded = sectorRead;
  }
  return lastReadSucceeded;
}

// The run must fit the buffer and the 64-bit byte range of the source.
bool RunIsAddressable(uint64_t firstSector, uint32_t count, std::span<uint8_t> buffer) {
  if (count == 0 || buffer.size() / kSectorSize < count) return false;
  return firstSector <= (static_cast<uint64_t>(INT64_MAX) / kSectorSize) - count;
}

}  // namespace

std::u16string PhysicalDrivePath(uint16_t driveNumber) {
  if (driveNumber >= kMaxPhysicalDrives) return {};
  return std::u16string(u"\\\\.\\PhysicalDrive") + static_cast<char16_t>(u'0' + driveNumber);
}

std::u16string VolumeDevicePath(char16_t driveLetter) {
  return std::u16string(u"\\\\.\\") + driveLetter + u':';
}

bool ReadSectors(EngineContext& ctx, uint64_t firstSector, uint32_t count, std::span<uint8_t> buffer) {
  if (ctx.SourceDevice.SourceKind == kSourceLogicalDrive) {
    return ReadVolumeSectors(ctx, firstSector, count, buffer);
  }
  if (!RunIsAddressable(firstSector, count, buffer)) return false;
  SectorSource* disk = ctx.SourceDevice.DiskHandle.get();
  if (disk == nullptr) {
    std::memset(buffer.data(), 0, static_cast<size_t>(count) * kSectorSize);
    return false;
  }
  return ReadRun(ctx, *disk, firstSector, count, buffer.data(), ctx.RecoverySettings.BadSectorRetries);
}

bool ReadVolumeSectors(EngineContext& ctx, uint64_t firstSector, uint32_t count, std::span<uint8_t> buffer) {
  if (!RunIsAddressable(firstSector, count, buffer) || count > kMaxVolumeSectorsPerRead) return false;
  SectorSource* volume = ctx.SourceDevice.VolumeHandle.get();
  if (volume == nullptr) {
    std::memset(buffer.data(), 0, static_cast<size_t>(count) * kSectorSize);
    return false;
  }
  return ReadRun(ctx, *volume, firstSector, count, buffer.data(), ctx.RecoverySettings.BadSectorRetries);
}

SectorSource* OpenPhysicalDrive(EngineContext& ctx) {
  ctx.SourceDevice.DiskHandle.reset();
  const std::u16string path = PhysicalDrivePath(ctx.SourceDevice.DriveNumber);
  if (path.empty()) return nullptr;
  ctx.SourceDevice.DiskHandle = ctx.Devices->OpenForReading(path, DeviceShare::ReadOnly);
  return ctx.SourceDevice.DiskHandle.get();
}

SectorSource* OpenLogicalVolume(EngineContext& ctx, char16_t driveLetter) {
  ctx.SourceDevice.VolumeHandle.reset();
  ctx.SourceDevice.VolumeHandle = ctx.Devices->OpenForReading(VolumeDevicePath(driveLetter), DeviceShare::ReadWrite);
  return ctx.SourceDevice.VolumeHandle.get();
}

bool OpenChosenLogicalDrive(EngineContext& ctx) {
  const uint16_t index = ctx.SourceSelection.EntryIndex;
  if (index >= ctx.LogicalDriveTable.size()) return false;
  const std::u16string& root = ctx.LogicalDriveTable[index].RootPath;
  if (root.size() < 2 || root[1] != u':') return false;
  return OpenLogicalVolume(ctx, root[0]) != nullptr;
}

int64_t SeekHandle(SectorSource& handle, int64_t distance, SeekMethod method) {
  uint64_t position = 0;
  if (!handle.Seek(distance, method, position)) return -1;
  return static_cast<int64_t>(position);
}

}  // namespace engine
