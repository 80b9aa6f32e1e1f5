#include "SelectedSize.h"

#include "ResultRows.h"
#include "results/ResultStore.h"

namespace engine {

uint64_t SelectedFileBytes(EngineContext& ctx, std::span<const uint32_t> tickedFileIds) {
  if (ctx.RecoveryMode == kModeFileTrace) return 0;
  const uint16_t code = ctx.ActiveVolume.FileSystemCode;
  uint64_t total = 0;
  for (uint32_t id : tickedFileIds) {
    if (code == kFileSystemFat16 || code == kFileSystemFat32) {
      if (const FatFileEntry* file = ctx.Results.FindFatFile(id)) total += file->Size;
    } else if (code == kFileSystemNtfs && ctx.RecoveryMode == kModeQuickScan) {
      if (const TreeFileNode* file = ctx.Results.FindTreeFile(id)) total += file->Size;
    } else if (code == kFileSystemNtfs && ctx.RecoveryMode == kModeExtensiveScan) {
      if (const NtfsFileNode* file = ctx.Results.FindNtfsFile(id)) total += file->Size;
    }
  }
  return total;
}

std::u16string SelectedSizeText(uint64_t bytes) {
  const uint64_t megabytes = bytes / 1024 / 1024;
  return u"Selected Size : " + DecimalText(static_cast<uint32_t>(megabytes)) + u" MB";
}

void UpdateSelectedSize(EngineContext& ctx, std::span<const uint32_t> tickedFileIds) {
  ctx.Host->SetSelectedSizeText(SelectedSizeText(SelectedFileBytes(ctx, tickedFileIds)));
}

}  // namespace engine
