#pragma once
// Appending a decoded snapshot's records to the result store, and building the
// results tree and list from them as a finished scan does.

#include "EngineContext.h"
#include "listing/FileFilters.h"
#include "snapshot/SnapshotFormat.h"

namespace engine::snapshot {

// Reports record number x 100 / count to the progress dialog, once per percent.
class LoadProgress {
 public:
  explicit LoadProgress(EngineHost& host) : host_(host) {}
  void Step(std::size_t done, std::size_t count);

 private:
  EngineHost& host_;
  int last_ = -1;
};

// FAT folders (made a tree first) and files; FolderCount and FileCount count them.
void AppendFatRecords(EngineContext& ctx, SnapshotContents& contents, LoadProgress& progress);
// NTFS tree folders (made a tree first) and files; FileCount is the file count.
void AppendNtfsRecords(EngineContext& ctx, SnapshotContents& contents, LoadProgress& progress);
// Selected signatures and hits.
void AppendFileTraceRecords(EngineContext& ctx, SnapshotContents& contents, LoadProgress& progress);

// "Root" and the folders below it, then the root's listing.
void BuildFatResults(EngineContext& ctx, const FileFilterTable& filters);
void BuildNtfsResults(EngineContext& ctx, const FileFilterTable& filters);
void BuildFileTraceResults(EngineContext& ctx);

}  // namespace engine::snapshot
