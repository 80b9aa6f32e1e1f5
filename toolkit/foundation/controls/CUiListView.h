// CUiListView: the toolkit's report list as a framework list view, with the
// same features as CUiListCtrl (CEnhancedListBase).
#pragma once

#include "CEnhancedListBase.h"

class CUiListView : public CListView, public CEnhancedListBase
{
    DECLARE_DYNCREATE(CUiListView)
public:
    CUiListView();
    ~CUiListView() override;

protected:
    void PreSubclassWindow() override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    afx_msg BOOL OnReflectedCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    DECLARE_MESSAGE_MAP()

    BOOL m_bInitializeOnSubclass = TRUE;
};
