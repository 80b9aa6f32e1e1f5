#include "FoundFileSearch.h"

#include "listing/DateText.h"
#include "listing/FileFilters.h"
#include "listing/ResultRows.h"
#include "listing/WildcardMatch.h"

namespace dialogs {

namespace {

std::u16string FileTimeText(uint64_t time) {
  return engine::FormatFileTime(static_cast<uint32_t>(time), static_cast<uint32_t>(time >> 32));
}

engine::TreeItem FatFolderItem(engine::ResultStore& store, uint32_t parentCluster) {
  const engine::FatFolderEntry* folder = store.FindFatFolder(parentCluster);
  return folder != nullptr ? folder->TreeItem : 0;
}

engine::TreeItem NtfsFolderItem(engine::ResultStore& store, uint32_t parentId) {
  const engine::TreeFolderNode* folder = store.FindTreeFolder(parentId);
  return folder != nullptr ? folder->TreeItem : 0;
}

// Walks one list; `toRow` gives the row of a record whose name matched.
template <class List, class ToRow>
int WalkList(List& list, const std::u16string& pattern, const std::function<bool()>& stop,
             const std::function<void(FoundFile&&)>& found, ToRow toRow) {
  int matches = 0;
  for (auto& record : list) {
    if (stop()) break;
    std::u16string name = engine::UpperCaseText(record.Name);
    if (engine::MatchWildcard(name, pattern) != 1) continue;
    FoundFile file = toRow(record);
    file.Name = std::move(name);
    found(std::move(file));
    ++matches;
  }
  return matches;
}

}  // namespace

int SearchFoundFiles(engine::EngineContext& ctx, std::u16string_view pattern, const std::function<bool()>& stop,
                     const std::function<void(FoundFile&&)>& found) {
  const std::u16string upperPattern = engine::UpperCaseText(pattern.substr(0, kMaxSearchPatternLength));
  engine::ResultStore& store = ctx.Results;
  switch (ctx.ActiveVolume.FileSystemCode) {
    case engine::kFileSystemFat16:
    case engine::kFileSystemFat32:
      return WalkList(store.FatFiles, upperPattern, stop, found, [&](const engine::FatFileEntry& file) {
        return FoundFile{{}, FatFolderItem(store, file.ParentCluster), engine::DecimalText(file.Size),
                         engine::FormatFatDate(file.WriteDate), engine::FormatFatDate(file.AccessDate),
                         engine::DecimalText(file.FileIndex)};
      });
    case engine::kFileSystemNtfs:
      if (ctx.RecoveryMode == engine::kModeQuickScan) {
        return WalkList(store.TreeFiles, upperPattern, stop, found, [&](const engine::TreeFileNode& file) {
          return FoundFile{{}, NtfsFolderItem(store, file.ParentId), engine::DecimalText(file.Size),
                           FileTimeText(file.Time1), FileTimeText(file.Time2),
                           engine::DecimalText(file.DataRecordSector)};
        });
      }
      {
        // An Extensive Scan keeps the records of every volume it found: only those
        // inside the chosen volume are its files.
        const uint32_t first = ctx.ActiveVolume.ClusterBase;
        const uint32_t last = ctx.ActiveVolume.EndSector;
        int matches = 0;
        for (const engine::NtfsFileNode& file : store.NtfsFiles) {
          if (stop()) break;
          if (file.RecordSector < first || file.RecordSector > last) continue;
          std::u16string name = engine::UpperCaseText(file.Name);
          if (engine::MatchWildcard(name, upperPattern) != 1) continue;
          found(FoundFile{std::move(name), NtfsFolderItem(store, file.ParentId), engine::DecimalText(file.Size),
                          FileTimeText(file.Time1), FileTimeText(file.Time2), engine::DecimalText(file.RecordSector)});
          ++matches;
        }
        return matches;
      }
    default:
      return 0;
  }
}

std::u16string SearchEndText(int matches) {
  if (matches == 0) return u"Search is complete. There are no results to display.";
  return u"There were " + engine::DecimalText(static_cast<uint64_t>(matches)) + u" files found.";
}

}  // namespace dialogs
