#include "CKitToolBar.h"

#include "CBarDragTracker.h"
#include "CCommandBarDrawer.h"
#include "CCommandIconStore.h"
#include "CKitCommandBars.h"
#include "CToolBarControls.h"
#include "ControlCreationRecord.h"
#include "CToolkitResources.h"
#include "GdiSelectors.h"
#include "core/ControlLayout.h"
#include "window/AfxMessages.h"
#include "window/CWinApp.h"

#include <algorithm>
#include <vector>

using namespace kit::commandbars;

IMPLEMENT_SERIAL(CKitToolBar, CKitCommandBar, VERSIONABLE_SCHEMA | 16)

namespace
{

constexpr UINT WM_COMMANDBAR_VISIBILITY = 0x2855;
constexpr UINT kFloatStatus = 0x036D;  // WM_FLOATSTATUS
constexpr WPARAM kFloatShow = 0x01;
constexpr WPARAM kFloatHide = 0x02;
constexpr WPARAM kFloatActivate = 0x04;
constexpr WPARAM kFloatDeactivate = 0x08;
constexpr WPARAM kFloatEnable = 0x10;
constexpr WPARAM kFloatDisable = 0x20;
constexpr WPARAM kFloatSyncActive = 0x40;
constexpr DWORD kSyncActiveStyle = 0x100;  // MFS_SYNCACTIVE
const LPCWSTR kToolBarResourceType = MAKEINTRESOURCEW(241);
constexpr int kExpandButtonRoom = 11;
constexpr int kFloatingBorder = 3;
constexpr DWORD kLayoutHorizontal = 0x02;
constexpr UINT kResetQuestionString = 9349;
constexpr UINT kResetString = 9395;
constexpr DWORD kToolBarDockFlagsMask = 0x1F;  // the four sides and floating

// Little-endian 16-bit value of the resource bytes.
UINT ReadWord(const BYTE* pData, size_t nOffset)
{
    return static_cast<UINT>(pData[nOffset]) | (static_cast<UINT>(pData[nOffset + 1]) << 8);
}

// The ids of an RT_TOOLBAR resource (0 for separators) and its image size;
// FALSE for a missing resource or one whose item count runs past its end.
BOOL ReadToolBarIds(UINT nId, std::vector<UINT>& ids, int& nWidth, int& nHeight)
{
    const LPCWSTR lpszName = MAKEINTRESOURCEW(LOWORD(nId));
    HINSTANCE hInstance = AfxFindResourceHandle(lpszName, kToolBarResourceType);
    HRSRC hResource = ::FindResourceW(hInstance, lpszName, kToolBarResourceType);
    if (hResource == nullptr)
        return FALSE;
    const DWORD nSize = ::SizeofResource(hInstance, hResource);
    HGLOBAL hGlobal = ::LoadResource(hInstance, hResource);
    const auto* pData = hGlobal != nullptr ? static_cast<const BYTE*>(::LockResource(hGlobal)) : nullptr;
    constexpr size_t kHeader = 8;
    if (pData == nullptr || nSize < kHeader)
        return FALSE;
    nWidth = static_cast<int>(ReadWord(pData, 2));
    nHeight = static_cast<int>(ReadWord(pData, 4));
    const size_t nCount = ReadWord(pData, 6);
    if (kHeader + 2 * nCount > nSize)
        return FALSE;
    ids.resize(nCount);
    for (size_t i = 0; i < nCount; ++i)
        ids[i] = ReadWord(pData, kHeader + 2 * i);
    return TRUE;
}

}  // namespace

CKitToolBar::CKitToolBar()
{
    m_nType = kBarTypeToolBar;
    m_dwStyle |= kBarStyleGripper;
    m_nFloatingWidth = kLayoutWidestWrap;
}

CKitToolBar::~CKitToolBar() = default;

