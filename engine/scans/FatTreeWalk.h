#pragma once
// Quick Scan's walk of an intact FAT16 or FAT32 volume: every directory from the
// root, deleted entries and deleted folders included, into the FAT lists; then the
// results tree and the root's list are handed to the results page.

#include "EngineContext.h"
#include "listing/FileFilters.h"

namespace engine {

inline constexpr char16_t kRootFolderUnreadableText[] =
    u"The root folder of the drive could not be read completely. Files and folders stored in it may be "
    u"missing from the list; an Extensive Scan may find them.";

// Walks the volume of ActiveVolume into the FAT lists (released first). Folders
// are taken breadth-first in list order; a folder's first cluster is the key that
// keeps any directory from being walked twice, so loops on disk end. Stop ends the
// walk; what was found stays listed. A root directory that could not be read is
// reported with the message above.
void WalkFatVolume(EngineContext& ctx);

// WalkFatVolume, then the hand-over: "Root" in the results tree with the FAT
// folders under it, and the root's files in the list. Ends with
// ScanControl.StopOrDone 1 and ScanControl.Running 0. Returns the "Root" item.
TreeItem BuildFatTreeFromRoot(EngineContext& ctx, const FileFilterTable& filters);

}  // namespace engine
