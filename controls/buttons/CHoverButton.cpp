#include "CHoverButton.h"

int HoveredModeButtonId = 0;

IMPLEMENT_DYNAMIC(CHoverButton, CSkinBitmapButton)

BEGIN_MESSAGE_MAP(CHoverButton, CSkinBitmapButton)
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

namespace {

// The program's hand cursors (264 pointing, 265 finger bent); the system's
// hand where the resource is missing. Shared cursors: never destroyed.
HCURSOR LoadHandCursor(UINT id) {
  HCURSOR cursor = LoadCursorW(AfxGetResourceHandle(), MAKEINTRESOURCEW(id));
  return cursor ? cursor : LoadCursorW(nullptr, IDC_HAND);
}

}  // namespace

CHoverButton::CHoverButton() : hoverCursor_(LoadHandCursor(264)), pressedCursor_(LoadHandCursor(265)) {}

void CHoverButton::OnHoverChanged() {
  if (hover_) {
    SetCursor(hoverCursor_);
    HoveredModeButtonId = m_nButtonNumber;
  } else {
    HoveredModeButtonId = 0;
  }
  if (m_pNotifyWnd && m_pNotifyWnd->GetSafeHwnd()) m_pNotifyWnd->Invalidate(TRUE);
  Invalidate(FALSE);
}

void CHoverButton::OnMouseMove(UINT flags, CPoint point) {
  CSkinBitmapButton::OnMouseMove(flags, point);
  SetCursor(hoverCursor_);
}

void CHoverButton::OnLButtonDown(UINT, CPoint) {
  SetCursor(pressedCursor_);
  Default();
}
