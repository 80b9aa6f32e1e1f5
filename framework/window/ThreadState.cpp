#include "ThreadState.h"

#include "CDC.h"
#include "CImageList.h"
#include "CMenu.h"
#include "CWnd.h"
#include "Controls.h"
#include "GdiObjects.h"

struct AFX_THREAD_STATE::Maps
{
    CHandleMap<CWnd, HWND> windows{&CWnd::m_hWnd};
    CHandleMap<CMenu, HMENU> menus{&CMenu::m_hMenu};
    CHandleMap<CDC, HDC> dcs{&CDC::m_hDC};
    CHandleMap<CGdiObject, HGDIOBJ> gdiObjects{&CGdiObject::m_hObject};
    CHandleMap<CImageList, HIMAGELIST> imageLists{&CImageList::m_hImageList};
};

AFX_THREAD_STATE::AFX_THREAD_STATE() : m_threadId(GetCurrentThreadId()) {}

AFX_THREAD_STATE::~AFX_THREAD_STATE()
{
    delete m_pToolTip;
    delete m_pMaps;
}

#define AFX_MAP_ACCESSOR(name, member, T, H)      \
    CHandleMap<T, H>& AFX_THREAD_STATE::name()    \
    {                                             \
        if (m_pMaps == nullptr)                   \
            m_pMaps = new Maps;                   \
        return m_pMaps->member;                   \
    }
AFX_MAP_ACCESSOR(WindowMap, windows, CWnd, HWND)
AFX_MAP_ACCESSOR(MenuMap, menus, CMenu, HMENU)
AFX_MAP_ACCESSOR(DCMap, dcs, CDC, HDC)
AFX_MAP_ACCESSOR(GdiMap, gdiObjects, CGdiObject, HGDIOBJ)
AFX_MAP_ACCESSOR(ImageListMap, imageLists, CImageList, HIMAGELIST)

// A TLS slot rather than a thread_local object: MinGW runs thread_local
// destructors from a thread-exit callback that can deadlock process exit.
// The state of a framework thread is freed by AfxEndThread; that of other
// threads lives as long as the process.
static DWORD ThreadStateSlot()
{
    static const DWORD slot = ::TlsAlloc();
    return slot;
}

AFX_THREAD_STATE* AFXAPI AfxGetThreadState()
{
    DWORD slot = ThreadStateSlot();
    auto* state = static_cast<AFX_THREAD_STATE*>(::TlsGetValue(slot));
    if (state == nullptr)
    {
        state = new AFX_THREAD_STATE;
        ::TlsSetValue(slot, state);
    }
    return state;
}

void AFXAPI AfxFreeThreadState()
{
    DWORD slot = ThreadStateSlot();
    auto* state = static_cast<AFX_THREAD_STATE*>(::TlsGetValue(slot));
    ::TlsSetValue(slot, nullptr);
    if (state != nullptr && state->m_hHookOldCbtFilter != nullptr)
        ::UnhookWindowsHookEx(state->m_hHookOldCbtFilter);
    delete state;
}

void AFXAPI AfxDeleteTempMaps()
{
    AFX_THREAD_STATE* state = AfxGetThreadState();
    state->WindowMap().DeleteTemp();
    state->MenuMap().DeleteTemp();
    state->DCMap().DeleteTemp();
    state->GdiMap().DeleteTemp();
    state->ImageListMap().DeleteTemp();
}
