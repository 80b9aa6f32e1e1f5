// What accessibility clients see of the task panel: an outline whose
// children are its groups and items in display order.
#include "CKitTaskPanel.h"
#include "CTaskPanelObjectAccessible.h"

using namespace kit::taskpanel;

BEGIN_INTERFACE_MAP(CKitTaskPanel, CWnd)
    INTERFACE_PART(CKitTaskPanel, kIidAccessible, Accessible)
    INTERFACE_PART(CKitTaskPanel, IID_IDispatch, Accessible)
END_INTERFACE_MAP()

long CKitTaskPanel::GetAccessibleIndex(const PanelItem* pItem) const
{
    long index = 0;
    for (int i = 0; i < m_groups.GetCount(); ++i)
    {
        const Group* pGroup = m_groups.GetAt(i);
        ++index;
        if (pGroup == pItem)
            return index;
        for (int j = 0; j < pGroup->items.GetCount(); ++j)
        {
            ++index;
            if (pGroup->items.GetAt(j) == pItem)
                return index;
        }
    }
    return pItem ? 0 : index;
}

PanelItem* CKitTaskPanel::GetAccessibleObject(long nIndex) const
{
    if (nIndex <= 0)
        return nullptr;
    for (int i = 0; i < m_groups.GetCount(); ++i)
    {
        Group* pGroup = m_groups.GetAt(i);
        if (--nIndex == 0)
            return pGroup;
        if (nIndex <= pGroup->items.GetCount())
            return pGroup->items.GetAt(static_cast<int>(nIndex) - 1);
        nIndex -= pGroup->items.GetCount();
    }
    return nullptr;
}

CTaskPanelObjectAccessible* CKitTaskPanel::GetAccessibleFor(PanelItem* pItem)
{
    if (!pItem)
        return nullptr;
    CTaskPanelObjectAccessible*& pAccessible = m_accessibles[pItem];
    if (!pAccessible)
        pAccessible = new CTaskPanelObjectAccessible(this, pItem);
    return pAccessible;
}

void CKitTaskPanel::DropAccessible(const PanelItem* pItem)
{
    const auto found = m_accessibles.find(pItem);
    if (found == m_accessibles.end())
        return;
    found->second->Detach();
    found->second->InternalRelease();
    m_accessibles.erase(found);
}

HRESULT CKitTaskPanel::GetAccessibleParent(IDispatch** ppdispParent)
{
    if (!ppdispParent)
        return E_POINTER;
    *ppdispParent = nullptr;
    if (!GetSafeHwnd())
        return E_FAIL;
    return ObjectFromWindow(m_hWnd, static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                            reinterpret_cast<void**>(ppdispParent));
}

HRESULT CKitTaskPanel::GetAccessibleChildCount(long* pcountChildren)
{
    *pcountChildren = GetAccessibleIndex(nullptr);
    return S_OK;
}

HRESULT CKitTaskPanel::GetAccessibleChild(VARIANT varChild, IDispatch** ppdispChild)
{
    *ppdispChild = nullptr;
    const long id = GetChildIdFromVariant(varChild);
    CTaskPanelObjectAccessible* pAccessible = id > 0 ? GetAccessibleFor(GetAccessibleObject(id)) : nullptr;
    if (!pAccessible)
        return E_INVALIDARG;
    *ppdispChild = pAccessible->GetDispatch();
    (*ppdispChild)->AddRef();
    return S_OK;
}

HRESULT CKitTaskPanel::GetAccessibleName(VARIANT varChild, BSTR* pszName)
{
    if (GetChildIdFromVariant(varChild) != CHILDID_SELF)
        return E_INVALIDARG;
    CString strName;
    if (GetSafeHwnd())
        GetWindowText(strName);
    *pszName = ::SysAllocString(strName);
    return S_OK;
}

HRESULT CKitTaskPanel::GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole)
{
    if (GetChildIdFromVariant(varChild) != CHILDID_SELF)
        return E_INVALIDARG;
    pvarRole->vt = VT_I4;
    pvarRole->lVal = ROLE_SYSTEM_OUTLINE;
    return S_OK;
}

HRESULT CKitTaskPanel::GetAccessibleState(VARIANT varChild, VARIANT* pvarState)
{
    pvarState->vt = VT_I4;
    pvarState->lVal = GetChildIdFromVariant(varChild) == CHILDID_SELF ? STATE_SYSTEM_FOCUSABLE : 0;
    return S_OK;
}

HRESULT CKitTaskPanel::AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                                          VARIANT varChild)
{
    *pxLeft = *pyTop = *pcxWidth = *pcyHeight = 0;
    if (!GetSafeHwnd())
        return S_OK;
    CRect rect;
    GetWindowRect(rect);
    const long id = GetChildIdFromVariant(varChild);
    if (id != CHILDID_SELF)
    {
        const PanelItem* pItem = GetAccessibleObject(id);
        if (!pItem)
            return E_INVALIDARG;
        CRect item = GetItemRect(*pItem);
        item.OffsetRect(rect.TopLeft());
        rect = item;
    }
    *pxLeft = rect.left;
    *pyTop = rect.top;
    *pcxWidth = rect.Width();
    *pcyHeight = rect.Height();
    return S_OK;
}

HRESULT CKitTaskPanel::AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild)
{
    pvarChild->vt = VT_EMPTY;
    if (!GetSafeHwnd())
        return S_FALSE;
    CRect window;
    GetWindowRect(window);
    if (!window.PtInRect(CPoint(xLeft, yTop)))
        return S_FALSE;
    CPoint point(xLeft, yTop);
    ScreenToClient(&point);
    if (CTaskPanelObjectAccessible* pAccessible = GetAccessibleFor(HitTest(point)))
    {
        pvarChild->vt = VT_DISPATCH;
        pvarChild->pdispVal = pAccessible->GetDispatch();
        pvarChild->pdispVal->AddRef();
        return S_OK;
    }
    pvarChild->vt = VT_I4;
    pvarChild->lVal = CHILDID_SELF;
    return S_OK;
}
