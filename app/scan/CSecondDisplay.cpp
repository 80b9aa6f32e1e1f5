#include "CSecondDisplay.h"

#include "CFirstDisplay.h"
#include "EngineContext.h"
#include "PageTexts.h"
#include "PanelProgressBar.h"
#include "ShowEnabled.h"
#include "UiText.h"

IMPLEMENT_DYNCREATE(CSecondDisplay, CView)

BEGIN_MESSAGE_MAP(CSecondDisplay, CView)
  ON_WM_CREATE()
  ON_WM_SIZE()
  ON_WM_SHOWWINDOW()
  ON_WM_LBUTTONDOWN()
  ON_WM_CTLCOLOR()
  ON_COMMAND(CSecondDisplay::kProgressToggleId, OnHideProgress)
END_MESSAGE_MAP()

namespace {

constexpr UINT kFactsBoxId = 61479;
constexpr UINT kChartId = 61467;
constexpr UINT kRangeCaptionIds[3] = {61458, 61459, 61460};

constexpr const wchar_t* kPartitionCaptions[CSecondDisplay::kRows] = {
    L"Partition type\t :", L"Partition Start\t :", L"Partition End\t  :", L"Partition Size     :", L""};
constexpr const wchar_t* kLogicalDriveCaptions[CSecondDisplay::kRows] = {
    L"Volume Name :", L"Capacity         :", L"SPC               :", L"File System    :", L""};
constexpr const wchar_t* kCounterCaptions[CSecondDisplay::kRows] = {
    L"Folders Found  :", L"Files Found    :", L"Current Sector    :", L"Last File/Folder   :", L""};
constexpr const wchar_t* kFatScanCaptions[CSecondDisplay::kRows] = {
    L"Boot Sectors Found :", L"Folders Found\t        :", L"Current Sector\t        :", L"", L""};
constexpr const wchar_t* kNtfsScanCaptions[CSecondDisplay::kRows] = {
    L"Boot Sectors Found :", L"Index Entries Found   :", L"Files Found             :",
    L"Folders Found         :", L"Current Sector           :"};

constexpr wchar_t kHideProgress[] = L"Hide Progress";
constexpr wchar_t kShowProgress[] = L"Show Progress";
constexpr wchar_t kHintText[] = L"Selecting \"Hide Details \" will spedup datarecovery analysis.";

// The combo lists "NTFS", "FAT 32", "FAT 16" in this order.
constexpr uint16_t kComboFileSystems[] = {engine::kFileSystemNtfs, engine::kFileSystemFat32,
                                          engine::kFileSystemFat16};

void CreateArialFont(CFont& font, int height, int weight) {
  font.CreateFont(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
}

CString Decimal(uint64_t value) {
  CString text;
  text.Format(L"%llu", static_cast<unsigned long long>(value));
  return text;
}

CString TextOf(const CWnd& window) {
  CString text;
  window.GetWindowText(text);
  return text;
}

// The value row (0-based) of a counter under each caption set; -1 where that scan
// shows no such counter.
int CounterRow(int layout, engine::ScanCounter counter) {
  using engine::ScanCounter;
  static constexpr int kRowsByLayout[3][6] = {
      // FoldersFound, FilesFound, CurrentSector, LastItem, BootSectors, IndexBlocks
      {0, 1, 2, 3, -1, -1},   // Quick Scan and File Trace
      {1, -1, 2, -1, 0, -1},  // Extensive Scan of FAT
      {3, 2, 4, -1, 0, 1},    // Extensive Scan of NTFS
  };
  const auto index = static_cast<int>(counter);
  return index >= 0 && index < 6 ? kRowsByLayout[layout][index] : -1;
}

}  // namespace

CSecondDisplay::CSecondDisplay() {
  CreateArialFont(captionFont_, 16, FW_NORMAL);
  CreateArialFont(valueFont_, 16, FW_NORMAL);
  CreateArialFont(progressFont_, 18, 600);
  whiteBrush_.CreateSolidBrush(RGB(255, 255, 255));
}

CSecondDisplay::~CSecondDisplay() = default;

int CSecondDisplay::OnCreate(LPCREATESTRUCT cs) {
  if (CView::OnCreate(cs) == -1) return -1;
  const CRect none(0, 0, 0, 0);
  constexpr DWORD kBoxStyle = WS_CHILD | WS_VISIBLE | BS_GROUPBOX | BS_CENTER | BS_NOTIFY;
  factsBox_.Create(L"Partition Information", kBoxStyle, none, this, kFactsBoxId);
  factsBox_.SetBackgroundColor(0xFFFFFF);
  driveBox_.Create(L"Selected Drive Information", kBoxStyle & ~WS_VISIBLE, none, this, kFactsBoxId);
  driveBox_.SetBackgroundColor(0xFFFFFF);
  prompt_.Create(L"", WS_CHILD | WS_VISIBLE, none, this, kPromptId);
  prompt_.SetFont(&captionFont_);
  for (int row = 0; row < kRows; ++row) {
    const DWORD shown = row + 1 < kRows ? WS_VISIBLE : 0;  // row 5 waits for the NTFS scan's captions
    captions_[row].Create(L"", WS_CHILD | shown, none, this, kFirstCaptionId + row);
    captions_[row].SetFont(&captionFont_);
    values_[row].Create(L"", WS_CHILD | shown, none, this, kFirstValueId + row);
    values_[row].SetFont(&valueFont_);
  }
  SetCaptions(kPartitionCaptions, true);

  static constexpr const wchar_t* kRangeCaptions[3] = {L"Select File System :", L"Start Sector           :",
                                                       L"End Sector            :"};
  for (int i = 0; i < 3; ++i) {
    rangeCaptions_[i].Create(kRangeCaptions[i], WS_CHILD | WS_VISIBLE, none, this, kRangeCaptionIds[i]);
    rangeCaptions_[i].SetFont(&captionFont_);
  }
  constexpr DWORD kEditStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_NUMBER | ES_AUTOHSCROLL;
  startEdit_.Create(kEditStyle, none, this, kStartEditId);
  endEdit_.Create(kEditStyle, none, this, kEndEditId);
  fileSystems_.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST, none, this,
                      kFileSystemComboId);
  for (CWnd* control : {static_cast<CWnd*>(&startEdit_), static_cast<CWnd*>(&endEdit_),
                        static_cast<CWnd*>(&fileSystems_)})
    control->SetFont(&captionFont_);
  for (const wchar_t* name : {L"NTFS", L"FAT 32", L"FAT 16"}) fileSystems_.AddString(name);
  fileSystems_.SetCurSel(0);

