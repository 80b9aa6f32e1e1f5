#include "CPopupMouseTracker.h"

#include <algorithm>

namespace {

// Plain pointers: thread_local objects with destructors could hang process exit.
thread_local CPopupMouseTracker* t_pMouseTracker = nullptr;
thread_local CPopupKeyboardTracker* t_pKeyboardTracker = nullptr;

// The screen point of the last mouse message that passed the hook.
POINT g_ptLastMouse{0, 0};

bool IsMoveMessage(UINT nMessage)
{
    return nMessage == WM_MOUSEMOVE || nMessage == WM_NCMOUSEMOVE;
}

}  // namespace

CPopupMouseTracker* AFXAPI CPopupMouseTracker::GetThreadTracker()
{
    if (!t_pMouseTracker)
        t_pMouseTracker = new CPopupMouseTracker;
    return t_pMouseTracker;
}

void AFXAPI CPopupMouseTracker::FreeThreadTrackers()
{
    delete t_pKeyboardTracker;
    t_pKeyboardTracker = nullptr;
    delete t_pMouseTracker;
    t_pMouseTracker = nullptr;
}

CPopupMouseTracker::CPopupMouseTracker()
    : m_hMouseHook(::SetWindowsHookExW(WH_MOUSE, &PopupMouseHookProc, nullptr, ::GetCurrentThreadId()))
{
}

CPopupMouseTracker::~CPopupMouseTracker()
{
    if (m_hMouseHook)
        ::UnhookWindowsHookEx(m_hMouseHook);
}

bool CPopupMouseTracker::IsTracked(CTrackedBar* pBar) const
{
    return std::find(m_popups.begin(), m_popups.end(), pBar) != m_popups.end();
}

void CPopupMouseTracker::AddTrackedPopup(CTrackedBar* pBar)
{
    if (!pBar)
        return;
    m_pModuleState = AfxGetModuleState();
    if (m_popups.empty() && m_pHotBar && m_pHotBar != pBar)
        m_pHotBar->ClearHotControl();
    if (!IsTracked(pBar))
        m_popups.push_back(pBar);
}

void CPopupMouseTracker::RemoveTrackedPopup(CTrackedBar* pBar)
{
    std::erase(m_popups, pBar);
    if (m_popups.empty()) {
        // The window under the cursor gets a fresh mouse move.
        POINT pt;
        if (::GetCursorPos(&pt))
            ::SetCursorPos(pt.x, pt.y);
        m_bSwallowNextRelease = FALSE;
    }
}

void CPopupMouseTracker::CloseTrackedPopups()
{
    while (!m_popups.empty()) {
        CTrackedBar* pFirst = m_popups.front();
        pFirst->EndTracking();
        // A bar that did not remove itself must not keep the loop going.
        if (!m_popups.empty() && m_popups.front() == pFirst)
            RemoveTrackedPopup(pFirst);
    }
}

void CPopupMouseTracker::CloseUnlockedPopups()
{
    if (m_popups.empty() || m_popups.front()->m_nInputSuspended <= 0)
        return;
    const std::vector<CTrackedBar*> popups = m_popups;
    for (CTrackedBar* pBar : popups)
        if (IsTracked(pBar) && pBar->m_nInputSuspended == 0)
            pBar->EndTracking();
}

void CPopupMouseTracker::LockTrackedPopups(BOOL bLock)
{
    for (CTrackedBar* pBar : m_popups)
        pBar->m_nInputSuspended += bLock ? 1 : -1;
}

BOOL CPopupMouseTracker::IsOutsideTracking(CTrackedBar* pBar) const
{
    if (m_popups.empty())
        return FALSE;
    if (!pBar || pBar->m_nInputSuspended > 0 || !IsTracked(pBar))
        return TRUE;
    return FALSE;
}

void CPopupMouseTracker::RemoveSafeWindow(HWND hWnd)
{
    auto it = std::find(m_safeWindows.begin(), m_safeWindows.end(), hWnd);
    if (it != m_safeWindows.end())
        m_safeWindows.erase(it);
}

BOOL AFXAPI CPopupMouseTracker::IsOwnerActive(HWND hWnd)
{
    if (!hWnd)
        return FALSE;
    HWND hTop = hWnd;
    for (HWND hNext = AfxGetParentOwner(hTop); hNext; hNext = AfxGetParentOwner(hTop))
        hTop = hNext;
    return ::GetForegroundWindow() == ::GetLastActivePopup(hTop);
}

