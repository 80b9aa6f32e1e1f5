// Page 0 of the wizard, shown at start: the choice of the recovery mode. A mode
// button sets the mode, resets the wizard's steps, prepares the results
// columns, starts the selection summary and shows the drive page. While the
// mouse rests on a mode button the page explains that mode.
#pragma once

#include "CHoverButton.h"
#include "CUiButton.h"
#include "CUiEdit.h"
#include "Framework.h"
#include "PageSkin.h"

class CEx_StyleView : public CView {
  DECLARE_DYNCREATE(CEx_StyleView)
 public:
  static constexpr UINT kBrowseId = 61491;
  static constexpr UINT kVhdPathId = 61492;

  CEx_StyleView();
  ~CEx_StyleView() override;

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  // The explanation under the buttons for the hovered mode, or the prompt.
  static const wchar_t* ExplanationFor(int hoveredModeButtonId);

 protected:
  void OnDraw(CDC* dc) override;
  BOOL OnPreparePrinting(CPrintInfo* info) override { return DoPreparePrinting(info); }

  afx_msg int OnCreate(LPCREATESTRUCT cs);
  afx_msg void OnSize(UINT type, int cx, int cy);
  afx_msg BOOL OnEraseBkgnd(CDC*) { return TRUE; }  // OnDraw paints every pixel
  afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
  afx_msg void OnQuickScan();
  afx_msg void OnExtensiveScan();
  afx_msg void OnFileTrace();
  afx_msg void OnBrowseVhd();
  DECLARE_MESSAGE_MAP()

 private:
  void ChooseMode(int recoveryMode);

  CHoverButton quickScan_;
  CHoverButton fileTrace_;
  CHoverButton extensiveScan_;
  CUiButton browse_;
  CUiEdit vhdPath_;
  CFont textFont_;
  CFont titleFont_;
  CFont browseFont_;
  CBrush editBrush_;
  PageSkin skin_;
};
