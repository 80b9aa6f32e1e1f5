#include "CKitControls.h"

#include "CCommandBarDrawer.h"
#include "CKitCommandBar.h"
#include "CKitCommandBars.h"
#include "CCommandShortcuts.h"
#include "CKitControlComboBox.h"
#include "CKitControlEdit.h"
#include "special/CKitControlCustom.h"
#include "special/CKitControlOleItems.h"
#include "special/CKitControlRecentFileList.h"
#include "special/CKitControlToolbars.h"
#include "special/CKitControlWindowList.h"
#include "special/CKitControlWorkspaceActions.h"
#include "FoundationLinks.h"
#include "core/ControlLayout.h"

#include <algorithm>

using namespace kit::commandbars;

CKitControls::~CKitControls()
{
    RemoveAll();
    ClearOriginalControls();
}

namespace
{
// The special command ids whose buttons are placeholders of generated lists.
constexpr int kWindowListId = 35000;
constexpr int kWorkspaceActionsId = 35002;
constexpr int kRecentFileListId = 35003;
constexpr int kRecentFileMenuId = 0xE110;
constexpr int kOleVerbsId = 0xE210;

// The button class of a command id: Add knows the recent-file list by 35003,
// menus by the first recent-file command, and only menus hold the OLE verbs.
CKitControl* CreateButtonForId(int nId, BOOL bFromMenu, const CString& strCaption)
{
    if (nId == kWindowListId)
        return new CKitControlWindowList;
    if (nId == static_cast<int>(ID_COMMANDBARS_TOOLBARS_LIST))
        return new CKitControlToolbars;
    if (nId == kWorkspaceActionsId)
        return new CKitControlWorkspaceActions;
    if (nId == (bFromMenu ? kRecentFileMenuId : kRecentFileListId))
        return new CKitControlRecentFileList;
    if (bFromMenu && nId == kOleVerbsId && strCaption == L"<<OLE VERBS GO HERE>>")
        return new CKitControlOleItems;
    return new CKitControlButton;
}
}  // namespace

CKitControl* CKitControls::Add(int nType, int nId, const CString& strParameter, int nBefore, BOOL bTemporary)
{
    CKitControl* pControl = nullptr;
    switch (nType)
    {
    case kControlButton:
        pControl = CreateButtonForId(nId, FALSE, CString());
        break;
    case kControlCustom:
        pControl = new CKitControlCustom;
        break;
    case kControlLabel:
        pControl = new CKitControlLabel;
        break;
    case kControlEdit:
        pControl = new CKitControlEdit;
        break;
    case kControlComboBox:
        pControl = new CKitControlComboBox;
        break;
    default:
        return nullptr;
    }
    pControl->SetId(nId);
    pControl->m_strParameter = strParameter;
    pControl->m_bTemporary = bTemporary;
    Insert(pControl, nBefore);
    return pControl;
}

CKitControl* CKitControls::Add(CKitControl* pControl, int nId, const CString& strParameter, int nBefore,
                               BOOL bTemporary)
{
    pControl->m_strParameter = strParameter;
    pControl->m_bTemporary = bTemporary;
    pControl->SetId(nId);
    Insert(pControl, nBefore);
    return pControl;
}

CKitControl* CKitControls::Add(CKitControl* pControl, CKitCommandBar* pParent)
{
    m_pParent = pParent;
    Insert(pControl, -1);
    return pControl;
}

CKitControl* CKitControls::AddCopy(CKitControl* pControl, int nBefore, BOOL bRecursive)
{
    CKitControl* pCopy = pControl->Clone(bRecursive);
    Insert(pCopy, nBefore);
    return pCopy;
}

void CKitControls::AddFromMenu(HMENU hMenu)
{
    const int nCount = ::GetMenuItemCount(hMenu);
    BOOL bGroupPending = FALSE;
    for (int nPosition = 0; nPosition < nCount; ++nPosition)
    {
        MENUITEMINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU;
        if (!::GetMenuItemInfoW(hMenu, static_cast<UINT>(nPosition), TRUE, &info))
            continue;
        if ((info.fType & MFT_SEPARATOR) != 0 || (info.wID == 0 && info.hSubMenu == nullptr))
        {
            bGroupPending = TRUE;
            continue;
        }
        CKitControl* pControl = AddFromMenuItem(hMenu, nPosition);
        if (pControl == nullptr)
            continue;
        if (bGroupPending)
            pControl->SetBeginGroup(TRUE);
        bGroupPending = FALSE;
        if ((info.fState & MFS_CHECKED) != 0)
            pControl->SetChecked(TRUE);
        if ((info.fState & (MFS_GRAYED | MFS_DISABLED)) != 0)
            pControl->SetEnabled(FALSE);
    }
}

