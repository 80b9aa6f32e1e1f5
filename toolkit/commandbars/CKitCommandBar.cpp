#include "CKitCommandBar.h"

#include "CBarDragTracker.h"
#include "CCommandBarDrawer.h"
#include "CCommandShortcuts.h"
#include "CKitCommandBars.h"
#include "CKitDockBar.h"
#include "CCommandIconStore.h"
#include "CPopupMouseTracker.h"
#include "core/ControlLayout.h"
#include "window/AfxMessages.h"
#include "window/CCmdUI.h"
#include "window/CDC.h"
#include "window/CWinThread.h"

using namespace kit::commandbars;

IMPLEMENT_SERIAL(CKitCommandBar, CWnd, VERSIONABLE_SCHEMA | 16)

namespace
{

constexpr UINT_PTR kHoverTimer = 112223;
constexpr UINT kHoverDelay = 300;

// The command update of one control: disabling also clears its check.
class CControlCmdUI : public CCmdUI
{
public:
    explicit CControlCmdUI(CKitControl* pControl) : m_pControl(pControl) {}
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        m_pControl->SetEnabled(bOn);
        if (!bOn)
            m_pControl->SetChecked(FALSE);
    }
    void SetCheck(int nCheck) override { m_pControl->SetChecked(nCheck != 0); }
    void SetRadio(BOOL bOn) override { m_pControl->SetChecked(bOn); }
    void SetText(LPCTSTR lpszText) override { m_pControl->SetCaption(lpszText); }

private:
    CKitControl* m_pControl;
};

}  // namespace

void CKitCommandBar::OnIdleUpdate(BOOL bDisableIfNoHandler)
{
    if (!::IsWindow(m_hWnd) || (GetStyle() & WS_VISIBLE) == 0)
        return;
    CWnd* pTarget = GetNotifySite();
    if (pTarget == nullptr || GetRootBar()->m_bNoNotify)
        return;
    for (int i = 0; i < m_controls.GetCount(); ++i)
    {
        CKitControl* pControl = m_controls.GetAt(i);
        // A submenu has no command of its own (a menu reports its handle as its id).
        if ((pControl->GetFlags() & kControlFlagManualUpdate) != 0 || pControl->GetId() <= 0 ||
            pControl->GetType() == kControlPopup)
            continue;
        CControlCmdUI state(pControl);
        state.m_nID = static_cast<UINT>(pControl->GetId());
        state.m_nIndex = static_cast<UINT>(i);
        state.m_nIndexMax = static_cast<UINT>(m_controls.GetCount());
        state.m_pOther = this;
        if (OnCmdMsg(state.m_nID, static_cast<int>(CN_UPDATE_COMMAND_UI), &state, nullptr))
            continue;
        state.DoUpdate(pTarget, bDisableIfNoHandler);
    }
}

CKitCommandBar::CKitCommandBar()
{
    EnableAutomation();
    m_controls.SetParent(this);
}

CKitCommandBar::~CKitCommandBar()
{
    // The dock bar's rows must not keep a bar that is gone.
    if (m_pDockBar != nullptr)
        m_pDockBar->RemoveCommandBar(this);
    if (m_nTracking != 0)
        CPopupKeyboardTracker::GetThreadTracker()->RemoveSink(&m_keySink);
    m_controls.RemoveAll();
    SetOwnIconManager(nullptr);
    if (m_pOwnDrawer != nullptr)
        m_pOwnDrawer->InternalRelease();
    m_pOwnDrawer = nullptr;
}

void CKitCommandBar::SetOwnIconManager(CCommandIconStore* pStore)
{
    if (pStore != nullptr)
        pStore->InternalAddRef();
    if (m_pOwnIconStore != nullptr)
        m_pOwnIconStore->InternalRelease();
    m_pOwnIconStore = pStore;
}

