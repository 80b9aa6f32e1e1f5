// CUiHyperLink: a static control that shows a link. The hand cursor over its
// text, link, hover and visited colours, an optional underline and a tooltip
// with the link; a click opens the link with the shell's open verb on the
// link itself (never through a command line).
#pragma once

#include "Framework.h"

class CUiHyperLink : public CStatic
{
    DECLARE_DYNAMIC(CUiHyperLink)
public:
    CUiHyperLink();
    ~CUiHyperLink() override;

    virtual void SetURL(LPCTSTR lpszURL);
    virtual CString GetURL() const { return m_strURL; }
    virtual void SetColors(COLORREF clrLink, COLORREF clrVisited, COLORREF clrHover);
    virtual COLORREF GetLinkColor() const { return m_clrLink; }
    virtual COLORREF GetVisitedColor() const { return m_clrVisited; }
    virtual COLORREF GetHoverColor() const { return m_clrHover; }
    virtual void SetVisited(BOOL bVisited);
    virtual BOOL GetVisited() const { return m_bVisited; }
    virtual void SetLinkCursor(HCURSOR hCursor) { m_hCursor = hCursor; }
    virtual HCURSOR GetLinkCursor() const { return m_hCursor; }
    virtual void SetUnderline(BOOL bUnderline);
    virtual BOOL GetUnderline() const { return m_bUnderline; }
    virtual void SetBackColor(COLORREF clr);
    virtual COLORREF GetBackColor() const;
    // Opens the file (the link when null) with the shell's "open" verb.
    virtual BOOL GotoURL(LPCTSTR lpszFile, int nShowCmd, LPCTSTR lpszParameters = nullptr, LPCTSTR lpszDirectory = nullptr);
    virtual BOOL IsTextControl() const;
    virtual BOOL IsCursorOverText() const;
    virtual void ReportError(int nError);
    virtual void InitControl();
    virtual void ApplyFont();
    virtual BOOL CreateLinkFont(CFont& font, BOOL bUnderline);

    void EnableToolTip(BOOL bEnable) { m_bToolTipEnabled = bEnable; }
    BOOL IsHovering() const { return m_bHover; }

    BOOL m_bNavigateOnClick = TRUE;

protected:
    void PreSubclassWindow() override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg BOOL OnClicked();
    DECLARE_MESSAGE_MAP()

private:
    BOOL m_bInitializeOnSubclass = TRUE;
    BOOL m_bUnderline = TRUE;
    BOOL m_bHover = FALSE;
    BOOL m_bVisited = FALSE;
    BOOL m_bToolTipEnabled = TRUE;
    CFont m_linkFont;
    CString m_strURL;
    CString m_strToolTip;
    HCURSOR m_hCursor = nullptr;
    COLORREF m_clrLink = RGB(0, 0, 255);
    COLORREF m_clrHover = RGB(255, 0, 0);
    COLORREF m_clrVisited = RGB(128, 0, 128);
    COLORREF m_clrBack = static_cast<COLORREF>(-1);
    CToolTipCtrl m_toolTip;
};
