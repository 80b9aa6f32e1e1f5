#include "CDockingGalleryFrame.h"

#include "CDockingPaneItem.h"
#include "CKitDockingPaneMiniWnd.h"
#include "CKitPropExchangeRegistry.h"

namespace {

LPCTSTR PaneTitle(int nPaneId)
{
    switch (nPaneId)
    {
    case CDockingGalleryFrame::kFolders:
        return L"Folders";
    case CDockingGalleryFrame::kOutput:
        return L"Output\nOut";
    case CDockingGalleryFrame::kProperties:
        return L"Properties";
    default:
        return L"Find Results";
    }
}

}  // namespace

BOOL CDockingGalleryFrame::CreateGallery(int x, int y, int clientWidth, int clientHeight, int nStyle, DWORD dwExStyle)
{
    CRect rect(0, 0, clientWidth, clientHeight);
    ::AdjustWindowRectEx(&rect, WS_OVERLAPPEDWINDOW, FALSE, dwExStyle);
    rect.OffsetRect(x - rect.left, y - rect.top);
    if (!Create(nullptr, L"Docking gallery", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, rect, nullptr, nullptr, dwExStyle))
        return FALSE;
    if (!m_view.CreateEx(WS_EX_CLIENTEDGE, L"STATIC", L"View", WS_CHILD | WS_VISIBLE | SS_CENTER, CRect(), this,
                         AFX_IDW_PANE_FIRST))
        return FALSE;
    m_host.AttachToFrame(this);
    m_host.SelectDrawingStyle(nStyle);
    m_host.DismissPane(m_host.LookupPaneById(4001));
    RecalcLayout();
    ShowWindow(SW_SHOW);
    UpdateWindow();
    return TRUE;
}

HWND CDockingGalleryFrame::MakePaneWindow(int nPaneId)
{
    CString strTitle = PaneTitle(nPaneId);
    if (const int nBreak = strTitle.Find(L'\n'); nBreak >= 0)
        strTitle = strTitle.Left(nBreak);
    const HWND hWnd = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"STATIC", strTitle, WS_CHILD | SS_CENTER, 0, 0, 0, 0,
                                        GetSafeHwnd(), nullptr, nullptr, nullptr);
    ::SetWindowLongPtrW(hWnd, GWLP_ID, nPaneId);
    m_paneWindows.push_back(hWnd);
    return hWnd;
}

HWND CDockingGalleryFrame::GetPaneWindow(int nPaneId) const
{
    const CDockingPaneItem* pPane = m_host.LookupPaneById(nPaneId);
    return pPane ? pPane->GetAttachedWindow() : nullptr;
}

void CDockingGalleryFrame::DockSamplePanes()
{
    CDockingPaneItem* pFolders =
        m_host.CreatePane(kFolders, PaneTitle(kFolders), MakePaneWindow(kFolders), kSideLeft, nullptr, CSize(200, 0));
    pFolders->m_nMinTrackX = 60;
    pFolders->m_nOptions = kPaneCaptionMenu;
    CDockingPaneItem* pOutput = m_host.CreatePane(kOutput, PaneTitle(kOutput), MakePaneWindow(kOutput), kSideBottom,
                                                  nullptr, CSize(300, 150));
    pOutput->m_nTabColor = 0x00FF00;
    CDockingPaneItem* pFind = m_host.CreatePane(kFindResults, PaneTitle(kFindResults), MakePaneWindow(kFindResults),
                                                kSideBottom, nullptr, CSize(300, 150));
    pFind->m_nHelpId = 7;
    pFind->m_nTag = -4;
    m_host.AttachNode(pFind, pOutput);
    m_host.CreatePane(kProperties, PaneTitle(kProperties), MakePaneWindow(kProperties), kSideRight, pOutput,
                      CSize(250, 150));
    RecalcLayout();
}

BOOL CDockingGalleryFrame::LoadFrom(HKEY hKey)
{
    CKitPropExchangeRegistry px(TRUE, hKey, L"Layout");
    const BOOL bLoaded = m_host.LoadArrangement(&px);
    for (const int nPaneId : {kFolders, kOutput, kFindResults, kProperties})
        if (CDockingPaneItem* pPane = m_host.LookupPaneById(nPaneId))
            pPane->AttachWindow(MakePaneWindow(nPaneId));
    RecalcLayout();
    return bLoaded;
}

void CDockingGalleryFrame::StoreTo(HKEY hKey)
{
    CKitPropExchangeRegistry px(FALSE, hKey, L"Layout");
    m_host.StoreArrangement(&px);
}

void CDockingGalleryFrame::RunIdleLayout()
{
    if (m_nIdleFlags & idleLayout)
    {
        RecalcLayout(TRUE);
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
    // Floating frames are owned popups: the idle pass reaches each of them.
    if (CDockingArrangement* pArrangement = m_host.GetArrangement())
        for (CDockingNode* pNode : std::vector<CDockingNode*>(pArrangement->GetNodeList()))
            if (CKitDockingPaneMiniWnd* pFloating = AsFloatingWindow(pNode); pFloating && pFloating->GetSafeHwnd())
                pFloating->SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
}
