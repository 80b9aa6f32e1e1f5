// Where a group's items go: the cells of the image grid, rows of items one
// below the other or rows of fixed-width columns, and the client height the
// group needs for them; then the scrolling of items inside a group whose
// client area is shorter than its items. The drawing style answers the
// margins and measures what only it can measure (text items, the caption).
#pragma once

#include "TaskPanelModel.h"

namespace kit::taskpanel {

class LayoutMetrics
{
public:
    virtual ~LayoutMetrics() = default;
    // Margins with every default side resolved by the drawing style.
    virtual KitRect GroupOuterMargins(const Group& group) = 0;
    virtual KitRect GroupInnerMargins(const Group& group) = 0;
    virtual KitRect ItemOuterMargins(const GroupItem& item) = 0;
    // Where an image-only item's icon sits in its cell; all four sides size the cell.
    virtual KitRect ImageItemOffset() = 0;
    // The rectangle an item of free size takes when drawn into `bounds`.
    virtual KitRect MeasureItem(const GroupItem& item, const KitRect& bounds) = 0;
    virtual int MeasureCaption(const Group& group) = 0;
};

// The panel's settings that a group's layout reads.
struct PanelLayoutOptions
{
    int itemLayout = 0;
    KitSize itemIconSize{16, 16};
    bool columnMode = false;
    int columnWidth = 100;
};

constexpr int kImageLayout = 1;

// The group's layout when set, else the panel's.
int GroupItemLayout(const Group& group, const PanelLayoutOptions& options);
// The group's icon size when either side is set, else the panel's.
KitSize GroupIconSize(const Group& group, const PanelLayoutOptions& options);

// Lays the visible items out in `rect` (the panel's client width with top 0),
// sets the items per row, the client height and the caption height.
void LayoutGroupItems(Group& group, const KitRect& rect, LayoutMetrics& metrics, const PanelLayoutOptions& options);

// An item's rectangle for its cell; stored in the item and returned.
KitRect CalcItemRect(GroupItem& item, const KitRect& cell, bool imageLayout, LayoutMetrics& metrics);

// Scrolling of items inside a group. `innerTop` is the top side of the
// group's resolved inner margins.

// The first item shown: the stored index when that item is visible, else the
// nearest visible one after it, then before it; 0 when there is none.
int EffectiveFirstVisibleItem(const Group& group);
int GroupScrollOffset(const Group& group, int innerTop);
bool CanScrollItems(const Group& group, bool up, int innerTop);
// Moves the first shown item by `delta` visible items (plus or minus the
// items per row); true when it changed.
bool ScrollItems(Group& group, int delta);

}  // namespace kit::taskpanel