void CPopupMouseTracker::TrackMouseLeave(HWND hWnd)
{
    if (hWnd == m_hWndMouseLeave)
        return;
    if (m_hWndMouseLeave && ::IsWindow(m_hWndMouseLeave)) {
        ::KillTimer(m_hWndMouseLeave, kMouseLeaveTimer);
        ::SendMessageW(m_hWndMouseLeave, WM_MOUSELEAVE, 0, 0);
    }
    m_hWndMouseLeave = hWnd;
    if (hWnd)
        ::SetTimer(hWnd, kMouseLeaveTimer, 50, &MouseLeaveTimerProc);
}

void CALLBACK CPopupMouseTracker::MouseLeaveTimerProc(HWND hWnd, UINT, UINT_PTR nIDEvent, DWORD)
{
    CPopupMouseTracker* pTracker = GetThreadTracker();
    if (!::IsWindow(hWnd)) {
        ::KillTimer(hWnd, nIDEvent);
        if (pTracker->m_hWndMouseLeave == hWnd)
            pTracker->m_hWndMouseLeave = nullptr;
        return;
    }
    POINT pt;
    ::GetCursorPos(&pt);
    RECT rect;
    ::GetWindowRect(hWnd, &rect);
    const LONG_PTR style = ::GetWindowLongPtrW(hWnd, GWL_STYLE);
    const bool topLevel = !(style & WS_CHILD) || ::GetParent(hWnd) == nullptr;
    const bool stillInside =
        ::PtInRect(&rect, pt) && (topLevel || (style & WS_POPUP) || IsOwnerActive(hWnd));
    if (stillInside)
        return;
    ::KillTimer(hWnd, nIDEvent);
    if (pTracker->m_hWndMouseLeave == hWnd)
        pTracker->m_hWndMouseLeave = nullptr;
    ::PostMessageW(hWnd, WM_MOUSELEAVE, 0, 0);
}

LRESULT CALLBACK CPopupMouseTracker::PopupMouseHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    CPopupMouseTracker* pTracker = t_pMouseTracker;
    if (nCode != HC_ACTION || !pTracker)
        return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
    const UINT nMessage = static_cast<UINT>(wParam);
    const auto* pInfo = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);

    if (nMessage == WM_LBUTTONDOWN || nMessage == WM_RBUTTONDOWN)
        pTracker->m_bSwallowNextRelease = FALSE;
    if ((nMessage == WM_LBUTTONUP || nMessage == WM_NCLBUTTONUP) && pTracker->m_bSwallowNextRelease) {
        pTracker->m_bSwallowNextRelease = FALSE;
        return 1;
    }
    if (!pTracker->m_popups.empty() && IsMoveMessage(nMessage) && pInfo->pt.x == g_ptLastMouse.x &&
        pInfo->pt.y == g_ptLastMouse.y)
        return 1;
    g_ptLastMouse = pInfo->pt;

    if (!pTracker->m_popups.empty()) {
        AFX_MAINTAIN_STATE state(pTracker->m_pModuleState ? pTracker->m_pModuleState : AfxGetModuleState());
        pTracker->RouteMouseMessage(nMessage, pInfo->pt);
    }
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

void CPopupMouseTracker::RouteMouseMessage(UINT nMessage, POINT ptScreen)
{
    HWND hWndUnder = ::WindowFromPoint(ptScreen);
    for (auto it = m_popups.rbegin(); it != m_popups.rend(); ++it) {
        CTrackedBar* pBar = *it;
        HWND hBar = pBar->GetTrackedWindow();
        if (!hBar)
            continue;
        const int hit = pBar->HitTestWindow(ptScreen);
        const bool onBar = hit == 1 || (hit != -2 && hWndUnder && ::IsChild(hBar, hWndUnder));
        if (!onBar)
            continue;
        if (pBar->m_nInputSuspended > 0 && !IsMoveMessage(nMessage) && !m_bSwallowNextRelease) {
            CloseUnlockedPopups();
            g_ptLastMouse = POINT{0, 0};
        }
        return;
    }
    for (HWND hSafe : m_safeWindows) {
        RECT rect;
        if (::IsWindow(hSafe) && ::IsWindowVisible(hSafe) && ::GetWindowRect(hSafe, &rect) && ::PtInRect(&rect, ptScreen))
            return;
    }
    // A popup may close (and others with it) while it is told: walk a copy.
    const std::vector<CTrackedBar*> popups = m_popups;
    for (CTrackedBar* pBar : popups)
        if (IsTracked(pBar))
            DispatchToPopup(pBar, nMessage, ptScreen);
}

