#include "CMenuSoundPlayer.h"

#include <mmsystem.h>

namespace
{

constexpr DWORD kPollMs = 5;
// How long Stop waits for a sound to end before it lets the worker go.
constexpr DWORD kStopWaitMs = 100;

}  // namespace

CMenuSoundPlayer& CMenuSoundPlayer::Instance()
{
    static CMenuSoundPlayer player;
    return player;
}

void CMenuSoundPlayer::Play(int nKind)
{
    if (!m_bEnabled)
        return;
    if (m_hThread == nullptr && !StartWorker())
        return;
    m_pState->request.store(nKind);
}

BOOL CMenuSoundPlayer::StartWorker()
{
    m_pState->request.store(kIdle);
    // The worker owns one reference to the state; it frees it when it ends.
    auto* pWorkerState = new std::shared_ptr<SharedState>(m_pState);
    HANDLE hThread = ::CreateThread(nullptr, 0, &MenuSoundThreadProc, pWorkerState, CREATE_SUSPENDED, nullptr);
    if (hThread == nullptr)
    {
        delete pWorkerState;
        return FALSE;
    }
    ::SetThreadPriority(hThread, THREAD_PRIORITY_BELOW_NORMAL);
    ::ResumeThread(hThread);
    m_hThread = hThread;
    return TRUE;
}

void CMenuSoundPlayer::Stop()
{
    if (m_hThread == nullptr)
        return;
    m_pState->request.store(kQuit);
    if (::WaitForSingleObject(m_hThread, kStopWaitMs) != WAIT_OBJECT_0)
    {
        // Cut a playing sound short so the worker sees the request at once.
        ::PlaySoundW(nullptr, nullptr, SND_PURGE);
        ::WaitForSingleObject(m_hThread, kStopWaitMs);
    }
    ::CloseHandle(m_hThread);
    m_hThread = nullptr;
    // A worker that is still running keeps the old state; a later start gets a fresh one.
    m_pState = std::make_shared<SharedState>();
}

DWORD WINAPI CMenuSoundPlayer::MenuSoundThreadProc(LPVOID pParam)
{
    std::unique_ptr<std::shared_ptr<SharedState>> pOwned(static_cast<std::shared_ptr<SharedState>*>(pParam));
    SharedState& state = **pOwned;
    for (;;)
    {
        const int nRequest = state.request.load();
        if (nRequest == kQuit)
            break;
        if (nRequest == kMenuCommand || nRequest == kMenuPopup)
        {
            ::PlaySoundW(nRequest == kMenuCommand ? L"MenuCommand" : L"MenuPopup", nullptr,
                         SND_ALIAS | SND_NODEFAULT | SND_NOWAIT | SND_SYNC);
            // Requests made while the sound played are dropped; a quit stays.
            int nSeen = state.request.load();
            while (nSeen != kQuit && !state.request.compare_exchange_weak(nSeen, kIdle))
            {
            }
        }
        ::Sleep(kPollMs);
    }
    ::PlaySoundW(nullptr, nullptr, SND_PURGE);
    return 0;
}
