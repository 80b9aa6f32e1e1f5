// The framework's process state, kept in one object.
//
// Class records, instance and resource handles live here. The window half
// adds its handle maps and thread state to this object rather than to new
// globals.
#pragma once

#include "FrameworkBase.h"

#include <mutex>

class CMemoryException;
class CWinApp;

struct AFX_MODULE_STATE
{
    AFX_MODULE_STATE();
    AFX_MODULE_STATE(const AFX_MODULE_STATE&) = delete;
    AFX_MODULE_STATE& operator=(const AFX_MODULE_STATE&) = delete;

    HINSTANCE m_hCurrentInstanceHandle;
    HINSTANCE m_hCurrentResourceHandle;

    // Head of the module-wide list of class records, linked through
    // CRuntimeClass::m_pNextClass; guarded by m_classListLock.
    CRuntimeClass* m_classList = nullptr;
    std::mutex m_classListLock;

    // Thrown by AfxThrowMemoryException without allocating, so it still
    // works when memory has run out.
    CMemoryException* m_pMemoryException;

    // The one application object of the module (set by its constructor).
    CWinApp* m_pCurrentWinApp = nullptr;
};

// The program's own module state, built on first use so class records
// registered by static initialisers of other translation units always find
// it. Class records and the application object are always looked up here.
AFX_MODULE_STATE* AFXAPI AfxGetAppModuleState();
AFX_MODULE_STATE* AFXAPI AfxGetStaticModuleState();
// The module state the calling thread works in (instance and resource
// handles): the program's own unless a guard below switched it.
AFX_MODULE_STATE* AFXAPI AfxGetModuleState();
// Makes pNewState current on the calling thread (NULL: the program's own)
// and returns the one it replaces.
AFX_MODULE_STATE* AFXAPI AfxSetModuleState(AFX_MODULE_STATE* pNewState);

// Keeps another module state current for the lifetime of the object.
class AFX_MAINTAIN_STATE
{
public:
    explicit AFX_MAINTAIN_STATE(AFX_MODULE_STATE* pNewState) : m_pPrevious(AfxSetModuleState(pNewState)) {}
    ~AFX_MAINTAIN_STATE() { AfxSetModuleState(m_pPrevious); }
    AFX_MAINTAIN_STATE(const AFX_MAINTAIN_STATE&) = delete;
    AFX_MAINTAIN_STATE& operator=(const AFX_MAINTAIN_STATE&) = delete;

private:
    AFX_MODULE_STATE* m_pPrevious;
};
#define AFX_MANAGE_STATE(pModuleState) AFX_MAINTAIN_STATE _afxManagedState(pModuleState)

HINSTANCE AFXAPI AfxGetInstanceHandle();
HINSTANCE AFXAPI AfxGetResourceHandle();
void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource);
