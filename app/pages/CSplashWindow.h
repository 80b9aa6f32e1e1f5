// The splash screen: a window of its own thread that shows a bitmap with
// lines of text for a while and then ends the thread. Nothing in the program
// starts it; with its default settings (no bitmap) it ends at once.
#pragma once

#include "Framework.h"

class CSplashThread;

class CSplashWindow : public CWnd {
 public:
  static constexpr UINT_PTR kCloseTimer = 999;
  static constexpr UINT_PTR kRefreshTimer = 1;

  explicit CSplashWindow(CSplashThread* thread = nullptr) : thread_(thread) {}
  void SetThread(CSplashThread* thread) { thread_ = thread; }

  // Without the thread's bitmap nothing is created.
  BOOL Create();

 protected:
  void PostNcDestroy() override;
  afx_msg int OnCreate(LPCREATESTRUCT cs);
  afx_msg void OnTimer(UINT_PTR id);
  afx_msg void OnPaint();
  DECLARE_MESSAGE_MAP()

 private:
  CSplashThread* thread_;
};
