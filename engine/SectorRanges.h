#pragma once
// A set of sector numbers kept as merged ranges, so that a sector met again (a
// FAT read for every chain, a folder read by the scan and again by the save)
// counts once, and a bad area of millions of sectors stays a few entries.

#include <cstdint>
#include <map>
#include <mutex>

namespace engine {

class SectorRanges {
 public:
  // Takes in [first, first + count); gives how many of them were not held before.
  uint64_t Add(uint64_t first, uint64_t count);
  uint64_t Count() const;
  void Clear();

 private:
  // The reader's thread adds while the user-interface thread may read the count.
  mutable std::mutex mutex_;
  std::map<uint64_t, uint64_t> ranges_;  // first sector -> one past the last
  uint64_t count_ = 0;
};

}  // namespace engine
