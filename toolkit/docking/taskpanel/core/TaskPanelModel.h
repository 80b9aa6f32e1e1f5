// The task panel's groups and items without a window: what each holds, the
// ordered lists that own them, the references the panel keeps to single items
// (hot, pressed, dragged ...), and the arithmetic of their layout. The window
// classes hold one of these models and add drawing, focus and notifications.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/GradientGeometry.h"

namespace kit::taskpanel {

// A side of a margin or padding rectangle that still holds this value takes
// the drawing style's own default for that side.
constexpr int32_t kDefaultSide = INT32_MIN;
constexpr KitRect kTaskPanelDefaultRect{kDefaultSide, kDefaultSide, kDefaultSide, kDefaultSide};

// Every side of `rect` left at kDefaultSide replaced by the side of `defaults`.
KitRect ApplyDefaultRect(const KitRect& rect, const KitRect& defaults);

struct KitSize
{
    int cx = 0;
    int cy = 0;
    bool operator==(const KitSize&) const = default;
};

enum ItemType : int32_t
{
    kTypeGroup = 0,
    kTypeLink = 1,
    kTypeText = 2,
    kTypeControl = 3,
};

// Drag flags; the value 1 means "the group, then the panel, decide".
enum DragFlags : uint32_t
{
    kDragInherit = 0x01,
    kDragCopyInGroup = 0x02,
    kDragCopyInPanel = 0x04,
    kDragCopyOutside = 0x08,
    kDragMoveInGroup = 0x20,
    kDragMoveInPanel = 0x40,
    kDragMoveOutside = 0x80,
    kDragDefault = 0xCC,
};

// What the window side keeps with an item (a hosted window and its picture,
// a group's client picture); it goes when the item goes.
class ItemAttachment
{
public:
    virtual ~ItemAttachment() = default;
};

class PanelItem
{
public:
    explicit PanelItem(int32_t type) : type(type) {}
    virtual ~PanelItem() = default;
    PanelItem(const PanelItem&) = delete;
    PanelItem& operator=(const PanelItem&) = delete;

    bool IsGroup() const { return type == kTypeGroup; }

    std::u16string caption;
    std::u16string tooltip;
    int32_t id = 0;
    int32_t type;
    int32_t iconIndex = -1;
    bool enabled = true;
    bool allowDrop = true;
    uint32_t allowDrag = kDragInherit;
    bool visible = true;
    KitRect iconPadding = kTaskPanelDefaultRect;
    // Where and how the drawing style last drew the caption (in-place renaming
    // puts its editor there).
    KitRect textRect;
    uint32_t textFormat = 0;
    std::unique_ptr<ItemAttachment> attachment;
};

class GroupItem : public PanelItem
{
public:
    GroupItem() : PanelItem(kTypeText) {}

    KitRect margins = kTaskPanelDefaultRect;
    KitRect itemRect;  // relative to the top of the group's client area
    bool bold = false;
    bool selected = false;
    KitSize itemSize;  // a fixed size, or the weight of an auto-height item
    std::u16string dragText;
    bool autoHeight = false;
};

class PanelReferences;

// An ordered list that owns its items. An item leaves the list (and every
// reference the panel holds to it is cleared) before it is destroyed, so no
// pointer to it survives its deletion.
template <typename Item>
class ItemList
{
public:
    explicit ItemList(PanelReferences* references = nullptr) : references_(references) {}
    ~ItemList() { RemoveAll(); }
    ItemList(const ItemList&) = delete;
    ItemList& operator=(const ItemList&) = delete;

    void SetReferences(PanelReferences* references) { references_ = references; }

    int GetCount() const { return static_cast<int>(items_.size()); }
    // Null out of range.
    Item* GetAt(int index) const;
    int IndexOf(const PanelItem* item) const;
    // An index beyond the count appends; a negative one inserts first.
    Item* InsertAt(int index, std::unique_ptr<Item> item);
    // Nothing when the item is absent or already there.
    void Move(const PanelItem* item, int index);
    // Out of range does nothing.
    void RemoveAt(int index);
    void Remove(const PanelItem* item) { RemoveAt(IndexOf(item)); }
    void RemoveAll();

    // The index of the next visible item from `index` by `step` (the start
    // itself is not examined), or -1.
    int GetNextVisibleIndex(int index, int step) const;
    Item* GetFirstVisibleItem() const;
    Item* GetLastVisibleItem() const;

private:
    std::unique_ptr<Item> Unlink(int index);

    std::vector<std::unique_ptr<Item>> items_;
    PanelReferences* references_;
};

class Group : public PanelItem
{
public:
    explicit Group(PanelReferences* references = nullptr) : PanelItem(kTypeGroup), items(references) {}

    KitRect targetRect;
    KitRect currentRect;
    KitRect outerMargins = kTaskPanelDefaultRect;
    KitRect innerMargins = kTaskPanelDefaultRect;
    int32_t captionHeight = 0;
    bool special = false;
    bool expandable = true;
    bool expanded = true;
    bool expanding = false;
    int32_t clientHeight = 0;
    bool captionVisible = true;
    int32_t firstVisibleItem = 0;
    int32_t itemsPerRow = 1;
    KitSize iconSize;
    int32_t layout = 0;
    ItemList<GroupItem> items;

    bool IsDirty() const { return visible && !(currentRect == targetRect); }
    // Stores `index` aligned to the start of its row and clamped to the items;
    // true when the stored index changed.
    bool SetFirstVisibleItem(int index);
    // One animation step toward the target rectangle; below 1 it lands there.
    void Animate(int steps);
};

// The single items the panel points at. Whatever leaves a list is forgotten
// here first; a group that leaves takes its items' references with it.
class PanelReferences
{
public:
    PanelItem* hot = nullptr;
    PanelItem* focused = nullptr;
    PanelItem* pressed = nullptr;
    PanelItem* dragged = nullptr;
    PanelItem* dropMark = nullptr;
    PanelItem* renamed = nullptr;  // the item an in-place editor is open for
    Group* activeGroup = nullptr;
    // Told of every item that goes, before it is destroyed (the window side
    // drops what it keeps for the item).
    std::function<void(const PanelItem*)> onForget;

    void Forget(const PanelItem* item);
};

// The panel's groups.
using GroupList = ItemList<Group>;

// Algorithms shared by the panel and its drawing styles.

// The item's drag flags, else its group's, else the panel's, else 0xCC.
uint32_t ResolveAllowDrag(uint32_t item, uint32_t group, uint32_t panel);

// The grid of icon cells: cells per row (at least 1) and each visible item's
// cell; returns the bottom of the last row (one row even without items).
struct ImageGrid
{
    int perRow = 1;
    int cellWidth = 0;
    int cellHeight = 0;
};
ImageGrid MeasureImageGrid(const KitRect& cells, KitSize icon, const KitRect& pad);
KitRect ImageCell(const KitRect& cells, const ImageGrid& grid, int position);
int ImageGridBottom(const KitRect& cells, const ImageGrid& grid, int visibleCount);

// Shares `extra` pixels among the visible auto-height items by weight (the
// last takes the remainder) and moves every item below a grown one down.
void DistributeExtraHeight(const ItemList<GroupItem>& items, int extra);

// One edge of an animated rectangle moved toward its target by at least one
// pixel.
int StepToward(int current, int target, int steps);

}  // namespace kit::taskpanel

#include "TaskPanelModel.inl"
