#include "PopupPlacement.h"

#include <algorithm>

namespace kit::commandbars {

namespace {

bool IsEmpty(const LayoutRect& rc)
{
    return rc.right <= rc.left || rc.bottom <= rc.top;
}

}  // namespace

PopupPlacement PlacePopup(const PopupPlacementRequest& request)
{
    const LayoutRect& work = request.workArea;
    const LayoutRect& exclude = request.exclude;
    const LayoutPoint anchor = request.anchor;
    const bool hasRect = !IsEmpty(exclude);
    const bool hasWidth = exclude.Width() > 0;
    const int usableBottom = work.bottom - kPopupBottomGap;
    unsigned flags = request.flags;
    int width = request.size.cx;
    int height = request.size.cy;
    int x = anchor.x;
    int y = anchor.y;
    bool cut = false;

    if (flags == (kPopupExtendLeft | kPopupDropDown) && hasRect)
        x = exclude.right - width;
    else if ((flags & kPopupExtendLeft) != 0)
        x = (hasWidth ? exclude.left : anchor.x) - width;

    if (hasRect || anchor.y < usableBottom)
    {
        if (y + height > usableBottom)
        {
            if ((flags & kPopupDropDown) != 0 && hasRect)
            {
                // No room below: open upwards; no room there either: the
                // larger side, cut to it.
                y = exclude.top - height;
                if (y < work.top)
                {
                    cut = true;
                    const int middle = (exclude.top + exclude.bottom) / 2;
                    if (work.top + (usableBottom - work.top) / 2 >= middle)
                    {
                        y = exclude.bottom;
                        height = usableBottom - exclude.bottom;
                    }
                    else
                    {
                        y = work.top;
                        height = exclude.top - work.top;
                    }
                }
            }
            else
            {
                const bool upperHalf = anchor.y < work.top + (work.bottom - work.top) / 2;
                y = hasRect || upperHalf ? usableBottom - height : anchor.y - height;
            }
            y = std::max(y, work.top);
            if (y + height > usableBottom)
            {
                height = usableBottom - y;
                cut = true;
            }
        }
    }
    else
    {
        y = anchor.y - height;
    }

    if (x + width > work.right)
    {
        if (!hasWidth)
        {
            x = (anchor.x > work.right ? anchor.x : work.right) - width;
        }
        else
        {
            x = ((flags & kPopupDropDown) != 0 ? work.right : exclude.left) - width;
            flags |= kPopupExtendLeft;
        }
    }
    if (x < work.left)
    {
        if (hasWidth)
        {
            x = (flags & kPopupDropDown) != 0 ? work.left : exclude.right;
            flags &= ~kPopupExtendLeft;
        }
        else if ((flags & kPopupExtendLeft) != 0)
        {
            // The work area's edge rather than 0: a monitor may lie left of the primary one.
            x = work.left;
            flags &= ~kPopupExtendLeft;
        }
    }

    PopupPlacement placement;
    placement.rect = {x, y, x + width, y + std::max(height, 0)};
    placement.flags = flags;
    placement.cut = cut;
    return placement;
}

}  // namespace kit::commandbars
