// How the results tree's items stand for the engine's folders and files: a
// folder item names a FAT folder (by its first cluster), an NTFS folder (by its
// record number) or, after File Trace, a type or an extension of the hits. The
// root "Root" stands for the volume's root folder (cluster 0, record 5) or, in
// File Trace, for every hit.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "EngineContext.h"
#include "Framework.h"

class CTreeCtrl;

namespace results {

inline constexpr uint32_t kFatRootKey = 0;
inline constexpr uint32_t kNtfsRootKey = 5;

enum class ResultKind { Fat, Ntfs, FileTrace, None };

ResultKind KindOf(const engine::EngineContext& ctx);

// The key of the folder the item stands for (the root's key for the root or an
// item without a record); nothing in File Trace or without a file system.
std::optional<uint32_t> FolderKeyOf(engine::EngineContext& ctx, const CTreeCtrl& tree, HTREEITEM item);

// The IDs (as the list's ID column shows them) of the files that lie directly in
// the item's folder; in File Trace, of the hits an extension item holds.
std::vector<uint32_t> OwnFileIds(engine::EngineContext& ctx, const CTreeCtrl& tree, HTREEITEM item);

// The key of the folder that holds the file with this ID; nothing when no file has it.
std::optional<uint32_t> ParentKeyOfFile(engine::EngineContext& ctx, uint32_t fileId);

// The tree item of the folder with this key (the root for the root's key); null when none.
HTREEITEM FolderItemOfKey(engine::EngineContext& ctx, const CTreeCtrl& tree, uint32_t key);

// Whether the folder of the item was found deleted.
bool IsDeletedFolder(engine::EngineContext& ctx, HTREEITEM item);

}  // namespace results
