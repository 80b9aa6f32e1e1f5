#include "CKitCommandBars.h"
#include "CKitTabClientWnd.h"
#include "special/TabWorkspaceOfSite.h"
#include "special/CKitControlToolbars.h"

#include "CCommandBarDrawer.h"
#include "CCommandIconStore.h"
#include "CColorTable.h"
#include "CKitDockBar.h"
#include "CKitReBar.h"
#include "CKitMenuBar.h"
#include "CKitPopupBar.h"
#include "CKitToolBar.h"
#include "CKitPropExchangeRegistry.h"
#include "CMenuSoundPlayer.h"
#include "CPopupMouseTracker.h"
#include "CScreenTipContext.h"
#include "KitEditFocus.h"
#include "window/AfxMessages.h"
#include "window/CFrameWnd.h"
#include "window/CWinApp.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CKitCommandBars, CCmdTarget)

namespace
{

struct DockBarSpec
{
    UINT nId;
    DWORD dwStyle;
};
constexpr DockBarSpec kDockBarSpecs[] = {
    {AFX_IDW_DOCKBAR_TOP, CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM},
    {AFX_IDW_DOCKBAR_BOTTOM, CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP},
    {AFX_IDW_DOCKBAR_LEFT, CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT},
    {AFX_IDW_DOCKBAR_RIGHT, CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT},
};

constexpr DWORD kToolBarDocking = 0x3F;
constexpr DWORD kMenuBarDocking = 0x5F;  // 0x40: alone in its row
constexpr int kDockBarReach = 20;        // how far outside a dock bar a drop still docks
constexpr int kMaxBars = 1024;

CRuntimeClass* DefaultBarClass(int nKind)
{
    switch (nKind)
    {
    case kBarTypeMenuBar:
        return RUNTIME_CLASS(CKitMenuBar);
    case kBarTypeToolBar:
        return RUNTIME_CLASS(CKitToolBar);
    default:
        return RUNTIME_CLASS(CKitPopupBar);
    }
}

CKitCommandBar* NewBarOfClass(CRuntimeClass* pClass)
{
    if (pClass == nullptr || !pClass->IsDerivedFrom(RUNTIME_CLASS(CKitCommandBar)))
        return nullptr;
    return static_cast<CKitCommandBar*>(pClass->CreateObject());
}

// Loads the menu bar's menu: the menu bar's own loader when it is one.
BOOL LoadMenuIntoBar(CKitCommandBar* pBar, UINT nMenuId)
{
    if (auto* pMenuBar = dynamic_cast<CKitMenuBar*>(pBar))
        return pMenuBar->LoadMenuBar(nMenuId);
    HMENU hMenu = ::LoadMenuW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nMenuId));
    if (hMenu == nullptr)
        return FALSE;
    const BOOL bFilled = pBar->FillFromMenu(hMenu, TRUE);
    ::DestroyMenu(hMenu);
    return bFilled;
}

}  // namespace

CKitCommandBars::CKitCommandBars()
{
    EnableAutomation();
    m_pScreenTips = new CScreenTipContext;
    // The common tooltip control; its tips lose the mnemonic markers.
    m_pScreenTips->ModifyTipStyle(TTS_NOPREFIX, 0);
}

CKitCommandBars::~CKitCommandBars()
{
    SetDragControl(nullptr);
    ReleaseBars();
    for (CKitDockBar*& pDockBar : m_dockBars)
    {
        if (pDockBar != nullptr && ::IsWindow(pDockBar->m_hWnd))
            pDockBar->DestroyWindow();
        delete pDockBar;
        pDockBar = nullptr;
    }
    SetOwnDrawer(nullptr);
    m_pScreenTips->InternalRelease();
    CMenuSoundPlayer::Instance().Stop();
}

void CKitCommandBars::ReleaseBars()
{
    std::vector<CKitCommandBar*> bars;
    bars.swap(m_bars);
    m_pMenuBar = nullptr;
    for (CKitCommandBar* pBar : bars)
    {
        if (pBar->m_pDockBar != nullptr)
            pBar->m_pDockBar->RemoveCommandBar(pBar);
        pBar->SetCommandBars(nullptr);
        pBar->InternalRelease();
    }
}

// --- creation ---

void CKitCommandBars::AttachToFrame(CWnd* pSite)
{
    m_pSite = pSite;
    m_shortcuts.SetSiteFrame(GetSiteFrame());
    if (pSite == nullptr || !::IsWindow(pSite->m_hWnd))
        return;
    AFX_CMDHANDLERINFO info = {};
    m_bCustomizeAllowed = pSite->OnCmdMsg(ID_COMMANDBARS_CUSTOMIZE, CN_COMMAND, nullptr, &info);
}

