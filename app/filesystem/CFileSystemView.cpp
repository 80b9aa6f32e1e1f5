#include "CFileSystemView.h"

#include "CFileSystemForm.h"
#include "CRecoveryApp.h"
#include "CSecondDisplay.h"
#include "EngineContext.h"
#include "PageButtons.h"
#include "ResourceIds.h"
#include "ShowEnabled.h"
#include "UiEngineHost.h"
#include "UiText.h"
#include "extensive/FileSystemScan.h"
#include "results/ResultStore.h"

IMPLEMENT_DYNCREATE(CFileSystemView, CView)

BEGIN_MESSAGE_MAP(CFileSystemView, CView)
  ON_WM_CREATE()
  ON_WM_SIZE()
  ON_WM_TIMER()
  ON_WM_SHOWWINDOW()
  ON_WM_CTLCOLOR()
  ON_COMMAND(ID_PAGE_NEXT, OnNext)
  ON_COMMAND(ID_PAGE_BACK, OnBack)
  ON_COMMAND(ID_PAGE_STOP, OnStop)
  ON_COMMAND(ID_PAGE_HOME, OnHome)
END_MESSAGE_MAP()

namespace {

constexpr wchar_t kChooseText[] =
    L"To proceed with recovery, \r\nplease select a file system from the left side and then click Next.";
constexpr wchar_t kStopQuestion[] = L"Do you want to stop file searching ?";
constexpr wchar_t kScanPrompt[] =
    L" To proceed with recovery, Please select a file system from the left side and then click Next to continue "
    L"with \r\nrecovery. Check all the file systems one by one for the required data.";
constexpr wchar_t kLogicalDrivePrompt[] =
    L"You have selected logical drive for recovery. Please click Next to continue with recovery.";
constexpr wchar_t kPartitionPrompt[] =
    L"Please select a partition from the left panel and press Next to continue with recovery";

}  // namespace

CFileSystemView::CFileSystemView() {
  font_.CreateFont(16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                   CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
}

CFileSystemView::~CFileSystemView() = default;

int CFileSystemView::OnCreate(LPCREATESTRUCT cs) {
  if (CView::OnCreate(cs) == -1) return -1;
  if (!tree_.Create(WS_VISIBLE | WS_CHILD | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, CRect(0, 0, 600, 300),
                    this, CPartitionTreeCtrl::kTreeId))
    return -1;
  tree_.InitImages();

  // The form is made in the frame like every view, then handed to the splitter.
  form_ = static_cast<CFileSystemForm*>(RUNTIME_CLASS(CFileSystemForm)->CreateObject());
  CCreateContext context;
  context.m_pCurrentDoc = GetDocument();
  CWnd* frame = GetParent() ? GetParent() : this;
  CRect client;
  GetClientRect(&client);
  client.DeflateRect(20, 20);
  if (!form_->Create(nullptr, nullptr, WS_CHILD | WS_BORDER, client, frame, CFileSystemForm::kFormId, &context)) {
    form_ = nullptr;  // a view whose window failed has deleted itself
    return -1;
  }
  form_->OnInitialUpdate();
  form_->ShowWindow(SW_SHOW);
  tree_.SetForm(form_);

  splitter_.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_CLIPCHILDREN | CSplitterPanel::kSideBySide, this, &tree_,
                   form_, kSplitterId, CRect(0, 0, 0, 0), 90, 170);

  CreatePageButtons(this, {
      {next_, ID_PAGE_NEXT, IDB_NEXT, IDB_NEXT_HOVER, L"Next"},
      {back_, ID_PAGE_BACK, IDB_BACK, IDB_BACK_HOVER, L"Back"},
      {stop_, ID_PAGE_STOP, IDB_STOP, IDB_STOP_HOVER, L"Stop"},
      {home_, ID_PAGE_HOME, IDB_HOME, IDB_HOME_HOVER, L"Home"},
  });
  for (CToolButton* button : {&back_, &next_, &home_, &stop_}) ShowEnabled(*button, false);
  SendMessage(WM_SIZE);
  return 0;
}

void CFileSystemView::OnSize(UINT type, int cx, int cy) {
  CView::OnSize(type, cx, cy);
  if (!next_.GetSafeHwnd()) return;
  CRect client;
  GetClientRect(&client);
  LayoutStepButtons(client.Width(), client.Height(), next_, stop_, back_, home_, splitter_);
}

bool CFileSystemView::WorkerActive() const {
  const engine::ScanControlRecord& control = wizard::Engine().ScanControl;
  return control.StopOrDone.load() == 0 && control.Running.load() == 1;
}

