#include "CCmdTarget.h"

#include "CCmdUI.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr, nullptr}};
    static const AFX_MSGMAP map = {nullptr, entries};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

const AFX_INTERFACEMAP* CCmdTarget::GetThisInterfaceMap()
{
    static const AFX_INTERFACEMAP_ENTRY entries[] = {{nullptr, nullptr}};
    static const AFX_INTERFACEMAP map = {nullptr, entries};
    return &map;
}

const AFX_INTERFACEMAP* CCmdTarget::GetInterfaceMap() const
{
    return GetThisInterfaceMap();
}

LPUNKNOWN CCmdTarget::GetInterface(const void* iid)
{
    const IID& wanted = *static_cast<const IID*>(iid);
    const bool anyInterface = ::IsEqualIID(wanted, IID_IUnknown);
    for (const AFX_INTERFACEMAP* map = GetInterfaceMap(); map != nullptr;
         map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr)
    {
        for (const AFX_INTERFACEMAP_ENTRY* entry = map->pEntry; entry->piid != nullptr; ++entry)
        {
            if (anyInterface || ::IsEqualIID(*entry->piid, wanted))
                return entry->pfnGetInterface(this);
        }
    }
    return nullptr;
}

HRESULT CCmdTarget::InternalQueryInterface(const void* iid, LPVOID* ppvObj)
{
    if (ppvObj == nullptr)
        return E_POINTER;
    *ppvObj = GetInterface(iid);
    if (*ppvObj == nullptr)
        return E_NOINTERFACE;
    InternalAddRef();
    return S_OK;
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(UINT nMessage, UINT nCode, UINT nID) const
{
    for (const AFX_MSGMAP* map = GetMessageMap(); map != nullptr;
         map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr)
    {
        for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; entry->pfn != nullptr; ++entry)
        {
            if (entry->nMessage == AFX_REGISTERED_MESSAGE_ENTRY)
            {
                if (*entry->pnRegisteredMessage == nMessage && nMessage != 0)
                    return entry;
                continue;
            }
            if (entry->nMessage == nMessage && entry->nCode == nCode && entry->nID <= nID &&
                nID <= entry->nLastID)
                return entry;
        }
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // Commands and control notifications carry WM_COMMAND implicitly; notify
    // and reflected codes carry their message in the high word.
    UINT message = WM_COMMAND;
    UINT code = static_cast<UINT>(nCode);
    if (code != CN_UPDATE_COMMAND_UI)
    {
        if (HIWORD(code) != 0)
            message = HIWORD(code);
        code = LOWORD(code);
    }

    const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(message, code, nID);
    if (entry == nullptr)
        return FALSE;
    if (pHandlerInfo != nullptr)
    {
        pHandlerInfo->pTarget = this;
        pHandlerInfo->pEntry = entry;
        return TRUE;
    }
    AFX_MSGCALL call{message, 0, 0, nID, code, pExtra, 0};
    if (code != CN_UPDATE_COMMAND_UI || pExtra == nullptr)
        return DispatchEntry(entry, call);
    // An update handler that calls ContinueRouting leaves the item to the
    // next target on the route (the frame passes it on to the application).
    auto* pCmdUI = static_cast<CCmdUI*>(pExtra);
    pCmdUI->m_bContinueRouting = FALSE;
    BOOL handled = DispatchEntry(entry, call);
    if (pCmdUI->m_bContinueRouting)
    {
        pCmdUI->m_bContinueRouting = FALSE;
        return FALSE;
    }
    return handled;
}

DWORD CCmdTarget::InternalRelease()
{
    ASSERT(m_dwRef > 0);
    DWORD left = --m_dwRef;
    if (left == 0)
        OnFinalRelease();
    return left;
}

void CCmdTarget::BeginWaitCursor()
{
    SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32514)));
}

void CCmdTarget::EndWaitCursor()
{
    SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)));
}

void CCmdTarget::RestoreWaitCursor()
{
    BeginWaitCursor();
}
