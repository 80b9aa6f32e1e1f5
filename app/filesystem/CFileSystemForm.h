// The file-system page's right-hand form: the facts of the found volume chosen in
// the tree inside "FileSystem Information", and below them the status line and
// progress bar through which the file-system worker reports. The form window is
// disabled, so it takes no mouse input of its own.
#pragma once

#include <cstdint>

#include "CGradientProgressCtrl.h"
#include "CXPGroupBox.h"
#include "Framework.h"

class CFileSystemForm : public CView {
  DECLARE_DYNCREATE(CFileSystemForm)
 public:
  static constexpr UINT kFormId = 0xE901;
  static constexpr UINT kNoticeId = 170;  // the notice line and the status line
  static constexpr UINT kGroupBoxId = 61479;
  static constexpr UINT kFirstCaptionId = 32812;
  static constexpr UINT kProgressId = 61457;
  static constexpr int kRows = 5;
  // Control ids of the value of rows 1 to 5.
  static constexpr UINT kValueIds[kRows] = {32818, 32819, 32820, 32817, 32821};

  CFileSystemForm();
  ~CFileSystemForm() override;

  // Progress interface of the file-system worker and the pages.
  void SetProgressPos(int percent);
  void SetStatusText(CString text);
  void ShowProgressBar();
  void HideProgressBar();
  void ShowStatusText();
  void HideStatusText();

  // FAT captions, row 1 hidden, the three texts into rows 2, 3 and 4.
  void ShowFatFacts(const CString& start, const CString& sectorsPerCluster, const CString& size);
  void ShowFatCaptions();
  // Row 1 shown, NTFS captions, all values empty.
  void ShowNtfsCaptions();
  // The values of rows 1 to 5 (captions unchanged).
  void ShowValues(const CString (&values)[kRows]);
  void ClearFactValues();
  void SetNoticeText(const CString& text);

  CString CaptionText(int row) const;
  CString ValueText(int row) const;

 protected:
  void OnDraw(CDC*) override {}
  afx_msg int OnCreate(LPCREATESTRUCT cs);
  afx_msg void OnSize(UINT type, int cx, int cy);
  afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
  DECLARE_MESSAGE_MAP()

 private:
  void SetCaptions(const wchar_t* const (&captions)[kRows]);

  CXPGroupBox groupBox_;
  CStatic notice_;
  CStatic captions_[kRows];
  CStatic values_[kRows];
  CStatic status_;
  CGradientProgressCtrl progress_;
  CFont font_;
  CFont progressFont_;
  CBrush whiteBrush_;
};
