#include "CTabStripButton.h"

#include "CTabStrip.h"
#include "CaptureLoop.h"
#include "CTabStripDrawer.h"
#include "GdiSelectors.h"
#include "window/CDC.h"

namespace {

constexpr DWORD kRepeatMs = 20;

}  // namespace

void CTabStripButton::ReserveSpace(int& nLength)
{
    const BOOL bTakes = m_nShowMode == kShowAlways || (m_nShowMode == kShowAuto && m_pStrip->IsButtonNeeded(this));
    if (bTakes)
        nLength -= m_pStrip->IsHorizontal() ? m_nWidth : m_nHeight;
}

void CTabStripLeftButton::ReserveSpace(int& nLength)
{
    if (m_nShowMode == kShowAlways)
        nLength -= m_pStrip->IsHorizontal() ? m_nWidth : m_nHeight;
}

void CTabStripRightButton::ReserveSpace(int& nLength)
{
    if (m_nShowMode == kShowAlways)
        nLength -= m_pStrip->IsHorizontal() ? m_nWidth : m_nHeight;
}

void CTabStripButton::Place(CRect& rect)
{
    PlaceCommon(rect);
}

void CTabStripButton::PlaceCommon(CRect& rect)
{
    const BOOL bShow = m_nShowMode == kShowAlways || (m_nShowMode == kShowAuto && m_pStrip->IsButtonNeeded(this));
    if (!bShow)
    {
        m_rect.SetRectEmpty();
        return;
    }
    if (m_pStrip->IsHorizontal())
    {
        const int c = (rect.top + rect.bottom) / 2;
        m_rect.SetRect(rect.right - m_nWidth, c + 7 - m_nHeight, rect.right, c + 7);
        rect.right -= m_nWidth;
    }
    else
    {
        const int c = (rect.left + rect.right) / 2;
        m_rect.SetRect(c - 7, rect.bottom - m_nHeight, c - 7 + m_nWidth, rect.bottom);
        rect.bottom -= m_nHeight;
    }
}

void CTabStripButton::PlaceScroll(CRect& rect)
{
    const int nLayout = m_pStrip->GetLayout();
    if (nLayout == 4)
    {
        m_rect.SetRectEmpty();
        return;
    }
    if (m_nShowMode != kShowAuto)
    {
        PlaceCommon(rect);
        return;
    }
    const int nLength = m_pStrip->IsHorizontal() ? rect.Width() : rect.Height();
    const int nLeading = m_pStrip->GetDrawer()->GetShapeMargins().left;
    const BOOL bShow = nLayout != 1 && (m_pStrip->GetTotalTabLength() + m_pStrip->GetScrollOffset() - nLeading - 1 >
                                            nLength ||
                                        m_pStrip->GetScrollOffset() < 0);
    if (!bShow)
    {
        m_rect.SetRectEmpty();
        return;
    }
    const int nShowMode = m_nShowMode;
    m_nShowMode = kShowAlways;
    PlaceCommon(rect);
    m_nShowMode = nShowMode;
}

void CTabStripLeftButton::Place(CRect& rect)
{
    m_bEnabled = m_pStrip->GetScrollOffset() < 0;
    PlaceScroll(rect);
}

void CTabStripRightButton::Place(CRect& rect)
{
    const int nLength = m_pStrip->IsHorizontal() ? rect.Width() : rect.Height();
    m_bEnabled = m_pStrip->GetTotalTabLength() + m_pStrip->GetScrollOffset() > nLength - 28;
    PlaceScroll(rect);
}

void CTabStripButton::Track(CWnd* pWnd, int x, int y)
{
    if (::GetCapture() != nullptr || !m_bEnabled || !pWnd || !pWnd->GetSafeHwnd())
        return;
    const HWND hWnd = pWnd->GetSafeHwnd();
    ::SetCapture(hWnd);
    DWORD dwLast = ::GetTickCount();
    CPoint point(x, y);
    BOOL bAccepted = FALSE;
    for (;;)
    {
        if (m_bEnabled && ::GetTickCount() - dwLast > kRepeatMs)
        {
            dwLast = ::GetTickCount();
            Execute(TRUE);
        }
        const BOOL bPressed = m_rect.PtInRect(point);
        if (bPressed != m_bPressed)
        {
            m_bPressed = bPressed;
            m_pStrip->RedrawOwner();
        }
        MSG msg{};
        if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE))
        {
            ::Sleep(1);
            continue;
        }
        const CaptureEvent event = NextCaptureEvent(hWnd, msg, point);
        if (event == CaptureEvent::End)
            break;
        if (event == CaptureEvent::Release)
        {
            bAccepted = m_bPressed;
            break;
        }
        if (event == CaptureEvent::Other)
            ::DispatchMessageW(&msg);
    }
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    m_bPressed = FALSE;
    OnMouseMove(pWnd, point.x, point.y);
    m_pStrip->RedrawOwner();
    if (bAccepted)
        Execute(FALSE);
}

