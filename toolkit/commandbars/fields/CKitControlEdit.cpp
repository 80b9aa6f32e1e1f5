#include "CKitControlEdit.h"

#include "CCommandBarDrawer.h"
#include "CKitCommandBar.h"
#include "CPopupMouseTracker.h"
#include "CShellAutoComplete.h"

void NotifyControlSite(CKitControl* pControl, UINT nCode)
{
    CKitCommandBar* pBar = pControl->GetParent();
    CWnd* pSite = pBar != nullptr ? pBar->GetNotifySite() : nullptr;
    if (pSite == nullptr || !::IsWindow(pSite->m_hWnd))
        return;
    ControlNotify notify = {};
    notify.hdr.hwndFrom = pBar->m_hWnd;
    notify.hdr.idFrom = static_cast<UINT_PTR>(pControl->GetId());
    notify.hdr.code = nCode;
    notify.pControl = pControl;
    pSite->SendMessage(WM_COMMANDBAR_EXECUTE, static_cast<WPARAM>(pControl->GetId()),
                       reinterpret_cast<LPARAM>(&notify));
}

CKitControlEdit::CKitControlEdit() : CKitControl(kControlEdit)
{
    m_bShowLabel = TRUE;
}

CKitControlEdit::~CKitControlEdit()
{
    DestroyEditWindow();
    delete m_pEditWindow;
    m_pEditWindow = nullptr;
}

void CKitControlEdit::DestroyEditWindow()
{
    if (m_pEditWindow == nullptr)
        return;
    if (m_bFocused)
        SetFocused(FALSE);
    ShellAutoCompleteRemoveHook(m_pEditWindow->m_hWnd);
    if (::IsWindow(m_pEditWindow->m_hWnd))
        m_pEditWindow->DestroyWindow();
}

void CKitControlEdit::SetReadOnly(BOOL bReadOnly)
{
    m_bReadOnly = bReadOnly;
    if (m_pEditWindow != nullptr && ::IsWindow(m_pEditWindow->m_hWnd))
        m_pEditWindow->SetReadOnly(bReadOnly);
}

void CKitControlEdit::SetWidth(int nWidth)
{
    m_nFieldWidth = nWidth;
    DelayLayoutParent();
}

void CKitControlEdit::EnableShellAutoComplete(DWORD dwFlags)
{
    m_dwShellAutoCompleteFlags = dwFlags;
    if (m_pEditWindow != nullptr && ::IsWindow(m_pEditWindow->m_hWnd) && dwFlags != 0)
        BindShellAutoComplete(m_pEditWindow->m_hWnd, dwFlags);
}

