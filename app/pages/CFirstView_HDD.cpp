#include "CFirstView_HDD.h"

#include "CFirstDisplay.h"
#include "EngineContext.h"
#include "PageButtons.h"
#include "PageTexts.h"
#include "ResourceIds.h"
#include "ShowEnabled.h"
#include "UiText.h"
#include "drives/DriveEnumeration.h"
#include "partitions/LostPartitionSearch.h"
#include "partitions/PartitionTable.h"

IMPLEMENT_DYNCREATE(CFirstView_HDD, CView)

BEGIN_MESSAGE_MAP(CFirstView_HDD, CView)
  ON_WM_CREATE()
  ON_WM_SIZE()
  ON_WM_LBUTTONDOWN()
  ON_WM_KEYDOWN()
  ON_WM_TIMER()
  ON_WM_SHOWWINDOW()
  ON_WM_CTLCOLOR()
  ON_COMMAND(ID_PAGE_NEXT, OnNext)
  ON_COMMAND(ID_PAGE_BACK, OnBack)
  ON_COMMAND(ID_PAGE_STOP, OnStop)
  ON_COMMAND(ID_PAGE_HOME, OnHome)
END_MESSAGE_MAP()

namespace {

constexpr wchar_t kDamagedPartitionText[] =
    L"This partition is damaged; please proceed by selecting physical hard disk.";
constexpr wchar_t kChooseDriveText[] =
    L"Please choose the drive containing the deleted data from the left panel and press [Next].";
constexpr wchar_t kLogicalDrivePrompt[] =
    L"You have selected logical drive for recovery. Please click Next to continue with recovery.";
constexpr wchar_t kQuickScanPartitionPrompt[] =
    L"Please Select a Partition From The Left Panel and press Next to continue with recovery.";
constexpr wchar_t kPartitionPrompt[] =
    L"Please select a partition from the left panel and press Next to continue with recovery";
constexpr wchar_t kStopSearchQuestion[] = L"Do you want to stop searching for partitions?";

}  // namespace

CFirstView_HDD::CFirstView_HDD() {
  font_.CreateFont(16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                   CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
  KeyboardStep = 1;
}

CFirstView_HDD::~CFirstView_HDD() = default;

int CFirstView_HDD::OnCreate(LPCREATESTRUCT cs) {
  if (CView::OnCreate(cs) == -1) return -1;
  tree_.Create(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | TVS_HASBUTTONS | TVS_HASLINES |
                   TVS_LINESATROOT,
               CRect(0, 150, 600, 300), this, kTreeId);

  // The panel is made in the frame like every view, then handed to the splitter.
  CRect client;
  GetClientRect(&client);
  client.DeflateRect(20, 20);
  panel_ = static_cast<CFirstDisplay*>(RUNTIME_CLASS(CFirstDisplay)->CreateObject());
  CCreateContext context;
  context.m_pCurrentDoc = GetDocument();
  CWnd* frame = GetParent() ? GetParent() : this;
  if (!panel_->Create(nullptr, nullptr, WS_CHILD | WS_BORDER, client, frame, CFirstDisplay::kPanelId, &context)) {
    panel_ = nullptr;  // a view whose window failed has deleted itself
    return -1;
  }
  panel_->OnInitialUpdate();
  panel_->ShowWindow(SW_SHOW);

  splitter_.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | CSplitterPanel::kSideBySide, this, &tree_, panel_, kSplitterId,
                   CRect(0, 0, 0, 0), 50, 150);
  tree_.InitImages();
  wizard::Engine().SourceDevice.SourceKind = engine::kSourceNone;

  CreatePageButtons(this, {
      {next_, ID_PAGE_NEXT, IDB_NEXT, IDB_NEXT_HOVER, L"Next"},
      {back_, ID_PAGE_BACK, IDB_BACK, IDB_BACK_HOVER, L"Back"},
      {stop_, ID_PAGE_STOP, IDB_STOP, IDB_STOP_HOVER, L"Stop"},
      {home_, ID_PAGE_HOME, IDB_HOME, IDB_HOME_HOVER, L"Home"},
  });
  ShowEnabled(stop_, false);
  return 0;
}