CCommandIconStore* CKitCommandBar::ResolveIconManager() const
{
    if (m_pOwnIconStore != nullptr)
        return m_pOwnIconStore;
    if (CKitCommandBars* pCommandBars = FindCommandBars())
        return pCommandBars->GetIconManager();
    const CKitCommandBar* pRoot = this;
    while (const CKitCommandBar* pParent = pRoot->GetParentBar())
        pRoot = pParent;
    return pRoot->m_pOwnIconStore != nullptr ? pRoot->m_pOwnIconStore : GetCommandIconStore();
}

void CKitCommandBar::SetOwnDrawer(CCommandBarDrawer* pDrawer)
{
    // Taken before the old one goes, so setting the same drawer again keeps it.
    if (pDrawer != nullptr)
        pDrawer->InternalAddRef();
    if (m_pOwnDrawer != nullptr)
        m_pOwnDrawer->InternalRelease();
    m_pOwnDrawer = pDrawer;
    if (pDrawer != nullptr)
        pDrawer->ReloadMetrics();
    // Another drawer measures the controls differently.
    DelayLayout();
}

CCommandBarDrawer* CKitCommandBar::ResolveDrawer() const
{
    if (m_pOwnDrawer != nullptr)
        return m_pOwnDrawer;
    if (CKitCommandBars* pCommandBars = FindCommandBars())
        return pCommandBars->GetBarDrawer();
    const CKitCommandBar* pRoot = this;
    while (const CKitCommandBar* pParent = pRoot->GetParentBar())
        pRoot = pParent;
    return pRoot->m_pOwnDrawer != nullptr ? pRoot->m_pOwnDrawer : GetCommandBarDrawer();
}

void CKitCommandBar::OnFinalRelease()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
    delete this;
}

CKitCommandBars* CKitCommandBar::FindCommandBars() const
{
    for (const CKitCommandBar* pBar = this; pBar != nullptr; pBar = pBar->GetParentBar())
    {
        if (pBar->m_pCommandBars != nullptr)
            return pBar->m_pCommandBars;
    }
    return nullptr;
}

CKitCommandBar* CKitCommandBar::GetRootBar()
{
    CKitCommandBar* pBar = this;
    while (CKitCommandBar* pParent = pBar->GetParentBar())
        pBar = pParent;
    return pBar;
}

CFrameWnd* CKitCommandBar::GetSiteFrame() const
{
    CKitCommandBars* pCommandBars = FindCommandBars();
    CWnd* pSite = pCommandBars != nullptr ? pCommandBars->GetSite() : nullptr;
    return pSite != nullptr && pSite->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? static_cast<CFrameWnd*>(pSite) : nullptr;
}

BOOL CKitCommandBar::IsKeyboardCuesVisible() const
{
    CKitCommandBars* pCommandBars = FindCommandBars();
    return pCommandBars != nullptr ? pCommandBars->IsKeyboardCuesShown() : m_bShowKeyboardCues;
}

void CKitCommandBar::SetVisible(BOOL bVisible)
{
    bVisible = bVisible ? TRUE : FALSE;
    if (m_bVisible == bVisible)
        return;
    if (!bVisible)
        EndTracking();
    m_bVisible = bVisible;
    if (::IsWindow(m_hWnd))
        ::ShowWindow(m_hWnd, bVisible ? SW_SHOWNOACTIVATE : SW_HIDE);
    if (m_pDockBar != nullptr && m_pCommandBars != nullptr)
        m_pCommandBars->RelayoutFrame(FALSE);
}

BOOL CKitCommandBar::IsVisible() const
{
    return m_bVisible && ::IsWindow(m_hWnd);
}

BOOL CKitCommandBar::SetPosition(int nPosition)
{
    if (m_pCommandBars == nullptr)
        return FALSE;
    if (nPosition >= kBarTop && nPosition <= kBarRight)
        return m_pCommandBars->DockCommandBar(this, nullptr, nPosition);
    if (nPosition == kBarFloating)
        return m_pCommandBars->FloatCommandBar(this);
    return FALSE;
}

