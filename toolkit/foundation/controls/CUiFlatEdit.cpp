#include "CUiFlatEdit.h"

#include "CColorTable.h"
#include "DeviceContexts.h"

IMPLEMENT_DYNAMIC(CUiFlatEdit, CUiEdit)

namespace {
constexpr UINT_PTR kHoverTimer = 1000;
}

BEGIN_MESSAGE_MAP(CUiFlatEdit, CUiEdit)
  ON_WM_TIMER()
  ON_WM_SETCURSOR()
  ON_WM_SETFOCUS()
  ON_WM_KILLFOCUS()
  ON_WM_NCPAINT()
END_MESSAGE_MAP()

BOOL CUiFlatEdit::IsCursorOverControl() const
{
    CPoint cursor;
    ::GetCursorPos(&cursor);
    CRect window;
    GetWindowRect(&window);
    return window.PtInRect(cursor);
}

void CUiFlatEdit::DrawFlatFrame(CDC* pDC, const CRect& windowRect)
{
    CColorTable* pColors = GetColorTable();
    const BOOL bLit = m_bHot || m_bFocused;
    const COLORREF frame = !IsWindowEnabled() ? pColors->GetColor(52) : pColors->GetColor(bLit ? 32 : kSlotButtonShadow);
    pDC->Draw3dRect(&windowRect, frame, frame);
}

BOOL CUiFlatEdit::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_bFlat && IsCursorOverControl())
    {
        SetTimer(kHoverTimer, 10, nullptr);
        OnTimer(kHoverTimer);
    }
    return CUiEdit::OnSetCursor(pWnd, nHitTest, message);
}

void CUiFlatEdit::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kHoverTimer)
    {
        CUiEdit::OnTimer(nIDEvent);
        return;
    }
    const BOOL bOver = IsCursorOverControl();
    if (!bOver)
        KillTimer(kHoverTimer);
    if (bOver != m_bHot)
    {
        m_bHot = bOver;
        SendMessage(WM_NCPAINT, 1);
    }
}

void CUiFlatEdit::OnSetFocus(CWnd* pOldWnd)
{
    CUiEdit::OnSetFocus(pOldWnd);
    m_bFocused = TRUE;
    if (m_bFlat)
        SendMessage(WM_NCPAINT, 1);
}

void CUiFlatEdit::OnKillFocus(CWnd* pNewWnd)
{
    CUiEdit::OnKillFocus(pNewWnd);
    m_bFocused = FALSE;
    if (m_bFlat)
        SendMessage(WM_NCPAINT, 1);
}

void CUiFlatEdit::OnNcPaint()
{
    if (!m_bFlat)
    {
        Default();
        return;
    }
    CWindowDC dc(this);
    CRect window;
    GetWindowRect(&window);
    window.OffsetRect(-window.left, -window.top);
    // The client area is the edit's own: only the border is painted here.
    CRect client;
    GetClientRect(&client);
    ClientToScreen(&client);
    CRect screen;
    GetWindowRect(&screen);
    client.OffsetRect(-screen.left, -screen.top);
    dc.ExcludeClipRect(&client);
    const COLORREF back = GetColorTable()->GetColor(IsWindowEnabled() ? kSlotWindow : kSlotButtonFace);
    CUiMemDC memDC(&dc, window, CStyleGradient(back));
    DrawFlatFrame(&memDC, window);
}
