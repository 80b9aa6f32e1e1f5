#include "CKitPopupBar.h"

#include "CBarShadows.h"
#include "CCommandBarDrawer.h"
#include "CKitCommandBars.h"
#include "CMenuSoundPlayer.h"
#include "CPopupMouseTracker.h"
#include "DeviceContexts.h"
#include "GdiSelectors.h"
#include "core/ControlLayout.h"
#include "core/PopupPlacement.h"
#include "window/AfxMessages.h"

#include <algorithm>
#include <cstdlib>

using namespace kit::commandbars;

IMPLEMENT_SERIAL(CKitPopupBar, CKitCommandBar, VERSIONABLE_SCHEMA | 16)
IMPLEMENT_SERIAL(CKitPopupToolBar, CKitPopupBar, VERSIONABLE_SCHEMA | 16)

namespace
{

constexpr UINT WM_COMMANDBAR_INITPOPUP = 0x285B;
constexpr UINT WM_COMMANDBAR_POPUPCLOSED = 0x285D;
constexpr DWORD kSyncActiveStyle = 0x100;  // MFS_SYNCACTIVE: floating windows share the frame's activation look
constexpr UINT kFloatStatus = 0x036D;      // WM_FLOATSTATUS
constexpr DWORD kFloatSyncActive = 0x40;   // FS_SYNCACTIVE
constexpr LONG kObjectIdMenu = -3;         // OBJID_MENU
constexpr int kEmptyExtent = 22;           // an empty popup's width and height
constexpr UINT kScrollMs = 80;
constexpr UINT kTearOffHoverMs = 80;
constexpr UINT kExpandDelayMs = 900;

// The expand button of personalized menus: it shows the hidden commands.
class CPopupExpandButton : public CKitControlButton
{
public:
    CPopupExpandButton() { m_dwFlags = 0x5A; }

    CSize GetSize(CDC* pDC) override
    {
        return GetDrawer()->DrawSpecialControl(pDC, kSpecialPopupExpand, this, m_pParent, FALSE, nullptr);
    }
    void Draw(CDC* pDC) override
    {
        GetDrawer()->DrawSpecialControl(pDC, kSpecialPopupExpand, this, m_pParent, TRUE, nullptr);
    }
    void Execute() override
    {
        if (auto* pPopup = dynamic_cast<CKitPopupBar*>(m_pParent))
            pPopup->Expand();
    }

protected:
    CKitControl* CreateSameKind() const override { return new CPopupExpandButton; }
};

CRect ToRect(const LayoutRect& rc)
{
    return CRect(rc.left, rc.top, rc.right, rc.bottom);
}

LayoutRect ToLayout(const CRect& rc)
{
    return {rc.left, rc.top, rc.right, rc.bottom};
}

}  // namespace

CKitPopupBar::CKitPopupBar()
{
    m_nType = kBarTypePopup;
    m_nPosition = kBarPopup;
    m_nFloatingWidth = 0;
}

CKitPopupBar::~CKitPopupBar()
{
    CBarShadows::Instance().RemoveShadows(this);
}

CKitPopupBar* CKitPopupBar::NewPopupBar(CKitCommandBars* pCommandBars)
{
    auto* pPopup = static_cast<CKitPopupBar*>(RUNTIME_CLASS(CKitPopupBar)->CreateObject());
    pPopup->SetCommandBars(pCommandBars);
    return pPopup;
}

CKitCommandBar* CKitPopupBar::GetParentBar() const
{
    return m_pParentControl != nullptr ? m_pParentControl->GetParent() : nullptr;
}

BOOL CKitPopupBar::IsVisible() const
{
    return ::IsWindow(m_hWnd) && ::IsWindowVisible(m_hWnd);
}

CSize CKitPopupBar::GetIconSize() const
{
    if (m_szIcons.cx != 0 || m_szIcons.cy != 0)
        return m_szIcons;
    CKitCommandBars* pCommandBars = FindCommandBars();
    return pCommandBars != nullptr ? pCommandBars->GetSettings()->m_szPopupIcons : CSize(16, 16);
}

CWnd* CKitPopupBar::ResolveSite() const
{
    if (CKitCommandBars* pCommandBars = FindCommandBars(); pCommandBars != nullptr && pCommandBars->GetSite())
        return pCommandBars->GetSite();
    if (m_hWndOwnerBar != nullptr && ::IsWindow(m_hWndOwnerBar))
        return CWnd::FromHandle(m_hWndOwnerBar);
    if (CKitCommandBar* pParent = GetParentBar())
        return pParent->GetNotifySite();
    return nullptr;
}