BOOL CKitCommandBar::CreateBarWindow(CWnd* pParent, BOOL bFloating)
{
    constexpr DWORD kSyncActive = 0x100;  // floating windows share the frame's activation look
    if (!::IsWindow(m_hWnd))
    {
        LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW));
        const DWORD dwExStyle = m_pCommandBars != nullptr && m_pCommandBars->IsLayoutRTL() ? WS_EX_LAYOUTRTL : 0;
        if (!CreateEx(dwExStyle, lpszClass, m_strTitle, WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | kSyncActive,
                      CRect(100, 100, 100, 100), pParent, 0))
            return FALSE;
        ::ShowWindow(m_hWnd, m_bVisible ? SW_SHOWNOACTIVATE : SW_HIDE);
    }
    const HWND hParent = pParent != nullptr ? pParent->m_hWnd : nullptr;
    const DWORD dwStyle = static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE));
    if (bFloating)
    {
        ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, (dwStyle & ~WS_CHILD) | WS_POPUP | kSyncActive);
        if (::GetParent(m_hWnd) != nullptr && (dwStyle & WS_CHILD) != 0)
            ::SetParent(m_hWnd, nullptr);
        // A popup's parent handle is its owner.
        ::SetWindowLongPtrW(m_hWnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(hParent));
    }
    else
    {
        ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, (dwStyle & ~(WS_POPUP | kSyncActive)) | WS_CHILD);
        if (hParent != nullptr && ::GetParent(m_hWnd) != hParent)
            ::SetParent(m_hWnd, hParent);
    }
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return TRUE;
}

BOOL CKitCommandBar::SetPopuped(int nIndex, BOOL bKeyboard)
{
    if (nIndex == m_nPopuped)
        return FALSE;
    if (CKitControl* pOpen = m_controls.GetAt(m_nPopuped))
    {
        m_nPopuped = -1;
        pOpen->SetPopupOpen(FALSE);
    }
    m_nPopuped = -1;
    if (nIndex < 0)
    {
        DelayRedraw();
        return TRUE;
    }
    CKitControl* pControl = m_controls.GetAt(nIndex);
    if (pControl == nullptr || (!pControl->IsPopupControl() && pControl->GetType() != kControlComboBox) ||
        !pControl->GetEnabled())
    {
        DelayRedraw();
        return FALSE;
    }
    m_nPopuped = nIndex;
    SetTrackingMode(2, FALSE, bKeyboard);
    SetSelected(nIndex, bKeyboard);
    // The bar may be gone or the popup closed again by what opening ran.
    const HWND hBar = m_hWnd;
    pControl->InternalAddRef();
    if (!pControl->SetPopupOpen(TRUE) && ::IsWindow(hBar) && m_nPopuped == nIndex)
        m_nPopuped = -1;
    pControl->InternalRelease();
    if (::IsWindow(hBar))
        DelayRedraw();
    return TRUE;
}

CKitCommandBar* CKitCommandBar::Clone(BOOL bRecursive)
{
    CObject* pObject = GetRuntimeClass()->CreateObject();
    auto* pClone = dynamic_cast<CKitCommandBar*>(pObject);
    if (pClone == nullptr)
    {
        delete pObject;
        return nullptr;
    }
    pClone->Copy(this, bRecursive);
    return pClone;
}

void CKitCommandBar::Copy(CKitCommandBar* pSource, BOOL bRecursive)
{
    m_nType = pSource->m_nType;
    m_nPosition = pSource->m_nPosition;
    m_nBarId = pSource->m_nBarId;
    m_dwFlags = pSource->m_dwFlags;
    m_dwStyle = pSource->m_dwStyle;
    m_strTitle = pSource->m_strTitle;
    m_bCustomizable = pSource->m_bCustomizable;
    m_nFloatingWidth = pSource->m_nFloatingWidth;
    m_szIcons = pSource->m_szIcons;
    m_pCommandBars = pSource->m_pCommandBars;
    m_controls.RemoveAll();
    CKitControls* pSourceControls = pSource->GetControls();
    for (int i = 0; i < pSourceControls->GetCount(); ++i)
        m_controls.AddCopy(pSourceControls->GetAt(i), -1, bRecursive);
}

void CKitCommandBar::SetTitle(const CString& strTitle)
{
    m_strTitle = strTitle;
    if (::IsWindow(m_hWnd))
        ::SetWindowTextW(m_hWnd, strTitle);
}

