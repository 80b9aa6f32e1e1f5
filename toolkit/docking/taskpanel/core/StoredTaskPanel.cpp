#include "StoredTaskPanel.h"

#include <algorithm>
#include <string>

namespace kit::taskpanel {

namespace {

// The same call stores or loads one key; a value missing from a store loads
// as the key's default.
class KeyExchange
{
public:
    KeyExchange(PanelSection& section, bool loading) : section_(section), loading_(loading) {}

    void Long(std::u16string_view name, int32_t& value, int32_t fallback)
    {
        if (loading_)
            value = section_.ReadLong(name).value_or(fallback);
        else
            section_.WriteLong(name, value);
    }
    void Flags(std::u16string_view name, uint32_t& value, uint32_t fallback)
    {
        int32_t stored = static_cast<int32_t>(value);
        Long(name, stored, static_cast<int32_t>(fallback));
        value = static_cast<uint32_t>(stored);
    }
    void Bool(std::u16string_view name, bool& value, bool fallback)
    {
        int32_t stored = value ? 1 : 0;
        Long(name, stored, fallback ? 1 : 0);
        value = stored != 0;
    }
    void String(std::u16string_view name, std::u16string& value)
    {
        if (loading_)
            value = section_.ReadString(name).value_or(std::u16string());
        else
            section_.WriteString(name, value);
    }
    // Margins and sizes feed the layout's sums, so a stored side beyond any
    // screen takes the style's default and a size is kept within one.
    void Rect(std::u16string_view name, KitRect& value, const KitRect& fallback)
    {
        if (!loading_)
        {
            section_.WriteRect(name, value);
            return;
        }
        value = section_.ReadRect(name).value_or(fallback);
        for (int* side : {&value.left, &value.top, &value.right, &value.bottom})
            if (*side != kDefaultSide && (*side < -kMaxStoredExtent || *side > kMaxStoredExtent))
                *side = kDefaultSide;
    }
    void Size(std::u16string_view name, KitSize& value)
    {
        if (!loading_)
        {
            section_.WriteSize(name, value);
            return;
        }
        value = section_.ReadSize(name).value_or(KitSize{});
        value.cx = std::clamp(value.cx, 0, kMaxStoredExtent);
        value.cy = std::clamp(value.cy, 0, kMaxStoredExtent);
    }

private:
    PanelSection& section_;
    bool loading_;
};

std::u16string ItemSectionName(int index)
{
    std::u16string name = u"Item";
    for (const char digit : std::to_string(index))
        name.push_back(static_cast<char16_t>(digit));
    return name;
}

}  // namespace

const char* PanelLoadErrorName(PanelLoadError error)
{
    switch (error)
    {
    case PanelLoadError::None: return "none";
    case PanelLoadError::NoPanel: return "no panel or no store to load";
    case PanelLoadError::BadCount: return "negative item count";
    case PanelLoadError::CountBeyondData: return "item count beyond the stored items";
    case PanelLoadError::BadClass: return "item section of a class other than a group item";
    }
    return "unknown";
}

void ExchangeItemKeys(PanelItem& item, PanelSection& section, bool loading, int32_t schema)
{
    KeyExchange keys(section, loading);
    keys.String(u"Caption", item.caption);
    keys.String(u"Tooltip", item.tooltip);
    keys.Long(u"Id", item.id, 0);
    // The kind of an object is its class; a stored type only refines a group item.
    int32_t type = item.type;
    keys.Long(u"Type", type, kTypeLink);
    if (loading && !item.IsGroup() && type != kTypeGroup)
        item.type = type;
    keys.Long(u"IconIndex", item.iconIndex, -1);
    keys.Bool(u"Enabled", item.enabled, true);
    keys.Flags(u"AllowDrag", item.allowDrag, kDragInherit);
    keys.Bool(u"AllowDrop", item.allowDrop, true);
    if (schema > 8)
    {
        keys.Bool(u"Visible", item.visible, true);
        keys.Rect(u"IconPadding", item.iconPadding, kTaskPanelDefaultRect);
    }
}

void ExchangeGroupItemKeys(GroupItem& item, PanelSection& section, bool loading, int32_t schema)
{
    ExchangeItemKeys(item, section, loading, schema);
    KeyExchange keys(section, loading);
    keys.Rect(u"Margins", item.margins, kTaskPanelDefaultRect);
    keys.Bool(u"Bold", item.bold, false);
    keys.Size(u"ItemSize", item.itemSize);
    keys.Bool(u"Selected", item.selected, false);
    if (schema > 8)
        keys.Bool(u"AutoHeight", item.autoHeight, false);
    if (schema > 9)
        keys.String(u"DragText", item.dragText);
}

namespace {

void ExchangeGroupKeys(Group& group, PanelSection& section, bool loading, int32_t schema)
{
    ExchangeItemKeys(group, section, loading, schema);
    KeyExchange keys(section, loading);
    keys.Bool(u"CaptionVisible", group.captionVisible, true);
    keys.Bool(u"Expandable", group.expandable, true);
    keys.Bool(u"Expanded", group.expanded, false);
    keys.Bool(u"Special", group.special, false);
    keys.Long(u"Layout", group.layout, 0);
    keys.Rect(u"MarginsInner", group.innerMargins, kTaskPanelDefaultRect);
    keys.Rect(u"MarginsOuter", group.outerMargins, kTaskPanelDefaultRect);
    keys.Size(u"IconSize", group.iconSize);
}

}  // namespace

void StoreGroup(Group& group, PanelSection& section, int32_t schema)
{
    ExchangeGroupKeys(group, section, false, schema);
    std::unique_ptr<PanelSection> list = section.OpenSection(u"Items");
    if (!list)
        return;
    list->WriteCount(group.items.GetCount());
    for (int i = 0; i < group.items.GetCount(); ++i)
    {
        std::unique_ptr<PanelSection> itemSection = list->OpenSection(ItemSectionName(i));
        if (!itemSection)
            return;
        itemSection->WriteString(u"Class", std::u16string(kGroupItemClass));
        ExchangeGroupItemKeys(*group.items.GetAt(i), *itemSection, false, schema);
    }
}

PanelLoadError LoadGroup(Group* group, PanelSection* section, int32_t schema)
{
    if (!group || !section)
        return PanelLoadError::NoPanel;
    ExchangeGroupKeys(*group, *section, true, schema);
    group->items.RemoveAll();
    std::unique_ptr<PanelSection> list = section->OpenSection(u"Items");
    if (!list)
        return PanelLoadError::None;  // a group stored without items
    const int32_t count = list->ReadCount().value_or(0);
    if (count < 0)
        return PanelLoadError::BadCount;
    // Sections are read one by one, so a count far beyond the data costs nothing.
    for (int32_t i = 0; i < count; ++i)
    {
        std::unique_ptr<PanelSection> itemSection = list->OpenSection(ItemSectionName(i));
        // The registry answers every section, so a section without a class is
        // one the store never wrote.
        const std::optional<std::u16string> className =
            itemSection ? itemSection->ReadString(u"Class") : std::nullopt;
        if (!className)
            return PanelLoadError::CountBeyondData;
        if (*className != kGroupItemClass)
            return PanelLoadError::BadClass;
        auto item = std::make_unique<GroupItem>();
        ExchangeGroupItemKeys(*item, *itemSection, true, schema);
        group->items.InsertAt(group->items.GetCount(), std::move(item));
    }
    return PanelLoadError::None;
}

void StoreGroupItem(GroupItem& item, PanelSection& section)
{
    section.WriteString(u"Class", std::u16string(kGroupItemClass));
    ExchangeGroupItemKeys(item, section, false, kDefaultSchema);
}

std::unique_ptr<GroupItem> LoadGroupItem(PanelSection& section)
{
    if (section.ReadString(u"Class").value_or(std::u16string()) != kGroupItemClass)
        return nullptr;
    auto item = std::make_unique<GroupItem>();
    ExchangeGroupItemKeys(*item, section, true, kDefaultSchema);
    return item;
}

}  // namespace kit::taskpanel