void CKitCommandBars::CreateDockBars()
{
    for (int i = 0; i < 4; ++i)
    {
        if (m_dockBars[i] != nullptr)
            continue;
        auto* pDockBar = new CKitDockBar;
        pDockBar->SetCommandBars(this);
        if (m_pSite == nullptr || !pDockBar->Create(m_pSite, kDockBarSpecs[i].dwStyle, kDockBarSpecs[i].nId))
        {
            delete pDockBar;
            AfxThrowResourceException();
        }
        m_dockBars[i] = pDockBar;
    }
}

CKitCommandBar* CKitCommandBars::CreateMenuBar(LPCTSTR lpszTitle, UINT nMenuId)
{
    CKitCommandBar* pBar = NewBarOfClass(DefaultBarClass(kBarTypeMenuBar));
    if (pBar == nullptr)
        return nullptr;
    pBar->SetCommandBars(this);
    pBar->EnableBarDocking(kMenuBarDocking);
    pBar->SetTitle(lpszTitle);
    pBar->DelayRedraw();
    pBar->m_nBarId = 1;
    if (!DockCommandBar(pBar, nullptr, kDockTop) || !LoadMenuIntoBar(pBar, nMenuId))
    {
        pBar->SetCommandBars(nullptr);
        pBar->InternalRelease();
        return nullptr;
    }
    if (nMenuId != 0)
    {
        pBar->GetControls()->CreateOriginalControls();
        m_nDefaultMenuId = nMenuId;
    }
    AddBar(pBar);
    m_pMenuBar = pBar;
    return pBar;
}

CKitCommandBar* CKitCommandBars::CreateToolBar(LPCTSTR lpszTitle, int nPosition, CRuntimeClass* pBarClass)
{
    CKitCommandBar* pBar = NewBarOfClass(pBarClass != nullptr ? pBarClass : DefaultBarClass(kBarTypeToolBar));
    if (pBar == nullptr)
        return nullptr;
    pBar->SetCommandBars(this);
    pBar->EnableBarDocking(kToolBarDocking);
    pBar->SetTitle(lpszTitle);
    BOOL bPlaced = FALSE;
    if (nPosition >= kBarTop && nPosition <= kBarRight)
        bPlaced = DockCommandBar(pBar, nullptr, nPosition);
    else if (nPosition == kBarFloating)
        bPlaced = FloatCommandBar(pBar);
    if (!bPlaced)
    {
        pBar->SetCommandBars(nullptr);
        pBar->InternalRelease();
        return nullptr;
    }
    AddBar(pBar);
    return pBar;
}

void CKitCommandBars::AddBar(CKitCommandBar* pBar)
{
    if (pBar == nullptr || FindBarIndex(pBar) >= 0 || GetCount() >= kMaxBars)
        return;
    pBar->SetCommandBars(this);
    m_bars.push_back(pBar);
}

void CKitCommandBars::HideCommandIds(const UINT* pIds, int nCount)
{
    for (int i = 0; i < nCount; ++i)
        m_settings.m_hiddenCommands.insert(pIds[i]);
}

void CKitCommandBars::SetOwnDrawer(CCommandBarDrawer* pDrawer)
{
    // Taken before the old one goes, so setting the same drawer again keeps it.
    if (pDrawer != nullptr)
        pDrawer->InternalAddRef();
    if (m_pOwnDrawer != nullptr)
        m_pOwnDrawer->InternalRelease();
    m_pOwnDrawer = pDrawer;
    if (pDrawer != nullptr)
        pDrawer->ReloadMetrics();
}

CCommandBarDrawer* CKitCommandBars::GetBarDrawer()
{
    return m_pOwnDrawer != nullptr ? m_pOwnDrawer : GetCommandBarDrawer();
}

CCommandIconStore* CKitCommandBars::GetIconManager()
{
    return GetCommandIconStore();
}

void CKitCommandBars::ExchangeProfileOptions(LPCTSTR lpszProfile, BOOL bLoading)
{
    CWinApp* pApp = AfxGetApp();
    HKEY hAppKey = pApp != nullptr ? pApp->GetAppRegistryKey() : nullptr;
    if (hAppKey == nullptr)
        return;
    CString strSection;
    strSection.Format(L"%s-Options", lpszProfile);
    {
        CKitPropExchangeRegistry exchange(bLoading, hAppKey, strSection);
        m_settings.ExchangeSettings(&exchange, TRUE);
    }
    ::RegCloseKey(hAppKey);
}

// --- the site and its layout ---

CFrameWnd* CKitCommandBars::GetSiteFrame() const
{
    return m_pSite != nullptr && m_pSite->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? static_cast<CFrameWnd*>(m_pSite)
                                                                             : nullptr;
}

CKitDockBar* CKitCommandBars::GetDockBar(int nSide) const
{
    return nSide >= 0 && nSide < 4 ? m_dockBars[static_cast<size_t>(nSide)] : nullptr;
}

