// The scan page's right-hand panel: the facts of the chosen source (a
// partition or a logical drive with its drive-space chart), the file-system
// and sector-range choice of Extensive Scan, and during a scan the live
// counters, status text and progress bar through which the workers report.
#pragma once

#include "CDiskSpaceChart.h"
#include "CGradientProgressCtrl.h"
#include "CXPGroupBox.h"
#include "EngineHost.h"
#include "Framework.h"
#include "WizardLinks.h"

class CSecondDisplay : public CView, public ScanPanelLink {
  DECLARE_DYNCREATE(CSecondDisplay)
 public:
  static constexpr UINT kPanelId = 59649;
  static constexpr UINT kPromptId = 170;  // the prompt and the status text
  static constexpr UINT kFirstCaptionId = 32812;
  static constexpr UINT kFirstValueId = 32817;
  static constexpr UINT kStartEditId = 61462;
  static constexpr UINT kEndEditId = 61461;
  static constexpr UINT kFileSystemComboId = 61463;
  static constexpr UINT kProgressToggleId = 61486;
  static constexpr UINT kHintId = 61487;
  static constexpr UINT kProgressId = 61457;
  static constexpr int kRows = 5;

  CSecondDisplay();
  ~CSecondDisplay() override;

  // Reporting interface of the scan workers (user-interface thread).
  void SetProgressPos(int pos);
  void SetStatusText(CString text);
  // The counter goes into the value row its scan's captions give it.
  void SetCounterText(engine::ScanCounter counter, const CString& text);
  void ShowProgressBar();
  void HideProgressBar();
  void ShowStatusText();
  void HideStatusText();

  // ScanPanelLink
  void ClearSelectionFacts() override;
  void ShowWholeDiskFacts() override;
  void ShowSelectionFacts(int partition) override;
  void ResetCounterCaptions() override;
  void ShowLogicalDriveFacts() override;
  void ShowRangeControls() override;
  void HideRangeControls() override;
  void ShowFileSystemChoice() override;
  void SetPromptText(const CString& text) override;
  void SetFactsCaption(const CString& text) override;
  void Repaint() override;

  void ClearValues();
  void ShowLogicalDriveRange();
  void SetFatScanCaptions();
  void SetNtfsScanCaptions();
  void ShowFileSystemCombo();
  void HideProgressToggle();
  void ResetProgressToggle();

  // The file-system code the combo names (300 NTFS, 200 FAT32, 100 FAT16); 0
  // without a selection.
  uint16_t ChosenFileSystemCode() const;
  CString StartSectorText() const;
  CString EndSectorText() const;
  CString CaptionText(int row) const;
  CString ValueText(int row) const;
  CString StatusText() const;

 protected:
  void OnDraw(CDC*) override {}
  afx_msg int OnCreate(LPCREATESTRUCT cs);
  afx_msg void OnSize(UINT type, int cx, int cy);
  afx_msg void OnShowWindow(BOOL show, UINT status);
  afx_msg void OnLButtonDown(UINT flags, CPoint point);
  afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
  afx_msg void OnHideProgress();
  DECLARE_MESSAGE_MAP()

 private:
  // Which captions the value rows carry, and so where each counter goes.
  enum class CounterLayout { QuickScan, ExtensiveFat, ExtensiveNtfs };

  void SetCaptions(const wchar_t* const (&captions)[kRows], bool keepLastRow);
  void SetValue(int row, const CString& text);
  void ShowFileSystemFacts(uint16_t code, int row);
  void ShowDriveChart(bool shown);
  void MakeScanPageActive();

  CXPGroupBox factsBox_;
  CXPGroupBox driveBox_;
  CStatic prompt_;
  CStatic captions_[kRows];
  CStatic values_[kRows];
  CStatic rangeCaptions_[3];
  CEdit startEdit_;
  CEdit endEdit_;
  CComboBox fileSystems_;
  CDiskSpaceChart chart_;
  CButton progressToggle_;
  CStatic hint_;
  CStatic status_;
  CGradientProgressCtrl progress_;
  CFont captionFont_;
  CFont valueFont_;
  CFont progressFont_;
  CBrush whiteBrush_;
  CounterLayout layout_ = CounterLayout::QuickScan;
};
