// CHtmlView: a view hosting the web browser control. Where the control or the
// HTML engine it draws with is not installed (as under this Wine, which has no
// Gecko), Create fails and so does Navigate2, and the callers show their
// no-preview view instead.
#pragma once

#include "CView.h"

class CHtmlView : public CView
{
    DECLARE_DYNCREATE(CHtmlView)
public:
    CHtmlView() = default;
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                UINT nID, CCreateContext* pContext = nullptr) override;
    // FALSE when there is no browser to navigate.
    BOOL Navigate2(LPCTSTR lpszURL, DWORD dwFlags = 0, LPCTSTR lpszTargetFrameName = nullptr);
    BOOL IsBrowserAvailable() const { return m_browser.m_hWnd != nullptr; }
    // The control draws pages through the HTML engine (mshtml.dll); without it the
    // control would exist and show nothing, so it is not hosted at all.
    static bool IsBrowserEngineAvailable();
    void OnDraw(CDC*) override {}

    afx_msg void OnSize(UINT nType, int cx, int cy);
    static const AFX_MSGMAP* GetThisMessageMap();
    const AFX_MSGMAP* GetMessageMap() const override;

protected:
    CWnd m_browser;
};
