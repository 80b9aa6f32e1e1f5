#include "CMainFrame.h"

#include <shellapi.h>

#include "CCommandBarDrawer.h"
#include "CCommandIconStore.h"
#include "CCommandShortcuts.h"
#include "CDriveInfoDlg.h"
#include "CFileFiltersDlg.h"
#include "CFindFilesDlg.h"
#include "CPropertiesDlg.h"
#include "CKitCommandBars.h"
#include "CMainPreviewView.h"
#include "CResultListCtrl.h"
#include "CMainFrameDrawer.h"
#include "CRecoveryApp.h"
#include "CRecoverySettingsDlg.h"
#include "CSavedWindowPlacement.h"
#include "MessageDialogs.h"
#include "PageReports.h"
#include "PreviewSession.h"
#include "ResourceIds.h"
#include "UiEngineHost.h"
#include "UiText.h"
#include "WizardLinks.h"
#include "Win32InputFileReader.h"
#include "results/ResultStore.h"
#include "snapshot/SnapshotLoading.h"
#include "snapshot/SnapshotSaving.h"

IMPLEMENT_DYNCREATE(CMainFrame, CKitFrameWnd)

namespace {

constexpr wchar_t kFrameCaption[] = L"Pelmo Windows Data Recovery";
constexpr wchar_t kFrameTitle[] = L"Pelmo for Window Data Recovery ";
constexpr wchar_t kProductPage[] = L"https://www.pelmo-recovery.example/windows-data-recovery.html";
constexpr wchar_t kManualName[] = L"Pelmo Windows Data Recovery.pdf";
constexpr UINT kStatusBarId = 59393;  // AFX_IDW_STATUS_BAR
constexpr UINT kStatusPanes[] = {0, 59137, 59138, 59139};
constexpr int kDockingDrawingStyle = 2;
constexpr wchar_t kBarsProfile[] = L"CommandBars";
constexpr int kCommandIconSize = 32;
// The toolbar's commands and their icons, in the same order.
constexpr UINT kToolbarCommands[] = {ID_RECOVERY_EXIT, ID_RECOVER_SELECTED, ID_SAVE_SNAPSHOT, ID_LOAD_SNAPSHOT,
                                     ID_FIND_FILES,    ID_RECOVERY_SETTINGS, ID_HELP_MANUAL};
constexpr UINT kCommandIcons[] = {IDI_EXIT, IDI_RECOVER, IDI_SAVE_SNAPSHOT, IDI_LOAD_SNAPSHOT,
                                  IDI_FIND, IDI_SETTINGS, IDI_HELP};
constexpr UINT kHiddenCommands[] = {57607, 57609};
constexpr int kStrayPaneId = 4001;
constexpr int kMinimumWidth = 875;
constexpr int kMinimumHeight = 690;
// The banner sits at the top right of the bar area: the hand shows over all of
// it, a click on its inner part opens the product page.
constexpr RECT kBannerHoverArea = {-380, 20, -5, 70};  // x from the right edge, y from the top
constexpr RECT kBannerClickArea = {-245, 25, -5, 60};

bool InBannerArea(const RECT& area, const CRect& client, CPoint point) {
  const CRect hit(client.right + area.left, client.top + area.top, client.right + area.right, client.top + area.bottom);
  return hit.PtInRect(point) != FALSE;
}

// Lets the web browser control show Excel workbooks in place. Written only when a
// value differs, and skipped without a word where the machine's classes cannot be
// written (an ordinary user).
void WriteMachineDword(LPCWSTR subKey, LPCWSTR name, DWORD value) {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, subKey, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
  DWORD current = 0;
  DWORD type = 0;
  DWORD bytes = sizeof(current);
  const bool same = ::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&current), &bytes) ==
                        ERROR_SUCCESS &&
                    type == REG_DWORD && current == value;
  if (!same) ::RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
  ::RegCloseKey(key);
}

engine::EngineContext& Engine() { return RecoveryApp().Engine(); }

}  // namespace

