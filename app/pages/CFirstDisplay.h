// The drive page's right-hand panel: the facts of the chosen logical drive
// (with a drive-space chart) or physical disk (with a pie of its partitions),
// the page's prompt, and the status text and progress bar through which the
// partition search reports.
#pragma once

#include "CDiskSpaceChart.h"
#include "CGradientProgressCtrl.h"
#include "CPieChart.h"
#include "CXPGroupBox.h"
#include "Framework.h"

// The logical drive last shown by the panel (-1 at start, or the negative
// index it was given); the scan panel reads it.
extern int ShownLogicalDriveIndex;

class CFirstDisplay : public CView {
  DECLARE_DYNCREATE(CFirstDisplay)
 public:
  static constexpr UINT kPanelId = 59649;
  static constexpr UINT kPromptId = 170;  // the prompt and the status text
  static constexpr UINT kFirstCaptionId = 32812;
  static constexpr UINT kFirstValueId = 32817;
  static constexpr int kRows = 5;

  CFirstDisplay();
  ~CFirstDisplay() override;

  // Progress interface of the partition search (user-interface thread).
  void SetProgressPos(int pos);
  void SetStatusText(CString text);
  void SetPromptText(const CString& text);
  void ShowProgressBar();
  void HideProgressBar();
  void ShowStatusText();
  void HideStatusText();

  void SetDiskCaptions();
  void SetLogicalDriveCaptions();
  void ShowDiskFacts(int disk);
  void ShowLogicalDriveFacts(int drive);
  void ClearFacts();
  void BuildPartitionPie();

  CString CaptionText(int row) const;
  CString ValueText(int row) const;
  CString PromptText() const;
  const CPieChart& PieChart() const { return pie_; }
  CDiskSpaceChart& DriveSpaceChart() { return chart_; }

 protected:
  void OnDraw(CDC* dc) override;
  afx_msg int OnCreate(LPCREATESTRUCT cs);
  afx_msg void OnSize(UINT type, int cx, int cy);
  afx_msg void OnLButtonDown(UINT flags, CPoint point);
  afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
  DECLARE_MESSAGE_MAP()

 private:
  void SetCaptions(const wchar_t* const (&captions)[kRows]);
  void SetValue(int row, const CString& text);
  void ClearValues();

  CXPGroupBox factsBox_;
  CXPGroupBox pieBox_;
  CStatic captions_[kRows];
  CStatic values_[kRows];
  CStatic prompt_;
  CStatic status_;
  CDiskSpaceChart chart_;
  CGradientProgressCtrl progress_;
  CPieChart pie_;
  CFont textFont_;
  CFont valueFont_;
  CFont progressFont_;
};
