#include "extensive/DirectoryClusterOwners.h"

#include <algorithm>

namespace engine {

void DirectoryClusterOwners::NoteWalk(uint32_t folderKey, std::span<const uint32_t> clusters, bool open,
                                      uint32_t lastUsedCluster) {
  read_.insert(clusters.begin(), clusters.end());
  const auto known = open_.find(folderKey);
  if (!open) {
    if (known != open_.end()) open_.erase(known);
    return;
  }
  uint32_t& lastUsed = open_[folderKey];
  lastUsed = std::max(lastUsed, lastUsedCluster);
}

std::optional<uint32_t> DirectoryClusterOwners::OwnerByPlace(uint32_t cluster) const {
  std::optional<uint32_t> owner;
  uint32_t ownerLastUsed = 0;
  for (const auto& [key, lastUsed] : open_) {
    if (lastUsed >= cluster) continue;
    // Ties go to the lower key, so the choice does not depend on the map's order.
    if (!owner || lastUsed > ownerLastUsed || (lastUsed == ownerLastUsed && key < *owner)) {
      owner = key;
      ownerLastUsed = lastUsed;
    }
  }
  return owner;
}

}  // namespace engine
