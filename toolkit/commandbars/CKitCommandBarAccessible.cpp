// What accessibility clients see of a command bar: a menu bar, toolbar or
// popup menu whose children (numbered from 1) are its controls.
#include "CKitCommandBar.h"

#include "CKitControl.h"
#include "FoundationLinks.h"

BEGIN_INTERFACE_MAP(CKitCommandBar, CWnd)
    INTERFACE_PART(CKitCommandBar, kIidAccessible, Accessible)
    INTERFACE_PART(CKitCommandBar, IID_IDispatch, Accessible)
END_INTERFACE_MAP()

namespace
{

HRESULT ReturnString(const CString& strText, BSTR* pszOut)
{
    if (pszOut == nullptr)
        return E_POINTER;
    *pszOut = ::SysAllocString(strText);
    return *pszOut != nullptr ? S_OK : E_OUTOFMEMORY;
}

}  // namespace

CKitControl* CKitCommandBar::ControlOfChild(const VARIANT& varChild, BOOL& bValid) const
{
    const long nChild = GetChildIdFromVariant(varChild);
    bValid = nChild == CHILDID_SELF || (nChild >= 1 && nChild <= m_controls.GetCount());
    return nChild >= 1 ? m_controls.GetAt(static_cast<int>(nChild) - 1) : nullptr;
}

HRESULT CKitCommandBar::GetAccessibleParent(IDispatch** ppdispParent)
{
    if (ppdispParent == nullptr)
        return E_POINTER;
    *ppdispParent = nullptr;
    if (!::IsWindow(m_hWnd))
        return E_FAIL;
    return ObjectFromWindow(m_hWnd, static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                            reinterpret_cast<void**>(ppdispParent));
}

HRESULT CKitCommandBar::GetAccessibleChildCount(long* pcountChildren)
{
    if (pcountChildren == nullptr)
        return E_POINTER;
    *pcountChildren = m_controls.GetCount();
    return S_OK;
}

HRESULT CKitCommandBar::GetAccessibleChild(VARIANT varChild, IDispatch** ppdispChild)
{
    if (ppdispChild == nullptr)
        return E_POINTER;
    *ppdispChild = nullptr;
    BOOL bValid = FALSE;
    ControlOfChild(varChild, bValid);
    // The controls are simple elements of the bar.
    return bValid ? S_FALSE : E_INVALIDARG;
}

HRESULT CKitCommandBar::GetAccessibleName(VARIANT varChild, BSTR* pszName)
{
    BOOL bValid = FALSE;
    CKitControl* pControl = ControlOfChild(varChild, bValid);
    if (!bValid)
        return E_INVALIDARG;
    if (pControl == nullptr)
        return ReturnString(m_strTitle, pszName);
    CString strName = StrippedText(pControl->GetCaption());
    const CString strShortcut = pControl->GetShortcutText();
    if (!strShortcut.IsEmpty())
        strName += L"\t" + strShortcut;
    return ReturnString(strName, pszName);
}

HRESULT CKitCommandBar::GetAccessibleDescription(VARIANT varChild, BSTR* pszDescription)
{
    BOOL bValid = FALSE;
    CKitControl* pControl = ControlOfChild(varChild, bValid);
    if (!bValid)
        return E_INVALIDARG;
    return pControl != nullptr ? ReturnString(pControl->GetDescription(), pszDescription) : S_FALSE;
}

HRESULT CKitCommandBar::GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole)
{
    if (pvarRole == nullptr)
        return E_POINTER;
    BOOL bValid = FALSE;
    CKitControl* pControl = ControlOfChild(varChild, bValid);
    if (!bValid)
        return E_INVALIDARG;
    pvarRole->vt = VT_I4;
    if (pControl != nullptr)
    {
        if (m_nType == kBarTypeToolBar)
            pvarRole->lVal = pControl->GetCommandBar() != nullptr ? ROLE_SYSTEM_BUTTONMENU : ROLE_SYSTEM_PUSHBUTTON;
        else
            pvarRole->lVal = ROLE_SYSTEM_MENUITEM;
        return S_OK;
    }
    pvarRole->lVal = m_nType == kBarTypeMenuBar   ? ROLE_SYSTEM_MENUBAR
                     : m_nType == kBarTypeToolBar ? ROLE_SYSTEM_TOOLBAR
                                                  : ROLE_SYSTEM_MENUPOPUP;
    return S_OK;
}

