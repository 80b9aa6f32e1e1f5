#pragma once
// Folder records read from a snapshot are linked by keys (a FAT folder's first
// cluster, an NTFS folder's id) to their parents' keys, and the results tree is
// built by recursing from the root key through those links. A damaged or
// hand-made file can link them into a cycle, which would recurse without end.
// This repair makes the links a tree before the records are appended: a record
// that would close a cycle is moved below "Lost Dir" (key 0xFFFFFFFE, below the
// root), and one that cannot keep its key gets a fresh key with no children.

#include <cstdint>
#include <unordered_set>
#include <vector>

namespace engine::snapshot {

struct FolderLink {
  uint32_t Key = 0;
  uint32_t Parent = 0;
};

// What the appender does with a second record of the same key.
enum class DuplicateKeys {
  DroppedByAppender,  // only the first counts (FAT folders, NTFS folders of "A")
  KeptByAppender,     // appended again (NTFS folders of "D"): the repair re-keys them
};

struct FolderRepairResult {
  bool NeedsLostDir = false;  // records were moved below "Lost Dir" and none is listed
  int RecordsMoved = 0;
};

// Repairs the links in place. `otherUsedKeys` are keys that must not be handed out
// as fresh keys (the parents named by the files).
FolderRepairResult RepairFolderLinks(std::vector<FolderLink>& links, uint32_t rootKey, DuplicateKeys duplicates,
                                     const std::unordered_set<uint32_t>& otherUsedKeys);

}  // namespace engine::snapshot
