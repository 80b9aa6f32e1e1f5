// CKitImageEditorPicker: one colour swatch of the button-image editor, a
// static control that draws its colour (the key colour as a transparent
// square) framed black and white when selected, else in 3D. A click reaches
// the dialog as STN_CLICKED.
#pragma once

#include "Framework.h"

class CKitImageEditorPicker : public CWnd
{
public:
    // A new 11 x 11 swatch with SS_NOTIFY at the place.
    BOOL Create(CWnd* pDialog, UINT nID, const CRect& rc, COLORREF clr);
    // A swatch of the dialog's template.
    BOOL Attach(CWnd* pDialog, UINT nID, COLORREF clr);

    COLORREF GetColor() const { return m_clr; }
    void SetColor(COLORREF clr);
    BOOL IsSelected() const { return m_bSelected; }
    void SetSelected(BOOL bSelected);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint(HDC hDC);

    COLORREF m_clr = 0;
    BOOL m_bSelected = FALSE;
};
