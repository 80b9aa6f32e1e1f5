#pragma once
// An engine host for tests: records every call as one line of text, in order, and
// answers requests from scripted queues (tree items are numbered from 1).

#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "EngineHost.h"

namespace testsupport {

std::string ToUtf8(const std::u16string& text);

class RecordingHost : public engine::EngineHost {
 public:
  // Scripted answers; an empty queue answers No, cancel, or nothing.
  std::deque<bool> QuestionAnswers;
  std::deque<std::optional<int32_t>> PartitionChoices;
  std::deque<std::optional<std::u16string>> FolderChoices;
  std::deque<std::optional<std::u16string>> SnapshotPaths;

  std::vector<std::string> Calls() const;
  // The recorded lines that begin with `prefix`.
  std::vector<std::string> CallsStartingWith(const std::string& prefix) const;
  std::vector<engine::ResultRow> Rows() const;

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

  // Check states answered by ResultTreeCheckState, by item; unknown items are unticked.
  std::vector<std::pair<engine::TreeItem, int>> CheckStates;

 private:
  void Record(std::string line);
  mutable std::mutex mutex_;
  std::vector<std::string> calls_;
  std::vector<engine::ResultRow> rows_;
  engine::TreeItem nextItem_ = 1;
};

}  // namespace testsupport
