#include "core/StoredArrangement.h"

#include <gtest/gtest.h>

#include <functional>

#include "MemoryArrangementTree.h"
#include "SampleArrangement.h"

using namespace kit::docking;

namespace {

std::shared_ptr<MemorySection> Stored(const StoredArrangement& arrangement)
{
    auto data = std::make_shared<MemorySection>();
    MemoryArrangementTree writer(data, true);
    EXPECT_EQ(StoreArrangement(arrangement, writer), ArrangementError::None);
    return data;
}

TEST(StoredArrangement, RoundTripGivesTheSameTree)
{
    const StoredArrangement sample = SampleArrangement();
    ASSERT_EQ(ValidateArrangement(sample), ArrangementError::None);
    auto data = Stored(sample);
    EXPECT_EQ(data->sections[u"Summary"]->longs[u"Panes"], 15);
    EXPECT_EQ(data->sections[u"Pane-12"]->longs.count(u"TopContaner"), 1u);
    MemoryArrangementTree reader(data, false);
    const ArrangementLoad load = LoadArrangement(reader);
    EXPECT_EQ(load.error, ArrangementError::None) << ArrangementErrorName(load.error);
    EXPECT_EQ(load.arrangement, sample);
}

TEST(StoredArrangement, OlderSchemaKeepsTheDefaultsOfLaterKeys)
{
    auto data = Stored(SampleArrangement());
    MemoryArrangementTree reader(data, false);
    const ArrangementLoad load = LoadArrangement(reader, 9);
    ASSERT_EQ(load.error, ArrangementError::None);
    EXPECT_EQ(load.arrangement.Node(7)->tabColor, -1);
    EXPECT_EQ(load.arrangement.Node(8)->helpId, 0);
}

TEST(StoredArrangement, DefaultIsTheViewAlone)
{
    const StoredArrangement fallback = DefaultArrangement();
    EXPECT_EQ(ValidateArrangement(fallback), ArrangementError::None);
    EXPECT_EQ(fallback.Node(fallback.client)->type, kNodeClient);
    EXPECT_EQ(fallback.Node(fallback.topContainer)->children, std::vector<int32_t>{1});
    auto empty = std::make_shared<MemorySection>();
    MemoryArrangementTree reader(empty, false);
    EXPECT_EQ(LoadArrangement(reader).error, ArrangementError::MissingSummary);
    EXPECT_EQ(LoadArrangementOrDefault(reader), fallback);
}

struct DamageCase
{
    const char* name;
    std::function<void(MemorySection&)> damage;
    ArrangementError expected;
};

void SetLong(MemorySection& root, const char16_t* section, const char16_t* key, int32_t value)
{
    root.sections[section]->longs[key] = value;
}

class DamagedStore : public testing::TestWithParam<DamageCase>
{
};

TEST_P(DamagedStore, IsRefusedForTheDefault)
{
    auto data = Stored(SampleArrangement());
    GetParam().damage(*data);
    MemoryArrangementTree reader(data, false);
    const ArrangementLoad load = LoadArrangement(reader);
    EXPECT_EQ(load.error, GetParam().expected) << ArrangementErrorName(load.error);
    EXPECT_EQ(LoadArrangementOrDefault(reader), DefaultArrangement());
}

INSTANTIATE_TEST_SUITE_P(
    Table, DamagedStore,
    testing::Values(
        DamageCase{"one_node", [](auto& r) { SetLong(r, u"Summary", u"Panes", 1); }, ArrangementError::TooFewNodes},
        DamageCase{"count_beyond_sections", [](auto& r) { SetLong(r, u"Summary", u"Panes", 0x7FFFFFFF); },
                   ArrangementError::BadNodeType},
        DamageCase{"unknown_type", [](auto& r) { SetLong(r, u"Pane-3", u"Type", 9); }, ArrangementError::BadNodeType},
        DamageCase{"pane_id_zero", [](auto& r) { SetLong(r, u"Pane-6", u"ID", 0); }, ArrangementError::PaneWithoutId},
        DamageCase{"client_names_split", [](auto& r) { SetLong(r, u"Summary", u"Client", 2); },
                   ArrangementError::BadClient},
        DamageCase{"client_missing", [](auto& r) { r.sections[u"Summary"]->longs.erase(u"Client"); },
                   ArrangementError::BadClient},
        DamageCase{"top_zero", [](auto& r) { SetLong(r, u"Summary", u"TopContainer", 0); },
                   ArrangementError::BadTopContainer},
        DamageCase{"top_names_tabs", [](auto& r) { SetLong(r, u"Summary", u"TopContainer", 3); },
                   ArrangementError::BadTopContainer},
        DamageCase{"floating_top_zero", [](auto& r) { SetLong(r, u"Pane-12", u"TopContaner", 0); },
                   ArrangementError::BadFloatingContainer},
        DamageCase{"floating_top_tabs", [](auto& r) { SetLong(r, u"Pane-12", u"TopContaner", 14); },
                   ArrangementError::BadFloatingContainer},
        DamageCase{"direction_four", [](auto& r) { SetLong(r, u"Pane-9", u"Direction", 4); },
                   ArrangementError::BadDirection},
        DamageCase{"direction_negative", [](auto& r) { SetLong(r, u"Pane-9", u"Direction", -1); },
                   ArrangementError::BadDirection},
        DamageCase{"child_beyond_nodes", [](auto& r) { SetLong(r, u"Pane-5", u"Pane-1", 99); },
                   ArrangementError::ChildMissing},
        DamageCase{"split_inside_tabs", [](auto& r) { SetLong(r, u"Pane-5", u"Pane-1", 4); },
                   ArrangementError::ChildOfWrongKind},
        DamageCase{"bare_pane_in_split", [](auto& r) { SetLong(r, u"Pane-2", u"Pane-1", 6); },
                   ArrangementError::ChildOfWrongKind},
        DamageCase{"huge_child_count", [](auto& r) { SetLong(r, u"Pane-5", u"Panes", 1000000); },
                   ArrangementError::BadChildCount},
        DamageCase{"negative_child_count", [](auto& r) { SetLong(r, u"Pane-5", u"Panes", -5); },
                   ArrangementError::BadChildCount},
        DamageCase{"pane_in_two_groups", [](auto& r) { SetLong(r, u"Pane-5", u"Pane-1", 6); },
                   ArrangementError::ChildWithTwoParents},
        DamageCase{"top_inside_itself", [](auto& r) { SetLong(r, u"Pane-4", u"Pane-2", 2); },
                   ArrangementError::Cycle},
        DamageCase{"selected_elsewhere", [](auto& r) { SetLong(r, u"Pane-5", u"Selected", 6); },
                   ArrangementError::BadSelection},
        DamageCase{"holder_is_split", [](auto& r) { SetLong(r, u"Pane-6", u"DockingHolder", 2); },
                   ArrangementError::BadHolder},
        DamageCase{"holder_beyond_nodes", [](auto& r) { SetLong(r, u"Pane-6", u"LastHolder", 77); },
                   ArrangementError::BadHolder},
        DamageCase{"client_cut_off",
                   [](auto& r) {
                       SetLong(r, u"Pane-4", u"Panes", 1);
                       SetLong(r, u"Pane-4", u"Pane-1", 5);
                   },
                   ArrangementError::ClientOutsideTree}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StoredArrangement, CyclesAmongSplitsAreFound)
{
    // Two splits holding each other hang below nothing; walking up from
    // either never ends without the step bound.
    StoredArrangement a = DefaultArrangement();
    a.nodes.push_back(SampleContainer(kNodeSplit, {4}));
    a.nodes.push_back(SampleContainer(kNodeSplit, {3}));
    EXPECT_EQ(ValidateArrangement(a), ArrangementError::Cycle);
}

TEST(StoredArrangement, TwoStripsOnOneSideAreRefusedAndNothingIsStored)
{
    StoredArrangement a = SampleArrangement();
    a.nodes.push_back(SampleContainer(kNodeSideStrip, {}));
    a.nodes.back().direction = 1;
    EXPECT_EQ(ValidateArrangement(a), ArrangementError::DuplicateSideStrip);
    auto data = std::make_shared<MemorySection>();
    MemoryArrangementTree writer(data, true);
    EXPECT_EQ(StoreArrangement(a, writer), ArrangementError::DuplicateSideStrip);
    EXPECT_TRUE(data->sections.empty());
}

}  // namespace
