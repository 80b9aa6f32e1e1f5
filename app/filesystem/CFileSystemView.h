// Page 3 of the wizard, shown after an Extensive Scan: the found volumes in a tree
// beside the form with the chosen volume's facts. Next builds the folder tree of
// the chosen volume on the engine's worker while the form shows its progress; the
// page's timer waits for the worker and goes on to the results page. Stop asks
// while the worker waits at the pause gate; Back returns to the scan page and
// lets the found volumes go.
#pragma once

#include "CPartitionTreeCtrl.h"
#include "CSplitterPanel.h"
#include "CToolButton.h"
#include "Framework.h"
#include "PageReports.h"
#include "PageSkin.h"
#include "WizardLinks.h"

class CFileSystemForm;

class CFileSystemView : public CView, public FileSystemPageReports, public FileSystemPageLink {
  DECLARE_DYNCREATE(CFileSystemView)
 public:
  static constexpr UINT kSplitterId = 157;
  static constexpr UINT_PTR kBuildTimer = 1;

  CFileSystemView();
  ~CFileSystemView() override;

  CPartitionTreeCtrl& Tree() { return tree_; }
  CFileSystemForm* Form() const { return form_; }

  // FileSystemPageReports
  HTREEITEM InsertPartitionTreeItem(const CString& text, HTREEITEM parent) override;
  void ReportFileSystemProgress(int percent) override;
  void ReportFileSystemStatus(const CString& text) override;
  void ReportFileSystemStop(engine::ButtonAction action) override;

  // FileSystemPageLink
  void PrepareForScan(uint16_t fileSystemCode) override;
  bool FoundNoFileSystem() const override;
  void SetNoticeText(const CString& text) override;
  void ShowChoosingAgain() override;

  afx_msg void OnNext();
  afx_msg void OnBack();
  afx_msg void OnStop();
  afx_msg void OnHome();

 protected:
  void OnDraw(CDC* dc) override;
  afx_msg int OnCreate(LPCREATESTRUCT cs);
  afx_msg void OnSize(UINT type, int cx, int cy);
  afx_msg void OnTimer(UINT_PTR id);
  afx_msg void OnShowWindow(BOOL show, UINT status);
  afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
  DECLARE_MESSAGE_MAP()

 private:
  bool WorkerActive() const;
  void StartFileSystemScan();
  void GoOnToResultsPage();
  void ShowChoosingState();

  CPartitionTreeCtrl tree_;
  CFileSystemForm* form_ = nullptr;
  CSplitterPanel splitter_;
  CToolButton next_;
  CToolButton back_;
  CToolButton stop_;
  CToolButton home_;
  CFont font_;
  PageSkin skin_;
  int headerLeftWidth_ = 0;
  int headerRightLeft_ = 0;
};
