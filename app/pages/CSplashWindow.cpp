#include "CSplashWindow.h"

#include "CSplashThread.h"

BEGIN_MESSAGE_MAP(CSplashWindow, CWnd)
  ON_WM_CREATE()
  ON_WM_TIMER()
  ON_WM_PAINT()
END_MESSAGE_MAP()

BOOL CSplashWindow::Create() {
  if (!thread_ || !thread_->BitmapId) return FALSE;
  thread_->Bitmap.DeleteObject();
  if (!thread_->Bitmap.LoadBitmap(thread_->BitmapId)) return FALSE;
  BITMAP info{};
  thread_->Bitmap.GetBitmap(&info);
  const CString windowClass = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW), nullptr, nullptr);
  return CreateEx(0, windowClass, L"", WS_POPUP | WS_VISIBLE, 0, 0, info.bmWidth, info.bmHeight,
                  thread_->Owner ? thread_->Owner->GetSafeHwnd() : nullptr, nullptr);
}

int CSplashWindow::OnCreate(LPCREATESTRUCT cs) {
  if (CWnd::OnCreate(cs) == -1) return -1;
  CenterWindow();
  ::SetWindowPos(GetSafeHwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  if (thread_->DisplayMilliseconds) SetTimer(kCloseTimer, thread_->DisplayMilliseconds, nullptr);
  if (thread_->RefreshMilliseconds) SetTimer(kRefreshTimer, thread_->RefreshMilliseconds, nullptr);
  BITMAP info{};
  thread_->Bitmap.GetBitmap(&info);
  thread_->BitmapWidth = info.bmWidth;
  thread_->BitmapHeight = info.bmHeight;
  return 0;
}

void CSplashWindow::OnTimer(UINT_PTR id) {
  if (id == kCloseTimer) {
    DestroyWindow();
  } else if (id == kRefreshTimer && thread_) {
    thread_->Refresh();
  }
}

void CSplashWindow::OnPaint() {
  CPaintDC dc(this);
  if (thread_) thread_->Paint(dc);
}

// The splash's thread ends with its window.
void CSplashWindow::PostNcDestroy() { ::PostQuitMessage(0); }
