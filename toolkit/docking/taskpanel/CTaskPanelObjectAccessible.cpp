#include "CTaskPanelObjectAccessible.h"

#include "CKitTaskPanel.h"
#include "core/GroupPlacement.h"

using namespace kit::taskpanel;

BEGIN_INTERFACE_MAP(CTaskPanelObjectAccessible, CCmdTarget)
    INTERFACE_PART(CTaskPanelObjectAccessible, kIidAccessible, Accessible)
    INTERFACE_PART(CTaskPanelObjectAccessible, IID_IDispatch, Accessible)
END_INTERFACE_MAP()

PanelItem* CTaskPanelObjectAccessible::Self(const VARIANT& varChild) const
{
    return GetChildIdFromVariant(varChild) == CHILDID_SELF ? m_pItem : nullptr;
}

HRESULT CTaskPanelObjectAccessible::GetAccessibleParent(IDispatch** ppdispParent)
{
    if (!ppdispParent)
        return E_POINTER;
    *ppdispParent = nullptr;
    if (!m_pItem)
        return E_FAIL;
    *ppdispParent = static_cast<IDispatch*>(&m_pPanel->m_xAccessible);
    (*ppdispParent)->AddRef();
    return S_OK;
}

HRESULT CTaskPanelObjectAccessible::AnswerText(const VARIANT& varChild, std::u16string PanelItem::*text, BSTR* pszText)
{
    const PanelItem* pItem = Self(varChild);
    if (!pItem)
        return E_INVALIDARG;
    *pszText = ::SysAllocString(reinterpret_cast<const OLECHAR*>((pItem->*text).c_str()));
    return S_OK;
}

HRESULT CTaskPanelObjectAccessible::GetAccessibleName(VARIANT varChild, BSTR* pszName)
{
    return AnswerText(varChild, &PanelItem::caption, pszName);
}

HRESULT CTaskPanelObjectAccessible::GetAccessibleDescription(VARIANT varChild, BSTR* pszDescription)
{
    return AnswerText(varChild, &PanelItem::tooltip, pszDescription);
}

HRESULT CTaskPanelObjectAccessible::GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole)
{
    if (!Self(varChild))
        return E_INVALIDARG;
    pvarRole->vt = VT_I4;
    pvarRole->lVal = ROLE_SYSTEM_LISTITEM;
    return S_OK;
}

HRESULT CTaskPanelObjectAccessible::GetAccessibleState(VARIANT varChild, VARIANT* pvarState)
{
    PanelItem* pItem = Self(varChild);
    if (!pItem)
        return E_INVALIDARG;
    long state = STATE_SYSTEM_FOCUSABLE;
    if (m_pPanel->IsItemFocused(*pItem))
        state |= STATE_SYSTEM_FOCUSED;
    if (!pItem->visible)
        state |= STATE_SYSTEM_INVISIBLE;
    if (!pItem->enabled)
        state |= STATE_SYSTEM_UNAVAILABLE;
    if (pItem->IsGroup())
        state |= m_pPanel->IsGroupExpanded(static_cast<Group*>(pItem)) ? STATE_SYSTEM_EXPANDED : STATE_SYSTEM_COLLAPSED;
    else
    {
        const auto& item = static_cast<const GroupItem&>(*pItem);
        state |= STATE_SYSTEM_SELECTABLE;
        if (const Group* pGroup = m_pPanel->GetItemGroup(pItem);
            pGroup && !IsItemInViewport(*pGroup, item, true, m_pPanel->MakePlacement(FALSE),
                                        m_pPanel->GetDrawer()->GetGroupInnerMargins(*pGroup).top))
            state |= STATE_SYSTEM_INVISIBLE;
        if (m_pPanel->IsItemSelected(item))
            state |= STATE_SYSTEM_SELECTED;
    }
    pvarState->vt = VT_I4;
    pvarState->lVal = state;
    return S_OK;
}

HRESULT CTaskPanelObjectAccessible::GetAccessibleDefaultAction(VARIANT varChild, BSTR* pszDefaultAction)
{
    const PanelItem* pItem = Self(varChild);
    if (!pItem)
        return E_INVALIDARG;
    *pszDefaultAction = ::SysAllocString(pItem->IsGroup() ? L"Expand" : L"Click");
    return S_OK;
}

HRESULT CTaskPanelObjectAccessible::AccessibleSelect(long flagsSelect, VARIANT varChild)
{
    PanelItem* pItem = Self(varChild);
    if (!pItem)
        return E_INVALIDARG;
    if (flagsSelect & SELFLAG_TAKEFOCUS)
        m_pPanel->SetFocusedItem(pItem, FALSE);
    if ((flagsSelect & SELFLAG_TAKESELECTION) && !pItem->IsGroup())
        m_pPanel->SetItemSelected(static_cast<GroupItem&>(*pItem), TRUE);
    return S_OK;
}

HRESULT CTaskPanelObjectAccessible::AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                                                       VARIANT varChild)
{
    const PanelItem* pItem = Self(varChild);
    if (!pItem)
        return E_INVALIDARG;
    *pxLeft = *pyTop = *pcxWidth = *pcyHeight = 0;
    if (!m_pPanel->GetSafeHwnd())
        return S_OK;
    CRect rect = m_pPanel->GetItemRect(*pItem);
    m_pPanel->ClientToScreen(rect);
    *pxLeft = rect.left;
    *pyTop = rect.top;
    *pcxWidth = rect.Width();
    *pcyHeight = rect.Height();
    return S_OK;
}

HRESULT CTaskPanelObjectAccessible::AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild)
{
    pvarChild->vt = VT_EMPTY;
    if (!m_pItem || !m_pPanel->GetSafeHwnd())
        return S_FALSE;
    CRect window;
    m_pPanel->GetWindowRect(window);
    if (!window.PtInRect(CPoint(xLeft, yTop)))
        return S_FALSE;
    pvarChild->vt = VT_I4;
    pvarChild->lVal = CHILDID_SELF;
    CRect rect = m_pPanel->GetItemRect(*m_pItem);
    m_pPanel->ClientToScreen(rect);
    return rect.PtInRect(CPoint(xLeft, yTop)) ? S_OK : S_FALSE;
}

HRESULT CTaskPanelObjectAccessible::AccessibleDoDefaultAction(VARIANT varChild)
{
    PanelItem* pItem = Self(varChild);
    if (!pItem)
        return E_INVALIDARG;
    if (pItem->IsGroup())
    {
        auto* pGroup = static_cast<Group*>(pItem);
        m_pPanel->ExpandGroup(pGroup, !m_pPanel->IsGroupExpanded(pGroup));
        return S_OK;
    }
    if (m_pPanel->IsAcceptFocus(pItem))
        m_pPanel->SetFocusedItem(pItem, FALSE);
    // The owner, told of the focus, may have removed the item.
    if (m_pItem)
        m_pPanel->OnClick(static_cast<GroupItem*>(m_pItem));
    return S_OK;
}
