#include "UiEngineHost.h"

#include <shlobj.h>
#include <shellapi.h>

#include <chrono>
#include <utility>

#include "CFileOpenSaveDialog.h"
#include "CFirstDisplay.h"
#include "CMainFrame.h"
#include "CPleaseSelectDlg.h"
#include "CProgressDlg.h"
#include "CRecoveryApp.h"
#include "MessageDialogs.h"
#include "PageReports.h"
#include "UiText.h"

namespace {

CString NarrowToCString(const std::string& text) { return CString(text.c_str()); }

// Names the worker for debuggers where the system can (SetThreadDescription is
// missing on older systems).
void NameThisThread(const CString& name) {
  using SetDescription = HRESULT(WINAPI*)(HANDLE, PCWSTR);
  HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
  auto set = kernel != nullptr ? reinterpret_cast<SetDescription>(
                                     reinterpret_cast<void*>(::GetProcAddress(kernel, "SetThreadDescription")))
                               : nullptr;
  if (set != nullptr) set(::GetCurrentThread(), name);
}

// The shell's type name of a file name ("Text Document"), as the results list shows it.
CString ShellTypeName(const CString& name) {
  SHFILEINFOW info{};
  if (::SHGetFileInfoW(name, FILE_ATTRIBUTE_NORMAL, &info, sizeof(info), SHGFI_TYPENAME | SHGFI_USEFILEATTRIBUTES) == 0)
    return CString();
  return CString(info.szTypeName);
}

}  // namespace

UiEngineHost::UiEngineHost() = default;

UiEngineHost::~UiEngineHost() {
  Close();
  StopAndJoinWorker();
}

template <class Page>
void UiEngineHost::PostToPage(int pageNumber, std::function<void(Page&)> call) {
  PostCall([pageNumber, call = std::move(call)] {
    if (auto* page = dynamic_cast<Page*>(RecoveryApp().Pages[pageNumber])) call(*page);
  });
}

template <class Page, class Result>
Result UiEngineHost::AskPage(int pageNumber, Result fallback, std::function<Result(Page&)> call) {
  Result result = fallback;
  CloseRowBatch();
  queue_.Invoke([&] {
    if (auto* page = dynamic_cast<Page*>(RecoveryApp().Pages[pageNumber])) result = call(*page);
  });
  return result;
}

// ---- The worker ------------------------------------------------------------------

bool UiEngineHost::StartWorker(const char* name, std::function<void()> body) {
  if (!workerDone_) return false;
  if (worker_.joinable()) worker_.join();
  workerDone_ = false;
  worker_ = std::thread([this, name = CString(name), body = std::move(body)] {
    NameThisThread(name);
    try {
      body();
    } catch (...) {
      // A worker's failure ends the worker, never the program.
    }
    workerDone_ = true;
  });
  return true;
}

bool UiEngineHost::WorkerRunning() const { return !workerDone_; }

void UiEngineHost::StopAndJoinWorker() {
  if (!worker_.joinable()) return;
  if (ctx_ != nullptr) {
    ctx_->ScanControl.StopOrDone = 1;
    ctx_->SaveControl.StopRequested = 1;
    ctx_->ScanControl.Pause.Open();
  }
  // The worker may be waiting for a report to be carried out: keep carrying them
  // out until it has ended.
  while (!workerDone_) {
    queue_.Drain();
    ::Sleep(10);
  }
  worker_.join();
}

void UiEngineHost::Close() { queue_.Close(); }

// ---- Page panels -------------------------------------------------------------------

void UiEngineHost::PostToDrivePanel(std::function<void(CFirstDisplay&)> call) {
  PostCall([call = std::move(call)] {
    CMainFrame* frame = RecoveryApp().MainFrame();
    if (frame != nullptr && frame->FirstDisplay != nullptr) call(*frame->FirstDisplay);
  });
}

void UiEngineHost::SetProgressPos(engine::Panel panel, int percent) {
  if (panel == engine::Panel::Drive) PostToDrivePanel([percent](CFirstDisplay& panel) { panel.SetProgressPos(percent); });
  if (panel == engine::Panel::Scan) PostScanPanelValue([percent](ScanPanelValues& values) { values.Progress = percent; });
  if (panel == engine::Panel::FileSystem)
    PostToPage<FileSystemPageReports>(kFileSystemPage,
                                      [percent](FileSystemPageReports& page) { page.ReportFileSystemProgress(percent); });
}