BOOL CKitCommandBar::FillFromMenu(HMENU hMenu, BOOL bRemoveAll)
{
    if (!::IsMenu(hMenu))
        return FALSE;
    if (bRemoveAll)
        m_controls.RemoveAll();
    m_controls.AddFromMenu(hMenu);
    if (CFrameWnd* pFrame = ::IsWindow(m_hWnd) ? GetParentFrame() : nullptr)
        pFrame->m_nIdleFlags |= CFrameWnd::idleNotify | CFrameWnd::idleLayout;
    OnControlsChanged();
    return TRUE;
}

BOOL CKitCommandBar::Create(CWnd* pParent, UINT nId, const CRect& rc)
{
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW));
    return CreateEx(0, lpszClass, m_strTitle, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, rc, pParent, nId);
}

CWnd* CKitCommandBar::GetSite() const
{
    if (CKitCommandBars* pCommandBars = FindCommandBars(); pCommandBars != nullptr && pCommandBars->GetSite() != nullptr)
        return pCommandBars->GetSite();
    if (m_pNotifySite != nullptr)
        return m_pNotifySite;
    const CKitCommandBar* pRoot = this;
    while (CKitCommandBar* pParent = pRoot->GetParentBar())
        pRoot = pParent;
    if (pRoot->m_hWndOwnerBar != nullptr)
        return CWnd::FromHandle(pRoot->m_hWndOwnerBar);
    if (::IsWindow(pRoot->m_hWnd))
    {
        HWND hOwner = ::GetWindow(pRoot->m_hWnd, GW_OWNER);
        return CWnd::FromHandle(hOwner != nullptr ? hOwner : ::GetParent(pRoot->m_hWnd));
    }
    return AfxGetMainWnd();
}

CWnd* CKitCommandBar::GetNotifySite() const
{
    const CKitCommandBar* pRoot = this;
    while (CKitCommandBar* pParent = pRoot->GetParentBar())
        pRoot = pParent;
    if (pRoot->m_pCommandWnd != nullptr)
        return pRoot->m_pCommandWnd;
    return pRoot->GetSite();
}

DWORD CKitCommandBar::GetLayoutMode() const
{
    switch (m_nPosition)
    {
    case kBarLeft:
    case kBarRight:
        return kLayoutVertDock | kLayoutCommit;
    case kBarFloating:
        return kLayoutHorz | kLayoutCommit;
    default:
        return kLayoutHorzDock | kLayoutCommit;
    }
}

void CKitCommandBar::RecalcLayout()
{
    if (!::IsWindow(m_hWnd))
        return;
    CRect rc;
    GetClientRect(&rc);
    CClientDC dc(this);
    const int nLength = IsVertical() ? rc.Height() : rc.Width();
    // A floating bar wraps into its width; a docked one hides what does not fit.
    const DWORD dwWrap = m_nPosition == kBarFloating ? 0 : kLayoutNoWrap;
    m_controls.CalcLayout(&dc, nLength, GetLayoutMode() | dwWrap, GetLayoutMargins());
    m_bLayoutPending = FALSE;
    Invalidate(FALSE);
}

CSize CKitCommandBar::CalcDockedSize(int nLength, DWORD dwMode)
{
    CClientDC dc(this);
    return m_controls.CalcLayout(&dc, nLength, dwMode, GetLayoutMargins());
}

CSize CKitCommandBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    if ((dwMode & kLayoutUseFloatingWidth) != 0 || nLength <= 0)
        nLength = m_nFloatingWidth > 0 ? m_nFloatingWidth : kLayoutWidestWrap;
    CClientDC dc(this);
    return m_controls.CalcLayout(&dc, nLength, dwMode & ~kLayoutUseFloatingWidth, GetLayoutMargins());
}

