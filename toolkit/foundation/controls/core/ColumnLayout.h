// The arithmetic of report-list columns that needs no window: the saved width
// string, sharing a width among the columns that are not frozen, and the part
// of a header item next to a frozen neighbour that must not show the resize
// cursor. Kept free of <windows.h> so that it is checked natively.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kit {

// Widths are saved one field per column, in column-index order, each written
// as "%d," ("120,80,200,"). Saving and restoring by the same key keeps a
// reordered list's widths with their own columns.
std::wstring FormatColumnWidths(const std::vector<int>& widths);

// Field `index` of a saved width string as a usable width: a missing, empty,
// negative or malformed field gives 0 (the caller keeps its own width then),
// and a width beyond `maxWidth` is cut to it.
int ParseColumnWidthField(const std::wstring& saved, int index, int maxWidth);

// The width each of the columns that are not frozen gets when `width` is
// spread over them: none when every column is frozen (or there are none),
// or when the share would not exceed the minimum column width.
std::optional<int> SpreadShare(int width, int itemCount, int frozenCount, int minColumnWidth);

// The width to spread when fitting the columns to the window: the header's
// width, less a vertical scroll bar when the list has one, less the frozen
// columns. Never below 0.
int FitWidth(int headerWidth, bool hasVerticalScrollBar, int scrollBarWidth, int frozenWidth);

// Whether point x in an item [left, right) lies in the half next to a frozen
// neighbour: the left half when the previous item is frozen, the right half
// when the next one is and the layout is right to left.
bool IsNextToFrozenDivider(int x, int left, int right, bool previousFrozen, bool nextFrozen, bool rightToLeft);

// The new sort order after a header click: a new column sorts ascending, a
// second click on the sort column reverses it.
bool NextSortAscending(int clickedColumn, int sortColumn, bool currentlyAscending);

} // namespace kit
