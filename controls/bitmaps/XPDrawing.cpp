#include "XPDrawing.h"

#include "ColorMath.h"

CXPPenSelector::CXPPenSelector(CDC& dc, COLORREF colour) : dc_(dc) {
  pen_.CreatePen(PS_SOLID, 1, colour);
  previous_ = dc_.SelectObject(&pen_);
}

CXPPenSelector::~CXPPenSelector() { dc_.SelectObject(previous_); }

void CXPPenSelector::SetColor(COLORREF colour) {
  dc_.SelectObject(previous_);
  pen_.DeleteObject();
  pen_.CreatePen(PS_SOLID, 1, colour);
  dc_.SelectObject(&pen_);
}

CXPBrushSelector::CXPBrushSelector(CDC& dc, COLORREF colour) : dc_(dc) {
  previous_ = CGdiObject::FromHandle(::GetCurrentObject(dc.m_hDC, OBJ_BRUSH));
  Select(colour);
}

CXPBrushSelector::~CXPBrushSelector() { dc_.SelectObject(previous_); }

void CXPBrushSelector::Select(COLORREF colour) {
  if (colour == 0xFFFFFFFF) {
    dc_.SelectStockObject(NULL_BRUSH);
    return;
  }
  brush_.CreateSolidBrush(colour);
  dc_.SelectObject(&brush_);
}

void CXPBrushSelector::SetColor(COLORREF colour) {
  dc_.SelectObject(previous_);
  brush_.DeleteObject();
  Select(colour);
}

void DrawXPArrow(CDC& dc, int x, int y, int rows, bool downward) {
  for (int i = 0; i < rows; ++i) {
    const int row = downward ? y - i : y + i;
    dc.MoveTo(x - i, row);
    dc.LineTo(x + i + 1, row);
  }
}

void CXPButtonPart::DrawFace(CDC& dc, CXPPenSelector& pen, CXPBrushSelector& brush, const CRect& r,
                             DWORD state) const {
  const COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT);
  if (state & kXpLook) {
    if (!(state & kDisabled) && (state & kHot)) {
      pen.SetColor(highlight);
      brush.SetColor((state & (kPressed | kPressedLower)) ? colors::AdjustColorHLS(highlight, 50, -50)
                                                          : colors::AdjustColorHLS(highlight, 70, -57));
      dc.Rectangle(&r);
    } else if (!(state & kFramelessCold)) {
      pen.SetColor(::GetSysColor((m_state & kStandAlone) ? COLOR_BTNSHADOW : COLOR_WINDOW));
      brush.SetColor(::GetSysColor(COLOR_BTNFACE));
      dc.Rectangle(&r);
    }
  } else {
    CRect face = r;
    dc.DrawFrameControl(&face, DFC_BUTTON, DFCS_BUTTONPUSH | ((state & (kPressed | kPressedLower)) ? DFCS_PUSHED : 0));
  }
}