HRESULT CKitCommandBar::GetAccessibleState(VARIANT varChild, VARIANT* pvarState)
{
    if (pvarState == nullptr)
        return E_POINTER;
    BOOL bValid = FALSE;
    CKitControl* pControl = ControlOfChild(varChild, bValid);
    if (!bValid)
        return E_INVALIDARG;
    pvarState->vt = VT_I4;
    const BOOL bBarVisible = IsVisible();
    if (pControl == nullptr)
    {
        pvarState->lVal = bBarVisible ? 0 : STATE_SYSTEM_INVISIBLE;
        return S_OK;
    }
    long nState = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;
    if (pControl->GetIndex() == m_nHot)
        nState |= STATE_SYSTEM_FOCUSED | STATE_SYSTEM_SELECTED | STATE_SYSTEM_HOTTRACKED;
    if (!bBarVisible || !pControl->IsVisible())
        nState |= STATE_SYSTEM_INVISIBLE;
    if (!pControl->GetEnabled())
        nState |= STATE_SYSTEM_UNAVAILABLE;
    if (pControl->GetChecked())
        nState |= STATE_SYSTEM_CHECKED;
    if (pControl->GetPressed() != kNotPressed)
        nState |= STATE_SYSTEM_PRESSED;
    if (pControl->GetCommandBar() != nullptr)
        nState |= STATE_SYSTEM_HASPOPUP;
    pvarState->lVal = nState;
    return S_OK;
}

HRESULT CKitCommandBar::GetAccessibleDefaultAction(VARIANT varChild, BSTR* pszDefaultAction)
{
    BOOL bValid = FALSE;
    CKitControl* pControl = ControlOfChild(varChild, bValid);
    if (!bValid)
        return E_INVALIDARG;
    return pControl != nullptr ? ReturnString(L"Click", pszDefaultAction) : S_FALSE;
}

HRESULT CKitCommandBar::AccessibleSelect(long flagsSelect, VARIANT varChild)
{
    BOOL bValid = FALSE;
    CKitControl* pControl = ControlOfChild(varChild, bValid);
    if (!bValid || pControl == nullptr)
        return E_INVALIDARG;
    if ((flagsSelect & (SELFLAG_TAKEFOCUS | SELFLAG_TAKESELECTION)) == 0)
        return S_OK;
    SetTrackingMode(1, FALSE, TRUE);
    SetSelected(pControl->GetIndex(), TRUE);
    return S_OK;
}

HRESULT CKitCommandBar::AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                                           VARIANT varChild)
{
    if (pxLeft == nullptr || pyTop == nullptr || pcxWidth == nullptr || pcyHeight == nullptr)
        return E_POINTER;
    *pxLeft = *pyTop = *pcxWidth = *pcyHeight = 0;
    BOOL bValid = FALSE;
    CKitControl* pControl = ControlOfChild(varChild, bValid);
    if (!bValid)
        return E_INVALIDARG;
    if (!::IsWindow(m_hWnd))
        return S_OK;
    CRect rc;
    if (pControl != nullptr)
    {
        rc = pControl->GetRect();
        ClientToScreen(&rc);
    }
    else
    {
        GetWindowRect(&rc);
    }
    *pxLeft = rc.left;
    *pyTop = rc.top;
    *pcxWidth = rc.Width();
    *pcyHeight = rc.Height();
    return S_OK;
}

HRESULT CKitCommandBar::AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild)
{
    if (pvarChild == nullptr)
        return E_POINTER;
    pvarChild->vt = VT_EMPTY;
    if (!::IsWindow(m_hWnd))
        return S_FALSE;
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    const CPoint ptScreen(xLeft, yTop);
    if (!rcWindow.PtInRect(ptScreen))
        return S_FALSE;
    CPoint ptClient = ptScreen;
    ScreenToClient(&ptClient);
    CKitControl* pControl = m_controls.HitTest(ptClient);
    pvarChild->vt = VT_I4;
    pvarChild->lVal = pControl != nullptr ? pControl->GetIndex() + 1 : CHILDID_SELF;
    return S_OK;
}

HRESULT CKitCommandBar::AccessibleDoDefaultAction(VARIANT varChild)
{
    BOOL bValid = FALSE;
    CKitControl* pControl = ControlOfChild(varChild, bValid);
    if (!bValid || pControl == nullptr)
        return E_INVALIDARG;
    if (!pControl->GetEnabled())
        return S_OK;
    pControl->m_nSelected = kSelectedByKeyboard;
    pControl->ActivateFromKeyboard();
    return S_OK;
}
