#include "CKitControl.h"

#include "CKitCommandBar.h"
#include "CKitCommandBars.h"
#include "CKitControls.h"
#include "CCommandBarDrawer.h"
#include "CCommandIconStore.h"
#include "CToolkitResources.h"

#include <algorithm>

BOOL CKitControl::IsCaptionVisible()
{
    if (m_pParent != nullptr && m_pParent->GetType() == kBarTypePopup)
        return TRUE;
    if (GetCaption().IsEmpty())
        return FALSE;
    switch (GetCaptionStyle())
    {
    case 1:
    case 3:
        return TRUE;
    case 2:
        return FALSE;
    case 0:
        if (m_nType == kControlButton || m_nType == kControlButtonPopup || m_nType == kControlSplitButtonPopup)
            return GetIcon(0) == nullptr;
        return m_nType == kControlPopup || m_nType == kControlLabel;
    default:
        return FALSE;
    }
}

BOOL CKitControl::IsIconWanted() const
{
    switch (GetCaptionStyle())
    {
    case 2:
    case 3:
        return TRUE;
    case 0:
        return m_nType != kControlPopup;
    default:
        return FALSE;
    }
}

CCommandIcon* CKitControl::GetIcon(int nWidth)
{
    const int nIconId = m_nCustomIconId != 0 ? m_nCustomIconId : (m_nIconId > 0 ? m_nIconId : m_nId);
    if (nIconId <= 0)
        return nullptr;
    CCommandIconStore* pStore = m_pParent != nullptr ? m_pParent->ResolveIconManager() : GetCommandIconStore();
    return pStore->GetIcon(static_cast<UINT>(nIconId), static_cast<UINT>(std::max(nWidth, 0)));
}

CCommandBarDrawer* CKitControl::GetDrawer() const
{
    if (m_pParent != nullptr)
        return m_pParent->ResolveDrawer();
    CKitCommandBars* pCommandBars = m_pControls != nullptr ? m_pControls->GetCommandBars() : nullptr;
    return pCommandBars != nullptr ? pCommandBars->GetBarDrawer() : GetCommandBarDrawer();
}

void CKitControl::DelayLayoutParent()
{
    // Changes made while the bar prepares its layout are placed by it.
    if (m_pParent != nullptr && (m_pControls == nullptr || !m_pControls->IsPreparingLayout()))
        m_pParent->DelayLayout();
}

void CKitControl::RedrawParent()
{
    if (m_pParent != nullptr && ::IsWindow(m_pParent->m_hWnd))
        m_pParent->DelayRedraw();
}

void CKitControl::SetId(int nId)
{
    if (nId != m_nId)
    {
        CString strPrompt;
        if (nId > 0 && GetToolkitResources()->LoadString(strPrompt, static_cast<UINT>(nId)))
            SetPrompt(strPrompt);
    }
    m_nId = nId;
}

void CKitControl::SetPrompt(const CString& strPrompt)
{
    if (strPrompt.IsEmpty())
        return;
    const int nLineFeed = strPrompt.Find(L'\n');
    if (nLineFeed >= 0)
    {
        m_strDescription = strPrompt.Left(nLineFeed);
        m_strTooltip = strPrompt.Mid(nLineFeed + 1);
    }
    else
    {
        m_strDescription = strPrompt;
        m_strTooltip = strPrompt;
    }
    if (m_strCaption.IsEmpty())
        m_strCaption = m_strTooltip;
}

void CKitControl::SetCaption(const CString& strCaption)
{
    CString strText = strCaption;
    const int nTab = strText.Find(L'\t');
    if (nTab >= 0)
    {
        m_strMenuShortcutText = strText.Mid(nTab + 1);
        strText = strText.Left(nTab);
    }
    if (strText != m_strCaption)
    {
        m_strCaption = strText;
        DelayLayoutParent();
    }
}

void CKitControl::SetDefaultItem(BOOL bDefault)
{
    if (bDefault != m_bDefaultItem)
    {
        m_bDefaultItem = bDefault;
        DelayLayoutParent();
    }
}

void CKitControl::SetChecked(BOOL bChecked)
{
    if (bChecked != m_bChecked)
    {
        m_bChecked = bChecked;
        RedrawParent();
    }
}

void CKitControl::SetBeginGroup(BOOL bBeginGroup)
{
    m_bBeginGroup = bBeginGroup;
    DelayLayoutParent();
}

