// A report list that really sorts: by the clicked column's text, in the
// order the header shows.
#pragma once

#include "CUiListCtrl.h"

class CSortingListCtrl : public CUiListCtrl
{
public:
    BOOL SortList(int nColumn, BOOL bAscending) override;
    int GetSortCount() const { return m_nSorts; }

private:
    int m_nSorts = 0;
};
