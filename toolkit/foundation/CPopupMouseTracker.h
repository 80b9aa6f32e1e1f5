// The input of open popups. Popup bars never take the activation or the focus
// from the frame, so a per-thread mouse hook routes the mouse to them and
// closes them on a click elsewhere, and keyboard hooks (only while key sinks
// are registered) hand them the keys and close them on Alt or when the
// application loses the activation.
#pragma once

#include "CSubclassHookSink.h"

#include <vector>

// What the trackers need of a popup bar (the command bars implement it).
class CTrackedBar
{
public:
    virtual ~CTrackedBar() = default;
    virtual HWND GetTrackedWindow() const = 0;
    // -2: the screen point is not on this bar; 1: it is; anything else counts
    // as on it only when the window under the point is a child of the bar.
    virtual int HitTestWindow(POINT ptScreen) = 0;
    // The bar's input-suspended count (above 0: locked).
    int m_nInputSuspended = 0;
    // A mouse move in the bar's client coordinates (clears its hot control
    // when the mouse has left it).
    virtual void OnTrackedMouseMove(UINT nFlags, CPoint ptClient) = 0;
    // Ends the bar's tracking, which removes it from the tracker.
    virtual void EndTracking() = 0;
    virtual void ClearHotControl() = 0;
};

class CPopupMouseTracker
{
public:
    // The calling thread's tracker, made on its first request.
    static CPopupMouseTracker* AFXAPI GetThreadTracker();
    // Frees the calling thread's trackers (at the end of a thread).
    static void AFXAPI FreeThreadTrackers();
    ~CPopupMouseTracker();
    CPopupMouseTracker(const CPopupMouseTracker&) = delete;
    CPopupMouseTracker& operator=(const CPopupMouseTracker&) = delete;

    void AddTrackedPopup(CTrackedBar* pBar);
    void RemoveTrackedPopup(CTrackedBar* pBar);
    void CloseTrackedPopups();
    void CloseUnlockedPopups();
    void LockTrackedPopups(BOOL bLock);
    BOOL IsOutsideTracking(CTrackedBar* pBar) const;
    BOOL IsTracking() const { return !m_popups.empty(); }
    const std::vector<CTrackedBar*>& GetTrackedPopups() const { return m_popups; }

    void AddSafeWindow(HWND hWnd) { m_safeWindows.push_back(hWnd); }
    void RemoveSafeWindow(HWND hWnd);

    // Emulates WM_MOUSELEAVE for the window with a 50 ms timer.
    void TrackMouseLeave(HWND hWnd);
    static BOOL AFXAPI IsOwnerActive(HWND hWnd);

    // The tracker's busy count: while above 0 no tooltips show, releases
    // outside and Alt do not close popups.
    int m_nLock = 0;
    CTrackedBar* m_pHotBar = nullptr;
    HWND m_hWndMouseLeave = nullptr;
    BOOL m_bFullMenus = FALSE;
    BOOL m_bSwallowNextRelease = FALSE;

    static constexpr UINT_PTR kMouseLeaveTimer = 113341;

private:
    CPopupMouseTracker();
    static LRESULT CALLBACK PopupMouseHookProc(int nCode, WPARAM wParam, LPARAM lParam);
    static void CALLBACK MouseLeaveTimerProc(HWND hWnd, UINT, UINT_PTR nIDEvent, DWORD);
    bool IsTracked(CTrackedBar* pBar) const;
    void RouteMouseMessage(UINT nMessage, POINT ptScreen);
    void DispatchToPopup(CTrackedBar* pBar, UINT nMessage, POINT ptScreen);

    std::vector<CTrackedBar*> m_popups;
    HHOOK m_hMouseHook = nullptr;
    // The module state of the last popup added, current while routing.
    AFX_MODULE_STATE* m_pModuleState = nullptr;
    std::vector<HWND> m_safeWindows;
};

class CPopupKeyboardTracker
{
public:
    static CPopupKeyboardTracker* AFXAPI GetThreadTracker();
    ~CPopupKeyboardTracker();
    CPopupKeyboardTracker(const CPopupKeyboardTracker&) = delete;
    CPopupKeyboardTracker& operator=(const CPopupKeyboardTracker&) = delete;

    void AddSink(CSubclassHookSink* pSink);
    void RemoveSink(CSubclassHookSink* pSink);
    BOOL HasSinks() const { return !m_sinks.empty(); }
    BOOL IsHooked() const { return m_hKeyboardHook != nullptr; }
    // Offers the key (or wheel) message to the sinks, the latest first.
    // TRUE: consumed.
    BOOL ProcessKeyMessage(UINT nMessage, WPARAM wParam, LPARAM lParam);

private:
    friend class CPopupMouseTracker;
    CPopupKeyboardTracker() = default;
    static LRESULT CALLBACK PopupKeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK PopupCallWndProcHookProc(int nCode, WPARAM wParam, LPARAM lParam);
    void Unhook();

    HHOOK m_hKeyboardHook = nullptr;
    HHOOK m_hCallWndProcHook = nullptr;
    AFX_MODULE_STATE* m_pModuleState = nullptr;
    std::vector<CSubclassHookSink*> m_sinks;
};
