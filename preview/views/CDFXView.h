// The viewer of DXF drawings: the drawing library loads and paints the file in a
// canvas that the mouse pans and the wheel zooms. Without the library, or for a
// file that is no text DXF with a header, the preview falls back.
#pragma once

#include "Framework.h"

#include "CDxfCanvas.h"
#include "CDxfLibrary.h"

class CDFXView : public CView
{
    DECLARE_DYNCREATE(CDFXView)
public:
    static constexpr UINT kCanvasId = 61464;
    static constexpr DWORD kHeaderBytes = 511;

    CDxfLibrary& GetLibrary() { return m_library; }
    CDxfCanvas& GetCanvas() { return m_canvas; }

    void OnDraw(CDC*) override {}
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    void FitToCanvas();
    CDxfLibrary m_library;
    CDxfCanvas m_canvas;
};