BEGIN_MESSAGE_MAP(CMainFrame, CKitFrameWnd)
  ON_WM_CREATE()
  ON_WM_CLOSE()
  ON_WM_GETMINMAXINFO()
  ON_COMMAND(ID_RECOVER_SELECTED, OnRecoverSelected)
  ON_COMMAND(ID_SAVE_SNAPSHOT, OnSaveSnapshot)
  ON_COMMAND(ID_LOAD_SNAPSHOT, OnLoadSnapshot)
  ON_COMMAND(ID_RECOVERY_EXIT, OnExit)
  ON_COMMAND(ID_VIEW_ICONS, OnViewIcons)
  ON_COMMAND(ID_RESULTS_LIST, OnViewList)
  ON_COMMAND(ID_RESULTS_DETAILS, OnViewDetails)
  ON_COMMAND(ID_FIND_FILES, OnFindFiles)
  ON_COMMAND(ID_FILE_FILTERS, OnFileFilters)
  ON_COMMAND(ID_RECOVERY_SETTINGS, OnSettings)
  ON_COMMAND(ID_DRIVE_INFORMATION, OnDriveInformation)
  ON_COMMAND(ID_ITEM_PROPERTIES, OnItemProperties)
  ON_COMMAND(ID_HELP_MANUAL, OnHelp)
  ON_COMMAND(ID_SAVE_ALL, OnSaveAll)
  ON_COMMAND(ID_SECOND_EXIT, OnSecondExit)
  ON_COMMAND(ID_UNUSED_COMMAND_1, OnUnusedCommand)
  ON_COMMAND(ID_UNUSED_COMMAND_2, OnUnusedCommand)
  ON_COMMAND(ID_UNUSED_COMMAND_3, OnUnusedCommand)
  ON_UPDATE_COMMAND_UI(ID_RECOVER_SELECTED, OnUpdateResultCommand)
  ON_UPDATE_COMMAND_UI(ID_SAVE_SNAPSHOT, OnUpdateResultCommand)
  ON_UPDATE_COMMAND_UI(ID_VIEW_ICONS, OnUpdateResultCommand)
  ON_UPDATE_COMMAND_UI(ID_RESULTS_LIST, OnUpdateResultCommand)
  ON_UPDATE_COMMAND_UI(ID_RESULTS_DETAILS, OnUpdateResultCommand)
  ON_UPDATE_COMMAND_UI(ID_FILE_FILTERS, OnUpdateResultCommand)
  ON_UPDATE_COMMAND_UI(ID_FIND_FILES, OnUpdateSearchCommand)
  ON_UPDATE_COMMAND_UI(ID_DRIVE_INFORMATION, OnUpdateDriveInformation)
  ON_UPDATE_COMMAND_UI(ID_SAVE_ALL, OnUpdateDriveInformation)
  ON_UPDATE_COMMAND_UI(ID_LOAD_SNAPSHOT, OnUpdateLoadSnapshot)
  ON_UPDATE_COMMAND_UI(ID_RECOVERY_EXIT, OnUpdateExit)
  ON_UPDATE_COMMAND_UI(ID_RECOVERY_SETTINGS, OnUpdateSettings)
  ON_UPDATE_COMMAND_UI(ID_HELP_MANUAL, OnUpdateAlwaysEnabled)
  ON_UPDATE_COMMAND_UI(ID_ABOUT_PROGRAM, OnUpdateAlwaysEnabled)
  ON_UPDATE_COMMAND_UI(ID_SECOND_EXIT, OnUpdateAlwaysEnabled)
END_MESSAGE_MAP()

CMainFrame::CMainFrame() { ScanParametersMissing = 1; }

CMainFrame::~CMainFrame() {
  if (handCursor_ != nullptr) ::DestroyCursor(handCursor_);
}

// ---- Creation ----------------------------------------------------------------------

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs) {
  if (!CKitFrameWnd::PreCreateWindow(cs)) return FALSE;
  cs.lpszClass = AfxRegisterWndClass(0, nullptr, nullptr, ::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDI_PROGRAM)));
  cs.lpszName = kFrameCaption;
  cs.style &= ~FWS_ADDTOTITLE;
  return TRUE;
}

int CMainFrame::OnCreate(LPCREATESTRUCT createStruct) {
  if (CKitFrameWnd::OnCreate(createStruct) == -1) return -1;
  m_strTitle = kFrameTitle;
  handCursor_ = ::LoadCursorW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDC_HAND_POINT));

  if (!statusBar_.Create(this, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP, kStatusBarId)) return -1;
  if (!statusBar_.DefinePanes(kStatusPanes, static_cast<int>(std::size(kStatusPanes)))) return -1;
  if (!CreateBars()) return -1;

  dockingHost_.AttachToFrame(this);
  dockingHost_.SelectDrawingStyle(kDockingDrawingStyle);
  // The program makes no pane; one of id 4001 that a stored layout brings back is closed.
  dockingHost_.DismissPane(dockingHost_.LookupPaneById(kStrayPaneId));

  WritePreviewSettings();
  return 0;
}

