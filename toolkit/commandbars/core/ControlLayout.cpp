#include "core/ControlLayout.h"

#include <algorithm>
#include <cstddef>

namespace kit::commandbars {

namespace {

constexpr int kEmptyBarWidth = 23;
constexpr int kEmptyBarHeight = 22;

bool IsPlaced(const ControlLayoutItem& item) { return item.visible && !item.hidden; }

int AlongRow(const ControlLayoutItem& item, bool vertical) { return vertical ? item.cy : item.cx; }

// One wrap and placement at a given length; the mode after the wrap.
struct Trial
{
    LayoutSize content;
    unsigned mode = 0;
    int rows = 0;
};

Trial WrapAndPlace(std::span<ControlLayoutItem> items, int length, unsigned mode, LayoutSize separator)
{
    Trial trial;
    trial.mode = mode;
    trial.rows = WrapItems(items, length, trial.mode);
    trial.content = PlaceRows(items, separator, (mode & kLayoutVertDock) != 0);
    return trial;
}

// Floating bar of a given width: the narrowest width with as few rows.
Trial FitWidth(std::span<ControlLayoutItem> items, int width, unsigned mode, LayoutSize separator)
{
    width = std::max(width, 0);
    const int rows = WrapAndPlace(items, width, mode, separator).rows;
    int low = 0;
    int high = width;
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (WrapAndPlace(items, middle, mode, separator).rows <= rows)
            high = middle;
        else
            low = middle + 1;
    }
    return WrapAndPlace(items, high, mode, separator);
}

// Floating bar of a given height: the narrowest layout that is not taller.
Trial FitHeight(std::span<ControlLayoutItem> items, int height, unsigned mode, LayoutSize separator)
{
    if (WrapAndPlace(items, kLayoutWidestWrap, mode, separator).content.cy > height)
        return WrapAndPlace(items, kLayoutWidestWrap, mode, separator);
    int low = 0;
    int high = kLayoutWidestWrap;
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (WrapAndPlace(items, middle, mode, separator).content.cy <= height)
            high = middle;
        else
            low = middle + 1;
    }
    return WrapAndPlace(items, high, mode, separator);
}

// The narrowest layout that is at least as wide as it is tall.
Trial MostSquare(std::span<ControlLayoutItem> items, unsigned mode, LayoutSize separator)
{
    auto isSquare = [&](int width) {
        const LayoutSize content = WrapAndPlace(items, width, mode, separator).content;
        return content.cx >= content.cy;
    };
    int low = 0;
    int high = kLayoutWidestWrap;
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (isSquare(middle))
            high = middle;
        else
            low = middle + 1;
    }
    return WrapAndPlace(items, high, mode, separator);
}

void Offset(LayoutRect& rect, int dx, int dy)
{
    rect.left += dx;
    rect.right += dx;
    rect.top += dy;
    rect.bottom += dy;
}

// Moves the placed items inside the margins and centres each one across its
// row; every item's row cell spans the row's thickness.
void OffsetAndAlign(std::span<ControlLayoutItem> items, LayoutSize placed, LayoutSize content, int rows,
                    const LayoutMargins& margins, bool vertical)
{
    const int dx = margins.left + (vertical ? placed.cx : 0);
    const int dy = margins.top;
    std::size_t rowStart = items.size();
    auto closeRow = [&](std::size_t rowEnd) {
        if (rowStart >= rowEnd)
            return;
        int nearEdge = 0;
        int farEdge = 0;
        bool first = true;
        for (std::size_t i = rowStart; i < rowEnd; ++i) {
            if (!IsPlaced(items[i]))
                continue;
            const int itemNear = vertical ? items[i].rect.left : items[i].rect.top;
            const int itemFar = vertical ? items[i].rect.right : items[i].rect.bottom;
            nearEdge = first ? itemNear : std::min(nearEdge, itemNear);
            farEdge = first ? itemFar : std::max(farEdge, itemFar);
            first = false;
        }
        if (rows == 1) {
            // A single row takes the whole thickness of the bar.
            nearEdge = vertical ? margins.left : margins.top;
            farEdge = nearEdge + (vertical ? content.cx : content.cy);
        }
        for (std::size_t i = rowStart; i < rowEnd; ++i) {
            ControlLayoutItem& item = items[i];
            if (!IsPlaced(item))
                continue;
            if (vertical) {
                const int shift = nearEdge + (farEdge - nearEdge - item.cx) / 2 - item.rect.left;
                Offset(item.rect, shift, 0);
                item.rowRect = {nearEdge, item.rect.top, farEdge, item.rect.bottom};
            } else {
                const int shift = nearEdge + (farEdge - nearEdge - item.cy) / 2 - item.rect.top;
                Offset(item.rect, 0, shift);
                item.rowRect = {item.rect.left, nearEdge, item.rect.right, farEdge};
            }
        }
    };
    for (std::size_t i = 0; i < items.size(); ++i) {
        ControlLayoutItem& item = items[i];
        if (!IsPlaced(item))
            continue;
        Offset(item.rect, dx, dy);
        if (rowStart == items.size()) {
            rowStart = i;
        } else if (item.rowBreak) {
            closeRow(i);
            rowStart = i;
        }
    }
    closeRow(items.size());
}

