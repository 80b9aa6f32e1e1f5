#pragma once
// The results list for an NTFS folder: the Quick Scan's tree lists, or after an
// Extensive Scan the tree folders with the files found by the raw scan.

#include <cstdint>

#include "EngineContext.h"
#include "listing/FileFilters.h"

namespace engine {

// Lists the folder with id `folderId` (5 is the root); in Extensive Scan mode on
// an NTFS volume hands over to FillFileListFromNtfs.
void FillFileListFromTree(EngineContext& ctx, uint32_t folderId, const FileFilterTable& filters);

// Lists the folder from the tree folders and the raw scan's files that lie in
// the volume in work.
void FillFileListFromNtfs(EngineContext& ctx, uint32_t folderId, const FileFilterTable& filters);

}  // namespace engine
