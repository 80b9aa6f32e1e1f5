#pragma once
// The engine host of the command-line driver: no windows, so reports are dropped
// except messages (to stderr); questions are answered from fixed choices, and the
// signature records the database loader hands over are kept for File Trace.

#include <mutex>
#include <string>
#include <vector>

#include "EngineHost.h"

namespace cli {

std::string ToUtf8(const std::u16string& text);

class ConsoleHost final : public engine::EngineHost {
 public:
  // Answer to every Yes/No question (continue after a failed write: yes).
  bool AnswerYes = true;
  // "Please Select": 1 searches for lost partitions even when a table exists.
  int32_t PartitionSearchChoice = 1;

  const std::vector<engine::SignatureRecord>& SignatureRecords() const { return signatureRecords_; }
  const std::vector<std::string>& PartitionLines() const { return partitionLines_; }

  void SetProgressPos(engine::Panel, int) override {}
  void SetStatusText(engine::Panel, const std::u16string&) override {}
  void SetDrivePrompt(const std::u16string&) override {}
  void ResetCounterCaptions() override {}
  void SetCounterText(engine::ScanCounter, const std::u16string&) override {}
  void HideProgressBar() override {}
  void HideStatusText() override {}
  void SetButton(engine::PageButton, engine::ButtonAction) override {}
  void KillScanTimer() override {}
  void ShowWaitCursor() override {}
  void DriveTreeAddPath(const std::string&) override {}
  void DriveTreeAddPartition(const std::string& parentPath, const std::string& text) override;
  void DriveTreeExpandRoot() override {}
  engine::TreeItem PartitionTreeInsertRoot(const std::u16string&) override { return NextItem(); }
  engine::TreeItem PartitionTreeAddItem(const std::u16string&, engine::TreeItem) override { return NextItem(); }
  engine::TreeItem ResultTreeInsertItem(const std::u16string&, engine::TreeItem) override { return NextItem(); }
  void ResultTreeAddFatFolders(engine::TreeItem, uint32_t) override {}
  void ResultTreeAddNtfsFolders(engine::TreeItem, uint32_t) override {}
  void ResultTreeAddFileTypeFolders(engine::TreeItem, const std::u16string&) override {}
  void ResultTreeExpand(engine::TreeItem) override {}
  void ResultTreeFocus() override {}
  int ResultTreeCheckState(engine::TreeItem) override { return 0; }
  void ResultTreeUncheckSubtree(engine::TreeItem) override {}
  void ResultTreeSyncListChecks() override {}
  void ListDeleteAllRows() override {}
  void ListAddRow(const engine::ResultRow&) override {}
  void ListSetReportView() override {}
  void ListSetRowChecked(int) override {}
  void SetSelectedSizeText(const std::u16string&) override {}
  void FileTypeTreeAddTypeItem(const std::u16string&, const std::u16string&) override {}
  void FileTypeTreeAddSignature(const engine::SignatureRecord& record) override;
  void FileTypeTreeToggleRootCheck() override {}
  void FileTypeTreeToggleRootExpand() override {}
  void SaveReportFile(const std::u16string&, const std::u16string&, int) override {}
  void SaveReportProgress(int) override {}
  void BeginProgressDialog(const std::u16string&) override {}
  void SetProgressDialogPos(int) override {}
  void EndProgressDialog() override {}
  void ShowWizardPage(int) override {}
  void ShowMessage(const std::u16string& text, int32_t kind) override;
  bool AskQuestion(const std::u16string& text, int32_t kind) override;
  std::optional<int32_t> AskPartitionSearchChoice() override { return PartitionSearchChoice; }
  std::optional<std::u16string> BrowseForFolder(const std::u16string&) override { return std::nullopt; }
  std::optional<std::u16string> AskSnapshotPath(bool) override { return std::nullopt; }

 private:
  engine::TreeItem NextItem();
  std::mutex mutex_;
  engine::TreeItem nextItem_ = 1;
  std::vector<engine::SignatureRecord> signatureRecords_;
  std::vector<std::string> partitionLines_;
};

}  // namespace cli