CRect CKitCommandBar::GetLayoutMargins()
{
    CRect margins(2, 2, 2, 2);
    if ((m_dwStyle & kBarStyleGripper) == 0 || m_nPosition > kBarRight)
        return margins;
    CClientDC dc(this);
    const CSize gripper = ResolveDrawer()->DrawGripper(&dc, this, FALSE);
    if (IsVertical())
        margins.top += gripper.cy;
    else
        margins.left += gripper.cx;
    return margins;
}

CRect CKitCommandBar::GetGripperRect()
{
    const CRect margins = GetLayoutMargins();
    CRect rc;
    GetClientRect(&rc);
    if ((m_dwStyle & kBarStyleGripper) == 0 || m_nPosition > kBarRight)
        return CRect();
    if (IsVertical())
        rc.bottom = margins.top;
    else
        rc.right = margins.left;
    return rc;
}

void CKitCommandBar::Paint(CDC* pDC)
{
    if (m_bLayoutPending)
    {
        m_bLayoutPending = FALSE;
        RecalcLayout();
    }
    CCommandBarDrawer* pDrawer = ResolveDrawer();
    pDrawer->PaintBarBackground(pDC, this);
    if (!GetGripperRect().IsRectEmpty())
        pDrawer->DrawGripper(pDC, this, TRUE);
    for (int i = 0; i < m_controls.GetCount(); ++i)
    {
        CKitControl* pControl = m_controls.GetAt(i);
        if (!pControl->IsVisible())
            continue;
        if (pControl->GetBeginGroup() && i > 0)
            pDrawer->DrawSeparator(pDC, this, pControl, TRUE);
        pControl->Draw(pDC);
    }
}

void CKitCommandBar::SetSelected(int nIndex, BOOL bKeyboard)
{
    if (m_controls.GetAt(nIndex) == nullptr)
        nIndex = -1;
    CKitControl* pOld = m_controls.GetAt(m_nHot);
    if (pOld != nullptr)
        pOld->m_nSelected = kNotSelected;
    m_nHot = nIndex;
    if (pOld != nullptr && pOld->GetIndex() != nIndex)
    {
        pOld->OnDeselected();
        OnControlSelected(FALSE, pOld);
    }
    m_bHotByKeyboard = bKeyboard;
    if (CKitControl* pNew = m_controls.GetAt(nIndex))
    {
        pNew->m_nSelected = bKeyboard ? kSelectedByKeyboard : kSelectedByMouse;
        if (pNew != pOld)
            OnControlSelected(TRUE, pNew);
    }
    if (!::IsWindow(m_hWnd))
        return;
    if (nIndex < 0)
        ::KillTimer(m_hWnd, kHoverTimer);
    else if (!bKeyboard)
        ::SetTimer(m_hWnd, kHoverTimer, kHoverDelay, nullptr);
    if (nIndex >= 0 && m_nTracking != 0)
        NotifyEvent(EVENT_OBJECT_FOCUS, m_hWnd, OBJID_CLIENT, nIndex + 1);
    Invalidate(FALSE);
}

void CKitCommandBar::OnControlSelected(BOOL bSelected, CKitControl* pControl)
{
    CWnd* pSite = GetSite();
    if (pSite != nullptr && ::IsWindow(pSite->m_hWnd))
        pSite->SendMessage(WM_COMMANDBAR_CONTROLSELECTED, bSelected ? reinterpret_cast<WPARAM>(pControl) : 0, 0);
    if (bSelected && pControl->GetIndex() != m_nLastPrompt)
    {
        m_nLastPrompt = pControl->GetIndex();
        SetStatusText(pControl->GetDescription());
    }
    else if (!bSelected && pControl->GetIndex() == m_nLastPrompt)
    {
        // The prompt must not outlive the selection: the idle message returns.
        m_nLastPrompt = -1;
        SetStatusText(CString());
    }
}

void CKitCommandBar::SetStatusText(const CString& strText)
{
    CKitCommandBars* pCommandBars = FindCommandBars();
    if (pCommandBars != nullptr && !pCommandBars->GetSettings()->m_bStatusBarPrompts)
        return;
    CWnd* pSite = GetSite();
    if (pSite == nullptr || !::IsWindow(pSite->m_hWnd))
        return;
    if (strText.IsEmpty())
        pSite->SendMessage(WM_POPMESSAGESTRING, AFX_IDS_IDLEMESSAGE, 0);
    else
        pSite->SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(strText)));
}

