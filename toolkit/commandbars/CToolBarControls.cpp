#include "CToolBarControls.h"

#include "CCommandBarDrawer.h"
#include "CKitCommandBars.h"
#include "CKitPopupBar.h"
#include "CKitToolBar.h"
#include "CToolkitResources.h"
#include "FoundationLinks.h"
#include "GdiSelectors.h"

#include <algorithm>

namespace
{

constexpr DWORD kExpandButtonFlags = 0x1C;  // opens left, updated by hand, not customizable
constexpr DWORD kCloseButtonFlags = 0x1A;   // no keyboard, updated by hand, not customizable
constexpr UINT kAddOrRemoveButtonsString = 9300;

}  // namespace

void DrawWindowButtonGlyph(CDC* pDC, CKitControl* pControl, LPCTSTR lpszGlyph)
{
    pControl->GetDrawer()->FillControlBackground(pDC, pControl);
    CFont fontGlyph;
    fontGlyph.CreatePointFont(::MulDiv(80, 96, std::max(1, pDC->GetDeviceCaps(LOGPIXELSX))), L"Marlett");
    CFontSelector font(pDC, &fontGlyph);
    pDC->SetBkMode(TRANSPARENT);
    CRect rc = pControl->GetRect();
    pDC->DrawText(CString(lpszGlyph), &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

CToolBarExpandButton::CToolBarExpandButton() : CKitControlPopup(kControlPopup)
{
    m_dwFlags = kExpandButtonFlags;
}

void CToolBarExpandButton::SetRect(const CRect& rc)
{
    CKitControlPopup::SetRect(rc);
    m_bHasHidden = FALSE;
    if (m_pParent == nullptr)
        return;
    CKitControls* pControls = m_pParent->GetControls();
    for (int i = 0; i < pControls->GetCount(); ++i)
        if (pControls->GetAt(i)->GetHideFlags() == kHideNoRoom)
            m_bHasHidden = TRUE;
}

void CToolBarExpandButton::Draw(CDC* pDC)
{
    if (m_pParent == nullptr)
        return;
    const int nKind = m_pParent->GetPosition() == kBarFloating ? kSpecialCaptionOptions : kSpecialToolbarExpand;
    GetDrawer()->DrawSpecialControl(pDC, nKind, this, m_pParent, TRUE, &m_bHasHidden);
}

BOOL CToolBarExpandButton::SetPopupOpen(BOOL bOpen)
{
    if (bOpen && m_pParent != nullptr)
        BuildPopup();
    const BOOL bResult = CKitControlPopup::SetPopupOpen(bOpen);
    RedrawParent();
    return bResult;
}

void CToolBarExpandButton::BuildPopup()
{
    CKitCommandBar* pBar = m_pParent;
    CKitCommandBars* pCommandBars = pBar->FindCommandBars();
    SetCommandBar(nullptr);
    CKitCommandBar* pPopup = nullptr;
    CWnd* pSite = pCommandBars != nullptr ? pCommandBars->GetSite() : nullptr;
    if (pSite != nullptr && ::IsWindow(pSite->m_hWnd))
    {
        CommandBarCreation creation;
        creation.bExpand = TRUE;
        if (pSite->SendMessage(WM_COMMANDBAR_CREATE, 0, reinterpret_cast<LPARAM>(&creation)) != 0 &&
            dynamic_cast<CKitPopupBar*>(creation.pBar) != nullptr)
            pPopup = creation.pBar;
    }
    if (pPopup == nullptr)
        pPopup = CKitPopupToolBar::NewPopupToolBar(pCommandBars);
    pPopup->m_bCustomizable = FALSE;
    if (pCommandBars != nullptr)
        pCommandBars->AddHiddenRowControls(pBar, pPopup);
    const BOOL bListWanted = pCommandBars == nullptr || pCommandBars->GetSettings()->m_bShowExpandButtonAlways ||
                             pCommandBars->IsCustomizationAllowed();
    if (bListWanted)
    {
        auto* pItem = new CKitControlPopup;
        const BOOL bGroup = pPopup->GetControls()->GetCount() > 0;
        pPopup->GetControls()->Add(pItem, 0);
        CString strCaption;
        GetToolkitResources()->LoadString(strCaption, kAddOrRemoveButtonsString);
        pItem->SetCaption(strCaption);
        pItem->SetBeginGroup(bGroup);
        CKitPopupBar* pList = CKitPopupBar::NewPopupBar(pCommandBars);
        pList->SetTitle(StrippedText(strCaption));
        if (pCommandBars != nullptr)
            pCommandBars->AddExpandPopupItems(pBar, pList);
        else if (auto* pToolBar = dynamic_cast<CKitToolBar*>(pBar))
            pToolBar->FillAddRemovePopup(pList);
        pItem->SetCommandBar(pList);
    }
    SetCommandBar(pPopup);
}

CBarCloseButton::CBarCloseButton()
{
    m_dwFlags = kCloseButtonFlags;
}

void CBarCloseButton::Draw(CDC* pDC)
{
    GetDrawer()->DrawSpecialControl(pDC, kSpecialCaptionClose, this, m_pParent, TRUE, nullptr);
}

void CBarCloseButton::Execute()
{
    if (m_pParent != nullptr)
        m_pParent->SetVisible(FALSE);
}

CAddRemoveButton::CAddRemoveButton(CKitToolBar* pToolBar, CKitControl* pTarget)
    : m_pToolBar(pToolBar), m_pTarget(pTarget)
{
    m_pToolBar->InternalAddRef();
    m_pTarget->InternalAddRef();
    m_bCloseSubMenuOnClick = FALSE;
}

CAddRemoveButton::~CAddRemoveButton()
{
    m_pTarget->InternalRelease();
    m_pToolBar->InternalRelease();
}

void CAddRemoveButton::Execute()
{
    if (CKitCommandBars* pCommandBars = m_pToolBar->FindCommandBars())
        pCommandBars->GetSettings()->m_bChanged = TRUE;
    m_pTarget->SetHideFlags(m_pTarget->GetHideFlags() ^ kHideByUser);
    SetChecked((m_pTarget->GetHideFlags() & kHideByUser) == 0);
    m_pToolBar->OnRecalcLayout();
    for (CKitCommandBar* pBar = m_pParent; pBar != nullptr; pBar = pBar->GetParentBar())
        pBar->DelayRedraw();
}

CResetToolBarButton::CResetToolBarButton(CKitToolBar* pToolBar) : m_pToolBar(pToolBar)
{
    m_pToolBar->InternalAddRef();
}

CResetToolBarButton::~CResetToolBarButton()
{
    m_pToolBar->InternalRelease();
}

void CResetToolBarButton::Execute()
{
    CKitToolBar* pToolBar = m_pToolBar;
    pToolBar->InternalAddRef();
    CKitCommandBars::ClosePopups();
    pToolBar->ResetBar();
    pToolBar->InternalRelease();
}
