#pragma once
// Everything the engine asks of the user interface. Workers never touch windows:
// each call is a report or a request that the Windows host carries out on the
// user-interface thread in the order the calls were made. Calls that return a
// value (tree items, answers) are synchronous requests.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace engine {

// Pointer-sized handle of an item in one of the user interface's trees.
using TreeItem = uintptr_t;
inline constexpr TreeItem kTreeRootLevel = 0;

// The progress panels of the drive page, the scan page and the file-system page.
enum class Panel { Drive, Scan, FileSystem };

// The value rows of the scan panel that the workers write.
enum class ScanCounter { FoldersFound, FilesFound, CurrentSector, LastItem, BootSectors, IndexBlocks };

// Buttons of the pages that the workers change.
enum class PageButton { ScanNext, ScanBack, ScanStop, FileSystemStop };
enum class ButtonAction { Enable, Disable, Show, Hide };

// One row of the results list. Columns hold the texts the engine knows; icons and
// shell type names of files are the host's to add (TypeText empty for a file).
struct ResultRow {
  enum class Kind { ParentLink, Folder, File, FileTypeGroup };
  Kind RowKind = Kind::File;
  bool Deleted = false;
  std::u16string Name;
  std::u16string TypeText;
  std::vector<std::u16string> Columns;  // the columns after the type column
};

// One record of the signature database as the File Types dialog holds it.
struct SignatureRecord {
  int Index = 0;
  std::u16string Extension;
  std::u16string FileTypeName;
  std::u16string SignatureLength;
  std::u16string SignatureText;
  std::u16string FifthValue;
};

class EngineHost {
 public:
  virtual ~EngineHost() = default;

  // Page panels.
  virtual void SetProgressPos(Panel panel, int percent) = 0;
  virtual void SetStatusText(Panel panel, const std::u16string& text) = 0;
  virtual void SetDrivePrompt(const std::u16string& text) = 0;  // the drive panel's second line
  virtual void ResetCounterCaptions() = 0;
  virtual void SetCounterText(ScanCounter counter, const std::u16string& text) = 0;
  virtual void HideProgressBar() = 0;
  virtual void HideStatusText() = 0;
  virtual void SetButton(PageButton button, ButtonAction action) = 0;
  virtual void KillScanTimer() = 0;
  virtual void ShowWaitCursor() = 0;

  // Drive tree of the drive page and partition tree of the scan page.
  virtual void DriveTreeAddPath(const std::string& path) = 0;
  virtual void DriveTreeAddPartition(const std::string& parentPath, const std::string& text) = 0;
  virtual void DriveTreeExpandRoot() = 0;

  // Tree of found volumes on the file-system page.
  virtual TreeItem PartitionTreeInsertRoot(const std::u16string& text) = 0;
  virtual TreeItem PartitionTreeAddItem(const std::u16string& text, TreeItem parent) = 0;

  // Result tree of the results page.
  virtual TreeItem ResultTreeInsertItem(const std::u16string& text, TreeItem parent) = 0;
  virtual void ResultTreeAddFatFolders(TreeItem item, uint32_t parentCluster) = 0;
  virtual void ResultTreeAddNtfsFolders(TreeItem item, uint32_t parentId) = 0;
  virtual void ResultTreeAddFileTypeFolders(TreeItem item, const std::u16string& text) = 0;
  virtual void ResultTreeExpand(TreeItem item) = 0;
  virtual void ResultTreeFocus() = 0;
  virtual int ResultTreeCheckState(TreeItem item) = 0;  // 0 unticked, 1 ticked, 2 partly
  virtual void ResultTreeUncheckSubtree(TreeItem item) = 0;
  virtual void ResultTreeSyncListChecks() = 0;

  // Results list and the selected-size label.
  virtual void ListDeleteAllRows() = 0;
  virtual void ListAddRow(const ResultRow& row) = 0;
  virtual void ListSetReportView() = 0;
  virtual void ListSetRowChecked(int row) = 0;
  virtual void SetSelectedSizeText(const std::u16string& text) = 0;

  // File Types dialog.
  virtual void FileTypeTreeAddTypeItem(const std::u16string& category, const std::u16string& extension) = 0;
  virtual void FileTypeTreeAddSignature(const SignatureRecord& record) = 0;
  virtual void FileTypeTreeToggleRootCheck() = 0;
  virtual void FileTypeTreeToggleRootExpand() = 0;

  // Save progress dialog.
  virtual void SaveReportFile(const std::u16string& folder, const std::u16string& name, int filesProcessed) = 0;
  virtual void SaveReportProgress(int percent) = 0;

  // Progress of list fills and snapshot loads (the modeless progress dialog).
  virtual void BeginProgressDialog(const std::u16string& caption) = 0;
  virtual void SetProgressDialogPos(int percent) = 0;
  virtual void EndProgressDialog() = 0;
  virtual void ShowWizardPage(int page) = 0;

  // Messages and questions; kind is kMessageInformation, kMessageError or kMessageQuestion.
  virtual void ShowMessage(const std::u16string& text, int32_t kind) = 0;
  virtual bool AskQuestion(const std::u16string& text, int32_t kind) = 0;  // true for Yes
  // The "Please Select" dialog: 0 use the existing partition information, 1 search;
  // nothing when the user cancelled.
  virtual std::optional<int32_t> AskPartitionSearchChoice() = 0;
  // The shell's folder browser; nothing when the user cancelled.
  virtual std::optional<std::u16string> BrowseForFolder(const std::u16string& title) = 0;
  // The snapshot file dialog (open or save, filter "*.vbrx").
  virtual std::optional<std::u16string> AskSnapshotPath(bool forOpening) = 0;
};

}  // namespace engine
