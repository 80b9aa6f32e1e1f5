// The splash screen's user-interface thread: its bitmap, timing, owner and
// the texts and fonts it paints over the bitmap.
#pragma once

#include "CSplashWindow.h"
#include "Framework.h"

// Allows the splash; 1 from the start and never changed.
extern int SplashEnabled;

class CSplashThread : public CWinThread {
  DECLARE_DYNCREATE(CSplashThread)
 public:
  CSplashThread();
  ~CSplashThread() override;

  BOOL InitInstance() override;
  // Paints the bitmap and the seven text blocks.
  void Paint(CDC& dc);
  // The refresh timer's step: nothing to refresh.
  void Refresh() {}

  UINT BitmapId = 0;
  UINT DisplayMilliseconds = 2000;
  UINT RefreshMilliseconds = 0;
  CWnd* Owner = nullptr;
  CStringList Lines[5];
  CString VersionText = L"Version";
  CString SecondText;

  CBitmap Bitmap;
  int BitmapWidth = 0;
  int BitmapHeight = 0;
  DWORD StartTick = 0;

 private:
  CSplashWindow window_;
};
