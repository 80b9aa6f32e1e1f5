#include "CSecondView_HDD.h"

#include "CFileTypesDlg.h"
#include "CFirstDisplay.h"
#include "CFirstView_HDD.h"
#include "CRecoveryApp.h"
#include "CSecondDisplay.h"
#include "EngineContext.h"
#include "PageButtons.h"
#include "PageTexts.h"
#include "ResourceIds.h"
#include "ShowEnabled.h"
#include "UiEngineHost.h"
#include "UiText.h"
#include "extensive/ExtensiveScan.h"
#include "results/ResultStore.h"
#include "scans/QuickScan.h"
#include "signatures/FileTrace.h"

IMPLEMENT_DYNCREATE(CSecondView_HDD, CView)

BEGIN_MESSAGE_MAP(CSecondView_HDD, CView)
  ON_WM_CREATE()
  ON_WM_SIZE()
  ON_WM_KEYDOWN()
  ON_WM_TIMER()
  ON_WM_SETCURSOR()
  ON_WM_SHOWWINDOW()
  ON_WM_CTLCOLOR()
  ON_COMMAND(ID_PAGE_NEXT, OnNext)
  ON_COMMAND(ID_PAGE_BACK, OnBack)
  ON_COMMAND(ID_PAGE_STOP, OnStop)
  ON_COMMAND(ID_PAGE_HOME, OnHome)
END_MESSAGE_MAP()

namespace {

constexpr wchar_t kChoosePartitionText[] =
    L"Please choose the partition that you wish to recover \r\nfrom the left side and click [Next].";
constexpr wchar_t kInvalidStartText[] = L"The start sector value is invalid; it must be a positive number.";
constexpr wchar_t kInvalidEndText[] = L"End sector value is not valid, It should be a positive number";
constexpr wchar_t kEndNotAfterStartText[] = L"The end sector should be larger than the beginning sector.";
constexpr wchar_t kSearchingPrompt[] = L"Searching for deleted /lost/re-partitioned partions ";
constexpr wchar_t kStopQuestion[] =
    L"Do you want to stop searching for files?  This may result in an incomplete \r\nrecovery, requiring you to "
    L"restart the process again.";
constexpr wchar_t kQuickScanEndText[] =
    L"If  file(s) and folder(s) are not found here,  \r\nplease return to the first step and select Extensive Scan "
    L"for recovery.";
constexpr wchar_t kNoFileSystemNotice[] =
    L"Pelmo Windows Data Recovery failed to detect a file system in the specified sector range.";
constexpr wchar_t kNoFileSystemText[] =
    L"Pelmo Windows Data Recovery failed to detect a file system in the specified sector range.\r\nPlease make "
    L"sure  that you made the correct choices in the previous step\r\nReturn to the previous stage and choose hard "
    L"disk for full scan.";
constexpr wchar_t kDrivePagePrompt[] =
    L" Please select the Virtual Hard Disk ( VHD ) that contains data from left panel and click [Next] to continue "
    L"with recovery.";

std::u16string ModeSourceSummary(const wchar_t* mode, uint16_t sourceKind) {
  const wchar_t* drive = sourceKind == engine::kSourceLogicalDrive ? L"Logical Drive" : L"Virtual Hard Disk";
  return ToU16(CString(L"Selected Mode : ") + mode + L" \r\nDrive Type        : " + drive);
}

// An unsigned decimal sector number of at most 32 bits; nothing for any other text.
std::optional<uint32_t> ParseSector(const CString& text) {
  if (text.IsEmpty() || text.GetLength() > 10) return std::nullopt;
  uint64_t value = 0;
  for (int i = 0; i < text.GetLength(); ++i) {
    if (text[i] < L'0' || text[i] > L'9') return std::nullopt;
    value = value * 10 + static_cast<uint64_t>(text[i] - L'0');
  }
  if (value > UINT32_MAX) return std::nullopt;
  return static_cast<uint32_t>(value);
}

}  // namespace

