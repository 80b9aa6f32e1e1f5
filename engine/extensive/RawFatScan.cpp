#include "extensive/RawFatScan.h"

#include "LeBytes.h"
#include "extensive/RawScanBatches.h"
#include "fat/FatDirectoryEntry.h"
#include "extensive/ScanText.h"
#include "results/ResultStore.h"

namespace engine {

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