void CPopupMouseTracker::DispatchToPopup(CTrackedBar* pBar, UINT nMessage, POINT ptScreen)
{
    switch (nMessage) {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
        if (pBar->m_nInputSuspended <= 0) {
            CPoint pt(ptScreen);
            ::ScreenToClient(pBar->GetTrackedWindow(), &pt);
            pBar->OnTrackedMouseMove(0, pt);
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
        CloseTrackedPopups();
        break;
    case WM_LBUTTONUP:
    case WM_NCLBUTTONUP:
        if (m_nLock <= 0)
            CloseTrackedPopups();
        break;
    default:
        break;
    }
}

CPopupKeyboardTracker* AFXAPI CPopupKeyboardTracker::GetThreadTracker()
{
    if (!t_pKeyboardTracker)
        t_pKeyboardTracker = new CPopupKeyboardTracker;
    return t_pKeyboardTracker;
}

CPopupKeyboardTracker::~CPopupKeyboardTracker()
{
    Unhook();
}

void CPopupKeyboardTracker::Unhook()
{
    if (m_hKeyboardHook)
        ::UnhookWindowsHookEx(m_hKeyboardHook);
    if (m_hCallWndProcHook)
        ::UnhookWindowsHookEx(m_hCallWndProcHook);
    m_hKeyboardHook = nullptr;
    m_hCallWndProcHook = nullptr;
}

void CPopupKeyboardTracker::AddSink(CSubclassHookSink* pSink)
{
    if (!pSink)
        return;
    const DWORD threadId = ::GetCurrentThreadId();
    if (!m_hKeyboardHook)
        m_hKeyboardHook = ::SetWindowsHookExW(WH_KEYBOARD, &PopupKeyboardHookProc, nullptr, threadId);
    if (!m_hCallWndProcHook)
        m_hCallWndProcHook = ::SetWindowsHookExW(WH_CALLWNDPROC, &PopupCallWndProcHookProc, nullptr, threadId);
    m_pModuleState = AfxGetModuleState();
    if (std::find(m_sinks.begin(), m_sinks.end(), pSink) == m_sinks.end())
        m_sinks.push_back(pSink);
}

void CPopupKeyboardTracker::RemoveSink(CSubclassHookSink* pSink)
{
    std::erase(m_sinks, pSink);
    if (m_sinks.empty())
        Unhook();
}

BOOL CPopupKeyboardTracker::ProcessKeyMessage(UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    // A sink may remove sinks (itself included) while it is asked.
    const std::vector<CSubclassHookSink*> sinks = m_sinks;
    for (auto it = sinks.rbegin(); it != sinks.rend(); ++it) {
        if (std::find(m_sinks.begin(), m_sinks.end(), *it) == m_sinks.end())
            continue;
        WPARAM wCopy = wParam;
        LPARAM lCopy = lParam;
        LRESULT lResult = 0;
        const int answer = (*it)->OnHookMessage(nullptr, nMessage, wCopy, lCopy, lResult);
        if (answer != CSubclassHookSink::kNotHandled)
            return answer != CSubclassHookSink::kStopAsking;
    }
    return TRUE;
}

LRESULT CALLBACK CPopupKeyboardTracker::PopupKeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    CPopupKeyboardTracker* pTracker = t_pKeyboardTracker;
    const bool released = (static_cast<DWORD>(lParam) & 0x80000000u) != 0;
    if (nCode != HC_ACTION || released || !pTracker || pTracker->m_sinks.empty())
        return ::CallNextHookEx(nullptr, nCode, wParam, lParam);

    AFX_MAINTAIN_STATE state(pTracker->m_pModuleState ? pTracker->m_pModuleState : AfxGetModuleState());
    const bool altContext = (static_cast<DWORD>(lParam) & 0x20000000u) != 0;
    CPopupMouseTracker* pMouse = CPopupMouseTracker::GetThreadTracker();
    if (altContext && wParam == VK_MENU && pMouse->m_nLock <= 0) {
        const bool autoRepeat = (static_cast<DWORD>(lParam) & 0x40000000u) != 0;
        if (autoRepeat)
            return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
        pMouse->CloseTrackedPopups();
        return 1;
    }
    if (pTracker->ProcessKeyMessage(WM_KEYDOWN, wParam, lParam))
        return 1;
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

LRESULT CALLBACK CPopupKeyboardTracker::PopupCallWndProcHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HC_ACTION) {
        const auto* pInfo = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (pInfo->message == WM_ACTIVATEAPP && !pInfo->wParam && t_pMouseTracker)
            t_pMouseTracker->CloseTrackedPopups();
    }
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}