BOOL CKitCommandBar::SetTrackingMode(int nMode, BOOL bSelectFirst, BOOL bKeyboard)
{
    if ((m_nTracking != 0 && nMode != 0) || m_nTracking == nMode)
    {
        m_nTracking = nMode;
        return FALSE;
    }
    m_nTracking = nMode;
    CPopupKeyboardTracker* pKeys = CPopupKeyboardTracker::GetThreadTracker();
    if (nMode != 0)
    {
        pKeys->AddSink(&m_keySink);
        if (bSelectFirst)
            SetSelected(m_controls.GetNextIndex(-1, 1), TRUE);
        else if (bKeyboard && m_nHot >= 0)
            SetSelected(m_nHot, TRUE);
    }
    else
    {
        pKeys->RemoveSink(&m_keySink);
        SetPopuped(-1, FALSE);
        if (bSelectFirst)
            SetSelected(-1, FALSE);
        if (::IsWindow(m_hWnd))
            Invalidate(FALSE);
    }
    if (CKitCommandBars* pCommandBars = FindCommandBars())
        pCommandBars->OnTrackingModeChanged(this, nMode);
    return TRUE;
}

int CKitCommandBar::OnTrackingKeyDown(UINT nKey)
{
    const BOOL bHorizontal = !IsVertical();
    switch (nKey)
    {
    case VK_RETURN:
        Navigate(kNavigateRun);
        return 1;
    case VK_ESCAPE:
        Navigate(kNavigateLeave);
        return 1;
    case VK_TAB:
    {
        const int nDirection = ::GetKeyState(VK_SHIFT) < 0 ? -1 : 1;
        CKitCommandBars* pCommandBars = FindCommandBars();
        CKitCommandBar* pRoot = GetRootBar();
        if (::GetKeyState(VK_CONTROL) < 0 && pCommandBars != nullptr && pRoot->GetType() == kBarTypeToolBar)
            pCommandBars->SetTrackingBar(pRoot, nDirection);
        else
            Navigate(nDirection < 0 ? kNavigatePrevious : kNavigateNext);
        return 1;
    }
    case VK_LEFT:
        Navigate(bHorizontal ? kNavigatePrevious : kNavigateClosePopup);
        return 1;
    case VK_RIGHT:
        Navigate(bHorizontal ? kNavigateNext : kNavigateOpenPopup);
        return 1;
    case VK_UP:
        Navigate(bHorizontal ? kNavigateClosePopup : kNavigatePrevious);
        return 1;
    case VK_DOWN:
        Navigate(bHorizontal ? kNavigateOpenPopup : kNavigateNext);
        return 1;
    case VK_HOME:
        Navigate(kNavigateFirst);
        return 1;
    case VK_END:
        Navigate(kNavigateLast);
        return 1;
    default:
        break;
    }
    if (nKey == 0 || ::MapVirtualKeyW(nKey, MAPVK_VK_TO_CHAR) == 0)
        return 1;
    // On a toolbar the letters reach every bar's mnemonics.
    CKitCommandBars* pCommandBars = FindCommandBars();
    if (m_nType == kBarTypeToolBar && pCommandBars != nullptr && pCommandBars->RunMnemonic(nKey))
        return 1;
    BOOL bAmbiguous = FALSE;
    const int nFound = ::GetKeyState(VK_CONTROL) < 0 ? -1 : FindMnemonicInBar(nKey, bAmbiguous);
    if (nFound < 0)
    {
        if (nKey != VK_SHIFT && nKey != VK_CONTROL)
            ::MessageBeep(0);
        return 1;
    }
    SetSelected(nFound, TRUE);
    if (!bAmbiguous)
        m_controls.GetAt(nFound)->ActivateFromKeyboard();
    return 1;
}

