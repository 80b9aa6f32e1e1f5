#include "GalleryApp.h"

#include "GalleryDocument.h"
#include "GalleryFrame.h"
#include "GalleryIds.h"
#include "GalleryJournal.h"
#include "GalleryView.h"

std::vector<std::wstring>& GalleryJournal()
{
    static std::vector<std::wstring> journal;
    return journal;
}

BEGIN_MESSAGE_MAP(CGalleryApp, CWinApp)
    ON_COMMAND_EX(ID_GALLERY_ROUTE, OnRoute)
END_MESSAGE_MAP()

BOOL CGalleryApp::InitInstance()
{
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&icc);
    SetRegistryKey(L"Pelmo Gallery");
    AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CGalleryDocument),
                                          RUNTIME_CLASS(CGalleryFrame), RUNTIME_CLASS(CGalleryView)));
    CCommandLineInfo commandLine;
    ParseCommandLine(commandLine);
    if (!ProcessShellCommand(commandLine))
        return FALSE;
    m_pMainWnd->ShowWindow(SW_SHOW);
    m_pMainWnd->UpdateWindow();
    return TRUE;
}

BOOL CGalleryApp::OnRoute(UINT)
{
    GalleryJournal().push_back(L"application");
    return FALSE;
}