// The menu bar, the "Standard" toolbar with its icons and captions below them,
// the program's drawer and the stored bar settings.
bool CMainFrame::CreateBars() {
  GetCommandBarDrawer();  // the default style first, should the bars need one
  if (!InitCommandBars()) return false;
  CKitCommandBars* bars = GetCommandBars();
  if (bars->CreateMenuBar(L"Menu Bar", IDR_MAINFRAME) == nullptr) return false;
  standardBar_ = dynamic_cast<CKitToolBar*>(bars->CreateToolBar(L"Standard", CKitCommandBars::kDockTop));
  if (standardBar_ == nullptr || !standardBar_->LoadToolBar(IDR_MAINFRAME)) return false;

  commandIcons_.Create(kCommandIconSize, kCommandIconSize, ILC_COLOR32 | ILC_MASK, 0, 1);
  for (UINT icon : kCommandIcons) {
    HICON handle = static_cast<HICON>(::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(icon), IMAGE_ICON,
                                                   kCommandIconSize, kCommandIconSize, LR_DEFAULTCOLOR));
    commandIcons_.Add(handle);
    if (handle != nullptr) ::DestroyIcon(handle);
  }
  commandIcons_.SetBkColor(CLR_NONE);
  GetCommandIconStore()->SetIconsFromImageList(commandIcons_.GetSafeHandle(), kToolbarCommands,
                                               static_cast<int>(std::size(kToolbarCommands)), kCommandIconSize,
                                               kCommandIconSize, 0);
  standardBar_->SetTextBelowIcons(1);

  InstallCustomCommandBarDrawer(new CMainFrameDrawer);
  // A second instance of the frame's drawer, the toolbar's own; the toolbar
  // holds it from here on.
  CMainFrameDrawer* toolbarDrawer = new CMainFrameDrawer;
  standardBar_->SetOwnDrawer(toolbarDrawer);
  toolbarDrawer->InternalRelease();

  bars->HideCommandIds(kHiddenCommands, static_cast<int>(std::size(kHiddenCommands)));
  bars->GetSettings()->m_bAlwaysShowFullMenus = FALSE;
  // There is no accelerator table 128: the keyboard reaches commands through the
  // menu bar's mnemonics.
  bars->GetKeyboardShortcuts()->LoadAcceleratorResource(IDR_MAINFRAME);
  bars->LoadSettings(kBarsProfile);
  bars->LoadLayout(kBarsProfile, FALSE);
  bars->GetKeyboardShortcuts()->LoadFromProfile(kBarsProfile);
  return true;
}

void CMainFrame::WritePreviewSettings() {
  WriteMachineDword(L"SOFTWARE\\Classes\\Excel.Sheet.8", L"EditFlags", 0x00010000);
  WriteMachineDword(L"SOFTWARE\\Classes\\Excel.Sheet.8", L"BrowserFlags", 0);
  WriteMachineDword(L"SOFTWARE\\Classes\\Excel.Sheet.12", L"BrowserFlags", 0);
}

void CMainFrame::OnGetMinMaxInfo(MINMAXINFO* info) {
  info->ptMinTrackSize.x = kMinimumWidth;
  info->ptMinTrackSize.y = kMinimumHeight;
}

void CMainFrame::RestoreAndShow(int) {
  CSavedWindowPlacement placement;
  placement.RestorePlacement(this);
  ShowWindow(SW_SHOW);
}

BOOL CMainFrame::PreTranslateMessage(MSG* message) {
  if (message->message == WM_MOUSEMOVE || message->message == WM_LBUTTONDOWN) {
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    CRect client;
    GetClientRect(&client);
    if (message->message == WM_MOUSEMOVE && InBannerArea(kBannerHoverArea, client, point) && handCursor_ != nullptr)
      ::SetCursor(handCursor_);
    if (message->message == WM_LBUTTONDOWN && InBannerArea(kBannerClickArea, client, point))
      ::ShellExecuteW(nullptr, L"open", kProductPage, nullptr, nullptr, SW_SHOWMAXIMIZED);
  }
  return CKitFrameWnd::PreTranslateMessage(message);
}