void UiEngineHost::SetStatusText(engine::Panel panel, const std::u16string& text) {
  if (panel == engine::Panel::Drive)
    PostToDrivePanel([text = ToCString(text)](CFirstDisplay& panel) { panel.SetStatusText(text); });
  if (panel == engine::Panel::Scan)
    PostScanPanelValue([text = ToCString(text)](ScanPanelValues& values) { values.Status = text; });
  if (panel == engine::Panel::FileSystem)
    PostToPage<FileSystemPageReports>(kFileSystemPage, [text = ToCString(text)](FileSystemPageReports& page) {
      page.ReportFileSystemStatus(text);
    });
}

void UiEngineHost::SetDrivePrompt(const std::u16string& text) {
  PostToDrivePanel([text = ToCString(text)](CFirstDisplay& panel) { panel.SetPromptText(text); });
}

// The scan page carries out the reports for its panel, buttons, timer and cursor.
template <class Update>
void UiEngineHost::PostScanPanelValue(Update update) {
  uint64_t generation = 0;
  {
    std::lock_guard<std::mutex> lock(scanValues_.Lock);
    update(scanValues_);
    if (scanValues_.Pending) return;
    scanValues_.Pending = true;
    generation = scanValues_.Generation;
  }
  queue_.Post([this, generation] {
    std::array<std::optional<CString>, 6> counters;
    std::optional<int> progress;
    std::optional<CString> status;
    {
      std::lock_guard<std::mutex> lock(scanValues_.Lock);
      if (scanValues_.Generation != generation) return;
      counters.swap(scanValues_.Counters);
      progress.swap(scanValues_.Progress);
      status.swap(scanValues_.Status);
      scanValues_.Pending = false;
    }
    auto* page = dynamic_cast<ScanPageReports*>(RecoveryApp().Pages[kScanPage]);
    if (page == nullptr) return;
    if (progress) page->ReportScanProgress(*progress);
    if (status) page->ReportScanStatus(*status);
    for (size_t counter = 0; counter < counters.size(); ++counter)
      if (counters[counter]) page->ReportCounter(static_cast<engine::ScanCounter>(counter), *counters[counter]);
  });
}

void UiEngineHost::ResetCounterCaptions() {
  {
    std::lock_guard<std::mutex> lock(scanValues_.Lock);
    scanValues_.Counters = {};
    scanValues_.Pending = false;
    ++scanValues_.Generation;
  }
  PostToPage<ScanPageReports>(kScanPage, [](ScanPageReports& page) { page.ReportCounterCaptionsReset(); });
}

void UiEngineHost::SetCounterText(engine::ScanCounter counter, const std::u16string& text) {
  const auto index = static_cast<size_t>(counter);
  PostScanPanelValue([index, text = ToCString(text)](ScanPanelValues& values) {
    if (index < values.Counters.size()) values.Counters[index] = text;
  });
}

void UiEngineHost::HideProgressBar() {
  PostToPage<ScanPageReports>(kScanPage, [](ScanPageReports& page) { page.ReportProgressBarHidden(); });
}

void UiEngineHost::HideStatusText() {
  PostToPage<ScanPageReports>(kScanPage, [](ScanPageReports& page) { page.ReportStatusTextHidden(); });
}

void UiEngineHost::SetButton(engine::PageButton button, engine::ButtonAction action) {
  if (button == engine::PageButton::FileSystemStop) {
    PostToPage<FileSystemPageReports>(kFileSystemPage,
                                      [action](FileSystemPageReports& page) { page.ReportFileSystemStop(action); });
    return;
  }
  PostToPage<ScanPageReports>(kScanPage, [button, action](ScanPageReports& page) { page.ReportButton(button, action); });
}

void UiEngineHost::KillScanTimer() {
  PostToPage<ScanPageReports>(kScanPage, [](ScanPageReports& page) { page.ReportScanTimerKilled(); });
}

void UiEngineHost::ShowWaitCursor() {
  PostToPage<ScanPageReports>(kScanPage, [](ScanPageReports& page) { page.ReportWaitCursor(); });
}

// ---- Trees -------------------------------------------------------------------------

void UiEngineHost::DriveTreeAddPath(const std::string& path) {
  PostToPage<DrivePageReports>(kDrivePage,
                               [path = NarrowToCString(path)](DrivePageReports& page) { page.AddDrivePath(path); });
}

// Partitions go into the scan page's tree, which the user interface never reaches.
void UiEngineHost::DriveTreeAddPartition(const std::string&, const std::string&) {}

