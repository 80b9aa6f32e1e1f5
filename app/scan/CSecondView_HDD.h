// Page 2 of the wizard, where the scan of the chosen source is prepared, started,
// watched and ended: the partitions of a disk in a tree beside the scan panel,
// with Next, Back, Stop and Home. Next starts the worker of the recovery mode
// through the engine host; the page's timer waits for it, tells how the scan
// ended and goes on to the results page (or, after Extensive Scan, to the
// file-system page). Stop asks while the worker waits at the pause gate.
#pragma once

#include <functional>

#include "CDriveTreeCtrl.h"
#include "CSplitterPanel.h"
#include "CToolButton.h"
#include "Framework.h"
#include "PageReports.h"
#include "PageSkin.h"
#include "WizardLinks.h"

class CSecondDisplay;
class CFileTypesDlg;

class CSecondView_HDD : public CView, public WizardKeyboardPage, public ScanPageLink, public ScanPageReports {
  DECLARE_DYNCREATE(CSecondView_HDD)
 public:
  static constexpr UINT kTreeId = 162;
  static constexpr UINT kSplitterId = 164;
  static constexpr UINT kPromptStaticId = 170;
  static constexpr UINT_PTR kScanTimer = 1;

  CSecondView_HDD();
  ~CSecondView_HDD() override;

  // Set by the workers when they build the result tree; the timer clears it.
  int WaitCursorShown = 0;

  // ScanPageLink
  void ShowTreePane(bool show) override;
  void ShowNavigationButtons() override;

  // ScanPageReports: the workers' reports, on the user-interface thread.
  ScanPanelLink* ScanPanel() override;
  void ReportScanProgress(int percent) override;
  void ReportScanStatus(const CString& text) override;
  void ReportCounterCaptionsReset() override;
  void ReportCounter(engine::ScanCounter counter, const CString& text) override;
  void ReportProgressBarHidden() override;
  void ReportStatusTextHidden() override;
  void ReportButton(engine::PageButton button, engine::ButtonAction action) override;
  void ReportScanTimerKilled() override;
  void ReportWaitCursor() override;
  void AddFileType(const CString& category, const CString& extension) override;
  void AddFileTypeSignature(const engine::SignatureRecord& record) override;
  void ToggleFileTypeRootCheck() override;
  void ToggleFileTypeRootExpand() override;

  CSecondDisplay* Panel() const { return panel_; }
  CDriveTreeCtrl& Tree() { return tree_; }

  afx_msg void OnNext();
  afx_msg void OnBack();
  afx_msg void OnStop();
  afx_msg void OnHome();

 protected:
  void OnDraw(CDC* dc) override;
  afx_msg int OnCreate(LPCREATESTRUCT cs);
  afx_msg void OnSize(UINT type, int cx, int cy);
  afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);
  afx_msg void OnTimer(UINT_PTR id);
  afx_msg BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
  afx_msg void OnShowWindow(BOOL show, UINT status);
  afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
  DECLARE_MESSAGE_MAP()

 private:
  bool WorkerActive() const;
  void Refuse(const wchar_t* text);
  bool PrepareExtensiveScan();
  void TakeStartSteps();
  void ShowIdleButtons();
  void StartQuickScan();
  void StartExtensiveScan();
  void StartFileTrace();
  // Clears the scan flags, starts `body` as the engine's worker and the timer.
  void StartScanWorker(const char* name, std::function<void()> body);
  void FinishScan();
  void GoOnToResultsPage(bool showHint);
  // After Extensive Scan: the file-system page, where the found volumes are chosen.
  void GoOnToFileSystemPage();
  void SetStepFlagsAfterScan();
  void RedrawNow();

  CDriveTreeCtrl tree_;
  CSecondDisplay* panel_ = nullptr;
  CSplitterPanel splitter_;
  CToolButton next_;
  CToolButton back_;
  CToolButton stop_;
  CToolButton home_;
  CFont font_;
  PageSkin skin_;
  int headerLeftWidth_ = 0;
  int headerRightLeft_ = 0;
  CFileTypesDlg* fileTypes_ = nullptr;  // the File Types dialog while it is open
};