int CKitCommandBar::FindMnemonicInBar(UINT nKey, BOOL& bAmbiguous) const
{
    const int nCount = m_controls.GetCount();
    std::vector<CKitControl*> walk;
    for (int nStep = 1; nStep <= nCount; ++nStep)
        walk.push_back(m_controls.GetAt(((m_nHot < 0 ? -1 : m_nHot) + nStep + nCount) % nCount));
    CKitControl* pFound = CKitControls::FindMnemonic(
        walk, nKey, FALSE, [](CKitControl*) { return TRUE; }, bAmbiguous);
    return pFound != nullptr ? pFound->GetIndex() : -1;
}

BOOL CKitCommandBar::Navigate(int nCode)
{
    switch (nCode)
    {
    case kNavigateNext:
    case kNavigatePrevious:
    {
        const int nStep = nCode == kNavigateNext ? 1 : -1;
        const int nNext = m_controls.GetNextIndex(m_nHot, nStep);
        if (nNext >= 0)
            SetSelected(nNext, TRUE);
        return nNext >= 0;
    }
    case kNavigateFirst:
        SetSelected(m_controls.GetNextIndex(-1, 1), TRUE);
        return TRUE;
    case kNavigateLast:
        SetSelected(m_controls.GetNextIndex(-1, -1), TRUE);
        return TRUE;
    case kNavigateLeave:
        if (CKitCommandBar* pParentBar = GetParentBar())
            pParentBar->SetTrackingMode(1, FALSE, TRUE);
        EndTracking();
        return TRUE;
    case kNavigateRun:
    {
        CKitControl* pHot = GetHotControl();
        if (pHot == nullptr)
            return FALSE;
        pHot->m_nSelected = kSelectedByKeyboard;
        pHot->Execute();
        return TRUE;
    }
    case kNavigateClosePopup:
        if (m_nPopuped < 0)
        {
            // Up on a menu title opens it as Down would.
            CKitControl* pHot = GetHotControl();
            if (pHot != nullptr && pHot->IsPopupControl() && pHot->GetEnabled() && GetParentBar() == nullptr)
                return Navigate(kNavigateOpenPopup);
            return FALSE;
        }
        SetPopuped(-1, FALSE);
        return TRUE;
    case kNavigateOpenPopup:
    {
        CKitControl* pHot = GetHotControl();
        if (pHot == nullptr || m_nPopuped == m_nHot)
            return FALSE;
        pHot->m_nSelected = kSelectedByKeyboard;
        return SetPopuped(m_nHot, TRUE);
    }
    default:
        return FALSE;
    }
}

int CKitCommandBar::IndexAt(CPoint point) const
{
    // A label is never hot and never clicked.
    CKitControl* pControl = m_controls.HitTest(point);
    return pControl != nullptr && !pControl->IsLabel() ? pControl->GetIndex() : -1;
}

void CKitCommandBar::OnMouseMove(CPoint point)
{
    const int nIndex = IndexAt(point);
    if (nIndex != m_nHot && (m_nTracking != 0 || nIndex >= 0 || !m_bHotByKeyboard))
        SetSelected(nIndex, FALSE);
    if (m_nTracking == 0 && nIndex >= 0)
        CPopupMouseTracker::GetThreadTracker()->TrackMouseLeave(m_hWnd);
    if (CKitControl* pHot = GetHotControl(); pHot != nullptr && pHot->GetIndex() == nIndex)
        pHot->OnMouseMove(point);
}

void CKitCommandBar::OnLButtonDown(CPoint point)
{
    CKitControl* pControl = m_controls.GetAt(IndexAt(point));
    if (pControl != nullptr && pControl->GetType() == kControlComboBox && pControl->GetEnabled())
    {
        // The combo's button (or its text without an edit field) toggles its list.
        SetPopuped(m_nPopuped == pControl->GetIndex() ? -1 : pControl->GetIndex(), FALSE);
        return;
    }
    if (pControl != nullptr)
    {
        // Buttons hold the mouse until it is released; popups open.
        pControl->OnClick(FALSE, point);
        return;
    }
    if (m_pDockBar != nullptr && GetGripperRect().PtInRect(point))
    {
        CPoint ptScreen = point;
        ClientToScreen(&ptScreen);
        CBarDragTracker(this).StartDrag(ptScreen);
    }
}