BOOL CKitToolBar::LoadToolBar(UINT nId, BOOL bLoadIcons)
{
    m_nBarId = static_cast<int>(nId);
    m_controls.RemoveAll();
    std::vector<UINT> ids;
    int nWidth = 0;
    int nHeight = 0;
    if (!ReadToolBarIds(nId, ids, nWidth, nHeight))
        return FALSE;
    BuildControlsFromIds(ids.data(), static_cast<int>(ids.size()));
    BOOL bResult = TRUE;
    if (bLoadIcons)
    {
        if (!ResolveIconManager()->SetIconsFromBitmap(nId, ids.data(), static_cast<int>(ids.size()), nWidth, nHeight))
            bResult = FALSE;
        if (nWidth != 16)
            m_szIcons = CSize(nWidth, nHeight);
    }
    if (bResult)
        m_controls.CreateOriginalControls();
    return bResult;
}

BOOL CKitToolBar::BuildControlsFromIds(const UINT* pIds, int nCount)
{
    m_controls.RemoveAll();
    CKitCommandBars* pCommandBars = FindCommandBars();
    CWnd* pSite = pCommandBars != nullptr ? pCommandBars->GetSite() : nullptr;
    BOOL bGroupPending = FALSE;
    for (int i = 0; i < nCount; ++i)
    {
        if (pIds[i] == 0)
        {
            bGroupPending = TRUE;
            continue;
        }
        ControlCreationRecord record;
        record.nId = static_cast<int>(pIds[i]);
        record.bFromToolbar = TRUE;
        record.nPosition = i;
        record.pBar = this;
        record.strCaption = m_strTitle;
        record.nType = kControlButton;
        const BOOL bAnswered = pSite != nullptr && ::IsWindow(pSite->m_hWnd) &&
                               pSite->SendMessage(WM_COMMANDBAR_BEFORECREATECONTROL, 0,
                                                  reinterpret_cast<LPARAM>(&record)) != 0;
        CKitControl* pControl = nullptr;
        if (bAnswered && record.pControl != nullptr)
        {
            pControl = m_controls.Add(record.pControl, this);
        }
        else
        {
            pControl = m_controls.Add(record.nType, record.nId);
            if (pControl == nullptr)
                continue;
            pControl->m_nStyle = record.nStyle;
            DelayLayout();
            if (pControl->GetType() == kControlPopup && pControl->m_nIconId != pControl->GetId())
            {
                pControl->m_nIconId = pControl->GetId();
                pControl->RedrawParent();
            }
        }
        if (bGroupPending)
            pControl->SetBeginGroup(TRUE);
        bGroupPending = FALSE;
        record.pControl = pControl;
        if (pSite != nullptr && ::IsWindow(pSite->m_hWnd))
            pSite->SendMessage(WM_COMMANDBAR_AFTERCREATECONTROL, 0, reinterpret_cast<LPARAM>(&record));
    }
    return TRUE;
}

void CKitToolBar::SetTextBelowIcons(int nMode)
{
    m_nTextBelowIcons = nMode;
    DelayLayout();
}

BOOL CKitToolBar::IsTextBelowIcons() const
{
    if (m_nTextBelowIcons != 2)
        return m_nTextBelowIcons != 0;
    CKitCommandBars* pCommandBars = FindCommandBars();
    return pCommandBars != nullptr && pCommandBars->GetSettings()->m_bShowTextBelowIcons;
}

CSize CKitToolBar::GetIconSize() const
{
    const BOOL bOwn = m_szIcons.cx != 0 || m_szIcons.cy != 0;
    CKitCommandBars* pCommandBars = FindCommandBars();
    if (pCommandBars == nullptr)
        return bOwn ? m_szIcons : CSize(16, 16);
    const CCommandBarSettings* pSettings = pCommandBars->GetSettings();
    CSize size = bOwn ? m_szIcons : pSettings->m_szIcons;
    if (size.cx == 0 && size.cy == 0)
        size = CSize(16, 16);
    if (pSettings->m_bLargeIcons && m_szButtons.cx == 0 && m_szButtons.cy == 0)
    {
        const CSize large = pSettings->m_szLargeIcons;
        size = large.cx != 0 || large.cy != 0 ? large : CSize(size.cx * 2, size.cy * 2);
    }
    return size;
}

