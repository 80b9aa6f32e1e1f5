#include "extensive/RawScanBatches.h"

#include <algorithm>
#include <vector>

#include "SectorReader.h"
#include "extensive/ProgressReporter.h"

namespace engine {

uint32_t ClampedSectorsPerRead(int32_t sectorsPerRead) {
  return static_cast<uint32_t>(std::clamp<int32_t>(sectorsPerRead, 1, static_cast<int32_t>(kMaxSectorsPerRead)));
}

void ForEachRawBatch(EngineContext& ctx, const std::function<bool(const RawBatch&)>& visit) {
  const uint32_t perRead = ClampedSectorsPerRead(ctx.RecoverySettings.SectorsPerRead);
  const uint64_t total = ctx.SourceSelection.SectorCount;
  std::vector<uint8_t> buffer(size_t{kMaxSectorsPerRead} * kSectorSize);
  ProgressReporter progress(ctx, Panel::Scan);
  progress.Reset(0);

  uint64_t batchNumber = 0;
  for (uint64_t offset = 0; offset < total && !StopRequested(ctx); offset += perRead, ++batchNumber) {
    if (batchNumber % kBatchesPerProgressReport == 0) progress.Show(offset, static_cast<int64_t>(total));
    RawBatch batch;
    batch.Offset = offset;
    batch.FirstSector = uint64_t{ctx.SourceSelection.StartSector} + offset;
    batch.SectorCount = static_cast<uint32_t>(std::min<uint64_t>(perRead, total - offset));
    const std::span<uint8_t> bytes(buffer.data(), size_t{batch.SectorCount} * kSectorSize);
    const uint64_t unreadableBefore = ctx.ReadStats.UnreadableSectors.load();
    ReadSectors(ctx, batch.FirstSector, batch.SectorCount, bytes);
    if (ctx.ReadStats.UnreadableSectors.load() - unreadableBefore >= batch.SectorCount) continue;
    batch.Bytes = bytes;
    if (!visit(batch)) break;
  }
}

}  // namespace engine