CKitControl* CKitControls::AddFromMenuItem(HMENU hMenu, int nPosition)
{
    constexpr UINT kFirstWindowItem = 0xFF00;  // the window list of a Window menu fills itself
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID | MIIM_SUBMENU;
    if (!::GetMenuItemInfoW(hMenu, static_cast<UINT>(nPosition), TRUE, &info) || info.wID == kFirstWindowItem)
        return nullptr;
    const BOOL bDefault = ::GetMenuDefaultItem(hMenu, TRUE, GMDI_USEDISABLED) == static_cast<UINT>(nPosition);
    CString strCaption;
    const int nLength = ::GetMenuStringW(hMenu, static_cast<UINT>(nPosition), nullptr, 0, MF_BYPOSITION);
    if (nLength > 0)
    {
        std::vector<wchar_t> text(static_cast<size_t>(nLength) + 1);
        ::GetMenuStringW(hMenu, static_cast<UINT>(nPosition), text.data(), nLength + 1, MF_BYPOSITION);
        strCaption = text.data();
    }
    const int nId = static_cast<int>(info.wID);
    CKitControl* pControl = info.hSubMenu != nullptr ? CreatePopupFromMenu(info.hSubMenu, strCaption)
                                                     : CreateButtonForId(nId, TRUE, strCaption);
    if (pControl == nullptr)
        return nullptr;
    pControl->m_nStyle = 0;
    pControl->SetId(nId);
    pControl->SetCaption(strCaption);
    pControl->SetDefaultItem(bDefault);
    Insert(pControl, -1);
    pControl->DelayLayoutParent();
    return pControl;
}

CKitControl* CKitControls::FindMnemonic(const std::vector<CKitControl*>& walk, UINT nKey, BOOL bShownCaptionsOnly,
                                       const std::function<BOOL(CKitControl*)>& firstLetterAllowed,
                                       BOOL& bAmbiguous)
{
    bAmbiguous = FALSE;
    CKitControl* pAmpersandMatch = nullptr;
    CKitControl* pFirstLetterMatch = nullptr;
    BOOL bFirstLetterAmbiguous = FALSE;
    for (CKitControl* pControl : walk)
    {
        if (!pControl->IsVisible() || !pControl->GetEnabled() || (bShownCaptionsOnly && !pControl->IsCaptionVisible()))
            continue;
        const CString strCaption = pControl->GetCaption();
        if (strCaption.IsEmpty())
            continue;
        const int nAmpersand = strCaption.Find(L'&');
        if (nAmpersand >= 0 && nAmpersand + 1 < strCaption.GetLength())
        {
            if (!IsMnemonicKey(strCaption[nAmpersand + 1], nKey))
                continue;
            if (pAmpersandMatch != nullptr)
            {
                bAmbiguous = TRUE;
                return pAmpersandMatch;
            }
            pAmpersandMatch = pControl;
            continue;
        }
        if (!IsMnemonicKey(strCaption[0], nKey) || !firstLetterAllowed(pControl))
            continue;
        if (pFirstLetterMatch != nullptr)
            bFirstLetterAmbiguous = TRUE;
        else
            pFirstLetterMatch = pControl;
    }
    if (pAmpersandMatch != nullptr)
        return pAmpersandMatch;
    bAmbiguous = bFirstLetterAmbiguous;
    return pFirstLetterMatch;
}

CKitCommandBars* CKitControls::GetCommandBars() const
{
    if (m_pCommandBars != nullptr)
        return m_pCommandBars;
    return m_pParent != nullptr ? m_pParent->FindCommandBars() : nullptr;
}

CKitControl* CKitControls::CreatePopupFromMenu(HMENU hSubMenu, const CString& strCaption)
{
    auto* pPopup = new CKitControlPopup;
    if (CKitCommandBar* pBar = CKitCommandBars::NewPopupBar(GetCommandBars()))
    {
        pBar->SetTitle(StrippedText(strCaption));
        pBar->FillFromMenu(hSubMenu, FALSE);
        pPopup->SetCommandBar(pBar);
    }
    return pPopup;
}

void CKitControls::Insert(CKitControl* pControl, int nBefore)
{
    if (nBefore < 0 || nBefore > GetCount())
        nBefore = GetCount();
    m_controls.insert(m_controls.begin() + nBefore, pControl);
    RefreshIndexes();
}

void CKitControls::Detach(CKitControl* pControl)
{
    pControl->m_pControls = nullptr;
    pControl->SetParent(nullptr);
    pControl->InternalRelease();
}

void CKitControls::Remove(CKitControl* pControl)
{
    const auto it = std::find(m_controls.begin(), m_controls.end(), pControl);
    if (it != m_controls.end())
        Remove(static_cast<int>(it - m_controls.begin()));
}

