// The bars in the stored bar tree: each bar class's keys, the walk that
// collects the bars to store (a bar's popup bars with it) and the step that
// gives loaded popup controls their loaded popup bars.
#include "BarTreeExchange.h"
#include "CKitCommandBars.h"
#include "CKitControlComboBox.h"
#include "CKitControlComboBoxList.h"
#include "CKitMenuBar.h"
#include "CKitPopupBar.h"
#include "CKitToolBar.h"
#include "core/StoredBarLayout.h"

#include <algorithm>

using namespace bartree;

namespace
{

// Popup bars nested deeper than this are damage (or a bar that opens itself).
constexpr int kMaxPopupDepth = 32;
// Ids the tree gives bars other than toolbars start here.
constexpr int kFirstTreeBarId = 0x1000000;

void CollectControls(CKitControls* pControls, int* pnNextId, std::vector<CKitCommandBar*>& bars,
                     const CBarTreeOptions& options)
{
    if (pControls == nullptr)
        return;
    for (int i = 0; i < pControls->GetCount(); ++i)
    {
        CKitControl* pControl = pControls->GetAt(i);
        if (pControl->IsTemporary())
            continue;
        if (CKitCommandBar* pPopup = pControl->GetCommandBar())
            pPopup->CollectForSave(pnNextId, bars, options);
    }
}

// The loaded bar of the id that a popup control may open, or null.
CKitCommandBar* FindLoadedPopup(const std::vector<CKitCommandBar*>& bars, int nBarId, BOOL bList)
{
    for (CKitCommandBar* pBar : bars)
    {
        if (pBar->GetBarId() != nBarId)
            continue;
        // A popup opens only a popup bar, a combo only a drop-down list.
        if (bList ? pBar->IsKindOf(RUNTIME_CLASS(CKitControlComboBoxList)) : pBar->IsKindOf(RUNTIME_CLASS(CKitPopupBar)))
            return pBar;
        return nullptr;
    }
    return nullptr;
}

void ResolveControls(CKitControls* pControls, const std::vector<CKitCommandBar*>& bars, int nDepth)
{
    if (pControls == nullptr)
        return;
    for (int i = 0; i < pControls->GetCount(); ++i)
    {
        auto* pPopup = dynamic_cast<CKitControlPopup*>(pControls->GetAt(i));
        if (pPopup == nullptr || pPopup->m_nCommandBarId == 0)
            continue;
        const int nBarId = pPopup->m_nCommandBarId;
        pPopup->m_nCommandBarId = 0;
        const BOOL bCombo = pPopup->IsKindOf(RUNTIME_CLASS(CKitControlComboBox));
        CKitCommandBar* pBar = FindLoadedPopup(bars, nBarId, bCombo);
        if (pBar == nullptr)
            continue;
        pBar->InternalAddRef();
        pPopup->SetCommandBar(pBar);
        pBar->ResolvePopupReferences(bars, nDepth + 1);
    }
}

}  // namespace

void CKitCommandBar::DoPropExchange(CKitPropExchange* pPX)
{
    ExchangeLong(pPX, L"Type", m_nType, kBarTypeToolBar);
    ExchangeLong(pPX, L"Position", m_nPosition, 0);
    ExchangeLong(pPX, L"BarID", m_nBarId, 0);
    ExchangeDword(pPX, L"Flags", m_dwFlags, 0);
    ExchangeDword(pPX, L"Style", m_dwStyle, 0);
    ExchangeString(pPX, L"Title", m_strTitle, L"");
    ExchangeBool(pPX, L"Customizable", m_bCustomizable, TRUE);
    ExchangeLong(pPX, L"MRUWidth", m_nFloatingWidth, 0);
    if (pPX->m_nSchema > 2)
    {
        SIZE szIcons = m_szIcons;
        ExchangeSize(pPX, L"IconSize", szIcons, SIZE{0, 0});
        m_szIcons = szIcons;
    }
    {
        CKitPropSectionRef section(pPX->OpenSection(L"Controls"));
        if (section.Get() == nullptr)
            ThrowDamaged();
        m_controls.ExchangeControls(section.Get());
    }
    if (pPX->IsLoading())
    {
        m_nType = Clamp(m_nType, kBarTypeMenuBar, kBarTypePopup);
        m_nFloatingWidth = kit::commandbars::ClampStoredExtent(m_nFloatingWidth, 0);
        m_szIcons.cx = Clamp(m_szIcons.cx, 0, kMaxIconSide);
        m_szIcons.cy = Clamp(m_szIcons.cy, 0, kMaxIconSide);
        if (m_nPosition < kBarTop || m_nPosition > kBarFloating)
            m_nPosition = kBarTop;
    }
}

