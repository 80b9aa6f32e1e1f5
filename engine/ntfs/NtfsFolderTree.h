#pragma once
// Files the NTFS folders a scan found into the tree lists as a tree. Parent ids
// come from damaged or reused records too: a folder can name itself or a folder
// below it as its parent, and a cycle would hide it and everything under it.

#include <vector>

#include "EngineContext.h"

namespace engine::ntfs {

// Appends `folders` with AddTreeFolder. The root's own record (id 5) is not
// filed: the tree's "Root" stands for it. A folder that is its own parent or
// closes a cycle is placed below "Lost Dir".
void AppendFolderTree(EngineContext& ctx, std::vector<TreeFolderNode>& folders);

}  // namespace engine::ntfs
