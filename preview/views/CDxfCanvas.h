// The DXF view's drawing window: the library paints into it; the left or middle
// button drags the drawing.
#pragma once

#include "Framework.h"

class CDxfLibrary;

class CDxfCanvas : public CStatic
{
public:
    void SetLibrary(CDxfLibrary* pLibrary) { m_pLibrary = pLibrary; }

    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    CDxfLibrary* m_pLibrary = nullptr;
    CPoint m_lastPoint;
    BOOL m_bDragging = FALSE;
};