void CKitCommandBar::CollectForSave(int* pnNextId, std::vector<CKitCommandBar*>& bars, const CBarTreeOptions& options)
{
    if (std::find(bars.begin(), bars.end(), this) != bars.end())
        return;
    InternalAddRef();
    bars.push_back(this);
    if (!IsKindOf(RUNTIME_CLASS(CKitToolBar)) && (m_nBarId <= 0 || m_nBarId > 0xFFFFFF))
        m_nBarId = (*pnNextId)++;
    CollectControls(&m_controls, pnNextId, bars, options);
    if (options.bSaveOriginals)
        CollectControls(m_controls.GetOriginalControls(), pnNextId, bars, options);
}

void CKitCommandBar::ResolvePopupReferences(const std::vector<CKitCommandBar*>& bars, int nDepth)
{
    if (nDepth > kMaxPopupDepth)
        return;
    ResolveControls(&m_controls, bars, nDepth);
    ResolveControls(m_controls.GetOriginalControls(), bars, nDepth);
}

void CKitToolBar::Copy(CKitCommandBar* pSource, BOOL bRecursive)
{
    CKitCommandBar::Copy(pSource, bRecursive);
    if (auto* pToolBar = dynamic_cast<CKitToolBar*>(pSource))
    {
        m_bBuiltIn = pToolBar->m_bBuiltIn;
        m_bTearOff = pToolBar->m_bTearOff;
        m_bCloseable = pToolBar->m_bCloseable;
    }
}

void CKitToolBar::DoPropExchange(CKitPropExchange* pPX)
{
    CKitCommandBar::DoPropExchange(pPX);
    ExchangeBool(pPX, L"BuiltIn", m_bBuiltIn, TRUE);
    ExchangeBool(pPX, L"TearOff", m_bTearOff, FALSE);
    if (pPX->m_nSchema > 6)
        ExchangeBool(pPX, L"Closeable", m_bCloseable, TRUE);
    if (pPX->m_nSchema > 7)
        ExchangeBool(pPX, L"ContextMenuPresent", m_bContextMenuPresent, TRUE);
}

void CKitMenuBar::DoPropExchange(CKitPropExchange* pPX)
{
    CKitToolBar::DoPropExchange(pPX);
    int nResourceId = static_cast<int>(m_nDefaultMenuId);
    ExchangeLong(pPX, L"ResourceId", nResourceId, 0);
    if (pPX->IsLoading() && nResourceId >= 0 && nResourceId <= kMaxCommandId)
        m_nDefaultMenuId = static_cast<UINT>(nResourceId);
    if (pPX->m_nSchema <= 4)
        return;
    // The controls the user made of the other menus of an MDI frame.
    CCheckedSections menus(pPX, L"MDIMenu");
    if (pPX->IsStoring())
    {
        UINT nPosition = menus.Begin(static_cast<DWORD>(m_keptMenus.size()), kMaxStoredMenus);
        for (const auto& entry : m_keptMenus)
        {
            CKitPropSectionRef section(menus.Next(nPosition));
            long nMenuId = static_cast<long>(entry.first);
            ExchangeLong(section.Get(), L"Id", nMenuId, 0);
            entry.second->ExchangeControls(section.Get());
        }
        return;
    }
    ReleaseKeptMenus();
    for (UINT nPosition = menus.Begin(0, kMaxStoredMenus); nPosition != 0;)
    {
        CKitPropSectionRef section(menus.Next(nPosition));
        long nMenuId = 0;
        ExchangeLong(section.Get(), L"Id", nMenuId, 0);
        auto* pKept = new CKitControls;
        pKept->SetCommandBars(FindCommandBars());
        try
        {
            pKept->ExchangeControls(section.Get());
        }
        catch (...)
        {
            pKept->InternalRelease();
            throw;
        }
        // A menu id out of range, or a menu stored twice, is dropped.
        const UINT nId = static_cast<UINT>(nMenuId);
        if (nMenuId <= 0 || nMenuId > kMaxCommandId || m_keptMenus.count(nId) != 0)
        {
            pKept->InternalRelease();
            continue;
        }
        m_keptMenus[nId] = pKept;
    }
}

