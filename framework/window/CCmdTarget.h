// CCmdTarget: an object that takes commands through its message map, with
// the reference count that automation and OLE mix-ins rely on.
#pragma once

#include "../core/CObject.h"
#include "MessageMap.h"

#ifndef WM_CTLCOLOR
// The single colour message that the WM_CTLCOLOR* family is folded into
// inside message maps; nCode of the call carries the CTLCOLOR_* kind.
#define WM_CTLCOLOR 0x0019
#endif

class CCmdTarget : public CObject
{
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;

    // Routes a command, update, or notification. With pHandlerInfo set it
    // only reports whether a handler exists, without calling it.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    DWORD InternalAddRef() { return ++m_dwRef; }
    DWORD InternalRelease();
    virtual void OnFinalRelease() { delete this; }
    DWORD m_dwRef = 1;

    void EnableAutomation() { m_bAutomation = TRUE; }
    BOOL IsAutomationEnabled() const { return m_bAutomation; }

    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

    // The first entry of this object's map chain that takes the message.
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT nMessage, UINT nCode, UINT nID) const;
    // Calls an entry's thunk.
    BOOL DispatchEntry(const AFX_MSGMAP_ENTRY* pEntry, AFX_MSGCALL& call) { return pEntry->pfn(this, call); }

private:
    BOOL m_bAutomation = FALSE;
};

// Shows the hourglass for the lifetime of the object.
class CWaitCursor
{
public:
    CWaitCursor() : m_hPrevious(SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32514)))) {}
    ~CWaitCursor() { SetCursor(m_hPrevious); }
    void Restore() { SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32514))); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

private:
    HCURSOR m_hPrevious;
};
