// Stored auto-hide strips whose tabs name panes that are no longer there:
// the stale entries are dropped and the rest of the arrangement loads.
#include <gtest/gtest.h>

#include <functional>

#include "MemoryArrangementTree.h"
#include "SampleArrangement.h"
#include "core/StoredArrangement.h"

using namespace kit::docking;

namespace {

// In the sample, section 9 is the right strip holding group 10 with pane 11.
// A group the strip no longer names holds no pane: pane 11 loads closed.
struct StaleCase
{
    const char* name;
    std::function<void(MemorySection&)> damage;
    std::vector<int32_t> stripChildren;
    std::vector<int32_t> groupChildren;
    int32_t groupSelected;
};

void SetLong(MemorySection& root, const char16_t* section, const char16_t* key, int32_t value)
{
    root.sections[section]->longs[key] = value;
}

class StaleSideStrip : public testing::TestWithParam<StaleCase>
{
};

TEST_P(StaleSideStrip, EntryIsDroppedAndTheRestLoads)
{
    auto data = std::make_shared<MemorySection>();
    MemoryArrangementTree writer(data, true);
    ASSERT_EQ(StoreArrangement(SampleArrangement(), writer), ArrangementError::None);
    GetParam().damage(*data);
    MemoryArrangementTree reader(data, false);
    const ArrangementLoad load = LoadArrangement(reader);
    ASSERT_EQ(load.error, ArrangementError::None) << ArrangementErrorName(load.error);
    EXPECT_EQ(load.arrangement.Node(9)->children, GetParam().stripChildren);
    EXPECT_EQ(load.arrangement.Node(10)->children, GetParam().groupChildren);
    EXPECT_EQ(load.arrangement.Node(10)->selected, GetParam().groupSelected);
    // Everything else is as it was stored.
    StoredArrangement expected = SampleArrangement();
    StoredArrangement loaded = load.arrangement;
    for (StoredArrangement* a : {&expected, &loaded})
    {
        a->Node(9)->children.clear();
        a->Node(10)->children.clear();
        a->Node(10)->selected = 0;
    }
    EXPECT_EQ(loaded, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, StaleSideStrip,
    testing::Values(
        StaleCase{"group_beyond_nodes", [](auto& r) { SetLong(r, u"Pane-9", u"Pane-1", 99); }, {}, {}, 0},
        StaleCase{"group_zero", [](auto& r) { SetLong(r, u"Pane-9", u"Pane-1", 0); }, {}, {}, 0},
        StaleCase{"group_entry_absent", [](auto& r) { r.sections[u"Pane-9"]->longs.erase(u"Pane-1"); }, {}, {}, 0},
        StaleCase{"bare_pane_on_strip", [](auto& r) { SetLong(r, u"Pane-9", u"Pane-1", 11); }, {}, {}, 0},
        StaleCase{"pane_of_group_missing", [](auto& r) { SetLong(r, u"Pane-10", u"Pane-1", 99); }, {}, {}, 0},
        StaleCase{"one_of_two_panes_missing",
                  [](auto& r) {
                      SetLong(r, u"Pane-10", u"Panes", 2);
                      SetLong(r, u"Pane-10", u"Pane-2", 99);
                      SetLong(r, u"Pane-10", u"Selected", 99);
                  },
                  {10},
                  {11},
                  11}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StaleSideStrip, DockedGroupNamingNothingStillFailsTheLoad)
{
    // Only strips forgive: a docked group that lost a pane is damage.
    auto data = std::make_shared<MemorySection>();
    MemoryArrangementTree writer(data, true);
    ASSERT_EQ(StoreArrangement(SampleArrangement(), writer), ArrangementError::None);
    SetLong(*data, u"Pane-3", u"Pane-1", 99);
    MemoryArrangementTree reader(data, false);
    EXPECT_EQ(LoadArrangement(reader).error, ArrangementError::ChildMissing);
}

}  // namespace
