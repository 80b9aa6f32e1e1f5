#include "CFindFilesDlg.h"

#include <algorithm>
#include <utility>

#include "CRecoveryApp.h"
#include "CSaveProgressDlg.h"
#include "CThirdView_HDD.h"
#include "ResourceIds.h"
#include "SkinDrawing.h"
#include "UiText.h"
#include "WizardLinks.h"
#include "copyout/SaveCheckedItems.h"

namespace {

constexpr UINT kSearchEndedMessage = WM_APP + 0x52;
constexpr UINT_PTR kRowsTimer = 1;
constexpr UINT kRowsIntervalMs = 50;
// Time for one batch of rows; the rest waits for the next tick, after input and paint.
constexpr DWORD kRowsBudgetMs = 60;

constexpr UINT kLabelIds[] = {IDC_FIND_PATTERN_CAPTION, IDC_FIND_MESSAGE, IDC_FIND_LAST_FILE_CAPTION,
                              IDC_FIND_LAST_FILE,       IDC_FIND_COUNT_CAPTION, IDC_FIND_COUNT};

struct Column {
  const wchar_t* title;
  int width;
};
constexpr Column kColumns[] = {{L"File Name", 200},     {L"Path", 100},           {L"Size", 100},
                               {L"Creation Time", 150}, {L"Modification Time", 150}, {L"ID", 150}};

constexpr wchar_t kNothingTicked[] =
    L"Please click on check box next to the file(s) and folder(s)\r\n that you want to save.";
constexpr wchar_t kStopQuestion[] = L"Do you want to stop file searching ?";

CThirdView_HDD* ResultsPage() { return dynamic_cast<CThirdView_HDD*>(RecoveryApp().Pages[kResultsPage]); }

}  // namespace

FindControlRecord& FindControl() {
  static FindControlRecord control;
  return control;
}

BEGIN_MESSAGE_MAP(CFindFilesDlg, CDialog)
  ON_BN_CLICKED(IDC_FIND_STOP, OnStop)
  ON_BN_CLICKED(IDC_FIND_SELECT_ALL, OnSelectAll)
  ON_BN_CLICKED(IDC_FIND_SAVE, OnSaveSelected)
  ON_WM_CLOSE()
  ON_WM_DESTROY()
  ON_WM_ERASEBKGND()
  ON_WM_TIMER()
  ON_MESSAGE(kSearchEndedMessage, OnSearchEnded)
END_MESSAGE_MAP()

CFindFilesDlg::CFindFilesDlg(CWnd* parent)
    : CDialog(IDD_FIND_FILES, parent), list_(wizard::Engine()), skin_(LoadSkinBitmap(IDB_SKIN_FIND_FILES)) {}

CFindFilesDlg::~CFindFilesDlg() {
  StopAndJoinSearch();
  if (skin_ != nullptr) ::DeleteObject(skin_);
}

void CFindFilesDlg::DoDataExchange(CDataExchange* exchange) {
  CDialog::DoDataExchange(exchange);
  DDX_Control(exchange, IDC_FIND_PATTERN, pattern_);
  DDX_Control(exchange, IDC_FIND_SELECT_ALL, selectAll_);
  for (size_t i = 0; i < std::size(kLabelIds); ++i) DDX_Control(exchange, kLabelIds[i], labels_[i]);
}

BOOL CFindFilesDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  pattern_.SetLimitText(static_cast<UINT>(dialogs::kMaxSearchPatternLength));

  // The results list takes the place of the template's list.
  CRect place;
  if (CWnd* templateList = GetDlgItem(IDC_FIND_RESULTS)) {
    templateList->GetWindowRect(&place);
    ScreenToClient(&place);
    templateList->DestroyWindow();
  }
  if (list_.Create(this)) {
    ::SetWindowLongPtrW(list_.GetSafeHwnd(), GWLP_ID, IDC_FIND_RESULTS);
    list_.SetWindowPos(nullptr, place.left, place.top, place.Width(), place.Height(), SWP_NOZORDER);
    for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i)
      list_.InsertColumn(i, kColumns[i].title, LVCFMT_LEFT, kColumns[i].width);
  }

  GetDlgItem(IDC_FIND_STOP)->EnableWindow(FALSE);
  selectAll_.SetIcon(IDI_SELECT_ALL_OFF, IDI_SELECT_ALL_ON);
  selectAll_.OffsetColor(0, 100);
  selectAll_.OffsetColor(2, 30);
  selectAll_.DrawBorder(TRUE);
  selectAll_.DrawTransparent();
  selectAll_.SetWindowText(L"Select All");

  FindControlRecord& control = FindControl();
  control.Dialog = this;
  control.DialogOpen = 1;
  return TRUE;
}

// ---- Start and the search ----------------------------------------------------------------