void CKitCommandBars::RelayoutFrame(BOOL bDelay)
{
    if (m_nRelayoutLock != 0 || m_pSite == nullptr || !::IsWindow(m_pSite->m_hWnd))
        return;
    if (CFrameWnd* pFrame = GetSiteFrame())
    {
        if (bDelay)
            pFrame->DelayRecalcLayout(FALSE);
        else
            pFrame->RecalcLayout(FALSE);
        return;
    }
    CRect rc;
    m_pSite->GetClientRect(&rc);
    const LPARAM lParam = MAKELPARAM(rc.Width(), rc.Height());
    if (bDelay)
        m_pSite->PostMessage(WM_SIZE, 0, lParam);
    else
        m_pSite->SendMessage(WM_SIZE, 0, lParam);
}

void CKitCommandBars::FlushDelayedLayout()
{
    CFrameWnd* pFrame = GetSiteFrame();
    if (pFrame != nullptr && (pFrame->m_nIdleFlags & CFrameWnd::idleLayout) != 0)
    {
        pFrame->RecalcLayout(FALSE);
        pFrame->m_nIdleFlags &= ~CFrameWnd::idleLayout;
    }
}

void CKitCommandBars::RecalcAllBars()
{
    ++m_nRelayoutLock;
    for (CKitCommandBar* pBar : m_bars)
    {
        if (pBar->IsVisible())
            pBar->OnRecalcLayout();
    }
    // An MDI tab workspace lays its groups out again for the bars' new room.
    if (CKitTabClientWnd* pWorkspace = FindTabWorkspace(m_pSite))
        pWorkspace->RelayoutTabGroups(TRUE);
    --m_nRelayoutLock;
    RelayoutFrame(FALSE);
}

void CKitCommandBars::RedrawCommandBars()
{
    for (CKitCommandBar* pBar : m_bars)
    {
        if (pBar->IsVisible())
            pBar->DelayRedraw();
    }
}