// The drives are listed once the page is in the application's page table, so
// that the engine's tree reports find the page.
void CFirstView_HDD::OnInitialUpdate() {
  CView::OnInitialUpdate();
  if (drivesListed_) return;
  drivesListed_ = true;
  engine::EngineContext& ctx = wizard::Engine();
  engine::InitDiskAccess(ctx, wizard::DriveCatalogue());
  engine::EnumerateLogicalDrives(ctx, wizard::DriveCatalogue());
}

void CFirstView_HDD::AddDrivePath(const CString& path) {
  std::string narrow;
  for (int i = 0; i < path.GetLength(); ++i) narrow.push_back(static_cast<char>(path[i] & 0xFF));
  tree_.AddPath(narrow);
}

void CFirstView_HDD::ExpandDriveTreeRoot() { tree_.ExpandRoot(); }

void CFirstView_HDD::OnSize(UINT type, int cx, int cy) {
  CView::OnSize(type, cx, cy);
  if (!next_.GetSafeHwnd()) return;
  LayoutStepButtons(cx, cy, next_, stop_, back_, home_, splitter_);
}

void CFirstView_HDD::OnDraw(CDC* dc) {
  CRect client;
  GetClientRect(&client);
  const engine::ScanControlRecord& control = wizard::Engine().ScanControl;
  const bool searching = control.Running.load() && !control.StopOrDone.load();
  skin_.DrawBackground(*dc, client);
  const PageSkin::HeaderExtent header =
      skin_.DrawHeader(*dc, client, searching ? IDB_HEADER_DRIVE_BUSY : IDB_HEADER_DRIVE);
  headerLeftWidth_ = header.LeftWidth;
  headerRightLeft_ = header.RightLeft;
  PageSkin::DrawSummary(*dc, client, font_, ToCString(wizard::Engine().SelectionSummaryText));
}

void CFirstView_HDD::Refuse(const wchar_t* text) { wizard::ShowMessage(text, engine::kMessageError); }

void CFirstView_HDD::OnNext() {
  engine::EngineContext& ctx = wizard::Engine();
  WizardFrameState& frame = wizard::Frame();
  ScanPanelLink* scanPanel = wizard::ScanPanel();
  const int mode = ctx.RecoveryMode;

  if (mode == engine::kModeExtensiveScan) {
    frame.LoadSnapshotEnabled = 0;
    if (scanPanel) scanPanel->ShowSelectionFacts(0);
  } else if (mode == engine::kModeFileTrace) {
    frame.LoadSnapshotEnabled = 0;
  }

  const uint16_t kind = ctx.SourceDevice.SourceKind;
  if (kind == engine::kSourceLogicalDrive && ctx.SourceSelection.SectorCount == 0) {
    Refuse(kDamagedPartitionText);
    return;
  }
  if (frame.SelectedNodeIndex < 0) {
    Refuse(kChooseDriveText);
    return;
  }

  if (kind == engine::kSourceLogicalDrive) {
    GoOnWithLogicalDrive();
  } else {
    // A disk starts the partition search; a drive node that matched no entry of
    // the drive table (kind 3) takes only the steps after it and stays here.
    const bool disk = kind == engine::kSourceWholeDisk;
    const CString prompt = mode == engine::kModeQuickScan ? kQuickScanPartitionPrompt : kPartitionPrompt;
    if (disk) StartPartitionSearch(prompt, mode == engine::kModeExtensiveScan);
    if (mode == engine::kModeExtensiveScan) {
      if (ScanPageLink* scanPage = wizard::ScanPage()) scanPage->ShowTreePane(true);
      const uint16_t number = ctx.SourceDevice.DriveNumber;
      const uint32_t total = number < engine::kMaxPhysicalDrives ? ctx.PhysicalDriveTable[number].TotalSectors : 0;
      ctx.SourceSelection = {engine::kFileSystemNtfs, 0, total, total, 0};
      if (scanPanel) {
        scanPanel->ShowWholeDiskFacts();
        scanPanel->SetFactsCaption(L"Partition Information");
      }
      if (panel_) panel_->ClearFacts();
      frame.SelectedNodeIndex = -1;
      if (scanPanel) scanPanel->Repaint();
    } else {
      PreparePartitionChoice(prompt);
      if (mode == engine::kModeFileTrace) {
        if (panel_) panel_->ClearFacts();
        frame.SelectedNodeIndex = -1;
      }
      ctx.SourceDevice.SourceKind = engine::kSourceNone;
    }
  }

  if (mode == engine::kModeQuickScan || mode == engine::kModeFileTrace) {
    if (scanPanel) {
      scanPanel->HideRangeControls();
      scanPanel->Repaint();
    }
    frame.LoadSnapshotEnabled = 0;
  }
}