  chart_.Create(L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, none, this, kChartId);
  // The chart lies inside the facts box, which was made first and so sits above
  // it: the chart goes on top, and the box leaves it out of its own painting.
  ::SetWindowPos(chart_.GetSafeHwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  factsBox_.ModifyStyle(0, WS_CLIPSIBLINGS);
  progressToggle_.Create(kHideProgress, WS_CHILD | WS_DISABLED | BS_PUSHBUTTON, none, this, kProgressToggleId);
  hint_.Create(kHintText, WS_CHILD | WS_DISABLED, none, this, kHintId);
  hint_.SetFont(&captionFont_);
  status_.Create(L"", WS_CHILD | WS_DISABLED, none, this, kPromptId);
  status_.SetFont(&captionFont_);

  progress_.Create(WS_CHILD | WS_BORDER | WS_DISABLED, none, this, kProgressId);
  SetUpPanelProgressBar(progress_, progressFont_);
  progress_.m_colors = {0xFF0000, 0xA00000};

  fileSystems_.SetFocus();
  wizard::Frame().SecondDisplay = this;
  return 0;
}

void CSecondDisplay::OnSize(UINT type, int cx, int cy) {
  CView::OnSize(type, cx, cy);
  if (!prompt_.GetSafeHwnd()) return;
  CRect c;
  GetClientRect(&c);
  const int L = c.left, T = c.top, R = c.right, B = c.bottom;
  const int M = (B - 345) / 2;
  const bool logicalDrive = wizard::Engine().SourceDevice.SourceKind == engine::kSourceLogicalDrive;
  prompt_.MoveWindow(L + 50, T + 20, R - L - 60, 20);
  InvalidateRect(CRect(L + 50, T + 20, R - 10, T + 40));
  factsBox_.MoveWindow(L + 50, T + 50, 470 - L, 300 - T);
  for (int row = 0; row < kRows; ++row) {
    // Wide enough for "Index Entries Found   :" in the panel's Arial, as tall as a line of it.
    captions_[row].MoveWindow(L + 80, T + 70 + 20 * row, 195, 20);
    values_[row].MoveWindow(L + 280, T + 70 + 20 * row, 220, 20);
  }
  static constexpr int kRangeRows[3][2] = {{180, 25}, {210, 23}, {240, 23}};
  for (int i = 0; i < 3; ++i) rangeCaptions_[i].MoveWindow(L + 80, T + kRangeRows[i][0], 330, kRangeRows[i][1]);
  fileSystems_.MoveWindow(L + 280, T + 180, 130, 205);
  startEdit_.MoveWindow(L + 280, T + 210, 130, 23);
  endEdit_.MoveWindow(L + 280, T + 240, 130, 23);
  chart_.MoveWindow(60, T + 180, 200, 170);
  if (logicalDrive) {
    progressToggle_.MoveWindow(L + 530, T + 130, 170, 40);
    hint_.MoveWindow(L + 530, T + 70, R - L - 560, 80);
  } else {
    progressToggle_.MoveWindow(L + 80, T + 290, 100, 30);
    hint_.MoveWindow(L + 80, T + 220, 380, 50);
  }
  status_.MoveWindow(L + 50, M + 327, 470 - L, 18);
  progress_.MoveWindow(L + 50, M + 345, 470 - L, 18);
  driveBox_.MoveWindow(0, 0, 0, 0);
}

void CSecondDisplay::OnShowWindow(BOOL show, UINT status) {
  CView::OnShowWindow(show, status);
  Invalidate(TRUE);
  if (fileSystems_.GetSafeHwnd()) fileSystems_.Invalidate(TRUE);
}

void CSecondDisplay::MakeScanPageActive() {
  CView* page = wizard::Page(wizard::kScanPage);
  auto* frame = dynamic_cast<CFrameWnd*>(AfxGetMainWnd());
  if (page != nullptr && frame != nullptr) frame->SetActiveView(page);
}

void CSecondDisplay::OnLButtonDown(UINT flags, CPoint point) {
  MakeScanPageActive();
  CView::OnLButtonDown(flags, point);
}

HBRUSH CSecondDisplay::OnCtlColor(CDC* dc, CWnd* wnd, UINT /*ctlColor*/) {
  const int id = wnd != nullptr ? wnd->GetDlgCtrlID() : 0;
  if (id == static_cast<int>(kPromptId) || id == static_cast<int>(kHintId)) {
    dc->SetBkColor(RGB(255, 255, 255));
    dc->SetTextColor(RGB(0, 0, 0));
    return static_cast<HBRUSH>(whiteBrush_.GetSafeHandle());
  }
  return ::GetSysColorBrush(COLOR_WINDOW);
}

void CSecondDisplay::OnHideProgress() {
  std::atomic<int32_t>& showDetails = wizard::Engine().ScanControl.ShowDetails;
  if (showDetails.load() == 1) {
    progressToggle_.SetWindowText(kShowProgress);
    showDetails = 0;
  } else {
    progressToggle_.SetWindowText(kHideProgress);
    showDetails = 1;
  }
  MakeScanPageActive();
}

// ---- Reports ---------------------------------------------------------------------

void CSecondDisplay::SetProgressPos(int pos) { progress_.SendMessage(PBM_SETPOS, pos); }

void CSecondDisplay::SetStatusText(CString text) { status_.SetWindowText(text); }

void CSecondDisplay::SetCounterText(engine::ScanCounter counter, const CString& text) {
  const int row = CounterRow(static_cast<int>(layout_), counter);
  if (row >= 0) SetValue(row, text);
}

void CSecondDisplay::ShowProgressBar() { ShowEnabled(progress_, true); }
void CSecondDisplay::HideProgressBar() { ShowEnabled(progress_, false); }
void CSecondDisplay::ShowStatusText() { ShowEnabled(status_, true); }
void CSecondDisplay::HideStatusText() { ShowEnabled(status_, false); }

void CSecondDisplay::ResetCounterCaptions() {
  layout_ = CounterLayout::QuickScan;
  SetCaptions(kCounterCaptions, false);
  ClearValues();
}

void CSecondDisplay::SetFatScanCaptions() {
  layout_ = CounterLayout::ExtensiveFat;
  SetCaptions(kFatScanCaptions, true);
  for (int row = 0; row < 4; ++row) SetValue(row, L"");
}

void CSecondDisplay::SetNtfsScanCaptions() {
  layout_ = CounterLayout::ExtensiveNtfs;
  SetCaptions(kNtfsScanCaptions, false);
  for (int row = 0; row < kRows; ++row) {
    captions_[row].ShowWindow(SW_SHOW);
    values_[row].ShowWindow(SW_SHOW);
  }
}

// ---- Facts -----------------------------------------------------------------------

void CSecondDisplay::SetCaptions(const wchar_t* const (&captions)[kRows], bool keepLastRow) {
  for (int row = 0; row < kRows; ++row) {
    if (row + 1 == kRows && keepLastRow) break;
    captions_[row].SetWindowText(captions[row]);
  }
}

void CSecondDisplay::SetValue(int row, const CString& text) {
  if (row >= 0 && row < kRows) values_[row].SetWindowText(text);
}

void CSecondDisplay::ClearValues() {
  for (int row = 0; row < kRows; ++row) SetValue(row, L"");
  startEdit_.SetWindowText(L"");
  endEdit_.SetWindowText(L"");
}

void CSecondDisplay::ClearSelectionFacts() {
  SetCaptions(kPartitionCaptions, true);
  captions_[2].SetWindowText(L"Partition End\t   :");
  ClearValues();
  chart_.ShowWindow(SW_HIDE);
}

// Row `row` names the file system and the combo follows it; another code leaves
// the row empty and the combo as it was.
void CSecondDisplay::ShowFileSystemFacts(uint16_t code, int row) {
  for (int index = 0; index < 3; ++index) {
    if (kComboFileSystems[index] != code) continue;
    SetValue(row, ToCString(pages::FileSystemName(code)));
    fileSystems_.SetCurSel(index);
    return;
  }
  SetValue(row, row == 0 ? L"" : L"UNKNOWN");
}

void CSecondDisplay::ShowDriveChart(bool shown) {
  const engine::EngineContext& ctx = wizard::Engine();
  if (shown && ctx.SourceSelection.EntryIndex < ctx.LogicalDriveCount) {
    std::string root;
    for (char16_t c : ctx.LogicalDriveTable[ctx.SourceSelection.EntryIndex].RootPath)
      root.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    chart_.SetDrive(root.c_str());
  } else {
    shown = false;
  }
  chart_.ShowWindow(shown ? SW_SHOW : SW_HIDE);
  driveBox_.ShowWindow(shown ? SW_SHOW : SW_HIDE);
}

void CSecondDisplay::ShowSelectionFacts(int partition) {
  SetCaptions(kPartitionCaptions, true);
  captions_[2].SetWindowText(L"Partition End\t :");
  if (partition < 0) {
    ClearSelectionFacts();
    return;
  }
  engine::SourceSelectionRecord& selection = wizard::Engine().SourceSelection;
  selection.EndSector = selection.StartSector + selection.SectorCount - 1;
  ShowFileSystemFacts(selection.FileSystemCode, 0);
  SetValue(1, Decimal(selection.StartSector));
  startEdit_.SetWindowText(Decimal(selection.StartSector));
  SetValue(2, Decimal(selection.EndSector));
  endEdit_.SetWindowText(Decimal(selection.EndSector));
  SetValue(3, Decimal(selection.SectorCount / 2048) + L" MB (Approx)");
  ShowDriveChart(wizard::Engine().SourceDevice.SourceKind == engine::kSourceLogicalDrive);
}

void CSecondDisplay::ShowWholeDiskFacts() {
  SetCaptions(kPartitionCaptions, true);
  const engine::SourceSelectionRecord& selection = wizard::Engine().SourceSelection;
  ShowFileSystemFacts(selection.FileSystemCode, 0);
  SetValue(1, Decimal(selection.StartSector));
  startEdit_.SetWindowText(Decimal(selection.StartSector));
  SetValue(2, Decimal(selection.EndSector));
  endEdit_.SetWindowText(Decimal(selection.EndSector));
  SetValue(3, Decimal(selection.SectorCount / 2048) + L" MB ( Aprox )");
}

void CSecondDisplay::ShowLogicalDriveFacts() {
  SetCaptions(kLogicalDriveCaptions, false);
  const engine::EngineContext& ctx = wizard::Engine();
  if (ShownLogicalDriveIndex < 0 || ShownLogicalDriveIndex >= ctx.LogicalDriveCount) {
    ClearSelectionFacts();
    return;
  }
  const engine::LogicalDriveEntry& drive = ctx.LogicalDriveTable[ShownLogicalDriveIndex];
  const uint16_t entry = ctx.SourceSelection.EntryIndex;
  const CString root = entry < ctx.LogicalDriveCount ? ToCString(ctx.LogicalDriveTable[entry].RootPath) : CString();
  SetValue(0, ToCString(drive.Label) + L" ( " + root + L" )");
  SetValue(1, ToCString(pages::CapacityText(drive.SectorCount)));
  SetValue(2, Decimal(drive.SectorsPerCluster));
  ShowFileSystemFacts(drive.FileSystemCode, 3);
  ShowDriveChart(true);
}

void CSecondDisplay::ShowLogicalDriveRange() {
  const engine::EngineContext& ctx = wizard::Engine();
  const CString firstRow = ValueText(0);
  SetCaptions(kLogicalDriveCaptions, false);
  if (ShownLogicalDriveIndex < 0 || ShownLogicalDriveIndex >= ctx.LogicalDriveCount) {
    ClearSelectionFacts();
  } else {
    const engine::LogicalDriveEntry& drive = ctx.LogicalDriveTable[ShownLogicalDriveIndex];
    SetValue(1, ToCString(pages::CapacityText(drive.SectorCount)));
    SetValue(2, Decimal(drive.SectorsPerCluster));
    ShowFileSystemFacts(drive.FileSystemCode, 3);
    SetValue(0, firstRow);
  }
  SetValue(4, L"");
}

// ---- Range controls and prompt ---------------------------------------------------

void CSecondDisplay::ShowRangeControls() {
  if (wizard::Engine().RecoveryMode != engine::kModeExtensiveScan) return;
  for (CStatic& caption : rangeCaptions_) ShowEnabled(caption, true);
  ShowEnabled(startEdit_, true);
  ShowEnabled(endEdit_, true);
  ShowEnabled(fileSystems_, true);
}

void CSecondDisplay::ShowFileSystemChoice() {
  ShowFileSystemCombo();
  for (int i = 1; i < 3; ++i) ShowEnabled(rangeCaptions_[i], false);
  ShowEnabled(startEdit_, false);
  ShowEnabled(endEdit_, false);
}

void CSecondDisplay::ShowFileSystemCombo() {
  ShowEnabled(rangeCaptions_[0], true);
  ShowEnabled(fileSystems_, true);
}

void CSecondDisplay::HideRangeControls() {
  for (CStatic& caption : rangeCaptions_) ShowEnabled(caption, false);
  ShowEnabled(startEdit_, false);
  ShowEnabled(endEdit_, false);
  ShowEnabled(fileSystems_, false);
}

void CSecondDisplay::HideProgressToggle() {
  ShowEnabled(progressToggle_, false);
  ShowEnabled(hint_, false);
}

void CSecondDisplay::ResetProgressToggle() { progressToggle_.SetWindowText(kHideProgress); }

void CSecondDisplay::SetPromptText(const CString& text) { prompt_.SetWindowText(text); }

void CSecondDisplay::SetFactsCaption(const CString& text) { factsBox_.SetCaption(text); }

void CSecondDisplay::Repaint() { RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN); }

// ---- Reading back ----------------------------------------------------------------

uint16_t CSecondDisplay::ChosenFileSystemCode() const {
  const int index = fileSystems_.GetCurSel();
  return index >= 0 && index < 3 ? kComboFileSystems[index] : 0;
}

CString CSecondDisplay::StartSectorText() const { return TextOf(startEdit_); }
CString CSecondDisplay::EndSectorText() const { return TextOf(endEdit_); }
CString CSecondDisplay::CaptionText(int row) const { return TextOf(captions_[row]); }
CString CSecondDisplay::ValueText(int row) const { return TextOf(values_[row]); }
CString CSecondDisplay::StatusText() const { return TextOf(status_); }
