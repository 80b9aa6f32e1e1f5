// The loader of the toolkit's own resources (strings, menus, toolbars,
// bitmaps, cursors, dialog templates). A separate resource module is
// preferred when one is set; otherwise, and when it lacks the resource, the
// framework's normal search finds it in the program.
#pragma once

#include "Framework.h"

// The toolkit's resource module (null when none is set) and the instance
// handle that goes with it.
HMODULE AFXAPI GetResourceModule();
void AFXAPI SetToolkitResourceModule(HMODULE hResources, HINSTANCE hInstance);

// Puts the toolkit resource module in the framework's module state while it
// lives (or until Restore); changes nothing when no module is set.
class CModuleStateSwitch
{
public:
    CModuleStateSwitch();
    ~CModuleStateSwitch() { Restore(); }
    CModuleStateSwitch(const CModuleStateSwitch&) = delete;
    CModuleStateSwitch& operator=(const CModuleStateSwitch&) = delete;

    void Restore();

private:
    BOOL m_bActive = FALSE;
    HINSTANCE m_hSavedResource = nullptr;
    HINSTANCE m_hSavedInstance = nullptr;
};

class CToolkitResources
{
public:
    CToolkitResources() = default;
    virtual ~CToolkitResources();
    CToolkitResources(const CToolkitResources&) = delete;
    CToolkitResources& operator=(const CToolkitResources&) = delete;

    virtual BOOL LoadString(CString& str, UINT nID);
    virtual BOOL LoadMenu(CMenu& menu, UINT nID);
    virtual BOOL LoadToolBar(CToolBar& toolBar, UINT nID);
    virtual BOOL LoadBitmap(CBitmap& bitmap, UINT nID);
    // Null when neither the toolkit module nor the program has the cursor.
    virtual HCURSOR LoadCursor(UINT nID);
    // The locked template, or null.
    virtual LPCDLGTEMPLATE LoadDialogTemplate(UINT nID);
    virtual void FreeResourceModule();

    // Shows the string as a message box; the box's result.
    int ShowMessage(UINT nIDString, UINT nType);

    // A resource library loaded for the toolkit (freed on destruction).
    BOOL LoadResourceModule(LPCTSTR lpszPath);

    BOOL m_bEnabled = TRUE;

private:
    HMODULE m_hResourceLibrary = nullptr;
};

CToolkitResources* AFXAPI GetToolkitResources();

// The message "KitNotificationSinkMTOnEvent", registered at start-up.
UINT AFXAPI GetKitNotificationSinkMessage();
