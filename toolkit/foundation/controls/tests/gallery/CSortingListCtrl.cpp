#include "CSortingListCtrl.h"

#include <vector>

namespace {

struct SortContext
{
    std::vector<CString> keys; // the sort column's text, by the row's number before sorting
    BOOL bAscending;
};

int CALLBACK CompareRows(LPARAM lhs, LPARAM rhs, LPARAM context)
{
    auto* pContext = reinterpret_cast<SortContext*>(context);
    const int order = _wcsicmp(pContext->keys[static_cast<size_t>(lhs)], pContext->keys[static_cast<size_t>(rhs)]);
    return pContext->bAscending ? order : -order;
}

} // namespace

BOOL CSortingListCtrl::SortList(int nColumn, BOOL bAscending)
{
    ++m_nSorts;
    // Each row is numbered and its key taken first, so the comparison never
    // depends on where the rows stand while they are being sorted.
    SortContext context{{}, bAscending};
    const int nCount = GetItemCount();
    for (int row = 0; row < nCount; ++row)
    {
        context.keys.push_back(GetItemText(row, nColumn));
        SetItemData(row, static_cast<DWORD_PTR>(row));
    }
    return SortItems(&CompareRows, reinterpret_cast<DWORD_PTR>(&context));
}
