#include "SectorReader.h"

#include <algorithm>
#include <cstring>

namespace engine {
namespace {

// What one read call brought: the whole run, a failure, or the device's end (the
// call succeeded but fewer bytes arrived; those that did hold their sectors).
enum class ReadOutcome { Whole, Failed, PastEnd };

ReadOutcome ReadAtWithEnd(SectorSource& source, uint64_t byteOffset, uint8_t* buffer, uint32_t byteCount,
                          uint32_t& bytesRead) {
  bytesRead = 0;
  if (byteOffset > static_cast<uint64_t>(INT64_MAX)) return ReadOutcome::Failed;
  if (SeekHandle(source, static_cast<int64_t>(byteOffset), SeekMethod::Begin) < 0) return ReadOutcome::Failed;
  if (!source.Read(buffer, byteCount, bytesRead)) return ReadOutcome::Failed;
  if (bytesRead > byteCount) bytesRead = byteCount;
  return bytesRead == byteCount ? ReadOutcome::Whole : ReadOutcome::PastEnd;
}

// One read call at a byte position. A short read counts as a failure: the bytes
// that did not arrive must not pass for sector contents.
bool ReadAt(SectorSource& source, uint64_t byteOffset, uint8_t* buffer, uint32_t byteCount) {
  uint32_t bytesRead = 0;
  return ReadAtWithEnd(source, byteOffset, buffer, byteCount, bytesRead) == ReadOutcome::Whole;
}

// A bad area on a failing disk can hold many thousands of sectors, each taking
// seconds per try. After this many unreadable sectors in a row the reader stops
// trying each one: it passes over a stretch that doubles at every failed probe
// (never past the run's last sector, which is always probed), and after a probe
// that reads, reads back toward the bad area to find where it ended.
constexpr uint32_t kFailuresBeforeSkipping = 8;
constexpr uint64_t kFirstSkip = 16;
constexpr uint64_t kLongestSkip = 4096;

// Counts sectors [first, first + count) of the source as handed back as zeros.
void CountUnreadable(ReadStatistics& stats, uint64_t first, uint64_t count, bool passedOver) {
  stats.UnreadableSectors.fetch_add(count);
  stats.UnreadableSet.Add(first, count);
  if (!passedOver) return;
  stats.SkippedSectors.fetch_add(count);
  stats.SkippedSet.Add(first, count);
}

// Reads one sector with up to `attempts` tries; zeros when it stays unreadable or
// lies past the device's end (which is not tried again).
ReadOutcome ReadOneSector(SectorSource& source, uint64_t sector, uint8_t* buffer, uint16_t attempts) {
  for (uint16_t attempt = 0; attempt < attempts; ++attempt) {
    uint32_t bytesRead = 0;
    const ReadOutcome outcome = ReadAtWithEnd(source, sector * kSectorSize, buffer, kSectorSize, bytesRead);
    if (outcome == ReadOutcome::Whole) return outcome;
    if (outcome == ReadOutcome::PastEnd) {
      std::memset(buffer, 0, kSectorSize);
      return outcome;
    }
  }
  std::memset(buffer, 0, kSectorSize);
  return ReadOutcome::Failed;
}

// The sectors of a run from `firstPastEnd` on lie beyond the device's end: they
// are zeros, but nothing there was unreadable, so nothing is counted.
bool EndRunAtDeviceEnd(BadAreaPosition& bad, uint8_t* buffer, uint32_t count, uint32_t firstPastEnd) {
  std::memset(buffer + uint64_t{firstPastEnd} * kSectorSize, 0, uint64_t{count - firstPastEnd} * kSectorSize);
  bad = BadAreaPosition{};
  return false;
}

// The bad area ended somewhere in the stretch [from, to) of the run that was passed
// over, and the sector at `to` reads. Finds the end by halves, reading back from
// `to`: returns the first index of the part read back; the rest of the stretch is zeros.
uint32_t ReadBackToBadArea(SectorSource& source, uint64_t firstSector, uint8_t* buffer, uint32_t from, uint32_t to) {
  uint32_t readFrom = to;  // [readFrom, to) hold their bytes
  uint32_t low = from;     // the bad area ends at or after low
  while (low < readFrom) {
    const uint32_t middle = low + (readFrom - low) / 2;
    if (ReadAt(source, (firstSector + middle) * kSectorSize, buffer + uint64_t{middle} * kSectorSize,
               (readFrom - middle) * kSectorSize)) {
      readFrom = middle;
    } else if (readFrom - middle == 1) {
      break;  // the sector before the readable part is bad
    } else {
      low = middle;
    }
  }
  std::memset(buffer + uint64_t{from} * kSectorSize, 0, uint64_t{readFrom - from} * kSectorSize);
  return readFrom;
}

// Reads a run of sectors in one call; after a failure, sector by sector with
// `attempts` tries each, skipping through bad areas as above. Sectors that stay
// unreadable are zeros in the buffer and counted; those passed over are counted
// as skipped too. The result is that of the last sector: true when it was read.
bool ReadRun(EngineContext& ctx, SectorSource& source, uint64_t firstSector, uint32_t count,
             uint8_t* buffer, uint16_t attempts) {
  ReadStatistics& stats = ctx.ReadStats;
  BadAreaPosition& bad = stats.BadArea;
  if (firstSector != bad.NextSector) bad = BadAreaPosition{};  // not where the last bad area ended
  // Inside a bad area a run read would only fail again.
  const bool insideBadArea = bad.Failures >= kFailuresBeforeSkipping;
  if (!insideBadArea) {
    uint32_t bytesRead = 0;
    const ReadOutcome outcome = ReadAtWithEnd(source, firstSector * kSectorSize, buffer, count * kSectorSize, bytesRead);
    if (outcome == ReadOutcome::Whole) {
      bad = BadAreaPosition{};
      return true;
    }
    if (outcome == ReadOutcome::PastEnd) return EndRunAtDeviceEnd(bad, buffer, count, bytesRead / kSectorSize);
  }

  if (attempts == 0) {  // nothing is read again: the whole run stays unread
    std::memset(buffer, 0, uint64_t{count} * kSectorSize);
    CountUnreadable(stats, firstSector, count, false);
    return false;
  }

  constexpr uint32_t kNothingPassed = UINT32_MAX;
  uint32_t passedFrom = kNothingPassed;  // first of the sectors passed over since the last failed read
  auto countPassed = [&](uint32_t end) {
    if (passedFrom == kNothingPassed) return;
    CountUnreadable(stats, firstSector + passedFrom, end - passedFrom, true);
    passedFrom = kNothingPassed;
  };

  const uint32_t lastIndex = count - 1;
  uint32_t nextProbe = 0;  // sectors before this index are passed over unread
  bool lastReadSucceeded = false;
  for (uint32_t i = 0; i < count; ++i) {
    uint8_t* bytes = buffer + uint64_t{i} * kSectorSize;
    if (i < nextProbe) {
      std::memset(bytes, 0, kSectorSize);
      if (passedFrom == kNothingPassed) passedFrom = i;
      continue;
    }
    const bool probing = bad.Failures >= kFailuresBeforeSkipping;
    const ReadOutcome outcome = ReadOneSector(source, firstSector + i, bytes, probing ? uint16_t{1} : attempts);
    if (outcome == ReadOutcome::PastEnd) {
      countPassed(i);
      return EndRunAtDeviceEnd(bad, buffer, count, i);
    }
    lastReadSucceeded = outcome == ReadOutcome::Whole;
    if (lastReadSucceeded) {
      const bool leftBadArea = probing;
      bad = BadAreaPosition{};
      if (!leftBadArea) continue;
      // The bad area may have ended inside the stretch passed over: read back to it.
      if (passedFrom != kNothingPassed) countPassed(ReadBackToBadArea(source, firstSector, buffer, passedFrom, i));
      // Past a bad area the rest of the run is likely whole again.
      const uint32_t rest = count - i - 1;
      if (rest > 0 && ReadAt(source, (firstSector + i + 1) * kSectorSize, bytes + kSectorSize, rest * kSectorSize)) {
        return true;
      }
      continue;
    }
    countPassed(i);
    CountUnreadable(stats, firstSector + i, 1, false);
    bad.Failures += 1;
    if (bad.Failures >= kFailuresBeforeSkipping) {
      bad.Skip = bad.Skip == 0 ? kFirstSkip : std::min(bad.Skip * 2, kLongestSkip);
      nextProbe = static_cast<uint32_t>(std::min<uint64_t>(uint64_t{i} + 1 + bad.Skip, lastIndex));
    }
  }
  countPassed(count);
  bad.NextSector = bad.Failures > 0 ? firstSector + count : UINT64_MAX;
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

bool TryReadSectors(EngineContext& ctx, uint64_t firstSector, uint32_t count, std::span<uint8_t> buffer) {
  if (!RunIsAddressable(firstSector, count, buffer)) return false;
  const bool volume = ctx.SourceDevice.SourceKind == kSourceLogicalDrive;
  if (volume && count > kMaxVolumeSectorsPerRead) return false;
  SectorSource* source = volume ? ctx.SourceDevice.VolumeHandle.get() : ctx.SourceDevice.DiskHandle.get();
  return source != nullptr && ReadAt(*source, firstSector * kSectorSize, buffer.data(), count * kSectorSize);
}

bool TryReadSectorsOnce(EngineContext& ctx, uint64_t firstSector, uint32_t count, std::span<uint8_t> buffer) {
  if (count > kMaxVolumeSectorsPerRead) return false;
  return TryReadSectors(ctx, firstSector, count, buffer);
}

bool ReadVolumeSectors(EngineContext& ctx, uint64_t firstSector, uint32_t count, std::span<uint8_t> buffer) {
  if (!RunIsAddressable(firstSector, count, buffer) || count > kMaxVolumeSectorsPerRead) return false;
  SectorSource* volume = ctx.SourceDevice.VolumeHandle.get();
  if (volume == nullptr) {
    std::memset(buffer.data(), 0, static_cast<size_t>(count) * kSectorSize);
    return false;
  }
  // A volume is read without retries; after a failed run read each sector is
  // still read once on its own, so that only the bad ones become zeros.
  return ReadRun(ctx, *volume, firstSector, count, buffer.data(), 1);
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
