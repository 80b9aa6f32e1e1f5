#pragma once
// The Extensive Scan worker: reads every sector of the chosen range, collects the
// structures that survive a format, and rebuilds the volumes they belong to for
// the file-system page. Runs on the scan page's worker thread; reports only
// through the host.

#include "EngineContext.h"

namespace engine {

inline constexpr char16_t kSearchingUnassignedText[] = u"Searching for unassigned entries...";

// What the scan page does before it starts the worker: the flags of a running
// worker and empty candidate lists.
void PrepareExtensiveScan(EngineContext& ctx);

// The worker: the raw scan of SourceSelection.FileSystemCode (FAT16/FAT32 or
// NTFS), then PostProcessExtensiveScan. Returns 1. Whatever happens, it ends with
// ScanControl.Running 0, ScanControl.StopOrDone 1 and both analysis flags set, so
// the page always moves on.
int ExtensiveScanThreadProc(EngineContext& ctx);

// The analysis after the raw scan (a Stop during the raw scan does not skip it).
void PostProcessExtensiveScan(EngineContext& ctx);

}  // namespace engine
