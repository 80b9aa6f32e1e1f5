#include "CKitDockBar.h"

#include "CCommandBarDrawer.h"
#include "CKitCommandBar.h"
#include "CKitCommandBars.h"
#include "core/ControlLayout.h"
#include "window/AfxMessages.h"

#include <algorithm>

using namespace kit::commandbars;

namespace
{

DockBarId IdOf(CKitCommandBar* pBar)
{
    return reinterpret_cast<DockBarId>(pBar);
}

CKitCommandBar* BarOf(DockBarId id)
{
    return reinterpret_cast<CKitCommandBar*>(id);
}

}  // namespace

BOOL CKitDockBar::Create(CWnd* pParent, DWORD dwStyle, UINT nId)
{
    m_dwStyle = dwStyle & 0x40FFFF;
    LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW));
    return CreateEx(0, lpszClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, CRect(0, 0, 0, 0),
                    pParent, nId);
}

int CKitDockBar::GetPosition() const
{
    if ((m_dwStyle & (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)) != 0)
        return kBarTop;
    if ((m_dwStyle & (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)) != 0)
        return kBarBottom;
    if ((m_dwStyle & (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)) != 0)
        return kBarLeft;
    return kBarRight;
}

int CKitDockBar::FindBar(CKitCommandBar* pBar) const
{
    return m_rows.Find(IdOf(pBar));
}

std::vector<CKitCommandBar*> CKitDockBar::GetRowBars(CKitCommandBar* pBar) const
{
    for (const std::vector<DockBarId>& row : m_rows.Rows())
    {
        if (std::find(row.begin(), row.end(), IdOf(pBar)) == row.end())
            continue;
        std::vector<CKitCommandBar*> bars;
        for (DockBarId id : row)
        {
            if (BarOf(id)->IsVisible())
                bars.push_back(BarOf(id));
        }
        return bars;
    }
    return {pBar};
}

std::vector<int> CKitDockBar::RowFarEdges() const
{
    std::vector<int> edges;
    int nEdge = 0;
    for (int nThickness : m_rowThickness)
        edges.push_back(nEdge += nThickness);
    return edges;
}

void CKitDockBar::DockCommandBar(CKitCommandBar* pBar, const CRect* pScreenRect)
{
    if (pBar->m_pDockBar == this && pScreenRect == nullptr)
        return;
    if (pScreenRect != nullptr)
    {
        CRect rc = *pScreenRect;
        ScreenToClient(&rc);
        const CPoint centre = rc.CenterPoint();
        m_rows.InsertAt(IdOf(pBar), IsHorizontal() ? centre.y : centre.x, RowFarEdges());
        pBar->m_nDockLeft = IsHorizontal() ? rc.left : rc.top;
    }
    else
    {
        m_rows.Append(IdOf(pBar));
        pBar->m_nDockLeft = 0;
    }
    if (::GetParent(pBar->m_hWnd) != m_hWnd)
        ::SetParent(pBar->m_hWnd, m_hWnd);
    if (pBar->m_pDockBar != nullptr && pBar->m_pDockBar != this)
        pBar->m_pDockBar->RemoveCommandBar(pBar);
    pBar->m_pDockBar = this;
    pBar->m_nPosition = GetPosition();
    m_rows.NormalizeRows([](DockBarId id) { return (BarOf(id)->GetFlags() & 0x40) != 0; });
    if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->DelayRecalcLayout();
}

void CKitDockBar::RemoveCommandBar(CKitCommandBar* pBar)
{
    m_rows.Remove(IdOf(pBar));
    if (pBar->m_pDockBar == this)
        pBar->m_pDockBar = nullptr;
    if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->DelayRecalcLayout();
}

