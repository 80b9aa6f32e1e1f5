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

// Built on first use, so class records registered by static initialisers of
// other translation units always find it.
AFX_MODULE_STATE* AFXAPI AfxGetModuleState();

HINSTANCE AFXAPI AfxGetInstanceHandle();
HINSTANCE AFXAPI AfxGetResourceHandle();
void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource);
