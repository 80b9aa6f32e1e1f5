// CUiListCtrl: the toolkit's report list control (the program's results list
// derives from it). Everything it adds lives in CEnhancedListBase.
#pragma once

#include "CEnhancedListBase.h"

class CUiListCtrl : public CListCtrl, public CEnhancedListBase
{
    DECLARE_DYNAMIC(CUiListCtrl)
public:
    CUiListCtrl();
    ~CUiListCtrl() override;

    using CEnhancedListBase::GetExtendedStyle;

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
