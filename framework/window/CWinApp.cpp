#include "CWinApp.h"

#include "../core/Exceptions.h"
#include "CDocTemplate.h"
#include "CDocument.h"
#include "CFrameWnd.h"
#include "CRecentFileList.h"
#include "ThreadState.h"

#include <commctrl.h>
#include <commdlg.h>
#include <cstdlib>
#include <exception>
#include <shellapi.h>

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
    ON_COMMAND(ID_FILE_NEW, OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
    ON_COMMAND(ID_APP_EXIT, OnAppExit)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCTSTR lpszAppName)
{
    AfxGetAppModuleState()->m_pCurrentWinApp = this;
    AfxGetThreadState()->m_pThread = this;
    m_hInstance = AfxGetInstanceHandle();
    m_hThread = ::GetCurrentThread();
    m_nThreadID = ::GetCurrentThreadId();
    m_bAutoDelete = FALSE;
    if (lpszAppName != nullptr)
        m_pszAppName = _wcsdup(lpszAppName);
}

CWinApp::~CWinApp()
{
    for (POSITION pos = m_templates.GetHeadPosition(); pos != nullptr;)
        delete static_cast<CDocTemplate*>(m_templates.GetNext(pos));
    free(const_cast<LPTSTR>(m_pszAppName));
    free(const_cast<LPTSTR>(m_pszExeName));
    free(const_cast<LPTSTR>(m_pszRegistryKey));
    free(const_cast<LPTSTR>(m_pszProfileName));
    free(const_cast<LPTSTR>(m_pszHelpFilePath));
    delete m_pRecentFileList;
    if (m_hDevMode != nullptr)
        ::GlobalFree(m_hDevMode);
    if (m_hDevNames != nullptr)
        ::GlobalFree(m_hDevNames);
    m_hThread = nullptr; // a pseudo handle, never closed
    if (AfxGetAppModuleState()->m_pCurrentWinApp == this)
        AfxGetAppModuleState()->m_pCurrentWinApp = nullptr;
}

int CWinApp::ExitInstance()
{
    if (m_pRecentFileList != nullptr)
        m_pRecentFileList->WriteList();
    return CWinThread::ExitInstance();
}

int CWinApp::Run()
{
    if (m_pMainWnd == nullptr)
        AfxPostQuitMessage(0); // nothing to run
    return CWinThread::Run();
}

BOOL CWinApp::OnIdle(LONG lCount)
{
    BOOL more = CWinThread::OnIdle(lCount);
    if (lCount == 0)
    {
        // Documents may want their own idle work.
        for (POSITION pos = GetFirstDocTemplatePosition(); pos != nullptr;)
        {
            CDocTemplate* pTemplate = GetNextDocTemplate(pos);
            for (POSITION docPos = pTemplate->GetFirstDocPosition(); docPos != nullptr;)
                pTemplate->GetNextDoc(docPos)->OnIdle();
        }
    }
    return more;
}

int CWinApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT)
{
    CWnd* pOwner = CWnd::GetSafeOwner();
    return ::MessageBoxW(pOwner->GetSafeHwnd(), lpszPrompt, m_pszAppName, nType);
}

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
    pTemplate->LoadTemplate();
    m_templates.AddTail(pTemplate);
}

CDocument* CWinApp::OpenDocumentFile(LPCTSTR lpszFileName)
{
    POSITION pos = GetFirstDocTemplatePosition();
    if (pos == nullptr)
        return nullptr;
    return GetNextDocTemplate(pos)->OpenDocumentFile(lpszFileName);
}

void CWinApp::AddToRecentFileList(LPCTSTR lpszPathName)
{
    if (m_pRecentFileList != nullptr)
        m_pRecentFileList->Add(lpszPathName);
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU)
{
    delete m_pRecentFileList;
    m_pRecentFileList = nullptr;
    if (nMaxMRU == 0)
        return;
    m_pRecentFileList = new CRecentFileList(0, L"Recent File List", L"File%d", static_cast<int>(nMaxMRU));
    m_pRecentFileList->ReadList();
}

void CWinApp::OnFileNew()
{
    OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen()
{
    wchar_t path[MAX_PATH] = L"";
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = AfxGetMainWnd()->GetSafeHwnd();
    ofn.lpstrFile = path;
    ofn.nMaxFile = MAX_PATH;
    ofn.Flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST;
    if (::GetOpenFileNameW(&ofn))
        OpenDocumentFile(path);
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd != nullptr)
        m_pMainWnd->SendMessage(WM_CLOSE);
}