BOOL CKitPopupBar::CreatePopupWindow()
{
    if (::IsWindow(m_hWnd))
        return TRUE;
    CKitCommandBars* pCommandBars = FindCommandBars();
    const BOOL bRightToLeft = pCommandBars != nullptr ? pCommandBars->IsLayoutRTL() : FALSE;
    const DWORD dwExStyle = WS_EX_TOOLWINDOW | (bRightToLeft ? WS_EX_LAYOUTRTL : 0);
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_SAVEBITS, ::LoadCursorW(nullptr, IDC_ARROW));
    CWnd* pSite = ResolveSite();
    if (!CreateEx(dwExStyle, lpszClass, m_strTitle, WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | kSyncActiveStyle,
                  CRect(0, 0, 0, 0), pSite, 0))
        return FALSE;
    // Commands go to the command window of the loop that runs the root popup, else to the site.
    CKitCommandBar* pRoot = GetRootBar();
    SetNotifySite(pRoot->m_pCommandWnd != nullptr ? pRoot->m_pCommandWnd : pSite);
    return TRUE;
}

BOOL CKitPopupBar::PopupAt(int x, int y, const CRect* prcExclude)
{
    m_ptAnchor = CPoint(x, y);
    m_rcExclude = prcExclude != nullptr ? *prcExclude : CRect(0, 0, 0, 0);
    return Popup(nullptr, FALSE);
}

BOOL CKitPopupBar::Popup(CKitControl* pParentControl, BOOL bSelectFirst)
{
    m_pParentControl = pParentControl;
    m_bOpenedByKeyboard = bSelectFirst;
    // A tip of the bar below must not stay over the opening popup.
    CancelScreenTips();
    if (!CreatePopupWindow())
        return FALSE;
    ++m_nRedrawLock;
    CWnd* pNotify = m_hWndOwnerBar != nullptr ? CWnd::FromHandle(m_hWndOwnerBar) : ResolveSite();
    if (pNotify != nullptr && ::IsWindow(pNotify->m_hWnd))
        pNotify->SendMessage(WM_COMMANDBAR_INITPOPUP, 0, reinterpret_cast<LPARAM>(this));

    m_bTearOffHot = FALSE;
    m_bHasHiddenCommands = FALSE;
    CKitCommandBars* pCommandBars = FindCommandBars();
    m_bExpanded = (pCommandBars != nullptr && pCommandBars->IsCustomizeMode()) ||
                  CPopupMouseTracker::GetThreadTracker()->m_bFullMenus;
    m_bScrolling = FALSE;
    m_nFirstVisible = 0;

    UpdateAnchor();
    const CSize size = CalcDynamicLayout(0, 0);
    PlaceWindow(size, TRUE);

    CKitCommandBar* pParentBar = GetParentBar();
    if (m_pParentControl != nullptr && (pParentBar == nullptr || !::IsWindow(pParentBar->m_hWnd)))
    {
        --m_nRedrawLock;
        DestroyWindow();
        return FALSE;
    }
    SetTrackingMode(1, bSelectFirst, FALSE);
    m_bLayoutPending = FALSE;
    OnIdleUpdate(TRUE);

    PaintFirstFrame();
    CMenuSoundPlayer::Instance().Play(CMenuSoundPlayer::kMenuPopup);
    AddShadow();
    if (--m_nRedrawLock == 0)
        Invalidate(FALSE);
    return TRUE;
}

void CKitPopupBar::AddShadow()
{
    if (!m_bShowShadow || !::IsWindow(m_hWnd))
        return;
    CKitCommandBars* pCommandBars = FindCommandBars();
    if (pCommandBars != nullptr && pCommandBars->IsCustomizeMode())
        return;
    CBarShadows::Instance().RemoveShadows(this);
    CBarShadows::Instance().AddShadow(this, m_rcExclude);
}

