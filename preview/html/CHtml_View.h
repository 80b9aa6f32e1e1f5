// Web pages, pictures and spreadsheets in the platform's web browser control. Where
// that control is not installed, HTML pages and pictures are shown by the program's
// own renderer instead, and other files are reported as needing the control.
#pragma once

#include "CHtmlViewPanelDlg.h"
#include "Framework.h"
#include "HtmlRendererPane.h"

class CHtml_View : public CHtmlView
{
    DECLARE_DYNCREATE(CHtml_View)
public:
    CHtml_View() = default;
    ~CHtml_View() override;

    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                UINT nID, CCreateContext* pContext = nullptr) override;
    BOOL PreTranslateMessage(MSG* pMsg) override { return CHtmlView::PreTranslateMessage(pMsg); }

    // The own renderer, when it shows the file; null in the browser control.
    preview::CMiniBrowser* GetOwnRenderer() const { return m_pane.Browser(); }

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus) { Default(); }
    DECLARE_MESSAGE_MAP()

private:
    void OpenOwnRenderer();

    CHtmlViewPanelDlg* m_pPanel = nullptr;
    preview::HtmlRendererPane m_pane;
};

// Extensions the own renderer shows in place of the browser control.
bool IsOwnRendererExtension(const CString& strExtension);
