#include "CKitControlComboBox.h"

#include "CCommandBarDrawer.h"
#include "CCommandIcon.h"
#include "CColorTable.h"
#include "CKitCommandBar.h"
#include "CKitControlComboBoxList.h"
#include "CKitControlEdit.h"
#include "CPopupMouseTracker.h"
#include "CCommandIconStore.h"
#include "CKitCommandBars.h"
#include "CShellAutoComplete.h"

namespace
{
// The icon drawn left of the combo's text.
CCommandIcon* EditIcon(CKitControl* pControl, int nIconId)
{
    if (nIconId <= 0)
        return nullptr;
    CKitCommandBar* pBar = pControl->GetParent();
    CKitCommandBars* pCommandBars = pBar != nullptr ? pBar->FindCommandBars() : nullptr;
    CCommandIconStore* pStore = pCommandBars != nullptr ? pCommandBars->GetIconManager() : GetCommandIconStore();
    return pStore->GetIcon(static_cast<UINT>(nIconId), 16);
}
}  // namespace

CKitControlComboBox::CKitControlComboBox() : CKitControlPopup(kControlComboBox)
{
    auto* pList = new CKitControlComboBoxList;
    pList->CreateListWindow();
    SetCommandBar(pList);
}

CKitControlComboBox::~CKitControlComboBox()
{
    DestroyEditWindow();
    delete m_pEditWindow;
    m_pEditWindow = nullptr;
}

CKitControlComboBoxList* CKitControlComboBox::GetList() const
{
    return dynamic_cast<CKitControlComboBoxList*>(const_cast<CKitControlComboBox*>(this)->GetCommandBar());
}

void CKitControlComboBox::DestroyEditWindow()
{
    if (m_pEditWindow == nullptr)
        return;
    ShellAutoCompleteRemoveHook(m_pEditWindow->m_hWnd);
    if (::IsWindow(m_pEditWindow->m_hWnd))
        m_pEditWindow->DestroyWindow();
}

int CKitControlComboBox::AddString(LPCTSTR lpszText)
{
    CKitControlComboBoxList* pList = GetList();
    return pList != nullptr ? pList->AddString(lpszText) : -1;
}

int CKitControlComboBox::GetCurSel() const
{
    CKitControlComboBoxList* pList = GetList();
    if (pList == nullptr || !::IsWindow(pList->m_hWnd))
        return m_nCurSel;
    return static_cast<int>(pList->SendMessage(LB_GETCURSEL));
}

void CKitControlComboBox::SetCurSel(int nIndex)
{
    CKitControlComboBoxList* pList = GetList();
    const BOOL bWindow = pList != nullptr && ::IsWindow(pList->m_hWnd);
    if (bWindow && nIndex >= pList->GetItemCount())
        nIndex = -1;
    if (nIndex == GetCurSel() && nIndex == m_nCurSel)
        return;
    m_nCurSel = nIndex;
    if (bWindow)
        pList->SendMessage(LB_SETCURSEL, nIndex);
    OnSelChanged();
}

CString CKitControlComboBox::GetListText() const
{
    CKitControlComboBoxList* pList = GetList();
    return pList != nullptr ? pList->GetItemText(GetCurSel()) : CString();
}

CString CKitControlComboBox::GetText()
{
    return m_pEditWindow != nullptr ? GetEditText() : GetListText();
}

void CKitControlComboBox::SetDropDown(BOOL bDropDown)
{
    m_bDropDown = bDropDown;
    if (bDropDown && m_pEditWindow == nullptr)
        m_pEditWindow = CreateEditObject();
    else if (!bDropDown && m_pEditWindow != nullptr)
    {
        DestroyEditWindow();
        delete m_pEditWindow;
        m_pEditWindow = nullptr;
    }
    m_bRepositionNeeded = TRUE;
    DelayLayoutParent();
}

void CKitControlComboBox::SetWidth(int nWidth)
{
    m_nFieldWidth = nWidth;
    DelayLayoutParent();
}

