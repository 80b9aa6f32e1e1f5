// The framework window procedure, the creation hook and the handle maps.
#include "CWnd.h"

#include "../core/Exceptions.h"
#include "ThreadState.h"

#include <mutex>
#include <set>
#include <string>

LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    AFX_THREAD_STATE* state = AfxGetThreadState();
    MSG previous = state->m_lastSentMsg;
    state->m_lastSentMsg.hwnd = hWnd;
    state->m_lastSentMsg.message = nMsg;
    state->m_lastSentMsg.wParam = wParam;
    state->m_lastSentMsg.lParam = lParam;

    // Nothing may unwind into the system's dispatcher. A failure during
    // creation makes the creation fail; at any other time the message
    // counts as processed with a zero result.
    LRESULT result = 0;
    try
    {
        result = pWnd->WindowProc(nMsg, wParam, lParam);
    }
    catch (CException* e)
    {
        result = (nMsg == WM_CREATE) ? -1 : 0;
        e->Delete();
    }
    catch (...)
    {
        result = (nMsg == WM_CREATE) ? -1 : 0;
    }

    // A WM_NCDESTROY whose handler failed still leaves no object bound to a
    // dead handle.
    if (nMsg == WM_NCDESTROY && state->WindowMap().LookupPermanent(hWnd) == pWnd)
    {
        state->WindowMap().RemoveHandle(hWnd);
        pWnd->m_hWnd = nullptr;
        try
        {
            pWnd->PostNcDestroy();
        }
        catch (CException* e)
        {
            e->Delete();
        }
        catch (...)
        {
        }
    }
    state->m_lastSentMsg = previous;
    return result;
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == nullptr)
        return ::DefWindowProcW(hWnd, nMsg, wParam, lParam);
    return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

// Binds the window being created to its object at HCBT_CREATEWND, before
// any message reaches it, and puts the framework procedure in front of the
// class procedure.
static LRESULT CALLBACK AfxCbtFilterHook(int code, WPARAM wParam, LPARAM lParam)
{
    AFX_THREAD_STATE* state = AfxGetThreadState();
    if (code == HCBT_CREATEWND && state->m_pWndInit != nullptr)
    {
        CWnd* pWndInit = state->m_pWndInit;
        state->m_pWndInit = nullptr;
        HWND hWnd = reinterpret_cast<HWND>(wParam);
        try
        {
            pWndInit->Attach(hWnd);
            pWndInit->PreSubclassWindow();
            WNDPROC old = reinterpret_cast<WNDPROC>(
                ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
            if (old != &AfxWndProc)
                pWndInit->m_pfnSuper = old;
        }
        catch (CException* e)
        {
            e->Delete();
        }
        catch (...)
        {
        }
    }
    return ::CallNextHookEx(state->m_hHookOldCbtFilter, code, wParam, lParam);
}

void AFXAPI AfxHookWindowCreate(CWnd* pWnd)
{
    AFX_THREAD_STATE* state = AfxGetThreadState();
    if (state->m_hHookOldCbtFilter == nullptr)
    {
        state->m_hHookOldCbtFilter = ::SetWindowsHookExW(WH_CBT, AfxCbtFilterHook, nullptr, ::GetCurrentThreadId());
        if (state->m_hHookOldCbtFilter == nullptr)
            AfxThrowMemoryException();
    }
    state->m_pWndInit = pWnd;
}

BOOL AFXAPI AfxUnhookWindowCreate()
{
    AFX_THREAD_STATE* state = AfxGetThreadState();
    if (state->m_pWndInit != nullptr)
    {
        state->m_pWndInit = nullptr;
        return FALSE; // the window was never made
    }
    return TRUE;
}

CWnd* AFXAPI CWnd::FromHandle(HWND hWnd)
{
    return AfxGetThreadState()->WindowMap().FromHandle(hWnd);
}

CWnd* AFXAPI CWnd::FromHandlePermanent(HWND hWnd)
{
    return hWnd == nullptr ? nullptr : AfxGetThreadState()->WindowMap().LookupPermanent(hWnd);
}

void AFXAPI CWnd::DeleteTempMap()
{
    AfxGetThreadState()->WindowMap().DeleteTemp();
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (hWndNew == nullptr)
        return FALSE;
    ASSERT(m_hWnd == nullptr);
    ASSERT(FromHandlePermanent(hWndNew) == nullptr);
    m_hWnd = hWndNew;
    AfxGetThreadState()->WindowMap().SetPermanent(hWndNew, this);
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd != nullptr)
        AfxGetThreadState()->WindowMap().RemoveHandle(hWnd);
    m_hWnd = nullptr;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    WNDPROC old = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    if (old != &AfxWndProc)
        m_pfnSuper = old;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    HWND hWndControl = ::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID));
    return hWndControl != nullptr && SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow()
{
    if (m_pfnSuper != nullptr)
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    return Detach();
}

BOOL AFXAPI AfxRegisterClass(WNDCLASSW* lpWndClass)
{
    WNDCLASSW existing;
    if (::GetClassInfoW(lpWndClass->hInstance, lpWndClass->lpszClassName, &existing))
        return TRUE;
    return ::RegisterClassW(lpWndClass) != 0;
}

LPCTSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    // One name per distinct set of attributes, kept for the process.
    static std::mutex lock;
    static std::set<std::wstring> names;
    CString name;
    name.Format(L"Afx:%p:%x:%p:%p:%p", AfxGetInstanceHandle(), nClassStyle, hCursor, hbrBackground, hIcon);
    std::lock_guard<std::mutex> guard(lock);
    auto it = names.find(std::wstring(name));
    if (it == names.end())
    {
        WNDCLASSW wc{};
        wc.style = nClassStyle;
        wc.lpfnWndProc = ::DefWindowProcW; // the creation hook subclasses every instance
        wc.hInstance = AfxGetInstanceHandle();
        wc.hIcon = hIcon;
        wc.hCursor = hCursor;
        wc.hbrBackground = hbrBackground;
        wc.lpszClassName = name;
        if (!AfxRegisterClass(&wc))
            AfxThrowResourceException();
        it = names.emplace(name).first;
    }
    return it->c_str();
}