void CFindFilesDlg::OnOK() {
  FindControlRecord& control = FindControl();
  if (control.Searching) return;
  ResetSelectAll();
  SetSearchControls(true);
  list_.DeleteAllItems();
  SetDlgItemText(IDC_FIND_COUNT, L"0");
  control.StopRequested = 0;
  {
    std::lock_guard lock(queueMutex_);
    queue_.clear();
    ended_ = false;
  }
  CString pattern;
  pattern_.GetWindowText(pattern);
  folderPaths_.clear();
  control.Searching = true;
  SetTimer(kRowsTimer, kRowsIntervalMs, nullptr);
  search_ = std::thread(&CFindFilesDlg::Search, this, ToU16(pattern));
}

void CFindFilesDlg::Search(std::u16string pattern) {
  FindControlRecord& control = FindControl();
  const auto stop = [&control] {
    control.Pause.WaitWhileClosed();
    return control.StopRequested.load() != 0;
  };
  const int rows = dialogs::SearchFoundFiles(wizard::Engine(), pattern, stop,
                                             [this](dialogs::FoundFile&& file) { AddFoundFile(std::move(file)); });
  SearchEnded(rows, control.StopRequested.load() != 0);
}

void CFindFilesDlg::AddFoundFile(dialogs::FoundFile&& file) {
  std::lock_guard lock(queueMutex_);
  queue_.push_back(std::move(file));
}

void CFindFilesDlg::SearchEnded(int, bool stopped) {
  {
    std::lock_guard lock(queueMutex_);
    ended_ = true;
    endedStopped_ = stopped;
  }
  PostMessage(kSearchEndedMessage);
}

void CFindFilesDlg::OnTimer(UINT_PTR id) {
  if (id != kRowsTimer) {
    CDialog::OnTimer(id);
    return;
  }
  if (!AppendQueuedRows()) return;
  bool ended = false;
  {
    std::lock_guard lock(queueMutex_);
    ended = ended_ && queue_.empty();
  }
  if (ended) FinishSearch();
}

bool CFindFilesDlg::AppendQueuedRows() {
  {
    std::lock_guard lock(queueMutex_);
    if (queue_.empty()) return true;
  }
  const DWORD start = ::GetTickCount();
  bool any = false;
  bool empty = false;
  list_.SetRedraw(FALSE);
  while (::GetTickCount() - start < kRowsBudgetMs) {
    std::vector<dialogs::FoundFile> batch;
    {
      std::lock_guard lock(queueMutex_);
      const size_t take = std::min<size_t>(queue_.size(), 256);
      for (size_t i = 0; i < take; ++i) {
        batch.push_back(std::move(queue_.front()));
        queue_.pop_front();
      }
      empty = queue_.empty();
    }
    for (const dialogs::FoundFile& file : batch) AppendRow(file);
    if (!batch.empty()) any = true;
    if (empty) break;
  }
  list_.SetRedraw(TRUE);
  if (any) {
    // The labels once per batch: the count of rows and the last name.
    CString count;
    count.Format(L"%d", list_.GetItemCount());
    SetDlgItemText(IDC_FIND_COUNT, count);
    SetDlgItemText(IDC_FIND_LAST_FILE, list_.GetItemText(list_.GetItemCount() - 1, 0));
    list_.Invalidate(FALSE);
  }
  return empty;
}

void CFindFilesDlg::AppendRow(const dialogs::FoundFile& file) {
  auto known = folderPaths_.find(file.FolderItem);
  if (known == folderPaths_.end()) {
    CString path = L"\\";
    CThirdView_HDD* results = ResultsPage();
    if (file.FolderItem != 0 && results != nullptr && results->Tree().GetSafeHwnd() != nullptr)
      path += results->Tree().GetItemPath(reinterpret_cast<HTREEITEM>(file.FolderItem));
    known = folderPaths_.emplace(file.FolderItem, path).first;
  }
  const CString& path = known->second;
  CStringArray columns;
  columns.Add(ToCString(file.SizeText));
  columns.Add(ToCString(file.FirstDateText));
  columns.Add(ToCString(file.SecondDateText));
  columns.Add(ToCString(file.IdText));
  list_.AddRow(ToCString(file.Name), path, columns);
}

// The rows still queued go in on the timer; the search is finished when they are in.
LRESULT CFindFilesDlg::OnSearchEnded(WPARAM, LPARAM) {
  OnTimer(kRowsTimer);
  return 0;
}

void CFindFilesDlg::FinishSearch() {
  KillTimer(kRowsTimer);
  bool stopped = false;
  {
    std::lock_guard lock(queueMutex_);
    if (!ended_ || !FindControl().Searching) return;
    stopped = endedStopped_;
  }
  if (search_.joinable()) search_.join();
  FindControl().Searching = false;
  if (!stopped) {
    const int rows = list_.GetItemCount();
    if (rows == 0) {
      SetDlgItemText(IDC_FIND_COUNT, L"0");
      SetDlgItemText(IDC_FIND_LAST_FILE, L"");
    }
    SetDlgItemText(IDC_FIND_MESSAGE, ToCString(dialogs::SearchEndText(rows)));
  }
  SetSearchControls(false);
}

void CFindFilesDlg::SetSearchControls(bool searching) {
  GetDlgItem(IDC_FIND_STOP)->EnableWindow(searching);
  GetDlgItem(IDOK)->EnableWindow(!searching);
  GetDlgItem(IDC_FIND_SAVE)->EnableWindow(!searching);
  selectAll_.EnableWindow(!searching);
  list_.EnableWindow(!searching);
}

