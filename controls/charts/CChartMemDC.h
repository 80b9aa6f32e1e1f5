// The off-screen device context of one chart paint: it takes the target's
// mapping and copies itself back when it goes out of scope (straight into the
// target when printing).
#pragma once

#include "OffscreenDC.h"

class CChartMemDC : public OffscreenDC {
 public:
  CChartMemDC(CDC* target, const CRect& rect) : OffscreenDC(target, rect, true, false) {}
};