void CKitPopupBar::UpdateAnchor()
{
    CKitControl* pControl = m_pParentControl;
    CKitCommandBar* pParentBar = GetParentBar();
    if (pControl == nullptr || pParentBar == nullptr || !::IsWindow(pParentBar->m_hWnd))
        return;
    const BOOL bRightToLeft = (pParentBar->GetExStyle() & WS_EX_LAYOUTRTL) != 0;
    DWORD dwFlags = (pControl->GetFlags() & kControlFlagOpensLeft) != 0 || bRightToLeft ? kPopupExtendLeft : 0;
    switch (pParentBar->GetPosition())
    {
    case kBarRight:
        dwFlags = kPopupExtendLeft;
        break;
    case kBarLeft:
    case kBarPopup:
    {
        const auto* pParentPopup = dynamic_cast<const CKitPopupBar*>(pParentBar);
        if (pParentPopup != nullptr && pParentBar->GetType() == kBarTypePopup &&
            (pParentPopup->m_dwPlacement & kPopupExtendLeft) != 0)
            dwFlags = kPopupExtendLeft;
        break;
    }
    default:
        dwFlags |= kPopupDropDown;
        break;
    }
    CRect rc = pControl->GetRect();
    if (pControl->GetType() == kControlComboBox && pParentBar->GetType() != kBarTypePopup)
        dwFlags |= kPopupDropDown;
    else
        pParentBar->ResolveDrawer()->AdjustExcludeRect(rc, pControl, pParentBar->IsVertical() ||
                                                                     pParentBar->GetType() == kBarTypePopup);
    pParentBar->ClientToScreen(&rc);
    m_rcExclude = rc;
    m_dwPlacement = dwFlags;
    m_ptAnchor = (dwFlags & kPopupDropDown) != 0 ? CPoint(rc.left, rc.bottom) : CPoint(rc.right, rc.top);
}

CRect CKitPopupBar::GetWorkArea() const
{
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    HMONITOR hMonitor = m_rcExclude.IsRectEmpty() ? ::MonitorFromPoint(m_ptAnchor, MONITOR_DEFAULTTONEAREST)
                                                  : ::MonitorFromRect(&m_rcExclude, MONITOR_DEFAULTTONEAREST);
    if (hMonitor != nullptr && ::GetMonitorInfoW(hMonitor, &info))
        return CRect(info.rcWork);
    CRect rc;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rc, 0);
    return rc;
}

void CKitPopupBar::PlaceWindow(CSize size, BOOL bShow)
{
    PopupPlacementRequest request;
    request.size = {size.cx, size.cy};
    request.anchor = {m_ptAnchor.x, m_ptAnchor.y};
    request.exclude = ToLayout(m_rcExclude);
    request.flags = m_dwPlacement;
    request.workArea = ToLayout(GetWorkArea());
    const PopupPlacement placement = PlacePopup(request);
    m_dwPlacement = placement.flags;
    const CRect rc = ToRect(placement.rect);
    if (placement.cut && m_nType == kBarTypePopup)
    {
        m_bScrolling = TRUE;
        m_nFirstVisible = 0;
        LayoutScrolled(rc.Size(), FALSE, FALSE);
    }
    const UINT nShow = bShow ? SWP_SHOWWINDOW : 0;
    const BOOL bWasVisible = ::IsWindowVisible(m_hWnd);
    ::SetWindowPos(m_hWnd, bWasVisible ? nullptr : HWND_TOPMOST, rc.left, rc.top, rc.Width(), rc.Height(),
                   SWP_NOACTIVATE | nShow | (bWasVisible ? SWP_NOZORDER : 0));
}

CRect CKitPopupBar::GetPopupMargins(CDC* pDC)
{
    CRect margins = ResolveDrawer()->GetBarBorders(this);
    if (m_bTearOffPopup)
        margins.top += ResolveDrawer()->DrawTearOffGripper(pDC, CRect(), FALSE, FALSE).cy;
    return margins;
}