void CFirstView_HDD::GoOnWithLogicalDrive() {
  engine::EngineContext& ctx = wizard::Engine();
  ScanPanelLink* scanPanel = wizard::ScanPanel();
  if (scanPanel) {
    scanPanel->SetPromptText(kLogicalDrivePrompt);
    scanPanel->ShowLogicalDriveFacts();
    scanPanel->SetFactsCaption(L"Selected Drive Information");
  }
  ctx.SelectionSummaryText =
      pages::SourceSummaryText(ctx.RecoveryMode, engine::kSourceLogicalDrive, pages::SummaryWriter::Page);
  if (ScanPageLink* scanPage = wizard::ScanPage()) scanPage->ShowTreePane(false);
  if (ctx.RecoveryMode == engine::kModeExtensiveScan && scanPanel) scanPanel->ShowFileSystemChoice();
  wizard::ShowPage(wizard::kScanPage);
}

void CFirstView_HDD::PreparePartitionChoice(const CString& prompt) {
  if (ScanPanelLink* scanPanel = wizard::ScanPanel()) {
    scanPanel->ClearSelectionFacts();
    scanPanel->SetPromptText(prompt);
    scanPanel->SetFactsCaption(L"Partition Information");
  }
  if (ScanPageLink* scanPage = wizard::ScanPage()) scanPage->ShowTreePane(true);
  wizard::Engine().SourceDevice.SourceKind = engine::kSourceNone;
}

void CFirstView_HDD::StartPartitionSearch(const CString& prompt, bool showRangeControls) {
  engine::EngineContext& ctx = wizard::Engine();
  wizard::Frame().SelectedNodeIndex = -1;
  ctx.PartitionCount = 0;
  tree_.EnableWindow(FALSE);

  // Tables are found at sector 0, or on some disks at 61 or 62.
  for (uint64_t sector : {0, 0, 61, 62}) {
    if (ctx.PartitionCount != 0) break;
    engine::ReadPartitionTable(ctx, sector);
  }

  if (panel_) {
    panel_->ShowProgressBar();
    panel_->ShowStatusText();
  }
  ShowEnabled(stop_, true);
  ShowEnabled(next_, false);
  ShowEnabled(back_, false);
  ShowEnabled(home_, false);

  if (showRangeControls) {
    if (ScanPanelLink* scanPanel = wizard::ScanPanel()) {
      scanPanel->ShowRangeControls();
      scanPanel->SetPromptText(prompt);
    }
  }
  ctx.ScanControl.StopOrDone = 0;
  ctx.ScanControl.Running = 1;
  if (panel_) panel_->SetStatusText(L"Please wait...");
  ctx.SelectionSummaryText =
      pages::SourceSummaryText(ctx.RecoveryMode, engine::kSourceWholeDisk, pages::SummaryWriter::Page);
  RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);

  // The worker only reports through the engine host; it never touches a window.
  const bool started = wizard::StartWorker("Partition search", [&ctx] {
    engine::RunOrExitOutOfMemory(ctx, [&ctx] { engine::SearchLostPartitions(ctx); });
    ctx.ScanControl.Running = 0;
    ctx.ScanControl.StopOrDone = 1;
  });
  if (!started) {
    ctx.ScanControl.Running = 0;
    ctx.ScanControl.StopOrDone = 1;
  }
  SetTimer(kSearchTimer, 1000, nullptr);
}

