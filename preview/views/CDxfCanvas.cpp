#include "CDxfCanvas.h"

#include "CDxfLibrary.h"

BEGIN_MESSAGE_MAP(CDxfCanvas, CStatic)
    ON_WM_PAINT()
    // The middle button drags as the left one does.
    AFX_MOUSE_ENTRY(WM_LBUTTONDOWN, OnLButtonDown)
    AFX_MOUSE_ENTRY(WM_MBUTTONDOWN, OnLButtonDown)
    AFX_MOUSE_ENTRY(WM_LBUTTONUP, OnLButtonUp)
    AFX_MOUSE_ENTRY(WM_MBUTTONUP, OnLButtonUp)
    ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

void CDxfCanvas::OnPaint()
{
    CPaintDC dc(this);
    if (m_pLibrary == nullptr)
        return;
    if (m_pLibrary->HasDrawing())
    {
        m_pLibrary->Paint(dc.GetSafeHdc());
        return;
    }
    CRect client;
    GetClientRect(&client);
    HGDIOBJ hOld = ::SelectObject(dc.GetSafeHdc(), ::GetStockObject(BLACK_BRUSH));
    ::Rectangle(dc.GetSafeHdc(), client.left, client.top, client.right, client.bottom);
    ::SelectObject(dc.GetSafeHdc(), hOld);
}

void CDxfCanvas::OnLButtonDown(UINT, CPoint point)
{
    SetCapture();
    m_lastPoint = point;
    m_bDragging = TRUE;
    Default();
}

void CDxfCanvas::OnLButtonUp(UINT, CPoint)
{
    if (::GetCapture() == GetSafeHwnd())
        ::ReleaseCapture();
    m_bDragging = FALSE;
    Default();
}

void CDxfCanvas::OnMouseMove(UINT, CPoint point)
{
    if (m_bDragging && m_pLibrary != nullptr && m_pLibrary->HasDrawing())
    {
        CClientDC dc(this);
        preview::DxfViewProperties view{};
        if (dc.PtVisible(point.x, point.y) && m_pLibrary->GetViewProperties(view) &&
            preview::PanByPixels(view, point.x - m_lastPoint.x, point.y - m_lastPoint.y) &&
            m_pLibrary->SetViewProperties(view))
        {
            RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            m_lastPoint = point;
        }
    }
    Default();
}