void CTabStripButton::OnMouseMove(CWnd* pWnd, int x, int y)
{
    const BOOL bInside = m_rect.PtInRect(CPoint(x, y));
    if (!bInside && m_bHot)
    {
        m_bHot = FALSE;
        m_pStrip->RedrawOwner();
    }
    else if (bInside && m_bEnabled && !m_bHot)
    {
        m_bHot = TRUE;
        m_pStrip->RedrawOwner();
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, pWnd->GetSafeHwnd(), 0};
        ::_TrackMouseEvent(&track);
    }
}

void CTabStripButton::Draw(CDC* pDC)
{
    if (m_rect.IsRectEmpty())
        return;
    CRect rect = m_rect;
    m_pStrip->GetDrawer()->DrawButtonBackground(pDC, this, rect);
    const COLORREF crGlyph = ::GetTextColor(pDC->GetSafeHdc());
    CPenSelector pen(pDC->GetSafeHdc(), crGlyph);
    if (m_bEnabled)
    {
        CBrushSelector brush(pDC->GetSafeHdc(), crGlyph);
        DrawGlyph(pDC, rect);
    }
    else
    {
        const HGDIOBJ hOld = ::SelectObject(pDC->GetSafeHdc(), ::GetStockObject(NULL_BRUSH));
        DrawGlyph(pDC, rect);
        ::SelectObject(pDC->GetSafeHdc(), hOld);
    }
}

void CTabStripLeftButton::DrawGlyph(CDC* pDC, const CRect& rect)
{
    const int a = (rect.left + rect.right) / 2;
    const int b = (rect.top + rect.bottom) / 2;
    if (m_pStrip->IsHorizontal())
    {
        const POINT pts[] = {{a + 2, b - 5}, {a - 2, b - 1}, {a + 2, b + 3}};
        pDC->Polygon(pts, 3);
    }
    else
    {
        const POINT pts[] = {{a - 5, b + 2}, {a - 1, b - 2}, {a + 3, b + 2}};
        pDC->Polygon(pts, 3);
    }
}

void CTabStripLeftButton::Execute(BOOL bRepeat)
{
    if (bRepeat)
        m_pStrip->Scroll(FALSE);
}

void CTabStripRightButton::DrawGlyph(CDC* pDC, const CRect& rect)
{
    const int a = (rect.left + rect.right) / 2;
    const int b = (rect.top + rect.bottom) / 2;
    if (m_pStrip->IsHorizontal())
    {
        const POINT pts[] = {{a - 2, b - 5}, {a + 2, b - 1}, {a - 2, b + 3}};
        pDC->Polygon(pts, 3);
    }
    else
    {
        const POINT pts[] = {{a - 5, b - 2}, {a - 1, b + 2}, {a + 3, b - 2}};
        pDC->Polygon(pts, 3);
    }
}

void CTabStripRightButton::Execute(BOOL bRepeat)
{
    if (bRepeat)
        m_pStrip->Scroll(TRUE);
}

void CTabStripCloseButton::DrawGlyph(CDC* pDC, const CRect& r)
{
    const int lines[4][4] = {{r.left + 3, r.top + 3, r.right - 4, r.bottom - 5},
                             {r.left + 4, r.top + 3, r.right - 3, r.bottom - 5},
                             {r.left + 3, r.bottom - 6, r.right - 4, r.top + 2},
                             {r.left + 4, r.bottom - 6, r.right - 3, r.top + 2}};
    for (const auto& l : lines)
    {
        pDC->MoveTo(l[0], l[1]);
        pDC->LineTo(l[2], l[3]);
    }
}

void CTabStripCloseButton::Execute(BOOL bRepeat)
{
    if (!bRepeat)
        m_pStrip->OnNavigateButton(kClose);
}
