// The results page (page 4): the results tree beside the results list, Recover
// and Back below them. Recover gathers what is ticked, asks for the target folder
// and saves on a worker under the save dialog; Back releases the results and
// returns to the page where the user chooses again. Clicking a column header
// sorts the list, folders first.
#pragma once

#include <memory>

#include "CResultListCtrl.h"
#include "CResultTreeCtrl.h"
#include "CSplitterPanel.h"
#include "CToolButton.h"
#include "Framework.h"
#include "PageReports.h"
#include "PageSkin.h"

class CSaveProgressDlg;

class CThirdView_HDD : public CView, public ResultsPageReports, public SaveDialogReports {
  DECLARE_DYNCREATE(CThirdView_HDD)
 public:
  static constexpr UINT kOuterSplitterId = 164;
  static constexpr UINT kInnerSplitterId = 181;
  static constexpr UINT kPreviewPaneId = 0xE901;
  static constexpr UINT kSelectedSizeId = 61482;

  CThirdView_HDD();
  ~CThirdView_HDD() override;

  // ResultsPageReports
  HTREEITEM InsertResultTreeItem(const CString& text, HTREEITEM parent) override;
  void AddResultFolders(HTREEITEM item, uint32_t key, bool fat) override;
  void AddResultFileTypeFolders(HTREEITEM root) override;
  void ExpandResultTreeItem(HTREEITEM item) override;
  void FocusResultTree() override;
  int ResultTreeCheckState(HTREEITEM item) override;
  void UncheckResultSubtree(HTREEITEM item) override;
  void SyncResultListChecks() override;
  void DeleteAllResultRows() override;
  void RecoverSelected() override { Recover(false); }
  void SaveAll() override;
  void AddResultRows(const std::vector<PendingRow>& rows) override;
  void SetResultsReportView() override;
  void ShowSelectedSize(const CString& text) override;
  CListCtrl* ResultList() override { return &list_; }

  // SaveDialogReports
  void ReportSaveFile(const CString& folder, const CString& name, int filesProcessed) override;
  void ReportSaveProgress(int percent) override;

  CResultTreeCtrl& Tree() { return tree_; }
  CResultListCtrl& List() { return list_; }

  afx_msg void OnRecover() { Recover(true); }
  // The frame's and the context menus' "Recover Selected...": no message when no folder is chosen.
  afx_msg void OnRecoverSelected() { Recover(false); }
  afx_msg void OnRenameItem() { list_.BeginRename(); }
  afx_msg void OnBack();
  afx_msg void OnHome() { OnBack(); }
  void SortByColumn(int column, bool ascending);

 protected:
  void OnDraw(CDC* dc) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  // Tab from the tree reaches the list before the frame's dialog keys take it.
  BOOL PreTranslateMessage(MSG* message) override;
  void FocusListFromTree();
  afx_msg int OnCreate(LPCREATESTRUCT cs);
  afx_msg void OnSize(UINT type, int cx, int cy);
  afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT controlType);
  DECLARE_MESSAGE_MAP()

 private:
  void Recover(bool invalidPathMessage);
  // Runs the save dialog over what the check maps hold, into the folder already chosen.
  void SaveIntoChosenFolder();
  // Totals the ticked files into the size label.
  void UpdateSelectedSize();
  void ShowFolder(HTREEITEM item);
  void ShowContextMenu(UINT menuId, CWnd& owner, CPoint screen);
  void SetListView(DWORD style);
  void OpenRow(int row);
  void MoveFolderRowsToTop();

  CResultTreeCtrl tree_;
  CResultListCtrl list_;
  CSplitterPanel splitter_;
  CSplitterPanel rightSplitter_;
  // The preview pane below the list; a view, so its window deletes it.
  CView* preview_ = nullptr;
  CToolButton recover_;
  CToolButton back_;
  CToolButton home_;
  CFont summaryFont_;
  CStatic sizeLabel_;
  PageSkin skin_;
  int sortColumn_ = 1;
  bool sortAscending_ = true;
  CSaveProgressDlg* saveDialog_ = nullptr;
};