void CXPButtonPart::Draw(CDC& dc, DWORD stateOverride) {
  const DWORD state = stateOverride ? stateOverride : m_state;
  const bool xp = (state & kXpLook) != 0, pressed = (state & (kPressed | kPressedLower)) != 0;
  const bool pushed = pressed && !xp;
  const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
  CXPPenSelector pen(dc, face);
  CXPBrushSelector brush(dc, face);
  CRect r = m_rect;
  if ((m_state & kStandAlone) && !xp) {
    dc.MoveTo(r.right - 1, r.top);
    dc.LineTo(r.left, r.top);
    dc.LineTo(r.left, r.bottom);
    dc.SetPixel(r.right - 1, r.top, ::GetSysColor(COLOR_3DDKSHADOW));
    r.left += 1;
    r.top += 1;
  }
  const COLORREF hotFill = colors::AdjustColorHLS(::GetSysColor(COLOR_HIGHLIGHT), 70, -57);
  const DWORD kind = state & kKindMask;
  auto glyphColour = [&](int probeX, int probeY) -> COLORREF {
    if (!xp) return ::GetSysColor((state & kDisabled) ? COLOR_GRAYTEXT : COLOR_BTNTEXT);
    if (pressed) return 0xF0F0F0;
    if (state & kDisabled) return ::GetSysColor(COLOR_GRAYTEXT);
    return dc.GetPixel(probeX, probeY) == hotFill ? 0 : ::GetSysColor(COLOR_BTNTEXT);
  };
  if (kind == kSpin) {
    const int mid = (r.top + r.bottom) / 2;
    if (!(state & kPressedLower)) {
      if (xp) DrawFace(dc, pen, brush, CRect(r.left, r.top, r.right, mid + 1), state & ~kPressedLower);
      else dc.DrawFrameControl(CRect(r.left, r.top, r.right, mid), DFC_BUTTON,
                               DFCS_BUTTONPUSH | ((state & kPressed) ? DFCS_PUSHED : 0));
    }
    if (!xp && !pressed) {
      pen.SetColor(face);
      dc.MoveTo(r.left, mid);
      dc.LineTo(r.right, mid);
    }
    if (!(state & kPressed)) {
      if (xp) DrawFace(dc, pen, brush, CRect(r.left, mid, r.right, r.bottom), state & ~kPressed);
      else dc.DrawFrameControl(CRect(r.left, mid + (r.bottom - r.top) % 2, r.right, r.bottom), DFC_BUTTON,
                               DFCS_BUTTONPUSH | ((state & kPressedLower) ? DFCS_PUSHED : 0));
    }
    pen.SetColor(glyphColour(r.left + 1, r.top + 1));
    if (!(state & kPressedLower)) {
      DrawXPArrow(dc, (r.left + r.right) / 2 + (((state & kPressed) && !xp) ? 1 : 0),
                  (3 * r.top + r.bottom) / 4 - 2 + (((state & kPressed) || xp) ? 1 : 0), 3, false);
    }
    if (!(state & kPressed)) {
      DrawXPArrow(dc, (r.left + r.right) / 2 + (((state & kPressedLower) && !xp) ? 1 : 0),
                  (r.top + 3 * r.bottom) / 4 + 1 + (((state & kPressedLower) && !xp) ? 1 : 0), 3, true);
    }
    return;
  }
  DrawFace(dc, pen, brush, r, state);
  switch (kind) {
    case kUpArrow:
    case kDownArrow: {
      pen.SetColor(glyphColour(r.left + 1, r.top + 1));
      const int x = (r.left + r.right) / 2 + (pushed ? 1 : 0);
      const int y = (r.top + r.bottom) / 2 + ((pressed || xp) ? 2 : 1) - (kind == kUpArrow ? 3 : 0);
      DrawXPArrow(dc, x, y, 4, kind == kDownArrow);
      break;
    }
    case kEllipsis: {
      const COLORREF old = dc.SetTextColor(glyphColour(r.left + 1, r.top + 1));
      const int oldMode = dc.SetBkMode(TRANSPARENT);
      CRect text(r.left + ((pressed || xp) ? 2 : 1), r.top, r.right, r.bottom + (pushed ? 1 : 0));
      dc.DrawText(L"...", 3, &text, DT_SINGLELINE | DT_BOTTOM);
      dc.SetBkMode(oldMode);
      dc.SetTextColor(old);
      break;
    }
    case kCross: {
      int x1 = (2 * r.left + r.right) / 3 - 1, x2 = (r.left + 2 * r.right) / 3;
      int y1 = (2 * r.top + r.bottom) / 3 - 1, y2 = (r.top + 2 * r.bottom) / 3 - 1;
      if (xp) ++x2, ++y2;
      if (pushed) ++x1, ++x2, ++y1, ++y2;
      pen.SetColor(glyphColour(x1, y1 + 1));
      dc.MoveTo(x1, y1), dc.LineTo(x2, y2 + 1);
      dc.MoveTo(x1 + 1, y1), dc.LineTo(x2 + 1, y2 + 1);
      dc.MoveTo(x2 - 1, y1), dc.LineTo(x1 - 1, y2 + 1);
      dc.MoveTo(x2, y1), dc.LineTo(x1, y2 + 1);
      break;
    }
    default:
      break;
  }
}
