#include "CSubclassHookTable.h"

#include <algorithm>

CSubclassHookTable& CSubclassHookTable::Instance()
{
    static CSubclassHookTable table;
    return table;
}

CSubclassHookTable::~CSubclassHookTable()
{
    RemoveAll();
}

BOOL CSubclassHookTable::AddSink(HWND hWnd, CSubclassHookSink* pSink)
{
    if (!hWnd || !pSink || !::IsWindow(hWnd))
        return FALSE;
    std::unique_ptr<CSubclassHookRecord>& pRecord = m_records[hWnd];
    if (!pRecord) {
        pRecord = std::make_unique<CSubclassHookRecord>();
        pRecord->hWnd = hWnd;
        pRecord->pfnPrevious = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassHookWndProc)));
    }
    if (std::find(pRecord->sinks.begin(), pRecord->sinks.end(), pSink) == pRecord->sinks.end())
        pRecord->sinks.push_back(pSink);
    pRecord->pModuleState = AfxGetModuleState();
    return TRUE;
}

void CSubclassHookTable::RemoveSink(HWND hWnd, CSubclassHookSink* pSink)
{
    CSubclassHookRecord* pRecord = Lookup(hWnd);
    if (!pRecord)
        return;
    std::erase(pRecord->sinks, pSink);
    if (pRecord->sinks.empty())
        RemoveWindow(hWnd);
}

void CSubclassHookTable::RemoveSinkEverywhere(CSubclassHookSink* pSink)
{
    std::vector<HWND> windows;
    for (const auto& [hWnd, pRecord] : m_records)
        windows.push_back(hWnd);
    for (HWND hWnd : windows)
        RemoveSink(hWnd, pSink);
}

void CSubclassHookTable::RemoveWindow(HWND hWnd)
{
    auto it = m_records.find(hWnd);
    if (it == m_records.end())
        return;
    CSubclassHookRecord& record = *it->second;
    const auto current = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hWnd, GWLP_WNDPROC));
    if (::IsWindow(hWnd) && current != &SubclassHookWndProc) {
        // Someone subclassed the window after us and calls our procedure
        // through theirs: it must keep passing messages on, so the record
        // stays, without sinks.
        record.sinks.clear();
        return;
    }
    if (::IsWindow(hWnd))
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(record.pfnPrevious));
    m_records.erase(it);
}

CSubclassHookRecord* CSubclassHookTable::Lookup(HWND hWnd)
{
    auto it = m_records.find(hWnd);
    return it == m_records.end() ? nullptr : it->second.get();
}

void CSubclassHookTable::RemoveAll()
{
    std::vector<HWND> windows;
    for (const auto& [hWnd, pRecord] : m_records)
        windows.push_back(hWnd);
    for (HWND hWnd : windows) {
        if (CSubclassHookRecord* pRecord = Lookup(hWnd)) {
            if (::IsWindow(hWnd) &&
                reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hWnd, GWLP_WNDPROC)) == &SubclassHookWndProc)
                ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pRecord->pfnPrevious));
        }
    }
    m_records.clear();
}

bool CSubclassHookTable::HasSink(HWND hWnd, CSubclassHookSink* pSink)
{
    CSubclassHookRecord* pRecord = Lookup(hWnd);
    return pRecord && std::find(pRecord->sinks.begin(), pRecord->sinks.end(), pSink) != pRecord->sinks.end();
}

LRESULT CSubclassHookTable::OfferMessage(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    CSubclassHookRecord* pRecord = Lookup(hWnd);
    if (!pRecord)
        return ::DefWindowProcW(hWnd, nMessage, wParam, lParam);
    const WNDPROC pfnPrevious = pRecord->pfnPrevious;
    AFX_MAINTAIN_STATE state(pRecord->pModuleState ? pRecord->pModuleState : AfxGetModuleState());
    if (nMessage == WM_NCDESTROY) {
        RemoveWindow(hWnd);
        return ::CallWindowProcW(pfnPrevious, hWnd, nMessage, wParam, lParam);
    }
    // A sink may remove itself or others (or the whole record) while it is
    // asked: walk a copy and skip the sinks that are gone by their turn.
    const std::vector<CSubclassHookSink*> sinks = pRecord->sinks;
    for (auto it = sinks.rbegin(); it != sinks.rend(); ++it) {
        if (!HasSink(hWnd, *it))
            continue;
        LRESULT lResult = 0;
        const int answer = (*it)->OnHookMessage(hWnd, nMessage, wParam, lParam, lResult);
        if (answer == CSubclassHookSink::kHandled)
            return lResult;
        if (answer == CSubclassHookSink::kStopAsking)
            break;
    }
    return ::CallWindowProcW(pfnPrevious, hWnd, nMessage, wParam, lParam);
}

LRESULT CALLBACK CSubclassHookTable::SubclassHookWndProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    // The message is the thread's current one while sinks and the saved
    // procedure see it (CWnd::GetCurrentMessage, CWnd::Default).
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    const MSG saved = pState->m_lastSentMsg;
    pState->m_lastSentMsg.hwnd = hWnd;
    pState->m_lastSentMsg.message = nMessage;
    pState->m_lastSentMsg.wParam = wParam;
    pState->m_lastSentMsg.lParam = lParam;
    const LRESULT lResult = Instance().OfferMessage(hWnd, nMessage, wParam, lParam);
    pState->m_lastSentMsg = saved;
    return lResult;
}
