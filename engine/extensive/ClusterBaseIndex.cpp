#include "extensive/ClusterBaseIndex.h"

#include <algorithm>
#include <bit>

#include "EngineRecords.h"

namespace engine {
namespace {

uint64_t GroupKey(uint32_t sectorsPerCluster, uint32_t base) {
  return uint64_t{base} << 3 | static_cast<uint64_t>(std::countr_zero(sectorsPerCluster));
}

}  // namespace

std::optional<uint32_t> ClusterZeroSector(uint64_t sector, uint64_t cluster, uint32_t sectorsPerCluster) {
  if (cluster > sector / sectorsPerCluster) return std::nullopt;  // S x cluster > sector
  const uint64_t base = sector - cluster * sectorsPerCluster;
  if (base > UINT32_MAX) return std::nullopt;
  return static_cast<uint32_t>(base);
}

ClusterBaseIndex::ClusterBaseIndex(const std::vector<Member>& members) {
  std::vector<std::pair<uint64_t, uint32_t>> entries;
  entries.reserve(members.size() * std::size(kClusterSizes));
  for (const Member& member : members) {
    if (member.Sector == 0 || member.Cluster == 0) continue;
    for (uint32_t size : kClusterSizes) {
      if (auto base = ClusterZeroSector(member.Sector, member.Cluster, size)) {
        entries.emplace_back(GroupKey(size, *base), member.Position);
      }
    }
  }
  std::sort(entries.begin(), entries.end());
  keys_.reserve(entries.size());
  positions_.reserve(entries.size());
  for (const auto& [key, position] : entries) {
    keys_.push_back(key);
    positions_.push_back(position);
  }
}

std::span<const uint32_t> ClusterBaseIndex::Group(uint32_t sectorsPerCluster, uint32_t base) const {
  if (!IsValidSectorsPerCluster(sectorsPerCluster)) return {};
  const uint64_t key = GroupKey(sectorsPerCluster, base);
  const auto [first, last] = std::equal_range(keys_.begin(), keys_.end(), key);
  return std::span<const uint32_t>(positions_).subspan(static_cast<size_t>(first - keys_.begin()),
                                                       static_cast<size_t>(last - first));
}

}  // namespace engine
