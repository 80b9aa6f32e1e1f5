// What accessibility clients see of one group or item of a task panel: its
// name, description, role, state and place, and its default action. Made by
// the panel when a client first asks for the object; once the object leaves
// the panel it answers nothing more (clients may still hold it).
#pragma once

#include "CAccessibleBase.h"
#include "Framework.h"
#include "core/TaskPanelModel.h"

class CKitTaskPanel;

class CTaskPanelObjectAccessible : public CCmdTarget, public CAccessibleBase
{
public:
    CTaskPanelObjectAccessible(CKitTaskPanel* pPanel, kit::taskpanel::PanelItem* pItem)
        : m_pPanel(pPanel), m_pItem(pItem)
    {
    }

    // The object went: every query fails from now on.
    void Detach() { m_pItem = nullptr; }
    IDispatch* GetDispatch() { return static_cast<IDispatch*>(&m_xAccessible); }

    CCmdTarget* GetAccessibleOwner() override { return this; }
    HRESULT GetAccessibleParent(IDispatch** ppdispParent) override;
    HRESULT GetAccessibleName(VARIANT varChild, BSTR* pszName) override;
    HRESULT GetAccessibleDescription(VARIANT varChild, BSTR* pszDescription) override;
    HRESULT GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole) override;
    HRESULT GetAccessibleState(VARIANT varChild, VARIANT* pvarState) override;
    HRESULT GetAccessibleDefaultAction(VARIANT varChild, BSTR* pszDefaultAction) override;
    HRESULT AccessibleSelect(long flagsSelect, VARIANT varChild) override;
    HRESULT AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild) override;
    HRESULT AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild) override;
    HRESULT AccessibleDoDefaultAction(VARIANT varChild) override;

    DECLARE_INTERFACE_MAP()

private:
    // The object for CHILDID_SELF; null (E_INVALIDARG) for other children or
    // once the object went.
    kit::taskpanel::PanelItem* Self(const VARIANT& varChild) const;
    HRESULT AnswerText(const VARIANT& varChild, std::u16string kit::taskpanel::PanelItem::*text, BSTR* pszText);

    CKitTaskPanel* m_pPanel;
    kit::taskpanel::PanelItem* m_pItem;
};
