// Tearing a popup off: a drag from its gripper shows the floating toolbar
// that holds the popup's controls while the pointer is away from the popup,
// and leaves it floating when the button is released there.
#include "CKitPopupBar.h"

#include "CKitCommandBars.h"
#include "CKitToolBar.h"
#include "CPopupMouseTracker.h"

namespace
{

constexpr int kTearOffReach = 10;  // the drag counts as inside within this of the popup
constexpr DWORD kTornOffDocking = 0x3F;

}  // namespace

BOOL CKitPopupBar::OnPopupLButtonDown(CPoint point)
{
    CKitCommandBars* pCommandBars = FindCommandBars();
    const BOOL bCustomizing = pCommandBars != nullptr && pCommandBars->IsCustomizeMode();
    if (!m_bTearOffPopup || bCustomizing || !m_rcTearOffGripper.PtInRect(point))
        return FALSE;
    TrackTearOff();
    return TRUE;
}

void CKitPopupBar::TrackTearOff()
{
    CKitCommandBars* pCommandBars = FindCommandBars();
    if (pCommandBars == nullptr)
        return;
    ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEALL));
    CPopupMouseTracker* pTracker = CPopupMouseTracker::GetThreadTracker();
    ++pTracker->m_nLock;
    m_bTearing = TRUE;
    const HWND hPopup = m_hWnd;
    if (::GetCapture() != nullptr && ::GetCapture() != hPopup)
    {
        m_bTearing = FALSE;
        --pTracker->m_nLock;
        return;
    }
    ::SetCapture(hPopup);
    CKitCommandBar* pFloating = nullptr;
    BOOL bInside = TRUE;
    CPoint ptLast(-1, -1);
    while (::GetCapture() == hPopup)
    {
        MSG msg;
        // Pending paints first; a filtered peek may still hand out the quit.
        const BOOL bPaint = ::PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE);
        if (bPaint && msg.message == WM_PAINT)
        {
            ::DispatchMessageW(&msg);
            continue;
        }
        if ((bPaint && msg.message == WM_QUIT) || (!bPaint && !::GetMessageW(&msg, nullptr, 0, 0)))
        {
            // The application is quitting: its own loop must see it.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (msg.message == WM_LBUTTONUP)
            break;
        if (msg.message == WM_KEYDOWN)
        {
            if (msg.wParam == VK_ESCAPE)
            {
                if (pFloating != nullptr && !bInside)
                {
                    pFloating->ShowWindow(SW_HIDE);
                    ::ShowWindow(hPopup, SW_SHOWNOACTIVATE);
                    bInside = TRUE;
                }
                break;
            }
            continue;
        }
        if (msg.message != WM_MOUSEMOVE)
        {
            ::DispatchMessageW(&msg);
            continue;
        }
        const CPoint pt(msg.pt);
        if (pt == ptLast)
            continue;
        ptLast = pt;
        CRect rcPopup;
        ::GetWindowRect(hPopup, &rcPopup);
        rcPopup.InflateRect(kTearOffReach, kTearOffReach);
        const BOOL bNowInside = rcPopup.PtInRect(pt);
        if (pFloating == nullptr && !bNowInside)
            pFloating = MakeTornOffBar();
        if (pFloating == nullptr)
            continue;
        if (bNowInside != bInside)
        {
            bInside = bNowInside;
            ::ShowWindow(hPopup, bInside ? SW_SHOWNOACTIVATE : SW_HIDE);
            pFloating->ShowWindow(bInside ? SW_HIDE : SW_SHOWNOACTIVATE);
        }
        CRect rcFloat;
        pFloating->GetWindowRect(&rcFloat);
        pFloating->SetWindowPos(nullptr, pt.x - rcFloat.Width() / 2, pt.y - 10, 0, 0,
                                SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (::GetCapture() == hPopup)
        ::ReleaseCapture();
    if (pFloating != nullptr && !bInside)
        CKitCommandBars::ClosePopups();
    m_bTearing = FALSE;
    --pTracker->m_nLock;
}

CKitCommandBar* CKitPopupBar::MakeTornOffBar()
{
    CKitCommandBars* pCommandBars = FindCommandBars();
    if (pCommandBars == nullptr)
        return nullptr;
    if (CKitCommandBar* pExisting = m_nTearOffId != 0 ? pCommandBars->FindBarById(m_nTearOffId) : nullptr)
    {
        pCommandBars->FloatCommandBar(pExisting);
        pExisting->SetVisible(TRUE);
        pCommandBars->RelayoutFrame(FALSE);
        return pExisting;
    }
    auto* pBar = static_cast<CKitToolBar*>(RUNTIME_CLASS(CKitToolBar)->CreateObject());
    pBar->SetCommandBars(pCommandBars);
    pBar->EnableBarDocking(kTornOffDocking);
    pBar->SetTitle(m_strTearOffCaption);
    pBar->m_nBarId = m_nTearOffId;
    pBar->m_bBuiltIn = FALSE;
    pBar->m_bTearOff = TRUE;
    // A popup that never stored a width floats as one row.
    if (m_nTearOffWidth > 0)
        pBar->m_nFloatingWidth = m_nTearOffWidth;
    for (int i = 0; i < m_controls.GetCount(); ++i)
    {
        CKitControl* pControl = m_controls.GetAt(i);
        if (pControl->GetId() == kExpandButtonId && pControl->IsTemporary())
            continue;
        CKitControl* pCopy = pBar->GetControls()->AddCopy(pControl);
        pCopy->SetHideFlags(pCopy->GetHideFlags() & ~(kHideScrolledOut | kHideRarelyUsed));
    }
    pCommandBars->AddBar(pBar);
    if (!pCommandBars->FloatCommandBar(pBar))
        return nullptr;
    pBar->OnRecalcLayout();
    pBar->ShowWindow(SW_HIDE);
    return pBar;
}
