// The results page (page 4). Until its skinned page, tri-state result tree and
// results list arrive, it shows the results in a plain tree and a report list side
// by side, so a loaded snapshot or a finished scan can be seen.
#pragma once

#include "Framework.h"

#include "PageReports.h"

class CThirdView_HDD : public CView, public ResultsPageReports {
  DECLARE_DYNCREATE(CThirdView_HDD)
 public:
  void OnDraw(CDC* dc) override;

  HTREEITEM InsertResultTreeItem(const CString& text, HTREEITEM parent) override;
  void ExpandResultTreeItem(HTREEITEM item) override;
  void FocusResultTree() override;
  void DeleteAllResultRows() override;
  void AddResultRow(const CString& name, const CString& type, const CStringArray& columns) override;
  void SetResultsReportView() override;
  CListCtrl* ResultList() override { return &list_; }

  static constexpr UINT kTreeId = 1001;
  static constexpr UINT kListId = 1002;

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT createStruct);
  afx_msg void OnSize(UINT type, int cx, int cy);
  DECLARE_MESSAGE_MAP()

 private:
  CTreeCtrl tree_;
  CListCtrl list_;
};
