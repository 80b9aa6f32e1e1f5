#pragma once
// The file-system page's worker: builds the folder tree of the found volume the
// user chose (ActiveVolume, ActiveVolumeNumber) and lists its root folder.

#include "EngineContext.h"
#include "listing/FileFilters.h"

namespace engine {

// Returns 0, the thread's exit code. `filters` are the user's file filters for the
// root's listing.
int FileSystemScanThreadProc(EngineContext& ctx, const FileFilterTable& filters);

}  // namespace engine