BOOL CWinApp::SaveAllModified()
{
    for (POSITION pos = GetFirstDocTemplatePosition(); pos != nullptr;)
    {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        for (POSITION docPos = pTemplate->GetFirstDocPosition(); docPos != nullptr;)
            if (!pTemplate->GetNextDoc(docPos)->SaveModified())
                return FALSE;
    }
    return TRUE;
}

void CWinApp::CloseAllDocuments(BOOL bEndSession)
{
    for (POSITION pos = GetFirstDocTemplatePosition(); pos != nullptr;)
        GetNextDocTemplate(pos)->CloseAllDocuments(bEndSession);
}

void CCommandLineInfo::ParseParam(LPCTSTR pszParam, BOOL bFlag, BOOL)
{
    if (bFlag)
    {
        if (lstrcmpiW(pszParam, L"Embedding") == 0)
        {
            m_bRunEmbedded = TRUE;
            m_bShowSplash = FALSE;
        }
        else if (lstrcmpiW(pszParam, L"Automation") == 0)
        {
            m_bRunAutomated = TRUE;
            m_bShowSplash = FALSE;
        }
        else if (lstrcmpiW(pszParam, L"Register") == 0 || lstrcmpiW(pszParam, L"Regserver") == 0)
        {
            m_nShellCommand = AppRegister;
        }
        else if (lstrcmpiW(pszParam, L"Unregister") == 0 || lstrcmpiW(pszParam, L"Unregserver") == 0)
        {
            m_nShellCommand = AppUnregister;
        }
        else if (lstrcmpiW(pszParam, L"p") == 0)
        {
            m_nShellCommand = FilePrint;
        }
        else if (lstrcmpiW(pszParam, L"dde") == 0)
        {
            m_nShellCommand = FileDDE;
        }
        return;
    }
    if (m_strFileName.IsEmpty())
    {
        m_strFileName = pszParam;
        if (m_nShellCommand == FileNew)
            m_nShellCommand = FileOpen;
        m_bShowSplash = FALSE;
    }
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo)
{
    int argc = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    if (argv == nullptr)
        return;
    for (int i = 1; i < argc; ++i)
    {
        LPCWSTR param = argv[i];
        BOOL flag = param[0] == L'-' || param[0] == L'/';
        if (flag)
            ++param;
        rCmdInfo.ParseParam(param, flag, i == argc - 1);
    }
    ::LocalFree(argv);
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo)
{
    switch (rCmdInfo.m_nShellCommand)
    {
    case CCommandLineInfo::FileNew:
        if (!OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr))
            OnFileNew();
        return m_pMainWnd != nullptr;
    case CCommandLineInfo::FileOpen:
        return OpenDocumentFile(rCmdInfo.m_strFileName) != nullptr;
    case CCommandLineInfo::AppRegister:
        RegisterShellFileTypes(TRUE);
        return FALSE; // registration ends the program
    case CCommandLineInfo::AppUnregister:
        UnregisterShellFileTypes();
        return FALSE;
    case CCommandLineInfo::FilePrint:
    case CCommandLineInfo::FilePrintTo:
    case CCommandLineInfo::FileDDE:
        return FALSE;
    case CCommandLineInfo::FileNothing:
    default:
        return TRUE;
    }
}

static BOOL SetClassesValue(LPCWSTR lpszKey, LPCWSTR lpszValue)
{
    CString path = CString(L"Software\\Classes\\") + lpszKey;
    HKEY hKey = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_WRITE, nullptr, &hKey, nullptr) != ERROR_SUCCESS)
        return FALSE;
    LONG result = ::RegSetValueExW(hKey, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpszValue),
                                   static_cast<DWORD>((lstrlenW(lpszValue) + 1) * sizeof(wchar_t)));
    ::RegCloseKey(hKey);
    return result == ERROR_SUCCESS;
}

