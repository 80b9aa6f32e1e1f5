// The frame of a program with command bars: it owns one reference to its
// CKitCommandBars and routes its keys and messages through them. A derived
// frame creates the command bars in its WM_CREATE handler; one that
// overrides PreTranslateMessage must chain to this class's, or no mnemonic,
// keyboard cue or shortcut works.
#pragma once

#include "window/CFrameWnd.h"

class CKitCommandBars;

class CKitFrameWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CKitFrameWnd)
public:
    CKitFrameWnd() = default;
    ~CKitFrameWnd() override;

    CKitCommandBars* GetCommandBars() const { return m_pCommandBars; }
    // Creates the command bars (a class record derived from CKitCommandBars,
    // null for the base), attaches them to this frame and makes the four
    // dock bars; FALSE when they cannot be made.
    BOOL InitCommandBars(CRuntimeClass* pCommandBarsClass = nullptr);

    // Runs the base; the command bars' shortcut table then replaces the
    // frame's own accelerators.
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    CKitCommandBars* m_pCommandBars = nullptr;
};

// The multi-document frame's class record; this program's frames hold one
// document.
class CKitMDIFrameWnd : public CMDIFrameWnd
{
    DECLARE_DYNCREATE(CKitMDIFrameWnd)
};
