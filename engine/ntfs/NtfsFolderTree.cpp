#include "ntfs/NtfsFolderTree.h"

#include <unordered_set>

#include "ntfs/RecordFields.h"
#include "results/ResultStore.h"
#include "snapshot/FolderTreeRepair.h"

namespace engine::ntfs {

void AppendFolderTree(EngineContext& ctx, std::vector<TreeFolderNode>& folders) {
  std::erase_if(folders, [](const TreeFolderNode& folder) { return folder.Id == kRootRecord; });
  std::vector<snapshot::FolderLink> links;
  links.reserve(folders.size());
  for (const TreeFolderNode& folder : folders) links.push_back({folder.Id, folder.ParentId});
  std::unordered_set<uint32_t> fileParents;
  for (const TreeFileNode& file : ctx.Results.TreeFiles) fileParents.insert(file.ParentId);
  // In Extensive Scan mode AddTreeFolder keeps the first folder of an id.
  const snapshot::DuplicateKeys duplicates = ctx.RecoveryMode == kModeExtensiveScan
                                                 ? snapshot::DuplicateKeys::DroppedByAppender
                                                 : snapshot::DuplicateKeys::KeptByAppender;
  snapshot::RepairFolderLinks(links, kRootRecord, duplicates, fileParents);
  for (std::size_t i = 0; i < folders.size(); ++i) {
    folders[i].Id = links[i].Key;
    folders[i].ParentId = links[i].Parent;
    AddTreeFolder(ctx, std::move(folders[i]));
  }
}

}  // namespace engine::ntfs
