#include "TabStripLayout.h"

#include <numeric>

namespace kit::tabs {

namespace {

int TotalLength(const SingleRowLayout& strip)
{
    if (strip.layout == kLayoutRotated)
        return static_cast<int>(strip.lengths.size()) * strip.rowHeight;
    return std::accumulate(strip.lengths.begin(), strip.lengths.end(), 0);
}

int LengthOf(const KitRect& r, bool horizontal) { return horizontal ? r.Width() : r.Height(); }

bool ShownByCommonRule(const NavigateButtonState& button)
{
    return button.showMode == kShowAlways || (button.showMode == kShowAuto && button.needed);
}

}  // namespace

KitRect PlaceNavigateButtons(SingleRowLayout& strip, const KitRect& header)
{
    const bool horizontal = IsHorizontalPosition(strip.position);
    const KitRect m = strip.margins;
    KitRect r = header;
    (horizontal ? r.left : r.top) += m.left + m.right;
    (horizontal ? r.right : r.bottom) -= 1;
    const int total = TotalLength(strip);
    for (int kind = kButtonClose; kind >= kButtonLeft; --kind)
    {
        NavigateButtonState& button = strip.buttons[kind];
        bool shown = ShownByCommonRule(button);
        if (kind != kButtonClose)
        {
            button.enabled = kind == kButtonRight ? total + strip.scrollOffset > LengthOf(r, horizontal) - 28
                                                  : strip.scrollOffset < 0;
            if (strip.layout == kLayoutMultiRow)
                shown = false;
            else if (button.showMode == kShowAuto)
                shown = strip.layout != kLayoutCompressed &&
                        (total + strip.scrollOffset - m.left - 1 > LengthOf(r, horizontal) || strip.scrollOffset < 0);
        }
        button.rect = shown ? PlaceNavigateButton(r, horizontal) : KitRect{};
    }
    return r;
}

void LayoutSingleRow(SingleRowLayout& strip)
{
    const bool horizontal = IsHorizontalPosition(strip.position);
    const KitRect& rect = strip.rect;
    const KitRect m = strip.margins;
    const int h = strip.rowHeight;
    strip.tabRects.assign(strip.lengths.size(), KitRect{});
    strip.visibleHeader = strip.header;
    if (strip.lengths.empty())
        return;

    int across = 0;  // the row's start across the strip
    switch (strip.position)
    {
    case kPositionTop: across = rect.top + m.top; break;
    case kPositionBottom: across = rect.bottom - m.top - h; break;
    case kPositionLeft: across = rect.left + m.top; break;
    default: across = rect.right - m.top - h; break;
    }
    int available = LengthOf(rect, horizontal) - m.left - m.right;
    for (int kind = kButtonClose; kind >= kButtonLeft; --kind)
    {
        const NavigateButtonState& button = strip.buttons[kind];
        const bool reserves = kind == kButtonClose ? ShownByCommonRule(button) : button.showMode == kShowAlways;
        if (reserves)
            available -= horizontal ? kNavigateButtonWidth : kNavigateButtonHeight;
    }
    if (strip.layout == kLayoutCompressed)
        CompressTabLengths(strip.lengths, available);
    if (strip.scrollOffset < 0)
    {
        SingleRowLayout probe = strip;
        const KitRect visible = PlaceNavigateButtons(probe, strip.header);
        strip.scrollOffset = ClampScrollOffset(strip.scrollOffset, TotalLength(strip), LengthOf(visible, horizontal));
    }

    int p = (horizontal ? rect.left : rect.top) + m.left + strip.scrollOffset;
    for (size_t i = 0; i < strip.lengths.size(); ++i)
    {
        const int length = strip.lengths[i];
        KitRect& tab = strip.tabRects[i];
        if (strip.layout == kLayoutRotated)
        {
            // One row height along the strip, the tab's own length across it,
            // standing on the side toward the client area.
            switch (strip.position)
            {
            case kPositionTop: tab = {p, strip.header.bottom - m.bottom - length, p + h, strip.header.bottom - m.bottom}; break;
            case kPositionBottom: tab = {p, strip.header.top + m.bottom, p + h, strip.header.top + m.bottom + length}; break;
            case kPositionLeft: tab = {strip.header.right - m.bottom - length, p, strip.header.right - m.bottom, p + h}; break;
            default: tab = {strip.header.left + m.bottom, p, strip.header.left + m.bottom + length, p + h}; break;
            }
            p += h;
            continue;
        }
        if (length > 0)
            tab = horizontal ? KitRect{p, across, p + length, across + h} : KitRect{across, p, across + h, p + length};
        p += length;
    }
    const KitRect visible = PlaceNavigateButtons(strip, strip.header);
    (horizontal ? strip.visibleHeader.right : strip.visibleHeader.bottom) = horizontal ? visible.right : visible.bottom;
}

}  // namespace kit::tabs