BOOL CKitCommandBars::IsLayoutRTL() const
{
    if (m_pSite != nullptr && ::IsWindow(m_pSite->m_hWnd) &&
        (::GetWindowLongPtrW(m_pSite->m_hWnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0)
        return TRUE;
    return m_bRightToLeft;
}

// --- the bar list ---

CKitCommandBar* CKitCommandBars::GetAt(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_bars[static_cast<size_t>(nIndex)] : nullptr;
}

int CKitCommandBars::FindBarIndex(CKitCommandBar* pBar) const
{
    const auto it = std::find(m_bars.begin(), m_bars.end(), pBar);
    return it != m_bars.end() ? static_cast<int>(it - m_bars.begin()) : -1;
}

CKitCommandBar* CKitCommandBars::FindBarById(int nBarId) const
{
    if (nBarId == 0)
        return nullptr;
    for (CKitCommandBar* pBar : m_bars)
    {
        if (pBar->GetBarId() == nBarId)
            return pBar;
    }
    return nullptr;
}

void CKitCommandBars::ToggleBarVisible(int nIndex)
{
    if (CKitCommandBar* pBar = GetAt(nIndex))
        pBar->SetVisible(!pBar->IsVisible());
}

int CKitCommandBars::GetNextVisibleBar(int nIndex, int nDirection) const
{
    const int nCount = GetCount();
    if (nCount == 0)
        return -1;
    int nCandidate = nIndex + nDirection;
    if (nIndex == -1 && nDirection == -1)
        nCandidate = nCount - 1;
    int nWraps = 0;
    while (nCandidate != nIndex)
    {
        if (nCandidate >= nCount || nCandidate < 0)
        {
            // From no bar, running off in the walk's own direction ends it.
            if (++nWraps > 1 || nIndex == -1)
                return -1;
            nCandidate = nCandidate >= nCount ? 0 : nCount - 1;
            if (nCandidate == nIndex)
                break;
        }
        if (GetAt(nCandidate)->IsVisible())
            return nCandidate;
        nCandidate += nDirection;
    }
    return nIndex;
}

BOOL CKitCommandBars::SetTrackingBar(CKitCommandBar* pBar, int nDirection)
{
    CKitCommandBar* pTarget = pBar;
    if (nDirection != 0)
    {
        if (GetCount() < 2)
            return FALSE;
        const int nNext = GetNextVisibleBar(FindBarIndex(pBar), nDirection);
        pTarget = GetAt(nNext);
        if (pTarget == nullptr || pTarget == pBar)
            return FALSE;
        // The bar we leave stops tracking; the tracking moves on.
        pBar->SetTrackingMode(0, TRUE, FALSE);
    }
    if (pTarget == nullptr)
        return FALSE;
    ClosePopups();
    ShowKeyboardCues(TRUE);
    pTarget->SetTrackingMode(1, FALSE, TRUE);
    pTarget->SetSelected(pTarget->GetControls()->GetNextIndex(-1, 1), TRUE);
    return TRUE;
}

CKitDockBar* CKitCommandBars::FindDockBarAtPoint(CPoint ptScreen, CKitDockBar* pCurrent) const
{
    auto accepts = [&](CKitDockBar* pDockBar) {
        if (pDockBar == nullptr || !::IsWindow(pDockBar->m_hWnd))
            return false;
        CRect rc;
        pDockBar->GetWindowRect(&rc);
        rc.InflateRect(kDockBarReach, kDockBarReach);
        return ptScreen.x > rc.left && ptScreen.x < rc.right && ptScreen.y > rc.top && ptScreen.y < rc.bottom;
    };
    if (accepts(pCurrent))
        return pCurrent;
    for (CKitDockBar* pDockBar : m_dockBars)
    {
        if (accepts(pDockBar))
            return pDockBar;
    }
    return nullptr;
}

BOOL CKitCommandBars::DockCommandBar(CKitCommandBar* pBar, const CRect* pScreenRect, int nSide)
{
    return DockCommandBar(pBar, pScreenRect, GetDockBar(nSide));
}

BOOL CKitCommandBars::DockCommandBar(CKitCommandBar* pBar, const CRect* pScreenRect, CKitDockBar* pDockBar)
{
    if (pBar == nullptr || pDockBar == nullptr || !pBar->CreateBarWindow(pDockBar, FALSE))
        return FALSE;
    pDockBar->DockCommandBar(pBar, pScreenRect);
    pBar->m_nPosition = pDockBar->GetPosition();
    return TRUE;
}

BOOL CKitCommandBars::FloatCommandBar(CKitCommandBar* pBar)
{
    if (pBar == nullptr || !pBar->CreateBarWindow(m_pSite, TRUE))
        return FALSE;
    if (pBar->m_pDockBar != nullptr)
        pBar->m_pDockBar->RemoveCommandBar(pBar);
    pBar->m_nPosition = kBarFloating;
    return TRUE;
}

int CKitCommandBars::RemoveBar(CKitCommandBar* pBar)
{
    const int nIndex = FindBarIndex(pBar);
    if (nIndex < 0)
        return -1;
    pBar->m_bVisible = FALSE;
    if (::IsWindow(pBar->m_hWnd))
        pBar->ShowWindow(SW_HIDE);
    if (pBar->m_pDockBar != nullptr)
    {
        pBar->m_pDockBar->RemoveCommandBar(pBar);
        RelayoutFrame(FALSE);
    }
    RemoveBarFromReBar(pBar);
    m_bars.erase(m_bars.begin() + nIndex);
    pBar->SetCommandBars(nullptr);
    pBar->InternalRelease();
    return nIndex;
}

// --- keyboard ---

void CKitCommandBars::ShowKeyboardCues(BOOL bShow)
{
    if (m_bCustomizeMode)
        bShow = TRUE;
    bShow = bShow ? TRUE : FALSE;
    if (!m_bAltOnlyCues || bShow == m_bKeyboardCuesShown)
        return;
    m_bKeyboardCuesShown = bShow;
    RedrawCommandBars();
}

void CKitCommandBars::SetKeyboardCuesState(BOOL bAltOnly, BOOL bShown)
{
    m_bAltOnlyCues = bAltOnly;
    if (m_bKeyboardCuesShown != bShown)
    {
        m_bKeyboardCuesShown = bShown;
        RedrawCommandBars();
    }
}

CPopupMouseTracker* CKitCommandBars::MouseTracker()
{
    if (m_pMouseTracker == nullptr)
        m_pMouseTracker = CPopupMouseTracker::GetThreadTracker();
    return m_pMouseTracker;
}

CKitControl* CKitCommandBars::FindMnemonicControl(CKitCommandBar* pTarget, UINT nKey, BOOL& bAmbiguous) const
{
    const int nUse = m_settings.m_nKeyboardCuesUse;
    const BOOL bAllBars = (nUse & 1) != 0;
    const BOOL bFirstLetters = (nUse & 4) == 0;

    // The walk: the target bar from after its hot control, then (with bit 0)
    // the following visible bars in list order, round to the start.
    const int nStartBar = FindBarIndex(pTarget);
    std::vector<CKitCommandBar*> bars{pTarget};
    if (bAllBars && nStartBar >= 0)
    {
        for (int nStep = 1; nStep < GetCount(); ++nStep)
        {
            CKitCommandBar* pBar = GetAt((nStartBar + nStep) % GetCount());
            if (pBar->IsVisible())
                bars.push_back(pBar);
        }
    }
    std::vector<CKitControl*> walk;
    const int nHot = pTarget->GetHotIndex();
    CKitControls* pTargetControls = pTarget->GetControls();
    for (int i = nHot + 1; i < pTargetControls->GetCount(); ++i)
        walk.push_back(pTargetControls->GetAt(i));
    for (size_t b = 1; b < bars.size(); ++b)
    {
        for (int i = 0; i < bars[b]->GetControls()->GetCount(); ++i)
            walk.push_back(bars[b]->GetControls()->GetAt(i));
    }
    for (int i = 0; i <= nHot && i < pTargetControls->GetCount(); ++i)
        walk.push_back(pTargetControls->GetAt(i));

    // First letters count on the menu bar and on a bar that tracks.
    return CKitControls::FindMnemonic(
        walk, nKey, TRUE,
        [this, bFirstLetters](CKitControl* pControl) {
            CKitCommandBar* pBar = pControl->GetParent();
            return bFirstLetters && pBar != nullptr && (pBar == m_pMenuBar || pBar->GetTrackingMode() != 0);
        },
        bAmbiguous);
}

BOOL CKitCommandBars::RunMnemonic(UINT nKey)
{
    if (m_settings.m_nKeyboardCuesUse == 2 || (nKey >= VK_NUMPAD0 && nKey <= VK_NUMPAD9) ||
        ::MapVirtualKeyW(nKey, MAPVK_VK_TO_CHAR) == 0)
        return FALSE;
    CKitCommandBar* pTarget = nullptr;
    for (CKitCommandBar* pBar : m_bars)
    {
        if (pBar->GetTrackingMode() != 0)
        {
            pTarget = pBar;
            break;
        }
    }
    if (pTarget == nullptr && m_pMenuBar != nullptr && m_pMenuBar->IsVisible())
        pTarget = m_pMenuBar;
    if (pTarget == nullptr && (m_settings.m_nKeyboardCuesUse & 1) != 0)
    {
        for (CKitCommandBar* pBar : m_bars)
        {
            if (pBar->IsVisible())
            {
                pTarget = pBar;
                break;
            }
        }
    }
    if (pTarget == nullptr || !pTarget->IsVisible())
        return FALSE;
    BOOL bAmbiguous = FALSE;
    CKitControl* pControl = FindMnemonicControl(pTarget, nKey, bAmbiguous);
    if (pControl == nullptr || pControl->GetParent() == nullptr)
        return FALSE;
    CKitCommandBar* pBar = pControl->GetParent();
    if (pBar->GetTrackingMode() == 0)
        ClosePopups();
    ShowKeyboardCues(TRUE);
    // Another bar that tracks lets go first: one bar tracks at a time.
    for (CKitCommandBar* pOther : m_bars)
    {
        if (pOther != pBar && pOther->GetTrackingMode() != 0)
            pOther->SetTrackingMode(0, TRUE, FALSE);
    }
    pBar->SetTrackingMode(1, FALSE, TRUE);
    pBar->SetSelected(pControl->GetIndex(), TRUE);
    if (!bAmbiguous)
        pControl->ActivateFromKeyboard();
    return TRUE;
}

BOOL CKitCommandBars::FilterFrameMessage(MSG* pMsg)
{
    CPopupMouseTracker* pMouse = MouseTracker();
    const BOOL bPopupTracked = pMouse->IsTracking();
    if (pMsg->message == WM_KEYDOWN || (pMsg->message == WM_SYSKEYDOWN && pMsg->wParam == VK_F10))
        m_bMenuKeyUsedByMnemonic = FALSE;  // Alt is no longer held
    switch (pMsg->message)
    {
    case WM_SYSKEYDOWN:
    {
        const BOOL bAltContext = (pMsg->lParam & (1 << 29)) != 0;
        if (!bAltContext || pMouse->m_nLock > 0 || bPopupTracked || m_pSite == nullptr ||
            !CPopupMouseTracker::IsOwnerActive(m_pSite->m_hWnd))
            break;
        const UINT nKey = static_cast<UINT>(pMsg->wParam);
        if (nKey == VK_MENU)
        {
            // A fresh press (not the key's repeat) starts a new Alt gesture.
            if ((pMsg->lParam & (1 << 30)) == 0)
                m_bMenuKeyUsedByMnemonic = FALSE;
            ShowKeyboardCues(TRUE);
            return FALSE;  // Alt alone still opens the system menu
        }
        if (nKey == 0 || (m_bIgnoreShiftMenuKey && ::GetKeyState(VK_SHIFT) < 0))
            break;
        if (RunMnemonic(nKey))
        {
            m_bMenuKeyUsedByMnemonic = TRUE;
            return TRUE;
        }
        break;
    }
    case WM_SYSKEYUP:
    case WM_KEYUP:
        if (m_bAltOnlyCues && m_bKeyboardCuesShown && !bPopupTracked)
            ShowKeyboardCues(FALSE);
        if (pMsg->message == WM_SYSKEYUP && bPopupTracked)
            return TRUE;
        break;
    case WM_CONTEXTMENU:
        if (bPopupTracked)
            return TRUE;
        break;
    case WM_MOUSEWHEEL:
    {
        CPopupKeyboardTracker* pKeys = CPopupKeyboardTracker::GetThreadTracker();
        if (pKeys->HasSinks() && pKeys->ProcessKeyMessage(pMsg->message, pMsg->wParam, pMsg->lParam))
            return TRUE;
        break;
    }
    default:
        break;
    }
    if (pMsg->message >= WM_KEYDOWN && pMsg->message <= 0x108 && m_pSite != nullptr && ::IsWindow(m_pSite->m_hWnd))
        return m_shortcuts.Translate(m_pSite->m_hWnd, pMsg);
    return FALSE;
}

BOOL CKitCommandBars::HookFrameMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message)
    {
    case WM_IDLEUPDATECMDUI:
        for (CKitCommandBar* pBar : m_bars)
        {
            if (pBar->GetPosition() == kBarFloating)
                pBar->OnIdleUpdate(static_cast<BOOL>(wParam));
        }
        return FALSE;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
        if (message == WM_SYSCOLORCHANGE)
            RefreshColorTable();
        GetBarDrawer()->ReloadMetrics();
        if (message == WM_SYSCOLORCHANGE)
            GetIconManager()->RefreshIcons();
        RelayoutFrame(FALSE);
        if (m_pSite != nullptr && ::IsWindow(m_pSite->m_hWnd))
            m_pSite->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        return FALSE;
    case WM_CLOSE:
        return m_pDragControl != nullptr && m_bCustomizeMode;
    case WM_COMMAND:
        if (CWnd* pEdit = FocusedKitEdit())
        {
            if (pEdit->OnCommand(wParam, lParam))
            {
                if (pResult != nullptr)
                    *pResult = 1;
                return TRUE;
            }
        }
        return FALSE;
    case WM_ACTIVATEAPP:
        if (!wParam)
            ClosePopups();
        return FALSE;
    case WM_SYSCOMMAND:
        if (wParam != SC_KEYMENU && !(wParam != 0 && LOWORD(wParam) == 0) && !m_bCustomizeMode)
            ClosePopups();
        return FALSE;
    default:
        return FALSE;
    }
}

