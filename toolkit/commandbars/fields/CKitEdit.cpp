#include "CKitEdit.h"

#include "CKitCommandBars.h"
#include "CPopupMouseTracker.h"
#include "CRichEditLibrary.h"
#include "CScreenTipContext.h"

#include <windowsx.h>

#include <richedit.h>

IMPLEMENT_DYNAMIC(CKitEdit, CEdit)

namespace
{
constexpr UINT kCopy = 0xE122;
constexpr UINT kCut = 0xE123;
constexpr UINT kPaste = 0xE125;
}  // namespace

BOOL CKitEdit::CreateEditWindow(DWORD dwStyle, CWnd* pParent)
{
    CRichEditLibrary& library = CRichEditLibrary::Instance();
    m_bRichEdit = library.IsLoaded();
    const CRect rc(0, 0, 0, 0);
    if (!CWnd::Create(m_bRichEdit ? library.GetClassName() : L"EDIT", L"", dwStyle, rc, pParent, 0))
    {
        // A library that loads but whose class will not make a window: plain edit.
        if (!m_bRichEdit || !CWnd::Create(L"EDIT", L"", dwStyle, rc, pParent, 0))
            return FALSE;
        m_bRichEdit = FALSE;
    }
    if (m_bRichEdit)
    {
        SendMessage(EM_SETEVENTMASK, 0, ENM_CHANGE);
        SendMessage(EM_SETTEXTMODE, TM_PLAINTEXT | TM_SINGLELEVELUNDO);
    }
    return TRUE;
}

BOOL CKitEdit::ShowContextMenu(CKitControl* pControl, CPoint ptScreen)
{
    CString strCut;
    if (pControl == nullptr || pControl->GetParent() == nullptr || !strCut.LoadString(kCut))
        return FALSE;
    CKitCommandBar* pBar = pControl->GetParent();
    CKitCommandBar* pPopup = CKitCommandBars::NewPopupBar(pBar->FindCommandBars());
    if (pPopup == nullptr)
        return FALSE;
    // The menu is a nested popup: the field's own lock must not keep it from closing.
    CPopupMouseTracker* pTracker = CPopupMouseTracker::GetThreadTracker();
    const int nLock = pTracker->m_nLock;
    pTracker->m_nLock = 0;
    for (UINT nId : {kCut, kCopy, kPaste})
        pPopup->GetControls()->Add(kControlButton, static_cast<int>(nId));
    UINT nFlags = TPM_RETURNCMD | TPM_NONOTIFY | 0x100;
    if ((pBar->GetExStyle() & (WS_EX_LAYOUTRTL | WS_EX_RIGHT)) != 0)
        nFlags |= TPM_RIGHTALIGN;
    const int nCommand = CKitCommandBars::RunPopupBar(pPopup, nFlags, ptScreen.x, ptScreen.y, this, nullptr, this);
    pTracker->m_nLock = nLock;
    pPopup->InternalRelease();
    if (nCommand != 0 && ::IsWindow(m_hWnd))
        SendMessage(WM_COMMAND, static_cast<WPARAM>(nCommand), 0);
    if (::IsWindow(pBar->m_hWnd))
        pBar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    return TRUE;
}