void CKitControl::SetEnabled(BOOL bEnabled)
{
    if (bEnabled != m_bEnabled)
    {
        m_bEnabled = bEnabled;
        RedrawParent();
    }
}

namespace {

// customIconId, else iconId when positive, else the command id.
int EffectiveIconId(const CKitControl& control)
{
    if (control.m_nCustomIconId != 0)
        return control.m_nCustomIconId;
    return control.m_nIconId > 0 ? control.m_nIconId : control.m_nId;
}

}  // namespace

BOOL CKitControl::IsEqual(CKitControl* pOther)
{
    return pOther != nullptr && GetCaptionStyle() == pOther->GetCaptionStyle() && m_nType == pOther->m_nType &&
           m_nId == pOther->m_nId && m_dwFlags == pOther->m_dwFlags && m_bBeginGroup == pOther->m_bBeginGroup &&
           EffectiveIconId(*this) == EffectiveIconId(*pOther) && m_strCaption == pOther->m_strCaption &&
           m_strTooltip == pOther->m_strTooltip && m_strDescription == pOther->m_strDescription &&
           m_strCustomCaption == pOther->m_strCustomCaption && m_nCustomStyle == pOther->m_nCustomStyle &&
           m_strParameter == pOther->m_strParameter &&
           (m_dwHideFlags & kHideByUser) == (pOther->m_dwHideFlags & kHideByUser);
}

void CKitControl::CopyFrom(CKitControl* pSource, BOOL /*bRecursive*/)
{
    m_nId = pSource->m_nId;
    m_dwTag = pSource->m_dwTag;
    m_dwFlags = pSource->m_dwFlags;
    m_nType = pSource->m_nType;
    m_strCaption = pSource->m_strCaption;
    m_strShortcutText = pSource->m_strShortcutText;
    m_strMenuShortcutText = pSource->m_strMenuShortcutText;
    m_strTooltip = pSource->m_strTooltip;
    m_strDescription = pSource->m_strDescription;
    m_strParameter = pSource->m_strParameter;
    m_nCustomIconId = pSource->m_nCustomIconId;
    m_nIconId = pSource->m_nIconId;
    m_bTemporary = pSource->m_bTemporary;
    m_strCustomCaption = pSource->m_strCustomCaption;
    m_strCategory = pSource->m_strCategory;
    m_dwHideFlags = pSource->m_dwHideFlags;
    m_bDefaultItem = pSource->m_bDefaultItem;
    m_bBeginGroup = pSource->m_bBeginGroup;
    m_bEnabled = pSource->m_bEnabled;
    m_nCustomStyle = pSource->m_nCustomStyle;
    m_nStyle = pSource->m_nStyle;
    m_bChecked = pSource->m_bChecked;
    m_bCloseSubMenuOnClick = pSource->m_bCloseSubMenuOnClick;
}

CKitControl* CKitControl::Clone(BOOL bRecursive)
{
    CKitControl* pClone = CreateSameKind();
    pClone->CopyFrom(this, bRecursive);
    return pClone;
}

CSize CKitControl::GetSize(CDC* pDC)
{
    return GetDrawer()->DrawControlDispatch(pDC, this, FALSE);
}

void CKitControl::Draw(CDC* pDC)
{
    GetDrawer()->DrawControlDispatch(pDC, this, TRUE);
}