// --- customization and usage ---

void CKitCommandBars::SetCustomizeMode(BOOL bMode)
{
    m_settings.m_bChanged = TRUE;
    m_bCustomizeMode = bMode;
    m_bQuickCustomizeMode = bMode;
    SetDragControl(nullptr);
    ShowKeyboardCues(bMode);
}

void CKitCommandBars::SetDragControl(CKitControl* pControl)
{
    if (pControl == m_pDragControl)
        return;
    CKitControl* pOld = m_pDragControl;
    if (pControl != nullptr)
        pControl->InternalAddRef();
    m_pDragControl = pControl;
    if (pOld != nullptr)
    {
        pOld->RedrawParent();
        pOld->InternalRelease();
    }
    if (pControl != nullptr)
        pControl->RedrawParent();
    // The open customize sheet hears of it in place of the site.
    CWnd* pTarget = m_pCustomizeSheet != nullptr ? m_pCustomizeSheet : m_pSite;
    if (pTarget != nullptr && ::IsWindow(pTarget->m_hWnd))
        pTarget->SendMessage(WM_CUSTOMIZE_SELCHANGED, 0, 0);
}

void CKitCommandBars::MarkCommandUsed(UINT nId)
{
    if (IsCommandHiddenInMenus(nId))
        m_settings.m_usedCommands.insert(nId);
}

