#include "snapshot/FolderTreeRepair.h"

#include <unordered_map>

#include "snapshot/SnapshotFormat.h"

namespace engine::snapshot {
namespace {

// Hands out keys that no record, file or special folder uses, counting down
// from just below "Lost Dir".
class FreshKeys {
 public:
  FreshKeys(const std::vector<FolderLink>& links, const std::unordered_set<uint32_t>& otherUsed, uint32_t rootKey)
      : used_(otherUsed) {
    for (const FolderLink& link : links) {
      used_.insert(link.Key);
      used_.insert(link.Parent);
    }
    used_.insert(rootKey);
    used_.insert(kLostDirKey);
  }
  uint32_t Next() {
    while (used_.count(next_) != 0) --next_;
    used_.insert(next_);
    return next_;
  }

 private:
  std::unordered_set<uint32_t> used_;
  uint32_t next_ = kLostDirKey - 1;
};

}  // namespace

FolderRepairResult RepairFolderLinks(std::vector<FolderLink>& links, uint32_t rootKey, DuplicateKeys duplicates,
                                     const std::unordered_set<uint32_t>& otherUsedKeys) {
  FolderRepairResult result;
  FreshKeys fresh(links, otherUsedKeys, rootKey);
  auto moveToLostDir = [&](FolderLink& link) {
    link.Parent = kLostDirKey;
    ++result.RecordsMoved;
  };

  // First pass: records that loop on themselves or stand where the root is.
  // `owner` maps each key to the record the appender keeps for it.
  std::unordered_map<uint32_t, std::size_t> owner;
  owner.reserve(links.size());
  for (std::size_t i = 0; i < links.size(); ++i) {
    FolderLink& link = links[i];
    const bool duplicate = owner.count(link.Key) != 0;
    if (link.Key == rootKey || (duplicate && duplicates == DuplicateKeys::KeptByAppender)) {
      // Its children would be the root's (or another folder's) again.
      link.Key = fresh.Next();
      moveToLostDir(link);
    } else if (duplicate) {
      continue;  // the appender drops it
    } else if (link.Key == kLostDirKey) {
      link.Parent = rootKey;  // "Lost Dir" always hangs below the root
    } else if (link.Parent == link.Key) {
      moveToLostDir(link);
    }
    owner.emplace(link.Key, i);
  }

  // Second pass: longer cycles among the kept records. Each key has one parent, so
  // walking up from any record either ends (root, "Lost Dir", a missing parent)
  // or comes back to a key of the same walk; that key's record is moved.
  enum class Mark : uint8_t { OnWalk, Done };
  std::unordered_map<uint32_t, Mark> marks;
  marks.reserve(owner.size());
  std::vector<uint32_t> walk;
  for (std::size_t i = 0; i < links.size(); ++i) {
    const auto kept = owner.find(links[i].Key);
    if (kept == owner.end() || kept->second != i) continue;
    walk.clear();
    uint32_t key = links[i].Key;
    while (key != rootKey && key != kLostDirKey && owner.count(key) != 0 && marks.count(key) == 0) {
      marks[key] = Mark::OnWalk;
      walk.push_back(key);
      key = links[owner.at(key)].Parent;
    }
    const auto found = marks.find(key);
    if (found != marks.end() && found->second == Mark::OnWalk) moveToLostDir(links[owner.at(key)]);
    for (uint32_t walked : walk) marks[walked] = Mark::Done;
  }

  bool lostDirListed = owner.count(kLostDirKey) != 0;
  if (!lostDirListed) {
    for (const FolderLink& link : links) {
      if (link.Parent == kLostDirKey) {
        result.NeedsLostDir = true;
        break;
      }
    }
  }
  return result;
}

}  // namespace engine::snapshot