// Packs the trailing run of far-end items against the far end; returns the
// index of the first packed item (items.size() when none was packed).
std::size_t PackFarEnd(std::span<ControlLayoutItem> items, int nearLimit, int farLimit, bool vertical)
{
    std::size_t firstPacked = items.size();
    int farEdge = farLimit;
    for (std::size_t i = items.size(); i-- > 0;) {
        ControlLayoutItem& item = items[i];
        if (!IsPlaced(item))
            continue;
        if (!item.farEnd)
            break;
        const int along = AlongRow(item, vertical);
        if (farEdge - along < nearLimit)
            break;
        if (vertical)
            Offset(item.rect, 0, farEdge - along - item.rect.top);
        else
            Offset(item.rect, farEdge - along - item.rect.left, 0);
        farEdge -= along;
        firstPacked = i;
        if (item.rowBreak)
            break;
    }
    return firstPacked;
}

// Shares the free length of every row that holds stretched items out to them.
void Stretch(std::span<ControlLayoutItem> items, std::size_t firstPacked, int farLimit, bool vertical)
{
    auto nearOf = [vertical](const LayoutRect& r) { return vertical ? r.top : r.left; };
    auto farOf = [vertical](const LayoutRect& r) { return vertical ? r.bottom : r.right; };
    std::size_t rowStart = 0;
    while (rowStart < firstPacked) {
        std::size_t rowEnd = rowStart + 1;
        while (rowEnd < firstPacked && !(IsPlaced(items[rowEnd]) && items[rowEnd].rowBreak))
            ++rowEnd;
        int stretchedCount = 0;
        int lastFar = 0;
        bool any = false;
        for (std::size_t i = rowStart; i < rowEnd; ++i) {
            if (!IsPlaced(items[i]))
                continue;
            lastFar = any ? std::max(lastFar, farOf(items[i].rect)) : farOf(items[i].rect);
            any = true;
            stretchedCount += items[i].stretched ? 1 : 0;
        }
        const bool lastRow = rowEnd >= firstPacked;
        const int limit = lastRow && firstPacked < items.size() ? nearOf(items[firstPacked].rect) : farLimit;
        int remaining = limit - lastFar;
        if (any && stretchedCount > 0 && remaining > 0) {
            int handedOut = 0;
            for (std::size_t i = rowStart; i < rowEnd; ++i) {
                ControlLayoutItem& item = items[i];
                if (!IsPlaced(item))
                    continue;
                if (vertical)
                    Offset(item.rect, 0, handedOut);
                else
                    Offset(item.rect, handedOut, 0);
                if (item.stretched) {
                    const int grow = remaining / stretchedCount;
                    (vertical ? item.rect.bottom : item.rect.right) += grow;
                    handedOut += grow;
                    remaining -= grow;
                    --stretchedCount;
                }
            }
        }
        rowStart = rowEnd;
    }
}

}  // namespace

int WrapItems(std::span<ControlLayoutItem> items, int length, unsigned& mode)
{
    const bool vertical = (mode & kLayoutVertDock) != 0;
    for (ControlLayoutItem& item : items) {
        item.rowBreak = false;
        item.hidden = false;
    }
    std::size_t rowStart = items.size();  // the first visible item of the current row
    int extent = 0;
    int rows = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        ControlLayoutItem& item = items[i];
        if (!item.visible)
            continue;
        if (rowStart == items.size()) {
            rowStart = i;
            extent = AlongRow(item, vertical);
            rows = 1;
            continue;
        }
        const bool groupGap = item.beginGroup && i != rowStart;
        extent += AlongRow(item, vertical) + (groupGap ? kGroupWrapGap : 0);
        const bool overflow = extent > length;
        const bool groupBreak = (mode & kLayoutWrapSquare) != 0 && groupGap;
        if (!overflow && !groupBreak)
            continue;
        if ((mode & kLayoutNoWrap) != 0) {
            for (std::size_t j = i; j < items.size(); ++j)
                items[j].hidden = items[j].visible;
            mode |= kLayoutStretch;
            break;
        }
        // Break at the nearest group start of this row, never at the row's
        // own start: a row that cannot shrink must not be broken again.
        std::size_t breakAt = i;
        for (std::size_t j = i; j > rowStart; --j) {
            if (items[j].visible && items[j].beginGroup) {
                breakAt = j;
                break;
            }
        }
        items[breakAt].rowBreak = true;
        rowStart = breakAt;
        extent = AlongRow(items[breakAt], vertical);
        mode |= kLayoutStretch;
        ++rows;
        i = breakAt;
    }
    return rows;
}