void CKitCommandBars::OnPrintPreviewMode(BOOL bPreview)
{
    m_shortcuts.OnPrintPreviewMode(bPreview);
    for (CKitCommandBar* pBar : m_bars)
        pBar->OnPrintPreviewMode(bPreview);
}

BOOL CKitCommandBars::IsCommandHiddenInMenus(UINT nId) const
{
    const CCommandBarSettings::CommandSet& used = m_settings.m_usedCommands;
    return m_settings.m_hiddenCommands.count(nId) != 0 && (used.empty() || used.count(nId) == 0);
}

BOOL CKitCommandBars::IsControlHiddenInMenus(CKitControl* pControl) const
{
    if (IsCommandHiddenInMenus(static_cast<UINT>(pControl->GetId())))
        return TRUE;
    if (!m_settings.m_bAutoHideUnusedPopups || !pControl->IsPopupControl())
        return FALSE;
    CKitCommandBar* pPopup = pControl->GetCommandBar();
    if (pPopup == nullptr || pPopup->GetControls()->GetCount() == 0)
        return FALSE;
    CKitControls* pControls = pPopup->GetControls();
    for (int i = 0; i < pControls->GetCount(); ++i)
    {
        if (!IsControlHiddenInMenus(pControls->GetAt(i)))
            return FALSE;
    }
    return TRUE;
}

