// One table for the process: a window with sinks is subclassed once, and
// each message is offered to its sinks from the last added to the first.
// Removing the last sink, destroying the window or destroying the table puts
// the window's previous procedure back.
#pragma once

#include "CSubclassHookSink.h"

#include <map>
#include <memory>
#include <vector>

struct CSubclassHookRecord
{
    std::vector<CSubclassHookSink*> sinks;
    WNDPROC pfnPrevious = nullptr;
    HWND hWnd = nullptr;
    AFX_MODULE_STATE* pModuleState = nullptr;
};

class CSubclassHookTable
{
public:
    static CSubclassHookTable& Instance();
    ~CSubclassHookTable();
    CSubclassHookTable(const CSubclassHookTable&) = delete;
    CSubclassHookTable& operator=(const CSubclassHookTable&) = delete;

    BOOL AddSink(HWND hWnd, CSubclassHookSink* pSink);
    void RemoveSink(HWND hWnd, CSubclassHookSink* pSink);
    void RemoveSinkEverywhere(CSubclassHookSink* pSink);
    void RemoveWindow(HWND hWnd);
    CSubclassHookRecord* Lookup(HWND hWnd);
    void RemoveAll();

private:
    CSubclassHookTable() = default;
    static LRESULT CALLBACK SubclassHookWndProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
    LRESULT OfferMessage(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
    bool HasSink(HWND hWnd, CSubclassHookSink* pSink);

    std::map<HWND, std::unique_ptr<CSubclassHookRecord>> m_records;
};
