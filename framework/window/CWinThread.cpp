#include "CWinThread.h"

#include "../core/Exceptions.h"
#include "CFrameWnd.h"
#include "CWinApp.h"
#include "CWnd.h"
#include "ThreadState.h"

#include <process.h>

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

BEGIN_MESSAGE_MAP(CWinThread, CCmdTarget)
END_MESSAGE_MAP()

CWinThread::CWinThread() = default;

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam)
    : m_pfnThreadProc(pfnThreadProc), m_pThreadParams(pParam)
{
}

CWinThread::~CWinThread()
{
    if (m_hThread != nullptr)
        ::CloseHandle(m_hThread);
    AFX_THREAD_STATE* state = AfxGetThreadState();
    if (state->m_pThread == this)
        state->m_pThread = nullptr;
}

unsigned __stdcall AfxThreadEntry(void* pParam)
{
    auto* pThread = static_cast<CWinThread*>(pParam);
    AfxGetThreadState()->m_pThread = pThread;

    UINT exitCode = 0;
    try
    {
        if (pThread->m_pfnThreadProc != nullptr)
            exitCode = pThread->m_pfnThreadProc(pThread->m_pThreadParams);
        else if (pThread->InitInstance())
            exitCode = static_cast<UINT>(pThread->Run());
        else
            exitCode = static_cast<UINT>(pThread->ExitInstance());
    }
    catch (CException* e)
    {
        e->Delete();
        exitCode = static_cast<UINT>(-1);
    }
    catch (...)
    {
        exitCode = static_cast<UINT>(-1);
    }
    AfxEndThread(exitCode);
}

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    unsigned threadId = 0;
    m_hThread = reinterpret_cast<HANDLE>(
        _beginthreadex(lpSecurityAttrs, nStackSize, &AfxThreadEntry, this, CREATE_SUSPENDED, &threadId));
    if (m_hThread == nullptr)
        return FALSE;
    m_nThreadID = threadId;
    if (!(dwCreateFlags & CREATE_SUSPENDED))
        ::ResumeThread(m_hThread);
    return TRUE;
}

void CWinThread::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

int CWinThread::ExitInstance()
{
    AfxDeleteTempMaps();
    return static_cast<int>(AfxGetThreadState()->m_msgCur.wParam);
}

CWnd* CWinThread::GetMainWnd()
{
    if (m_pActiveWnd != nullptr)
        return m_pActiveWnd;
    return m_pMainWnd;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg)
{
    // Messages that arrive all the time must not restart the idle phase.
    static thread_local POINT lastMouse{-1, -1};
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE)
    {
        if (pMsg->pt.x == lastMouse.x && pMsg->pt.y == lastMouse.y)
            return FALSE;
        lastMouse = pMsg->pt;
        return TRUE;
    }
    return pMsg->message != WM_PAINT && pMsg->message != 0x0118 && pMsg->message != WM_TIMER;
}

