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

class CCmdTarget;

// Interface maps: the COM interfaces an object exposes, each an interface
// object embedded in it (the member m_x<Part>), looked up by interface id
// from the most derived class's map to the base's.
struct AFX_INTERFACEMAP_ENTRY
{
    const IID* piid; // NULL ends the table
    IUnknown* (*pfnGetInterface)(CCmdTarget* pTarget);
};

struct AFX_INTERFACEMAP
{
    const AFX_INTERFACEMAP* (*pfnGetBaseMap)();
    const AFX_INTERFACEMAP_ENTRY* pEntry;
};

#define DECLARE_INTERFACE_MAP()                                  \
protected:                                                       \
    static const AFX_INTERFACEMAP* GetThisInterfaceMap();        \
    const AFX_INTERFACEMAP* GetInterfaceMap() const override;    \
private:

#define BEGIN_INTERFACE_MAP(theClass, baseClass)                                       \
    const AFX_INTERFACEMAP* theClass::GetInterfaceMap() const { return GetThisInterfaceMap(); } \
    const AFX_INTERFACEMAP* theClass::GetThisInterfaceMap()                            \
    {                                                                                  \
        using TheBaseClass = baseClass;                                                \
        static const AFX_INTERFACEMAP_ENTRY _interfaceEntries[] = {

// The part is the member m_x##localClass of theClass (or of a base of it).
#define INTERFACE_PART(theClass, iid, localClass)                                      \
    {&(iid), [](CCmdTarget* pTarget) -> IUnknown* {                                    \
         return static_cast<IUnknown*>(&static_cast<theClass*>(pTarget)->m_x##localClass); }},

#define END_INTERFACE_MAP()                                                            \
            {nullptr, nullptr}};                                                       \
        static const AFX_INTERFACEMAP interfaceMap = {&TheBaseClass::GetThisInterfaceMap, \
                                                      &_interfaceEntries[0]};          \
        return &interfaceMap;                                                          \
    }

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

    // COM identity through the interface map. Objects are not aggregated,
    // so the external calls are the internal ones. IID_IUnknown answers
    // with the first interface of the most derived map.
    HRESULT InternalQueryInterface(const void* iid, LPVOID* ppvObj);
    HRESULT ExternalQueryInterface(const void* iid, LPVOID* ppvObj) { return InternalQueryInterface(iid, ppvObj); }
    DWORD ExternalAddRef() { return InternalAddRef(); }
    DWORD ExternalRelease() { return InternalRelease(); }
    // The interface without a reference added, or NULL.
    LPUNKNOWN GetInterface(const void* iid);
    LPUNKNOWN GetControllingUnknown() { return GetInterface(&IID_IUnknown); }

    void EnableAutomation() { m_bAutomation = TRUE; }
    BOOL IsAutomationEnabled() const { return m_bAutomation; }

    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
    static const AFX_INTERFACEMAP* GetThisInterfaceMap();
    virtual const AFX_INTERFACEMAP* GetInterfaceMap() const;

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
