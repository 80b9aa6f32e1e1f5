#include "ColumnLayout.h"

#include <climits>
#include <cwchar>

namespace kit {

std::wstring FormatColumnWidths(const std::vector<int>& widths)
{
    std::wstring text;
    for (int width : widths)
    {
        text += std::to_wstring(width);
        text += L',';
    }
    return text;
}

int ParseColumnWidthField(const std::wstring& saved, int index, int maxWidth)
{
    if (index < 0)
        return 0;
    size_t start = 0;
    for (int field = 0; field < index; ++field)
    {
        const size_t comma = saved.find(L',', start);
        if (comma == std::wstring::npos)
            return 0;
        start = comma + 1;
    }
    const size_t end = saved.find(L',', start);
    const std::wstring field = saved.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
    if (field.empty() || field.size() > 9)
        return 0;
    int value = 0;
    for (wchar_t ch : field)
    {
        if (ch < L'0' || ch > L'9')
            return 0;
        value = value * 10 + (ch - L'0');
    }
    if (maxWidth > 0 && value > maxWidth)
        value = maxWidth;
    return value;
}

std::optional<int> SpreadShare(int width, int itemCount, int frozenCount, int minColumnWidth)
{
    const int columns = itemCount - frozenCount;
    if (columns <= 0 || width <= 0)
        return std::nullopt;
    const int share = width / columns;
    if (share <= minColumnWidth)
        return std::nullopt;
    return share;
}

int FitWidth(int headerWidth, bool hasVerticalScrollBar, int scrollBarWidth, int frozenWidth)
{
    long long width = headerWidth;
    if (hasVerticalScrollBar)
        width -= scrollBarWidth;
    width -= frozenWidth;
    return width < 0 ? 0 : (width > INT_MAX ? INT_MAX : static_cast<int>(width));
}

bool IsNextToFrozenDivider(int x, int left, int right, bool previousFrozen, bool nextFrozen, bool rightToLeft)
{
    if (x < left || x >= right)
        return false;
    const int middle = left + (right - left) / 2;
    if (rightToLeft)
        return nextFrozen && x >= middle;
    return previousFrozen && x < middle;
}

bool NextSortAscending(int clickedColumn, int sortColumn, bool currentlyAscending)
{
    return clickedColumn != sortColumn || !currentlyAscending;
}

} // namespace kit
