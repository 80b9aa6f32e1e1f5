#pragma once
// Which folder a directory cluster belongs to when no chain leads to it: a quick
// format zeroes the FATs, so a folder's later clusters are found only by the raw
// scan. A folder grows where the volume's next free cluster is, that is after the
// data of the files it listed so far; its next cluster is therefore claimed by the
// folder still missing clusters (no end mark read yet) whose known clusters end
// last before it.

#include <cstdint>
#include <optional>
#include <span>
#include <unordered_map>
#include <unordered_set>

namespace engine {

class DirectoryClusterOwners {
 public:
  // A walk of the folder `folderKey` read `clusters` as its directory, in order;
  // `open` when it ended without the folder's end mark. `lastUsedCluster` is the
  // highest cluster its walks read or its files' data take.
  void NoteWalk(uint32_t folderKey, std::span<const uint32_t> clusters, bool open, uint32_t lastUsedCluster);
  bool WasRead(uint32_t cluster) const { return read_.contains(cluster); }
  // The open folder whose known clusters end last before `cluster`.
  std::optional<uint32_t> OwnerByPlace(uint32_t cluster) const;
  // The directory cluster an open folder's walks read last (a long name may go on
  // from its end into the folder's next cluster); 0 when unknown.
  uint32_t LastDirectoryCluster(uint32_t folderKey) const;

 private:
  struct OpenFolder {
    uint32_t LastUsed = 0;
    uint32_t LastDirectoryCluster = 0;
  };
  std::unordered_set<uint32_t> read_;
  // The open folders only, by key: few are.
  std::unordered_map<uint32_t, OpenFolder> open_;
};

}  // namespace engine