BOOL CKitControlComboBox::IsListOpen() const
{
    CKitControlComboBoxList* pList = GetList();
    return pList != nullptr && pList->GetCombo() == this && pList->GetTrackingMode() != 0;
}

void CKitControlComboBox::SetFocused(BOOL bFocused)
{
    if (bFocused == m_bFocused)
        return;
    m_bFocused = bFocused;
    CKitCommandBar* pBar = m_pParent;
    CPopupMouseTracker* pTracker = CPopupMouseTracker::GetThreadTracker();
    if (bFocused)
    {
        if (HasEditWindow() && ::GetFocus() != m_pEditWindow->m_hWnd)
            m_pEditWindow->SetFocus();
        if (pBar != nullptr)
        {
            pBar->SetTrackingMode(1, FALSE, TRUE);
            pBar->SetSelected(m_nIndex, TRUE);
        }
        ++pTracker->m_nLock;
        m_nSavedSelection = GetCurSel();
        m_bSelectionCommitted = FALSE;
        NotifyControlSite(this, kComboNotifySetFocus);
    }
    else
    {
        if (!m_bSelectionCommitted && !IsListOpen() && m_pEditWindow == nullptr)
        {
            SetCurSel(m_nSavedSelection);
            NotifyControlSite(this, kComboNotifySelEndCancel);
        }
        if (HasEditWindow() && ::GetFocus() == m_pEditWindow->m_hWnd && pBar != nullptr && ::IsWindow(pBar->m_hWnd))
            pBar->SetFocus();
        if (pTracker->m_nLock > 0)
            --pTracker->m_nLock;
        NotifyControlSite(this, kComboNotifyKillFocus);
    }
    RedrawParent();
}

int CKitControlComboBox::ProcessKey(UINT nKey, LPARAM lKeyData)
{
    if (!m_bFocused)
        return 0;
    if (m_pEditWindow != nullptr && m_pEditWindow->m_bImeComposing)
        return 2;
    m_bDeleting = nKey == VK_DELETE || nKey == VK_BACK;
    const BOOL bAlt = ::GetKeyState(VK_MENU) < 0;
    CKitControlComboBoxList* pList = GetList();
    switch (nKey)
    {
    case VK_TAB:
        return 0;
    case VK_RETURN:
        return 0;
    case VK_ESCAPE:
        if (IsListOpen())
            SetPopupOpen(FALSE);
        SetCurSel(m_nSavedSelection);
        SetEditText(m_strSavedText);
        SetFocused(FALSE);
        return 1;
    default:
        break;
    }
    if (((nKey == VK_UP || nKey == VK_DOWN) && bAlt) || (nKey == VK_F4 && !bAlt))
    {
        // Toggles the list.
        if (m_pParent != nullptr)
            m_pParent->SetPopuped(IsListOpen() ? -1 : m_nIndex, TRUE);
        return 1;
    }
    if (HasEditWindow() && ShellAutoCompleteKey(m_pEditWindow->m_hWnd, nKey))
        return 1;
    if (m_pEditWindow == nullptr)
    {
        if (pList != nullptr)
            pList->ProcessListKey(nKey);
        return 1;
    }
    if (!bAlt && (nKey == VK_PRIOR || nKey == VK_NEXT || nKey == VK_UP || nKey == VK_DOWN))
    {
        if (pList != nullptr && ::IsWindow(pList->m_hWnd))
        {
            const int nBefore = GetCurSel();
            pList->CWnd::DefWindowProc(WM_KEYDOWN, nKey, 0);
            if (GetCurSel() != nBefore)
            {
                OnSelChanged();
                m_pEditWindow->SetSel(0, -1);
            }
        }
        return 1;
    }
    if (!HasEditWindow())
        return 2;
    if (nKey == VK_BACK || (nKey >= VK_PRIOR && nKey <= VK_DELETE))
    {
        MSG msg = {m_pEditWindow->m_hWnd, WM_KEYDOWN, nKey, lKeyData, 0, {0, 0}};
        return ::IsDialogMessageW(m_pEditWindow->m_hWnd, &msg) ? 1 : 2;
    }
    return 2;
}