void CKitControl::Execute()
{
    m_nPressed = kPressedExecuted;
    CKitCommandBar* pBar = m_pParent;
    if (pBar == nullptr)
        return;
    CKitCommandBar* pRoot = pBar->GetRootBar();
    CWnd* pSite = pBar->GetNotifySite();
    HWND hSite = pSite != nullptr ? pSite->GetSafeHwnd() : nullptr;
    HWND hBar = pBar->GetSafeHwnd();
    auto closeMenus = [pRoot]() {
        if (pRoot->GetTrackingMode() != 0)
            pRoot->EndTracking();
        else
            CKitCommandBars::ClosePopups();
    };
    // A popup run for its answer only stores the command.
    if (pRoot->m_pnResult != nullptr)
    {
        int* pnResult = pRoot->m_pnResult;
        closeMenus();
        *pnResult = m_nId;
        return;
    }
    // The command may destroy the bar (and release this control with it):
    // hold a reference and look at the bar only while its window lives.
    InternalAddRef();
    if (CKitCommandBars* pCommandBars = pBar->FindCommandBars(); pCommandBars != nullptr && m_nId != 0)
    {
        pCommandBars->MarkCommandUsed(static_cast<UINT>(m_nId));
        if (CKitControl* pOpening = pBar->GetOpeningControl(); pOpening != nullptr && pOpening->GetId() != 0)
            pCommandBars->MarkCommandUsed(static_cast<UINT>(pOpening->GetId()));
    }
    if (m_bCloseSubMenuOnClick)
        closeMenus();
    if (m_nId != 0 && ::IsWindow(hSite))
    {
        ControlNotify notify = {};
        notify.hdr.idFrom = static_cast<UINT_PTR>(m_nId);
        notify.hdr.code = kControlNotifyExecuted;
        notify.pControl = this;
        if (::SendMessageW(hSite, WM_COMMANDBAR_EXECUTE, static_cast<WPARAM>(m_nId),
                           reinterpret_cast<LPARAM>(&notify)) == 0 &&
            ::IsWindow(hSite))
            ::SendMessageW(hSite, WM_COMMAND, static_cast<WPARAM>(m_nId), 0);
    }
    if (::IsWindow(hBar) && m_pParent == pBar)
    {
        // The press ends with the command.
        m_nPressed = kNotPressed;
        if (!m_bCloseSubMenuOnClick)
            pBar->OnIdleUpdate(TRUE);
        ::InvalidateRect(hBar, nullptr, FALSE);
    }
    InternalRelease();
}

void CKitControlPopup::SetCommandBar(CKitCommandBar* pBar)
{
    if (pBar == m_pCommandBar)
        return;
    CKitCommandBar* pOld = m_pCommandBar;
    m_pCommandBar = pBar;
    if (pOld != nullptr)
        pOld->InternalRelease();
}

void CKitControl::OnMouseHover()
{
    CKitCommandBar* pBar = m_pParent;
    if (pBar == nullptr)
        return;
    const BOOL bWasOpen = pBar->GetPopupedIndex() >= 0;
    pBar->SetPopuped(-1, FALSE);
    if (bWasOpen && pBar->GetTrackingMode() == 2 && pBar->GetPosition() != kBarPopup)
        pBar->EndTracking();
}

BOOL CKitControlPopup::SetPopupOpen(BOOL bOpen)
{
    m_bPopupOpen = bOpen;
    if (m_pCommandBar == nullptr)
        return FALSE;
    if (!bOpen)
    {
        m_pCommandBar->EndTracking();
        RedrawParent();
        return TRUE;
    }
    if (m_pCommandBar->GetTrackingMode() != 0)
        return TRUE;
    return m_pCommandBar->Popup(this, m_nSelected == kSelectedByKeyboard);
}

void CKitControlPopup::OnMouseHover()
{
    if (m_pParent != nullptr && m_bEnabled &&
        (m_pParent->GetTrackingMode() == 2 || m_pParent->GetPosition() == kBarPopup))
    {
        m_pParent->SetPopuped(m_nIndex, FALSE);
        return;
    }
    CKitControl::OnMouseHover();
}

void CKitControlPopup::ActivateFromKeyboard()
{
    if (m_pParent != nullptr)
        m_pParent->SetPopuped(m_nIndex, TRUE);
}

void CKitControlPopup::CopyFrom(CKitControl* pSource, BOOL bRecursive)
{
    CKitControl::CopyFrom(pSource, bRecursive);
    CKitCommandBar* pSourceBar = pSource->GetCommandBar();
    if (pSourceBar == nullptr)
    {
        SetCommandBar(nullptr);
        return;
    }
    if (bRecursive)
    {
        SetCommandBar(pSourceBar->Clone(TRUE));
        return;
    }
    pSourceBar->InternalAddRef();
    SetCommandBar(pSourceBar);
}

BOOL CKitControlPopup::IsEqual(CKitControl* pOther)
{
    if (!CKitControl::IsEqual(pOther) || !pOther->IsPopupControl())
        return FALSE;
    CKitCommandBar* pMine = GetCommandBar();
    CKitCommandBar* pTheirs = pOther->GetCommandBar();
    if (pMine == nullptr || pTheirs == nullptr)
        return TRUE;
    return pMine->GetControls()->IsEqualTo(pTheirs->GetControls());
}
