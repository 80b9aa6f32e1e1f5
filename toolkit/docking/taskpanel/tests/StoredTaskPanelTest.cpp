#include "core/StoredTaskPanel.h"

#include <gtest/gtest.h>

#include <functional>

#include "MemoryPanelTree.h"
#include "SamplePanelGroup.h"

using namespace kit::taskpanel;
using kit::KitRect;

namespace {

std::shared_ptr<MemoryPanelData> Stored(Group& group, int32_t schema = kDefaultSchema)
{
    auto data = std::make_shared<MemoryPanelData>();
    MemoryPanelTree writer(data, true);
    StoreGroup(group, writer, schema);
    return data;
}

TEST(StoredTaskPanel, GroupRoundTripKeepsEveryKey)
{
    Group sample;
    FillSample(sample);
    auto data = Stored(sample);
    EXPECT_EQ(data->sections[u"Items"]->longs[u"Count"], 3);
    EXPECT_EQ(data->sections[u"Items"]->sections[u"Item2"]->strings[u"Class"], u"CKitTaskPanelGroupItem");

    PanelReferences references;
    Group loaded(&references);
    {
        // Items held before the load go, and the panel forgets them.
        references.hot = loaded.items.InsertAt(0, std::make_unique<GroupItem>());
    }
    MemoryPanelTree reader(data, false);
    ASSERT_EQ(LoadGroup(&loaded, &reader), PanelLoadError::None);
    EXPECT_EQ(references.hot, nullptr);
    EXPECT_EQ(loaded.caption, sample.caption);
    EXPECT_EQ(loaded.tooltip, sample.tooltip);
    EXPECT_EQ(loaded.id, 40);
    EXPECT_EQ(loaded.type, kTypeGroup);
    EXPECT_TRUE(loaded.special);
    EXPECT_FALSE(loaded.expanded);
    EXPECT_EQ(loaded.layout, 1);
    EXPECT_EQ(loaded.innerMargins, sample.innerMargins);
    EXPECT_EQ(loaded.outerMargins, kTaskPanelDefaultRect);
    EXPECT_EQ(loaded.iconSize, sample.iconSize);
    EXPECT_EQ(loaded.allowDrag, sample.allowDrag);
    ASSERT_EQ(loaded.items.GetCount(), 3);
    for (int i = 0; i < 3; ++i)
        ExpectSameItem(*loaded.items.GetAt(i), *sample.items.GetAt(i));
}

TEST(StoredTaskPanel, OlderSchemasLeaveTheirLaterKeysAtDefaults)
{
    Group sample;
    FillSample(sample);
    auto data = Stored(sample);
    for (const int32_t schema : {8, 9})
    {
        Group loaded;
        MemoryPanelTree reader(data, false);
        ASSERT_EQ(LoadGroup(&loaded, &reader, schema), PanelLoadError::None);
        const GroupItem& hidden = *loaded.items.GetAt(2);
        EXPECT_EQ(hidden.visible, schema == 8) << schema;
        EXPECT_EQ(hidden.iconPadding == kTaskPanelDefaultRect, schema == 8) << schema;
        EXPECT_EQ(hidden.autoHeight, schema == 9) << schema;
        EXPECT_EQ(hidden.dragText, u"") << schema;
    }
}

TEST(StoredTaskPanel, OneItemTravelsAlone)
{
    Group sample;
    FillSample(sample);
    auto data = std::make_shared<MemoryPanelData>();
    MemoryPanelTree writer(data, true);
    StoreGroupItem(*sample.items.GetAt(1), writer);
    MemoryPanelTree reader(data, false);
    std::unique_ptr<GroupItem> item = LoadGroupItem(reader);
    ASSERT_TRUE(item);
    ExpectSameItem(*item, *sample.items.GetAt(1));

    data->strings[u"Class"] = u"CKitTaskPanelGroup";
    EXPECT_EQ(LoadGroupItem(reader), nullptr);
}

struct Damage
{
    const char* name;
    std::function<void(MemoryPanelData&)> apply;
    PanelLoadError expected;
    int itemsKept;
};

TEST(StoredTaskPanel, DamagedStoresAreRefusedWithTheItemsReadSoFar)
{
    const auto items = [](MemoryPanelData& root) -> MemoryPanelData& { return *root.sections[u"Items"]; };
    const Damage damages[] = {
        {"count beyond the sections", [&](MemoryPanelData& d) { items(d).longs[u"Count"] = 5; },
         PanelLoadError::CountBeyondData, 3},
        {"count far beyond the data", [&](MemoryPanelData& d) { items(d).longs[u"Count"] = 0x7FFFFFFF; },
         PanelLoadError::CountBeyondData, 3},
        {"negative count", [&](MemoryPanelData& d) { items(d).longs[u"Count"] = -1; }, PanelLoadError::BadCount, 0},
        {"a section missing in the middle", [&](MemoryPanelData& d) { items(d).sections.erase(u"Item1"); },
         PanelLoadError::CountBeyondData, 1},
        {"a section without its class", [&](MemoryPanelData& d) { items(d).sections[u"Item1"]->strings.clear(); },
         PanelLoadError::CountBeyondData, 1},
        {"a group where an item belongs",
         [&](MemoryPanelData& d) { items(d).sections[u"Item2"]->strings[u"Class"] = u"CKitTaskPanelGroup"; },
         PanelLoadError::BadClass, 2},
        {"no item list at all", [](MemoryPanelData& d) { d.sections.clear(); }, PanelLoadError::None, 0},
    };
    for (const Damage& damage : damages)
    {
        Group sample;
        FillSample(sample);
        auto data = Stored(sample);
        damage.apply(*data);
        Group loaded;
        MemoryPanelTree reader(data, false);
        EXPECT_EQ(LoadGroup(&loaded, &reader), damage.expected) << damage.name;
        EXPECT_EQ(loaded.items.GetCount(), damage.itemsKept) << damage.name;
    }
}

TEST(StoredTaskPanel, NothingToLoadIntoOrFromIsRefused)
{
    Group sample;
    FillSample(sample);
    auto data = Stored(sample);
    MemoryPanelTree reader(data, false);
    EXPECT_EQ(LoadGroup(nullptr, &reader), PanelLoadError::NoPanel);
    Group loaded;
    EXPECT_EQ(LoadGroup(&loaded, nullptr), PanelLoadError::NoPanel);
    EXPECT_STREQ(PanelLoadErrorName(PanelLoadError::NoPanel), "no panel or no store to load");
}

TEST(StoredTaskPanel, StoredItemCannotPassItselfOffAsAGroup)
{
    // The panel treats type 0 as a group and looks at its items; an item
    // stored with that type stays an item of the type it was made with.
    Group sample;
    FillSample(sample);
    auto data = Stored(sample);
    data->sections[u"Items"]->sections[u"Item0"]->longs[u"Type"] = kTypeGroup;
    Group loaded;
    MemoryPanelTree reader(data, false);
    ASSERT_EQ(LoadGroup(&loaded, &reader), PanelLoadError::None);
    EXPECT_FALSE(loaded.items.GetAt(0)->IsGroup());
    EXPECT_EQ(loaded.items.GetAt(0)->type, kTypeText);
}

TEST(StoredTaskPanel, SidesAndSizesBeyondAnyScreenAreKeptWithinOne)
{
    Group sample;
    FillSample(sample);
    auto data = Stored(sample);
    MemoryPanelData& item = *data->sections[u"Items"]->sections[u"Item0"];
    item.rects[u"Margins"] = {0x7FFFFFF0, -40000, 12, kDefaultSide};
    item.sizes[u"ItemSize"] = {-5, 99999};
    Group loaded;
    MemoryPanelTree reader(data, false);
    ASSERT_EQ(LoadGroup(&loaded, &reader), PanelLoadError::None);
    EXPECT_EQ(loaded.items.GetAt(0)->margins, (KitRect{kDefaultSide, kDefaultSide, 12, kDefaultSide}));
    EXPECT_EQ(loaded.items.GetAt(0)->itemSize, (KitSize{0, kMaxStoredExtent}));
}

}  // namespace
