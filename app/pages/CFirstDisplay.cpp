#include "CFirstDisplay.h"

#include <algorithm>
#include <span>

#include "EngineContext.h"
#include "PageTexts.h"
#include "PanelProgressBar.h"
#include "ShowEnabled.h"
#include "UiText.h"
#include "WizardLinks.h"

int ShownLogicalDriveIndex = -1;

IMPLEMENT_DYNCREATE(CFirstDisplay, CView)

BEGIN_MESSAGE_MAP(CFirstDisplay, CView)
  ON_WM_CREATE()
  ON_WM_SIZE()
  ON_WM_LBUTTONDOWN()
  ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

namespace {

constexpr UINT kFactsBoxId = 61479;
constexpr UINT kChartId = 61467;
constexpr UINT kProgressId = 61457;

constexpr const wchar_t* kDiskCaptions[CFirstDisplay::kRows] = {
    L"Model\t\t\t:", L"Capacity\t\t:", L"Cylinders\t\t:", L"Head\t\t\t:", L"Sectors Per Track\t:"};
constexpr const wchar_t* kLogicalDriveCaptions[CFirstDisplay::kRows] = {
    L"Volume Name\t\t:", L"Capacity\t\t:", L"SPC\t\t\t:", L"Byte Per Sector\t\t:", L"File System\t\t:"};

constexpr wchar_t kDiskPrompt[] =
    L"Please select the Hard Disk  that contains data from left panel and click Next to continue with recovery.";

void CreateArialFont(CFont& font, int height, int weight) {
  font.CreateFont(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
}

CString Unsigned(uint32_t value) {
  CString text;
  text.Format(L"%u", value);
  return text;
}

}  // namespace

CFirstDisplay::CFirstDisplay() {
  CreateArialFont(textFont_, 16, FW_NORMAL);
  CreateArialFont(valueFont_, 16, FW_NORMAL);
  CreateArialFont(progressFont_, 18, 600);
  pie_.m_outlineColor = 0x808080;
  pie_.m_nOwnsSlices = 1;
}

CFirstDisplay::~CFirstDisplay() = default;

int CFirstDisplay::OnCreate(LPCREATESTRUCT cs) {
  if (CView::OnCreate(cs) == -1) return -1;
  const CRect none(0, 0, 0, 0);
  factsBox_.Create(L"Selected Drive Information", WS_CHILD | WS_VISIBLE | BS_GROUPBOX | BS_CENTER, none, this,
                   kFactsBoxId);
  factsBox_.SetBackgroundColor(0xFFFFFF);
  pieBox_.Create(L"Selected Drive Information", WS_CHILD | WS_VISIBLE | BS_GROUPBOX | BS_CENTER, none, this,
                 kFactsBoxId);
  pieBox_.SetBackgroundColor(0xFFFFFF);
  for (int row = 0; row < kRows; ++row) {
    captions_[row].Create(L"", WS_CHILD | WS_VISIBLE, none, this, kFirstCaptionId + row);
    captions_[row].SetFont(&textFont_);
  }
  prompt_.Create(kDiskPrompt, WS_CHILD | WS_VISIBLE, none, this, kPromptId);
  prompt_.SetFont(&textFont_);
  for (int row = 0; row < kRows; ++row) {
    values_[row].Create(L"", WS_CHILD | WS_VISIBLE, none, this, kFirstValueId + row);
    values_[row].SetFont(&valueFont_);
  }
  // The chart's rectangle reaches over the last two rows: clipped by the
  // captions and values above it (the boxes go below), it leaves them readable.
  chart_.Create(L"", WS_CHILD | WS_CLIPSIBLINGS, none, this, kChartId);
  for (CWnd* box : {&pieBox_, &factsBox_}) {
    ::SetWindowPos(box->GetSafeHwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }

  progress_.Create(WS_CHILD | WS_BORDER | WS_DISABLED, none, this, kProgressId);
  SetUpPanelProgressBar(progress_, progressFont_);

  status_.Create(L"", WS_CHILD | WS_DISABLED, none, this, kPromptId);
  status_.SetFont(&textFont_);

  // The disk captions stay; the values start empty.
  ShowDiskFacts(0);
  ClearFacts();
  EnableWindow(FALSE);
  wizard::Frame().FirstDisplay = this;
  return 0;
}

void CFirstDisplay::OnSize(UINT type, int cx, int cy) {
  CView::OnSize(type, cx, cy);
  if (!prompt_.GetSafeHwnd()) return;
  CRect c;
  GetClientRect(&c);
  const int L = c.left, T = c.top, R = c.right, B = c.bottom;
  const int M = (B - 345) / 2;
  prompt_.MoveWindow(L + 10, T + 20, R - L - 20, 60);
  factsBox_.MoveWindow(L + 10, T + 80, 510 - L, 265 - T);
  static constexpr int kRowHeights[kRows] = {20, 40, 60, 20, 20};
  for (int row = 0; row < kRows; ++row) {
    captions_[row].MoveWindow(L + 30, T + 100 + 20 * row, 210, kRowHeights[row]);
    values_[row].MoveWindow(L + 220, T + 100 + 20 * row, 190, kRowHeights[row]);
  }
  chart_.MoveWindow(60, T + 160, 200, 190);
  status_.MoveWindow(L + 10, M + 327, 510 - L, 18);
  progress_.MoveWindow(L + 10, M + 345, 510 - L, 18);
  pieBox_.MoveWindow(0, 0, 0, 0);
}

void CFirstDisplay::OnDraw(CDC* dc) { pie_.Draw(dc, 160, 270, 60, CPieChart::kLegendRight, 1, FALSE); }

HBRUSH CFirstDisplay::OnCtlColor(CDC* dc, CWnd* wnd, UINT /*ctlColor*/) {
  if (wnd && wnd->GetDlgCtrlID() == static_cast<int>(kPromptId)) {
    dc->SetBkColor(0xFFFFFF);
    dc->SetTextColor(0x000000);
  }
  return ::GetSysColorBrush(COLOR_WINDOW);
}

// The panel window is disabled, so this is not reached by the mouse.
void CFirstDisplay::OnLButtonDown(UINT flags, CPoint point) {
  if (CView* page = wizard::Page(wizard::kDrivePage)) {
    if (auto* frame = dynamic_cast<CFrameWnd*>(AfxGetMainWnd())) frame->SetActiveView(page);
  }
  CView::OnLButtonDown(flags, point);
}

void CFirstDisplay::SetProgressPos(int pos) { progress_.SendMessage(PBM_SETPOS, pos); }

void CFirstDisplay::SetStatusText(CString text) { status_.SetWindowText(text); }

void CFirstDisplay::SetPromptText(const CString& text) { prompt_.SetWindowText(text); }

void CFirstDisplay::ShowProgressBar() { ShowEnabled(progress_, true); }

void CFirstDisplay::HideProgressBar() { ShowEnabled(progress_, false); }

void CFirstDisplay::ShowStatusText() { ShowEnabled(status_, true); }

void CFirstDisplay::HideStatusText() { ShowEnabled(status_, false); }

void CFirstDisplay::SetCaptions(const wchar_t* const (&captions)[kRows]) {
  for (int row = 0; row < kRows; ++row) captions_[row].SetWindowText(captions[row]);
}

void CFirstDisplay::SetDiskCaptions() { SetCaptions(kDiskCaptions); }

void CFirstDisplay::SetLogicalDriveCaptions() { SetCaptions(kLogicalDriveCaptions); }

void CFirstDisplay::SetValue(int row, const CString& text) { values_[row].SetWindowText(text); }

void CFirstDisplay::ClearValues() {
  for (int row = 0; row < kRows; ++row) SetValue(row, L"");
}

void CFirstDisplay::ShowDiskFacts(int disk) {
  SetDiskCaptions();
  const engine::EngineContext& ctx = wizard::Engine();
  if (disk < 0 || disk >= ctx.PhysicalDriveCount || disk >= engine::kMaxPhysicalDrives) {
    ClearFacts();
    return;
  }
  ShowEnabled(chart_, false);
  const engine::PhysicalDriveEntry& entry = ctx.PhysicalDriveTable[disk];
  SetValue(0, CString(entry.Model.c_str()));
  SetValue(1, ToCString(pages::CapacityText(entry.TotalSectors)));
  SetValue(2, Unsigned(entry.Cylinders));
  SetValue(3, Unsigned(entry.Heads));
  SetValue(4, Unsigned(entry.SectorsPerTrack));
}

void CFirstDisplay::ShowLogicalDriveFacts(int drive) {
  ShownLogicalDriveIndex = drive;
  SetLogicalDriveCaptions();
  const engine::EngineContext& ctx = wizard::Engine();
  if (drive < 0 || drive >= ctx.LogicalDriveCount) {
    ClearValues();
    return;
  }
  ShowEnabled(chart_, true);
  ShowEnabled(pieBox_, true);
  pie_.ClearSlices();
  Invalidate(TRUE);
  const engine::LogicalDriveEntry& entry = ctx.LogicalDriveTable[drive];
  SetValue(0, ToCString(entry.Label));
  SetValue(1, ToCString(pages::CapacityText(entry.SectorCount)));
  SetValue(2, Unsigned(entry.SectorsPerCluster));
  SetValue(3, L"512");
  SetValue(4, ToCString(pages::FileSystemName(entry.FileSystemCode)));
  std::string root;
  for (char16_t c : entry.RootPath) root.push_back(c < 0x80 ? static_cast<char>(c) : '?');
  chart_.SetDrive(root.c_str());
}

void CFirstDisplay::ClearFacts() {
  ClearValues();
  ShowEnabled(chart_, false);
  ShowEnabled(pieBox_, false);
  pie_.ClearSlices();
  Invalidate(TRUE);
}

void CFirstDisplay::BuildPartitionPie() {
  pieBox_.ShowWindow(SW_SHOW);
  pie_.ClearSlices();
  pie_.m_outlineColor = 0x808080;
  const engine::EngineContext& ctx = wizard::Engine();
  const uint16_t disk = ctx.SourceDevice.DriveNumber;
  const uint64_t total = disk < engine::kMaxPhysicalDrives ? ctx.PhysicalDriveTable[disk].TotalSectors : 0;
  const int count = std::clamp(ctx.PartitionCount, 0, engine::kPartitionTableSize);
  for (const pages::PieSliceSpec& spec :
       pages::PartitionPieSlices(std::span(ctx.PartitionTable.data(), static_cast<size_t>(count)), total)) {
    auto* slice = new CPieSlice;
    slice->m_nPercent = spec.Percent;
    slice->m_color = spec.Colour;
    slice->SetLabel(ToCString(spec.Label));
    pie_.AppendSlice(slice);
  }
}

CString CFirstDisplay::CaptionText(int row) const {
  CString text;
  captions_[row].GetWindowText(text);
  return text;
}

CString CFirstDisplay::ValueText(int row) const {
  CString text;
  values_[row].GetWindowText(text);
  return text;
}

CString CFirstDisplay::PromptText() const {
  CString text;
  prompt_.GetWindowText(text);
  return text;
}
