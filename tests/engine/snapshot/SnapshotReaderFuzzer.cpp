// The snapshot reader over arbitrary bytes: decoding, then the folder-tree repair
// on whatever folders it gives. The first input byte picks the marker and the tag
// and version are put in front, so the inputs reach the header and the bodies.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "snapshot/FolderTreeRepair.h"
#include "snapshot/SnapshotDecoder.h"

namespace {

using engine::snapshot::DuplicateKeys;
using engine::snapshot::FolderLink;

// What the repair promises: the records the appender keeps (the first of a key, or
// every record once duplicates have keys of their own) form a tree. From any of
// them the parents lead to the root, "Lost Dir" or a key no record has, and no
// record stands where the root is.
void ExpectTree(const std::vector<FolderLink>& links, uint32_t rootKey, DuplicateKeys duplicates) {
  std::unordered_map<uint32_t, uint32_t> parentOf;
  for (const FolderLink& link : links) {
    if (link.Key == rootKey) std::abort();
    const bool added = parentOf.emplace(link.Key, link.Parent).second;
    if (!added && duplicates == DuplicateKeys::KeptByAppender) std::abort();
  }
  for (const auto& [key, parent] : parentOf) {
    std::unordered_set<uint32_t> seen{key};
    for (uint32_t up = parent; up != rootKey && up != engine::snapshot::kLostDirKey;) {
      const auto next = parentOf.find(up);
      if (next == parentOf.end()) break;
      if (!seen.insert(up).second) std::abort();  // a cycle the tree build would recurse into
      up = next->second;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace engine::snapshot;
  DecodeSnapshot(std::span<const uint8_t>(data, size));  // as given, bad tags included
  if (size == 0) return 0;
  static constexpr char16_t kMarkers[] = {kMarkerQuickScan, kMarkerExtensiveScan, kMarkerFileTrace};
  std::vector<uint8_t> bytes = {static_cast<uint8_t>(kMarkers[data[0] % 3]), 0};
  bytes.insert(bytes.end(), kTagBytes.begin(), kTagBytes.end());
  bytes.insert(bytes.end(), kVersionBytes.begin(), kVersionBytes.end());
  bytes.insert(bytes.end(), data + 1, data + size);
  const DecodedSnapshot decoded = DecodeSnapshot(bytes);
  if (!decoded.Contents) return 0;
  std::vector<FolderLink> links;
  for (const auto& folder : decoded.Contents->FatFolders) links.push_back({folder.FirstCluster, folder.ParentCluster});
  RepairFolderLinks(links, kFatRootCluster, DuplicateKeys::DroppedByAppender, {});
  ExpectTree(links, kFatRootCluster, DuplicateKeys::DroppedByAppender);
  links.clear();
  for (const auto& folder : decoded.Contents->NtfsFolders) links.push_back({folder.Id, folder.ParentId});
  RepairFolderLinks(links, kNtfsRootFolderId, DuplicateKeys::KeptByAppender, {});
  ExpectTree(links, kNtfsRootFolderId, DuplicateKeys::KeptByAppender);
  return 0;
}
