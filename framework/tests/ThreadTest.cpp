// Threads and the program's end: AfxEndThread, the check that windows are
// touched only by their own thread, and a start-up that throws.
#include "Framework.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cwchar>

namespace
{
std::atomic<bool> s_ranPastEnd{false};

UINT EndsEarly(LPVOID)
{
    AfxEndThread(42);
    s_ranPastEnd = true; // never reached
    return 7;
}

struct Breach
{
    HWND hWnd = nullptr;
    DWORD owner = 0;
    DWORD caller = 0;
    int count = 0;
} s_breach;

void AFXAPI RecordBreach(HWND hWnd, DWORD dwOwnerThread, DWORD dwCallingThread)
{
    s_breach.hWnd = hWnd;
    s_breach.owner = dwOwnerThread;
    s_breach.caller = dwCallingThread;
    ++s_breach.count;
}

UINT InvalidatesAWindow(LPVOID pParam)
{
    static_cast<CWnd*>(pParam)->Invalidate(); // does not block: only the check sees it
    return 0;
}
} // namespace

TEST(ThreadTest, EndThreadEndsTheThreadWithItsCode)
{
    s_ranPastEnd = false;
    CWinThread* pThread = AfxBeginThread(EndsEarly, nullptr, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(pThread, nullptr);
    pThread->m_bAutoDelete = FALSE;
    pThread->ResumeThread();
    ASSERT_EQ(::WaitForSingleObject(pThread->m_hThread, 5000), WAIT_OBJECT_0);
    DWORD exitCode = 0;
    ASSERT_TRUE(::GetExitCodeThread(pThread->m_hThread, &exitCode));
    EXPECT_EQ(exitCode, 42u);
    EXPECT_FALSE(s_ranPastEnd);
    delete pThread;
}

TEST(ThreadTest, WorkerTouchingAWindowIsCaughtInThisBuild)
{
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), L"owned", WS_POPUP, 0, 0, 40, 40, nullptr, nullptr));
    s_breach = Breach{};
    AFX_WINDOW_THREAD_HANDLER previous = AfxSetWindowThreadHandler(RecordBreach);

    wnd.Invalidate(); // its own thread: fine
    EXPECT_EQ(s_breach.count, 0);

    CWinThread* pWorker = AfxBeginThread(InvalidatesAWindow, &wnd, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(pWorker, nullptr);
    pWorker->m_bAutoDelete = FALSE;
    DWORD workerId = pWorker->m_nThreadID;
    pWorker->ResumeThread();
    EXPECT_EQ(::WaitForSingleObject(pWorker->m_hThread, 5000), WAIT_OBJECT_0);
    delete pWorker;
    AfxSetWindowThreadHandler(previous);

    EXPECT_EQ(s_breach.count, 1);
    EXPECT_EQ(s_breach.hWnd, wnd.m_hWnd);
    EXPECT_EQ(s_breach.owner, ::GetCurrentThreadId());
    EXPECT_EQ(s_breach.caller, workerId);
    wnd.DestroyWindow();
}

namespace
{
struct FoundBox
{
    DWORD processId;
    HWND hWnd;
};

BOOL CALLBACK FindMessageBoxOf(HWND hWnd, LPARAM lParam)
{
    auto* found = reinterpret_cast<FoundBox*>(lParam);
    DWORD processId = 0;
    ::GetWindowThreadProcessId(hWnd, &processId);
    wchar_t className[16] = {};
    ::GetClassNameW(hWnd, className, 16);
    if (processId == found->processId && std::wcscmp(className, L"#32770") == 0 && ::IsWindowVisible(hWnd))
    {
        found->hWnd = hWnd;
        return FALSE;
    }
    return TRUE;
}
} // namespace

TEST(ThreadTest, StandardExceptionAtStartUpEndsTheProgramWithAMessage)
{
    // The gallery program, ended here whatever the test finds.
    struct ChildProcess
    {
        PROCESS_INFORMATION info{};
        ~ChildProcess()
        {
            if (info.hProcess == nullptr)
                return;
            if (::WaitForSingleObject(info.hProcess, 0) != WAIT_OBJECT_0)
                ::TerminateProcess(info.hProcess, 1);
            ::CloseHandle(info.hThread);
            ::CloseHandle(info.hProcess);
        }
    } child;
    wchar_t commandLine[] = L"framework_gallery_program.exe /fail-start";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    ASSERT_TRUE(::CreateProcessW(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                 &child.info));
    FoundBox box{child.info.dwProcessId, nullptr};
    for (int tries = 0; tries < 200 && box.hWnd == nullptr; ++tries)
    {
        if (::WaitForSingleObject(child.info.hProcess, 50) == WAIT_OBJECT_0)
            break; // ended without a word
        ::EnumWindows(FindMessageBoxOf, reinterpret_cast<LPARAM>(&box));
    }
    ASSERT_NE(box.hWnd, nullptr) << "no message box from the failing program";
    wchar_t text[512] = {};
    ::GetDlgItemTextW(box.hWnd, 0xFFFF, text, 512); // the message box's text control
    EXPECT_NE(std::wcsstr(text, L"the gallery was told to fail at start-up"), nullptr) << text;

    ::PostMessageW(box.hWnd, WM_COMMAND, IDOK, 0);
    ASSERT_EQ(::WaitForSingleObject(child.info.hProcess, 10000), WAIT_OBJECT_0);
    DWORD exitCode = 0;
    ::GetExitCodeProcess(child.info.hProcess, &exitCode);
    EXPECT_EQ(exitCode, static_cast<DWORD>(-1));
}
