#include "CKitReBar.h"

#include "CKitCommandBar.h"
#include "CKitDockBar.h"
#include "core/ControlLayout.h"
#include "window/CDC.h"

#include <algorithm>

using namespace kit::commandbars;

IMPLEMENT_DYNAMIC(CKitReBar, CReBar)

BEGIN_MESSAGE_MAP(CKitReBar, CReBar)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_NOTIFY_REFLECT(RBN_CHILDSIZE, OnChildSize)
END_MESSAGE_MAP()

namespace
{
// Wide enough that a bar lays out in one row.
constexpr int kUnboundedLength = 32000;
}

BOOL CKitReBar::AddToolBar(CKitCommandBar* pBar, DWORD dwBandStyle)
{
    if (pBar == nullptr || !::IsWindow(m_hWnd) || !::IsWindow(pBar->m_hWnd))
        return FALSE;
    const CSize size = pBar->CalcDockedSize(kUnboundedLength, kLayoutHorz | kLayoutHorzDock | kLayoutCommit);
    pBar->SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    if (pBar->m_pDockBar != nullptr)
        pBar->m_pDockBar->RemoveCommandBar(pBar);
    pBar->m_pDockBar = nullptr;
    pBar->m_dwStyle &= ~kBarStyleGripper;
    REBARBANDINFOW band = {};
    band.cbSize = sizeof(band);
    band.fMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_ID | RBBIM_SIZE | RBBIM_IDEALSIZE;
    band.fStyle = dwBandStyle;
    band.hwndChild = pBar->m_hWnd;
    band.cxMinChild = size.cx;
    band.cyMinChild = size.cy;
    band.cx = size.cx;
    band.cxIdeal = size.cx;
    band.wID = static_cast<UINT>(pBar->GetBarId());
    if (!SendMessage(RB_INSERTBANDW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band)))
        return FALSE;
    pBar->OnRecalcLayout();
    return TRUE;
}

int CKitReBar::FindBand(CKitCommandBar* pBar) const
{
    if (pBar == nullptr || !::IsWindow(m_hWnd))
        return -1;
    for (int i = 0; i < GetBandCount(); ++i)
        if (GetToolBarAt(i) == pBar)
            return i;
    return -1;
}

int CKitReBar::RemoveToolBar(CKitCommandBar* pBar)
{
    const int nBand = FindBand(pBar);
    if (nBand >= 0)
        SendMessage(RB_DELETEBAND, static_cast<WPARAM>(nBand));
    return nBand;
}

CKitCommandBar* CKitReBar::GetToolBarAt(int nBand) const
{
    REBARBANDINFOW band = {};
    band.cbSize = sizeof(band);
    band.fMask = RBBIM_CHILD;
    if (!::IsWindow(m_hWnd) || !SendMessage(RB_GETBANDINFOW, static_cast<WPARAM>(nBand), reinterpret_cast<LPARAM>(&band)))
        return nullptr;
    return dynamic_cast<CKitCommandBar*>(CWnd::FromHandlePermanent(band.hwndChild));
}

CSize CKitReBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    const CSize size = CReBar::CalcFixedLayout(bStretch, bHorz);
    for (int nBand = GetBandCount() - 1; nBand >= 0; --nBand)
    {
        CKitCommandBar* pBar = GetToolBarAt(nBand);
        if (pBar == nullptr)
            continue;
        RECT rcBand = {};
        SendMessage(RB_GETRECT, static_cast<WPARAM>(nBand), reinterpret_cast<LPARAM>(&rcBand));
        RECT rcBorders = {};
        SendMessage(RB_GETBANDBORDERS, static_cast<WPARAM>(nBand), reinterpret_cast<LPARAM>(&rcBorders));
        const int nWidth = (rcBand.right - rcBand.left) - rcBorders.left - rcBorders.right;
        const CSize ideal = pBar->CalcDockedSize(kUnboundedLength, kLayoutHorz | kLayoutHorzDock);
        // The menu bar stretches over its band; other bars hide what does not fit.
        const DWORD dwFit = pBar->GetType() == kBarTypeMenuBar ? kLayoutStretch : kLayoutNoWrap;
        const CSize fitted =
            pBar->CalcDockedSize(nWidth > 0 ? nWidth : ideal.cx, kLayoutHorz | kLayoutHorzDock | kLayoutCommit | dwFit);
        REBARBANDINFOW band = {};
        band.cbSize = sizeof(band);
        band.fMask = RBBIM_CHILDSIZE | RBBIM_IDEALSIZE;
        band.cxMinChild = 0;
        band.cyMinChild = fitted.cy;
        band.cxIdeal = ideal.cx;
        SendMessage(RB_SETBANDINFOW, static_cast<WPARAM>(nBand), reinterpret_cast<LPARAM>(&band));
    }
    return size;
}

void CKitReBar::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    // Drawn off-screen on the button face, then copied out in one piece.
    HDC hMem = ::CreateCompatibleDC(dc.GetSafeHdc());
    HBITMAP hBitmap = ::CreateCompatibleBitmap(dc.GetSafeHdc(), std::max(rc.Width(), 1), std::max(rc.Height(), 1));
    HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
    ::FillRect(hMem, &rc, ::GetSysColorBrush(COLOR_BTNFACE));
    DefWindowProc(WM_ERASEBKGND, reinterpret_cast<WPARAM>(hMem), 0);
    DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(hMem), 0);
    ::BitBlt(dc.GetSafeHdc(), 0, 0, rc.Width(), rc.Height(), hMem, 0, 0, SRCCOPY);
    ::SelectObject(hMem, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hMem);
}

BOOL CKitReBar::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;
}

void CKitReBar::OnChildSize(NMHDR* pNMHDR, LRESULT* pResult)
{
    CReBar::OnHeightChange(pNMHDR, pResult);
}
