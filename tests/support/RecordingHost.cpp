#include "RecordingHost.h"

#include "Utf8Text.h"

namespace testsupport {
namespace {

const char* PanelName(engine::Panel panel) {
  switch (panel) {
    case engine::Panel::Drive: return "Drive";
    case engine::Panel::Scan: return "Scan";
    case engine::Panel::FileSystem: return "FileSystem";
  }
  return "?";
}

const char* CounterName(engine::ScanCounter counter) {
  switch (counter) {
    case engine::ScanCounter::FoldersFound: return "FoldersFound";
    case engine::ScanCounter::FilesFound: return "FilesFound";
    case engine::ScanCounter::CurrentSector: return "CurrentSector";
    case engine::ScanCounter::LastItem: return "LastItem";
    case engine::ScanCounter::BootSectors: return "BootSectors";
    case engine::ScanCounter::IndexBlocks: return "IndexBlocks";
  }
  return "?";
}

const char* ButtonName(engine::PageButton button) {
  switch (button) {
    case engine::PageButton::ScanNext: return "ScanNext";
    case engine::PageButton::ScanBack: return "ScanBack";
    case engine::PageButton::ScanStop: return "ScanStop";
    case engine::PageButton::FileSystemStop: return "FileSystemStop";
  }
  return "?";
}

const char* ActionName(engine::ButtonAction action) {
  switch (action) {
    case engine::ButtonAction::Enable: return "Enable";
    case engine::ButtonAction::Disable: return "Disable";
    case engine::ButtonAction::Show: return "Show";
    case engine::ButtonAction::Hide: return "Hide";
  }
  return "?";
}

template <typename T>
T PopOr(std::deque<T>& queue, T fallback) {
  if (queue.empty()) return fallback;
  T front = std::move(queue.front());
  queue.pop_front();
  return front;
}

}  // namespace

std::string ToUtf8(const std::u16string& text) { return engine::Utf16ToUtf8(text); }

std::vector<std::string> RecordingHost::Calls() const {
  std::lock_guard lock(mutex_);
  return calls_;
}

std::vector<std::string> RecordingHost::CallsStartingWith(const std::string& prefix) const {
  std::vector<std::string> matching;
  for (const std::string& call : Calls()) {
    if (call.rfind(prefix, 0) == 0) matching.push_back(call);
  }
  return matching;
}

std::vector<engine::ResultRow> RecordingHost::Rows() const {
  std::lock_guard lock(mutex_);
  return rows_;
}

void RecordingHost::Record(std::string line) {
  std::lock_guard lock(mutex_);
  calls_.push_back(std::move(line));
}

void RecordingHost::SetProgressPos(engine::Panel panel, int percent) {
  Record(std::string(PanelName(panel)) + ".Progress " + std::to_string(percent));
}
void RecordingHost::SetStatusText(engine::Panel panel, const std::u16string& text) {
  Record(std::string(PanelName(panel)) + ".Status " + ToUtf8(text));
}
void RecordingHost::SetDrivePrompt(const std::u16string& text) { Record("Drive.Prompt " + ToUtf8(text)); }
void RecordingHost::ResetCounterCaptions() { Record("Scan.ResetCounterCaptions"); }
void RecordingHost::SetCounterText(engine::ScanCounter counter, const std::u16string& text) {
  Record(std::string("Scan.Counter ") + CounterName(counter) + " " + ToUtf8(text));
}
void RecordingHost::HideProgressBar() { Record("Scan.HideProgressBar"); }
void RecordingHost::HideStatusText() { Record("Scan.HideStatusText"); }
void RecordingHost::SetButton(engine::PageButton button, engine::ButtonAction action) {
  Record(std::string("Button ") + ButtonName(button) + " " + ActionName(action));
}
void RecordingHost::KillScanTimer() { Record("Scan.KillTimer"); }
void RecordingHost::ShowWaitCursor() { Record("Scan.WaitCursor"); }
void RecordingHost::DriveTreeAddPath(const std::string& path) { Record("DriveTree.AddPath " + path); }
void RecordingHost::DriveTreeAddPartition(const std::string& parentPath, const std::string& text) {
  Record("DriveTree.AddPartition " + parentPath + " | " + text);
}
void RecordingHost::DriveTreeExpandRoot() { Record("DriveTree.ExpandRoot"); }

engine::TreeItem RecordingHost::PartitionTreeInsertRoot(const std::u16string& text) {
  std::lock_guard lock(mutex_);
  const engine::TreeItem item = nextItem_++;
  calls_.push_back("PartitionTree.InsertRoot " + ToUtf8(text) + " -> " + std::to_string(item));
  return item;
}
engine::TreeItem RecordingHost::PartitionTreeAddItem(const std::u16string& text, engine::TreeItem parent) {
  std::lock_guard lock(mutex_);
  const engine::TreeItem item = nextItem_++;
  calls_.push_back("PartitionTree.AddItem " + ToUtf8(text) + " under " + std::to_string(parent) + " -> " +
                   std::to_string(item));
  return item;
}
engine::TreeItem RecordingHost::ResultTreeInsertItem(const std::u16string& text, engine::TreeItem parent) {
  std::lock_guard lock(mutex_);
  const engine::TreeItem item = nextItem_++;
  calls_.push_back("ResultTree.Insert " + ToUtf8(text) + " under " + std::to_string(parent) + " -> " +
                   std::to_string(item));
  return item;
}
void RecordingHost::ResultTreeAddFatFolders(engine::TreeItem item, uint32_t parentCluster) {
  Record("ResultTree.AddFatFolders " + std::to_string(item) + " " + std::to_string(parentCluster));
}
void RecordingHost::ResultTreeAddNtfsFolders(engine::TreeItem item, uint32_t parentId) {
  Record("ResultTree.AddNtfsFolders " + std::to_string(item) + " " + std::to_string(parentId));
}
void RecordingHost::ResultTreeAddFileTypeFolders(engine::TreeItem item, const std::u16string& text) {
  Record("ResultTree.AddFileTypeFolders " + std::to_string(item) + " " + ToUtf8(text));
}
void RecordingHost::ResultTreeExpand(engine::TreeItem item) { Record("ResultTree.Expand " + std::to_string(item)); }
void RecordingHost::ResultTreeFocus() { Record("ResultTree.Focus"); }
int RecordingHost::ResultTreeCheckState(engine::TreeItem item) {
  std::lock_guard lock(mutex_);
  for (const auto& [known, state] : CheckStates) {
    if (known == item) return state;
  }
  return 0;
}
void RecordingHost::ResultTreeUncheckSubtree(engine::TreeItem item) {
  Record("ResultTree.UncheckSubtree " + std::to_string(item));
}
void RecordingHost::ResultTreeSyncListChecks() { Record("ResultTree.SyncListChecks"); }
void RecordingHost::ListDeleteAllRows() {
  std::lock_guard lock(mutex_);
  rows_.clear();
  calls_.push_back("List.DeleteAllRows");
}
void RecordingHost::ListAddRow(const engine::ResultRow& row) {
  std::lock_guard lock(mutex_);
  rows_.push_back(row);
  std::string line = "List.AddRow " + ToUtf8(row.Name) + " | " + ToUtf8(row.TypeText);
  for (const std::u16string& column : row.Columns) line += " | " + ToUtf8(column);
  calls_.push_back(std::move(line));
}
void RecordingHost::ListSetReportView() { Record("List.SetReportView"); }
void RecordingHost::ListSetRowChecked(int row) { Record("List.SetRowChecked " + std::to_string(row)); }
void RecordingHost::SetSelectedSizeText(const std::u16string& text) { Record("SelectedSize " + ToUtf8(text)); }
void RecordingHost::FileTypeTreeAddTypeItem(const std::u16string& category, const std::u16string& extension) {
  Record("FileTypes.AddTypeItem " + ToUtf8(category) + " " + ToUtf8(extension));
}
void RecordingHost::FileTypeTreeAddSignature(const engine::SignatureRecord& record) {
  Record("FileTypes.AddSignature " + std::to_string(record.Index) + " " + ToUtf8(record.Extension));
}
void RecordingHost::FileTypeTreeToggleRootCheck() { Record("FileTypes.ToggleRootCheck"); }
void RecordingHost::FileTypeTreeToggleRootExpand() { Record("FileTypes.ToggleRootExpand"); }
void RecordingHost::SaveReportFile(const std::u16string& folder, const std::u16string& name, int filesProcessed) {
  Record("Save.File " + ToUtf8(folder) + " | " + ToUtf8(name) + " | " + std::to_string(filesProcessed));
}
void RecordingHost::SaveReportProgress(int percent) { Record("Save.Progress " + std::to_string(percent)); }
void RecordingHost::BeginProgressDialog(const std::u16string& caption) {
  Record("ProgressDialog.Begin " + ToUtf8(caption));
}
void RecordingHost::SetProgressDialogPos(int percent) { Record("ProgressDialog.Pos " + std::to_string(percent)); }
void RecordingHost::EndProgressDialog() { Record("ProgressDialog.End"); }
void RecordingHost::ShowWizardPage(int page) { Record("ShowWizardPage " + std::to_string(page)); }
void RecordingHost::ShowMessage(const std::u16string& text, int32_t kind) {
  Record("Message " + std::to_string(kind) + " " + ToUtf8(text));
}
bool RecordingHost::AskQuestion(const std::u16string& text, int32_t kind) {
  std::lock_guard lock(mutex_);
  calls_.push_back("Question " + std::to_string(kind) + " " + ToUtf8(text));
  return PopOr(QuestionAnswers, false);
}
std::optional<int32_t> RecordingHost::AskPartitionSearchChoice() {
  std::lock_guard lock(mutex_);
  calls_.push_back("PleaseSelect");
  return PopOr(PartitionChoices, std::optional<int32_t>{});
}
std::optional<std::u16string> RecordingHost::BrowseForFolder(const std::u16string& title) {
  std::lock_guard lock(mutex_);
  calls_.push_back("BrowseForFolder " + ToUtf8(title));
  return PopOr(FolderChoices, std::optional<std::u16string>{});
}
std::optional<std::u16string> RecordingHost::AskSnapshotPath(bool forOpening) {
  std::lock_guard lock(mutex_);
  calls_.push_back(std::string("SnapshotPath ") + (forOpening ? "open" : "save"));
  return PopOr(SnapshotPaths, std::optional<std::u16string>{});
}

}  // namespace testsupport
