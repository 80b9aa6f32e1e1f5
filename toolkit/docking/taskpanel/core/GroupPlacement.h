// Where a group goes in the panel: its target rectangle below the previous
// group, the height it gets when only one group is open at a time, and which
// of its items the user sees when that height is shorter than its items.
#pragma once

#include "GroupLayout.h"

namespace kit::taskpanel {

// What the panel tells a group about itself when it places it.
struct PanelPlacement
{
    int behaviour = 0;  // 0: every group opens on its own; else one open group
    const Group* activeGroup = nullptr;
    bool animate = true;
    int clientHeight = 0;
    KitRect controlMargins;  // resolved
    int groupSpacing = 0;    // resolved
    PanelLayoutOptions layout;
    const PanelItem* focused = nullptr;
    bool selectFocusedLink = false;
};

bool IsGroupExpanded(const Group& group, const PanelPlacement& panel);

// The client height left for the open group once every caption, margin,
// spacing and other open group has its share.
int AvailableClientHeight(const GroupList& groups, const PanelPlacement& panel, LayoutMetrics& metrics);

// Sets the group's target rectangle inside `rect` (a zero-height rectangle at
// the group's top) and returns it; the current rectangle follows at once
// unless the move is animated.
KitRect CalcGroupRect(Group& group, const KitRect& rect, bool animate, const GroupList& groups,
                      const PanelPlacement& panel, LayoutMetrics& metrics);

bool IsItemInViewport(const Group& group, const GroupItem& item, bool byTop, const PanelPlacement& panel,
                      int innerTop);
// Scrolls the group's items so that `item` shows, in one-open-group panels.
void EnsureItemVisible(Group& group, const GroupItem& item, const PanelPlacement& panel, int innerTop);
// The first item shown after the client height changed: as many earlier
// items as fit come back into view, then the focused item is kept in view.
void UpdateItemScroll(Group& group, const PanelPlacement& panel, int innerTop);

}  // namespace kit::taskpanel
