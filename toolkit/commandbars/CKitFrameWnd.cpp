#include "CKitFrameWnd.h"

#include "CCommandBarDrawer.h"
#include "CKitCommandBars.h"
#include "KitEditFocus.h"
#include "window/AfxMessages.h"

IMPLEMENT_DYNCREATE(CKitFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(CKitMDIFrameWnd, CMDIFrameWnd)

CKitFrameWnd::~CKitFrameWnd()
{
    if (m_pCommandBars != nullptr)
        m_pCommandBars->InternalRelease();
}

BOOL CKitFrameWnd::InitCommandBars(CRuntimeClass* pCommandBarsClass)
{
    if (m_pCommandBars != nullptr)
        return TRUE;
    GetCommandBarDrawer();  // makes the default drawing style when none is chosen
    if (pCommandBarsClass == nullptr)
        pCommandBarsClass = RUNTIME_CLASS(CKitCommandBars);
    if (!pCommandBarsClass->IsDerivedFrom(RUNTIME_CLASS(CKitCommandBars)))
        return FALSE;
    m_pCommandBars = static_cast<CKitCommandBars*>(pCommandBarsClass->CreateObject());
    if (m_pCommandBars == nullptr)
        return FALSE;
    m_pCommandBars->AttachToFrame(this);
    try
    {
        m_pCommandBars->CreateDockBars();
    }
    catch (CException* pException)
    {
        pException->Delete();
        return FALSE;
    }
    return TRUE;
}

BOOL CKitFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    if (!CFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext))
        return FALSE;
    // The table is the resource's; the shortcuts hold their own copy.
    if (m_pCommandBars != nullptr && m_pCommandBars->GetKeyboardShortcuts()->GetOriginalTable() != nullptr)
        m_hAccelTable = nullptr;
    return TRUE;
}

void CKitFrameWnd::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState)
{
    if (m_pCommandBars != nullptr)
        m_pCommandBars->OnPrintPreviewMode(bPreview);
    CFrameWnd::OnSetPreviewMode(bPreview, pState);
}

BOOL CKitFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= 0x108 && pMsg->wParam != VK_TAB &&
        pMsg->wParam != VK_RETURN && pMsg->wParam != VK_ESCAPE && FocusedKitEdit() != nullptr)
        return FALSE;
    if (CFrameWnd::PreTranslateMessage(pMsg))
        return TRUE;
    return m_pCommandBars != nullptr && m_pCommandBars->FilterFrameMessage(pMsg);
}

BOOL CKitFrameWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (m_pCommandBars != nullptr && m_pCommandBars->HookFrameMessage(message, wParam, lParam, pResult))
        return TRUE;
    if (message == WM_COMMANDBAR_EXECUTE)
    {
        auto* pHeader = reinterpret_cast<NMHDR*>(lParam);
        if (pHeader == nullptr)
            return FALSE;
        LRESULT lResult = 0;
        AFX_NOTIFY notify{&lResult, pHeader};
        if (!OnCmdMsg(static_cast<UINT>(pHeader->idFrom), static_cast<int>(MAKELONG(pHeader->code, WM_NOTIFY)),
                      &notify, nullptr))
            return FALSE;
        if (pResult != nullptr)
            *pResult = lResult;
        return TRUE;
    }
    return CFrameWnd::OnWndMsg(message, wParam, lParam, pResult);
}
