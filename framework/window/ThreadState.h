// The framework's state of one thread: the window being created, the message
// being processed, the thread's handle maps and its frames.
#pragma once

#include "../core/CString.h"
#include "../core/FrameworkBase.h"
#include "HandleMap.h"

#include <commctrl.h>

#include <vector>

class CWnd;
class CMenu;
class CDC;
class CGdiObject;
class CImageList;
class CWinThread;
class CFrameWnd;
class CToolTipCtrl;

struct AFX_THREAD_STATE
{
    AFX_THREAD_STATE();
    ~AFX_THREAD_STATE();
    AFX_THREAD_STATE(const AFX_THREAD_STATE&) = delete;
    AFX_THREAD_STATE& operator=(const AFX_THREAD_STATE&) = delete;

    // The object that the creation hook attaches to the next window made.
    CWnd* m_pWndInit = nullptr;
    HHOOK m_hHookOldCbtFilter = nullptr;
    int m_nCreateDepth = 0;

    // The message the window procedure is processing (CWnd::Default uses it).
    MSG m_lastSentMsg{};
    // The message the loop is processing.
    MSG m_msgCur{};

    CWinThread* m_pThread = nullptr;
    CFrameWnd* m_pRoutingFrame = nullptr;
    DWORD m_threadId;

    CHandleMap<CWnd, HWND>& WindowMap();
    CHandleMap<CMenu, HMENU>& MenuMap();
    CHandleMap<CDC, HDC>& DCMap();
    CHandleMap<CGdiObject, HGDIOBJ>& GdiMap();
    CHandleMap<CImageList, HIMAGELIST>& ImageListMap();

    // Every frame window of the thread, served at idle time.
    std::vector<CFrameWnd*> m_frames;

    // The thread's tooltip for windows that asked for tips (EnableToolTips),
    // the one tool it holds now and the text of the last tip asked for.
    CToolTipCtrl* m_pToolTip = nullptr;
    HWND m_hWndToolOwner = nullptr;
    INT_PTR m_nLastToolHit = -1;
    TOOLINFOW m_lastToolInfo{};
    CString m_strToolTipText;

private:
    struct Maps;
    Maps* m_pMaps = nullptr;
};

AFX_THREAD_STATE* AFXAPI AfxGetThreadState();
void AFXAPI AfxDeleteTempMaps();
// Frees the calling thread's state (at the end of a framework thread).
void AFXAPI AfxFreeThreadState();
