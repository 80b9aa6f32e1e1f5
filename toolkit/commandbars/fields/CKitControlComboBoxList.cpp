#include "CKitControlComboBoxList.h"

#include "CCommandBarDrawer.h"
#include "CKitCommandBars.h"
#include "CKitControlComboBox.h"
#include "CPopupMouseTracker.h"

#include <windowsx.h>

IMPLEMENT_SERIAL(CKitControlComboBoxList, CKitPopupBar, VERSIONABLE_SCHEMA | 16)

namespace
{
// Sent to the site before a popup bar opens (lParam: the bar).
constexpr UINT WM_COMMANDBAR_INITPOPUP = 0x285B;
// The combo's list lies at its own bar position.
constexpr int kBarComboList = 6;
}  // namespace

CKitControlComboBoxList::CKitControlComboBoxList()
{
    m_nPosition = kBarComboList;
    m_bShowShadow = FALSE;
}

CKitControlComboBoxList::~CKitControlComboBoxList()
{
    m_link.Track(FALSE);
}

BOOL CKitControlComboBoxList::CreateListWindow()
{
    if (::IsWindow(m_hWnd))
        return TRUE;
    return CWnd::CreateEx(WS_EX_STATICEDGE | WS_EX_TOOLWINDOW, L"LISTBOX", nullptr,
                          WS_POPUP | WS_CLIPCHILDREN | WS_BORDER | WS_VSCROLL | m_dwListStyle, CRect(0, 0, 0, 0),
                          nullptr, 0);
}

int CKitControlComboBoxList::GetItemCount() const
{
    return ::IsWindow(m_hWnd) ? static_cast<int>(::SendMessageW(m_hWnd, LB_GETCOUNT, 0, 0)) : 0;
}

int CKitControlComboBoxList::AddString(LPCTSTR lpszText)
{
    if (!CreateListWindow())
        return LB_ERR;
    return static_cast<int>(::SendMessageW(m_hWnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszText)));
}

CString CKitControlComboBoxList::GetItemText(int nIndex) const
{
    CString strText;
    if (nIndex < 0 || nIndex >= GetItemCount())
        return strText;
    const int nLength = static_cast<int>(::SendMessageW(m_hWnd, LB_GETTEXTLEN, nIndex, 0));
    if (nLength <= 0)
        return strText;
    ::SendMessageW(m_hWnd, LB_GETTEXT, nIndex, reinterpret_cast<LPARAM>(strText.GetBuffer(nLength + 1)));
    strText.ReleaseBuffer();
    return strText;
}

CKitCommandBar* CKitControlComboBoxList::GetParentBar() const
{
    return m_pCombo != nullptr ? m_pCombo->GetParent() : nullptr;
}

CKitControl* CKitControlComboBoxList::GetOpeningControl() const
{
    return m_pCombo;
}

BOOL CKitControlComboBoxList::Popup(CKitControl* pParentControl, BOOL)
{
    auto* pCombo = dynamic_cast<CKitControlComboBox*>(pParentControl);
    CKitCommandBar* pBar = pCombo != nullptr ? pCombo->GetParent() : nullptr;
    if (pBar == nullptr || !::IsWindow(pBar->m_hWnd) || !CreateListWindow())
        return FALSE;
    m_pCombo = pCombo;
    if (CFont* pFont = pBar->ResolveDrawer()->FontForControl(pBar, FALSE))
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pFont->GetSafeHandle()), FALSE);
    if (CWnd* pSite = pBar->GetSite(); pSite != nullptr && ::IsWindow(pSite->m_hWnd))
        pSite->SendMessage(WM_COMMANDBAR_INITPOPUP, 0, reinterpret_cast<LPARAM>(this));
    if (m_pCombo != pCombo)
        return FALSE;
    CKitCommandBars* pCommandBars = pBar->FindCommandBars();
    const BOOL bRightToLeft = pCommandBars != nullptr && pCommandBars->IsLayoutRTL();
    ModifyStyleEx(bRightToLeft ? 0 : WS_EX_LAYOUTRTL, bRightToLeft ? WS_EX_LAYOUTRTL : 0);

    const int nItemHeight = static_cast<int>(SendMessage(LB_GETITEMHEIGHT, 0, 0));
    const int nRows = std::max(1, std::min(pCombo->m_nDropDownItemCount, GetItemCount()));
    const int nHeight = nItemHeight * nRows + 4;
    CRect rcCombo = pCombo->GetRect();
    pBar->ClientToScreen(&rcCombo);
    const int nWidth = m_nListWidth > 0 ? m_nListWidth : rcCombo.Width();
    // Below the combo; above it when the screen has no room below.
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    ::GetMonitorInfoW(::MonitorFromRect(&rcCombo, MONITOR_DEFAULTTONEAREST), &info);
    int y = rcCombo.bottom;
    if (y + nHeight > info.rcWork.bottom && rcCombo.top - nHeight >= info.rcWork.top)
        y = rcCombo.top - nHeight;
    int x = bRightToLeft ? rcCombo.right - nWidth : rcCombo.left;
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, x, y, nWidth, nHeight, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    EnableWindow(TRUE);
    SetTrackingMode(1, FALSE, FALSE);
    return m_pCombo == pCombo;
}

