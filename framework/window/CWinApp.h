// CWinApp: the application object. It is the main thread's CWinThread and
// owns the profile (registry or INI), the document templates and the shell
// command handling.
#pragma once

#include "../core/Collections.h"
#include "../core/ModuleState.h"
#include "CCommandLineInfo.h"
#include "CWinThread.h"

class CDocTemplate;
class CRecentFileList;
class CDocument;

class CWinApp : public CWinThread
{
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(LPCTSTR lpszAppName = nullptr);
    ~CWinApp() override;

    LPCTSTR m_pszAppName = nullptr;
    LPCTSTR m_pszExeName = nullptr;
    LPCTSTR m_pszHelpFilePath = nullptr;
    // Set by SetRegistryKey: profile values then live under
    // HKCU\Software\<m_pszRegistryKey>\<m_pszProfileName>.
    LPCTSTR m_pszRegistryKey = nullptr;
    LPCTSTR m_pszProfileName = nullptr;
    HINSTANCE m_hInstance = nullptr;
    LPTSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;

    virtual BOOL InitApplication() { return TRUE; }
    BOOL InitInstance() override { return TRUE; }
    int ExitInstance() override;
    int Run() override;
    BOOL OnIdle(LONG lCount) override;
    virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt);

    // Profile.
    void SetRegistryKey(LPCTSTR lpszRegistryKey);
    void SetRegistryKey(UINT nIDRegistryKey);
    HKEY GetAppRegistryKey();       // caller closes
    HKEY GetSectionKey(LPCTSTR lpszSection); // caller closes
    UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
    BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
    CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = nullptr);
    BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);
    // *ppData is allocated with new[]; the caller deletes it.
    BOOL GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes);
    BOOL WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes);
    // Makes the recent-file list (nMaxMRU entries, none for 0) and reads it.
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    // NULL until LoadStdProfileSettings asks for one; owned here.
    CRecentFileList* m_pRecentFileList = nullptr;

    // Documents and the shell.
    void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const { return m_templates.GetHeadPosition(); }
    CDocTemplate* GetNextDocTemplate(POSITION& pos) const { return static_cast<CDocTemplate*>(m_templates.GetNext(pos)); }
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
    virtual void AddToRecentFileList(LPCTSTR lpszPathName);
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);
    void EnableShellOpen() { m_bShellOpen = TRUE; }
    void RegisterShellFileTypes(BOOL bCompat = FALSE);
    void UnregisterShellFileTypes();
    BOOL SaveAllModified();
    void CloseAllDocuments(BOOL bEndSession);

    HCURSOR LoadCursor(UINT nIDResource) const { return ::LoadCursorW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nIDResource)); }
    HCURSOR LoadStandardCursor(LPCTSTR lpszCursorName) const { return ::LoadCursorW(nullptr, lpszCursorName); }
    HICON LoadIcon(UINT nIDResource) const { return ::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nIDResource)); }
    HICON LoadStandardIcon(LPCTSTR lpszIconName) const { return ::LoadIconW(nullptr, lpszIconName); }

    afx_msg void OnFileNew();
    afx_msg void OnFileOpen();
    // The system's print set-up dialog; the choice is kept for printing.
    afx_msg void OnFilePrintSetup();
    // Controls have drawn in three dimensions since Windows 95: nothing to do.
    BOOL Enable3dControls() { return TRUE; }
    BOOL Enable3dControlsStatic() { return TRUE; }
    // The printer chosen in the set-up dialog (global memory, owned here).
    HGLOBAL m_hDevMode = nullptr;
    HGLOBAL m_hDevNames = nullptr;
    afx_msg void OnAppExit();

    static const AFX_MSGMAP* GetThisMessageMap();
    const AFX_MSGMAP* GetMessageMap() const override;

protected:
    CPtrList m_templates;
    BOOL m_bShellOpen = FALSE;
};

CWinApp* AFXAPI AfxGetApp();
LPCTSTR AFXAPI AfxGetAppName();
int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);
HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType);
BOOL AFXAPI AfxOleInit();
void AFXAPI AfxEnableControlContainer();
BOOL AFXAPI AfxInitRichEdit();
BOOL AFXAPI AfxInitRichEdit2();
void AFXAPI AfxPostQuitMessage(int nExitCode);
// The framework's own start-up: initialise the application object and run it.
int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);
