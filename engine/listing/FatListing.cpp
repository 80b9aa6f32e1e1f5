#include "FatListing.h"

#include "DateText.h"
#include "ResultRows.h"
#include "results/ResultStore.h"

namespace engine {

void FillFileListFromFat(EngineContext& ctx, uint32_t parentCluster, const FileFilterTable& filters) {
  EngineHost& host = *ctx.Host;
  host.ListDeleteAllRows();
  if (parentCluster != 0) host.ListAddRow(ParentRow());
  for (const FatFolderEntry* folder : ctx.Results.FatFoldersIn(parentCluster)) {
    host.ListAddRow(FolderRow(folder->Name, folder->Deleted, FormatFatDate(folder->WriteDate),
                              FormatFatDate(folder->AccessDate), folder->TreeItem));
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
