// The menu sounds: "MenuPopup" when a popup opens and "MenuCommand" when a
// control runs its command, played on a worker thread of their own so that
// the interface never waits for a sound. The interface thread only stores a
// request; the worker polls it every 5 ms, so requests made while a sound
// plays are dropped and of several between two polls the last one plays.
#pragma once

#include <windows.h>

#include <atomic>
#include <memory>

class CMenuSoundPlayer
{
public:
    enum Request
    {
        kIdle = 0,
        kMenuCommand = 1,
        kMenuPopup = 2,
        kQuit = 3,
    };

    // The process's player.
    static CMenuSoundPlayer& Instance();

    CMenuSoundPlayer() = default;
    ~CMenuSoundPlayer() { Stop(); }
    CMenuSoundPlayer(const CMenuSoundPlayer&) = delete;
    CMenuSoundPlayer& operator=(const CMenuSoundPlayer&) = delete;

    // Starts the worker on the first request; a worker that cannot start
    // leaves the request without effect, and the next one tries again.
    void Play(int nKind);
    // Ends the worker; harmless when none runs.
    void Stop();
    BOOL IsRunning() const { return m_hThread != nullptr; }

private:
    // Shared with the worker, which keeps it alive even when it outlives the
    // player (a sound still playing when the process ends).
    struct SharedState
    {
        std::atomic<int> request{kIdle};
    };

    static DWORD WINAPI MenuSoundThreadProc(LPVOID pParam);
    BOOL StartWorker();

    std::shared_ptr<SharedState> m_pState = std::make_shared<SharedState>();
    BOOL m_bEnabled = TRUE;
    HANDLE m_hThread = nullptr;
};