CSecondView_HDD::CSecondView_HDD() {
  font_.CreateFont(16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                   CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
  KeyboardStep = 1;
}

CSecondView_HDD::~CSecondView_HDD() = default;

int CSecondView_HDD::OnCreate(LPCREATESTRUCT cs) {
  if (CView::OnCreate(cs) == -1) return -1;
  tree_.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, CRect(0, 0, 600, 300), this,
               kTreeId);

  // The panel is made in the frame like every view, then handed to the splitter.
  panel_ = static_cast<CSecondDisplay*>(RUNTIME_CLASS(CSecondDisplay)->CreateObject());
  CCreateContext context;
  context.m_pCurrentDoc = GetDocument();
  CWnd* frame = GetParent() ? GetParent() : this;
  if (!panel_->Create(nullptr, nullptr, WS_CHILD | WS_BORDER, CRect(0, 0, 0, 0), frame, CSecondDisplay::kPanelId,
                      &context)) {
    panel_ = nullptr;  // a view whose window failed has deleted itself
    return -1;
  }
  panel_->OnInitialUpdate();
  panel_->ShowWindow(SW_SHOW);

  splitter_.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | CSplitterPanel::kSideBySide, this, &tree_, panel_,
                   kSplitterId, CRect(0, 0, 0, 0), 90, 110);
  tree_.InitImages();

  CreatePageButtons(this, {
      {next_, ID_PAGE_NEXT, IDB_NEXT, IDB_NEXT_HOVER, L"Next"},
      {back_, ID_PAGE_BACK, IDB_BACK, IDB_BACK_HOVER, L"Back"},
      {stop_, ID_PAGE_STOP, IDB_STOP, IDB_STOP_HOVER, L"Stop"},
      {home_, ID_PAGE_HOME, IDB_HOME, IDB_HOME_HOVER, L"Home"},
  });
  ShowEnabled(stop_, false);
  WaitCursorShown = 0;
  SendMessage(WM_SIZE);
  return 0;
}

void CSecondView_HDD::OnSize(UINT type, int cx, int cy) {
  CView::OnSize(type, cx, cy);
  if (!next_.GetSafeHwnd()) return;
  CRect client;
  GetClientRect(&client);
  LayoutStepButtons(client.Width(), client.Height(), next_, stop_, back_, home_, splitter_);
}

bool CSecondView_HDD::WorkerActive() const {
  const engine::ScanControlRecord& control = wizard::Engine().ScanControl;
  return control.Running.load() != 0 && control.StopOrDone.load() == 0;
}

void CSecondView_HDD::OnDraw(CDC* dc) {
  CRect client;
  GetClientRect(&client);
  const engine::EngineContext& ctx = wizard::Engine();
  UINT header = IDB_HEADER_SCAN;
  if (WorkerActive())
    header = IDB_HEADER_BUSY;
  else if (ctx.SourceDevice.SourceKind == engine::kSourceLogicalDrive)
    header = IDB_HEADER_SCAN_LOGICAL;
  else if (ctx.RecoveryMode == engine::kModeExtensiveScan)
    header = IDB_HEADER_SCAN_EXTENSIVE;
  skin_.DrawBackground(*dc, client);
  const PageSkin::HeaderExtent extent = skin_.DrawHeader(*dc, client, header);
  headerLeftWidth_ = extent.LeftWidth;
  headerRightLeft_ = extent.RightLeft;
  PageSkin::DrawSummary(*dc, client, font_, ToCString(ctx.SelectionSummaryText));
}

void CSecondView_HDD::RedrawNow() { RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN); }

// ---- Links of the drive page -------------------------------------------------------

void CSecondView_HDD::ShowTreePane(bool show) {
  if (show)
    splitter_.ShowFirstPane();
  else
    splitter_.HideFirstPane();
}

void CSecondView_HDD::ShowNavigationButtons() {
  ShowEnabled(next_, true);
  ShowEnabled(back_, true);
  home_.EnableWindow(TRUE);
}

// ---- Next ------------------------------------------------------------------------

void CSecondView_HDD::Refuse(const wchar_t* text) { wizard::ShowMessage(text, engine::kMessageError); }