void CFileSystemView::OnDraw(CDC* dc) {
  CRect client;
  GetClientRect(&client);
  skin_.DrawBackground(*dc, client);
  const PageSkin::HeaderExtent extent =
      skin_.DrawHeader(*dc, client, WorkerActive() ? IDB_HEADER_BUSY : IDB_HEADER_FILE_SYSTEM);
  headerLeftWidth_ = extent.LeftWidth;
  headerRightLeft_ = extent.RightLeft;
  PageSkin::DrawSummary(*dc, client, font_, ToCString(wizard::Engine().SelectionSummaryText));
}

HBRUSH CFileSystemView::OnCtlColor(CDC*, CWnd*, UINT) { return ::GetSysColorBrush(COLOR_WINDOW); }

// Whenever the page comes back without a working worker (from the end of the scan,
// whose worker may still be telling of unreadable sectors, or from the results
// page's Back) the user chooses again: Next and Back, the tree, no progress.
void CFileSystemView::OnShowWindow(BOOL show, UINT status) {
  CView::OnShowWindow(show, status);
  if (show && !WorkerActive()) ShowChoosingState();
  Invalidate(TRUE);
}

void CFileSystemView::ShowChoosingState() {
  ShowEnabled(stop_, false);
  ShowEnabled(next_, true);
  ShowEnabled(back_, true);
  home_.ShowWindow(SW_SHOW);
  home_.EnableWindow(TRUE);
  tree_.EnableWindow(TRUE);
  if (form_ != nullptr) {
    form_->SetProgressPos(0);
    form_->HideProgressBar();
    form_->SetStatusText(L"");
    form_->HideStatusText();
  }
}

void CFileSystemView::ShowChoosingAgain() {
  if (form_ != nullptr) form_->ClearFactValues();
  ShowChoosingState();
}

// ---- Next: the tree of the chosen volume on the worker ---------------------------------