void CFirstView_HDD::OnTimer(UINT_PTR id) {
  const engine::ScanControlRecord& control = wizard::Engine().ScanControl;
  if (id == kSearchTimer && control.Running.load() == 0 && control.StopOrDone.load()) {
    KillTimer(kSearchTimer);
    WizardFrameState& frame = wizard::Frame();
    frame.DrivePageActive = 0;
    frame.ScanPageActive = 1;
    frame.PastScanPage = 0;
    frame.PastFileSystemPage = 0;
    wizard::ShowPage(wizard::kScanPage);
    if (ScanPageLink* scanPage = wizard::ScanPage()) scanPage->ShowNavigationButtons();
    if (ScanPanelLink* scanPanel = wizard::ScanPanel()) scanPanel->Repaint();
  }
  CView::OnTimer(id);
}

void CFirstView_HDD::OnStop() {
  engine::ScanControlRecord& control = wizard::Engine().ScanControl;
  if (!control.Running.load() || control.StopOrDone.load()) return;
  // The worker waits at its next poll or report while the user decides.
  control.Pause.Close();
  if (wizard::AskQuestion(kStopSearchQuestion)) control.StopOrDone = 1;
  control.Pause.Open();
}

void CFirstView_HDD::OnBack() {
  engine::EngineContext& ctx = wizard::Engine();
  WizardFrameState& frame = wizard::Frame();
  wizard::ResetResultsForNewMode();
  frame.LoadSnapshotEnabled = 0;
  ctx.SourceDevice.DiskHandle.reset();
  frame.DrivePageActive = 1;
  frame.ScanPageActive = 0;
  frame.PastScanPage = 0;
  frame.PastFileSystemPage = 0;
  if (panel_) panel_->ClearFacts();
  ctx.SourceDevice.SourceKind = engine::kSourceNone;
  wizard::ShowPage(wizard::kModePage);
  wizard::SetExitEnabled(1);
}

void CFirstView_HDD::OnKeyDown(UINT key, UINT repeat, UINT flags) {
  if (key == VK_TAB) {
    switch (KeyboardStep) {
      case 1:
        next_.SetState(TRUE);
        KeyboardStep = 2;
        tree_.SendMessage(WM_KILLFOCUS);
        break;
      case 2:
        back_.SetState(TRUE);
        next_.SetState(FALSE);
        KeyboardStep = 3;
        break;
      case 3:
        back_.SetState(FALSE);
        KeyboardStep = 4;
        tree_.SetFocus();
        break;
      default:
        KeyboardStep = 1;
        break;
    }
  } else if (key == VK_RETURN) {
    if (next_.GetState() & BST_PUSHED) {
      OnNext();
    } else if (back_.GetState() & BST_PUSHED) {
      OnBack();
    }
  }
  CView::OnKeyDown(key, repeat, flags);
}

void CFirstView_HDD::OnShowWindow(BOOL show, UINT status) {
  CView::OnShowWindow(show, status);
  Invalidate(TRUE);
  if (tree_.GetSafeHwnd()) tree_.Invalidate(TRUE);
}

HBRUSH CFirstView_HDD::OnCtlColor(CDC* dc, CWnd* wnd, UINT /*ctlColor*/) {
  if (wnd && wnd->GetDlgCtrlID() == static_cast<int>(kPromptStaticId)) dc->SetTextColor(RGB(0, 0, 0));
  return ::GetSysColorBrush(COLOR_WINDOW);
}