void UiEngineHost::DriveTreeExpandRoot() {
  PostToPage<DrivePageReports>(kDrivePage, [](DrivePageReports& page) { page.ExpandDriveTreeRoot(); });
}

engine::TreeItem UiEngineHost::PartitionTreeInsertRoot(const std::u16string& text) {
  return PartitionTreeAddItem(text, engine::kTreeRootLevel);
}

engine::TreeItem UiEngineHost::PartitionTreeAddItem(const std::u16string& text, engine::TreeItem parent) {
  return AskPage<FileSystemPageReports, engine::TreeItem>(
      kFileSystemPage, 0, [text = ToCString(text), parent](FileSystemPageReports& page) {
        return reinterpret_cast<engine::TreeItem>(
            page.InsertPartitionTreeItem(text, reinterpret_cast<HTREEITEM>(parent)));
      });
}

engine::TreeItem UiEngineHost::ResultTreeInsertItem(const std::u16string& text, engine::TreeItem parent) {
  return AskPage<ResultsPageReports, engine::TreeItem>(
      kResultsPage, 0, [text = ToCString(text), parent](ResultsPageReports& page) {
        return reinterpret_cast<engine::TreeItem>(page.InsertResultTreeItem(text, reinterpret_cast<HTREEITEM>(parent)));
      });
}

// The tree builds its folder levels from the result lists on the user-interface
// thread while the worker waits, so no window is touched from the worker.
void UiEngineHost::ResultTreeAddFatFolders(engine::TreeItem item, uint32_t parentCluster) {
  AskPage<ResultsPageReports, bool>(kResultsPage, false, [item, parentCluster](ResultsPageReports& page) {
    page.AddResultFolders(reinterpret_cast<HTREEITEM>(item), parentCluster, true);
    return true;
  });
}

void UiEngineHost::ResultTreeAddNtfsFolders(engine::TreeItem item, uint32_t parentId) {
  AskPage<ResultsPageReports, bool>(kResultsPage, false, [item, parentId](ResultsPageReports& page) {
    page.AddResultFolders(reinterpret_cast<HTREEITEM>(item), parentId, false);
    return true;
  });
}

void UiEngineHost::ResultTreeAddFileTypeFolders(engine::TreeItem item, const std::u16string&) {
  AskPage<ResultsPageReports, bool>(kResultsPage, false, [item](ResultsPageReports& page) {
    page.AddResultFileTypeFolders(reinterpret_cast<HTREEITEM>(item));
    return true;
  });
}

void UiEngineHost::ResultTreeExpand(engine::TreeItem item) {
  PostToPage<ResultsPageReports>(kResultsPage, [item](ResultsPageReports& page) {
    page.ExpandResultTreeItem(reinterpret_cast<HTREEITEM>(item));
  });
}

void UiEngineHost::ResultTreeFocus() {
  PostToPage<ResultsPageReports>(kResultsPage, [](ResultsPageReports& page) { page.FocusResultTree(); });
}

int UiEngineHost::ResultTreeCheckState(engine::TreeItem item) {
  return AskPage<ResultsPageReports, int>(kResultsPage, 0, [item](ResultsPageReports& page) {
    return page.ResultTreeCheckState(reinterpret_cast<HTREEITEM>(item));
  });
}

void UiEngineHost::ResultTreeUncheckSubtree(engine::TreeItem item) {
  PostToPage<ResultsPageReports>(kResultsPage, [item](ResultsPageReports& page) {
    page.UncheckResultSubtree(reinterpret_cast<HTREEITEM>(item));
  });
}

void UiEngineHost::ResultTreeSyncListChecks() {
  PostToPage<ResultsPageReports>(kResultsPage, [](ResultsPageReports& page) { page.SyncResultListChecks(); });
}

// ---- Results list ------------------------------------------------------------------

void UiEngineHost::ListDeleteAllRows() {
  PostToPage<ResultsPageReports>(kResultsPage, [](ResultsPageReports& page) { page.DeleteAllResultRows(); });
}

struct UiEngineHost::ResultRowBatch {
  std::vector<ResultsPageReports::PendingRow> Rows;
};

// Every other call closes the open batch, so rows made after it are inserted after it.
void UiEngineHost::CloseRowBatch() {
  std::lock_guard<std::mutex> lock(rowBatchLock_);
  openRowBatch_.reset();
}

void UiEngineHost::PostCall(std::function<void()> call) {
  CloseRowBatch();
  queue_.Post(std::move(call));
}