void CKitPopupBar::ApplyPersonalizedHiding()
{
    for (int i = 0; i < m_controls.GetCount(); ++i)
    {
        CKitControl* pControl = m_controls.GetAt(i);
        if ((pControl->GetHideFlags() & kHideRarelyUsed) != 0)
            pControl->SetHideFlags(pControl->GetHideFlags() & ~kHideRarelyUsed);
    }
    m_bHasHiddenCommands = FALSE;
    CKitCommandBars* pCommandBars = FindCommandBars();
    if (pCommandBars == nullptr || pCommandBars->GetSettings()->m_bAlwaysShowFullMenus)
    {
        m_bExpanded = TRUE;
        return;
    }
    std::vector<CKitControl*> candidates;
    BOOL bSomeKept = FALSE;
    for (int i = 0; i < m_controls.GetCount(); ++i)
    {
        CKitControl* pControl = m_controls.GetAt(i);
        if (pControl->GetId() == kExpandButtonId && pControl->IsTemporary())
            continue;
        const BOOL bCandidate = pCommandBars->IsControlHiddenInMenus(pControl);
        pControl->m_bHiddenInMenu = bCandidate;
        if (bCandidate)
            candidates.push_back(pControl);
        else if (pControl->GetHideFlags() == 0)
            bSomeKept = TRUE;
    }
    if (!bSomeKept || m_bExpanded || candidates.empty())
        return;
    for (CKitControl* pControl : candidates)
        pControl->SetHideFlags(pControl->GetHideFlags() | kHideRarelyUsed);
    m_bHasHiddenCommands = TRUE;
}

void CKitPopupBar::UpdateExpandButton(CDC* pDC)
{
    CKitControl* pExpand = m_controls.FindControl(kExpandButtonId);
    if (!m_bHasHiddenCommands)
    {
        if (pExpand != nullptr && pExpand->GetHideFlags() == 0)
            pExpand->SetHideFlags(kHideByProgram);
        return;
    }
    if (pExpand == nullptr)
    {
        pExpand = m_controls.Add(new CPopupExpandButton, kExpandButtonId, CString(), -1, TRUE);
        pExpand->SetParent(this);
    }
    pExpand->SetHideFlags(0);
    (void)pDC;
}

void CKitPopupBar::RefreshShortcutTexts()
{
    CKitCommandBars* pCommandBars = FindCommandBars();
    if (pCommandBars == nullptr || !pCommandBars->GetSettings()->m_bShowShortcutsInMenus)
        return;
    CCommandShortcuts* pShortcuts = pCommandBars->GetKeyboardShortcuts();
    for (int i = 0; i < m_controls.GetCount(); ++i)
    {
        CKitControl* pControl = m_controls.GetAt(i);
        if (pControl->GetId() <= 0 || pControl->GetHideFlags() != 0)
            continue;
        CString strText;
        if (pShortcuts->FindShortcutText(pControl->GetId(), strText))
            pControl->m_strMenuShortcutText = strText;
    }
}

CSize CKitPopupBar::CalcDynamicLayout(int /*nLength*/, DWORD /*dwMode*/)
{
    m_bInLayout = TRUE;
    CClientDC dc(this);
    CCommandBarDrawer* pDrawer = ResolveDrawer();
    const CRect rcWork = GetWorkArea();
    const CRect margins = GetPopupMargins(&dc);
    const int nGap = pDrawer->DrawSeparator(&dc, this, nullptr, FALSE).cy;

    m_controls.PrepareLayout(kLayoutCommit | 0x100);
    ApplyPersonalizedHiding();
    UpdateExpandButton(&dc);
    RefreshShortcutTexts();

    CFontSelector font(&dc, pDrawer->FontForControl(this, FALSE));
    CKitControl* pExpand = m_controls.FindControl(kExpandButtonId);
    const int nMaxWidth = std::max(1, static_cast<int>(rcWork.right / 3));
    int y = margins.top;
    int nWidest = 0;
    BOOL bFirstVisible = TRUE;
    int nBottom = -1;
    for (int i = 0; i < m_controls.GetCount(); ++i)
    {
        CKitControl* pControl = m_controls.GetAt(i);
        if ((pControl->GetHideFlags() & kHideScrolledOut) != 0)
            pControl->SetHideFlags(pControl->GetHideFlags() & ~kHideScrolledOut);
        if (pControl == pExpand || pControl->GetHideFlags() != 0)
            continue;
        if (pControl->GetBeginGroup() && !bFirstVisible)
            y += nGap;
        bFirstVisible = FALSE;
        const CSize size = pControl->GetSize(&dc);
        const int cx = std::min(static_cast<int>(size.cx), nMaxWidth);
        pControl->SetRect(CRect(margins.left, y, margins.left + cx, y + size.cy));
        y += size.cy;
        nBottom = y;
        nWidest = std::max(nWidest, cx);
    }
    const int nWidth = std::max(nWidest, kEmptyExtent);
    for (int i = 0; i < m_controls.GetCount(); ++i)
    {
        CKitControl* pControl = m_controls.GetAt(i);
        if (pControl == pExpand || pControl->GetHideFlags() != 0)
            continue;
        CRect rc = pControl->GetRect();
        rc.right = rc.left + nWidth;
        pControl->SetRect(rc);
    }
    int nHeight = nBottom < 0 ? kEmptyExtent : nBottom;
    if (pExpand != nullptr && pExpand->GetHideFlags() == 0)
    {
        const int nRow = pExpand->GetSize(&dc).cy;
        pExpand->SetRect(CRect(margins.left, nHeight, margins.left + nWidth, nHeight + nRow));
        nHeight += nRow;
    }
    if (m_bTearOffPopup)
        m_rcTearOffGripper = CRect(margins.left, margins.top - pDrawer->DrawTearOffGripper(&dc, CRect(), FALSE, FALSE).cy,
                                   margins.left + nWidth, margins.top);
    m_rcScrollUp.SetRectEmpty();
    m_rcScrollDown.SetRectEmpty();
    m_bScrolling = FALSE;
    m_nEndVisible = m_controls.GetCount();
    m_bInLayout = FALSE;
    return CSize(margins.left + margins.right + nWidth, nHeight + margins.bottom);
}

