#include "CBarShadows.h"

#include "CCommandBarDrawer.h"
#include "CKitCommandBar.h"
#include "CSubclassHookTable.h"

#include <algorithm>

namespace
{

// The drawer that paints the bar.
CCommandBarDrawer* DrawerOf(CKitCommandBar* pBar)
{
    return pBar != nullptr ? pBar->ResolveDrawer() : GetCommandBarDrawer();
}

// One pixel of the layered image: alpha on top, the shadow colour's channels
// scaled by the factor below it (red in the third byte, blue in the lowest).
DWORD ShadowPixel(int nAlpha, double dFactor, COLORREF clr)
{
    const auto channel = [dFactor](BYTE value) { return static_cast<DWORD>(value * dFactor) & 0xFF; };
    return (static_cast<DWORD>(std::min(nAlpha, 255)) << 24) | (channel(GetRValue(clr)) << 16) |
           (channel(GetGValue(clr)) << 8) | channel(GetBValue(clr));
}

}  // namespace

CBarShadowWnd::CBarShadowWnd(CKitCommandBar* pOwner, int nOrientation, BOOL bDrawerShadows)
    : m_nOrientation(nOrientation), m_bDrawerShadows(bDrawerShadows), m_pOwner(pOwner)
{
}

BOOL CBarShadowWnd::Place(const CRect& rcShadow)
{
    if (!::IsWindow(m_hWnd))
    {
        LPCTSTR lpszClass = AfxRegisterWndClass(CS_SAVEBITS | CS_OWNDC, ::LoadCursorW(nullptr, IDC_ARROW));
        const DWORD dwExStyle = WS_EX_TOOLWINDOW | (CBarShadows::Instance().HasLayeredShadows() ? WS_EX_LAYERED : 0);
        CWnd* pSite = m_pOwner->GetNotifySite();
        if (!CreateEx(dwExStyle, lpszClass, L"", WS_POPUP, CRect(0, 0, 0, 0), pSite, 0))
            return FALSE;
    }
    ::SetWindowRgn(m_hWnd, nullptr, FALSE);
    ::SetWindowPos(m_hWnd, nullptr, rcShadow.left, rcShadow.top, rcShadow.Width(), rcShadow.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    return TRUE;
}

void CBarShadowWnd::Exclude(const CRect& rcScreen)
{
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    CRect rcCommon;
    if (!rcCommon.IntersectRect(&rcWindow, &rcScreen))
        return;
    HRGN hCurrent = ::CreateRectRgn(0, 0, 0, 0);
    if (::GetWindowRgn(m_hWnd, hCurrent) == ERROR)
        ::SetRectRgn(hCurrent, 0, 0, rcWindow.Width(), rcWindow.Height());
    rcCommon.OffsetRect(-rcWindow.left, -rcWindow.top);
    HRGN hCut = ::CreateRectRgnIndirect(&rcCommon);
    ::CombineRgn(hCurrent, hCurrent, hCut, RGN_DIFF);
    ::DeleteObject(hCut);
    ::SetWindowRgn(m_hWnd, hCurrent, FALSE);  // the window owns the region now
}

int CBarShadowWnd::OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM&, LRESULT&)
{
    switch (nMessage)
    {
    case WM_SHOWWINDOW:
        if (::IsWindow(m_hWnd))
            ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                           SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                               (wParam ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
        break;
    case WM_DESTROY:
        CSubclassHookTable::Instance().RemoveSink(hWnd, this);
        CBarShadows::Instance().OnShadowDestroyed(this);  // deletes this shadow
        break;
    default:
        break;
    }
    return kNotHandled;
}

void CBarShadowWnd::UpdateLayeredImage(CSize size)
{
    CBarShadows& shadows = CBarShadows::Instance();
    if (size.cx <= 0 || size.cy <= 0 || !shadows.HasLayeredShadows() || m_pOwner == nullptr)
        return;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = size.cy;  // bottom-up: row 0 is the bottom row
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    HDC hMemDC = ::CreateCompatibleDC(nullptr);
    HBITMAP hBitmap = ::CreateDIBSection(hMemDC, &info, DIB_RGB_COLORS, &pBits, nullptr, 0);
    if (hBitmap == nullptr || pBits == nullptr)
    {
        ::DeleteDC(hMemDC);
        return;
    }
    const COLORREF clr = DrawerOf(m_pOwner)->GetShadowColor();
    const int k = m_bDrawerShadows ? 1 : 2;
    const int s = 3 * k;
    auto* pPixels = static_cast<DWORD*>(pBits);
    const int cx = size.cx;
    const int cy = size.cy;
    for (int row = 0; row < cy; ++row)
    {
        for (int col = 0; col < cx; ++col)
        {
            int nAlpha = 0;
            double dFactor = 0;
            if (m_nOrientation == kBottomShadow)
            {
                const int r = std::min(row, 3);
                const int c = std::min(col, cx - 1 - col);
                if (c < 4)
                {
                    nAlpha = s * (c + 1) * (r + 1);
                    dFactor = 0.05 * (c + 1) * (r + 1);
                }
                else
                {
                    nAlpha = 15 * k * (r + 1);
                    dFactor = 0.25 * (r + 1);
                }
            }
            else
            {
                const int t = cy - 1 - row;  // from the top
                if (t < 4)
                {
                    const int e = std::clamp(cx - col, 1, 4);
                    nAlpha = s * e * (t + 1);
                    dFactor = 0.05 * e * (t + 1);
                }
                else
                {
                    const int f = std::min(col, 3);
                    nAlpha = 15 * k * (4 - f);
                    dFactor = 0.25 * (4 - f);
                }
            }
            pPixels[row * cx + col] = ShadowPixel(nAlpha, dFactor, clr);
        }
    }
    HGDIOBJ hOld = ::SelectObject(hMemDC, hBitmap);
    POINT ptSource = {0, 0};
    SIZE szWindow = size;
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    shadows.GetUpdateLayeredWindow()(m_hWnd, nullptr, nullptr, &szWindow, hMemDC, &ptSource, 0, &blend, ULW_ALPHA);
    ::SelectObject(hMemDC, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hMemDC);
}

LRESULT CBarShadowWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_PAINT:
    {
        CPaintDC dc(this);
        CRect rc;
        GetClientRect(&rc);
        // The layered image replaces the black fill where there is one.
        const COLORREF clr = CBarShadows::Instance().HasLayeredShadows() ? RGB(0, 0, 0)
                                                                         : DrawerOf(m_pOwner)->ColorAt(16);
        dc.FillSolidRect(rc, clr);
        return 0;
    }
    case WM_SIZE:
    {
        const LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
        UpdateLayeredImage(CSize(LOWORD(lParam), HIWORD(lParam)));
        return lResult;
    }
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

CBarShadows& CBarShadows::Instance()
{
    static CBarShadows shadows;
    return shadows;
}

CBarShadows::CBarShadows()
{
    if (HMODULE hUser = ::GetModuleHandleW(L"USER32"))
        m_pfnUpdateLayeredWindow =
            reinterpret_cast<UpdateLayeredWindowFunc>(::GetProcAddress(hUser, "UpdateLayeredWindow"));
}

CBarShadows::~CBarShadows()
{
    // At exit the owners' windows are gone; only the objects remain.
    for (CBarShadowWnd* pShadow : m_shadows)
        delete pShadow;
}

void CBarShadows::AddShadow(CKitCommandBar* pBar, const CRect& rcExclude)
{
    if (pBar == nullptr || !::IsWindow(pBar->m_hWnd))
        return;
    CCommandBarDrawer* pDrawer = DrawerOf(pBar);
    if (!pDrawer->DrawsOwnShadows())
    {
        BOOL bDropShadow = FALSE;
        ::SystemParametersInfoW(SPI_GETDROPSHADOW, 0, &bDropShadow, 0);
        if (!HasLayeredShadows() || !bDropShadow)
            return;
    }
    CRect rcBar;
    pBar->GetWindowRect(&rcBar);
    CreateShadow(pBar, CBarShadowWnd::kBottomShadow, rcBar, rcExclude, pDrawer);
    CreateShadow(pBar, CBarShadowWnd::kRightShadow, rcBar, rcExclude, pDrawer);
}

void CBarShadows::AddControlShadow(CKitControl* pControl)
{
    CKitCommandBar* pParent = pControl != nullptr ? pControl->GetParent() : nullptr;
    CKitCommandBar* pPopup = pControl != nullptr ? pControl->GetCommandBar() : nullptr;
    if (pParent == nullptr || pPopup == nullptr || !::IsWindow(pParent->m_hWnd))
        return;
    CCommandBarDrawer* pDrawer = DrawerOf(pPopup);
    if (!pDrawer->DrawsOwnShadows())
        return;
    CRect rcControl = pControl->GetRect();
    pParent->ClientToScreen(&rcControl);
    CreateShadow(pPopup, CBarShadowWnd::kBottomShadow, rcControl, CRect(), pDrawer);
    CreateShadow(pPopup, CBarShadowWnd::kRightShadow, rcControl, CRect(), pDrawer);
}

void CBarShadows::CreateShadow(CKitCommandBar* pOwner, int nOrientation, const CRect& rcOwner,
                               const CRect& rcExclude, CCommandBarDrawer* pDrawer)
{
    if (!pDrawer->ShadowsEnabled())
        return;
    const int w = GetShadowWidth();
    CRect rcShadow = nOrientation == CBarShadowWnd::kBottomShadow
                         ? CRect(rcOwner.left + w, rcOwner.bottom, rcOwner.right + w, rcOwner.bottom + w)
                         : CRect(rcOwner.right, rcOwner.top + w, rcOwner.right + w, rcOwner.bottom);
    // The shadows of a cascade meet without a gap.
    for (CBarShadowWnd* pOther : m_shadows)
    {
        if (!::IsWindow(pOther->m_hWnd))
            continue;
        CRect rcOther;
        pOther->GetWindowRect(&rcOther);
        if (nOrientation == CBarShadowWnd::kBottomShadow && pOther->GetOrientation() == CBarShadowWnd::kRightShadow)
        {
            if (rcOther.right == rcShadow.left + 1 && rcOther.top < rcShadow.top && rcOther.bottom > rcShadow.bottom)
                rcShadow.left -= 2 * w + 1;
        }
        else if (nOrientation == CBarShadowWnd::kRightShadow &&
                 pOther->GetOrientation() == CBarShadowWnd::kBottomShadow)
        {
            if (rcOther.bottom == rcShadow.top + 1 && rcOther.left <= rcShadow.right && rcOther.right >= rcShadow.right)
                rcShadow.top -= 2 * rcOther.Height();
        }
    }
    auto* pShadow = new CBarShadowWnd(pOwner, nOrientation, pDrawer->DrawsOwnShadows());
    if (!pShadow->Place(rcShadow))
    {
        delete pShadow;
        return;
    }
    m_shadows.push_back(pShadow);
    if (pDrawer->DrawsOwnShadows() && !rcExclude.IsRectEmpty())
        pShadow->Exclude(rcExclude);
    // No shadow covers a popup of the cascade.
    for (CBarShadowWnd* pOther : m_shadows)
    {
        if (CKitCommandBar* pBar = pOther->GetOwner(); pBar != nullptr && ::IsWindow(pBar->m_hWnd))
        {
            CRect rcBar;
            pBar->GetWindowRect(&rcBar);
            pShadow->Exclude(rcBar);
        }
    }
    ::SetWindowPos(pShadow->m_hWnd, HWND_TOPMOST, 0, 0, 0, 0,
                   SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOOWNERZORDER);
    CSubclassHookTable::Instance().AddSink(pOwner->m_hWnd, pShadow);
}

void CBarShadows::RemoveShadows(CKitCommandBar* pBar)
{
    const std::vector<CBarShadowWnd*> shadows = m_shadows;
    for (CBarShadowWnd* pShadow : shadows)
    {
        if (pShadow->GetOwner() != pBar)
            continue;
        if (::IsWindow(pBar->m_hWnd))
            CSubclassHookTable::Instance().RemoveSink(pBar->m_hWnd, pShadow);
        Destroy(pShadow);
    }
}

void CBarShadows::OnShadowDestroyed(CBarShadowWnd* pShadow)
{
    Destroy(pShadow);
}

void CBarShadows::Destroy(CBarShadowWnd* pShadow)
{
    if (::IsWindow(pShadow->m_hWnd))
        pShadow->ShowWindow(SW_HIDE);
    pShadow->Forget();
    std::erase(m_shadows, pShadow);
    if (m_shadows.empty())
        m_shadows.shrink_to_fit();
    if (::IsWindow(pShadow->m_hWnd))
        pShadow->DestroyWindow();
    delete pShadow;
}
