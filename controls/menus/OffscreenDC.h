// A device context for one rectangle that paints into a bitmap and copies it
// to the target in one step when it goes out of scope (straight into the
// target when printing).
#pragma once

#include "Framework.h"

class OffscreenDC : public CDC {
 public:
  // `deviceSized`: the bitmap takes the rectangle's size in device units and
  // the target's mapping mode; `prefill`: the rectangle starts in the target's
  // background colour.
  OffscreenDC(CDC* target, const CRect& rect, bool deviceSized = false, bool prefill = false);
  ~OffscreenDC() override;
  OffscreenDC(const OffscreenDC&) = delete;
  OffscreenDC& operator=(const OffscreenDC&) = delete;

  bool IsOffscreen() const { return offscreen_; }

 private:
  CBitmap bitmap_;
  HGDIOBJ previousBitmap_ = nullptr;
  CDC* target_;
  CRect rect_;
  bool offscreen_ = false;
};