void CKitPopupBar::OnControlsChanged()
{
    if (m_bInLayout || !::IsWindow(m_hWnd) || GetTrackingMode() == 0)
    {
        if (!::IsWindow(m_hWnd))
            m_bLayoutPending = TRUE;
        return;
    }
    CBarShadows::Instance().RemoveShadows(this);
    RefreshShortcutTexts();
    UpdateAnchor();
    const CSize size = CalcDynamicLayout(0, 0);
    if (m_bJustExpanded)
    {
        ShowWindow(SW_HIDE);
        if (CWnd* pSite = ResolveSite())
            pSite->UpdateWindow();
    }
    PlaceWindow(size, TRUE);
    if (m_bJustExpanded)
    {
        const int nAnimation = ChooseAnimation();
        if (nAnimation >= kAnimateUnfold && nAnimation <= kAnimateFade)
        {
            CClientDC dcScreen(this);
            CRect rc;
            GetClientRect(&rc);
            CUiMemDC dcMem(&dcScreen, rc);
            Paint(&dcMem);
            ResolveDrawer()->AnimateExpand(this, &dcScreen, &dcMem, (m_dwPlacement & kPopupDropDown) != 0);
        }
        else
        {
            CMenuSoundPlayer::Instance().Play(CMenuSoundPlayer::kMenuPopup);
        }
    }
    AddShadow();
    m_bLayoutPending = FALSE;
    m_bJustExpanded = FALSE;
    Invalidate(FALSE);
}

int CKitPopupBar::ChooseAnimation() const
{
    CKitCommandBars* pCommandBars = FindCommandBars();
    int nType = pCommandBars != nullptr ? pCommandBars->GetSettings()->m_nAnimationType : 5;
    if (nType == 1)
    {
        static const int kRandomKinds[] = {kAnimateFade, kAnimateSlide, kAnimateUnfold};
        nType = kRandomKinds[std::rand() % 3];
    }
    else if (nType == 0)
    {
        BOOL bAnimate = FALSE;
        ::SystemParametersInfoW(SPI_GETMENUANIMATION, 0, &bAnimate, 0);
        if (!bAnimate)
            return 5;
        BOOL bFade = FALSE;
        ::SystemParametersInfoW(SPI_GETMENUFADE, 0, &bFade, 0);
        nType = bFade ? kAnimateFade : kAnimateSlide;
    }
    return nType;
}

void CKitPopupBar::PaintFirstFrame()
{
    CKitCommandBars* pCommandBars = FindCommandBars();
    if (::GetWindow(m_hWnd, GW_CHILD) != nullptr || (pCommandBars != nullptr && pCommandBars->IsCustomizeMode()))
        return;
    CKitCommandBar* pParentBar = GetParentBar();
    // Menus walked from the keyboard appear at once.
    if (m_bOpenedByKeyboard)
        return;
    const int nAnimation = ChooseAnimation();
    if (nAnimation < kAnimateUnfold || nAnimation > kAnimateFade)
        return;
    if (CWnd* pSite = ResolveSite())
        pSite->UpdateWindow();
    CClientDC dcScreen(this);
    CRect rc;
    GetClientRect(&rc);
    CUiMemDC dcMem(&dcScreen, rc);
    Paint(&dcMem);
    ResolveDrawer()->AnimatePopup(&dcScreen, &dcMem, rc, nAnimation);
    ValidateRect(nullptr);
    (void)pParentBar;
}