LayoutSize PlaceRows(std::span<ControlLayoutItem> items, LayoutSize separator, bool vertical)
{
    int x = 0;
    int y = 0;
    int thickness = 0;  // of the row (or column) being filled
    bool first = true;
    int farAlong = 0;
    int farAcross = 0;
    for (ControlLayoutItem& item : items) {
        if (!IsPlaced(item))
            continue;
        if (!first && item.rowBreak) {
            const int gap = item.beginGroup ? separator.cy : 0;
            if (vertical) {
                x -= thickness + gap;
                y = 0;
            } else {
                y += thickness + gap;
                x = 0;
            }
            thickness = 0;
        } else if (!first && item.beginGroup) {
            (vertical ? y : x) += separator.cx;
        }
        if (vertical) {
            item.rect = {x - item.cx, y, x, y + item.cy};
            y += item.cy;
            thickness = std::max(thickness, item.cx);
            farAlong = std::max(farAlong, -item.rect.left);
            farAcross = std::max(farAcross, item.rect.bottom);
        } else {
            item.rect = {x, y, x + item.cx, y + item.cy};
            x += item.cx;
            thickness = std::max(thickness, item.cy);
            farAlong = std::max(farAlong, item.rect.right);
            farAcross = std::max(farAcross, item.rect.bottom);
        }
        first = false;
    }
    return {farAlong, farAcross};
}

LayoutSize CalcBarLayout(std::span<ControlLayoutItem> items, const BarLayoutRequest& request)
{
    const LayoutMargins& m = request.margins;
    const unsigned mode = request.mode;
    const bool vertical = (mode & kLayoutVertDock) != 0;
    const bool anyVisible = std::any_of(items.begin(), items.end(), [](const ControlLayoutItem& i) { return i.visible; });
    if (!anyVisible) {
        LayoutSize size{m.left + m.right + kEmptyBarWidth, m.top + m.bottom + kEmptyBarHeight};
        if ((mode & kLayoutHorzDock) != 0)
            size.cy = std::max(size.cy, request.minimum);
        else
            size.cx = std::max(size.cx, request.minimum);
        return size;
    }

    const int length = (mode & kLayoutUseFloatingWidth) != 0 ? request.floatingWidth : request.length;
    Trial trial;
    if ((mode & kLayoutWrapSquare) != 0) {
        trial = WrapAndPlace(items, request.floatingWidth, mode, request.separator);
        if (trial.content.cy > 3 * trial.content.cx && request.floatingWidth == 0)
            trial = MostSquare(items, mode, request.separator);
        else
            trial = WrapAndPlace(items, trial.content.cx, mode, request.separator);
    } else if ((mode & kLayoutHorzDock) != 0) {
        trial = WrapAndPlace(items, length - m.left - m.right, mode, request.separator);
    } else if (vertical) {
        trial = WrapAndPlace(items, length - m.top - m.bottom, mode, request.separator);
    } else if ((mode & kLayoutLengthIsHeight) != 0) {
        trial = FitHeight(items, request.length - m.top - m.bottom, mode, request.separator);
    } else {
        trial = FitWidth(items, length - m.left - m.right, mode, request.separator);
    }

    LayoutSize content = trial.content;
    if (request.minimum > 0) {
        if ((mode & kLayoutHorzDock) != 0)
            content.cy = std::max(content.cy, request.minimum - m.top - m.bottom);
        else
            content.cx = std::max(content.cx, request.minimum - m.left - m.right);
    }
    // A docked bar that wrapped or hid controls takes its whole side; a
    // floating bar keeps the width its fit found unless the caller asked.
    const bool docked = (mode & (kLayoutHorzDock | kLayoutVertDock)) != 0;
    if ((mode & kLayoutStretch) != 0 || (docked && (trial.mode & kLayoutStretch) != 0)) {
        if (vertical)
            content.cy = std::max(content.cy, request.length - m.top - m.bottom);
        else
            content.cx = std::max(content.cx, request.length - m.left - m.right);
    }
    const LayoutSize size{content.cx + m.left + m.right, content.cy + m.top + m.bottom};

    if ((mode & kLayoutCommit) != 0) {
        OffsetAndAlign(items, trial.content, content, trial.rows, m, vertical);
        const int nearLimit = vertical ? m.top : m.left;
        const int farLimit = vertical ? size.cy - m.bottom : size.cx - m.right;
        const std::size_t firstPacked = PackFarEnd(items, nearLimit, farLimit, vertical);
        Stretch(items, firstPacked, farLimit, vertical);
        // The row cells follow the controls along the row.
        for (ControlLayoutItem& item : items) {
            if (!IsPlaced(item))
                continue;
            if (vertical) {
                item.rowRect.top = item.rect.top;
                item.rowRect.bottom = item.rect.bottom;
            } else {
                item.rowRect.left = item.rect.left;
                item.rowRect.right = item.rect.right;
            }
        }
    }
    return size;
}

}  // namespace kit::commandbars
