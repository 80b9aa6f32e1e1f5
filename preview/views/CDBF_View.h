// The viewer of dBase tables: one report-list column per field, one row per record.
#pragma once

#include "Framework.h"

namespace preview {
struct DbfTable;
}

class CDBF_View : public CView
{
    DECLARE_DYNCREATE(CDBF_View)
public:
    static constexpr UINT kListId = 186;

    CListCtrl& GetList() { return m_list; }
    // Fills the list from the table at the path; a table that cannot be read
    // clears the session's preview-OK flag with the reason.
    void LoadTable(const CString& strPath, CListCtrl& list);

    void OnDraw(CDC*) override {}
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    void FillList(const preview::DbfTable& table, CListCtrl& list);
    CListCtrl m_list;
};
