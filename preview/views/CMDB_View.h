// The viewer of Access databases: the tree of the database beside the records of
// the table chosen in it.
#pragma once

#include "Framework.h"

class CDaoTreeView;
class CMDBListView;
class IPreviewDatabase;

class CMDB_View : public CView
{
    DECLARE_DYNCREATE(CMDB_View)
public:
    static constexpr UINT kTreeId = 189;
    static constexpr UINT kListId = 190;
    // Where the panes meet, and the bar between them.
    static constexpr int kTreeWidth = 170;
    static constexpr int kBarWidth = 5;

    CDaoTreeView* GetTree() const { return m_pTree; }
    CMDBListView* GetRecordList() const { return m_pList; }
    // Hands the open database to both panes and fills them.
    void ShowDatabase(IPreviewDatabase* pDatabase);

    void OnDraw(CDC*) override {}
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    // Both panes are windows that delete themselves when destroyed.
    CDaoTreeView* m_pTree = nullptr;
    CMDBListView* m_pList = nullptr;
};