void CKitMenuBar::CollectForSave(int* pnNextId, std::vector<CKitCommandBar*>& bars, const CBarTreeOptions& options)
{
    if (std::find(bars.begin(), bars.end(), this) != bars.end())
        return;
    CKitToolBar::CollectForSave(pnNextId, bars, options);
    for (const auto& entry : m_keptMenus)
    {
        CollectControls(entry.second, pnNextId, bars, options);
        if (options.bSaveOriginals)
            CollectControls(entry.second->GetOriginalControls(), pnNextId, bars, options);
    }
}

void CKitMenuBar::ResolvePopupReferences(const std::vector<CKitCommandBar*>& bars, int nDepth)
{
    if (nDepth > kMaxPopupDepth)
        return;
    CKitToolBar::ResolvePopupReferences(bars, nDepth);
    for (const auto& entry : m_keptMenus)
    {
        ResolveControls(entry.second, bars, nDepth);
        ResolveControls(entry.second->GetOriginalControls(), bars, nDepth);
    }
}

void CKitPopupBar::DoPropExchange(CKitPropExchange* pPX)
{
    // A popup bar (or a combo's list) stays at the place its class gives it,
    // whatever the record says.
    const int nOwnPosition = m_nPosition;
    CKitCommandBar::DoPropExchange(pPX);
    ExchangeBool(pPX, L"TearOffPopup", m_bTearOffPopup, FALSE);
    ExchangeString(pPX, L"TearOffCaption", m_strTearOffCaption, L"");
    ExchangeLong(pPX, L"TearOffId", m_nTearOffId, 0);
    ExchangeLong(pPX, L"TearOffWidth", m_nTearOffWidth, 0);
    if (pPX->m_nSchema > 3)
    {
        RECT rcBorders = m_rcBorders;
        ExchangeRect(pPX, L"Borders", rcBorders, RECT{2, 4, 2, 4});
        m_rcBorders = rcBorders;
        ExchangeBool(pPX, L"ShowShadow", m_bShowShadow, TRUE);
    }
    if (pPX->m_nSchema > 8)
        ExchangeBool(pPX, L"DoubleGripper", m_bDoubleGripper, FALSE);
    if (pPX->IsLoading())
    {
        m_nType = kBarTypePopup;
        m_nPosition = nOwnPosition;
        m_nTearOffWidth = Clamp(m_nTearOffWidth, 0, kMaxFieldWidth);
        constexpr int kMaxBorder = 64;
        m_rcBorders = CRect(Clamp(m_rcBorders.left, 0, kMaxBorder), Clamp(m_rcBorders.top, 0, kMaxBorder),
                            Clamp(m_rcBorders.right, 0, kMaxBorder), Clamp(m_rcBorders.bottom, 0, kMaxBorder));
    }
}

void CKitControlComboBoxList::DoPropExchange(CKitPropExchange* pPX)
{
    CKitPopupBar::DoPropExchange(pPX);
    CKitPropSectionRef section(pPX->OpenSection(L"Items"));
    if (section.Get() == nullptr)
        ThrowDamaged();
    const BOOL bHasWindow = ::IsWindow(m_hWnd);
    const DWORD nCount = pPX->IsStoring() && bHasWindow ? static_cast<DWORD>(GetItemCount()) : 0;
    if (pPX->IsStoring())
        section->StoreCount(nCount);
    const DWORD nLoaded = pPX->IsStoring() ? nCount : section->LoadCount();
    if (nLoaded > kMaxStoredItems)
        ThrowDamaged();
    if (pPX->IsLoading() && !bHasWindow)
        CreateListWindow();
    for (DWORD i = 0; i < nLoaded; ++i)
    {
        CString strName;
        strName.Format(L"Item%u", i);
        CString strItem = pPX->IsStoring() ? GetItemText(static_cast<int>(i)) : CString();
        ExchangeString(section.Get(), strName, strItem, L"");
        if (pPX->IsLoading())
            AddString(strItem);
    }
}