BOOL CKitPopupBar::SetTrackingMode(int nMode, BOOL bSelectFirst, BOOL bKeyboard)
{
    if (!CKitCommandBar::SetTrackingMode(nMode, bSelectFirst, bKeyboard))
        return FALSE;
    m_trackingLink.Track(nMode != 0);
    if (nMode != 0)
    {
        ::NotifyWinEvent(EVENT_SYSTEM_MENUPOPUPSTART, m_hWnd, kObjectIdMenu, CHILDID_SELF);
        return TRUE;
    }
    ::NotifyWinEvent(EVENT_SYSTEM_MENUPOPUPEND, m_hWnd, kObjectIdMenu, CHILDID_SELF);
    CWnd* pSite = ResolveSite();
    const HWND hSite = pSite != nullptr ? pSite->m_hWnd : nullptr;
    CBarShadows::Instance().RemoveShadows(this);
    if (::IsWindow(m_hWnd))
    {
        // Child windows of controls outlive the popup: they go to the site.
        for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != nullptr;)
        {
            const HWND hNext = ::GetWindow(hChild, GW_HWNDNEXT);
            ::ShowWindow(hChild, SW_HIDE);
            ::SetParent(hChild, hSite);
            hChild = hNext;
        }
        DestroyWindow();
    }
    if (CKitCommandBar* pParentBar = GetParentBar())
        pParentBar->SetPopuped(-1, FALSE);
    if (::IsWindow(hSite))
        ::SendMessageW(hSite, WM_COMMANDBAR_POPUPCLOSED, 0, reinterpret_cast<LPARAM>(this));
    ::Sleep(1);
    m_pParentControl = nullptr;
    if (::IsWindow(hSite))
        ::UpdateWindow(hSite);
    return TRUE;
}

void CKitPopupBar::SetSelected(int nIndex, BOOL bKeyboard)
{
    CKitCommandBar::SetSelected(nIndex, bKeyboard);
    if (!::IsWindow(m_hWnd))
        return;
    CKitControl* pHot = GetHotControl();
    CKitCommandBars* pCommandBars = FindCommandBars();
    const BOOL bDelay = pCommandBars != nullptr && pCommandBars->GetSettings()->m_bShowFullAfterDelay;
    if (pHot != nullptr && pHot->GetId() == kExpandButtonId && pHot->IsTemporary() && !bKeyboard && bDelay)
        SetTimer(kExpandDelayTimer, kExpandDelayMs, nullptr);
    else
        KillTimer(kExpandDelayTimer);
    if (m_bScrolling && pHot != nullptr && (pHot->GetHideFlags() & kHideScrolledOut) != 0)
    {
        CRect rc;
        GetClientRect(&rc);
        if (pHot->GetIndex() < m_nEndVisible)
        {
            m_nFirstVisible = pHot->GetIndex();
            LayoutScrolled(rc.Size(), FALSE, TRUE);
        }
        else
        {
            m_nEndVisible = pHot->GetIndex() + 1;
            LayoutScrolled(rc.Size(), TRUE, TRUE);
        }
    }
}

void CKitPopupBar::Expand()
{
    if (m_bExpanded || !m_bHasHiddenCommands)
        return;
    m_bExpanded = TRUE;
    m_bJustExpanded = TRUE;
    SetPopuped(-1, FALSE);
    SetSelected(-1, FALSE);
    OnControlsChanged();
    CPopupMouseTracker* pTracker = CPopupMouseTracker::GetThreadTracker();
    pTracker->m_bFullMenus = TRUE;
    pTracker->m_bSwallowNextRelease = TRUE;
}

