#pragma once
// Groups structures found at known sectors that carry their own cluster number
// (directory starts, index blocks) by the volume geometry they imply: for each
// cluster size S of 1, 2, 4 ... 128 sectors, the sector where cluster 0 would lie,
// sector - S x cluster. Two structures agree on a volume exactly when they share a
// group, so pairing them is a lookup instead of a comparison of every pair.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace engine {


// Sector of cluster 0 for a structure at `sector` with cluster number `cluster`;
// nothing when it would lie before sector 0 or beyond 32 bits.
std::optional<uint32_t> ClusterZeroSector(uint64_t sector, uint64_t cluster, uint32_t sectorsPerCluster);

class ClusterBaseIndex {
 public:
  struct Member {
    uint64_t Sector = 0;
    uint64_t Cluster = 0;
    uint32_t Position = 0;  // the caller's number for it (its list position)
  };
  // Members with a sector of 0 or a cluster of 0 belong to no group.
  explicit ClusterBaseIndex(const std::vector<Member>& members);

  // Positions, ascending, of the members whose sector is base + S x cluster.
  std::span<const uint32_t> Group(uint32_t sectorsPerCluster, uint32_t base) const;

 private:
  std::vector<uint64_t> keys_;
  std::vector<uint32_t> positions_;
};

inline constexpr uint32_t kClusterSizes[] = {1, 2, 4, 8, 16, 32, 64, 128};

}  // namespace engine