void CSecondView_HDD::TakeStartSteps() {
  panel_->ShowProgressBar();
  ShowEnabled(stop_, true);
  ShowEnabled(next_, false);
  ShowEnabled(back_, false);
  panel_->HideProgressToggle();
  panel_->ShowStatusText();
  ShowEnabled(home_, false);
  wizard::Frame().ScanParametersMissing = 0;
  tree_.EnableWindow(FALSE);
}

void CSecondView_HDD::OnNext() {
  if (panel_ == nullptr || WorkerActive()) return;
  engine::EngineContext& ctx = wizard::Engine();
  const int selected = wizard::Frame().SelectedNodeIndex;
  switch (ctx.RecoveryMode) {
    case engine::kModeExtensiveScan:
      if (selected < -1) return Refuse(kChoosePartitionText);
      if (!PrepareExtensiveScan()) return;
      break;
    case engine::kModeQuickScan:
      if (selected < 0) return Refuse(kChoosePartitionText);
      TakeStartSteps();
      ctx.SelectionSummaryText = ModeSourceSummary(L"Quick Scan", ctx.SourceDevice.SourceKind);
      StartQuickScan();
      ::Sleep(50);
      RedrawNow();
      break;
    case engine::kModeFileTrace: {
      if (selected < 0) return Refuse(kChoosePartitionText);
      CFileTypesDlg dialog(this);
      fileTypes_ = &dialog;
      const INT_PTR answer = dialog.DoModal();
      fileTypes_ = nullptr;
      if (answer == IDOK) {
        TakeStartSteps();
        ctx.SelectionSummaryText = ModeSourceSummary(L"File Trace", ctx.SourceDevice.SourceKind);
        StartFileTrace();
        ::Sleep(50);
        RedrawNow();
      }
      break;
    }
    default:
      return;
  }
  panel_->SetPromptText(kSearchingPrompt);
}

// The file system and range of Extensive Scan; false when Next refused or the
// volume could not be opened, and then nothing has started.
bool CSecondView_HDD::PrepareExtensiveScan() {
  engine::EngineContext& ctx = wizard::Engine();
  engine::SourceSelectionRecord& selection = ctx.SourceSelection;
  if (const uint16_t code = panel_->ChosenFileSystemCode()) selection.FileSystemCode = code;

  if (ctx.SourceDevice.SourceKind == engine::kSourceLogicalDrive) {
    if (selection.EntryIndex >= ctx.LogicalDriveCount) return false;
    const std::u16string& root = ctx.LogicalDriveTable[selection.EntryIndex].RootPath;
    ctx.SourceDevice.VolumeHandle.reset();
    ctx.SourceDevice.VolumeHandle =
        ctx.Devices->OpenForReading(u"\\\\.\\" + root.substr(0, 2), engine::DeviceShare::ReadWrite);
    if (!ctx.SourceDevice.VolumeHandle) return false;
    ctx.SelectionSummaryText = ModeSourceSummary(L"Extensive Scan", engine::kSourceLogicalDrive);
  } else {
    const std::optional<uint32_t> start = ParseSector(panel_->StartSectorText());
    if (!start) return Refuse(kInvalidStartText), false;
    const std::optional<uint32_t> end = ParseSector(panel_->EndSectorText());
    if (!end) return Refuse(kInvalidEndText), false;
    if (*end <= *start) return Refuse(kEndNotAfterStartText), false;
    selection.StartSector = *start;
    selection.EndSector = *end;
    selection.SectorCount = *end - *start;
    ctx.SelectionSummaryText = ModeSourceSummary(L"Extensive Scan", engine::kSourceWholeDisk);
  }

  if (selection.FileSystemCode == engine::kFileSystemNtfs) {
    panel_->ClearValues();
    panel_->SetNtfsScanCaptions();
  } else {
    panel_->SetFatScanCaptions();
  }
  if (auto* fileSystems = dynamic_cast<FileSystemPageLink*>(wizard::Page(wizard::kFileSystemPage)))
    fileSystems->PrepareForScan(selection.FileSystemCode);
  TakeStartSteps();
  panel_->HideRangeControls();
  StartExtensiveScan();
  ::Sleep(50);
  RedrawNow();
  return true;
}