CSize CKitToolBar::GetButtonSize() const
{
    if (m_szButtons.cx != 0 || m_szButtons.cy != 0)
        return m_szButtons;
    const CSize icon = GetIconSize();
    return CSize(icon.cx + 7, icon.cy + 7);
}

void CKitToolBar::SetVisible(BOOL bVisible)
{
    bVisible = bVisible ? TRUE : FALSE;
    if (m_bVisible == bVisible)
        return;
    CKitCommandBar::SetVisible(bVisible);
    CKitCommandBars* pCommandBars = FindCommandBars();
    if (pCommandBars == nullptr)
        return;
    if (CWnd* pSite = pCommandBars->GetSite(); pSite != nullptr && ::IsWindow(pSite->m_hWnd))
        pSite->SendMessage(WM_COMMANDBAR_VISIBILITY, reinterpret_cast<WPARAM>(this), bVisible);
    // A bar torn off a popup lives only while it is shown.
    if (m_bTearOff && !bVisible)
        pCommandBars->RemoveBar(this);
}

BOOL CKitToolBar::SetTrackingMode(int nMode, BOOL bSelectFirst, BOOL bKeyboard)
{
    const BOOL bChanged = CKitCommandBar::SetTrackingMode(nMode, bSelectFirst, bKeyboard);
    m_trackingLink.Track(GetTrackingMode() != 0);
    return bChanged;
}

void CKitToolBar::EnableBarDocking(DWORD dwFlags)
{
    if (m_pDragTracker == nullptr)
        m_pDragTracker = std::make_unique<CBarDragTracker>(this);
    m_dwFlags = dwFlags;
}

void CKitToolBar::OnRecalcLayout()
{
    if (!::IsWindow(m_hWnd))
        return;
    if (m_nPosition == kBarFloating)
    {
        const CSize size = CalcDynamicLayout(-1, kLayoutCommit | kLayoutUseFloatingWidth | kLayoutHorizontal);
        SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        Invalidate(FALSE);
        return;
    }
    if (CKitCommandBars* pCommandBars = FindCommandBars())
        pCommandBars->RelayoutFrame(FALSE);
    else
        LayoutForWindow();
}

CKitControl* CKitToolBar::FindOrAddExpandButton()
{
    CKitControl* pExpand = m_controls.FindControl(kToolBarExpandId);
    if (pExpand == nullptr)
    {
        pExpand = m_controls.Add(new CToolBarExpandButton, kToolBarExpandId, CString(), -1, TRUE);
        pExpand->m_strCaption.Empty();
    }
    return pExpand;
}

CKitControl* CKitToolBar::FindOrAddCloseButton()
{
    CKitControl* pClose = m_controls.FindControl(kBarCloseId);
    if (pClose == nullptr)
    {
        pClose = m_controls.Add(new CBarCloseButton, kBarCloseId, CString(), -1, TRUE);
        pClose->m_strCaption.Empty();
    }
    return pClose;
}

