// Kind 3 of the own tip windows: the tool's text is rich text, laid out by a
// hidden rich edit control, shrunk to the narrowest width that keeps the
// height the text has at the maximum tip width, and rendered into the tip.
#pragma once

#include "CScreenTipWnd.h"

#include <richedit.h>

class CScreenTipRichWnd : public CScreenTipWnd
{
public:
    using CScreenTipWnd::CScreenTipWnd;

protected:
    CSize CalcTipSize(const Tool& tool) override;
    void DrawTipText(CDC* pDC, const CString& strText, CRect rect) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void LoadText(const CString& strText);
    // The size the control asks for at the given width.
    CSize Probe(int nWidth);

    HWND m_hEdit = nullptr;
    CSize m_requested{0, 0};
};
