// The Windows side of the engine host. Workers never touch a window: each report is
// handed to the user-interface thread through one queue and carried out there in
// the order it was made; tree insertions, messages and questions wait on the
// worker's side for the user interface's answer. The host also runs the one worker
// thread of the engine, which the exit road stops and joins before any result list
// is freed.
#pragma once

#include "Framework.h"

#include <array>
#include <atomic>
#include <mutex>
#include <optional>
#include <functional>
#include <memory>
#include <thread>

#include "EngineContext.h"
#include "EngineHost.h"
#include "UiCallQueue.h"

class CFirstDisplay;
class CProgressDlg;

class UiEngineHost final : public engine::EngineHost {
 public:
  UiEngineHost();
  ~UiEngineHost() override;

  void Attach(engine::EngineContext& ctx) { ctx_ = &ctx; }
  UiCallQueue& Queue() { return queue_; }

  // Starts `body` as the engine's worker; false while one is still running.
  bool StartWorker(const char* name, std::function<void()> body);
  bool WorkerRunning() const;
  // Asks the running worker to stop (stop flag, pause gate opened) and waits for it
  // while carrying out its reports, so a worker waiting for an answer can end.
  void StopAndJoinWorker();
  // Ends the hand-over: later reports of workers are dropped.
  void Close();

  // engine::EngineHost
  void SetProgressPos(engine::Panel panel, int percent) override;
  void SetStatusText(engine::Panel panel, const std::u16string& text) override;
  void SetDrivePrompt(const std::u16string& text) override;
  void ResetCounterCaptions() override;
  void SetCounterText(engine::ScanCounter counter, const std::u16string& text) override;
  void HideProgressBar() override;
  void HideStatusText() override;
  void SetButton(engine::PageButton button, engine::ButtonAction action) override;
  void KillScanTimer() override;
  void ShowWaitCursor() override;
  void DriveTreeAddPath(const std::string& path) override;
  void DriveTreeAddPartition(const std::string& parentPath, const std::string& text) override;
  void DriveTreeExpandRoot() override;
  engine::TreeItem PartitionTreeInsertRoot(const std::u16string& text) override;
  engine::TreeItem PartitionTreeAddItem(const std::u16string& text, engine::TreeItem parent) override;
  engine::TreeItem ResultTreeInsertItem(const std::u16string& text, engine::TreeItem parent) override;
  void ResultTreeAddFatFolders(engine::TreeItem item, uint32_t parentCluster) override;
  void ResultTreeAddNtfsFolders(engine::TreeItem item, uint32_t parentId) override;
  void ResultTreeAddFileTypeFolders(engine::TreeItem item, const std::u16string& text) override;
  void ResultTreeExpand(engine::TreeItem item) override;
  void ResultTreeFocus() override;
  int ResultTreeCheckState(engine::TreeItem item) override;
  void ResultTreeUncheckSubtree(engine::TreeItem item) override;
  void ResultTreeSyncListChecks() override;
  void ListDeleteAllRows() override;
  void ListAddRow(const engine::ResultRow& row) override;
  void ListSetReportView() override;
  void ListSetRowChecked(int row) override;
  void SetSelectedSizeText(const std::u16string& text) override;
  void FileTypeTreeAddTypeItem(const std::u16string& category, const std::u16string& extension) override;
  void FileTypeTreeAddSignature(const engine::SignatureRecord& record) override;
  void FileTypeTreeToggleRootCheck() override;
  void FileTypeTreeToggleRootExpand() override;
  void SaveReportFile(const std::u16string& folder, const std::u16string& name, int filesProcessed) override;
  void SaveReportProgress(int percent) override;
  void BeginProgressDialog(const std::u16string& caption) override;
  void SetProgressDialogPos(int percent) override;
  void EndProgressDialog() override;
  void ShowWizardPage(int page) override;
  void ShowMessage(const std::u16string& text, int32_t kind) override;
  bool AskQuestion(const std::u16string& text, int32_t kind) override;
  std::optional<int32_t> AskPartitionSearchChoice() override;
  std::optional<std::u16string> BrowseForFolder(const std::u16string& title) override;
  std::optional<std::u16string> AskSnapshotPath(bool forOpening) override;

 private:
  void PostToDrivePanel(std::function<void(CFirstDisplay&)> call);
  template <class Page>
  void PostToPage(int pageNumber, std::function<void(Page&)> call);
  template <class Page, class Result>
  Result AskPage(int pageNumber, Result fallback, std::function<Result(Page&)> call);

  // The scan panel's live values. A scan reports far faster than windows repaint, so
  // only the latest value of each waits to be shown and the user interface never
  // falls behind; a reset of the captions drops the values reported before it.
  struct ScanPanelValues {
    std::mutex Lock;
    std::array<std::optional<CString>, 6> Counters;
    std::optional<int> Progress;
    std::optional<CString> Status;
    bool Pending = false;
    uint64_t Generation = 0;
  };
  template <class Update>
  void PostScanPanelValue(Update update);

  // The save dialog's live values, kept the same way: a save of many small files
  // reports thousands of times a second, and the dialog shows only the latest.
  struct SaveDialogValues {
    std::mutex Lock;
    std::optional<CString> Folder;
    std::optional<CString> Name;
    int FilesProcessed = 0;
    std::optional<int> Progress;
    bool Pending = false;
  };
  template <class Update>
  void PostSaveDialogValue(Update update);

  // Rows of the results list made on a worker, inserted together by one call.
  struct ResultRowBatch;
  void CloseRowBatch();
  void PostCall(std::function<void()> call);
  void InvokeCall(const std::function<void()>& call);

  ScanPanelValues scanValues_;
  SaveDialogValues saveValues_;
  std::mutex rowBatchLock_;
  std::shared_ptr<ResultRowBatch> openRowBatch_;
  UiCallQueue queue_;
  engine::EngineContext* ctx_ = nullptr;
  std::thread worker_;
  std::atomic<bool> workerDone_{true};
  std::unique_ptr<CProgressDlg> progressDialog_;
};