void CKitControls::Remove(int nIndex)
{
    CKitControl* pControl = GetAt(nIndex);
    if (pControl == nullptr)
        return;
    if (pControl->GetSelected() != kNotSelected && m_pParent != nullptr)
        m_pParent->ClearHotControl();
    m_controls.erase(m_controls.begin() + nIndex);
    Detach(pControl);
    RefreshIndexes();
}

void CKitControls::RemoveAll()
{
    // Emptied first: a control's last release must not find itself listed.
    std::vector<CKitControl*> controls;
    controls.swap(m_controls);
    for (CKitControl* pControl : controls)
        Detach(pControl);
}

CKitControl* CKitControls::GetLastVisible() const
{
    for (auto it = m_controls.rbegin(); it != m_controls.rend(); ++it)
        if ((*it)->IsVisible())
            return *it;
    return nullptr;
}

CKitControl* CKitControls::FindControl(int nType, int nId, BOOL bVisibleOnly, BOOL bRecursive) const
{
    for (CKitControl* pControl : m_controls)
    {
        if ((nType == 0 || pControl->GetType() == nType) && (nId == -1 || pControl->GetId() == nId) &&
            (!bVisibleOnly || pControl->GetHideFlags() == 0))
            return pControl;
        if (!bRecursive || !pControl->IsPopupControl())
            continue;
        if (CKitCommandBar* pPopup = pControl->GetCommandBar())
            if (CKitControl* pFound = pPopup->GetControls()->FindControl(nType, nId, bVisibleOnly, TRUE))
                return pFound;
    }
    return nullptr;
}

CKitControl* CKitControls::HitTest(CPoint point) const
{
    for (CKitControl* pControl : m_controls)
        if (pControl->GetHideFlags() == 0 && pControl->GetRect().PtInRect(point))
            return pControl;
    return nullptr;
}

int CKitControls::GetNextIndex(int nStart, int nStep, BOOL bSkipFlagged, BOOL bSkipTemporary,
                               BOOL bSkipPersonalized) const
{
    const int nCount = GetCount();
    if (nCount == 0)
        return -1;
    const DWORD dwAllowedHide = bSkipPersonalized ? kHideScrolledOut : (kHideScrolledOut | kHideRarelyUsed);
    auto isNavigable = [&](const CKitControl* pControl) {
        return (pControl->GetHideFlags() & ~dwAllowedHide) == 0 &&
               !(bSkipFlagged && (pControl->GetFlags() & kControlFlagNoKeyboard) != 0) &&
               !(bSkipTemporary && pControl->IsTemporary());
    };
    const BOOL bOutside = nStart < 0 || nStart >= nCount;
    int nIndex = nStart < 0 && nStep < 0 ? nCount : nStart;
    BOOL bWrapped = FALSE;
    // Every index is looked at once, plus the way round to the start.
    for (int nTries = 0; nTries <= nCount + 1; ++nTries)
    {
        nIndex += nStep;
        if (nIndex >= nCount || nIndex < 0)
        {
            if (bOutside || bWrapped)
                return -1;
            bWrapped = TRUE;
            nIndex = nIndex < 0 ? nCount - 1 : 0;
        }
        if (nIndex == nStart)
            return nStart;
        if (isNavigable(m_controls[static_cast<size_t>(nIndex)]))
            return nIndex;
    }
    return -1;
}

int CKitControls::CountVisible(BOOL bStrict) const
{
    const DWORD dwMask = bStrict ? ~DWORD{0} : ~kHideNoRoom;
    return static_cast<int>(std::count_if(m_controls.begin(), m_controls.end(),
                                          [dwMask](const CKitControl* p) { return (p->GetHideFlags() & dwMask) == 0; }));
}

void CKitControls::SetParent(CKitCommandBar* pParent)
{
    m_pParent = pParent;
    RefreshIndexes();
}

void CKitControls::RefreshIndexes()
{
    for (size_t i = 0; i < m_controls.size(); ++i)
    {
        CKitControl* pControl = m_controls[i];
        pControl->m_nIndex = static_cast<int>(i);
        pControl->m_pControls = this;
        pControl->SetParent(m_pParent);
    }
    if (m_pParent != nullptr && m_nPreparing == 0)
        m_pParent->OnControlsChanged();
}

void CKitControls::CreateOriginalControls()
{
    ClearOriginalControls();
    auto* pOriginal = new CKitControls;
    pOriginal->m_pCommandBars = m_pCommandBars;
    for (CKitControl* pControl : m_controls)
        if (!pControl->IsTemporary())
            pOriginal->AddCopy(pControl, -1, TRUE);
    m_pOriginalControls = pOriginal;
}