void CFileSystemView::OnNext() {
  // The scan's worker may still be ending: nothing is released or started under it.
  if (form_ == nullptr || WorkerActive() || RecoveryApp().Host().WorkerRunning()) return;
  WizardFrameState& frame = wizard::Frame();
  if (frame.SelectedNodeIndex < 0) {
    wizard::ShowMessage(kChooseText, engine::kMessageInformation);
    return;
  }
  engine::EngineContext& ctx = wizard::Engine();
  engine::ReleaseFatAndTreeLists(ctx);
  frame.DrivePageActive = 0;
  frame.ScanPageActive = 1;
  frame.PastScanPage = 0;
  frame.PastFileSystemPage = 0;
  frame.ScanParametersMissing = 0;
  frame.SelectedNodeIndex = -1;

  form_->SetProgressPos(0);
  form_->ShowProgressBar();
  form_->ShowStatusText();
  ShowEnabled(stop_, true);
  ShowEnabled(next_, false);
  ShowEnabled(back_, false);
  ShowEnabled(home_, false);
  tree_.EnableWindow(FALSE);
  StartFileSystemScan();
  ::Sleep(50);
  RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void CFileSystemView::StartFileSystemScan() {
  engine::EngineContext& ctx = wizard::Engine();
  engine::ScanControlRecord& control = ctx.ScanControl;
  control.StopOrDone = 0;
  control.Running = 1;
  const bool started = wizard::StartWorker("File System Scan", [&ctx, filters = RecoveryApp().FileFilters()] {
    engine::FileSystemScanThreadProc(ctx, filters);
    // Whatever ended the worker, the page must learn that it has ended.
    ctx.ScanControl.Running = 0;
    ctx.ScanControl.StopOrDone = 1;
  });
  if (!started) {
    control.Running = 0;
    control.StopOrDone = 1;
  }
  SetTimer(kBuildTimer, 1000, nullptr);
}

// The worker signals its end before it fills the results list with the root
// folder; the thread itself having ended says the list is complete.
void CFileSystemView::OnTimer(UINT_PTR id) {
  const engine::ScanControlRecord& control = wizard::Engine().ScanControl;
  if (id == kBuildTimer && control.Running.load() == 0 && control.StopOrDone.load() != 0 &&
      !RecoveryApp().Host().WorkerRunning())
    GoOnToResultsPage();
  CView::OnTimer(id);
}

void CFileSystemView::GoOnToResultsPage() {
  KillTimer(kBuildTimer);
  WizardFrameState& frame = wizard::Frame();
  frame.DrivePageActive = 0;
  frame.ScanPageActive = 0;
  frame.PastScanPage = 0;
  frame.PastFileSystemPage = 1;
  wizard::ShowPage(wizard::kResultsPage);
  ::Sleep(500);
  if (CView* results = wizard::Page(wizard::kResultsPage)) {
    for (UINT button : {ID_PAGE_BACK, ID_PAGE_NEXT, ID_PAGE_HOME})
      if (CWnd* window = results->GetDlgItem(button)) ShowEnabled(*window, true);
  }
}

// ---- Stop, Back, Home ------------------------------------------------------------------

void CFileSystemView::OnStop() {
  engine::ScanControlRecord& control = wizard::Engine().ScanControl;
  if (!WorkerActive()) return;
  // The worker waits at its next poll while the user decides.
  control.Pause.Close();
  const bool stop = wizard::AskQuestion(kStopQuestion);
  if (stop) control.StopOrDone = 1;
  control.Pause.Open();
  if (!stop) return;
  if (form_ != nullptr) {
    form_->HideProgressBar();
    form_->HideStatusText();
  }
  ShowEnabled(stop_, false);
  WizardFrameState& frame = wizard::Frame();
  frame.DrivePageActive = 0;
  frame.ScanPageActive = 0;
  frame.PastScanPage = 1;
  frame.PastFileSystemPage = 0;
}

void CFileSystemView::OnBack() {
  engine::EngineContext& ctx = wizard::Engine();
  // Nothing is released while a worker still works on the records.
  if (RecoveryApp().Host().WorkerRunning()) RecoveryApp().Host().StopAndJoinWorker();
  KillTimer(kBuildTimer);
  tree_.DeleteAllItems();
  if (form_ != nullptr) form_->ClearFactValues();
  WizardFrameState& frame = wizard::Frame();
  CSecondDisplay* panel = frame.SecondDisplay;
  const bool logicalDrive = ctx.SourceDevice.SourceKind == engine::kSourceLogicalDrive;
  if (panel != nullptr) panel->ClearValues();
  engine::DeleteTempPreviewFiles(ctx, {});
  if (panel != nullptr) {
    if (logicalDrive) {
      panel->SetPromptText(kLogicalDrivePrompt);
      panel->ShowLogicalDriveFacts();
    } else {
      panel->ShowSelectionFacts(ctx.SourceSelection.EntryIndex);
      panel->SetPromptText(kPartitionPrompt);
    }
  }
  frame.DrivePageActive = 0;
  frame.ScanPageActive = 1;
  frame.PastScanPage = 0;
  frame.PastFileSystemPage = 0;
  frame.ScanParametersMissing = 1;
  frame.SelectedNodeIndex = logicalDrive ? 0 : -1;
  if (panel != nullptr) {
    panel->SetStatusText(L"");
    panel->HideStatusText();
    panel->SetProgressPos(0);
    panel->HideProgressBar();
    if (logicalDrive) {
      panel->ShowFileSystemCombo();
      panel->ShowLogicalDriveRange();
    } else {
      panel->ShowRangeControls();
      panel->ShowWholeDiskFacts();
      panel->ShowSelectionFacts(0);
    }
  }
  engine::ReleaseCandidateLists(ctx);
  // The scan page offers Next and Back again when it is shown without a worker.
  wizard::ShowPage(wizard::kScanPage);
}

void CFileSystemView::OnHome() {
  OnBack();
  // The scan page's Home is its own Back followed by the drive page's.
  if (CView* scanPage = wizard::Page(wizard::kScanPage)) scanPage->SendMessage(WM_COMMAND, ID_PAGE_HOME);
}

// ---- The Extensive Scan's and the worker's reports -----------------------------------------

HTREEITEM CFileSystemView::InsertPartitionTreeItem(const CString& text, HTREEITEM parent) {
  return tree_.InsertItemWithIcon(text, parent != nullptr ? parent : TVI_ROOT);
}

void CFileSystemView::ReportFileSystemProgress(int percent) {
  if (form_ != nullptr) form_->SetProgressPos(percent);
}

void CFileSystemView::ReportFileSystemStatus(const CString& text) {
  if (form_ != nullptr) form_->SetStatusText(text);
}

void CFileSystemView::ReportFileSystemStop(engine::ButtonAction action) {
  switch (action) {
    case engine::ButtonAction::Enable: stop_.EnableWindow(TRUE); break;
    case engine::ButtonAction::Disable: stop_.EnableWindow(FALSE); break;
    case engine::ButtonAction::Show: stop_.ShowWindow(SW_SHOW); break;
    case engine::ButtonAction::Hide: stop_.ShowWindow(SW_HIDE); break;
  }
}

void CFileSystemView::PrepareForScan(uint16_t fileSystemCode) {
  tree_.DeleteAllItems();
  wizard::Frame().SelectedNodeIndex = -1;
  if (form_ == nullptr) return;
  if (fileSystemCode == engine::kFileSystemNtfs)
    form_->ShowNtfsCaptions();
  else
    form_->ShowFatCaptions();
  form_->SetNoticeText(kScanPrompt);
}

bool CFileSystemView::FoundNoFileSystem() const {
  HTREEITEM first = tree_.GetRootItem();
  return first != nullptr && tree_.GetNextItem(first, TVGN_NEXTVISIBLE) == nullptr;
}

void CFileSystemView::SetNoticeText(const CString& text) {
  if (form_ != nullptr) form_->SetNoticeText(text);
}