int CKitPopupBar::OnTrackingKeyDown(UINT nKey)
{
    if (m_bHasHiddenCommands && !m_bExpanded && nKey == VK_DOWN)
    {
        const int nNext = m_controls.GetNextIndex(GetHotIndex(), 1);
        if (::GetKeyState(VK_CONTROL) < 0 || (nNext >= 0 && nNext <= GetHotIndex()))
        {
            Expand();
            return 1;
        }
    }
    // A menu is a column: Up and Down walk it, Left closes and Right opens
    // submenus. A key the popup cannot use goes on to the bar below it (the
    // menu bar then moves to the next title).
    const BOOL bColumn = m_nType == kBarTypePopup;
    const BOOL bRightToLeft = (GetExStyle() & WS_EX_LAYOUTRTL) != 0;
    int nCode = -1;
    switch (nKey)
    {
    case VK_UP:
        nCode = bColumn ? kNavigatePrevious : kNavigateClosePopup;
        break;
    case VK_DOWN:
        nCode = bColumn ? kNavigateNext : kNavigateOpenPopup;
        break;
    case VK_LEFT:
        nCode = bColumn ? (bRightToLeft ? kNavigateOpenPopup : kNavigateClosePopup)
                        : (bRightToLeft ? kNavigateNext : kNavigatePrevious);
        break;
    case VK_RIGHT:
        nCode = bColumn ? (bRightToLeft ? kNavigateClosePopup : kNavigateOpenPopup)
                        : (bRightToLeft ? kNavigatePrevious : kNavigateNext);
        break;
    case VK_RETURN:
        // Enter on a submenu item opens it rather than running nothing.
        if (CKitControl* pHot = GetHotControl(); pHot != nullptr && pHot->IsPopupControl() && pHot->GetId() <= 0)
            nCode = kNavigateOpenPopup;
        break;
    default:
        break;
    }
    if (nCode >= 0)
        return Navigate(nCode) ? 1 : 2;
    if (nKey != VK_ESCAPE && nKey != VK_TAB && nKey != VK_HOME && nKey != VK_END && ::GetKeyState(VK_CONTROL) >= 0)
    {
        BOOL bAmbiguous = FALSE;
        const int nFound = FindMnemonicInBar(nKey, bAmbiguous);
        CKitControl* pFound = m_controls.GetAt(nFound);
        if (pFound != nullptr && pFound->IsPopupControl() && pFound->GetId() <= 0)
        {
            SetSelected(nFound, TRUE);
            if (!bAmbiguous)
                Navigate(kNavigateOpenPopup);
            return 1;
        }
    }
    return CKitCommandBar::OnTrackingKeyDown(nKey);
}

int CKitPopupBar::GetDefaultItem(BOOL bByPosition) const
{
    for (int i = 0; i < m_controls.GetCount(); ++i)
    {
        CKitControl* pControl = m_controls.GetAt(i);
        if (pControl->GetHideFlags() == 0 && pControl->GetDefaultItem())
            return bByPosition ? i : pControl->GetId();
    }
    return -1;
}

void CKitPopupBar::CopyPopup(const CKitPopupBar* pSource)
{
    m_bTearOffPopup = pSource->m_bTearOffPopup;
    m_strTearOffCaption = pSource->m_strTearOffCaption;
    m_nTearOffId = pSource->m_nTearOffId;
    m_nTearOffWidth = pSource->m_nTearOffWidth;
    m_bShowShadow = pSource->m_bShowShadow;
    m_rcBorders = pSource->m_rcBorders;
    m_bDoubleGripper = pSource->m_bDoubleGripper;
}

void CKitPopupBar::OnPopupMouseMove(CPoint point)
{
    if (m_bScrolling)
    {
        UINT_PTR nWanted = 0;
        if (m_rcScrollDown.PtInRect(point))
            nWanted = kScrollDownTimer;
        else if (m_rcScrollUp.PtInRect(point))
            nWanted = kScrollUpTimer;
        if (nWanted != m_nScrollTimer)
        {
            if (m_nScrollTimer != 0)
                KillTimer(m_nScrollTimer);
            m_nScrollTimer = nWanted;
            if (nWanted != 0)
            {
                if (nWanted == kScrollDownTimer)
                    SetPopuped(-1, FALSE);
                SetTimer(nWanted, kScrollMs, nullptr);
            }
        }
    }
    CKitCommandBars* pCommandBars = FindCommandBars();
    const BOOL bCustomizing = pCommandBars != nullptr && pCommandBars->IsCustomizeMode();
    if (m_bTearOffPopup && !bCustomizing && m_rcTearOffGripper.PtInRect(point) && m_nTearOffTimer == 0)
    {
        SetSelected(-1, FALSE);
        SetPopuped(-1, FALSE);
        m_nTearOffTimer = SetTimer(kTearOffHoverTimer, kTearOffHoverMs, nullptr);
    }
}

