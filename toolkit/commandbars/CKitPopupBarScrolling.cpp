// A popup menu too tall for the screen: the controls that fit between the
// scroll strips, walked down from the first visible one or up from the end
// one, and the strips' timers that move them by one control.
#include "CKitPopupBar.h"

#include "CCommandBarDrawer.h"
#include "GdiSelectors.h"

#include <algorithm>

void CKitPopupBar::LayoutScrolled(CSize size, BOOL bUpward, BOOL bRedraw)
{
    CClientDC dc(this);
    CCommandBarDrawer* pDrawer = ResolveDrawer();
    CFontSelector font(&dc, pDrawer->FontForControl(this, FALSE));
    const CRect margins = GetPopupMargins(&dc);
    const int nGap = pDrawer->DrawSeparator(&dc, this, nullptr, FALSE).cy;
    CKitControl* pExpand = m_controls.FindControl(kExpandButtonId);
    const BOOL bExpandRow = m_bHasHiddenCommands && pExpand != nullptr;
    const int nExpandHeight = bExpandRow ? pExpand->GetSize(&dc).cy : 0;
    const int t = margins.top;
    const int b = margins.bottom + nExpandHeight;
    const int W = size.cx;
    const int H = size.cy;
    const int nCount = m_controls.GetCount();
    const auto isOtherwiseHidden = [](CKitControl* pControl) {
        return (pControl->GetHideFlags() & ~kHideScrolledOut) != 0;
    };
    const auto heightOf = [&](CKitControl* pControl) { return static_cast<int>(pControl->GetSize(&dc).cy); };
    m_rcScrollUp.SetRectEmpty();
    m_rcScrollDown.SetRectEmpty();
    if (!bUpward)
    {
        if (m_nFirstVisible == 1)
            m_nFirstVisible = 0;
        m_nFirstVisible = std::clamp(m_nFirstVisible, 0, std::max(nCount - 1, 0));
        int y = t;
        if (m_nFirstVisible > 0)
        {
            m_rcScrollUp = CRect(0, t, W, t + kScrollStrip);
            y += kScrollStrip;
        }
        for (int i = 0; i < m_nFirstVisible; ++i)
            m_controls.GetAt(i)->SetHideFlags(m_controls.GetAt(i)->GetHideFlags() | kHideScrolledOut);
        int i = m_nFirstVisible;
        for (; i < nCount; ++i)
        {
            CKitControl* pControl = m_controls.GetAt(i);
            pControl->SetHideFlags(pControl->GetHideFlags() & ~kHideScrolledOut);
            if (pControl == pExpand || isOtherwiseHidden(pControl))
                continue;
            int yTop = y;
            if (pControl->GetBeginGroup() && i > m_nFirstVisible)
                yTop += nGap;
            const int h = heightOf(pControl);
            if (H - h - yTop < b + kScrollStrip)
                break;
            pControl->SetRect(CRect(margins.left, yTop, W - margins.right, yTop + h));
            y = yTop + h;
        }
        m_nEndVisible = i;
        BOOL bAnyBelow = FALSE;
        for (int j = m_nEndVisible; j < nCount; ++j)
        {
            CKitControl* pControl = m_controls.GetAt(j);
            if (pControl == pExpand)
                continue;
            pControl->SetHideFlags(pControl->GetHideFlags() | kHideScrolledOut);
            bAnyBelow = TRUE;
        }
        if (bAnyBelow)
            m_rcScrollDown = CRect(0, H - b - kScrollStrip, W, H - b);
    }
    else
    {
        if (m_nEndVisible == nCount - 1)
            m_nEndVisible = nCount;
        m_nEndVisible = std::clamp(m_nEndVisible, 0, nCount);
        int y = H - b;
        if (m_nEndVisible < nCount)
        {
            m_rcScrollDown = CRect(0, H - b - kScrollStrip, W, H - b);
            y -= kScrollStrip;
        }
        for (int j = m_nEndVisible; j < nCount; ++j)
            if (m_controls.GetAt(j) != pExpand)
                m_controls.GetAt(j)->SetHideFlags(m_controls.GetAt(j)->GetHideFlags() | kHideScrolledOut);
        int nStop = -1;
        for (int i = m_nEndVisible - 1; i >= 0; --i)
        {
            CKitControl* pControl = m_controls.GetAt(i);
            pControl->SetHideFlags(pControl->GetHideFlags() & ~kHideScrolledOut);
            if (pControl == pExpand || isOtherwiseHidden(pControl))
                continue;
            const int h = heightOf(pControl);
            if (y - h < kScrollStrip + t)
            {
                nStop = i;
                break;
            }
            pControl->SetRect(CRect(margins.left, y - h, W - margins.right, y));
            y -= h;
            if (pControl->GetBeginGroup())
                y -= nGap;
        }
        m_nFirstVisible = nStop + 1;
        for (int i = 0; i < m_nFirstVisible; ++i)
            m_controls.GetAt(i)->SetHideFlags(m_controls.GetAt(i)->GetHideFlags() | kHideScrolledOut);
        if (m_nFirstVisible > 0)
            m_rcScrollUp = CRect(0, t, W, t + kScrollStrip);
    }
    if (bExpandRow)
        pExpand->SetRect(CRect(margins.left, H - b, W - margins.right, H - b + nExpandHeight));
    if (m_bTearOffPopup)
        m_rcTearOffGripper = CRect(margins.left, t - pDrawer->DrawTearOffGripper(&dc, CRect(), FALSE, FALSE).cy,
                                   W - margins.right, t);
    m_bScrolling = TRUE;
    if (bRedraw && m_nRedrawLock == 0)
    {
        m_bLayoutPending = FALSE;
        Invalidate(FALSE);
    }
}

void CKitPopupBar::OnScrollTimer(UINT_PTR nTimer)
{
    CRect rc;
    GetClientRect(&rc);
    const int nCount = m_controls.GetCount();
    if (nTimer == kScrollDownTimer)
    {
        if (m_nEndVisible >= nCount)
        {
            KillTimer(kScrollDownTimer);
            m_nScrollTimer = 0;
            return;
        }
        ++m_nEndVisible;
        LayoutScrolled(rc.Size(), TRUE, TRUE);
    }
    else
    {
        if (m_nFirstVisible <= 0)
        {
            KillTimer(kScrollUpTimer);
            m_nScrollTimer = 0;
            return;
        }
        --m_nFirstVisible;
        LayoutScrolled(rc.Size(), FALSE, TRUE);
    }
}