int CWinThread::Run()
{
    MSG& msg = AfxGetThreadState()->m_msgCur;
    bool idle = true;
    LONG idleCount = 0;
    for (;;)
    {
        while (idle && !::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE))
        {
            if (!OnIdle(idleCount++))
                idle = false;
        }
        do
        {
            if (!PumpMessage())
                return ExitInstance();
            if (IsIdleMessage(&msg))
            {
                idle = true;
                idleCount = 0;
            }
        } while (::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWinThread::PumpMessage()
{
    MSG& msg = AfxGetThreadState()->m_msgCur;
    if (!::GetMessageW(&msg, nullptr, 0, 0))
        return FALSE;
    if (msg.message != WM_KICKIDLE && !PreTranslateMessage(&msg))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return TRUE;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->hwnd == nullptr)
    {
        // Thread messages go to this object's ON_THREAD_MESSAGE entries.
        if (const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(pMsg->message, 0, 0))
        {
            AFX_MSGCALL call{pMsg->message, pMsg->wParam, pMsg->lParam, 0, 0, nullptr, 0};
            DispatchEntry(entry, call);
            return TRUE;
        }
    }
    return AfxPreTranslateMessage(pMsg);
}

BOOL AFXAPI AfxPreTranslateMessage(MSG* pMsg)
{
    CWnd::FilterToolTipMessage(pMsg);
    CWnd* pMainWnd = AfxGetMainWnd();
    HWND hWndStop = pMainWnd->GetSafeHwnd();
    bool mainSeen = false;
    for (HWND hWnd = pMsg->hwnd; hWnd != nullptr; hWnd = AfxGetParentOwner(hWnd))
    {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd != nullptr && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
        {
            mainSeen = true;
            break;
        }
    }
    // Windows outside the main window's family still get its accelerators.
    if (!mainSeen && pMainWnd != nullptr && pMsg->hwnd != nullptr && pMainWnd->m_hWnd != nullptr)
        return pMainWnd->PreTranslateMessage(pMsg);
    return FALSE;
}

BOOL AFXAPI AfxPumpMessage()
{
    if (CWinThread* pThread = AfxGetThread())
        return pThread->PumpMessage();
    MSG& msg = AfxGetThreadState()->m_msgCur;
    if (!::GetMessageW(&msg, nullptr, 0, 0))
        return FALSE;
    if (msg.message != WM_KICKIDLE && !AfxPreTranslateMessage(&msg))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return TRUE;
}

// Sends the idle update to a window and its permanent descendants.
static void SendIdleUpdate(CWnd* pWnd)
{
    if (pWnd == nullptr || pWnd->m_hWnd == nullptr || !::IsWindowVisible(pWnd->m_hWnd))
        return;
    AfxCallWndProc(pWnd, pWnd->m_hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
    pWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
}

BOOL CWinThread::OnIdle(LONG lCount)
{
    if (lCount <= 0)
    {
        SendIdleUpdate(m_pMainWnd);
        // Floating and other frames of the thread are owned popups, not
        // descendants, so each gets its own pass. Copy: a handler may close one.
        std::vector<CFrameWnd*> frames = AfxGetThreadState()->m_frames;
        for (CFrameWnd* pFrame : frames)
        {
            if (pFrame != m_pMainWnd && CFrameWnd::IsFrameOfThread(pFrame))
                SendIdleUpdate(pFrame);
        }
        return TRUE;
    }
    if (lCount == 1)
        AfxDeleteTempMaps();
    return FALSE;
}

CWinThread* AFXAPI AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority, UINT nStackSize,
                                  DWORD dwCreateFlags, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    auto* pThread = new CWinThread(pfnThreadProc, pParam);
    if (!pThread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs))
    {
        pThread->Delete();
        return nullptr;
    }
    pThread->SetThreadPriority(nPriority);
    if (!(dwCreateFlags & CREATE_SUSPENDED))
        pThread->ResumeThread();
    return pThread;
}

CWinThread* AFXAPI AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority, UINT nStackSize, DWORD dwCreateFlags,
                                  LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    auto* pThread = static_cast<CWinThread*>(pThreadClass->CreateObject());
    if (pThread == nullptr)
        return nullptr;
    if (!pThread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs))
    {
        pThread->Delete();
        return nullptr;
    }
    pThread->SetThreadPriority(nPriority);
    if (!(dwCreateFlags & CREATE_SUSPENDED))
        pThread->ResumeThread();
    return pThread;
}

CWinThread* AFXAPI AfxGetThread()
{
    return AfxGetThreadState()->m_pThread;
}

void AFXAPI AfxEndThread(UINT nExitCode, BOOL bDelete)
{
    AFX_THREAD_STATE* state = AfxGetThreadState();
    CWinThread* pThread = state->m_pThread;
    if (pThread != nullptr && bDelete)
    {
        state->m_pThread = nullptr;
        pThread->Delete();
    }
    AfxFreeThreadState();
    // Ends the calling thread here, with this code; objects on its stack are
    // not unwound, as with any thread end from inside.
    _endthreadex(nExitCode);
}

CWnd* AFXAPI AfxGetMainWnd()
{
    CWinThread* pThread = AfxGetThread();
    if (pThread == nullptr)
        pThread = static_cast<CWinThread*>(AfxGetAppModuleState()->m_pCurrentWinApp);
    return pThread != nullptr ? pThread->GetMainWnd() : nullptr;
}
