// Monitor work areas through the multi-monitor functions bound at run time,
// and the activity test of a window's top-level owner.
#include "CDrawTools.h"

#include "BoundFunction.h"

namespace {

// Entry points of USER32's multi-monitor functions; all five or none.
class CMultiMonitorFunctions
{
public:
    static const CMultiMonitorFunctions& Instance()
    {
        static const CMultiMonitorFunctions functions;
        return functions;
    }

    using GetSystemMetricsFn = int(WINAPI*)(int);
    using MonitorFromWindowFn = HMONITOR(WINAPI*)(HWND, DWORD);
    using MonitorFromRectFn = HMONITOR(WINAPI*)(LPCRECT, DWORD);
    using MonitorFromPointFn = HMONITOR(WINAPI*)(POINT, DWORD);
    using GetMonitorInfoFn = BOOL(WINAPI*)(HMONITOR, LPMONITORINFO);

    GetSystemMetricsFn pfnGetSystemMetrics = nullptr;
    MonitorFromWindowFn pfnMonitorFromWindow = nullptr;
    MonitorFromRectFn pfnMonitorFromRect = nullptr;
    MonitorFromPointFn pfnMonitorFromPoint = nullptr;
    GetMonitorInfoFn pfnGetMonitorInfo = nullptr;
    bool bound = false;

private:
    CMultiMonitorFunctions()
    {
        HMODULE hUser = ::GetModuleHandleW(L"USER32");
        if (!hUser)
            return;
        pfnGetSystemMetrics = BoundFunction<GetSystemMetricsFn>(hUser, "GetSystemMetrics");
        pfnMonitorFromWindow = BoundFunction<MonitorFromWindowFn>(hUser, "MonitorFromWindow");
        pfnMonitorFromRect = BoundFunction<MonitorFromRectFn>(hUser, "MonitorFromRect");
        pfnMonitorFromPoint = BoundFunction<MonitorFromPointFn>(hUser, "MonitorFromPoint");
        pfnGetMonitorInfo = BoundFunction<GetMonitorInfoFn>(hUser, "GetMonitorInfoW");
        bound = pfnGetSystemMetrics && pfnMonitorFromWindow && pfnMonitorFromRect && pfnMonitorFromPoint &&
                pfnGetMonitorInfo;
        if (!bound) {
            pfnGetSystemMetrics = nullptr;
            pfnMonitorFromWindow = nullptr;
            pfnMonitorFromRect = nullptr;
            pfnMonitorFromPoint = nullptr;
            pfnGetMonitorInfo = nullptr;
        }
    }
};

CRect WorkAreaOf(HMONITOR hMonitor)
{
    const CMultiMonitorFunctions& functions = CMultiMonitorFunctions::Instance();
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (hMonitor && functions.bound && functions.pfnGetMonitorInfo(hMonitor, &info))
        return CRect(info.rcWork);
    CRect workArea;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    return workArea;
}

}  // namespace

CRect AFXAPI GetWorkArea(const RECT& rect)
{
    const CMultiMonitorFunctions& functions = CMultiMonitorFunctions::Instance();
    return WorkAreaOf(functions.bound ? functions.pfnMonitorFromRect(&rect, MONITOR_DEFAULTTONULL) : nullptr);
}

CRect AFXAPI GetWorkArea(const CWnd* pWnd)
{
    const CMultiMonitorFunctions& functions = CMultiMonitorFunctions::Instance();
    HWND hWnd = pWnd->GetSafeHwnd();
    return WorkAreaOf(functions.bound && hWnd ? functions.pfnMonitorFromWindow(hWnd, MONITOR_DEFAULTTONULL) : nullptr);
}

CRect AFXAPI GetWorkArea(POINT point)
{
    const CMultiMonitorFunctions& functions = CMultiMonitorFunctions::Instance();
    return WorkAreaOf(functions.bound ? functions.pfnMonitorFromPoint(point, MONITOR_DEFAULTTONULL) : nullptr);
}

BOOL AFXAPI IsTopLevelWindowActive(const CWnd* pWnd)
{
    HWND hWnd = pWnd->GetSafeHwnd();
    if (!hWnd)
        return FALSE;
    for (HWND hOwner = AfxGetParentOwner(hWnd); hOwner; hOwner = AfxGetParentOwner(hOwner))
        hWnd = hOwner;
    return ::GetForegroundWindow() == ::GetLastActivePopup(hWnd);
}
