#include "CMDB_View.h"

#include "CDaoTreeView.h"
#include "CMDBListView.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CMDB_View, CView)

BEGIN_MESSAGE_MAP(CMDB_View, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

int CMDB_View::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CView::OnCreate(lpcs) == -1)
        return -1;
    CCreateContext context;
    context.m_pCurrentDoc = GetDocument();
    auto* pTree = new CDaoTreeView;
    if (!pTree->Create(nullptr, nullptr, WS_CHILD | WS_BORDER, CRect(0, 0, 0, 0), this, kTreeId, &context))
        return -1;  // a view that failed deletes itself
    m_pTree = pTree;
    auto* pList = new CMDBListView;
    if (!pList->Create(nullptr, nullptr, WS_CHILD | WS_BORDER, CRect(0, 0, 0, 0), this, kListId, &context))
        return -1;
    m_pList = pList;
    m_pTree->SetRecordList(m_pList);
    m_pTree->OnInitialUpdate();
    m_pTree->ShowWindow(SW_SHOW);
    m_pList->OnInitialUpdate();
    m_pList->ShowWindow(SW_SHOW);
    return 0;
}

void CMDB_View::ShowDatabase(IPreviewDatabase* pDatabase)
{
    if (m_pTree == nullptr || m_pList == nullptr)
        return;
    m_pTree->SetDatabase(pDatabase);
    m_pList->SetDatabase(pDatabase);
    m_pList->ClearList();
    m_pTree->FillDatabaseTree();
}

void CMDB_View::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    if (m_pTree == nullptr || m_pList == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    const int treeWidth = std::min(kTreeWidth, client.Width());
    m_pTree->MoveWindow(0, 0, treeWidth, client.Height(), TRUE);
    const int listLeft = std::min(treeWidth + kBarWidth, static_cast<int>(client.Width()));
    m_pList->MoveWindow(listLeft, 0, client.Width() - listLeft, client.Height(), TRUE);
}