BOOL CMainFrame::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) {
  CView* results = RecoveryApp().Pages[kResultsPage];
  CView* active = GetActiveView();
  if (results != nullptr && active != nullptr && active != results && results->GetSafeHwnd() != nullptr &&
      ::IsChild(results->GetSafeHwnd(), active->GetSafeHwnd()) && results->OnCmdMsg(id, code, extra, handlerInfo))
    return TRUE;
  return CKitFrameWnd::OnCmdMsg(id, code, extra, handlerInfo);
}

// ---- The exit road -----------------------------------------------------------------

void CMainFrame::ShowPreview(CString path, CString extension) {
  auto* pane = dynamic_cast<CMainPreviewView*>(PreviewView);
  if (pane == nullptr || pane->GetSafeHwnd() == nullptr) return;
  SetActiveView(pane, FALSE);
  // Drawings found by File Trace are not previewed: the viewers learn the mode here.
  if (CPreviewSession* session = FindPreviewSession(pane))
    session->FileTraceMode = Engine().RecoveryMode == engine::kModeFileTrace ? 1 : 0;
  pane->ClosePreviewWindows();
  pane->ShowFile(path, extension);
}

void CMainFrame::OnClose() {
  if (IsIconic()) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    GetWindowPlacement(&placement);
    placement.showCmd = SW_RESTORE;
    SetWindowPlacement(&placement);
  }
  if (ConfirmExit()) CKitFrameWnd::OnClose();
}

BOOL CMainFrame::ConfirmExit() {
  // The preview copies go whatever the answer.
  if (auto* list = dynamic_cast<CResultListCtrl*>(wizard::ResultsList())) {
    list->DeleteTempCopies();
    list->ForgetTempCopies();
  } else {
    engine::DeleteTempPreviewFiles(Engine(), {});
  }
  if (!AskQuestionRequest(L"Do you really want to exit ?")) return FALSE;

  if (CKitCommandBars* bars = GetCommandBars()) {
    bars->SaveSettings(kBarsProfile);
    bars->SaveLayout(kBarsProfile, TRUE);
    bars->GetKeyboardShortcuts()->SaveToProfile(kBarsProfile);
  }
  // The program keeps no pane arrangement: the one built for the host here is
  // dropped without being stored.
  if (CDockingArrangement* arrangement = dockingHost_.CreateArrangement()) arrangement->InternalRelease();
  CSavedWindowPlacement placement;
  placement.StorePlacement(this);
  // No worker may still be reading the lists freed below.
  UiEngineHost& host = RecoveryApp().Host();
  host.Close();
  host.StopAndJoinWorker();
  engine::EngineContext& ctx = Engine();
  engine::ReleaseFatAndTreeLists(ctx);
  engine::ReleaseTreeLists(ctx);
  engine::ReleaseCandidateLists(ctx);
  engine::ReleaseCarvedFileList(ctx);
  engine::ReleaseSelectedSignatureList(ctx);
  HANDLE self = ::OpenProcess(PROCESS_TERMINATE, FALSE, ::GetCurrentProcessId());
  if (self == nullptr) return TRUE;
  ::TerminateProcess(self, 0);
  ::CloseHandle(self);
  return TRUE;
}

void CMainFrame::OnExit() { ConfirmExit(); }
void CMainFrame::OnSecondExit() { ConfirmExit(); }
void CMainFrame::OnUnusedCommand() {}

// ---- Command rules -----------------------------------------------------------------

bool CMainFrame::ResultCommandsEnabled() const {
  return Engine().RecoveryMode == engine::kModeExtensiveScan ? PastFileSystemPage != 0 : PastScanPage != 0;
}

void CMainFrame::OnUpdateResultCommand(CCmdUI* cmdUI) { cmdUI->Enable(ResultCommandsEnabled()); }

void CMainFrame::OnUpdateSearchCommand(CCmdUI* cmdUI) {
  cmdUI->Enable(Engine().RecoveryMode != engine::kModeFileTrace && ResultCommandsEnabled());
}

void CMainFrame::OnUpdateDriveInformation(CCmdUI* cmdUI) {
  cmdUI->Enable(Engine().RecoveryMode == engine::kModeFileTrace || ResultCommandsEnabled());
}

