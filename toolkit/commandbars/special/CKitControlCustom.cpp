#include "CKitControlCustom.h"
#include "ListItemCaption.h"

#include "BarTreeExchange.h"
#include "CKitCommandBars.h"
#include "CSubclassHookTable.h"

#include <algorithm>

using namespace bartree;

namespace
{
// Stored sizes beyond these are damage, not a window a bar can hold.
constexpr long kMaxBorder = 100;
constexpr long kMaxControlSide = 4000;

// The dialog item of the id among the site's children, else among a bar's.
HWND FindStoredWindow(CKitPropExchange* pPX, int nControlId)
{
    const CBarTreeOptions* pOptions = OptionsOf(pPX);
    CKitCommandBars* pCommandBars = pOptions != nullptr ? pOptions->pCommandBars : nullptr;
    if (pCommandBars == nullptr)
        return nullptr;
    if (CWnd* pSite = pCommandBars->GetSite(); pSite != nullptr && ::IsWindow(pSite->m_hWnd))
        if (HWND hWnd = ::GetDlgItem(pSite->m_hWnd, nControlId))
            return hWnd;
    for (int i = 0; i < pCommandBars->GetCount(); ++i)
    {
        CKitCommandBar* pBar = pCommandBars->GetAt(i);
        if (pBar != nullptr && ::IsWindow(pBar->m_hWnd))
            if (HWND hWnd = ::GetDlgItem(pBar->m_hWnd, nControlId))
                return hWnd;
    }
    return nullptr;
}
}  // namespace

CKitControlCustom::CKitControlCustom()
{
    m_nType = kControlCustom;
    m_dwFlags = kControlFlagNotCustomizable;
}

CKitControlCustom::~CKitControlCustom()
{
    CSubclassHookTable::Instance().RemoveSinkEverywhere(&m_hookSink);
}

BOOL CKitControlCustom::AttachHookSink()
{
    return ::IsWindow(m_hWndControl) && CSubclassHookTable::Instance().AddSink(m_hWndControl, &m_hookSink);
}

int CKitControlCustom::CMouseSink::OnHookMessage(HWND hWnd, UINT nMessage, WPARAM&, LPARAM& lParam, LRESULT&)
{
    CKitCommandBar* pBar = m_pOwner->GetParent();
    if (nMessage != WM_MOUSEMOVE || pBar == nullptr || !::IsWindow(pBar->m_hWnd))
        return kNotHandled;
    POINT pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ::MapWindowPoints(hWnd, pBar->m_hWnd, &pt, 1);
    pBar->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
    return kNotHandled;
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
    return DrawAsButton(pDC, FALSE);
}

CSize CKitControlCustom::DrawAsButton(CDC* pDC, BOOL bDraw)
{
    // The drawers measure and draw buttons; without its window the control
    // stands for one, so it is handed to them as a button for the call.
    const int nType = m_nType;
    m_nType = kControlButton;
    CSize size(0, 0);
    if (bDraw)
        CKitControlButton::Draw(pDC);
    else
        size = CKitControlButton::GetSize(pDC);
    m_nType = nType;
    return size;
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
    DrawAsButton(pDC, TRUE);
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

void CKitControlCustom::ExchangeProperties(CKitPropExchange* pPX)
{
    CKitControlButton::ExchangeProperties(pPX);
    RECT rcBorders = m_rcBorders;
    SIZE szControl = m_szControl;
    long nVerticalOptions = m_nVerticalOptions;
    ExchangeRect(pPX, L"Borders", rcBorders, RECT{0, 0, 0, 0});
    ExchangeSize(pPX, L"ControlSize", szControl, SIZE{0, 0});
    ExchangeLong(pPX, L"VerticalOptions", nVerticalOptions, 0);
    long nControlId = m_nControlId;
    if (pPX->m_nSchema > 5)
        ExchangeLong(pPX, L"ControlId", nControlId, 0);
    if (!pPX->IsLoading())
        return;
    auto clampBorder = [](long n) { return std::clamp(n, 0L, kMaxBorder); };
    m_rcBorders = CRect(clampBorder(rcBorders.left), clampBorder(rcBorders.top), clampBorder(rcBorders.right),
                        clampBorder(rcBorders.bottom));
    m_szControl = CSize(std::clamp(szControl.cx, 0L, kMaxControlSide), std::clamp(szControl.cy, 0L, kMaxControlSide));
    m_nVerticalOptions = nVerticalOptions >= 0 && nVerticalOptions <= 2 ? static_cast<int>(nVerticalOptions) : 0;
    m_nControlId = nControlId > 0 && nControlId <= kMaxCommandId ? static_cast<int>(nControlId) : 0;
    if (m_nControlId != 0)
        if (HWND hWnd = FindStoredWindow(pPX, m_nControlId))
            m_hWndControl = hWnd;
}

BOOL CKitControlCustom::AcceptsCustomizeDrop(CKitCommandBar* pBar, CPoint, int& nEffect)
{
    return AcceptsDropOnPopupOnly(pBar, nEffect);
}