LRESULT CKitEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // Tips of the bar show over the field too.
    if (CWnd* pParent = GetParent(); pParent != nullptr && message >= WM_MOUSEFIRST && message <= WM_MOUSELAST)
    {
        auto* pBar = dynamic_cast<CKitCommandBar*>(CWnd::FromHandlePermanent(pParent->m_hWnd));
        CKitCommandBars* pCommandBars = pBar != nullptr ? pBar->FindCommandBars() : nullptr;
        if (pCommandBars != nullptr && pCommandBars->GetScreenTipContext() != nullptr)
            pCommandBars->GetScreenTipContext()->FilterMouseMessage(pBar, message, wParam, lParam);
    }
    CKitControl* pControl = m_pOwner != nullptr ? m_pOwner->GetOwnerControl() : nullptr;
    CKitCommandBar* pBar = pControl != nullptr ? pControl->GetParent() : nullptr;
    CKitCommandBars* pCommandBars = pBar != nullptr ? pBar->FindCommandBars() : nullptr;
    const BOOL bCustomizing = pCommandBars != nullptr && pCommandBars->IsCustomizeMode();
    switch (message)
    {
    case WM_TIP_USE_PARENT:
        return 1;
    case WM_IME_STARTCOMPOSITION:
        m_bImeComposing = TRUE;
        break;
    case WM_IME_ENDCOMPOSITION:
    {
        const LRESULT result = CEdit::WindowProc(message, wParam, lParam);
        m_bImeComposing = FALSE;
        return result;
    }
    case WM_SETFOCUS:
    {
        if (!bCustomizing && m_pOwner != nullptr)
            m_pOwner->OnEditSetFocus(reinterpret_cast<HWND>(wParam));
        const LRESULT result = CEdit::WindowProc(message, wParam, lParam);
        PostMessage(EM_SETSEL, 0, -1);
        return result;
    }
    case WM_KILLFOCUS:
    {
        const LRESULT result = CEdit::WindowProc(message, wParam, lParam);
        m_bImeComposing = FALSE;
        if (m_pOwner != nullptr)
            m_pOwner->OnEditKillFocus();
        return result;
    }
    case WM_MOUSEMOVE:
    {
        const LRESULT result = CEdit::WindowProc(message, wParam, lParam);
        if (pBar != nullptr && ::IsWindow(pBar->m_hWnd))
        {
            CPoint pt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            ::MapWindowPoints(m_hWnd, pBar->m_hWnd, &pt, 1);
            pBar->SendMessage(WM_MOUSEMOVE, wParam, MAKELPARAM(pt.x, pt.y));
        }
        return result;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        if (bCustomizing && pBar != nullptr)
        {
            // In customization the field is a control to select and drag.
            CPoint pt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            ::MapWindowPoints(m_hWnd, pBar->m_hWnd, &pt, 1);
            pBar->SendMessage(message, wParam, MAKELPARAM(pt.x, pt.y));
            return 0;
        }
        if (message == WM_RBUTTONDOWN && m_pOwner != nullptr)
        {
            m_pOwner->OnEditContextMenu();
            if (::GetFocus() != m_hWnd)
                SetFocus();
            CPoint pt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            ClientToScreen(&pt);
            if (ShowContextMenu(pControl, pt))
                return 0;
        }
        break;
    case WM_COMMAND:
        if (lParam == 0)
        {
            switch (LOWORD(wParam))
            {
            case kCopy:
                SendMessage(WM_COPY);
                return 0;
            case kCut:
                SendMessage(WM_CUT);
                return 0;
            case kPaste:
                SendMessage(WM_PASTE);
                return 0;
            default:
                break;
            }
        }
        break;
    case WM_AUTOSUGGEST_SHOWN:
        if (m_pOwner != nullptr)
            m_pOwner->OnAutoSuggestShown();
        return 0;
    case WM_DESTROY:
        if (m_pOwner != nullptr)
        {
            CString strText;
            GetWindowText(strText);
            m_pOwner->OnEditDestroyed(strText);
        }
        break;
    default:
        break;
    }
    return CEdit::WindowProc(message, wParam, lParam);
}

BOOL CKitEdit::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE)
    {
        if (m_pOwner != nullptr)
        {
            m_pOwner->OnEditTextChanged(::GetFocus() == m_hWnd);
            SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
            if (m_pOwner != nullptr)
                m_pOwner->ApplyEditCharFormat();
        }
        if (pResult != nullptr)
            *pResult = 0;
        return TRUE;
    }
    return CEdit::OnChildNotify(message, wParam, lParam, pResult);
}

void CKitEdit::PostNcDestroy()
{
    // The control owns the object; only the window is gone.
}