void CWinApp::RegisterShellFileTypes(BOOL)
{
    // Per-user registration: the program never needs administrator rights.
    wchar_t exePath[MAX_PATH];
    ::GetModuleFileNameW(AfxGetInstanceHandle(), exePath, MAX_PATH);
    CString openCommand;
    openCommand.Format(L"\"%s\" \"%%1\"", exePath);
    for (POSITION pos = GetFirstDocTemplatePosition(); pos != nullptr;)
    {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        CString fileTypeId, fileTypeName, extension;
        if (!pTemplate->GetDocString(fileTypeId, CDocTemplate::regFileTypeId) || fileTypeId.IsEmpty())
            continue;
        pTemplate->GetDocString(fileTypeName, CDocTemplate::regFileTypeName);
        SetClassesValue(fileTypeId, fileTypeName);
        SetClassesValue(fileTypeId + L"\\shell\\open\\command", openCommand);
        if (pTemplate->GetDocString(extension, CDocTemplate::filterExt) && !extension.IsEmpty())
            SetClassesValue(extension, fileTypeId);
    }
}

void CWinApp::UnregisterShellFileTypes()
{
    for (POSITION pos = GetFirstDocTemplatePosition(); pos != nullptr;)
    {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        CString fileTypeId;
        if (pTemplate->GetDocString(fileTypeId, CDocTemplate::regFileTypeId) && !fileTypeId.IsEmpty())
            ::RegDeleteTreeW(HKEY_CURRENT_USER, CString(L"Software\\Classes\\") + fileTypeId);
    }
}

CWinApp* AFXAPI AfxGetApp()
{
    return AfxGetAppModuleState()->m_pCurrentWinApp;
}

LPCTSTR AFXAPI AfxGetAppName()
{
    CWinApp* pApp = AfxGetApp();
    return pApp != nullptr ? pApp->m_pszAppName : L"";
}

int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp)
{
    if (CWinApp* pApp = AfxGetApp())
        return pApp->DoMessageBox(lpszText, nType, nIDHelp);
    return ::MessageBoxW(CWnd::GetSafeOwner()->GetSafeHwnd(), lpszText, L"", nType);
}

int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString text;
    text.LoadString(nIDPrompt);
    return AfxMessageBox(text, nType, nIDHelp == static_cast<UINT>(-1) ? nIDPrompt : nIDHelp);
}

HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR, LPCTSTR)
{
    return AfxGetResourceHandle(); // one module
}

BOOL AFXAPI AfxOleInit()
{
    HRESULT hr = ::OleInitialize(nullptr);
    return SUCCEEDED(hr);
}

void AFXAPI AfxEnableControlContainer()
{
    // Controls are hosted on demand by CWnd::CreateControl.
}

BOOL AFXAPI AfxInitRichEdit()
{
    static HMODULE hRichEdit = ::LoadLibraryW(L"riched32.dll");
    return hRichEdit != nullptr || AfxInitRichEdit2();
}

BOOL AFXAPI AfxInitRichEdit2()
{
    static HMODULE hRichEdit2 = ::LoadLibraryW(L"riched20.dll");
    return hRichEdit2 != nullptr;
}

void AFXAPI AfxPostQuitMessage(int nExitCode)
{
    ::PostQuitMessage(nExitCode);
}

static void ReportFatalError(const CString& detail)
{
    CString message = L"The program met an error it cannot recover from and has to close.";
    if (!detail.IsEmpty())
        message += L"\n\n" + detail;
    AfxMessageBox(message, MB_OK | MB_ICONSTOP);
}

int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE, LPTSTR lpCmdLine, int nCmdShow)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return -1;
    AfxGetModuleState()->m_hCurrentInstanceHandle = hInstance;
    AfxGetModuleState()->m_hCurrentResourceHandle = hInstance;
    pApp->m_hInstance = hInstance;
    pApp->m_lpCmdLine = lpCmdLine;
    pApp->m_nCmdShow = nCmdShow;
    if (pApp->m_pszAppName == nullptr)
    {
        CString title;
        if (!title.LoadString(AFX_IDS_APP_TITLE))
            title = L"Application";
        pApp->m_pszAppName = _wcsdup(title);
    }
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_COOL_CLASSES};
    ::InitCommonControlsEx(&icc);

    int exitCode = -1;
    try
    {
        if (pApp->InitApplication() && pApp->InitInstance())
            exitCode = pApp->Run();
        else
            exitCode = pApp->ExitInstance();
    }
    // Whatever escapes start-up or the loop ends the program with a word to
    // the user rather than a crash.
    catch (CException* e)
    {
        e->ReportError(MB_OK | MB_ICONSTOP);
        e->Delete();
    }
    catch (const std::exception& e)
    {
        ReportFatalError(CString(e.what()));
    }
    catch (...)
    {
        ReportFatalError(CString());
    }
    return exitCode;
}