// ---- Stop ------------------------------------------------------------------------------

void CFindFilesDlg::OnStop() {
  FindControlRecord& control = FindControl();
  if (!control.Searching) return;
  GetDlgItem(IDC_FIND_STOP)->EnableWindow(FALSE);
  GetDlgItem(IDC_FIND_SAVE)->EnableWindow(TRUE);
  selectAll_.EnableWindow(TRUE);
  list_.EnableWindow(TRUE);
  control.Pause.Close();
  const bool yes = wizard::AskQuestion(kStopQuestion);
  if (yes) {
    control.StopRequested = 1;
    // The search runs ahead of the list: what it found but the list has not
    // shown yet goes too, so the list and its count stop where the user stopped.
    std::lock_guard lock(queueMutex_);
    queue_.clear();
  }
  control.Pause.Open();
  if (yes) {
    GetDlgItem(IDOK)->EnableWindow(TRUE);
    return;
  }
  // The search may have ended while the question was open.
  if (control.Searching) SetSearchControls(true);
}

void CFindFilesDlg::StopAndJoinSearch() {
  FindControlRecord& control = FindControl();
  control.StopRequested = 1;
  control.Pause.Open();
  if (search_.joinable()) search_.join();
  control.Searching = false;
}

// ---- Select All and saving -------------------------------------------------------------------

void CFindFilesDlg::SetAllChecked(bool checked) {
  const int rows = list_.GetItemCount();
  for (int row = 0; row < rows; ++row) list_.SetRowChecked(row, checked);
}

void CFindFilesDlg::ResetSelectAll() {
  selectAll_.SetCheck(0);
  selectAll_.SetWindowText(L"Select All");
}

void CFindFilesDlg::OnSelectAll() {
  if (selectAll_.GetCheck() != 0 && list_.GetItemCount() > 0) {
    SetAllChecked(true);
    selectAll_.SetWindowText(L"Deselect All");
  } else {
    SetAllChecked(false);
    ResetSelectAll();
  }
  Invalidate();
}

void CFindFilesDlg::OnSaveSelected() {
  engine::SaveSelection selection;
  const int rows = list_.GetItemCount();
  for (int row = 0; row < rows; ++row) {
    if (!list_.IsRowChecked(row)) continue;
    const std::optional<uint64_t> id = list_.RowId(row);
    if (id && *id <= UINT32_MAX) selection.TickedFileIds.push_back(static_cast<uint32_t>(*id));
  }
  if (selection.TickedFileIds.empty()) {
    wizard::ShowMessage(kNothingTicked, engine::kMessageInformation);
    return;
  }
  engine::EngineContext& ctx = wizard::Engine();
  ctx.SaveControl.TargetFolder.clear();
  engine::BrowseForSaveFolder(ctx);
  if (ctx.SaveControl.TargetFolder.empty()) return;
  selection.Filters = RecoveryApp().FileFilters();
  ctx.SaveControl.SaveFromFindResults = 1;
  {
    CSaveProgressDlg dialog(this, std::move(selection));
    dialog.DoModal();
  }
  ctx.SaveControl.SaveFromFindResults = 0;
  SetAllChecked(false);
  ResetSelectAll();
  selectAll_.Invalidate();
}

// ---- The list's boxes ---------------------------------------------------------------------

BOOL CFindFilesDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  if (header != nullptr && header->hwndFrom == list_.GetSafeHwnd() && header->code == NM_CLICK) {
    // The boxes of this list belong to its rows alone; the results page's ticks stay as they are.
    const auto* click = reinterpret_cast<const NMITEMACTIVATE*>(lParam);
    LVHITTESTINFO hit{};
    hit.pt = click->ptAction;
    const int row = list_.HitTest(&hit);
    if (row >= 0 && (hit.flags & LVHT_ONITEMSTATEICON) != 0)
      list_.SetRowChecked(row, !list_.IsRowChecked(row));
    else if (row >= 0)
      list_.PreviewClickedRow(row);  // in the results page's preview pane
  }
  return CDialog::OnNotify(wParam, lParam, result);
}

// ---- Closing ------------------------------------------------------------------------------

void CFindFilesDlg::OnCancel() {
  if (FindControl().Searching) return;
  CDialog::OnCancel();
}

void CFindFilesDlg::OnClose() {
  if (FindControl().Searching) return;
  CDialog::OnClose();
}

void CFindFilesDlg::OnDestroy() {
  // However the window ends, no search outlives it.
  StopAndJoinSearch();
  FindControlRecord& control = FindControl();
  control.Dialog = nullptr;
  control.DialogOpen = 0;
  CDialog::OnDestroy();
}

BOOL CFindFilesDlg::OnEraseBkgnd(CDC* dc) {
  if (!DrawSkinAtOrigin(dc, skin_)) return CDialog::OnEraseBkgnd(dc);
  return TRUE;
}

void RunFindFilesDialog(CWnd* parent) {
  CFindFilesDlg dialog(parent);
  dialog.DoModal();
}