void CMainFrame::OnUpdateLoadSnapshot(CCmdUI* cmdUI) { cmdUI->Enable(LoadSnapshotEnabled != 0); }
void CMainFrame::OnUpdateExit(CCmdUI* cmdUI) { cmdUI->Enable(ExitEnabled != 0); }
void CMainFrame::OnUpdateSettings(CCmdUI* cmdUI) { cmdUI->Enable(Engine().RecoveryMode != engine::kModeFileTrace); }
void CMainFrame::OnUpdateAlwaysEnabled(CCmdUI* cmdUI) { cmdUI->Enable(TRUE); }

// ---- Commands ----------------------------------------------------------------------

ResultsPageReports* CMainFrame::ResultsPage() const {
  return dynamic_cast<ResultsPageReports*>(RecoveryApp().Pages[kResultsPage]);
}

// The ticks live in the results page's check maps, so the page saves them.
void CMainFrame::OnRecoverSelected() {
  if (ResultsPageReports* results = ResultsPage()) results->RecoverSelected();
}

void CMainFrame::OnSaveAll() {
  if (ResultsPageReports* results = ResultsPage()) results->SaveAll();
}

void CMainFrame::OnSaveSnapshot() { engine::snapshot::SaveSnapshot(Engine()); }

void CMainFrame::OnLoadSnapshot() {
  engine::EngineContext& ctx = Engine();
  const std::optional<std::u16string> path =
      engine::snapshot::ChooseSnapshotToLoad(ctx, RecoveryApp().InputFiles());
  if (!path) return;
  if (ResultsPageReports* results = ResultsPage()) PrepareResultColumns(*results->ResultList(), ctx.RecoveryMode);
  PastScanPage = 1;
  // An Extensive Scan's result commands follow this flag: they work after the load too.
  PastFileSystemPage = 1;
  const bool loaded = ctx.RecoveryMode == engine::kModeFileTrace ? LoadFileTraceSnapshot(ToCString(*path))
                                                                 : LoadScanSnapshot(ToCString(*path));
  if (!loaded) {
    DrivePageActive = 1;
    ScanPageActive = 0;
    PastScanPage = 0;
    PastFileSystemPage = 0;
  }
}

bool CMainFrame::LoadScanSnapshot(const CString& path) {
  CRecoveryApp& app = RecoveryApp();
  return engine::snapshot::LoadScanSnapshot(app.Engine(), ToU16(path), app.InputFiles(), app.FileFilters());
}

bool CMainFrame::LoadFileTraceSnapshot(const CString& path) {
  CRecoveryApp& app = RecoveryApp();
  return engine::snapshot::LoadFileTraceSnapshot(app.Engine(), ToU16(path), app.InputFiles());
}

void CMainFrame::SetResultsListView(DWORD viewStyle) {
  auto* results = dynamic_cast<ResultsPageReports*>(RecoveryApp().Pages[kResultsPage]);
  CListCtrl* list = results != nullptr ? results->ResultList() : nullptr;
  if (list == nullptr || list->GetSafeHwnd() == nullptr) return;
  list->ModifyStyle(LVS_TYPEMASK, viewStyle | LVS_AUTOARRANGE);
  list->RedrawWindow();
}

void CMainFrame::OnViewIcons() {
  // Small icons, list, small icons again: forces a new arrangement.
  SetResultsListView(LVS_SMALLICON);
  SetResultsListView(LVS_LIST);
  SetResultsListView(LVS_SMALLICON);
}

void CMainFrame::OnViewList() { SetResultsListView(LVS_LIST); }
void CMainFrame::OnViewDetails() { SetResultsListView(LVS_REPORT); }

void CMainFrame::OnFindFiles() { RunFindFilesDialog(this); }

void CMainFrame::OnFileFilters() {
  CFileFiltersDlg dialog(this);
  dialog.DoModal();
}

void CMainFrame::OnSettings() {
  CRecoverySettingsDlg dialog(this);
  dialog.DoModal();
}

void CMainFrame::OnDriveInformation() {
  CDriveInfoDlg dialog(this);
  dialog.DoModal();
}

// "&Properties..." of the results tree's and list's context menus.
void CMainFrame::OnItemProperties() { ShowResultProperties(this); }

void CMainFrame::OnHelp() {
  const CString manual = ProgramFolder() + kManualName;
  if (::GetFileAttributesW(manual) != INVALID_FILE_ATTRIBUTES) {
    ::ShellExecuteW(nullptr, L"open", manual, nullptr, nullptr, SW_SHOWNORMAL);
    return;
  }
  ShowMessageRequest(EscapeMarkupText(CString(kManualName)) + L" file does not exist. Please, reinstall the software.",
                     kMessageError);
}