CSize CKitToolBar::CalcDockedSize(int nLength, DWORD dwMode)
{
    CClientDC dc(this);
    CCommandBarDrawer* pDrawer = ResolveDrawer();
    CFontSelector font(&dc, pDrawer->FontForControl(this, FALSE));
    CRect margins = pDrawer->GetBarBorders(this);
    if ((m_dwStyle & kBarStyleGripper) != 0)
    {
        const CSize gripper = pDrawer->DrawGripper(&dc, this, FALSE);
        margins.left += gripper.cx;
        margins.top += gripper.cy;
    }
    if ((m_dwFlags & 0x40) != 0)
        dwMode |= kLayoutStretch;
    if (CKitControl* pClose = m_controls.FindControl(kBarCloseId))
        pClose->SetHideFlags(kHideByProgram);
    CKitCommandBars* pCommandBars = FindCommandBars();
    if (!m_bShowExpandButton || pCommandBars == nullptr)
        return m_controls.CalcLayout(&dc, nLength, dwMode, margins);

    CKitControl* pExpand = FindOrAddExpandButton();
    pExpand->SetHideFlags(kHideByProgram);
    const BOOL bHorizontal = (dwMode & kLayoutHorzDock) != 0;
    if (!pCommandBars->GetSettings()->m_bShowExpandButtonAlways)
    {
        CSize size = m_controls.CalcLayout(&dc, nLength, dwMode, margins);
        if ((dwMode & kLayoutCommit) == 0)
        {
            const CSize minimum = m_controls.CalcLayout(&dc, 1, dwMode, margins);
            if (m_controls.CountVisible(FALSE) > 1)
            {
                if (bHorizontal)
                    size.cx = std::max(size.cx, minimum.cx + kExpandButtonRoom);
                else
                    size.cy = std::max(size.cy, minimum.cy + kExpandButtonRoom);
            }
            return size;
        }
        BOOL bSomeHidden = FALSE;
        for (int i = 0; i < m_controls.GetCount(); ++i)
            if (m_controls.GetAt(i)->GetHideFlags() == kHideNoRoom)
                bSomeHidden = TRUE;
        if (!bSomeHidden)
            return size;
    }
    if (bHorizontal)
        margins.right += kExpandButtonRoom;
    else
        margins.bottom += kExpandButtonRoom;
    CSize size = m_controls.CalcLayout(&dc, nLength, dwMode, margins);
    pExpand->SetHideFlags(0);
    pDrawer->DrawSpecialControl(&dc, kSpecialToolbarExpand, pExpand, this, FALSE, &size);
    pExpand->SetRect(pExpand->GetRect());
    return size;
}

int CKitToolBar::GetCaptionHeight(CDC* pDC)
{
    return ResolveDrawer()->DrawGripper(pDC, this, FALSE).cy;
}

CSize CKitToolBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    CClientDC dc(this);
    CFontSelector font(&dc, ResolveDrawer()->FontForControl(this, FALSE));
    const int h = GetCaptionHeight(&dc);
    const CRect margins(kFloatingBorder, h + 4, kFloatingBorder, kFloatingBorder);
    CKitControl* pClose = nullptr;
    if (m_nType != kBarTypeMenuBar && m_bCloseable)
        pClose = FindOrAddCloseButton();
    else if (CKitControl* pOld = m_controls.FindControl(kBarCloseId))
        pOld->SetHideFlags(kHideByProgram);
    CKitCommandBars* pCommandBars = FindCommandBars();
    CKitControl* pExpand = m_bShowExpandButton && pCommandBars != nullptr ? FindOrAddExpandButton() : nullptr;
    for (CKitControl* pSpecial : {pClose, pExpand})
        if (pSpecial != nullptr)
            pSpecial->SetHideFlags(kHideByProgram);
    const CSize size = m_controls.CalcLayout(&dc, nLength, dwMode, margins);
    if ((dwMode & kLayoutCommit) == 0)
        return size;
    int x = size.cx - kFloatingBorder;
    if (pClose != nullptr)
    {
        pClose->SetHideFlags(0);
        pClose->SetRect(CRect(x - h, kFloatingBorder, x, h + kFloatingBorder));
        x -= h;
    }
    if (pExpand != nullptr)
    {
        const BOOL bAlways = pCommandBars == nullptr || pCommandBars->GetSettings()->m_bShowExpandButtonAlways;
        if (bAlways && x - h > 0)
        {
            pExpand->SetHideFlags(0);
            pExpand->SetRect(CRect(x - h, kFloatingBorder, x, h + kFloatingBorder));
        }
    }
    return size;
}