void CKitControlComboBox::OnSelChanged()
{
    const int nSel = GetCurSel();
    m_nCurSel = nSel;
    if (m_pEditWindow != nullptr)
        SetEditText(GetListText());
    RedrawParent();
    NotifyControlSite(this, kComboNotifySelChange);
}

void CKitControlComboBox::OnEditChanged()
{
    if (m_bInEditChanged)
        return;
    m_bInEditChanged = TRUE;
    CKitControlComboBoxList* pList = GetList();
    const BOOL bList = pList != nullptr && ::IsWindow(pList->m_hWnd);
    const BOOL bEdit = HasEditWindow();
    if (m_bAutoCompleteList && !m_bDeleting)
    {
        if (!bEdit)
        {
            NotifyControlSite(this, kComboNotifyEditChange);
            m_bInEditChanged = FALSE;
            return;
        }
        const CString strTyped = GetRawEditText();
        int nStart = 0;
        int nEnd = 0;
        m_pEditWindow->GetSel(nStart, nEnd);
        if (bList && !strTyped.IsEmpty() && nStart == nEnd && nEnd == strTyped.GetLength())
        {
            const int nFound = static_cast<int>(
                pList->SendMessage(LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(strTyped.GetString())));
            if (nFound >= 0)
            {
                const CString strItem = pList->GetItemText(nFound);
                SetRawEditText(strItem);
                // The caret stays after the typed part; the completion is selected.
                m_pEditWindow->SendMessage(EM_SETSEL, strItem.GetLength(), strTyped.GetLength());
                m_pEditWindow->SendMessage(EM_SCROLLCARET);
            }
        }
        if (bList)
            m_bDeleting = TRUE;
    }
    if (bEdit && bList)
    {
        const CString strRaw = GetRawEditText();
        const int nExact = static_cast<int>(
            pList->SendMessage(LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(strRaw.GetString())));
        if (nExact >= 0)
            pList->SendMessage(LB_SETCURSEL, nExact);
        else
        {
            const int nPrefix = static_cast<int>(
                pList->SendMessage(LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(strRaw.GetString())));
            pList->SendMessage(LB_SETCURSEL, static_cast<WPARAM>(-1));
            if (nPrefix >= 0)
                pList->SendMessage(LB_SETTOPINDEX, nPrefix);
        }
    }
    NotifyControlSite(this, kComboNotifyEditChange);
    m_bInEditChanged = FALSE;
}

void CKitControlComboBox::Execute()
{
    const int nSel = GetCurSel();
    if (nSel >= 0 && (IsListOpen() || (m_pEditWindow == nullptr && m_bFocused)))
        NotifyControlSite(this, kComboNotifySelEndOk);
    m_bSelectionCommitted = TRUE;
    m_nSavedSelection = nSel;
    CKitControl::Execute();
}

BOOL CKitControlComboBox::SetPopupOpen(BOOL bOpen)
{
    if (bOpen)
    {
        m_bSelectionCommitted = FALSE;
        m_nSavedSelection = GetCurSel();
    }
    else if (!m_bSelectionCommitted && m_bPopupOpen)
    {
        if (m_pEditWindow == nullptr && !m_bFocused)
            SetCurSel(m_nSavedSelection);
        NotifyControlSite(this, kComboNotifySelEndCancel);
    }
    return CKitControlPopup::SetPopupOpen(bOpen);
}

void CKitControlComboBox::OnListTracking(BOOL bTracking)
{
    CPopupMouseTracker* pTracker = CPopupMouseTracker::GetThreadTracker();
    if (bTracking)
    {
        ++pTracker->m_nLock;
        if (HasEditWindow() && ::GetFocus() != m_pEditWindow->m_hWnd)
            m_pEditWindow->SetFocus();
        OnEditChanged();
        NotifyControlSite(this, kComboNotifyDropDown);
        return;
    }
    NotifyControlSite(this, kComboNotifyCloseUp);
    if (pTracker->m_nLock > 0)
        --pTracker->m_nLock;
    m_bPopupOpen = FALSE;
    RedrawParent();
}

