// Page 1 of the wizard, where the user chooses the source of the recovery: the
// drive tree beside the drive information panel in a splitter panel, with
// Next, Back, Stop and Home. Next refuses without a usable choice; a logical
// drive goes straight on to the scan page; a physical disk has its partitions
// read and searched on a worker, and the page's timer then shows the scan page.
#pragma once

#include "CDriveTreeCtrl.h"
#include "CSplitterPanel.h"
#include "CToolButton.h"
#include "Framework.h"
#include "PageReports.h"
#include "PageSkin.h"
#include "WizardLinks.h"

class CFirstDisplay;

class CFirstView_HDD : public CView, public WizardKeyboardPage, public DrivePageReports {
  DECLARE_DYNCREATE(CFirstView_HDD)
 public:
  static constexpr UINT kTreeId = 156;
  static constexpr UINT kSplitterId = 157;
  static constexpr UINT kPromptStaticId = 170;
  static constexpr UINT_PTR kSearchTimer = 1;

  CFirstView_HDD();
  ~CFirstView_HDD() override;

  void OnInitialUpdate() override;

  // DrivePageReports: the engine's drive enumeration fills the tree.
  void AddDrivePath(const CString& path) override;
  void ExpandDriveTreeRoot() override;

  CDriveTreeCtrl& DriveTree() { return tree_; }
  CFirstDisplay* Panel() const { return panel_; }
  CSplitterPanel& Splitter() { return splitter_; }

  afx_msg void OnNext();
  afx_msg void OnBack();
  afx_msg void OnStop();
  afx_msg void OnHome() { OnBack(); }

 protected:
  void OnDraw(CDC* dc) override;
  void OnPrint(CDC* dc, CPrintInfo* info) override { CView::OnPrint(dc, info); }

  afx_msg int OnCreate(LPCREATESTRUCT cs);
  afx_msg void OnSize(UINT type, int cx, int cy);
  afx_msg void OnLButtonDown(UINT flags, CPoint point) { CView::OnLButtonDown(flags, point); }
  afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);
  afx_msg void OnTimer(UINT_PTR id);
  afx_msg void OnShowWindow(BOOL show, UINT status);
  afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
  DECLARE_MESSAGE_MAP()

 private:
  void Refuse(const wchar_t* text);
  void StartPartitionSearch(const CString& prompt, bool showRangeControls);
  void PreparePartitionChoice(const CString& prompt);
  void GoOnWithLogicalDrive();

  CDriveTreeCtrl tree_;
  CFirstDisplay* panel_ = nullptr;
  CSplitterPanel splitter_;
  CToolButton next_;
  CToolButton back_;
  CToolButton stop_;
  CToolButton home_;
  CFont font_;
  PageSkin skin_;
  int headerLeftWidth_ = 0;
  int headerRightLeft_ = 0;
  bool drivesListed_ = false;
};