void CKitControls::ClearOriginalControls()
{
    if (m_pOriginalControls != nullptr)
    {
        CKitControls* pOriginal = m_pOriginalControls;
        m_pOriginalControls = nullptr;
        pOriginal->InternalRelease();
    }
}

BOOL CKitControls::IsEqualTo(const CKitControls* pOther) const
{
    auto nextStored = [](const CKitControls* pControls, int nIndex) {
        while (nIndex < pControls->GetCount() && pControls->GetAt(nIndex)->IsTemporary())
            ++nIndex;
        return nIndex;
    };
    int i = nextStored(this, 0);
    int j = nextStored(pOther, 0);
    while (i < GetCount() && j < pOther->GetCount())
    {
        if (!GetAt(i)->IsEqual(pOther->GetAt(j)))
            return FALSE;
        i = nextStored(this, i + 1);
        j = nextStored(pOther, j + 1);
    }
    return i >= GetCount() && j >= pOther->GetCount();
}

void CKitControls::PrepareLayout(DWORD dwMode)
{
    // Placeholders replace their generated controls here. The layout under
    // way places them, so neither the insertions nor the captions and
    // states set on them ask the bar for another layout: a layout that asks
    // for the next one never settles (each paint would lay out again).
    CKitControl* pHot = m_pParent != nullptr ? m_pParent->GetHotControl() : nullptr;
    ++m_nPreparing;
    for (int i = GetCount() - 1; i >= 0; --i)
        if (CKitControl* pControl = GetAt(i))
            pControl->PrepareLayout(dwMode);
    --m_nPreparing;
    // A hot generated control that went has cleared the hot index; a hot
    // control that moved lets go, as a change of the controls would.
    if (pHot != nullptr && m_pParent->GetHotIndex() >= 0 && m_pParent->GetHotControl() != pHot)
    {
        pHot->m_nSelected = kNotSelected;
        m_pParent->ClearHotControl();
    }
}

CSize CKitControls::CalcLayout(CDC* pDC, int nLength, DWORD dwMode, const CRect& rcMargins, int nMinimum)
{
    CCommandBarDrawer* pDrawer = GetCommandBarDrawer();
    CSize szSeparator(6, 6);
    if (m_pParent != nullptr)
        szSeparator = pDrawer->DrawSeparator(pDC, m_pParent, nullptr, FALSE);

    PrepareLayout(dwMode);

    std::vector<ControlLayoutItem> items(m_controls.size());
    for (size_t i = 0; i < m_controls.size(); ++i)
    {
        CKitControl* pControl = m_controls[i];
        ControlLayoutItem& item = items[i];
        const CRect rc = pControl->GetRect();
        item.rect = {rc.left, rc.top, rc.right, rc.bottom};
        item.visible = (pControl->GetHideFlags() & ~kHideNoRoom) == 0;
        item.beginGroup = pControl->GetBeginGroup() != FALSE;
        item.farEnd = (pControl->GetFlags() & kControlFlagFarEnd) != 0;
        item.stretched = (pControl->GetFlags() & kControlFlagStretched) != 0;
        if (item.visible)
        {
            const CSize size = pControl->GetSize(pDC);
            item.cx = size.cx;
            item.cy = size.cy;
        }
    }

    BarLayoutRequest request;
    request.length = nLength;
    request.mode = dwMode;
    request.margins = {rcMargins.left, rcMargins.top, rcMargins.right, rcMargins.bottom};
    request.minimum = nMinimum;
    request.separator = {szSeparator.cx, szSeparator.cy};
    request.floatingWidth = m_pParent != nullptr ? m_pParent->m_nFloatingWidth : 0;
    const LayoutSize size = CalcBarLayout(items, request);

    if ((dwMode & kLayoutCommit) != 0 && CountVisible(FALSE) > 0)
    {
        for (size_t i = 0; i < m_controls.size(); ++i)
        {
            CKitControl* pControl = m_controls[i];
            const ControlLayoutItem& item = items[i];
            const DWORD dwHide = item.hidden ? (pControl->GetHideFlags() | kHideNoRoom)
                                             : (pControl->GetHideFlags() & ~kHideNoRoom);
            if (dwHide != pControl->GetHideFlags())
                pControl->SetHideFlags(dwHide);
            pControl->m_rcRow = CRect(item.rowRect.left, item.rowRect.top, item.rowRect.right, item.rowRect.bottom);
            if (!item.hidden)
                pControl->SetRect(CRect(item.rect.left, item.rect.top, item.rect.right, item.rect.bottom));
            pControl->m_bRowBreak = item.rowBreak;
        }
    }
    return CSize(size.cx, size.cy);
}
