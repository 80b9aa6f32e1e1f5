#include "GalleryApp.h"

#include "GalleryDocument.h"
#include "GalleryFrame.h"
#include "GalleryIds.h"
#include "GalleryJournal.h"
#include "GalleryView.h"

#include <cwchar>
#include <stdexcept>

std::vector<std::wstring>& GalleryJournal()
{
    static std::vector<std::wstring> journal;
    return journal;
}

BEGIN_MESSAGE_MAP(CGalleryApp, CWinApp)
    ON_COMMAND_EX(ID_GALLERY_ROUTE, OnRoute)
    ON_UPDATE_COMMAND_UI(ID_GALLERY_PASSON, OnUpdatePassOn)
END_MESSAGE_MAP()

BOOL CGalleryApp::InitInstance()
{
    // Lets a test see how the program ends when start-up throws.
    if (m_lpCmdLine != nullptr && std::wcsstr(m_lpCmdLine, L"/fail-start") != nullptr)
        throw std::runtime_error("the gallery was told to fail at start-up");
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

void CGalleryApp::OnUpdatePassOn(CCmdUI* pCmdUI)
{
    GalleryJournal().push_back(L"application update");
    pCmdUI->Enable(FALSE);
}

BOOL CGalleryApp::OnRoute(UINT)
{
    GalleryJournal().push_back(L"application");
    return FALSE;
}