UINT CKitCommandBars::GetActiveMenuId() const
{
    // The frames of this program hold one document: only a multi-document
    // frame changes menus with its active child.
    auto* pMdiFrame = dynamic_cast<CMDIFrameWnd*>(m_pSite);
    if (pMdiFrame == nullptr)
        return 0;
    CWnd* pChild = pMdiFrame->MDIGetActive();
    auto* pChildFrame = dynamic_cast<CFrameWnd*>(pChild);
    if (pChildFrame != nullptr && pChildFrame->m_nIDHelp != 0)
        return pChildFrame->m_nIDHelp;
    return m_nDefaultMenuId;
}

CKitReBar* CKitCommandBars::GetReBar() const
{
    if (m_pSite == nullptr || !::IsWindow(m_pSite->m_hWnd))
        return nullptr;
    HWND hReBar = ::GetDlgItem(m_pSite->m_hWnd, AFX_IDW_REBAR);
    return dynamic_cast<CKitReBar*>(CWnd::FromHandlePermanent(hReBar));
}

BOOL CKitCommandBars::AddBarToReBar(CKitCommandBar* pBar)
{
    CKitReBar* pReBar = GetReBar();
    return pReBar != nullptr && pReBar->AddToolBar(pBar, RBBS_BREAK | RBBS_GRIPPERALWAYS);
}

BOOL CKitCommandBars::RemoveBarFromReBar(CKitCommandBar* pBar)
{
    // The list must not keep a menu bar that leaves it, rebar or not.
    if (pBar == m_pMenuBar)
        m_pMenuBar = nullptr;
    CKitReBar* pReBar = GetReBar();
    return pReBar != nullptr && pReBar->RemoveToolBar(pBar) >= 0;
}

BOOL CKitCommandBars::OnTrackingModeChanged(CKitCommandBar* /*pBar*/, int nTracking)
{
    if (nTracking != 0)
        return TRUE;
    if (m_bAltOnlyCues && !MouseTracker()->IsTracking())
        ShowKeyboardCues(FALSE);
    return FALSE;
}

void CKitCommandBars::AddHiddenRowControls(CKitCommandBar* pBar, CKitCommandBar* pPopup)
{
    CKitDockBar* pDockBar = pBar->m_pDockBar;
    if (pDockBar == nullptr)
        return;
    for (CKitCommandBar* pRowBar : pDockBar->GetRowBars(pBar))
    {
        CKitControls* pControls = pRowBar->GetControls();
        for (int i = 0; i < pControls->GetCount(); ++i)
        {
            CKitControl* pControl = pControls->GetAt(i);
            if (pControl->GetHideFlags() != kHideNoRoom)
                continue;
            CKitControl* pCopy = pPopup->GetControls()->AddCopy(pControl);
            pCopy->SetHideFlags(0);
            pCopy->SetBeginGroup(FALSE);
        }
    }
}

void CKitCommandBars::AddExpandPopupItems(CKitCommandBar* pBar, CKitCommandBar* pPopup)
{
    std::vector<CKitCommandBar*> bars{pBar};
    if (pBar->m_pDockBar != nullptr)
        bars = pBar->m_pDockBar->GetRowBars(pBar);
    for (CKitCommandBar* pRowBar : bars)
    {
        auto* pItem = new CKitControlPopup;
        pItem->SetFlags(kControlFlagManualUpdate);
        pPopup->GetControls()->Add(pItem, 0);
        pItem->SetCaption(pRowBar->GetTitle());
        pItem->SetEnabled(m_bCustomizeAllowed && pRowBar->m_bCustomizable);
    }
    if (m_bCustomizeAllowed)
    {
        CKitControl* pCustomize = pPopup->GetControls()->Add(kControlButton, ID_COMMANDBARS_CUSTOMIZE);
        if (pCustomize != nullptr)
            pCustomize->SetBeginGroup(TRUE);
    }
}

// --- popup menus ---

void AFXAPI CKitCommandBars::ClosePopups()
{
    CPopupMouseTracker::GetThreadTracker()->CloseTrackedPopups();
}

CKitCommandBar* AFXAPI CKitCommandBars::NewPopupBar(CKitCommandBars* pCommandBars)
{
    CKitCommandBar* pPopup = NewBarOfClass(DefaultBarClass(kBarTypePopup));
    if (pPopup != nullptr)
        pPopup->SetCommandBars(pCommandBars);
    return pPopup;
}

CKitCommandBar* CKitCommandBars::CreateToolbarsPopup()
{
    CKitCommandBar* pPopup = NewPopupBar(this);
    if (pPopup != nullptr)
        CKitControlToolbars::AddToolbarItems(pPopup, -1, static_cast<int>(ID_COMMANDBARS_TOOLBARS_LIST), TRUE);
    return pPopup;
}

