#include "extensive/DirectoryClusterOwners.h"

#include <algorithm>

namespace engine {

void DirectoryClusterOwners::NoteWalk(uint32_t folderKey, std::span<const uint32_t> clusters, bool open,
                                      uint32_t lastUsedCluster) {
  // A walk that read nothing learnt nothing about where the folder ends.
  if (clusters.empty()) return;
  read_.insert(clusters.begin(), clusters.end());
  const auto known = open_.find(folderKey);
  if (!open) {
    if (known != open_.end()) open_.erase(known);
    return;
  }
  OpenFolder& folder = open_[folderKey];
  folder.LastUsed = std::max(folder.LastUsed, lastUsedCluster);
  if (!clusters.empty()) folder.LastDirectoryCluster = clusters.back();
}

std::optional<uint32_t> DirectoryClusterOwners::OwnerByPlace(uint32_t cluster) const {
  std::optional<uint32_t> owner;
  uint32_t ownerLastUsed = 0;
  for (const auto& [key, folder] : open_) {
    const uint32_t lastUsed = folder.LastUsed;
    if (lastUsed >= cluster) continue;
    // Ties go to the lower key, so the choice does not depend on the map's order.
    if (!owner || lastUsed > ownerLastUsed || (lastUsed == ownerLastUsed && key < *owner)) {
      owner = key;
      ownerLastUsed = lastUsed;
    }
  }
  return owner;
}

uint32_t DirectoryClusterOwners::LastDirectoryCluster(uint32_t folderKey) const {
  const auto found = open_.find(folderKey);
  return found == open_.end() ? 0 : found->second.LastDirectoryCluster;
}

}  // namespace engine
