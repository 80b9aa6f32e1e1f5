#include "FolderTotals.h"

#include "listing/ResultRows.h"

namespace dialogs {

namespace {

constexpr uint32_t kNtfsRootRecord = 5;

bool IsInActiveVolume(const engine::EngineContext& ctx, uint32_t sector) {
  return sector > ctx.ActiveVolume.ClusterBase && sector <= ctx.ActiveVolume.EndSector;
}

uint64_t CountFilesOfItem(engine::EngineContext& ctx, engine::TreeItem item, SelectionTotals& totals) {
  engine::ResultStore& store = ctx.Results;
  uint64_t bytes = 0;
  switch (ctx.ActiveVolume.FileSystemCode) {
    case engine::kFileSystemFat16:
    case engine::kFileSystemFat32: {
      const engine::FatFolderEntry* folder = store.FindFatFolderByTreeItem(item);
      for (const engine::FatFileEntry* file : store.FatFilesIn(folder != nullptr ? folder->FirstCluster : 0)) {
        ++totals.FileCount;
        bytes += file->Size;
      }
      break;
    }
    case engine::kFileSystemNtfs: {
      // Every folder item but the root has a folder record; the root stands for
      // the root directory, record 5, as the results list shows it.
      const engine::TreeFolderNode* folder = store.FindTreeFolderByTreeItem(item);
      const uint32_t id = folder != nullptr ? folder->Id : kNtfsRootRecord;
      if (ctx.RecoveryMode == engine::kModeQuickScan) {
        for (const engine::TreeFileNode* file : store.TreeFilesIn(id)) {
          ++totals.FileCount;
          bytes += file->Size;
        }
      } else {
        for (const engine::NtfsFileNode* file : store.NtfsFilesIn(id)) {
          if (!IsInActiveVolume(ctx, file->RecordSector)) continue;
          ++totals.FileCount;
          bytes += file->Size;
        }
      }
      break;
    }
    default:
      break;
  }
  return bytes;
}

}  // namespace

void CountTreeItem(engine::EngineContext& ctx, engine::TreeItem item, SelectionTotals& totals) {
  ++totals.FolderCount;
  const uint64_t bytes = CountFilesOfItem(ctx, item, totals);
  totals.ByteCount += bytes;
  totals.SelectedBytes += bytes;
}

std::u16string ContainsText(const SelectionTotals& totals) {
  const uint64_t folders = totals.FolderCount > 0 ? totals.FolderCount - 1 : 0;
  return engine::DecimalText(totals.FileCount) + u" File(s) and " + engine::DecimalText(folders) + u" Folder(s)";
}

std::u16string FolderSizeText(uint64_t bytes) {
  const uint64_t megabytes = bytes / 1024 / 1024;
  return (megabytes == 0 ? std::u16string(u"Less than 1") : engine::DecimalText(megabytes)) + u" MB";
}

}  // namespace dialogs
