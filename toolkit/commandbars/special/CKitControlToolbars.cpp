#include "CKitControlToolbars.h"

#include "CKitCommandBars.h"
#include "CKitToolBar.h"
#include "CToolbarListButton.h"
#include "ListItemCaption.h"

namespace
{
constexpr LPCWSTR kToolbarItemParameter = L"CKitControlToolbar";
}

void AFXAPI CKitControlToolbars::AddToolbarItems(CKitCommandBar* pBar, int nBefore, int nId, BOOL bAddCustomize)
{
    CKitCommandBars* pCommandBars = pBar != nullptr ? pBar->FindCommandBars() : nullptr;
    if (pCommandBars == nullptr)
        return;
    CKitControls* pControls = pBar->GetControls();
    int nPosition = nBefore;
    for (int i = 0; i < pCommandBars->GetCount(); ++i)
    {
        auto* pToolBar = dynamic_cast<CKitToolBar*>(pCommandBars->GetAt(i));
        if (pToolBar == nullptr || pToolBar->GetType() != kBarTypeToolBar || !pToolBar->m_bContextMenuPresent ||
            !pToolBar->m_bCloseable)
            continue;
        auto* pItem = new CToolbarListButton;
        pControls->Add(pItem, nId, kToolbarItemParameter, nPosition, TRUE);
        pItem->m_dwTag = static_cast<DWORD>(i);
        pItem->SetCaption(pToolBar->GetTitle());
        pItem->m_bChecked = pToolBar->IsVisible();
        if (nPosition >= 0)
            ++nPosition;
    }
    if (bAddCustomize && pCommandBars->IsCustomizationAllowed())
    {
        CKitControl* pCustomize =
            pControls->Add(kControlButton, static_cast<int>(ID_COMMANDBARS_CUSTOMIZE), CString(), nPosition, TRUE);
        if (pCustomize != nullptr)
            pCustomize->m_bBeginGroup = TRUE;
    }
}

void CKitControlToolbars::PrepareLayout(DWORD)
{
    CKitControls* pControls = m_pControls;
    if (pControls == nullptr)
        return;
    for (CKitControl* pNext = pControls->GetAt(m_nIndex + 1);
         pNext != nullptr && pNext->m_strParameter == kToolbarItemParameter; pNext = pControls->GetAt(m_nIndex + 1))
        pControls->Remove(pNext);
    if (IsCustomizingControl(this))
    {
        SetHideFlags(0);
        return;
    }
    SetHideFlags(m_dwHideFlags | kHideByProgram);
    AddToolbarItems(m_pParent, m_nIndex + 1, m_nId, FALSE);
}

BOOL CKitControlToolbars::AcceptsCustomizeDrop(CKitCommandBar* pBar, CPoint, int& nEffect)
{
    return AcceptsDropOnPopupOnly(pBar, nEffect);
}
