#include "CImageStatic.h"

#include "CTransparentStatic.h"
#include "GdiHandles.h"

IMPLEMENT_DYNAMIC(CImageStatic, CStatic)

BEGIN_MESSAGE_MAP(CImageStatic, CStatic)
  ON_WM_CTLCOLOR_REFLECT()
  ON_MESSAGE(WM_SETTEXT, OnSetText)
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

HBRUSH CImageStatic::CtlColor(CDC* dc, UINT) { return TransparentCtlColor(dc); }

LRESULT CImageStatic::OnSetText(WPARAM, LPARAM) {
  const LRESULT result = Default();
  RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  return result;
}

BOOL CImageStatic::OnEraseBkgnd(CDC* dc) {
  if (!snapshot_.GetSafeHandle()) {
    HWND parent = ::GetParent(m_hWnd);
    if (!parent) return TRUE;
    CRect area;
    GetWindowRect(&area);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
    HDC parentDc = ::GetWindowDC(parent);
    if (!parentDc) return TRUE;
    // The window DC counts from the parent's window corner, not its client's.
    CRect window, client;
    ::GetWindowRect(parent, &window);
    POINT origin{0, 0};
    ::ClientToScreen(parent, &origin);
    const int dx = origin.x - window.left, dy = origin.y - window.top;
    snapshot_.Attach(::CreateCompatibleBitmap(parentDc, area.Width(), area.Height()));
    MemoryDc memory(parentDc);
    if (snapshot_.GetSafeHandle() && memory) {
      SelectionGuard into(memory.Get(), snapshot_.GetSafeHandle());
      ::BitBlt(memory.Get(), 0, 0, area.Width(), area.Height(), parentDc, area.left + dx, area.top + dy, SRCCOPY);
    }
    ::ReleaseDC(parent, parentDc);
    return TRUE;
  }
  CRect client;
  GetClientRect(&client);
  MemoryDc memory(dc->GetSafeHdc());
  if (memory) {
    SelectionGuard from(memory.Get(), snapshot_.GetSafeHandle());
    ::BitBlt(dc->GetSafeHdc(), 0, 0, client.Width(), client.Height(), memory.Get(), 0, 0, SRCCOPY);
  }
  return TRUE;
}
