#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

#include "snapshot/FolderTreeRepair.h"
#include "snapshot/SnapshotFormat.h"

namespace {

using namespace engine::snapshot;

constexpr uint32_t kRoot = 5;
constexpr uint32_t kLost = kLostDirKey;

// Walks the links from the root as the results tree does, through every record
// whose parent is the key (duplicates as the appender keeps them), with a cap; the folder count it
// reaches, or -1 when it would not end.
int FoldersReachedFromRoot(const std::vector<FolderLink>& links, bool withLostDir, DuplicateKeys duplicates) {
  std::multimap<uint32_t, uint32_t> children;
  std::set<uint32_t> keys;
  for (const FolderLink& link : links) {
    const bool first = keys.insert(link.Key).second;
    if (first || duplicates == DuplicateKeys::KeptByAppender) children.emplace(link.Parent, link.Key);
  }
  if (withLostDir) children.emplace(kRoot, kLost);
  int reached = 0;
  std::vector<std::pair<uint32_t, int>> stack = {{kRoot, 0}};
  while (!stack.empty()) {
    const auto [key, depth] = stack.back();
    stack.pop_back();
    if (depth > 64 || reached > 1000) return -1;
    const auto range = children.equal_range(key);
    for (auto it = range.first; it != range.second; ++it) {
      ++reached;
      stack.push_back({it->second, depth + 1});
    }
  }
  return reached;
}

struct RepairCase {
  const char* Name;
  std::vector<FolderLink> Links;
  DuplicateKeys Duplicates;
  std::vector<FolderLink> Expected;
  bool NeedsLostDir;
};

class FolderTreeRepairTest : public testing::TestWithParam<RepairCase> {};

TEST_P(FolderTreeRepairTest, MakesTheLinksATree) {
  std::vector<FolderLink> links = GetParam().Links;
  const FolderRepairResult result = RepairFolderLinks(links, kRoot, GetParam().Duplicates, {});
  ASSERT_EQ(links.size(), GetParam().Expected.size());
  for (std::size_t i = 0; i < links.size(); ++i) {
    EXPECT_EQ(links[i].Key, GetParam().Expected[i].Key) << i;
    EXPECT_EQ(links[i].Parent, GetParam().Expected[i].Parent) << i;
  }
  EXPECT_EQ(result.NeedsLostDir, GetParam().NeedsLostDir);
  EXPECT_GE(FoldersReachedFromRoot(links, result.NeedsLostDir, GetParam().Duplicates), 0);
}

constexpr uint32_t kFresh1 = kLost - 1;
constexpr uint32_t kFresh2 = kLost - 2;

INSTANTIATE_TEST_SUITE_P(
    Cases, FolderTreeRepairTest,
    testing::Values(
        RepairCase{"TreeStaysAsItIs", {{40, 5}, {41, 40}, {kLost, 5}, {42, kLost}}, DuplicateKeys::KeptByAppender,
                   {{40, 5}, {41, 40}, {kLost, 5}, {42, kLost}}, false},
        RepairCase{"OwnParent", {{40, 5}, {41, 41}}, DuplicateKeys::KeptByAppender, {{40, 5}, {41, kLost}}, true},
        RepairCase{"KeyedLikeTheRoot", {{5, 5}, {40, 5}}, DuplicateKeys::KeptByAppender,
                   {{kFresh1, kLost}, {40, 5}}, true},
        RepairCase{"DuplicateIdsKept", {{40, 5}, {41, 40}, {40, 41}}, DuplicateKeys::KeptByAppender,
                   {{40, 5}, {41, 40}, {kFresh1, kLost}}, true},
        RepairCase{"DuplicateIdsDropped", {{40, 5}, {41, 40}, {40, 41}}, DuplicateKeys::DroppedByAppender,
                   {{40, 5}, {41, 40}, {40, 41}}, false},
        RepairCase{"CycleOfThree", {{40, 42}, {41, 40}, {42, 41}, {43, 5}}, DuplicateKeys::KeptByAppender,
                   {{40, kLost}, {41, 40}, {42, 41}, {43, 5}}, true},
        RepairCase{"LostDirBelowItsChild", {{kLost, 40}, {40, kLost}}, DuplicateKeys::KeptByAppender,
                   {{kLost, 5}, {40, kLost}}, false},
        RepairCase{"FreshKeysSkipUsedOnes", {{kFresh1, 5}, {5, 5}, {5, 5}}, DuplicateKeys::KeptByAppender,
                   {{kFresh1, 5}, {kFresh2, kLost}, {kLost - 3, kLost}}, true}),
    [](const testing::TestParamInfo<RepairCase>& info) { return info.param.Name; });

TEST(FolderTreeRepair, FreshKeysAvoidTheFilesParents) {
  std::vector<FolderLink> links = {{5, 5}};
  RepairFolderLinks(links, kRoot, DuplicateKeys::KeptByAppender, {kFresh1});
  EXPECT_EQ(links[0].Key, kFresh2);
}

}  // namespace
