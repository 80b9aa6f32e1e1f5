#pragma once
// The end of every Quick Scan: the results tree and the root's file list are
// handed to the results page, whatever file system was walked.

#include <functional>

#include "EngineContext.h"

namespace engine {

// Inserts "Root" in the results tree, lets `addFolders` put the folders under it,
// expands it and lets `fillList` fill the list with the root's files. Ends with
// ScanControl.StopOrDone 1 and ScanControl.Running 0. Returns the "Root" item.
TreeItem HandOverToResultsPage(EngineContext& ctx, const std::function<void(TreeItem root)>& addFolders,
                               const std::function<void()>& fillList);

}  // namespace engine