void CKitControlEdit::SetRect(const CRect& rc)
{
    CKitCommandBar* pBar = m_pParent;
    if (m_pEditWindow == nullptr)
        m_pEditWindow = CreateEditObject();
    // Read first: the text survives a new window.
    const CString strText = GetEditText();
    HWND hEdit = m_pEditWindow->m_hWnd;
    if (::IsWindow(hEdit) && ((m_pEditWindow->GetExStyle() & WS_EX_LAYOUTRTL) != 0 || pBar == nullptr ||
                              ::GetParent(hEdit) != pBar->m_hWnd))
        DestroyEditWindow();
    const BOOL bWindowOk = ::IsWindow(m_pEditWindow->m_hWnd);
    if (rc == m_rcControl && !m_bRepositionNeeded && bWindowOk)
        return;
    m_rcControl = rc;
    if (pBar == nullptr || !::IsWindow(pBar->m_hWnd))
        return;
    if (!bWindowOk)
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
    m_pEditWindow->SetReadOnly(m_bReadOnly);
    CRect rcWindow = rc;
    rcWindow.DeflateRect((m_bShowLabel ? m_nLabelWidth : 0) + 4, 3, 3, 3);
    m_pEditWindow->MoveWindow(rcWindow, TRUE);
    ::SetWindowPos(m_pEditWindow->m_hWnd, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                       (m_dwHideFlags == 0 ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    m_bRepositionNeeded = FALSE;
}

void CKitControlEdit::SetFocused(BOOL bFocused)
{
    if (bFocused == m_bFocused)
        return;
    m_bFocused = bFocused;
    CKitCommandBar* pBar = m_pParent;
    CPopupMouseTracker* pTracker = CPopupMouseTracker::GetThreadTracker();
    const BOOL bWindow = m_pEditWindow != nullptr && ::IsWindow(m_pEditWindow->m_hWnd);
    if (bFocused)
    {
        if (bWindow && ::GetFocus() != m_pEditWindow->m_hWnd)
            m_pEditWindow->SetFocus();
        if (pBar != nullptr)
        {
            pBar->SetTrackingMode(1, FALSE, TRUE);
            pBar->SetSelected(m_nIndex, TRUE);
        }
        ++pTracker->m_nLock;
        NotifyControlSite(this, kEditNotifySetFocus);
    }
    else
    {
        if (bWindow && ::GetFocus() == m_pEditWindow->m_hWnd && pBar != nullptr && ::IsWindow(pBar->m_hWnd))
            pBar->SetFocus();
        if (pTracker->m_nLock > 0)
            --pTracker->m_nLock;
        NotifyControlSite(this, kEditNotifyKillFocus);
    }
    RedrawParent();
}

int CKitControlEdit::ProcessKey(UINT nKey, LPARAM lKeyData)
{
    if (!m_bFocused || m_pEditWindow == nullptr || !::IsWindow(m_pEditWindow->m_hWnd))
        return 0;
    if (m_pEditWindow->m_bImeComposing)
        return 2;
    switch (nKey)
    {
    case VK_TAB:
    case VK_RETURN:
        return 0;
    case VK_ESCAPE:
        SetEditText(m_strSavedText);
        SetFocused(FALSE);
        return 1;
    default:
        break;
    }
    if (ShellAutoCompleteKey(m_pEditWindow->m_hWnd, nKey))
        return 1;
    if (nKey == VK_BACK || (nKey >= VK_PRIOR && nKey <= VK_DELETE))
    {
        MSG msg = {m_pEditWindow->m_hWnd, WM_KEYDOWN, nKey, lKeyData, 0, {0, 0}};
        return ::IsDialogMessageW(m_pEditWindow->m_hWnd, &msg) ? 1 : 2;
    }
    return 2;
}

void CKitControlEdit::SetEnabled(BOOL bEnabled)
{
    CKitControl::SetEnabled(bEnabled);
    if (m_pEditWindow != nullptr && ::IsWindow(m_pEditWindow->m_hWnd))
    {
        m_pEditWindow->EnableWindow(bEnabled);
        ApplyCharFormat(bEnabled);
    }
}

void CKitControlEdit::SetHideFlags(DWORD dwHideFlags)
{
    if (dwHideFlags == m_dwHideFlags)
        return;
    m_dwHideFlags = dwHideFlags;
    if (m_pEditWindow != nullptr && ::IsWindow(m_pEditWindow->m_hWnd))
        m_pEditWindow->ShowWindow(dwHideFlags == 0 ? SW_SHOWNOACTIVATE : SW_HIDE);
    DelayLayoutParent();
}

void CKitControlEdit::PrepareLayout(DWORD dwMode)
{
    // A vertical bar has no room for a field.
    SetHideFlags((dwMode & 0x10) != 0 ? (m_dwHideFlags | kHideVerticalField) : (m_dwHideFlags & ~kHideVerticalField));
}

void CKitControlEdit::SetParent(CKitCommandBar* pParent)
{
    if (pParent == nullptr)
    {
        m_strText = GetEditText();
        DestroyEditWindow();
    }
    CKitControl::SetParent(pParent);
}

BOOL CKitControlEdit::IsCaptionVisible()
{
    return m_bShowLabel && !GetCaption().IsEmpty();
}

BOOL CKitControlEdit::IsEqual(CKitControl* pOther)
{
    auto* pEdit = dynamic_cast<CKitControlEdit*>(pOther);
    return pEdit != nullptr && CKitControl::IsEqual(pOther) && pEdit->m_nFieldWidth == m_nFieldWidth;
}

void CKitControlEdit::CopyFrom(CKitControl* pSource, BOOL bRecursive)
{
    CKitControl::CopyFrom(pSource, bRecursive);
    auto* pEdit = dynamic_cast<CKitControlEdit*>(pSource);
    if (pEdit == nullptr)
        return;
    m_nFieldWidth = pEdit->m_nFieldWidth;
    m_bShowLabel = pEdit->m_bShowLabel;
    m_bReadOnly = pEdit->m_bReadOnly;
    m_strEditHint = pEdit->m_strEditHint;
    SetEditText(pEdit->GetEditText());
    m_dwShellAutoCompleteFlags = pEdit->m_dwShellAutoCompleteFlags;
}

void CKitControlEdit::OnEditSetFocus(HWND)
{
    if (IsHintShowing())
        SetRawEditText(CString());
    m_strSavedText = GetEditText();
    if (m_pParent != nullptr)
        m_pParent->SetPopuped(-1, FALSE);
    SetFocused(TRUE);
    if (m_pEditWindow != nullptr)
        ShellAutoCompleteInstallHook(m_pEditWindow->m_hWnd);
}

void CKitControlEdit::OnEditKillFocus()
{
    if (GetRawEditText().IsEmpty())
        SetEditText(CString());
    SetFocused(FALSE);
    if (m_pEditWindow != nullptr)
        ShellAutoCompleteRemoveHook(m_pEditWindow->m_hWnd);
}

void CKitControlEdit::OnEditTextChanged(BOOL bFocused)
{
    m_bTextDirty = TRUE;
    if (bFocused)
        OnEditChanged();
}

void CKitControlEdit::OnEditChanged()
{
    NotifyControlSite(this, kEditNotifyChange);
}

void CKitControlEdit::OnEditDestroyed(const CString& strText)
{
    m_strText = strText;
    m_bTextDirty = FALSE;
}
