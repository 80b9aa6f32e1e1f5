#include "ModuleState.h"

#include "Exceptions.h"

AFX_MODULE_STATE::AFX_MODULE_STATE()
    : m_hCurrentInstanceHandle(GetModuleHandleW(nullptr)),
      m_hCurrentResourceHandle(m_hCurrentInstanceHandle)
{
    static CMemoryException memoryException(FALSE);
    m_pMemoryException = &memoryException;
}

AFX_MODULE_STATE* AFXAPI AfxGetAppModuleState()
{
    static AFX_MODULE_STATE state;
    return &state;
}

AFX_MODULE_STATE* AFXAPI AfxGetStaticModuleState()
{
    return AfxGetAppModuleState();
}

// The switched state of each thread sits in a TLS slot (no thread_local:
// see ThreadState.cpp); an empty slot means the program's own state.
static DWORD CurrentModuleStateSlot()
{
    static const DWORD slot = ::TlsAlloc();
    return slot;
}

AFX_MODULE_STATE* AFXAPI AfxGetModuleState()
{
    auto* state = static_cast<AFX_MODULE_STATE*>(::TlsGetValue(CurrentModuleStateSlot()));
    return state != nullptr ? state : AfxGetAppModuleState();
}

AFX_MODULE_STATE* AFXAPI AfxSetModuleState(AFX_MODULE_STATE* pNewState)
{
    AFX_MODULE_STATE* previous = AfxGetModuleState();
    ::TlsSetValue(CurrentModuleStateSlot(), pNewState == AfxGetAppModuleState() ? nullptr : pNewState);
    return previous;
}

HINSTANCE AFXAPI AfxGetInstanceHandle()
{
    return AfxGetModuleState()->m_hCurrentInstanceHandle;
}

HINSTANCE AFXAPI AfxGetResourceHandle()
{
    return AfxGetModuleState()->m_hCurrentResourceHandle;
}

void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource)
{
    AfxGetModuleState()->m_hCurrentResourceHandle = hInstResource;
}
