// What a press of the left button does to a control: the click loop of
// buttons on toolbars and the menu bar, and the opening of popups.
#include "CKitCommandBar.h"
#include "CKitControl.h"
#include "CKitPopupBar.h"

namespace
{
// The arrow part of a split button: on a toolbar, and in a popup bar.
constexpr int kSplitArrowOnBar = 11;
constexpr int kSplitArrowInPopup = 20;

BOOL IsPopupBar(const CKitCommandBar* pBar)
{
    return pBar->GetPosition() == kBarPopup;
}
}  // namespace

void CKitControl::RunClickLoop(const CRect& rcArea)
{
    CKitCommandBar* pBar = m_pParent;
    if (pBar == nullptr || !::IsWindow(pBar->m_hWnd))
        return;
    const CRect rc = rcArea.IsRectEmpty() ? m_rcControl : rcArea;
    const HWND hBar = pBar->m_hWnd;
    // What runs while the loop dispatches may remove the control or destroy the bar.
    InternalAddRef();
    pBar->SetSelected(m_nIndex, FALSE);
    m_nPressed = kPressedInClickLoop;
    ::InvalidateRect(hBar, nullptr, FALSE);
    ::SetCapture(hBar);

    BOOL bRun = FALSE;
    CPoint ptLastMove(0, 0);
    MSG msg;
    while (::GetCapture() == hBar)
    {
        if (!::GetMessageW(&msg, nullptr, 0, 0))
        {
            // The application's loop must still see the quit.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (msg.message == WM_LBUTTONUP)
        {
            // No move at all counts as a release inside.
            bRun = m_nSelected != kNotSelected && (ptLastMove == CPoint(0, 0) || rc.PtInRect(ptLastMove));
            break;
        }
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)
            break;
        if (msg.message == WM_MOUSEMOVE && msg.hwnd == hBar)
        {
            ptLastMove = CPoint(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
            const int nState = rc.PtInRect(ptLastMove) ? kSelectedByMouse : kNotSelected;
            if (nState != m_nSelected)
            {
                m_nSelected = nState;
                ::InvalidateRect(hBar, nullptr, FALSE);
            }
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    if (::GetCapture() == hBar)
        ::ReleaseCapture();

    const BOOL bBarAlive = ::IsWindow(hBar) && m_pParent == pBar;
    if (bBarAlive && pBar->GetHotIndex() == m_nIndex)
        pBar->SetSelected(-1, FALSE);
    m_nSelected = kNotSelected;
    m_nPressed = kNotPressed;
    if (bBarAlive)
        ::InvalidateRect(hBar, nullptr, FALSE);
    if (bRun && bBarAlive)
        Execute();
    InternalRelease();
}

void CKitControlButton::OnClick(BOOL bKeyboard, CPoint /*point*/)
{
    if (!m_bEnabled || m_pParent == nullptr)
        return;
    if (bKeyboard)
        Execute();
    else if (!IsPopupBar(m_pParent))
        RunClickLoop(CRect());
}

void CKitControlPopup::OnClick(BOOL bKeyboard, CPoint point)
{
    CKitCommandBar* pBar = m_pParent;
    if (!m_bEnabled || pBar == nullptr)
        return;
    const BOOL bInPopup = IsPopupBar(pBar);
    if (pBar->GetPopupedIndex() == m_nIndex && !bInPopup)
    {
        // A second press on an open popup's control closes it.
        pBar->EndTracking();
        return;
    }
    if (m_nType == kControlSplitButtonPopup)
    {
        if (bKeyboard)
        {
            Execute();
            return;
        }
        if (bInPopup && point.x < m_rcControl.right - kSplitArrowInPopup)
        {
            // The button part of a menu item: the release runs it, the submenu stays shut.
            pBar->StopHoverTimer();
            return;
        }
        if (!bInPopup && point.x < m_rcControl.right - kSplitArrowOnBar)
        {
            CRect rcButton = m_rcControl;
            rcButton.right -= kSplitArrowOnBar;
            RunClickLoop(rcButton);
            return;
        }
    }
    pBar->SetPopuped(m_nIndex, bKeyboard);
}

BOOL CKitControlPopup::OnLButtonUp(CPoint point)
{
    if (m_nType == kControlSplitButtonPopup && m_bEnabled && m_pParent != nullptr && IsPopupBar(m_pParent) &&
        point.x < m_rcControl.right - kSplitArrowInPopup)
        Execute();
    return TRUE;
}

BOOL CKitControlPopup::OnLButtonDblClk(CPoint point)
{
    auto* pPopup = dynamic_cast<CKitPopupBar*>(m_pCommandBar);
    if ((m_nType != kControlPopup && m_nType != kControlButtonPopup) || pPopup == nullptr || m_pParent == nullptr)
        return CKitControl::OnLButtonDblClk(point);
    if (m_pParent->GetPopupedIndex() != m_nIndex)
        OnClick(FALSE, point);
    if (CKitControl* pDefault = pPopup->GetControls()->GetAt(pPopup->GetDefaultItem(TRUE)))
    {
        pDefault->Execute();
        return TRUE;
    }
    if (m_pParent->GetPopupedIndex() == m_nIndex && pPopup->HasHiddenCommands() && !pPopup->IsExpanded())
    {
        pPopup->Expand();
        return TRUE;
    }
    return FALSE;
}
