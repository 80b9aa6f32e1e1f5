// The XP look's small drawing pieces: pen and brush selectors, the arrow
// glyph, and the drop-down, spin, ellipsis and cross button parts.
#pragma once

#include "Framework.h"

// Selects a solid pen of a colour and puts the previous pen back.
class CXPPenSelector {
 public:
  CXPPenSelector(CDC& dc, COLORREF colour);
  ~CXPPenSelector();
  void SetColor(COLORREF colour);

 private:
  CDC& dc_;
  CPen pen_;
  CPen* previous_;
};

// Selects a solid brush (or the stock NULL_BRUSH for 0xFFFFFFFF) and puts the
// previous brush back.
class CXPBrushSelector {
 public:
  CXPBrushSelector(CDC& dc, COLORREF colour);
  ~CXPBrushSelector();
  void SetColor(COLORREF colour);

 private:
  void Select(COLORREF colour);
  CDC& dc_;
  CBrush brush_;
  CGdiObject* previous_;
};

// A filled triangle of `rows` lines, x - i to x + i on line y + i (y - i when
// `downward`), with its apex at (x, y), in the current pen.
void DrawXPArrow(CDC& dc, int x, int y, int rows, bool downward);

class CXPButtonPart {
 public:
  enum State : DWORD {
    kUpArrow = 1,
    kDownArrow = 2,
    kSpin = 5,
    kEllipsis = 7,
    kCross = 8,
    kKindMask = 0x00FF,
    kDisabled = 0x0100,
    kStandAlone = 0x0200,
    kXpLook = 0x0800,
    kPressed = 0x1000,
    kPressedLower = 0x2000,
    kHot = 0x4000,
    kFramelessCold = 0x8000,
  };
  CXPButtonPart() = default;
  CXPButtonPart(DWORD state, const CRect& rect) : m_state(state), m_rect(rect) {}
  virtual ~CXPButtonPart() = default;
  virtual void Draw(CDC& dc, DWORD stateOverride = 0);

  DWORD m_state = 0;
  CRect m_rect;

 private:
  void DrawFace(CDC& dc, CXPPenSelector& pen, CXPBrushSelector& brush, const CRect& r, DWORD state) const;
};
