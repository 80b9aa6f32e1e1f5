#include "CRecoveryApp.h"

#include <shellapi.h>

#include <cwctype>

#include "CAboutDlg.h"
#include "CEx_StyleDoc.h"
#include "CGCFileTypeAccess.h"
#include "CMainFrame.h"
#include "InstanceGuard.h"
#include "MessageDialogs.h"
#include "PageReports.h"
#include "ResourceIds.h"
#include "UiEngineHost.h"
#include "WizardLinks.h"
#include "UiText.h"
#include "Win32DeviceSource.h"
#include "Win32DriveCatalogue.h"
#include "Win32InputFileReader.h"
#include "Win32OutputFileSystem.h"

namespace {

constexpr UINT kPageIds[] = {kFirstPageId, kFirstPageId + 1, kFirstPageId + 2, kFirstPageId + 3, kFirstPageId + 4};
// The pages by class name, so that each step's page can live with its own step.
constexpr const wchar_t* kPageClasses[] = {L"CEx_StyleView", L"CFirstView_HDD", L"CSecondView_HDD",
                                           L"CFileSystemView", L"CThirdView_HDD"};
constexpr wchar_t kSnapshotExtension[] = L"vbrx";
constexpr wchar_t kSnapshotDocumentType[] = L"Quenta.Document";
constexpr wchar_t kProfileKey[] = L"Local AppWizard-Generated Applications";
constexpr wchar_t kOleFailure[] = L"The program could not start its OLE support.";
constexpr wchar_t kAnotherInstance[] = L"Another instance of the application already running.";
constexpr wchar_t kMissingPage[] = L"The program is incomplete: a page of the wizard is missing.";

CString ProgramPath() {
  wchar_t path[MAX_PATH + 1] = {};
  const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  return CString(path, static_cast<int>(length));
}

// The one argument of the command line (quotes removed); empty without one. More
// than one argument is no snapshot path either: the program starts as usual.
CString SnapshotArgument() {
  int count = 0;
  LPWSTR* arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (arguments == nullptr) return CString();
  CString argument = count == 2 ? CString(arguments[1]) : CString();
  ::LocalFree(arguments);
  argument.Trim();
  return argument;
}

// The mode a snapshot's first UTF-16 character names; nothing for another file,
// and -2 when it cannot be read at all.
constexpr int kUnreadable = -2;
constexpr int kNotASnapshot = -1;
int SnapshotModeOfFile(const CString& path) {
  HANDLE file = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return kUnreadable;
  unsigned char marker[2] = {};
  DWORD read = 0;
  const BOOL ok = ::ReadFile(file, marker, sizeof(marker), &read, nullptr);
  ::CloseHandle(file);
  if (!ok || read != sizeof(marker) || marker[1] != 0) return kNotASnapshot;
  switch (marker[0]) {
    case 'D': return engine::kModeQuickScan;
    case 'A': return engine::kModeExtensiveScan;
    case 'R': return engine::kModeFileTrace;
    default: return kNotASnapshot;
  }
}

void RegisterSnapshotFileType() {
  const CString program = ProgramPath();
  CGCFileTypeAccess fileType;
  fileType.Extension = kSnapshotExtension;
  // Quoted, so a program path with blanks still opens the file.
  fileType.OpenCommand = L"\"" + program + L"\" \"%1\"";
  fileType.OpenCommandCopy = fileType.OpenCommand;
  fileType.DocumentType = kSnapshotDocumentType;
  fileType.DefaultIcon = program + L",0";
  fileType.RegisterAll();
}

}  // namespace

static CRecoveryApp theApp;

CRecoveryApp& RecoveryApp() { return theApp; }

CString ProgramFolder() { return ToCString(theApp.Engine().ProgramFolder); }

BEGIN_MESSAGE_MAP(CRecoveryApp, CWinApp)
  ON_COMMAND(ID_ABOUT_PROGRAM, OnAppAbout)
  ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
  ON_COMMAND(ID_FILE_OPEN, CWinApp::OnFileOpen)
  ON_COMMAND(ID_FILE_PRINT_SETUP, CWinApp::OnFilePrintSetup)
END_MESSAGE_MAP()

CRecoveryApp::CRecoveryApp() : CWinApp(L"Pelmo Windows Data Recovery") {}

CRecoveryApp::~CRecoveryApp() {
  // The worker goes before the records it works on.
  if (host_) {
    host_->Close();
    host_->StopAndJoinWorker();
  }
}

int CRecoveryApp::ExitInstance() {
  if (host_) {
    host_->Close();
    host_->StopAndJoinWorker();
  }
  return CWinApp::ExitInstance();
}

CMainFrame* CRecoveryApp::MainFrame() const { return dynamic_cast<CMainFrame*>(m_pMainWnd); }

