// The Access preview's record list: the records of the table chosen in the tree,
// one column per field.
#pragma once

#include "Framework.h"

#include "CStatusListCtrl.h"

#include <memory>

class IPreviewDatabase;

class CMDBListView : public CView
{
    DECLARE_DYNCREATE(CMDBListView)
public:
    static constexpr UINT kListId = 186;
    static constexpr int kMaxRecords = 10000;

    void SetDatabase(IPreviewDatabase* pDatabase) { m_pDatabase = pDatabase; }
    CListCtrl* GetList() const { return m_pList.get(); }
    const CString& GetStatusText() const { return m_strStatus; }
    void ClearList();
    void OpenTable(const CString& table);
    // The query of a table: its name bracketed, a "]" in it doubled.
    static CString SelectAllFrom(const CString& table);

    void OnDraw(CDC*) override {}
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    IPreviewDatabase* m_pDatabase = nullptr;
    std::unique_ptr<CStatusListCtrl> m_pList;
    CString m_strStatus;
};
