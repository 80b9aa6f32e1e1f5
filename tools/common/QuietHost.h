#pragma once
// An engine host with no user interface, for the development tools: every report
// is dropped, tree insertions get fresh item numbers, and every question is
// answered No or Cancel. Tools override what they want to see or answer.

#include <atomic>

#include "EngineHost.h"

namespace toolsupport {

class QuietHost : public engine::EngineHost {
 public:
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
  void DriveTreeAddPartition(const std::string&, const std::string&) override {}
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
  void FileTypeTreeAddSignature(const engine::SignatureRecord&) override {}
  void FileTypeTreeToggleRootCheck() override {}
  void FileTypeTreeToggleRootExpand() override {}
  void SaveReportFile(const std::u16string&, const std::u16string&, int) override {}
  void SaveReportProgress(int) override {}
  void BeginProgressDialog(const std::u16string&) override {}
  void SetProgressDialogPos(int) override {}
  void EndProgressDialog() override {}
  void ShowWizardPage(int) override {}
  void ShowMessage(const std::u16string&, int32_t) override {}
  bool AskQuestion(const std::u16string&, int32_t) override { return false; }
  std::optional<int32_t> AskPartitionSearchChoice() override { return std::nullopt; }
  std::optional<std::u16string> BrowseForFolder(const std::u16string&) override { return std::nullopt; }
  std::optional<std::u16string> AskSnapshotPath(bool) override { return std::nullopt; }

 private:
  engine::TreeItem NextItem() { return nextItem_.fetch_add(1); }
  std::atomic<engine::TreeItem> nextItem_{1};
};

}  // namespace toolsupport
