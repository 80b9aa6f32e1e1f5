// A stored group over hostile property trees: the bytes become a group's
// item sections with counts, classes, types, sizes and margins, which are
// loaded, laid out, placed and scrolled; a load that succeeds is stored and
// loaded again to the same number of items.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "FakeLayoutMetrics.h"
#include "MemoryPanelTree.h"
#include "core/GroupPlacement.h"
#include "core/StoredTaskPanel.h"

using namespace kit::taskpanel;

namespace {

const char16_t* const kClasses[] = {u"CKitTaskPanelGroupItem", u"CKitTaskPanelGroup", u""};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    size_t at = 0;
    auto next = [&]() -> int32_t {
        int32_t value = 0;
        const size_t take = std::min<size_t>(4, size - at);
        if (take > 0)
            std::memcpy(&value, data + at, take);
        at += take;
        return value;
    };
    auto root = std::make_shared<MemoryPanelData>();
    root->longs[u"Layout"] = next() & 3;
    root->sizes[u"IconSize"] = {next(), next()};
    root->rects[u"MarginsInner"] = {next(), next(), next(), next()};
    auto items = std::make_shared<MemoryPanelData>();
    root->sections[u"Items"] = items;
    items->longs[u"Count"] = next();
    const int sections = next() & 7;
    for (int i = 0; i < sections; ++i)
    {
        auto item = std::make_shared<MemoryPanelData>();
        const int32_t kind = next();
        if ((kind & 3) != 3)
            item->strings[u"Class"] = kClasses[kind & 3];
        item->longs[u"Type"] = next();
        item->longs[u"Visible"] = next() & 1;
        item->longs[u"AutoHeight"] = next() & 1;
        item->sizes[u"ItemSize"] = {next(), next()};
        item->rects[u"Margins"] = {next(), next(), next(), next()};
        items->sections[u"Item" + std::u16string(1, static_cast<char16_t>(u'0' + i))] = item;
    }

    PanelReferences references;
    GroupList groups(&references);
    Group* group = groups.InsertAt(0, std::make_unique<Group>(&references));
    MemoryPanelTree reader(root, false);
    const PanelLoadError error = LoadGroup(group, &reader);

    FakeLayoutMetrics metrics;
    PanelPlacement panel;
    panel.behaviour = 1;
    panel.activeGroup = group;
    panel.clientHeight = next() & 0xFFFF;  // a window, not stored data
    panel.layout.columnMode = (next() & 1) != 0;
    LayoutGroupItems(*group, {0, 0, 300, 0}, metrics, panel.layout);
    CalcGroupRect(*group, {0, 0, 300, 0}, true, groups, panel, metrics);
    ScrollItems(*group, next() % 8);
    if (const GroupItem* last = group->items.GetLastVisibleItem())
        EnsureItemVisible(*group, *last, panel, 7);
    references.pressed = group->items.GetFirstVisibleItem();

    if (error == PanelLoadError::None)
    {
        auto copy = std::make_shared<MemoryPanelData>();
        MemoryPanelTree writer(copy, true);
        StoreGroup(*group, writer);
        Group again;
        MemoryPanelTree rereader(copy, false);
        if (LoadGroup(&again, &rereader) != PanelLoadError::None || again.items.GetCount() != group->items.GetCount())
            std::abort();
    }
    groups.RemoveAll();
    if (references.pressed != nullptr)
        std::abort();
    return 0;
}