void CKitToolBar::LayoutForWindow()
{
    if (!::IsWindow(m_hWnd))
        return;
    CRect rc;
    GetClientRect(&rc);
    m_bLayoutPending = FALSE;
    if (m_nPosition == kBarFloating)
    {
        CalcDynamicLayout(rc.Width(), kLayoutCommit | kLayoutHorizontal);
    }
    else
    {
        const BOOL bVertical = IsVertical();
        DWORD dwMode = (bVertical ? kLayoutVertDock : kLayoutHorzDock) | kLayoutCommit;
        if ((m_dwFlags & 0x20) != 0)
            dwMode |= kLayoutNoWrap;
        CalcDockedSize(bVertical ? rc.Height() : rc.Width(), dwMode);
    }
    Invalidate(FALSE);
}

void CKitToolBar::Paint(CDC* pDC)
{
    if (m_bLayoutPending)
        LayoutForWindow();
    CCommandBarDrawer* pDrawer = ResolveDrawer();
    pDrawer->PaintBarBackground(pDC, this);
    // The gripper, or the caption band of a floating bar or a dialog bar,
    // lies under the controls that sit on it.
    if (m_nPosition == kBarFloating || IsDialogBar() || !GetGripperRect().IsRectEmpty())
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

void CKitToolBar::FillAddRemovePopup(CKitCommandBar* pPopup)
{
    CKitControls* pOriginal = m_controls.GetOriginalControls();
    // Controls the user hid leave the bar for the merge; copies of the
    // original set come back in their places, hidden by the user.
    for (int i = m_controls.GetCount() - 1; i >= 0; --i)
        if ((m_controls.GetAt(i)->GetHideFlags() & kHideByUser) != 0)
            m_controls.Remove(i);
    if (pOriginal != nullptr)
    {
        int nBar = 0;
        for (int j = 0; j < pOriginal->GetCount(); ++j)
        {
            CKitControl* pWanted = pOriginal->GetAt(j);
            CKitControl* pAtBar = m_controls.GetAt(nBar);
            if (pAtBar != nullptr && pAtBar->IsEqual(pWanted))
            {
                ++nBar;
                continue;
            }
            if (m_controls.FindControl(pWanted->GetType(), pWanted->GetId(), FALSE, FALSE) != nullptr)
                continue;
            CKitControl* pCopy = m_controls.AddCopy(pWanted, nBar);
            pCopy->SetHideFlags(pCopy->GetHideFlags() | kHideByUser);
            ++nBar;
        }
    }
    CKitCommandBars* pCommandBars = FindCommandBars();
    CKitControls* pList = pPopup->GetControls();
    for (int i = 0; i < m_controls.GetCount(); ++i)
    {
        CKitControl* pControl = m_controls.GetAt(i);
        if (pControl->GetId() == kToolBarExpandId || pControl->GetId() == kBarCloseId ||
            (pControl->GetHideFlags() & (kHideByProgram | kHideForDocument)) != 0 ||
            (pControl->GetFlags() & kControlFlagNotCustomizable) != 0)
            continue;
        auto* pEntry = new CAddRemoveButton(this, pControl);
        pList->Add(pEntry, 0);
        pEntry->SetCaption(pControl->GetCaption());
        pEntry->m_nIconId = pControl->m_nCustomIconId != 0 ? pControl->m_nCustomIconId
                            : pControl->m_nIconId > 0     ? pControl->m_nIconId
                                                          : pControl->GetId();
        CString strShortcut;
        if (pCommandBars != nullptr && pControl->GetId() > 0 &&
            pCommandBars->GetKeyboardShortcuts()->FindShortcutText(pControl->GetId(), strShortcut))
            pEntry->m_strShortcutText = strShortcut;
        BOOL bOriginal = FALSE;
        if (pOriginal != nullptr)
            bOriginal = pOriginal->FindControl(pControl->GetType(), pControl->GetId(), FALSE, FALSE) != nullptr;
        pEntry->SetEnabled(bOriginal);
        pEntry->SetChecked((pControl->GetHideFlags() & kHideByUser) == 0);
    }
    if (pOriginal != nullptr && !m_bTearOff && m_bBuiltIn)
    {
        auto* pReset = new CResetToolBarButton(this);
        pList->Add(pReset, 0);
        CString strReset;
        GetToolkitResources()->LoadString(strReset, kResetString);
        pReset->SetCaption(strReset);
        pReset->SetBeginGroup(TRUE);
    }
    OnRecalcLayout();
}

void CKitToolBar::ResetBar()
{
    if (!m_bBuiltIn || !m_bCustomizable || m_nBarId == 0)
        return;
    CString strFormat;
    GetToolkitResources()->LoadString(strFormat, kResetQuestionString);
    CString strQuestion;
    strQuestion.Format(strFormat, static_cast<LPCTSTR>(m_strTitle));
    CKitCommandBars* pCommandBars = FindCommandBars();
    CWnd* pSite = pCommandBars != nullptr ? pCommandBars->GetSite() : nullptr;
    HWND hOwner = pSite != nullptr ? pSite->m_hWnd : nullptr;
    if (::MessageBoxW(hOwner, strQuestion, AfxGetAppName(), MB_OKCANCEL | MB_ICONEXCLAMATION) != IDOK)
        return;
    if (CKitControls* pOriginal = m_controls.GetOriginalControls())
    {
        pOriginal->InternalAddRef();
        m_controls.RemoveAll();
        for (int i = 0; i < pOriginal->GetCount(); ++i)
            m_controls.AddCopy(pOriginal->GetAt(i));
        pOriginal->InternalRelease();
    }
    else
    {
        LoadToolBar(static_cast<UINT>(m_nBarId), FALSE);
    }
    OnIdleUpdate(TRUE);
    OnRecalcLayout();
}

LRESULT CKitToolBar::OnNcHitTest(CPoint ptScreen)
{
    CRect rc;
    GetWindowRect(&rc);
    rc.DeflateRect(kFloatingBorder, kFloatingBorder);
    if (ptScreen.y < rc.top)
        return HTTOP;
    if (ptScreen.y >= rc.bottom)
        return HTBOTTOM;
    if (ptScreen.x < rc.left)
        return HTLEFT;
    if (ptScreen.x >= rc.right)
        return HTRIGHT;
    return HTCLIENT;
}

void CKitToolBar::OnFloatStatus(WPARAM wParam)
{
    if (m_nPosition != kBarFloating || !m_bVisible)
        return;
    CKitCommandBars* pCommandBars = FindCommandBars();
    if (pCommandBars != nullptr && !pCommandBars->GetSettings()->m_bSyncFloatingBars)
        return;
    CWnd* pTop = GetTopLevelParent();
    const BOOL bTopActive = pTop != nullptr && ::GetForegroundWindow() == ::GetLastActivePopup(pTop->m_hWnd);
    const UINT nFlags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
    if ((wParam & (kFloatDeactivate | kFloatHide)) != 0 && !bTopActive)
        SetWindowPos(nullptr, 0, 0, 0, 0, nFlags | SWP_HIDEWINDOW);
    if ((wParam & (kFloatActivate | kFloatShow)) != 0 && bTopActive)
    {
        HWND hForeground = ::GetForegroundWindow();
        if (::IsWindowVisible(hForeground) && !::IsIconic(hForeground))
            SetWindowPos(nullptr, 0, 0, 0, 0, nFlags | SWP_SHOWWINDOW);
    }
    if ((wParam & (kFloatEnable | kFloatDisable)) != 0)
        EnableWindow((wParam & kFloatEnable) != 0);
}

void CKitToolBar::SyncFloatingActivation()
{
    if ((GetStyle() & kSyncActiveStyle) == 0)
        return;
    CWnd* pTop = GetTopLevelParent();
    HWND hForeground = ::GetForegroundWindow();
    BOOL bActive = pTop != nullptr && hForeground == pTop->m_hWnd;
    if (!bActive && pTop != nullptr && hForeground == ::GetLastActivePopup(pTop->m_hWnd))
        bActive = ::SendMessageW(hForeground, kFloatStatus, kFloatSyncActive, 0) != 0;
    SendMessage(kFloatStatus, bActive ? kFloatActivate : kFloatDeactivate, 0);
}

LRESULT CKitToolBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    switch (message)
    {
    case WM_SIZE:
    {
        const LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
        LayoutForWindow();
        return lResult;
    }
    case WM_SETCURSOR:
        return CWnd::WindowProc(message, wParam, lParam);
    case WM_CLOSE:
        // Neither the system menu nor Alt+F4 closes a floating toolbar.
        return 0;
    case WM_NCCREATE:
    {
        const LRESULT lResult = CKitCommandBar::WindowProc(message, wParam, lParam);
        SyncFloatingActivation();
        return lResult;
    }
    case WM_NCACTIVATE:
        if (wParam != FALSE)
            return 0;
        break;
    case kFloatStatus:
        OnFloatStatus(wParam);
        return (GetStyle() & kSyncActiveStyle) != 0 && (wParam & kFloatSyncActive) != 0;
    case WM_MOUSEACTIVATE:
    {
        CKitCommandBars* pCommandBars = FindCommandBars();
        if (m_nPosition == kBarFloating || (pCommandBars != nullptr && pCommandBars->IsCustomizeMode()))
            return MA_NOACTIVATE;
        break;
    }
    case WM_NCHITTEST:
        if (m_nPosition == kBarFloating)
        {
            const LRESULT nHit = OnNcHitTest(point);
            if (nHit != HTCLIENT)
                return nHit;
        }
        break;
    case WM_LBUTTONDOWN:
        if (m_nPosition == kBarFloating)
            ::SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        if (m_controls.HitTest(point) == nullptr && m_pDragTracker != nullptr &&
            (m_dwFlags & kToolBarDockFlagsMask) != 0)
        {
            CKitCommandBars::ClosePopups();
            CPoint ptScreen = point;
            ClientToScreen(&ptScreen);
            m_pDragTracker->StartDrag(ptScreen);
            return 0;
        }
        break;
    case WM_NCLBUTTONDOWN:
        if (m_pDragTracker == nullptr)
            return 0;
        if (wParam >= HTLEFT && wParam <= HTBOTTOMRIGHT)
        {
            if (CWnd* pTop = GetTopLevelParent())
                pTop->SetActiveWindow();
            ::SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            CKitCommandBars::ClosePopups();
            m_pDragTracker->StartResize(static_cast<int>(wParam), point);
            return 0;
        }
        break;
    case WM_LBUTTONDBLCLK:
        if (m_controls.HitTest(point) == nullptr && m_pDragTracker != nullptr)
        {
            m_pDragTracker->ToggleDocking();
            return 0;
        }
        break;
    case WM_RBUTTONUP:
    {
        CKitCommandBars* pCommandBars = FindCommandBars();
        if (pCommandBars == nullptr)
            return 0;
        if (pCommandBars->IsCustomizeMode())
            break;
        EndTracking();
        SetSelected(-1, FALSE);
        Invalidate(FALSE);
        CPoint ptScreen = point;
        ClientToScreen(&ptScreen);
        pCommandBars->ShowToolbarsMenu(this, ptScreen.x, ptScreen.y);
        return 0;
    }
    default:
        break;
    }
    return CKitCommandBar::WindowProc(message, wParam, lParam);
}
