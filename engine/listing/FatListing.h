#pragma once
// The results list of one FAT folder.

#include <cstdint>

#include "EngineContext.h"
#include "FileFilters.h"

namespace engine {

// Lists the folder whose first cluster is `parentCluster` (0 = the root): the
// Parent row unless it is the root, its folders, then its files that pass the
// filters, in the order they were found; dates are the write and access dates.
// The Parent row is then shown ticked, and the focus goes back to the tree.
void FillFileListFromFat(EngineContext& ctx, uint32_t parentCluster, const FileFilterTable& filters);

}  // namespace engine
