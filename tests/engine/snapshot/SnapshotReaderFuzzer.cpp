// The snapshot reader over arbitrary bytes: decoding, then the folder-tree repair
// on whatever folders it gives. The first input byte picks the marker and the tag
// and version are put in front, so the inputs reach the header and the bodies.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "snapshot/FolderTreeRepair.h"
#include "snapshot/SnapshotDecoder.h"

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
  links.clear();
  for (const auto& folder : decoded.Contents->NtfsFolders) links.push_back({folder.Id, folder.ParentId});
  RepairFolderLinks(links, kNtfsRootFolderId, DuplicateKeys::KeptByAppender, {});
  return 0;
}
