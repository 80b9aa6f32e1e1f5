#include "SectorRanges.h"

#include <algorithm>

namespace engine {

uint64_t SectorRanges::Add(uint64_t first, uint64_t count) {
  if (count == 0) return 0;
  uint64_t end = first + std::min(count, UINT64_MAX - first);
  uint64_t start = first;
  std::lock_guard lock(mutex_);
  uint64_t alreadyHeld = 0;
  auto it = ranges_.upper_bound(start);
  if (it != ranges_.begin() && std::prev(it)->second >= start) --it;
  // Merge every range that overlaps or touches [start, end).
  while (it != ranges_.end() && it->first <= end) {
    const uint64_t overlapFrom = std::max(start, it->first);
    const uint64_t overlapTo = std::min(end, it->second);
    if (overlapTo > overlapFrom) alreadyHeld += overlapTo - overlapFrom;
    start = std::min(start, it->first);
    end = std::max(end, it->second);
    it = ranges_.erase(it);
  }
  ranges_.emplace(start, end);
  const uint64_t added = std::min(count, UINT64_MAX - first) - alreadyHeld;
  count_ += added;
  return added;
}

uint64_t SectorRanges::Count() const {
  std::lock_guard lock(mutex_);
  return count_;
}

void SectorRanges::Clear() {
  std::lock_guard lock(mutex_);
  ranges_.clear();
  count_ = 0;
}

}  // namespace engine
