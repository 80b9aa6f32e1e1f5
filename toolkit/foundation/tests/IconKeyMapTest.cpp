// The bookkeeping of icon sets: lookups by width in the framework map's walk
// order, the nearest width on a tie, and scaled copies filed once.
#include <gtest/gtest.h>

#include <memory>

#include "core/IconKeyMap.h"

using namespace kit;

namespace {

struct FakeIcon
{
    uint32_t width;
    bool alpha;
    bool scaled = false;
    uint32_t source = 0;
};

struct IconSet
{
    std::vector<std::unique_ptr<FakeIcon>> owned;
    IconKeyMap<FakeIcon*> icons;

    FakeIcon* Add(uint32_t width, bool alpha = false)
    {
        owned.push_back(std::make_unique<FakeIcon>(FakeIcon{width, alpha}));
        icons.Set(width, owned.back().get());
        return owned.back().get();
    }
    FakeIcon* Get(uint32_t width, bool closest = true)
    {
        return ResolveIconForWidth(icons, width, closest, [this](FakeIcon* from, uint32_t to) -> FakeIcon* {
            if (from->alpha)
                return nullptr;
            owned.push_back(std::make_unique<FakeIcon>(FakeIcon{to, false, true, from->width}));
            return owned.back().get();
        });
    }
};

}  // namespace

TEST(IconKeyMap, NearestWidthOnATieIsTheFirstInWalkOrderAndScaledOnce)
{
    IconSet set;
    set.Add(32);
    set.Add(16);
    FakeIcon* scaled = set.Get(24);
    ASSERT_NE(scaled, nullptr);
    EXPECT_TRUE(scaled->scaled);
    EXPECT_EQ(scaled->width, 24u);
    EXPECT_EQ(scaled->source, 16u);  // 16 and 32 are both 8 away; 16 is met first
    EXPECT_EQ(set.Get(24), scaled);  // filed under 24 now
    EXPECT_EQ(set.owned.size(), 3u);

    // Width 0 gives the narrowest, unscaled; without closest nothing.
    EXPECT_EQ(set.Get(0)->width, 16u);
    EXPECT_EQ(set.Get(48, false), nullptr);

    // Dropping scaled copies, as a refresh does.
    set.icons.RemoveIf([](uint32_t, FakeIcon* icon) { return icon->scaled; });
    EXPECT_EQ(set.icons.Count(), 2u);
    EXPECT_EQ(set.icons.Find(24), nullptr);
}

TEST(IconKeyMap, TieWithinOneBucketGoesToTheMostRecentlyFiled)
{
    IconSet set;
    set.Add(18);
    set.Add(22);  // same bucket as 18 (key / 16 = 1), filed later, so met first
    EXPECT_EQ(set.Get(20)->source, 22u);
    EXPECT_EQ(set.Get(0)->width, 18u);
    uint32_t first = 0;
    set.icons.ForEach([&first](uint32_t key, FakeIcon*) {
        if (first == 0)
            first = key;
    });
    EXPECT_EQ(first, 20u);  // 20 was filed last in bucket 1
}

TEST(IconKeyMap, AlphaIconsAreReturnedUnscaledAndEmptySetsGiveNothing)
{
    IconSet set;
    EXPECT_EQ(set.Get(16), nullptr);
    FakeIcon* alpha = set.Add(32, true);
    EXPECT_EQ(set.Get(16), alpha);
    EXPECT_EQ(set.icons.Count(), 1u);
}

TEST(IconKeyMap, WalkOrderFollowsBucketsThenRecency)
{
    IconKeyMap<int> map;
    for (uint32_t key : {0x10AABu, 5u, 300u, 17u, 20u})
        map.Set(key, static_cast<int>(key));
    std::vector<uint32_t> order;
    map.ForEach([&order](uint32_t key, int) { order.push_back(key); });
    // Buckets by key / 16 % 17: 5 in 0; 300, 17 and 20 in 1 (newest first); 0x10AAB in 16.
    EXPECT_EQ(order, (std::vector<uint32_t>{5, 20, 17, 300, 0x10AAB}));
    const auto replaced = map.Set(5, 50);
    EXPECT_TRUE(replaced.first);
    EXPECT_EQ(replaced.second, 5);
    EXPECT_EQ(map.Count(), 5u);
}
