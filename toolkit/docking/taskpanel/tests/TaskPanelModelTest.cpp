#include "core/TaskPanelModel.h"

#include <gtest/gtest.h>

#include <vector>

using namespace kit::taskpanel;
using kit::KitRect;

namespace {

GroupItem* AddItem(Group& group, const std::u16string& caption, bool visible = true)
{
    auto item = std::make_unique<GroupItem>();
    item->caption = caption;
    item->visible = visible;
    return group.items.InsertAt(group.items.GetCount(), std::move(item));
}

TEST(TaskPanelModel, DefaultSidesTakeTheStyleDefaultOneByOne)
{
    KitRect margins = kTaskPanelDefaultRect;
    margins.left = 3;
    EXPECT_EQ(ApplyDefaultRect(margins, {7, 8, 9, 10}), (KitRect{3, 8, 9, 10}));
}

TEST(TaskPanelModel, DragFlagsFallThroughToThePanel)
{
    EXPECT_EQ(ResolveAllowDrag(kDragInherit, kDragInherit, kDragInherit), 0xCCu);
    EXPECT_EQ(ResolveAllowDrag(kDragInherit, kDragInherit, 0), 0u);  // the panel's initial value
    EXPECT_EQ(ResolveAllowDrag(kDragInherit, kDragCopyInGroup, 0), 0x02u);
    EXPECT_EQ(ResolveAllowDrag(kDragMoveOutside, kDragCopyInGroup, 0), 0x80u);
}

TEST(TaskPanelModel, ListInsertsMovesAndSkipsHiddenItems)
{
    Group group;
    AddItem(group, u"a");
    AddItem(group, u"b", false);
    AddItem(group, u"c");
    // An index beyond the count appends; the list never holds empty entries.
    GroupItem* d = group.items.InsertAt(99, std::make_unique<GroupItem>());
    EXPECT_EQ(group.items.IndexOf(d), 3);
    EXPECT_EQ(group.items.InsertAt(0, nullptr), nullptr);
    EXPECT_EQ(group.items.GetCount(), 4);
    EXPECT_EQ(group.items.GetAt(4), nullptr);
    EXPECT_EQ(group.items.GetAt(-1), nullptr);

    EXPECT_EQ(group.items.GetNextVisibleIndex(0, 1), 2);
    EXPECT_EQ(group.items.GetNextVisibleIndex(2, -1), 0);
    EXPECT_EQ(group.items.GetNextVisibleIndex(3, 1), -1);
    EXPECT_EQ(group.items.GetFirstVisibleItem()->caption, u"a");
    EXPECT_EQ(group.items.GetLastVisibleItem(), d);

    group.items.Move(d, 0);
    EXPECT_EQ(group.items.IndexOf(d), 0);
    GroupItem absent;
    group.items.Move(&absent, 0);
    group.items.RemoveAt(4);
    group.items.RemoveAt(-1);
    EXPECT_EQ(group.items.GetCount(), 4);
    group.items.Remove(d);
    EXPECT_EQ(group.items.GetCount(), 3);
    EXPECT_EQ(group.items.GetAt(0)->caption, u"a");
}

// An item that looks, as it is destroyed, at whether anything still points at it.
class ProbeItem : public GroupItem
{
public:
    ProbeItem(const Group& group, const PanelReferences& references, bool& sawStalePointer)
        : group_(group), references_(references), sawStalePointer_(sawStalePointer)
    {
    }
    ~ProbeItem() override
    {
        const PanelReferences& r = references_;
        if (group_.items.IndexOf(this) >= 0 || r.hot == this || r.focused == this || r.pressed == this ||
            r.dragged == this || r.dropMark == this)
            sawStalePointer_ = true;
    }

private:
    const Group& group_;
    const PanelReferences& references_;
    bool& sawStalePointer_;
};

struct ReferenceCase
{
    const char* name;
    PanelItem* PanelReferences::*reference;
};

TEST(TaskPanelModel, RemovedItemIsUnlinkedAndForgottenBeforeItIsDeleted)
{
    const ReferenceCase cases[] = {
        {"hot", &PanelReferences::hot},         {"focused", &PanelReferences::focused},
        {"pressed", &PanelReferences::pressed}, {"dragged", &PanelReferences::dragged},
        {"drop mark", &PanelReferences::dropMark},
    };
    for (const ReferenceCase& c : cases)
    {
        PanelReferences references;
        Group group(&references);
        bool sawStalePointer = false;
        auto probe = std::make_unique<ProbeItem>(group, references, sawStalePointer);
        PanelItem* item = group.items.InsertAt(0, std::move(probe));
        AddItem(group, u"other");
        references.*c.reference = item;
        group.items.RemoveAt(0);
        EXPECT_EQ(references.*c.reference, nullptr) << c.name;
        EXPECT_FALSE(sawStalePointer) << c.name;
        EXPECT_EQ(group.items.GetCount(), 1) << c.name;
    }
}

TEST(TaskPanelModel, RemovedGroupTakesItsItemsReferencesWithIt)
{
    PanelReferences references;
    GroupList groups(&references);
    Group* first = groups.InsertAt(0, std::make_unique<Group>(&references));
    Group* second = groups.InsertAt(1, std::make_unique<Group>(&references));
    GroupItem* pressed = AddItem(*first, u"pressed");
    GroupItem* elsewhere = AddItem(*second, u"hot");
    references.pressed = pressed;
    references.dragged = pressed;
    references.hot = elsewhere;
    references.renamed = pressed;
    references.activeGroup = first;
    // The window side hears of the group and of each of its items, while
    // they still exist.
    std::vector<std::u16string> forgotten;
    references.onForget = [&forgotten](const PanelItem* item) { forgotten.push_back(item->caption); };
    first->caption = u"first";

    groups.Remove(first);
    ASSERT_GE(forgotten.size(), 2u);
    EXPECT_EQ(forgotten[0], u"pressed");
    EXPECT_EQ(forgotten[1], u"first");
    EXPECT_EQ(references.renamed, nullptr);
    EXPECT_EQ(references.pressed, nullptr);
    EXPECT_EQ(references.dragged, nullptr);
    EXPECT_EQ(references.activeGroup, nullptr);
    EXPECT_EQ(references.hot, elsewhere);

    groups.RemoveAll();
    EXPECT_EQ(references.hot, nullptr);
    EXPECT_EQ(groups.GetCount(), 0);
}

TEST(TaskPanelModel, FirstVisibleItemStartsARowWithinTheItems)
{
    Group group;
    for (int i = 0; i < 9; ++i)
        AddItem(group, u"x");
    group.itemsPerRow = 3;
    EXPECT_TRUE(group.SetFirstVisibleItem(7));
    EXPECT_EQ(group.firstVisibleItem, 6);
    EXPECT_FALSE(group.SetFirstVisibleItem(8));
    group.itemsPerRow = 1;
    group.SetFirstVisibleItem(50);
    EXPECT_EQ(group.firstVisibleItem, 8);
    group.SetFirstVisibleItem(-4);
    EXPECT_EQ(group.firstVisibleItem, 0);
}

TEST(TaskPanelModel, AnimationMovesAtLeastAPixelAndLandsWithTheLastStep)
{
    Group group;
    group.currentRect = {0, 0, 100, 20};
    group.targetRect = {0, 3, 100, 120};
    group.Animate(10);
    EXPECT_EQ(group.currentRect.top, 1);      // 3 / 10 rounds to 0, so one pixel
    EXPECT_EQ(group.currentRect.bottom, 30);  // 100 / 10
    group.Animate(1);
    EXPECT_EQ(group.currentRect, group.targetRect);
    EXPECT_FALSE(group.IsDirty());

    group.targetRect = {0, 0, 100, 20};
    group.Animate(0);
    EXPECT_EQ(group.currentRect, group.targetRect);
    EXPECT_EQ(StepToward(50, 40, 3), 47);
}

TEST(TaskPanelModel, ImageGridFillsRowsAndCountsOneRowWhenEmpty)
{
    const KitRect cells{10, 5, 110, 500};
    const ImageGrid grid = MeasureImageGrid(cells, {16, 16}, {6, 6, 6, 6});
    EXPECT_EQ(grid.cellWidth, 28);
    EXPECT_EQ(grid.perRow, 3);
    EXPECT_EQ(ImageCell(cells, grid, 4), (KitRect{38, 33, 66, 61}));
    EXPECT_EQ(ImageGridBottom(cells, grid, 0), 5 + 28);
    EXPECT_EQ(ImageGridBottom(cells, grid, 4), 5 + 2 * 28);
    // Cells wider than the area still make one per row.
    EXPECT_EQ(MeasureImageGrid({0, 0, 10, 10}, {32, 32}, {6, 6, 6, 6}).perRow, 1);
}

TEST(TaskPanelModel, ExtraHeightIsSharedByWeightAndPushesLaterItemsDown)
{
    Group group;
    int top = 0;
    const struct
    {
        bool autoHeight;
        int weight;
    } rows[] = {{true, 0}, {false, 0}, {true, 0}, {true, 2}, {false, 0}};
    for (const auto& row : rows)
    {
        GroupItem* item = AddItem(group, u"row");
        item->autoHeight = row.autoHeight;
        item->itemSize = {0, row.weight};
        item->itemRect = {0, top, 50, top + 20};
        top += 20;
    }
    DistributeExtraHeight(group.items, 10);
    const int heights[] = {22, 20, 22, 26, 20};
    const int tops[] = {0, 22, 42, 64, 90};
    for (int i = 0; i < 5; ++i)
    {
        EXPECT_EQ(group.items.GetAt(i)->itemRect.Height(), heights[i]) << i;
        EXPECT_EQ(group.items.GetAt(i)->itemRect.top, tops[i]) << i;
    }
}

}  // namespace
