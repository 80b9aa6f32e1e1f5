// The keyboard shortcuts of one set of command bars: the table loaded from an
// accelerator resource (the original) and the table in force (which the saved
// profile may replace). Translates the frame's keys through the table in
// force, formats the shortcut texts shown beside commands and names keys.
#pragma once

#include "window/CCmdTarget.h"
#include "window/GdiObjects.h"

#include <map>
#include <string>

class CKitCommandBars;
class CFrameWnd;

// The names of keys that read better than the layout's own.
class CKeyNameMap
{
public:
    CKeyNameMap();
    // Null when the key has no name here.
    const wchar_t* Lookup(UINT nKey) const;

private:
    std::map<UINT, std::wstring> m_names;
};

class CCommandShortcuts : public CCmdTarget
{
public:
    explicit CCommandShortcuts(CKitCommandBars* pOwner = nullptr) : m_pOwner(pOwner) {}
    ~CCommandShortcuts() override;
    CCommandShortcuts(const CCommandShortcuts&) = delete;
    CCommandShortcuts& operator=(const CCommandShortcuts&) = delete;

    // Both tables from the resource; the table in force, or null when the
    // resource is missing (then both are null).
    HACCEL LoadAcceleratorResource(UINT nId);
    // The table in force as the profile's "Accelerators" value.
    void SaveToProfile(LPCTSTR lpszProfile);
    void LoadFromProfile(LPCTSTR lpszProfile);
    void SetTable(const ACCEL* pEntries, int nCount);

    // Translates a key message for the window; TRUE when it became a command.
    BOOL Translate(HWND hWnd, MSG* pMsg);
    void OnPrintPreviewMode(BOOL bEntering) { m_nPrintPreview += bEntering ? 1 : -1; }
    // The frame whose own table serves while none is loaded here.
    void SetSiteFrame(CFrameWnd* pFrame) { m_pSiteFrame = pFrame; }
    HACCEL GetOriginalTable() const { return m_hOriginal; }

    // The shortcut text of a command: a text already shown stays when it is
    // one of the command's shortcuts, else the entry that reads best.
    virtual BOOL FindShortcutText(int nCommand, CString& strText);
    // "Ctrl+Shift+Del"; the priority ranks plain keys above Ctrl, Alt and
    // Shift combinations.
    virtual void FormatShortcut(CString& strText, const ACCEL& entry, int* pPriority);
    virtual CString GetKeyName(UINT nKey);
    // A plain Escape is no shortcut unless allowed.
    virtual BOOL IsShortcutAllowed(const ACCEL& entry);
    virtual HACCEL GetAccelTable() { return m_hCurrent; }
    virtual void ResetToOriginal();

    BOOL m_bAllowEscape = FALSE;
    BOOL m_bSystemNamesFirst = FALSE;

private:
    void DestroyTables();

    int m_nPrintPreview = 0;
    CKitCommandBars* m_pOwner;
    CFrameWnd* m_pSiteFrame = nullptr;
    HACCEL m_hCurrent = nullptr;
    HACCEL m_hOriginal = nullptr;
    CKeyNameMap m_keyNames;
};

// Whether a typed character matches the key on the current or any other
// installed keyboard layout.
BOOL IsMnemonicKey(wchar_t ch, UINT nKey);
// A new table with the same entries; null for a null or empty table.
HACCEL CopyAccelTable(HACCEL hTable);
