#include "ntfs/NtfsListing.h"

#include <string>

#include "listing/DateText.h"

namespace engine {
namespace {

constexpr uint32_t kRootFolderId = 5;

std::u16string Decimal(uint64_t value) {
  const std::string text = std::to_string(value);
  return std::u16string(text.begin(), text.end());
}

std::u16string TimeText(uint64_t fileTime) {
  return FormatFileTime(static_cast<uint32_t>(fileTime), static_cast<uint32_t>(fileTime >> 32));
}

// A folder made up by the scan ("Lost Dir", a "Dir" + number parent) has no
// time: its cell stays empty rather than showing "1-1-1601 0:0:0".
std::u16string FolderTimeText(uint64_t fileTime) { return fileTime == 0 ? std::u16string() : TimeText(fileTime); }

void AddParentRow(EngineHost& host) {
  ResultRow row;
  row.RowKind = ResultRow::Kind::ParentLink;
  row.Name = u"Parent...";
  host.ListAddRow(row);
}

void AddFolderRows(EngineContext& ctx, uint32_t folderId) {
  for (const TreeFolderNode* folder : ctx.Results.TreeFoldersIn(folderId)) {
    ResultRow row;
    row.RowKind = ResultRow::Kind::Folder;
    row.Deleted = folder->Deleted != 0;
    row.Name = folder->Name;
    row.TypeText = folder->Deleted != 0 ? u"Deleted Folder" : u"Folder";
    row.Columns = {u"0", FolderTimeText(folder->Time1), FolderTimeText(folder->Time2), Decimal(folder->TreeItem)};
    ctx.Host->ListAddRow(row);
  }
}

// The host adds the shell's type name (after "Deleted " for a deleted file).
void AddFileRow(EngineHost& host, const std::u16string& name, uint32_t deleted, uint64_t size, uint64_t time1,
                uint64_t time2, uint32_t id) {
  ResultRow row;
  row.RowKind = ResultRow::Kind::File;
  row.Deleted = deleted == 1;
  row.Name = name;
  row.Columns = {Decimal(size), TimeText(time1), TimeText(time2), Decimal(id)};
  host.ListAddRow(row);
}

}  // namespace

void FillFileListFromTree(EngineContext& ctx, uint32_t folderId, const FileFilterTable& filters) {
  EngineHost& host = *ctx.Host;
  host.ListDeleteAllRows();
  if (ctx.RecoveryMode == kModeExtensiveScan && ctx.ActiveVolume.FileSystemCode == kFileSystemNtfs) {
    FillFileListFromNtfs(ctx, folderId, filters);
    return;
  }
  if (folderId != kRootFolderId) AddParentRow(host);
  AddFolderRows(ctx, folderId);
  for (const TreeFileNode* file : ctx.Results.TreeFilesIn(folderId)) {
    if (!PassesFileFilters(filters, file->Name)) continue;
    AddFileRow(host, file->Name, file->Deleted, file->Size, file->Time1, file->Time2, file->DataRecordSector);
  }
  host.ResultTreeFocus();
}

void FillFileListFromNtfs(EngineContext& ctx, uint32_t folderId, const FileFilterTable& filters) {
  EngineHost& host = *ctx.Host;
  host.ListDeleteAllRows();
  if (folderId != kRootFolderId) AddParentRow(host);
  AddFolderRows(ctx, folderId);
  const VolumeParameters& volume = ctx.ActiveVolume;
  for (const NtfsFileNode* file : ctx.Results.NtfsFilesIn(folderId)) {
    if (file->RecordSector <= volume.ClusterBase || file->RecordSector > volume.EndSector) continue;
    if (!PassesFileFilters(filters, file->Name)) continue;
    AddFileRow(host, file->Name, file->Deleted, file->Size, file->Time1, file->Time2, file->RecordSector);
  }
  host.ResultTreeFocus();
}

}  // namespace engine
