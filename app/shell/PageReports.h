// What the engine's reports reach on the wizard pages. A page's view implements the
// interface of its step; the engine host finds it in CRecoveryApp.Pages and hands it
// each report on the user-interface thread. A page that does not implement it yet
// simply receives nothing.
#pragma once

#include <vector>

#include <cstdint>

#include "EngineHost.h"
#include "Framework.h"

class ScanPanelLink;

// The drive page (page 1): its drive tree (CDriveTreeCtrl::AddPath and ExpandRoot).
// The drive panel's reports go to CMainFrame.FirstDisplay (CFirstDisplay) directly.
class DrivePageReports {
 public:
  virtual ~DrivePageReports() = default;
  // A narrow path "My Computer\Logical Devices\Logical Drives X: \", creating the
  // missing nodes.
  virtual void AddDrivePath(const CString& path) = 0;
  virtual void ExpandDriveTreeRoot() = 0;
};

// The scan page (page 2): the reports of the scan workers for its panel, its
// buttons, timer and cursor, and the File Types dialog it has open.
class ScanPageReports {
 public:
  virtual ~ScanPageReports() = default;
  virtual ScanPanelLink* ScanPanel() = 0;
  virtual void ReportScanProgress(int percent) = 0;
  virtual void ReportScanStatus(const CString& text) = 0;
  virtual void ReportCounterCaptionsReset() = 0;
  virtual void ReportCounter(engine::ScanCounter counter, const CString& text) = 0;
  virtual void ReportProgressBarHidden() = 0;
  virtual void ReportStatusTextHidden() = 0;
  virtual void ReportButton(engine::PageButton button, engine::ButtonAction action) = 0;
  virtual void ReportScanTimerKilled() = 0;
  virtual void ReportWaitCursor() = 0;
  // The signature database's records for the open File Types dialog.
  virtual void AddFileType(const CString& category, const CString& extension) = 0;
  virtual void AddFileTypeSignature(const engine::SignatureRecord& record) = 0;
  virtual void ToggleFileTypeRootCheck() = 0;
  virtual void ToggleFileTypeRootExpand() = 0;
};

// The file-system page (page 3): its tree of found volumes, which the Extensive
// Scan's analysis fills, and its form and Stop button, to which the file-system
// worker reports.
class FileSystemPageReports {
 public:
  virtual ~FileSystemPageReports() = default;
  // Inserts text as the last child of parent (null: at the top); the new item or null.
  virtual HTREEITEM InsertPartitionTreeItem(const CString& text, HTREEITEM parent) = 0;
  virtual void ReportFileSystemProgress(int percent) = 0;
  virtual void ReportFileSystemStatus(const CString& text) = 0;
  virtual void ReportFileSystemStop(engine::ButtonAction action) = 0;
};

// The results page (page 4): its result tree and results list.
class ResultsPageReports {
 public:
  virtual ~ResultsPageReports() = default;
  // Inserts a tree item (parent 0: at the top) and returns its handle (0 on failure).
  virtual HTREEITEM InsertResultTreeItem(const CString& text, HTREEITEM parent) = 0;
  // The folders below `item` whose parent is `key` (FAT: a first cluster; NTFS: a
  // record number), each with its own folders.
  virtual void AddResultFolders(HTREEITEM item, uint32_t key, bool fat) = 0;
  // File Trace: one folder per file type with one per extension below it.
  virtual void AddResultFileTypeFolders(HTREEITEM root) = 0;
  virtual void ExpandResultTreeItem(HTREEITEM item) = 0;
  virtual void FocusResultTree() = 0;
  virtual int ResultTreeCheckState(HTREEITEM item) = 0;
  virtual void UncheckResultSubtree(HTREEITEM item) = 0;
  virtual void SyncResultListChecks() = 0;
  virtual void DeleteAllResultRows() = 0;
  // The menu's and the toolbar's "Recover Selected...": gathers the ticks and saves them.
  virtual void RecoverSelected() = 0;
  // "Save All": asks for the folder and saves what the check maps already hold.
  virtual void SaveAll() = 0;
  // Name, type and the further column texts of a row.
  struct PendingRow {
    CString Name;
    CString Type;
    std::vector<CString> Columns;
  };
  // Rows in their order, inserted together with one repaint.
  virtual void AddResultRows(const std::vector<PendingRow>& rows) = 0;
  virtual void SetResultsReportView() = 0;
  // "Selected Size : " with the total of the ticked files.
  virtual void ShowSelectedSize(const CString& text) = 0;
  // The results list (its columns are prepared by the mode page and start-up).
  virtual CListCtrl* ResultList() = 0;
};

// The save dialog that the results page has open: the engine's save routines
// report each file and its progress.
class SaveDialogReports {
 public:
  virtual ~SaveDialogReports() = default;
  virtual void ReportSaveFile(const CString& folder, const CString& name, int filesProcessed) = 0;
  virtual void ReportSaveProgress(int percent) = 0;
};