void CKitCommandBar::OnLButtonUp(CPoint point)
{
    CKitControl* pControl = m_controls.GetAt(IndexAt(point));
    if (pControl != nullptr && pControl->OnLButtonUp(point))
        return;
    // A menu item runs on the release; elsewhere the press's click loop took it.
    if (pControl != nullptr && m_nPosition == kBarPopup && !pControl->IsPopupControl() &&
        pControl->GetType() != kControlComboBox && pControl->GetEnabled())
        pControl->Execute();
}

BOOL CKitCommandBar::OnLButtonDblClk(CPoint point)
{
    CKitControl* pControl = m_controls.GetAt(IndexAt(point));
    if (pControl == nullptr || !pControl->GetEnabled() || pControl->GetType() == kControlComboBox)
        return FALSE;
    return pControl->OnLButtonDblClk(point);
}

void CKitCommandBar::StopHoverTimer()
{
    if (::IsWindow(m_hWnd))
        ::KillTimer(m_hWnd, kHoverTimer);
}

LRESULT CKitCommandBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    RelayToScreenTips(message, wParam, lParam);
    if (OnCustomizeMessage(message, wParam, lParam))
        return 0;
    switch (message)
    {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
    {
        CPaintDC dc(this);
        Paint(&dc);
        // Over whatever the bar's own painting drew.
        PaintCustomizeMarks(&dc);
        return 0;
    }
    case WM_SIZE:
        RecalcLayout();
        break;
    case WM_MOUSEMOVE:
        OnMouseMove(CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))));
        return 0;
    case WM_MOUSELEAVE:
        if (m_nTracking == 0 && !m_bHotByKeyboard)
            SetSelected(-1, FALSE);
        return 0;
    case WM_LBUTTONDOWN:
        OnLButtonDown(CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))));
        return 0;
    case WM_TIMER:
        if (wParam != kHoverTimer)
            break;
        ::KillTimer(m_hWnd, kHoverTimer);
        if (CKitControl* pHot = GetHotControl(); pHot != nullptr && !m_bHotByKeyboard)
            pHot->OnMouseHover();
        return 0;
    case WM_LBUTTONUP:
        OnLButtonUp(CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))));
        return 0;
    case WM_LBUTTONDBLCLK:
        if (OnLButtonDblClk(CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)))))
            return 0;
        break;
    case WM_DESTROY:
        EndTracking();
        break;
    case WM_GETOBJECT:
    {
        LRESULT lResult = 0;
        if (static_cast<LONG>(lParam) == OBJID_MENU)
            return ResultFromObject(kIidAccessible, wParam, &m_xAccessible);
        if (AnswerGetObject(this, wParam, lParam, &lResult))
            return lResult;
        break;
    }
    case WM_MOUSEACTIVATE:
        // A floating bar leaves the activation with its frame.
        if (m_nPosition == kBarFloating)
            return MA_NOACTIVATE;
        break;
    case WM_IDLEUPDATECMDUI:
        OnIdleUpdate(static_cast<BOOL>(wParam));
        return 0;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

int CKitCommandBar::CKeySink::OnHookMessage(HWND, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT&)
{
    CKitControl* pHot = m_pBar->GetHotControl();
    const BOOL bFieldFocused = pHot != nullptr && pHot->IsFocused();
    if (nMessage == WM_MOUSEWHEEL)
        return bFieldFocused ? kStopAsking : kHandled;
    if (nMessage != WM_KEYDOWN)
        return kNotHandled;
    if (bFieldFocused)
    {
        // A focused field takes its keys; Enter, Tab and Esc it leaves to the bar.
        const int nResult = pHot->ProcessKey(static_cast<UINT>(wParam), lParam);
        if (nResult == 1)
            return kHandled;
        if (nResult == 2)
            return kStopAsking;
    }
    return m_pBar->OnTrackingKeyDown(static_cast<UINT>(wParam)) == 1 ? kHandled : kNotHandled;
}