void CSecondView_HDD::StartScanWorker(const char* name, std::function<void()> body) {
  engine::EngineContext& ctx = wizard::Engine();
  engine::ScanControlRecord& control = ctx.ScanControl;
  control.StopOrDone = 0;
  control.Running = 1;
  // A scan that found no parameters must not decide how the next one ends.
  control.ParametersNotFound = 0;
  const bool started = wizard::StartWorker(name, [&ctx, body = std::move(body)] {
    engine::RunOrExitOutOfMemory(ctx, body);
    ctx.ScanControl.Running = 0;
    ctx.ScanControl.StopOrDone = 1;
  });
  if (!started) {
    control.Running = 0;
    control.StopOrDone = 1;
  }
  SetTimer(kScanTimer, 1000, nullptr);
}

void CSecondView_HDD::StartQuickScan() {
  engine::EngineContext& ctx = wizard::Engine();
  StartScanWorker("Quick Scan", [&ctx, filters = RecoveryApp().FileFilters()] {
    engine::QuickScanThreadProc(ctx, filters);
  });
}

void CSecondView_HDD::StartExtensiveScan() {
  engine::EngineContext& ctx = wizard::Engine();
  engine::PrepareExtensiveScan(ctx);
  StartScanWorker("Extensive Scan", [&ctx] { engine::ExtensiveScanThreadProc(ctx); });
}

void CSecondView_HDD::StartFileTrace() {
  engine::EngineContext& ctx = wizard::Engine();
  StartScanWorker("File Trace", [&ctx] { engine::FileTraceThreadProc(ctx); });
}

// ---- The end of a scan -------------------------------------------------------------

void CSecondView_HDD::OnTimer(UINT_PTR id) {
  const engine::ScanControlRecord& control = wizard::Engine().ScanControl;
  if (id == kScanTimer && control.Running.load() == 0 && control.StopOrDone.load() != 0) FinishScan();
  CView::OnTimer(id);
}

void CSecondView_HDD::FinishScan() {
  engine::EngineContext& ctx = wizard::Engine();
  switch (ctx.RecoveryMode) {
    case engine::kModeQuickScan:
      GoOnToResultsPage(true);
      break;
    case engine::kModeFileTrace:
      GoOnToResultsPage(false);
      break;
    case engine::kModeExtensiveScan:
      if (ctx.ScanControl.AnalysisPart1Done.load() == 1 && ctx.ScanControl.AnalysisPart2Done.load() == 1)
        GoOnToFileSystemPage();
      break;
    default:
      KillTimer(kScanTimer);
      break;
  }
  wizard::Frame().SelectedNodeIndex = -1;
  if (WaitCursorShown) {
    WaitCursorShown = 0;
    ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
  }
}

void CSecondView_HDD::SetStepFlagsAfterScan() {
  WizardFrameState& frame = wizard::Frame();
  if (wizard::Engine().ScanControl.ParametersNotFound.load() != 0) {
    frame.ScanParametersMissing = 1;
    return;
  }
  frame.DrivePageActive = 0;
  frame.ScanPageActive = 0;
  frame.PastScanPage = 1;
  frame.PastFileSystemPage = 0;
}

void CSecondView_HDD::GoOnToResultsPage(bool showHint) {
  KillTimer(kScanTimer);
  wizard::ShowPage(wizard::kResultsPage);
  if (CView* results = wizard::Page(wizard::kResultsPage)) results->UpdateWindow();
  if (!showHint) SetStepFlagsAfterScan();
  ::Sleep(500);
  if (showHint) {
    wizard::ShowMessage(kQuickScanEndText, engine::kMessageInformation);
    SetStepFlagsAfterScan();
  }
}

void CSecondView_HDD::GoOnToFileSystemPage() {
  engine::EngineContext& ctx = wizard::Engine();
  KillTimer(kScanTimer);
  panel_->ShowProgressBar();
  ctx.ScanControl.AnalysisPart1Done = 0;
  ctx.ScanControl.AnalysisPart2Done = 0;
  panel_->HideProgressToggle();
  panel_->ResetProgressToggle();
  ctx.ScanControl.ShowDetails = 1;
  wizard::ShowPage(wizard::kFileSystemPage);
  // The file-system page lists the volumes the scan rebuilt and tells when there is none.
  CView* fileSystemPage = wizard::Page(wizard::kFileSystemPage);
  if (fileSystemPage != nullptr)
    fileSystemPage->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  auto* fileSystems = dynamic_cast<FileSystemPageLink*>(fileSystemPage);
  if (fileSystems != nullptr && fileSystems->FoundNoFileSystem()) {
    fileSystems->SetNoticeText(kNoFileSystemNotice);
    wizard::ShowMessage(kNoFileSystemText, engine::kMessageError);
  }
  SetStepFlagsAfterScan();
}

