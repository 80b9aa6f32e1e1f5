#include "extensive/RawNtfsScan.h"

#include "LeBytes.h"
#include "SectorReader.h"
#include "extensive/NtfsRecordFiling.h"
#include "extensive/RawScanBatches.h"
#include "extensive/ScanText.h"
#include "ntfs/MftRecord.h"
#include "results/ResultStore.h"

namespace engine {

bool IsNtfsBootCandidate(std::span<const uint8_t> sector) {
  return HasBootMark(sector) && BytesAre(sector, 3, "NTFS");
}

bool IsRawFileRecord(std::span<const uint8_t> sector) {
  LeBytes view(sector);
  return BytesAre(sector, 0, "FILE") && view.U16(28) == ntfs::kMftRecordSize && view.ok();
}

void ScanRawNtfs(EngineContext& ctx) {
  ResultStore& results = ctx.Results;
  ctx.ScanControl.StopOrDone.store(0);
  ForEachRawBatch(ctx, [&](const RawBatch& batch) {
    ShowScanCounter(ctx, ScanCounter::CurrentSector, batch.FirstSector);
    const int32_t bootBefore = results.BootSectorCount;
    const int32_t foldersBefore = results.CandidateFolderCount;
    const int32_t filesBefore = results.NtfsFileCount;
    const int32_t blocksBefore = results.IndxBlockCount;
    for (uint32_t i = 0; i < batch.SectorCount && !StopFlagSet(ctx); ++i) {
      // From this sector to the batch's end: a record or block that fits is not read again.
      const std::span<const uint8_t> rest = batch.Bytes.subspan(size_t{i} * kSectorSize);
      const std::span<const uint8_t> sector = rest.first(kSectorSize);
      const auto sectorNumber = static_cast<uint32_t>(batch.FirstSector + i);
      if (HasBootMark(sector)) {
        // Each boot sector is listed and counted once.
        if (IsNtfsBootCandidate(sector)) {
          AppendSectorNumber(ctx, results.BootSectors, sectorNumber);
          results.BootSectorCount += 1;
        }
      } else if (IsRawFileRecord(sector)) {
        if (rest.size() >= ntfs::kMftRecordSize) {
          ProcessMftRecord(ctx, sectorNumber, rest);
        } else {
          std::vector<uint8_t> record(ntfs::kMftRecordSize);
          ReadSectors(ctx, sectorNumber, ntfs::kSectorsPerMftRecord, record);
          ProcessMftRecord(ctx, sectorNumber, record);
        }
      } else if (BytesAre(sector, 0, "INDX")) {
        AddIndxBlock(ctx, sectorNumber, rest);
      }
    }
    if (results.BootSectorCount != bootBefore) ShowScanCounter(ctx, ScanCounter::BootSectors, results.BootSectorCount);
    if (results.CandidateFolderCount != foldersBefore) {
      ShowScanCounter(ctx, ScanCounter::FoldersFound, results.CandidateFolderCount);
    }
    if (results.NtfsFileCount != filesBefore) ShowScanCounter(ctx, ScanCounter::FilesFound, results.NtfsFileCount);
    if (results.IndxBlockCount != blocksBefore) ShowScanCounter(ctx, ScanCounter::IndexBlocks, results.IndxBlockCount);
    return true;
  });
}

}  // namespace engine
