#pragma once
// The NTFS half of Quick Scan, called by the Quick Scan worker.

#include <cstdint>

#include "EngineContext.h"
#include "listing/FileFilters.h"

namespace engine {

// Reads the NTFS geometry of the volume starting at `volumeStart` from its boot
// sector (or the backup at SourceSelection.EndSector) into ctx.ActiveVolume.
// Returns false when no usable NTFS boot sector or $MFT was found.
bool DetectNtfsParameters(EngineContext& ctx, uint64_t volumeStart);

// Walks every MFT record into the tree lists, gathers lost folders and files
// under "Lost Dir", and hands the result tree and list (through `filters`) to
// the results page. False, with nothing handed over, when the MFT cannot be
// mapped from record 0 or its copy in $MFTMirr.
bool WalkMft(EngineContext& ctx, const FileFilterTable& filters);
bool WalkMft(EngineContext& ctx);

// Only the first step of WalkMft: every base record of the MFT, as far as $MFT's
// data reaches, into ResultStore.TreeFolders and TreeFiles. False when the MFT
// cannot be mapped.
bool WalkMftRecords(EngineContext& ctx);

// Gathers folders and files whose parent folder is missing under "Lost Dir".
void SearchLostNtfsData(EngineContext& ctx);

}  // namespace engine
