// The modeless, owner-disabling progress dialog of long operations (list
// filling, tree building, snapshot loading). Its window also takes
// WM_USER + 1 with the position in wParam.
#pragma once

#include "CTransparentStatic.h"
#include "Framework.h"

constexpr UINT IDD_PROGRESS_DIALOG = 226;
constexpr UINT IDB_PROGRESS_SKIN = 221;
constexpr UINT IDC_PROGRESS_PERCENT = 1082;
constexpr UINT IDC_PROGRESS_BAR = 1083;
constexpr UINT IDS_PROGRESS_CAPTION = 61465;
constexpr UINT WM_PROGRESS_SETPOS = WM_USER + 1;

class CProgressDlg : public CDialog {
 public:
  explicit CProgressDlg(UINT captionId = 0);
  ~CProgressDlg() override;

  BOOL Create(CWnd* parent = nullptr);
  BOOL DestroyWindow() override;
  void SetRange(int lower, int upper);
  // Pumps the calling thread's messages, moves the bar and shows the
  // percentage. From another thread the call is handed to the dialog's own.
  int SetPos(int position);
  int SetStep(int step);
  BOOL IsCancelled() const { return cancelled_; }
  // Whether a WM_QUIT reached the pump; it was posted again for the outer loop.
  BOOL QuitReceived() const { return quitReceived_; }

  HRGN SkinRegion() const { return static_cast<HRGN>(skinRegion_.GetSafeHandle()); }
  void SetSkinBitmap(HBITMAP bitmap);

 protected:
  BOOL OnInitDialog() override;
  void OnCancel() override;
  afx_msg LRESULT OnSetPosMessage(WPARAM position, LPARAM);
  afx_msg LRESULT OnDestroyRequest(WPARAM, LPARAM);
  afx_msg BOOL OnEraseBkgnd(CDC* dc);
  afx_msg void OnPaint();
  DECLARE_MESSAGE_MAP()

 private:
  void PumpMessages();
  void UpdatePercentText(int position);
  bool OnOwnThread() const;

  CTransparentStatic percentLabel_;
  CProgressCtrl bar_;
  CBitmap skin_;
  CRgn ellipseRegion_;
  CRgn skinRegion_;
  UINT captionId_;
  CString caption_;
  int lower_ = 0;
  int upper_ = 100;
  int step_ = 10;
  BOOL cancelled_ = FALSE;
  BOOL ownerDisabled_ = FALSE;
  BOOL quitReceived_ = FALSE;
  HWND owner_ = nullptr;
};