int CKitDockBar::LayoutRows(int nLength, HDWP& hDwp)
{
    const BOOL bHorizontal = IsHorizontal();
    const DWORD dwMode = (bHorizontal ? kLayoutHorzDock : kLayoutVertDock) | kLayoutNoWrap;
    m_rowThickness.clear();
    int nOrigin = 0;
    for (const std::vector<DockBarId>& row : m_rows.Rows())
    {
        std::vector<RowEntry> entries;
        for (size_t i = 0; i < row.size(); ++i)
        {
            CKitCommandBar* pBar = BarOf(row[i]);
            if (!pBar->IsWindowVisible())
                continue;
            const CSize size = pBar->CalcDockedSize(nLength, dwMode);
            const int nAlong = bHorizontal ? size.cx : size.cy;
            RowEntry entry;
            entry.bar = row[i];
            entry.left = pBar->m_nDockLeft;
            entry.right = entry.left + nAlong;
            entry.rowIndex = static_cast<int>(i);
            entry.minLength = bHorizontal ? pBar->CalcDockedSize(1, dwMode).cx : pBar->CalcDockedSize(1, dwMode).cy;
            entries.push_back(entry);
        }
        if (entries.empty())
        {
            m_rowThickness.push_back(0);
            continue;
        }
        ArrangeRow(entries, nLength);
        int nThickness = 0;
        for (const RowEntry& entry : entries)
        {
            const CSize size = BarOf(entry.bar)->CalcDockedSize(entry.right - entry.left, dwMode | kLayoutCommit);
            nThickness = std::max(nThickness, static_cast<int>(bHorizontal ? size.cy : size.cx));
        }
        for (const RowEntry& entry : entries)
        {
            CKitCommandBar* pBar = BarOf(entry.bar);
            const CRect rc = bHorizontal ? CRect(entry.left, nOrigin, entry.right, nOrigin + nThickness)
                                         : CRect(nOrigin, entry.left, nOrigin + nThickness, entry.right);
            hDwp = ::DeferWindowPos(hDwp, pBar->m_hWnd, nullptr, rc.left, rc.top, rc.Width(), rc.Height(),
                                    SWP_NOZORDER | SWP_NOACTIVATE);
            pBar->m_nPosition = GetPosition();
            pBar->Invalidate(FALSE);
        }
        m_rowThickness.push_back(nThickness);
        nOrigin += nThickness;
    }
    return nOrigin;
}

LRESULT CKitDockBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_SIZEPARENT:
    {
        auto* pLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
        if (!IsWindowVisible())
            return 0;
        CRect rcFree(pLayout->rect);
        const BOOL bHorizontal = IsHorizontal();
        HDWP hDwp = ::BeginDeferWindowPos(8);
        const int nThickness = LayoutRows(bHorizontal ? rcFree.Width() : rcFree.Height(), hDwp);
        ::EndDeferWindowPos(hDwp);
        CRect rcStrip = rcFree;
        switch (GetPosition())
        {
        case kBarTop:
            rcStrip.bottom = rcStrip.top + nThickness;
            pLayout->rect.top += nThickness;
            break;
        case kBarBottom:
            rcStrip.top = rcStrip.bottom - nThickness;
            pLayout->rect.bottom -= nThickness;
            break;
        case kBarLeft:
            rcStrip.right = rcStrip.left + nThickness;
            pLayout->rect.left += nThickness;
            break;
        default:
            rcStrip.left = rcStrip.right - nThickness;
            pLayout->rect.right -= nThickness;
            break;
        }
        if (bHorizontal)
        {
            pLayout->sizeTotal.cy += nThickness;
            pLayout->sizeTotal.cx = std::max(pLayout->sizeTotal.cx, static_cast<LONG>(rcStrip.Width()));
        }
        else
        {
            pLayout->sizeTotal.cx += nThickness;
            pLayout->sizeTotal.cy = std::max(pLayout->sizeTotal.cy, static_cast<LONG>(rcStrip.Height()));
        }
        if (pLayout->hDWP != nullptr)
            pLayout->hDWP = ::DeferWindowPos(pLayout->hDWP, m_hWnd, nullptr, rcStrip.left, rcStrip.top,
                                             rcStrip.Width(), rcStrip.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        else
            MoveWindow(rcStrip, FALSE);
        Invalidate(FALSE);
        return 0;
    }
    case WM_RBUTTONDOWN:
        // The bars' context menu, for no bar in particular.
        if (m_pCommandBars != nullptr)
        {
            CPoint ptScreen(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
            ClientToScreen(&ptScreen);
            m_pCommandBars->ShowToolbarsMenu(nullptr, ptScreen.x, ptScreen.y);
        }
        return 0;
    case WM_ERASEBKGND:
        return TRUE;
    case WM_PAINT:
    {
        CPaintDC dc(this);
        GetCommandBarDrawer()->PaintDockBarBackground(&dc, this);
        return 0;
    }
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
