#include "CKitControlOleItems.h"

#include "CKitCommandBars.h"
#include "ListItemCaption.h"
#include "window/CFrameWnd.h"
#include "window/CMenu.h"
#include "window/CView.h"
#include "window/OleClientItems.h"

#include <vector>

namespace
{
constexpr LPCWSTR kOlePopupParameter = L"OLEMENUPOPUP";
constexpr UINT kFirstVerbId = 0xE210;
constexpr UINT kLastVerbId = 0xE21F;

// The selected embedded or linked item of the active view, or null.
COleClientItem* FindSelectedItem(CKitCommandBar* pBar)
{
    CFrameWnd* pSite = pBar != nullptr ? pBar->GetSiteFrame() : nullptr;
    CFrameWnd* pFrame = pSite != nullptr ? pSite->GetActiveFrame() : nullptr;
    CView* pView = pFrame != nullptr ? pFrame->GetActiveView() : nullptr;
    auto* pDocument = pView != nullptr ? dynamic_cast<COleDocument*>(pView->GetDocument()) : nullptr;
    COleClientItem* pItem = pDocument != nullptr ? pDocument->GetPrimarySelectedItem(pView) : nullptr;
    return pItem != nullptr && pItem->GetType() != OT_STATIC ? pItem : nullptr;
}

CString MenuItemText(HMENU hMenu, UINT nPosition)
{
    const int nLength = ::GetMenuStringW(hMenu, nPosition, nullptr, 0, MF_BYPOSITION);
    if (nLength <= 0)
        return CString();
    std::vector<wchar_t> text(static_cast<size_t>(nLength) + 1);
    ::GetMenuStringW(hMenu, nPosition, text.data(), nLength + 1, MF_BYPOSITION);
    return CString(text.data());
}
}  // namespace

void CKitControlOleItems::PrepareLayout(DWORD)
{
    CKitControls* pControls = m_pControls;
    if (pControls == nullptr)
        return;
    if (CKitControl* pNext = pControls->GetAt(m_nIndex + 1); pNext != nullptr && pNext->m_strParameter == kOlePopupParameter)
        pControls->Remove(pNext);
    if (IsCustomizingControl(this))
    {
        SetHideFlags(0);
        return;
    }
    SetHideFlags(m_dwHideFlags | kHideByProgram);
    COleClientItem* pItem = FindSelectedItem(m_pParent);
    CKitCommandBars* pCommandBars = pControls->GetCommandBars();
    if (pItem == nullptr || pCommandBars == nullptr)
        return;

    CMenu menu;
    if (!menu.CreatePopupMenu())
        return;
    ::InsertMenuW(menu.m_hMenu, 0, MF_BYPOSITION | MF_STRING, kFirstVerbId, L"");
    AfxOleSetEditMenu(pItem, &menu, 0, kFirstVerbId, kLastVerbId, 0);
    // Several verbs come as one popup item; a single verb or the greyed
    // "Object" item has nothing to list.
    HMENU hVerbs = ::GetMenuItemCount(menu.m_hMenu) == 1 ? ::GetSubMenu(menu.m_hMenu, 0) : nullptr;
    if (hVerbs != nullptr)
    {
        if (CKitCommandBar* pVerbBar = CKitCommandBars::NewPopupBar(pCommandBars))
        {
            pVerbBar->FillFromMenu(hVerbs, TRUE);
            auto* pPopup = new CKitControlPopup;
            pPopup->m_strCaption = MenuItemText(menu.m_hMenu, 0);
            pControls->Add(pPopup, 0, kOlePopupParameter, m_nIndex + 1, TRUE);
            pPopup->SetCommandBar(pVerbBar);
        }
    }
    menu.DestroyMenu();
}

BOOL CKitControlOleItems::AcceptsCustomizeDrop(CKitCommandBar* pBar, CPoint, int& nEffect)
{
    return AcceptsDropOnPopupOnly(pBar, nEffect);
}
