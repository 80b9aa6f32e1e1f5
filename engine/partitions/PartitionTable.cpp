#include "partitions/PartitionTable.h"

#include <array>
#include <unordered_set>

#include "LeBytes.h"
#include "SectorReader.h"
#include "drives/SectorRange.h"
#include "partitions/PartitionRecords.h"

namespace engine {
namespace {

using SectorBuffer = std::array<uint8_t, kSectorSize>;

bool TableFull(const EngineContext& ctx) { return ctx.PartitionCount >= kPartitionTableSize; }

// Reads one sector; a sector that cannot be read is zeros, so it names nothing.
SectorBuffer ReadOneSector(EngineContext& ctx, uint64_t sector) {
  SectorBuffer buffer{};
  if (!ReadSectors(ctx, sector, 1, buffer)) buffer.fill(0);
  return buffer;
}

void ReadPrimaryEntries(EngineContext& ctx, const SectorBuffer& mbr, std::optional<uint64_t>& extendedBase) {
  for (const PartitionRecordEntry& entry : ParsePartitionEntries(mbr)) {
    if (entry.Type == 0) continue;
    if (IsExtendedType(entry.Type)) {
      extendedBase = entry.FirstSector;  // the last extended entry wins
      continue;
    }
    const SectorBuffer boot = ReadOneSector(ctx, entry.FirstSector);
    const uint16_t code = ClassifyListedPartition(boot, entry.Type, false);
    if (code != 0 && !AppendPartition(ctx, entry.FirstSector, entry.SectorCount, code)) return;
  }
}

// Data entries are relative to their own record, links to the extended base.
// Each record is read once: a chain that leads back, or runs on too long, ends.
void WalkExtendedChain(EngineContext& ctx, uint64_t extendedBase) {
  std::unordered_set<uint64_t> visited;
  uint64_t recordSector = extendedBase;
  for (int recordsRead = 0; recordsRead < kMaxExtendedRecords && !TableFull(ctx); ++recordsRead) {
    if (!visited.insert(recordSector).second) return;
    const SectorBuffer record = ReadOneSector(ctx, recordSector);
    const auto entries = ParsePartitionEntries(record);
    std::optional<uint64_t> nextRecord;
    for (std::size_t i = 0; i < 2; ++i) {
      const PartitionRecordEntry& entry = entries[i];
      if (entry.Type == 0) continue;
      if (IsExtendedType(entry.Type)) {
        nextRecord = extendedBase + entry.FirstSector;
        continue;
      }
      const uint64_t start = recordSector + entry.FirstSector;
      const SectorBuffer boot = ReadOneSector(ctx, start);
      const uint16_t code = ClassifyListedPartition(boot, entry.Type, true);
      if (code != 0 && !AppendPartition(ctx, start, entry.SectorCount, code)) return;
    }
    if (!nextRecord) return;
    recordSector = *nextRecord;
  }
}

}  // namespace

bool AppendPartition(EngineContext& ctx, uint64_t startSector, uint32_t sectorCount, uint16_t fileSystemCode) {
  if (TableFull(ctx)) return false;
  // The table keeps 32-bit sectors; a partition starting beyond them cannot be
  // chosen, and the user is told of it rather than shown a disk without it.
  if (startSector > UINT32_MAX) {
    ReportMessage(ctx, kPartitionBeyond32BitsText, kMessageInformation);
    return true;
  }
  PartitionEntry& entry = ctx.PartitionTable[static_cast<std::size_t>(ctx.PartitionCount)];
  entry.StartSector = static_cast<uint32_t>(startSector);
  entry.SectorCount = sectorCount;
  entry.FileSystemCode = fileSystemCode;
  ++ctx.PartitionCount;
  return !TableFull(ctx);
}

bool ReadPartitionTable(EngineContext& ctx, uint64_t mbrSector) {
  ctx.PartitionSearchChoice = 0;
  ctx.PartitionCount = 0;
  ctx.SourceDevice.DiskHandle.reset();
  ctx.SourceDevice.DiskHandle =
      ctx.Devices->OpenForReading(PhysicalDrivePath(ctx.SourceDevice.DriveNumber), DeviceShare::ReadWrite);
  if (!ctx.SourceDevice.DiskHandle) return false;

  const SectorBuffer mbr = ReadOneSector(ctx, mbrSector);
  if (!HasBootMark(mbr)) return true;
  std::optional<uint64_t> extendedBase;
  ReadPrimaryEntries(ctx, mbr, extendedBase);
  if (extendedBase && !TableFull(ctx)) WalkExtendedChain(ctx, *extendedBase);
  return true;
}

}  // namespace engine