void CKitControlComboBox::SetRect(const CRect& rc)
{
    CKitCommandBar* pBar = m_pParent;
    const CString strText = GetEditText();
    if (m_pEditWindow != nullptr && ::IsWindow(m_pEditWindow->m_hWnd) &&
        ((m_pEditWindow->GetExStyle() & WS_EX_LAYOUTRTL) != 0 || pBar == nullptr ||
         ::GetParent(m_pEditWindow->m_hWnd) != pBar->m_hWnd))
        DestroyEditWindow();
    if (rc == m_rcControl && !m_bRepositionNeeded && (m_pEditWindow == nullptr || HasEditWindow()))
        return;
    m_rcControl = rc;
    if (m_pEditWindow == nullptr || pBar == nullptr || !::IsWindow(pBar->m_hWnd))
        return;
    if (!HasEditWindow())
    {
        if (!m_pEditWindow->CreateEditWindow(WS_CHILD | ES_AUTOHSCROLL, pBar))
            return;
        m_bTextDirty = TRUE;
        SetEditText(strText);
        m_pEditWindow->EnableWindow(m_bEnabled);
        if (m_dwShellAutoCompleteFlags != 0)
            BindShellAutoComplete(m_pEditWindow->m_hWnd, m_dwShellAutoCompleteFlags);
    }
    if (CFont* pFont = GetDrawer()->FontForControl(pBar, FALSE))
        m_pEditWindow->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pFont->GetSafeHandle()), FALSE);
    m_pEditWindow->SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    ApplyCharFormat(m_bEnabled);
    CRect rcWindow = rc;
    rcWindow.DeflateRect((IsLabelShown() ? m_nLabelWidth : 0) + 4, 3, m_nButtonWidth + 3, 3);
    if (CCommandIcon* pIcon = EditIcon(this, m_nEditIconId))
        rcWindow.left += pIcon->GetWidth() + 2;
    m_pEditWindow->MoveWindow(rcWindow, TRUE);
    ::SetWindowPos(m_pEditWindow->m_hWnd, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                       (m_dwHideFlags == 0 ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    m_bRepositionNeeded = FALSE;
}

void CKitControlComboBox::SetEnabled(BOOL bEnabled)
{
    CKitControl::SetEnabled(bEnabled);
    if (HasEditWindow())
    {
        m_pEditWindow->EnableWindow(bEnabled);
        ApplyCharFormat(bEnabled);
    }
}

void CKitControlComboBox::SetHideFlags(DWORD dwHideFlags)
{
    if (dwHideFlags == m_dwHideFlags)
        return;
    m_dwHideFlags = dwHideFlags;
    if (HasEditWindow())
        m_pEditWindow->ShowWindow(dwHideFlags == 0 ? SW_SHOWNOACTIVATE : SW_HIDE);
    DelayLayoutParent();
}

void CKitControlComboBox::PrepareLayout(DWORD dwMode)
{
    SetHideFlags((dwMode & 0x10) != 0 ? (m_dwHideFlags | kHideVerticalField) : (m_dwHideFlags & ~kHideVerticalField));
}

void CKitControlComboBox::SetParent(CKitCommandBar* pParent)
{
    if (pParent == nullptr)
    {
        m_strText = GetEditText();
        DestroyEditWindow();
    }
    else if (CKitControlComboBoxList* pList = GetList(); pList != nullptr && ::IsWindow(pList->m_hWnd))
    {
        // The list belongs to the bar's site, so it goes and comes with it.
        if (CWnd* pSite = pParent->GetSite(); pSite != nullptr)
            ::SetWindowLongPtrW(pList->m_hWnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(pSite->m_hWnd));
    }
    CKitControlPopup::SetParent(pParent);
}

BOOL CKitControlComboBox::IsCaptionVisible()
{
    return m_nComboStyle == 1 && !GetCaption().IsEmpty();
}

BOOL CKitControlComboBox::IsEqual(CKitControl* pOther)
{
    auto* pCombo = dynamic_cast<CKitControlComboBox*>(pOther);
    return pCombo != nullptr && CKitControl::IsEqual(pOther) && pCombo->m_nFieldWidth == m_nFieldWidth;
}

void CKitControlComboBox::CopyFrom(CKitControl* pSource, BOOL bRecursive)
{
    auto* pCombo = dynamic_cast<CKitControlComboBox*>(pSource);
    if (pCombo != nullptr)
    {
        m_nComboStyle = pCombo->m_nComboStyle;
        m_nFieldWidth = pCombo->m_nFieldWidth;
        m_strEditHint = pCombo->m_strEditHint;
        SetDropDown(pCombo->m_bDropDown);
        SetEditText(pCombo->GetEditText());
        m_bAutoCompleteList = pCombo->m_bAutoCompleteList;
        m_dwShellAutoCompleteFlags = pCombo->m_dwShellAutoCompleteFlags;
        m_nEditIconId = pCombo->m_nEditIconId;
        m_nDropDownItemCount = pCombo->m_nDropDownItemCount;
    }
    CKitControlPopup::CopyFrom(pSource, bRecursive);
}

void CKitControlComboBox::DrawFieldText(CDC* pDC, const CRect& rcText)
{
    CRect rc = rcText;
    CColorTable* pColors = GetColorTable();
    if (m_pEditWindow == nullptr && m_bEnabled && m_bFocused)
        pDC->FillSolidRect(CRect(rc.left - 1, rc.top + 1, rc.right - 1, rc.bottom - 1), pColors->GetColor(13));
    if (CCommandIcon* pIcon = EditIcon(this, m_nEditIconId))
    {
        CIconImage& image = m_bEnabled ? pIcon->GetImage() : pIcon->GetDisabledImage();
        pIcon->Draw(pDC, CPoint(rc.left, rc.top + (rc.Height() - pIcon->GetHeight()) / 2), image);
        rc.left += pIcon->GetWidth() + 2;
    }
    if (m_pEditWindow != nullptr)
        return;
    CString strText = GetListText();
    COLORREF clrText = pColors->GetColor(m_bFocused ? 14 : (m_bEnabled ? 8 : 17));
    if (strText.IsEmpty() && m_bEnabled && !m_bFocused)
    {
        strText = m_strEditHint;
        clrText = pColors->GetColor(17);
    }
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(clrText);
    pDC->DrawText(strText, rc, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void CKitControlComboBox::OnEditSetFocus(HWND)
{
    if (IsHintShowing())
        SetRawEditText(CString());
    m_strSavedText = GetEditText();
    if (m_pParent != nullptr && !IsListOpen())
        m_pParent->SetPopuped(-1, FALSE);
    SetFocused(TRUE);
    if (m_pEditWindow != nullptr)
        ShellAutoCompleteInstallHook(m_pEditWindow->m_hWnd);
    m_bDeleting = TRUE;
    OnEditChanged();
}

void CKitControlComboBox::OnEditKillFocus()
{
    if (GetRawEditText().IsEmpty())
        SetEditText(CString());
    SetFocused(FALSE);
    if (IsListOpen())
        SetPopupOpen(FALSE);
    if (m_pEditWindow != nullptr)
        ShellAutoCompleteRemoveHook(m_pEditWindow->m_hWnd);
}

void CKitControlComboBox::OnEditTextChanged(BOOL bFocused)
{
    m_bTextDirty = TRUE;
    if (bFocused)
        OnEditChanged();
}

void CKitControlComboBox::OnEditDestroyed(const CString& strText)
{
    m_strText = strText;
    m_bTextDirty = FALSE;
}

void CKitControlComboBox::OnAutoSuggestShown()
{
    if (IsListOpen())
        SetPopupOpen(FALSE);
}

void CKitControlComboBox::OnEditContextMenu()
{
    if (IsListOpen())
        SetPopupOpen(FALSE);
}