// ---- Stop, Back, Home ----------------------------------------------------------------

void CSecondView_HDD::OnStop() {
  engine::ScanControlRecord& control = wizard::Engine().ScanControl;
  if (!WorkerActive()) return;
  // The worker waits at its next poll while the user decides.
  control.Pause.Close();
  const bool stop = wizard::AskQuestion(kStopQuestion);
  if (stop) control.StopOrDone = 1;
  control.Pause.Open();
  if (!stop) return;
  ShowEnabled(stop_, false);
  panel_->HideProgressToggle();
  panel_->ShowStatusText();
}

void CSecondView_HDD::OnBack() {
  engine::EngineContext& ctx = wizard::Engine();
  // Nothing is released while a worker still works on the records.
  if (RecoveryApp().Host().WorkerRunning()) RecoveryApp().Host().StopAndJoinWorker();
  KillTimer(kScanTimer);
  WizardFrameState& frame = wizard::Frame();
  tree_.DeleteAllItems();
  frame.LoadSnapshotEnabled = 1;
  if (panel_) {
    panel_->ClearValues();
    panel_->ResetProgressToggle();
  }
  frame.DrivePageActive = 1;
  frame.ScanPageActive = 0;
  frame.PastScanPage = 0;
  frame.PastFileSystemPage = 0;
  ctx.ScanControl.ShowDetails = 1;
  engine::DeleteTempPreviewFiles(ctx, {});

  auto* drivePage = dynamic_cast<CFirstView_HDD*>(wizard::Page(wizard::kDrivePage));
  if (CFirstDisplay* drivePanel = frame.FirstDisplay) {
    drivePanel->SetPromptText(kDrivePagePrompt);
    drivePanel->ClearFacts();
    drivePanel->SetProgressPos(0);
    drivePanel->HideProgressBar();
    drivePanel->HideStatusText();
  }
  if (drivePage != nullptr) {
    drivePage->DriveTree().EnableWindow(TRUE);
    for (UINT id : {ID_PAGE_NEXT, ID_PAGE_BACK, ID_PAGE_HOME, ID_PAGE_STOP}) {
      if (CWnd* button = drivePage->GetDlgItem(id)) ShowEnabled(*button, id != ID_PAGE_STOP);
    }
  }
  ctx.SelectionSummaryText.clear();
  frame.SelectedNodeIndex = -1;
  wizard::ShowPage(wizard::kDrivePage);
}

void CSecondView_HDD::OnHome() {
  OnBack();
  if (auto* drivePage = dynamic_cast<CFirstView_HDD*>(wizard::Page(wizard::kDrivePage))) drivePage->OnBack();
}

// While no worker runs the page offers Next and Back again, whichever road led back.
void CSecondView_HDD::ShowIdleButtons() {
  ShowEnabled(stop_, false);
  ShowEnabled(next_, true);
  ShowEnabled(back_, true);
  home_.EnableWindow(TRUE);
  tree_.EnableWindow(TRUE);
  if (panel_ != nullptr) {
    panel_->HideProgressBar();
    panel_->HideStatusText();
    panel_->SetProgressPos(0);
  }
}

void CSecondView_HDD::OnShowWindow(BOOL show, UINT status) {
  CView::OnShowWindow(show, status);
  if (show && !RecoveryApp().Host().WorkerRunning()) ShowIdleButtons();
  Invalidate(TRUE);
}

// ---- Keyboard, cursor, colours -------------------------------------------------------

