#include "CKitControlCustom.h"

#include "CKitCommandBar.h"

CKitControlCustom::CKitControlCustom()
{
    m_nType = kControlCustom;
    m_dwFlags = kControlFlagNotCustomizable;
}

void CKitControlCustom::SetControl(HWND hWnd, CSize szControl)
{
    m_hWndControl = hWnd;
    if (hWnd != nullptr && szControl == CSize(0, 0))
    {
        CRect rc;
        ::GetWindowRect(hWnd, &rc);
        szControl = rc.Size();
    }
    m_szControl = szControl;
    m_rcControl.SetRectEmpty();
    DelayLayoutParent();
}

CSize CKitControlCustom::GetSize(CDC* pDC)
{
    if (::IsWindow(m_hWndControl) && m_bWindowShown)
        return CSize(m_szControl.cx + m_rcBorders.left + m_rcBorders.right,
                     m_szControl.cy + m_rcBorders.top + m_rcBorders.bottom);
    return CKitControlButton::GetSize(pDC);
}

void CKitControlCustom::ShowHostedWindow()
{
    if (!::IsWindow(m_hWndControl))
        return;
    ::SetWindowPos(m_hWndControl, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                       (m_bWindowShown && m_dwHideFlags == 0 ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void CKitControlCustom::SetRect(const CRect& rc)
{
    CKitCommandBar* pBar = m_pParent;
    const BOOL bParented = pBar != nullptr && ::IsWindow(m_hWndControl) && ::GetParent(m_hWndControl) == pBar->m_hWnd;
    if (rc == m_rcControl && bParented)
        return;
    m_rcControl = rc;
    if (!::IsWindow(m_hWndControl) || pBar == nullptr || !::IsWindow(pBar->m_hWnd))
        return;
    if (!bParented)
    {
        CWnd::ModifyStyle(m_hWndControl, WS_POPUP, WS_CHILD, 0);
        ::SetParent(m_hWndControl, pBar->m_hWnd);
    }
    CRect rcWindow = rc;
    rcWindow.DeflateRect(m_rcBorders.left, m_rcBorders.top, m_rcBorders.right, m_rcBorders.bottom);
    ::MoveWindow(m_hWndControl, rcWindow.left, rcWindow.top, rcWindow.Width(), rcWindow.Height(), TRUE);
    ShowHostedWindow();
}

void CKitControlCustom::SetEnabled(BOOL bEnabled)
{
    if (bEnabled == m_bEnabled)
        return;
    m_bEnabled = bEnabled;
    if (::IsWindow(m_hWndControl))
        ::EnableWindow(m_hWndControl, bEnabled);
    RedrawParent();
}

void CKitControlCustom::SetHideFlags(DWORD dwHideFlags)
{
    if (dwHideFlags == m_dwHideFlags)
        return;
    m_dwHideFlags = dwHideFlags;
    ShowHostedWindow();
    DelayLayoutParent();
}

void CKitControlCustom::PrepareLayout(DWORD dwMode)
{
    const BOOL bVertical = (dwMode & 0x10) != 0;
    switch (m_nVerticalOptions)
    {
    case 0:
        SetHideFlags(bVertical ? (m_dwHideFlags | kHideVerticalField) : (m_dwHideFlags & ~kHideVerticalField));
        break;
    case 2:
        m_bWindowShown = !bVertical;
        ShowHostedWindow();
        break;
    default:
        break;
    }
}

void CKitControlCustom::Draw(CDC* pDC)
{
    if (::IsWindow(m_hWndControl) && ::IsWindowVisible(m_hWndControl))
        return;
    CKitControlButton::Draw(pDC);
}

void CKitControlCustom::CopyFrom(CKitControl* pSource, BOOL bRecursive)
{
    if (auto* pCustom = dynamic_cast<CKitControlCustom*>(pSource))
    {
        m_rcBorders = pCustom->m_rcBorders;
        m_nVerticalOptions = pCustom->m_nVerticalOptions;
        m_szControl = pCustom->m_szControl;
        m_hWndControl = pCustom->m_hWndControl;
        m_nControlId = pCustom->m_nControlId;
    }
    CKitControlButton::CopyFrom(pSource, bRecursive);
}
