// The gallery's view: a list control and a tree control side by side, a
// context menu and the worker thread's result.
#pragma once

#include "Framework.h"

#include <memory>

// A list that handles its own selection changes (reflected from the view)
// and still lets the view see them.
class CGalleryList : public CListCtrl
{
public:
    int m_nOwnItemChanges = 0;
    afx_msg BOOL OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};

// A tree that keeps its selection changes to itself.
class CGalleryTree : public CTreeCtrl
{
public:
    int m_nOwnSelectionChanges = 0;
    afx_msg void OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};

class CGalleryView : public CView
{
    DECLARE_DYNCREATE(CGalleryView)
public:
    CGalleryList m_list;
    CGalleryTree m_tree;
    int m_nParentItemChanges = 0;
    int m_nParentTreeChanges = 0;
    int m_nCount = 0;
    long long m_workerResult = -1;
    DWORD m_workerThreadId = 0;
    std::unique_ptr<CWinThread> m_pWorker;

    void OnDraw(CDC* pDC) override;
    void OnInitialUpdate() override;

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg BOOL OnRoute(UINT nID);
    afx_msg void OnUpdatePassOn(CCmdUI* pCmdUI);
    afx_msg void OnCount();
    afx_msg void OnWorker();
    afx_msg void OnListItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnTreeSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg LRESULT OnWorkerDone(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};
