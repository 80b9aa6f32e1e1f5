// CWinThread: a thread with the framework's message loop and idle phase.
#pragma once

#include "CCmdTarget.h"

class CWnd;

typedef UINT (*AFX_THREADPROC)(LPVOID);

class CWinThread : public CCmdTarget
{
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread();
    CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
    ~CWinThread() override;

    BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);

    CWnd* m_pMainWnd = nullptr;
    CWnd* m_pActiveWnd = nullptr;
    BOOL m_bAutoDelete = TRUE;
    HANDLE m_hThread = nullptr;
    DWORD m_nThreadID = 0;
    operator HANDLE() const { return this == nullptr ? nullptr : m_hThread; }

    int GetThreadPriority() { return ::GetThreadPriority(m_hThread); }
    BOOL SetThreadPriority(int nPriority) { return ::SetThreadPriority(m_hThread, nPriority); }
    DWORD ResumeThread() { return ::ResumeThread(m_hThread); }
    BOOL PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam)
    {
        return ::PostThreadMessageW(m_nThreadID, message, wParam, lParam);
    }

    virtual BOOL InitInstance() { return FALSE; }
    virtual int ExitInstance();
    // The message loop: idle phase while the queue is empty, then messages
    // until the queue is empty again; returns ExitInstance() after WM_QUIT.
    virtual int Run();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL PumpMessage();
    // lCount 0: command-update pass over the thread's windows; 1: temporary
    // objects are freed. Returns whether more idle work is wanted.
    virtual BOOL OnIdle(LONG lCount);
    virtual BOOL IsIdleMessage(MSG* pMsg);
    virtual CWnd* GetMainWnd();
    virtual void Delete();

    AFX_THREADPROC m_pfnThreadProc = nullptr;
    LPVOID m_pThreadParams = nullptr;

    static const AFX_MSGMAP* GetThisMessageMap();
    const AFX_MSGMAP* GetMessageMap() const override;

private:
    friend unsigned __stdcall AfxThreadEntry(void* pParam);
};

CWinThread* AFXAPI AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam,
                                  int nPriority = THREAD_PRIORITY_NORMAL, UINT nStackSize = 0,
                                  DWORD dwCreateFlags = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
CWinThread* AFXAPI AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority = THREAD_PRIORITY_NORMAL,
                                  UINT nStackSize = 0, DWORD dwCreateFlags = 0,
                                  LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
CWinThread* AFXAPI AfxGetThread();
// Ends the calling framework thread with nExitCode; never returns.
[[noreturn]] void AFXAPI AfxEndThread(UINT nExitCode, BOOL bDelete = TRUE);
CWnd* AFXAPI AfxGetMainWnd();

// One message of the calling thread's loop: FALSE on WM_QUIT (which stays in
// the thread's current message for the caller to repost).
BOOL AFXAPI AfxPumpMessage();
// The pre-translation walk from the message's window up its parents and
// owners to the main window.
BOOL AFXAPI AfxPreTranslateMessage(MSG* pMsg);
