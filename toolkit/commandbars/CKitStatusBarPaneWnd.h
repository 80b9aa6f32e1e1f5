// A small window meant to sit inside a status bar pane: it paints the
// button face behind whatever a derived window draws on it.
#pragma once

#include "window/CWnd.h"

class CKitStatusBarPaneWnd : public CWnd
{
    DECLARE_DYNCREATE(CKitStatusBarPaneWnd)
public:
    CKitStatusBarPaneWnd() = default;

    BOOL Create(LPCTSTR lpszText, CWnd* pParent, DWORD dwStyle, UINT nId);
    const CString& GetText() const { return m_strText; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Draws the content over the button face; nothing in the base.
    virtual void DrawContent(CDC* /*pDC*/, const CRect& /*rcClient*/) {}

private:
    CString m_strText;
};