BOOL CKitControlComboBoxList::SetTrackingMode(int nMode, BOOL bSelectFirst, BOOL bKeyboard)
{
    // The list is no menu: no menu events, sounds or shadows, and its window stays.
    if (!CKitCommandBar::SetTrackingMode(nMode, bSelectFirst, bKeyboard))
        return FALSE;
    m_link.Track(nMode != 0);
    CKitControlComboBox* pCombo = m_pCombo;
    if (nMode != 0)
    {
        if (pCombo != nullptr)
            pCombo->OnListTracking(TRUE);
        return TRUE;
    }
    if (::IsWindow(m_hWnd))
        ShowWindow(SW_HIDE);
    m_pCombo = nullptr;
    if (pCombo != nullptr)
    {
        pCombo->OnListTracking(FALSE);
        if (CKitCommandBar* pBar = pCombo->GetParent(); pBar != nullptr && pBar->GetPopupedIndex() == pCombo->GetIndex())
            pBar->SetPopuped(-1, FALSE);
    }
    return TRUE;
}

BOOL CKitControlComboBoxList::ProcessListKey(UINT nKey)
{
    CKitControlComboBox* pCombo = m_pCombo;
    if (pCombo == nullptr || !::IsWindow(m_hWnd))
        return FALSE;
    const BOOL bAlt = ::GetKeyState(VK_MENU) < 0;
    const int nBefore = static_cast<int>(SendMessage(LB_GETCURSEL));
    if (pCombo->GetEditWindow() != nullptr)
    {
        if (bAlt || (nKey != VK_PRIOR && nKey != VK_NEXT && nKey != VK_UP && nKey != VK_DOWN))
            return FALSE;
        CWnd::DefWindowProc(WM_KEYDOWN, nKey, 0);
    }
    else
    {
        if (((nKey == VK_UP || nKey == VK_DOWN) && bAlt) || (nKey == VK_F4 && !bAlt))
            return FALSE;
        CWnd::DefWindowProc(WM_KEYDOWN, nKey, 0);
    }
    if (static_cast<int>(SendMessage(LB_GETCURSEL)) != nBefore)
    {
        pCombo->OnSelChanged();
        if (CKitEdit* pEdit = pCombo->GetEditWindow(); pEdit != nullptr && ::IsWindow(pEdit->m_hWnd))
            pEdit->SetSel(0, -1);
    }
    return TRUE;
}

int CKitControlComboBoxList::OnTrackingKeyDown(UINT nKey)
{
    CKitControlComboBox* pCombo = m_pCombo;
    if (pCombo == nullptr)
        return CKitPopupBar::OnTrackingKeyDown(nKey);
    switch (nKey)
    {
    case VK_ESCAPE:
        if (pCombo->IsFocused())
            return 0;
        EndTracking();
        return 1;
    case VK_TAB:
        return 0;
    case VK_RETURN:
        pCombo->Execute();
        return 1;
    default:
        return ProcessListKey(nKey) ? 1 : 0;
    }
}

int CKitControlComboBoxList::ItemAt(CPoint ptClient) const
{
    const DWORD dwResult = static_cast<DWORD>(
        ::SendMessageW(m_hWnd, LB_ITEMFROMPOINT, 0, MAKELPARAM(ptClient.x, ptClient.y)));
    return HIWORD(dwResult) != 0 ? -1 : static_cast<int>(LOWORD(dwResult));
}

LRESULT CKitControlComboBoxList::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_MOUSEMOVE:
    {
        const int nItem = ItemAt(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
        if (nItem >= 0 && nItem != static_cast<int>(SendMessage(LB_GETCURSEL)))
            SendMessage(LB_SETCURSEL, nItem);
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // The choice is made on release; the list box must not capture the mouse.
        return 0;
    case WM_LBUTTONUP:
    {
        const int nItem = ItemAt(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
        if (nItem >= 0 && m_pCombo != nullptr)
        {
            SendMessage(LB_SETCURSEL, nItem);
            CKitControlComboBox* pCombo = m_pCombo;
            pCombo->OnSelChanged();
            pCombo->Execute();
        }
        return 0;
    }
    case WM_MOUSEWHEEL:
        break;
    case WM_NCPAINT:
    {
        CWnd::WindowProc(message, wParam, lParam);
        // The drawer's frame colour outside, the window colour just inside.
        CWindowDC dc(this);
        CRect rc;
        GetWindowRect(&rc);
        rc.OffsetRect(-rc.left, -rc.top);
        CCommandBarDrawer* pDrawer = GetCommandBarDrawer();
        dc.Draw3dRect(rc, pDrawer->ColorAt(43), pDrawer->ColorAt(43));
        rc.DeflateRect(1, 1);
        dc.Draw3dRect(rc, pDrawer->ColorAt(5), pDrawer->ColorAt(5));
        return 0;
    }
    default:
        break;
    }
    // Everything else is the list box's own.
    return CWnd::WindowProc(message, wParam, lParam);
}

void CKitControlComboBoxList::Copy(CKitCommandBar* pSource, BOOL bRecursive)
{
    CKitPopupBar::Copy(pSource, bRecursive);
    auto* pList = dynamic_cast<CKitControlComboBoxList*>(pSource);
    if (pList == nullptr)
        return;
    m_nListWidth = pList->m_nListWidth;
    for (int i = 0; i < pList->GetItemCount(); ++i)
        AddString(pList->GetItemText(i));
}
