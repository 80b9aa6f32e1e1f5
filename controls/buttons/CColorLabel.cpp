#include "CColorLabel.h"

IMPLEMENT_DYNAMIC(CColorLabel, CStatic)

BEGIN_MESSAGE_MAP(CColorLabel, CStatic)
  ON_WM_CTLCOLOR_REFLECT()
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CColorLabel::CColorLabel() : textColor_(GetSysColor(COLOR_BTNTEXT)), backgroundColor_(GetSysColor(COLOR_BTNFACE)) {
  backgroundBrush_.CreateSolidBrush(backgroundColor_);
  hollowBrush_.CreateStockObject(HOLLOW_BRUSH);
}

void CColorLabel::SetColors(COLORREF text, COLORREF background) {
  textColor_ = text;
  backgroundColor_ = background;
  backgroundBrush_.DeleteObject();
  backgroundBrush_.CreateSolidBrush(background);
  if (m_hWnd) Invalidate(TRUE);
}

void CColorLabel::SetTransparent(BOOL transparent) {
  transparent_ = transparent ? 1 : 0;
  if (m_hWnd) Invalidate(TRUE);
}

HBRUSH CColorLabel::CtlColor(CDC* dc, UINT) {
  if (transparent_) {
    dc->SetBkMode(TRANSPARENT);
  } else {
    dc->SetBkMode(OPAQUE);
    dc->SetBkColor(backgroundColor_);
  }
  dc->SetTextColor(textColor_);
  return static_cast<HBRUSH>(transparent_ ? hollowBrush_.GetSafeHandle() : backgroundBrush_.GetSafeHandle());
}

BOOL CColorLabel::OnEraseBkgnd(CDC* dc) {
  if (transparent_) dc->SetBkMode(TRANSPARENT);
  else dc->SetBkColor(backgroundColor_);
  return static_cast<BOOL>(Default());
}