void CKitPopupBar::Paint(CDC* pDC)
{
    if (m_bLayoutPending)
    {
        m_bLayoutPending = FALSE;
        OnControlsChanged();
    }
    CCommandBarDrawer* pDrawer = ResolveDrawer();
    pDrawer->PaintBarBackground(pDC, this);
    BOOL bFirst = TRUE;
    for (int i = 0; i < m_controls.GetCount(); ++i)
    {
        CKitControl* pControl = m_controls.GetAt(i);
        if (!pControl->IsVisible())
            continue;
        if (pControl->GetBeginGroup() && !bFirst)
            pDrawer->DrawSeparator(pDC, this, pControl, TRUE);
        bFirst = FALSE;
        pControl->Draw(pDC);
    }
    const COLORREF clrArrow = pDrawer->ColorAt(18);
    if (!m_rcScrollUp.IsRectEmpty())
    {
        const CPoint c = m_rcScrollUp.CenterPoint();
        CCommandBarDrawer::FillTriangleLiteral(pDC, {c.x - 3, c.y + 2}, {c.x + 3, c.y + 2}, {c.x, c.y - 1}, clrArrow);
    }
    if (!m_rcScrollDown.IsRectEmpty())
    {
        const CPoint c = m_rcScrollDown.CenterPoint();
        CCommandBarDrawer::FillTriangleLiteral(pDC, {c.x - 3, c.y - 1}, {c.x + 3, c.y - 1}, {c.x, c.y + 2}, clrArrow);
    }
    if (m_bTearOffPopup && !m_rcTearOffGripper.IsRectEmpty())
        pDrawer->DrawTearOffGripper(pDC, m_rcTearOffGripper, m_bTearOffHot, TRUE);
}

LRESULT CKitPopupBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_NCACTIVATE:
        if (wParam != FALSE)
            return 0;
        break;
    case kFloatStatus:
        return (GetStyle() & kSyncActiveStyle) != 0 && (wParam & kFloatSyncActive) != 0;
    case WM_SIZE:
        // The popup places its controls itself; the bar's row layout must not.
        return CWnd::WindowProc(message, wParam, lParam);
    case WM_MOUSEMOVE:
        OnPopupMouseMove(CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))));
        break;
    case WM_LBUTTONDOWN:
        if (OnPopupLButtonDown(CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)))))
            return 0;
        break;
    case WM_TIMER:
        switch (wParam)
        {
        case kScrollDownTimer:
        case kScrollUpTimer:
            OnScrollTimer(wParam);
            return 0;
        case kTearOffHoverTimer:
        {
            CPoint pt;
            ::GetCursorPos(&pt);
            ScreenToClient(&pt);
            const BOOL bHot = m_rcTearOffGripper.PtInRect(pt);
            if (bHot != m_bTearOffHot)
            {
                m_bTearOffHot = bHot;
                Invalidate(FALSE);
            }
            if (!bHot && !m_bTearing)
            {
                KillTimer(kTearOffHoverTimer);
                m_nTearOffTimer = 0;
            }
            return 0;
        }
        case kExpandDelayTimer:
            KillTimer(kExpandDelayTimer);
            Expand();
            return 0;
        default:
            break;
        }
        break;
    default:
        break;
    }
    return CKitCommandBar::WindowProc(message, wParam, lParam);
}

CKitPopupToolBar::CKitPopupToolBar()
{
    m_nType = kBarTypeToolBar;
}

CKitPopupToolBar* CKitPopupToolBar::NewPopupToolBar(CKitCommandBars* pCommandBars)
{
    auto* pPopup = static_cast<CKitPopupToolBar*>(RUNTIME_CLASS(CKitPopupToolBar)->CreateObject());
    pPopup->SetCommandBars(pCommandBars);
    return pPopup;
}

CSize CKitPopupToolBar::CalcDynamicLayout(int /*nLength*/, DWORD /*dwMode*/)
{
    CClientDC dc(this);
    CRect margins = m_rcBorders;
    if (m_bTearOffPopup)
        margins.top += ResolveDrawer()->DrawTearOffGripper(&dc, CRect(), FALSE, FALSE).cy;
    // Horizontal, committed, laid out as a popup: wrapped into a block.
    const CSize size = m_controls.CalcLayout(&dc, kLayoutWidestWrap, 0x02 | kLayoutCommit | kLayoutWrapSquare, margins);
    return CSize(std::max(static_cast<int>(size.cx), kEmptyExtent), std::max(static_cast<int>(size.cy), kEmptyExtent));
}