BOOL CRecoveryApp::InitInstance() {
  if (InstanceMutexCreationCode() == ERROR_ALREADY_EXISTS) {
    AfxMessageBox(kAnotherInstance, MB_OK);
    return FALSE;
  }
  AfxEnableControlContainer();
  if (!AfxOleInit()) {
    AfxMessageBox(kOleFailure, MB_OK | MB_ICONSTOP);
    return FALSE;
  }
  Enable3dControls();

  // The engine and its platform services, owned here for the program's life.
  deviceOpener_ = std::make_unique<platform::Win32DeviceOpener>();
  driveCatalogue_ = std::make_unique<platform::Win32DriveCatalogue>();
  inputFiles_ = std::make_unique<platform::Win32InputFileReader>();
  outputFiles_ = std::make_unique<platform::Win32OutputFileSystem>();
  host_ = std::make_unique<UiEngineHost>();
  engine_ = std::make_unique<engine::EngineContext>(*host_, *deviceOpener_);
  engine_->Files = outputFiles_.get();
  host_->Attach(*engine_);

  const CString program = ProgramPath();
  engine_->ProgramFolder = ToU16(program.Left(program.ReverseFind(L'\\') + 1));

  RegisterSnapshotFileType();
  SetRegistryKey(kProfileKey);
  LoadStdProfileSettings(4);

  CRuntimeClass* modePage = CRuntimeClass::FromName(kPageClasses[kModePage]);
  if (modePage == nullptr) {
    AfxMessageBox(kMissingPage, MB_OK | MB_ICONSTOP);
    return FALSE;
  }
  AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CEx_StyleDoc), RUNTIME_CLASS(CMainFrame), modePage));
  EnableShellOpen();
  RegisterShellFileTypes(TRUE);

  // The snapshot named on the command line is this program's to load, after the
  // pages exist; the framework only makes the empty document, frame and mode page.
  const CString snapshot = SnapshotArgument();
  CCommandLineInfo commandLine;
  commandLine.m_nShellCommand = CCommandLineInfo::FileNew;
  if (!ProcessShellCommand(commandLine)) return FALSE;

  CMainFrame* frame = MainFrame();
  Pages[kModePage] = frame->GetActiveView();
  if (!CreateFurtherPages()) {
    AfxMessageBox(kMissingPage, MB_OK | MB_ICONSTOP);
    return FALSE;
  }

  for (int show : {SW_HIDE, SW_MINIMIZE, SW_SHOWNORMAL, SW_SHOW}) frame->ShowWindow(show);

  if (snapshot.IsEmpty()) {
    const CString recent = GetRecentSnapshotPath();
    if (!recent.IsEmpty()) OpenDocumentFile(recent);
  } else if (!LoadCommandLineSnapshot(snapshot)) {
    return TRUE;
  }
  for (int i = 0; i < 3; ++i) frame->RestoreAndShow();
  return TRUE;
}

bool CRecoveryApp::CreateFurtherPages() {
  CMainFrame* frame = MainFrame();
  CCreateContext context;
  context.m_pCurrentDoc = frame->GetActiveDocument();
  for (int page = kDrivePage; page <= kResultsPage; ++page) {
    CRuntimeClass* pageClass = CRuntimeClass::FromName(kPageClasses[page]);
    CView* view = pageClass != nullptr ? dynamic_cast<CView*>(pageClass->CreateObject()) : nullptr;
    if (view == nullptr) return false;
    if (!view->Create(nullptr, nullptr, WS_CHILD | WS_BORDER, CRect(0, 0, 0, 0), frame, kPageIds[page], &context))
      return false;  // a view whose window failed has deleted itself
    Pages[page] = view;
  }
  for (int page = kDrivePage; page <= kResultsPage; ++page) Pages[page]->OnInitialUpdate();
  return true;
}

bool CRecoveryApp::LoadCommandLineSnapshot(const CString& path) {
  CMainFrame* frame = MainFrame();
  const int mode = SnapshotModeOfFile(path);
  if (mode == kNotASnapshot) {
    MessageRequest().Text = u"Invalid File.";
    CAppMessageDlg dialog;
    MessageRequest().Kind = kMessageQuestion;
    dialog.DoModal();
    frame->RestoreAndShow();
    return false;
  }
  // A file that cannot be read keeps the mode; the loader then says what failed.
  if (mode != kUnreadable) engine_->RecoveryMode = mode;

  frame->PastScanPage = 1;
  // An Extensive Scan's result commands follow this flag: they work after the load too.
  frame->PastFileSystemPage = 1;
  if (auto* results = dynamic_cast<ResultsPageReports*>(Pages[kResultsPage])) {
    PrepareResultColumns(*results->ResultList(), engine_->RecoveryMode);
  }
  if (engine_->RecoveryMode == engine::kModeFileTrace)
    frame->LoadFileTraceSnapshot(path);
  else
    frame->LoadScanSnapshot(path);
  // The results page's Recover and Home buttons, whatever an earlier visit left.
  for (UINT id : {ID_PAGE_NEXT, ID_PAGE_HOME}) {
    if (CWnd* button = Pages[kResultsPage]->GetDlgItem(id)) {
      button->ShowWindow(SW_SHOW);
      button->EnableWindow(TRUE);
    }
  }
  return true;
}

CView* CRecoveryApp::ShowWizardPage(int n) {
  CMainFrame* frame = MainFrame();
  if (frame == nullptr || n < 0 || n >= static_cast<int>(Pages.size())) return nullptr;
  CView* shown = frame->GetActiveView();
  // A preview makes the pane (or a click one of its viewers) the active view: the
  // page that holds it is the page on show.
  for (CView* page : Pages) {
    if (shown == nullptr || page == nullptr || page == shown) continue;
    if (::IsChild(page->GetSafeHwnd(), shown->GetSafeHwnd())) shown = page;
  }
  CView* wanted = Pages[n];
  if (shown == nullptr || shown == wanted || wanted == nullptr) return shown;

  const int shownId = shown->GetDlgCtrlID();
  const int wantedId = wanted->GetDlgCtrlID();
  shown->SetDlgCtrlID(wantedId);
  wanted->SetDlgCtrlID(shownId);
  shown->ShowWindow(SW_HIDE);
  wanted->ShowWindow(SW_SHOW);
  frame->SetActiveView(wanted, TRUE);
  frame->RecalcLayout();
  // The children too: a tree filled or emptied while its page was hidden would
  // otherwise stay as last painted until something touches it.
  wanted->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  return shown;
}

CString CRecoveryApp::GetRecentSnapshotPath() { return GetProfileString(L"File", L"Most Recent Check Book File", L""); }

void CRecoveryApp::OnAppAbout() {
  CAboutDlg about;
  about.DoModal();
}