void CKitCommandBars::ShowToolbarsMenu(CKitCommandBar* pBar, int x, int y)
{
    if (m_bCustomizeMode)
        return;
    CKitCommandBar* pPopup = CreateToolbarsPopup();
    if (pPopup == nullptr)
        return;
    if (m_pSite != nullptr && ::IsWindow(m_pSite->m_hWnd))
        m_pSite->SendMessage(WM_COMMANDBAR_CONTEXTMENU, reinterpret_cast<WPARAM>(pBar),
                             reinterpret_cast<LPARAM>(pPopup));
    if (pPopup->GetControls()->GetCount() > 0)
    {
        ClosePopups();
        if (pPopup->PopupAt(x, y, nullptr))
        {
            CWinThread* pThread = AfxGetThread();
            while (pPopup->GetTrackingMode() != 0)
            {
                const BOOL bPumped = pThread != nullptr ? pThread->PumpMessage() : AfxPumpMessage();
                if (!bPumped)
                {
                    // The application is quitting: its own loop must see it.
                    ::PostQuitMessage(0);
                    break;
                }
            }
        }
    }
    pPopup->InternalRelease();
}

int AFXAPI CKitCommandBars::RunPopupBar(CKitCommandBar* pPopup, UINT nFlags, int x, int y, CWnd* pOwner,
                                        const CRect* prcExclude, CWnd* pCommandWnd)
{
    int nResult = 0;
    pPopup->m_hWndOwnerBar = pOwner != nullptr ? pOwner->m_hWnd : nullptr;
    pPopup->m_pCommandWnd = pCommandWnd;
    pPopup->m_pnResult = (nFlags & TPM_RETURNCMD) != 0 ? &nResult : nullptr;
    pPopup->m_bRightButtonChooses = (nFlags & TPM_RIGHTBUTTON) != 0;
    pPopup->m_bNoNotify = (nFlags & TPM_NONOTIFY) != 0;
    pPopup->m_bNested = (nFlags & TPM_RECURSE) != 0;
    pPopup->SetPopupDirection((nFlags & TPM_RIGHTALIGN) != 0 ? 3 : 2);

    CPopupMouseTracker* pTracker = CPopupMouseTracker::GetThreadTracker();
    const BOOL bNested = (nFlags & TPM_RECURSE) != 0;
    if (bNested)
    {
        pTracker->CloseUnlockedPopups();
        pTracker->LockTrackedPopups(TRUE);
    }
    else
    {
        pTracker->CloseTrackedPopups();
        ::ReleaseCapture();
    }
    pTracker->m_bSwallowNextRelease = TRUE;
    // The popup may be released by a command it runs: hold it meanwhile.
    pPopup->InternalAddRef();
    const BOOL bShown = pPopup->PopupAt(x, y, prcExclude);
    if (bShown)
        RunPopupLoop(pPopup);
    if (bNested)
        pTracker->LockTrackedPopups(FALSE);
    pPopup->m_pnResult = nullptr;
    pPopup->InternalRelease();
    if (!bShown)
        return 0;
    return (nFlags & TPM_RETURNCMD) != 0 ? nResult : TRUE;
}

int AFXAPI CKitCommandBars::RunPopupMenu(HMENU hMenu, UINT nFlags, int x, int y, CWnd* pOwner,
                                         const CRect* prcExclude, CWnd* pCommandWnd, CKitCommandBars* pCommandBars)
{
    CKitCommandBar* pPopup = NewPopupBar(pCommandBars);
    if (pPopup == nullptr)
        return 0;
    if (!pPopup->FillFromMenu(hMenu, TRUE))
    {
        pPopup->InternalRelease();
        return 0;
    }
    const int nResult = RunPopupBar(pPopup, nFlags, x, y, pOwner, prcExclude, pCommandWnd);
    pPopup->InternalRelease();
    return nResult;
}

void AFXAPI CKitCommandBars::RunPopupLoop(CKitCommandBar* pPopup)
{
    CWinThread* pThread = AfxGetThread();
    while (pPopup->GetTrackingMode() != 0)
    {
        MSG msg;
        if (!::GetMessageW(&msg, nullptr, 0, 0))
        {
            // The application is quitting: its own loop must see it.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (pPopup->GetTrackingMode() == 0)
        {
            // Not ours any more: the next owner of the queue gets it as it was.
            ::PostMessageW(msg.hwnd, msg.message, msg.wParam, msg.lParam);
            return;
        }
        if (msg.message == WM_KICKIDLE)
            continue;
        const BOOL bTaken = pThread != nullptr ? pThread->PreTranslateMessage(&msg) : AfxPreTranslateMessage(&msg);
        if (!bTaken)
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}
