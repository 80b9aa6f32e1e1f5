#include "FatListing.h"

#include "DateText.h"
#include "ResultRows.h"
#include "results/ResultStore.h"

namespace engine {

namespace {

// A folder made up by the scan ("Lost Dir", a found folder without its entry)
// carries no date: its cell stays empty rather than showing "00-00-1980".
std::u16string FatFolderDateText(uint16_t date) { return date == 0 ? std::u16string() : FormatFatDate(date); }

}  // namespace

void FillFileListFromFat(EngineContext& ctx, uint32_t parentCluster, const FileFilterTable& filters) {
  EngineHost& host = *ctx.Host;
  host.ListDeleteAllRows();
  if (parentCluster != 0) host.ListAddRow(ParentRow());
  for (const FatFolderEntry* folder : ctx.Results.FatFoldersIn(parentCluster)) {
    host.ListAddRow(FolderRow(folder->Name, folder->Deleted, FatFolderDateText(folder->WriteDate),
                              FatFolderDateText(folder->AccessDate), folder->TreeItem));
  }
  for (const FatFileEntry* file : ctx.Results.FatFilesIn(parentCluster)) {
    if (!PassesFileFilters(filters, file->Name)) continue;
    host.ListAddRow(FileRow(file->Name, file->Deleted, file->Size, FormatFatDate(file->WriteDate),
                            FormatFatDate(file->AccessDate), file->FileIndex));
  }
  if (parentCluster != 0) host.ListSetRowChecked(0);
  host.ResultTreeFocus();
}

}  // namespace engine
