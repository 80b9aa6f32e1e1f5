// The program's one top-level window: menu bar and "Standard" toolbar, status bar,
// banner, the docking host, and the client area in which the wizard pages are
// swapped. Its public fields tell the pages and the command rules where the wizard
// stands; every way out goes through ConfirmExit.
#pragma once

#include "Framework.h"

#include "CDockingHostWnd.h"
#include "CKitFrameWnd.h"
#include "CKitStatusBar.h"
#include "CKitTaskPanel.h"
#include "CKitToolBar.h"
#include "PageReports.h"
#include "WizardLinks.h"

class CMainFrame : public CKitFrameWnd, public WizardFrameState {
  DECLARE_DYNCREATE(CMainFrame)
 public:
  CMainFrame();
  ~CMainFrame() override;

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  BOOL PreTranslateMessage(MSG* message) override;
  // A preview makes the pane inside the results page the active view; the results
  // page still takes its commands before the frame does.
  BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;
  // The caption stays the program's name; no document name is added.
  void OnUpdateFrameTitle(BOOL) override {}

  // Restores the saved placement (nothing when none is saved) and shows the frame.
  void RestoreAndShow(int unused = 0);
  // The exit road: asks, and on Yes saves the bar layout and the placement, stops
  // a running worker, frees the results and ends the process.
  BOOL ConfirmExit();
  void SetExitEnabled(int enabled) { ExitEnabled = enabled; }
  // Hands the temporary copy of a file and its lower-cased extension (with the dot)
  // to the preview pane, which becomes the active view.
  void ShowPreview(CString path, CString extension);

  // Set by the preview host and the scan page when they are created.
  CView* PreviewView = nullptr;
  CView* ScanPage = nullptr;
  HWND SnapshotProgressWindow = nullptr;
  // Preview flags.
  int PreviewOk = 0;
  int LastPreviewable = 0;
  int NothingToPreview = 1;
  int ExitEnabled = 1;

  // Loading snapshots (the load command and a snapshot named at start-up).
  bool LoadScanSnapshot(const CString& path);
  bool LoadFileTraceSnapshot(const CString& path);

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT createStruct);
  afx_msg void OnClose();
  afx_msg void OnGetMinMaxInfo(MINMAXINFO* info);

  afx_msg void OnRecoverSelected();
  afx_msg void OnSaveSnapshot();
  afx_msg void OnLoadSnapshot();
  afx_msg void OnExit();
  afx_msg void OnViewIcons();
  afx_msg void OnViewList();
  afx_msg void OnViewDetails();
  afx_msg void OnFindFiles();
  afx_msg void OnFileFilters();
  afx_msg void OnSettings();
  afx_msg void OnDriveInformation();
  afx_msg void OnItemProperties();
  afx_msg void OnHelp();
  afx_msg void OnSaveAll();
  afx_msg void OnSecondExit();
  afx_msg void OnUnusedCommand();

  afx_msg void OnUpdateResultCommand(CCmdUI* cmdUI);
  afx_msg void OnUpdateSearchCommand(CCmdUI* cmdUI);
  afx_msg void OnUpdateLoadSnapshot(CCmdUI* cmdUI);
  afx_msg void OnUpdateExit(CCmdUI* cmdUI);
  afx_msg void OnUpdateSettings(CCmdUI* cmdUI);
  afx_msg void OnUpdateDriveInformation(CCmdUI* cmdUI);
  afx_msg void OnUpdateAlwaysEnabled(CCmdUI* cmdUI);
  DECLARE_MESSAGE_MAP()

 private:
  bool ResultCommandsEnabled() const;
  ResultsPageReports* ResultsPage() const;
  void SetResultsListView(DWORD viewStyle);
  void WritePreviewSettings();
  bool CreateBars();

  HCURSOR handCursor_ = nullptr;
  CKitToolBar* standardBar_ = nullptr;
  CImageList commandIcons_;
  CKitStatusBar statusBar_;
  CDockingHostWnd dockingHost_;
  // Held for the task panel's drawing styles; its window is never made.
  CKitTaskPanel taskPanel_;
};
