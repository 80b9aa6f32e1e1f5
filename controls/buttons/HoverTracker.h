// Follows the mouse entering and leaving a control and its child window (the
// flat combo box and its edit), with one leave request alive at a time.
#pragma once

#include <windows.h>

struct HoverTracker {
  enum Options : BYTE { kRepaint = 0x01, kFrameChange = 0x02 };

  HWND owner = nullptr;
  HWND tracked = nullptr;
  BYTE options = kRepaint;
  BYTE inside = 0;

  // TRUE only when the mouse has just entered; NULL means the owner.
  BOOL OnMouseMove(HWND window);
  // TRUE only when this ended the inside state (the mouse left the control,
  // not merely moved between the control and its child).
  BOOL OnMouseLeave(HWND window);
  BOOL IsHot() const { return inside != 0; }

 private:
  void ApplyOptions() const;
};

class CWnd;
// Whether the window's parent is a control bar docked in a dock bar.
BOOL IsInDockedControlBar(CWnd* window);