void CSecondView_HDD::OnKeyDown(UINT key, UINT repeat, UINT flags) {
  if (key == VK_TAB) {
    switch (KeyboardStep) {
      case 1:
        next_.SetState(TRUE);
        KeyboardStep = 2;
        tree_.SendMessage(WM_KILLFOCUS);
        break;
      case 2:
        next_.SetState(FALSE);
        back_.SetState(TRUE);
        KeyboardStep = 3;
        break;
      default:
        back_.SetState(FALSE);
        KeyboardStep = 1;
        tree_.SetActiveWindow();
        tree_.SetFocus();
        break;
    }
  } else if (key == VK_RETURN) {
    if (next_.GetState() & BST_PUSHED)
      OnNext();
    else if (back_.GetState() & BST_PUSHED)
      OnBack();
  }
  CView::OnKeyDown(key, repeat, flags);
}

BOOL CSecondView_HDD::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) {
  if (WaitCursorShown) {
    ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
    return TRUE;
  }
  return CView::OnSetCursor(wnd, hitTest, message);
}

HBRUSH CSecondView_HDD::OnCtlColor(CDC* dc, CWnd* wnd, UINT /*ctlColor*/) {
  if (wnd && wnd->GetDlgCtrlID() == static_cast<int>(kPromptStaticId)) dc->SetTextColor(RGB(0, 0, 0));
  return ::GetSysColorBrush(COLOR_WINDOW);
}

// ---- The workers' reports ------------------------------------------------------------

ScanPanelLink* CSecondView_HDD::ScanPanel() { return panel_; }

void CSecondView_HDD::ReportScanProgress(int percent) {
  if (panel_) panel_->SetProgressPos(percent);
}

void CSecondView_HDD::ReportScanStatus(const CString& text) {
  if (panel_) panel_->SetStatusText(text);
}

void CSecondView_HDD::ReportCounterCaptionsReset() {
  if (panel_) panel_->ResetCounterCaptions();
}

void CSecondView_HDD::ReportCounter(engine::ScanCounter counter, const CString& text) {
  if (panel_) panel_->SetCounterText(counter, text);
}

void CSecondView_HDD::ReportProgressBarHidden() {
  if (panel_) panel_->HideProgressBar();
}

void CSecondView_HDD::ReportStatusTextHidden() {
  if (panel_) panel_->HideStatusText();
}

void CSecondView_HDD::ReportButton(engine::PageButton button, engine::ButtonAction action) {
  CToolButton* target = button == engine::PageButton::ScanNext   ? &next_
                        : button == engine::PageButton::ScanBack ? &back_
                        : button == engine::PageButton::ScanStop ? &stop_
                                                                 : nullptr;
  if (target == nullptr) return;
  switch (action) {
    case engine::ButtonAction::Enable: target->EnableWindow(TRUE); break;
    case engine::ButtonAction::Disable: target->EnableWindow(FALSE); break;
    case engine::ButtonAction::Show: target->ShowWindow(SW_SHOW); break;
    case engine::ButtonAction::Hide: target->ShowWindow(SW_HIDE); break;
  }
  // A worker that gave up hands the page back: Home and the tree come with Next.
  if (button == engine::PageButton::ScanNext && action == engine::ButtonAction::Show) {
    ShowEnabled(home_, true);
    tree_.EnableWindow(TRUE);
  }
}

// A worker that gave up: the timer's end of the scan must not run.
void CSecondView_HDD::ReportScanTimerKilled() { KillTimer(kScanTimer); }

void CSecondView_HDD::ReportWaitCursor() {
  WaitCursorShown = 1;
  ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
}

void CSecondView_HDD::AddFileType(const CString& category, const CString& extension) {
  if (fileTypes_) fileTypes_->Tree().AddTypeItem(category, extension);
}

void CSecondView_HDD::AddFileTypeSignature(const engine::SignatureRecord& record) {
  if (fileTypes_) fileTypes_->Tree().AddSignature(record);
}

void CSecondView_HDD::ToggleFileTypeRootCheck() {
  if (fileTypes_) fileTypes_->Tree().ToggleCheck(fileTypes_->Tree().Root());
}

void CSecondView_HDD::ToggleFileTypeRootExpand() {
  if (fileTypes_) fileTypes_->Tree().ToggleRoot();
}