void UiEngineHost::InvokeCall(const std::function<void()>& call) {
  CloseRowBatch();
  queue_.Invoke(call);
}

void UiEngineHost::ListAddRow(const engine::ResultRow& row) {
  ResultsPageReports::PendingRow pending;
  pending.Name = ToCString(row.Name);
  pending.Type = ToCString(row.TypeText);
  if (row.RowKind == engine::ResultRow::Kind::File && pending.Type.IsEmpty()) {
    pending.Type = ShellTypeName(pending.Name);
    if (row.Deleted) pending.Type = L"Deleted " + pending.Type;
  }
  for (const std::u16string& column : row.Columns) pending.Columns.push_back(ToCString(column));
  if (queue_.OnUiThread()) {
    PostCall([pending] {
      if (auto* page = dynamic_cast<ResultsPageReports*>(RecoveryApp().Pages[kResultsPage]))
        page->AddResultRows({pending});
    });
    return;
  }
  // A worker's rows gather while the user-interface thread is busy and go in together.
  std::shared_ptr<ResultRowBatch> batch;
  {
    std::lock_guard<std::mutex> lock(rowBatchLock_);
    if (openRowBatch_) {
      openRowBatch_->Rows.push_back(std::move(pending));
      return;
    }
    openRowBatch_ = std::make_shared<ResultRowBatch>();
    openRowBatch_->Rows.push_back(std::move(pending));
    batch = openRowBatch_;
  }
  queue_.Post([this, batch] {
    {
      std::lock_guard<std::mutex> lock(rowBatchLock_);
      if (openRowBatch_ == batch) openRowBatch_.reset();
    }
    if (auto* page = dynamic_cast<ResultsPageReports*>(RecoveryApp().Pages[kResultsPage]))
      page->AddResultRows(batch->Rows);
  });
}

void UiEngineHost::ListSetReportView() {
  PostToPage<ResultsPageReports>(kResultsPage, [](ResultsPageReports& page) { page.SetResultsReportView(); });
}

void UiEngineHost::ListSetRowChecked(int) {}
void UiEngineHost::SetSelectedSizeText(const std::u16string& text) {
  PostToPage<ResultsPageReports>(kResultsPage,
                                 [text = ToCString(text)](ResultsPageReports& page) { page.ShowSelectedSize(text); });
}

// The File Types dialog loads the database on the user-interface thread, so these
// reach its tree at once, through the scan page that has it open.
void UiEngineHost::FileTypeTreeAddTypeItem(const std::u16string& category, const std::u16string& extension) {
  PostToPage<ScanPageReports>(kScanPage, [category = ToCString(category), extension = ToCString(extension)](
                                             ScanPageReports& page) { page.AddFileType(category, extension); });
}

void UiEngineHost::FileTypeTreeAddSignature(const engine::SignatureRecord& record) {
  PostToPage<ScanPageReports>(kScanPage, [record](ScanPageReports& page) { page.AddFileTypeSignature(record); });
}

void UiEngineHost::FileTypeTreeToggleRootCheck() {
  PostToPage<ScanPageReports>(kScanPage, [](ScanPageReports& page) { page.ToggleFileTypeRootCheck(); });
}

void UiEngineHost::FileTypeTreeToggleRootExpand() {
  PostToPage<ScanPageReports>(kScanPage, [](ScanPageReports& page) { page.ToggleFileTypeRootExpand(); });
}
// The save dialog shows the latest file, count and progress; a new file's report
// also sets the progress back to its start.
template <class Update>
void UiEngineHost::PostSaveDialogValue(Update update) {
  {
    std::lock_guard<std::mutex> lock(saveValues_.Lock);
    update(saveValues_);
    if (saveValues_.Pending) return;
    saveValues_.Pending = true;
  }
  PostCall([this] {
    std::optional<CString> folder, name;
    std::optional<int> progress;
    int filesProcessed = 0;
    {
      std::lock_guard<std::mutex> lock(saveValues_.Lock);
      folder.swap(saveValues_.Folder);
      name.swap(saveValues_.Name);
      progress.swap(saveValues_.Progress);
      filesProcessed = saveValues_.FilesProcessed;
      saveValues_.Pending = false;
    }
    auto* page = dynamic_cast<SaveDialogReports*>(RecoveryApp().Pages[kResultsPage]);
    if (page == nullptr) return;
    if (folder && name) page->ReportSaveFile(*folder, *name, filesProcessed);
    if (progress) page->ReportSaveProgress(*progress);
  });
}

