#include "partitions/LostPartitionSearch.h"

#include <algorithm>
#include <array>
#include <string>

#include "LeBytes.h"
#include "SectorReader.h"
#include "drives/DriveEnumeration.h"
#include "partitions/PartitionRecords.h"
#include "partitions/PartitionTable.h"

namespace engine {
namespace {

constexpr uint64_t kStandardHeads = 255;
constexpr uint64_t kStandardSectorsPerTrack = 63;

using SectorBuffer = std::array<uint8_t, kSectorSize>;

std::string PartitionItemText(int index) { return "Partition " + std::to_string(index); }

bool TableStartsAt(const EngineContext& ctx, uint64_t sector) {
  for (int i = 0; i < ctx.PartitionCount; ++i) {
    if (ctx.PartitionTable[static_cast<std::size_t>(i)].StartSector == sector) return true;
  }
  return false;
}

// Reads a candidate; true when it holds a boot signature.
bool ReadCandidate(EngineContext& ctx, uint64_t sector, SectorBuffer& buffer) {
  if (!ReadSectors(ctx, sector, 1, buffer)) buffer.fill(0);
  return HasBootMark(buffer);
}

// Adds a recognised volume that the table does not list yet. False once the table is full.
bool ConsiderCandidate(EngineContext& ctx, uint64_t sector, const SectorBuffer& bootSector) {
  const FoundBootSector found = RecogniseBootSector(bootSector);
  if (found.FileSystemCode == 0 || sector > UINT32_MAX || TableStartsAt(ctx, sector)) {
    return ctx.PartitionCount < kPartitionTableSize;
  }
  const int index = ctx.PartitionCount;
  const bool room = AppendPartition(ctx, sector, found.SectorCount, found.FileSystemCode);
  // Every item names its entry's index, the number the scan page selects by.
  ctx.Host->DriveTreeAddPartition(kVirtualHardDiskNode, PartitionItemText(index));
  return room;
}

// The two cylinder candidates first (head 1, else head 0), then the 1 MiB-aligned ones.
bool SearchCylinder(EngineContext& ctx, const SearchGeometry& geometry, uint64_t cylinder) {
  const uint64_t cylinderStart = cylinder * geometry.Heads * geometry.SectorsPerTrack;
  SectorBuffer buffer{};
  uint64_t candidate = cylinderStart + geometry.SectorsPerTrack;
  bool found = ReadCandidate(ctx, candidate, buffer);
  if (!found) {
    candidate = cylinderStart;
    found = ReadCandidate(ctx, candidate, buffer);
  }
  if (found && !ConsiderCandidate(ctx, candidate, buffer)) return false;

  for (uint64_t aligned : AlignedStartsInCylinder(geometry, cylinder)) {
    if (ReadCandidate(ctx, aligned, buffer) && !ConsiderCandidate(ctx, aligned, buffer)) return false;
  }
  return true;
}

}  // namespace

SearchGeometry SearchGeometryFor(uint32_t cylinders, uint32_t heads, uint32_t sectorsPerTrack) {
  SearchGeometry geometry{cylinders, heads, sectorsPerTrack};
  if (geometry.SectorsPerTrack != kStandardSectorsPerTrack) {
    geometry.Cylinders = geometry.SectorsPerTrack * geometry.Heads * geometry.Cylinders /
                         (kStandardHeads * kStandardSectorsPerTrack);
    geometry.Heads = kStandardHeads;
    geometry.SectorsPerTrack = kStandardSectorsPerTrack;
  }
  return geometry;
}

std::vector<uint64_t> AlignedStartsInCylinder(const SearchGeometry& geometry, uint64_t cylinder) {
  std::vector<uint64_t> starts;
  const uint64_t cylinderSectors = geometry.Heads * geometry.SectorsPerTrack;
  if (cylinderSectors == 0) return starts;
  const uint64_t first = cylinder * cylinderSectors;
  const uint64_t end = first + cylinderSectors;
  const uint64_t headOne = first + geometry.SectorsPerTrack;
  uint64_t sector = std::max(kAlignmentSectors, (first + kAlignmentSectors - 1) / kAlignmentSectors * kAlignmentSectors);
  for (; sector < end; sector += kAlignmentSectors) {
    if (sector != first && sector != headOne) starts.push_back(sector);
  }
  return starts;
}

void SearchLostPartitions(EngineContext& ctx) {
  EngineHost& host = *ctx.Host;
  if (ctx.PartitionCount != 0) {
    // Cancel leaves the choice as it was.
    if (const std::optional<int32_t> choice = host.AskPartitionSearchChoice()) ctx.PartitionSearchChoice = *choice;
  } else {
    ctx.PartitionSearchChoice = 1;
  }
  const bool searching = ctx.PartitionSearchChoice == 1;
  if (searching) {
    host.SetStatusText(Panel::Drive, u"Please wait, searching for Partition...");
    host.SetDrivePrompt(u"Please wait...");
  }

  SearchGeometry geometry;
  if (const PhysicalDriveEntry* disk = FindPhysicalDrive(ctx, ctx.SourceDevice.DriveNumber)) {
    geometry = SearchGeometryFor(disk->Cylinders, disk->Heads, disk->SectorsPerTrack);
  }

  for (int i = 0; i < ctx.PartitionCount; ++i) host.DriveTreeAddPartition(kVirtualHardDiskNode, PartitionItemText(i));

  int shownPercent = -1;
  for (uint64_t cylinder = 0; cylinder < geometry.Cylinders; ++cylinder) {
    if (StopRequested(ctx)) break;
    const int percent = static_cast<int>(std::min<uint64_t>(cylinder * 100 / geometry.Cylinders, 99));
    if (percent != shownPercent) {
      host.SetProgressPos(Panel::Drive, percent);
      shownPercent = percent;
    }
    // With "Use existing partition info" nothing is read; only the progress runs.
    if (searching && !SearchCylinder(ctx, geometry, cylinder)) break;
  }
  host.DriveTreeExpandRoot();
}

}  // namespace engine
