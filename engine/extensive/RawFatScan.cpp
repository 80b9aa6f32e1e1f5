#include "extensive/RawFatScan.h"

#include "LeBytes.h"
#include "extensive/RawScanBatches.h"
#include "fat/FatDirectoryEntry.h"
#include "fat/FatDirectoryReader.h"
#include "extensive/ScanText.h"
#include "results/ResultStore.h"

namespace engine {
namespace {
// 64 MiB of sector numbers: far more directory sectors than a volume can hold
// 65,536-entry folders in, yet a bound on what a disk of lookalikes can cost.
constexpr size_t kMaxDirEntrySectors = size_t{16} << 20;
}  // namespace

bool IsFatBootCandidate(std::span<const uint8_t> sector) {
  if (!HasBootMark(sector)) return false;
  return BytesAre(sector, 85, "32") || BytesAre(sector, 57, "16");
}

std::optional<DirClusterCandidate> ReadDirectoryStart(std::span<const uint8_t> sector, uint32_t sectorNumber) {
  if (!BytesAre(sector, 0, ". ") || !BytesAre(sector, 32, ".. ")) return std::nullopt;
  // Raw sectors carry no FAT type: the high cluster word is read as on FAT32,
  // where FAT16 keeps it zero.
  const std::optional<FatShortEntry> dot = DecodeShortEntry(sector, 0, true);
  const std::optional<FatShortEntry> dotDot = DecodeShortEntry(sector, kDirEntrySize, true);
  if (!dot || !dotDot) return std::nullopt;
  DirClusterCandidate candidate;
  candidate.Sector = sectorNumber;
  candidate.OwnCluster = dot->FirstCluster;
  candidate.ParentCluster = dotDot->FirstCluster;
  candidate.Date1 = dot->WriteDate;
  candidate.Date2 = dot->AccessDate;
  // Cluster 2 is the first data cluster, and a cluster number never exceeds the
  // sector that holds it: anything else is a stray "." entry, not a directory.
  if (candidate.OwnCluster <= 2 || candidate.OwnCluster >= sectorNumber) return std::nullopt;
  if (candidate.OwnCluster == 0xFFFFFFFF || sectorNumber == 0xFFFFFFFF) return std::nullopt;
  return candidate;
}

bool IsDirectoryEntrySector(std::span<const uint8_t> sector) {
  if (sector.size() < kSectorSize || sector[0] == 0 || StartsDirectory(sector.data())) return false;
  if (!LooksLikeDirectoryEntries(sector.data(), kSectorSize)) return false;
  // Case bits of the name and extension (0x08, 0x10) are all a short entry keeps at 12.
  constexpr uint8_t kCaseBits = 0x18;
  bool shortEntry = false;
  for (size_t offset = 0; offset + kDirEntrySize <= kSectorSize; offset += kDirEntrySize) {
    const uint8_t* entry = sector.data() + offset;
    if (entry[0] == 0) break;
    if (entry[11] == kAttrLongName) {
      if (entry[12] != 0 || entry[26] != 0 || entry[27] != 0) return false;
      continue;
    }
    if ((entry[12] & ~kCaseBits) != 0) return false;
    shortEntry = true;
  }
  return shortEntry;
}

void ScanRawFat(EngineContext& ctx) {
  ResultStore& results = ctx.Results;
  ctx.ScanControl.StopOrDone.store(0);
  ForEachRawBatch(ctx, [&](const RawBatch& batch) {
    const int32_t bootBefore = results.BootSectorCount;
    const int32_t foldersBefore = results.CandidateFolderCount;
    for (uint32_t i = 0; i < batch.SectorCount && !StopFlagSet(ctx); ++i) {
      const std::span<const uint8_t> sector = batch.Bytes.subspan(size_t{i} * kSectorSize, kSectorSize);
      const auto sectorNumber = static_cast<uint32_t>(batch.FirstSector + i);
      if (IsFatBootCandidate(sector)) {
        results.BootSectorCount += 1;
        AppendSectorNumber(ctx, results.BootSectors, sectorNumber);
        if (results.BootSectorCount > kMaxBootSectorCandidates) {
          ShowScanCounter(ctx, ScanCounter::BootSectors, results.BootSectorCount);
          ReportMessage(ctx, kTooManyStructuresText, kMessageError);
          ctx.ScanControl.StopOrDone.store(1);
          return false;
        }
      } else if (auto candidate = ReadDirectoryStart(sector, sectorNumber)) {
        AddDirClusterCandidate(ctx, *candidate);
        results.CandidateFolderCount += 1;
      } else if (results.DirEntrySectors.size() < kMaxDirEntrySectors && IsDirectoryEntrySector(sector)) {
        results.DirEntrySectors.push_back(sectorNumber);
      }
    }
    if (results.BootSectorCount != bootBefore) ShowScanCounter(ctx, ScanCounter::BootSectors, results.BootSectorCount);
    if (results.CandidateFolderCount != foldersBefore) {
      ShowScanCounter(ctx, ScanCounter::FoldersFound, results.CandidateFolderCount);
    }
    ShowScanCounter(ctx, ScanCounter::CurrentSector, batch.Offset);
    return true;
  });
  ctx.ScanControl.StopOrDone.store(1);
  ctx.ScanControl.Running.store(0);
}

}  // namespace engine