// A save worker waits here while the save dialog asks whether to stop.
void UiEngineHost::SaveReportFile(const std::u16string& folder, const std::u16string& name, int filesProcessed) {
  if (ctx_ != nullptr) ctx_->ScanControl.Pause.WaitWhileClosed();
  PostSaveDialogValue([folder = ToCString(folder), name = ToCString(name), filesProcessed](SaveDialogValues& values) {
    values.Folder = folder;
    values.Name = name;
    values.FilesProcessed = filesProcessed;
    values.Progress.reset();
  });
}

void UiEngineHost::SaveReportProgress(int percent) {
  if (ctx_ != nullptr) ctx_->ScanControl.Pause.WaitWhileClosed();
  PostSaveDialogValue([percent](SaveDialogValues& values) { values.Progress = percent; });
}

// ---- Progress dialog and pages -----------------------------------------------------

void UiEngineHost::BeginProgressDialog(const std::u16string&) {
  InvokeCall([this] {
    progressDialog_ = std::make_unique<CProgressDlg>();
    CMainFrame* frame = RecoveryApp().MainFrame();
    if (!progressDialog_->Create(frame)) {
      progressDialog_.reset();
      return;
    }
    progressDialog_->SetRange(0, 100);
    if (frame != nullptr) frame->SnapshotProgressWindow = progressDialog_->GetSafeHwnd();
  });
}

void UiEngineHost::SetProgressDialogPos(int percent) {
  PostCall([this, percent] {
    if (progressDialog_) progressDialog_->SetPos(percent);
  });
}

void UiEngineHost::EndProgressDialog() {
  InvokeCall([this] {
    if (!progressDialog_) return;
    progressDialog_->DestroyWindow();
    progressDialog_.reset();
    if (CMainFrame* frame = RecoveryApp().MainFrame()) frame->SnapshotProgressWindow = nullptr;
  });
}

void UiEngineHost::ShowWizardPage(int page) {
  PostCall([page] { RecoveryApp().ShowWizardPage(page); });
}

// ---- Messages and questions --------------------------------------------------------

// The engine's texts are plain and may hold paths and names from the disk: they
// are escaped before the markup box sees them.
void UiEngineHost::ShowMessage(const std::u16string& text, int32_t kind) {
  InvokeCall([&] { ShowMessageRequest(EscapeMarkupText(ToCString(text)), kind); });
}

bool UiEngineHost::AskQuestion(const std::u16string& text, int32_t kind) {
  bool yes = false;
  InvokeCall([&] { yes = AskQuestionRequest(EscapeMarkupText(ToCString(text)), kind); });
  return yes;
}

// The search waits while the user chooses on the user-interface thread.
std::optional<int32_t> UiEngineHost::AskPartitionSearchChoice() {
  std::optional<int32_t> choice;
  InvokeCall([&] { choice = ::AskPartitionSearchChoice(); });
  return choice;
}

std::optional<std::u16string> UiEngineHost::BrowseForFolder(const std::u16string& title) {
  std::optional<std::u16string> chosen;
  InvokeCall([&] {
    const CString caption = ToCString(title);
    BROWSEINFOW browse{};
    CView* results = RecoveryApp().Pages[kResultsPage];
    browse.hwndOwner = results != nullptr ? results->GetSafeHwnd() : nullptr;
    browse.lpszTitle = caption;
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    PIDLIST_ABSOLUTE folder = ::SHBrowseForFolderW(&browse);
    if (folder == nullptr) return;
    wchar_t path[MAX_PATH] = {};
    if (::SHGetPathFromIDListW(folder, path)) chosen = ToU16(CString(path));
    ::CoTaskMemFree(folder);
  });
  return chosen;
}

std::optional<std::u16string> UiEngineHost::AskSnapshotPath(bool forOpening) {
  std::optional<std::u16string> chosen;
  InvokeCall([&] {
    const DWORD flags = forOpening ? OFN_FILEMUSTEXIST | OFN_HIDEREADONLY : OFN_HIDEREADONLY;
    CFileOpenSaveDialog dialog(forOpening ? TRUE : FALSE, L"vbrx", nullptr, flags,
                               L"Pelmo Files (*.vbrx)|*.vbrx||", RecoveryApp().MainFrame());
    if (dialog.DoModal() == IDOK) chosen = ToU16(dialog.GetPathName());
  });
  return chosen;
}
