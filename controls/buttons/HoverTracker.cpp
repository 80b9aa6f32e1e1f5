#include "HoverTracker.h"

#include "Framework.h"

void HoverTracker::ApplyOptions() const {
  if (!owner) return;
  if (options & kRepaint) InvalidateRect(owner, nullptr, FALSE);
  if (options & kFrameChange) {
    SetWindowPos(owner, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
  }
}

BOOL HoverTracker::OnMouseMove(HWND window) {
  if (!window) window = owner;
  if (!inside) {
    inside = 1;
    ApplyOptions();
    TRACKMOUSEEVENT request{sizeof(request), TME_LEAVE, window, 0};
    TrackMouseEvent(&request);
    tracked = window;
    return TRUE;
  }
  if (window != tracked) {
    TRACKMOUSEEVENT cancel{sizeof(cancel), TME_CANCEL | TME_LEAVE, tracked, 0};
    TrackMouseEvent(&cancel);
    TRACKMOUSEEVENT request{sizeof(request), TME_LEAVE, window, 0};
    TrackMouseEvent(&request);
    tracked = window;
  }
  return FALSE;
}

BOOL HoverTracker::OnMouseLeave(HWND window) {
  if (!window) window = owner;
  if (window != tracked) return FALSE;
  inside = 0;
  ApplyOptions();
  return TRUE;
}

BOOL IsInDockedControlBar(CWnd* window) {
  if (!window || !window->GetSafeHwnd()) return FALSE;
  CControlBar* bar = DYNAMIC_DOWNCAST(CControlBar, CWnd::FromHandlePermanent(::GetParent(window->GetSafeHwnd())));
  // The framework's bars dock straight into their frame: a bar with a dock
  // site is a docked one.
  return bar && bar->m_pDockSite ? TRUE : FALSE;
}
