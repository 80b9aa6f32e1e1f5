#pragma once
// Copy-out of File Trace hits: a fixed run of CarvedFileSizeMB megabytes from the
// hit's start sector, read 128 sectors at a time; a run that would pass the end of
// the logical drive ends with it.

#include <cstdint>
#include <string>

#include "EngineContext.h"
#include "SaveSession.h"
#include "listing/FileFilters.h"

namespace engine {

struct CarvedSaveRequest {
  std::u16string TargetFolder;
  uint32_t RunningNumber = 0;  // not used for copying
  bool VisibleSave = true;     // false for a preview copy: no filters, policies or report
  uint32_t StartSector = 0;
  std::u16string DisplayName;  // made safe here
};

// Bytes a hit is saved with: CarvedFileSizeMB megabytes (at least 1, at most 20).
uint64_t CarvedFileBytes(const EngineContext& ctx);

// 1 when the hit was written whole with every sector read, 0 otherwise; how it
// ended (skipped, damaged, cut short and kept as ".partial", failed) is in the
// session's tally. A visible save applies the filters and
// the existing-name policy and tells the save dialog (progress: files processed of
// the session's ticked files). The file keeps the times it was written with: a hit
// has no time stamp of its own.
int SaveCarvedFile(EngineContext& ctx, SaveSession& session, const CarvedSaveRequest& request);
// The same for a single file outside a save run.
int SaveCarvedFile(EngineContext& ctx, const FileFilterTable& filters, const CarvedSaveRequest& request,
                   uint64_t tickedFileCount);

// Writes a hit to folderText + nameText (the name made safe, nothing added between)
// for a preview; no filters, policies or report. 1 when written to its end (also
// with unreadable sectors as zeros), 0 when the file could not be created or
// written (a copy cut short is kept as ".partial", like a saved file).
int SaveCarvedRange(EngineContext& ctx, const std::u16string& folderText, const std::u16string& nameText,
                    uint32_t startSector);

}  // namespace engine
