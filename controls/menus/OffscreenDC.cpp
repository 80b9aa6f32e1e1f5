#include "OffscreenDC.h"

#include <algorithm>

namespace {

bool IsPrinterDc(CDC* dc) { return ::GetDeviceCaps(dc->m_hDC, TECHNOLOGY) == DT_RASPRINTER; }

}  // namespace

OffscreenDC::OffscreenDC(CDC* target, const CRect& rect, bool deviceSized, bool prefill)
    : target_(target), rect_(rect) {
  if (!IsPrinterDc(target_) && CreateCompatibleDC(target_)) {
    CRect device = rect_;
    if (deviceSized) target_->LPtoDP(&device);
    if (bitmap_.CreateCompatibleBitmap(target_, std::max(1L, device.right - device.left),
                                       std::max(1L, device.bottom - device.top))) {
      previousBitmap_ = SelectObject(bitmap_.GetSafeHandle());
      if (deviceSized) {
        SetMapMode(target_->GetMapMode());
        SIZE extent{};
        ::GetWindowExtEx(target_->m_hDC, &extent);
        SetWindowExt(extent.cx, extent.cy);
        ::GetViewportExtEx(target_->m_hDC, &extent);
        SetViewportExt(extent.cx, extent.cy);
      }
      SetWindowOrg(rect_.left, rect_.top);
      offscreen_ = true;
    } else {
      DeleteDC();
    }
  }
  if (!offscreen_) {
    // Printing, or no memory for the bitmap: draw straight into the target.
    m_hDC = target_->m_hDC;
    m_hAttribDC = target_->m_hAttribDC;
  }
  if (prefill) FillSolidRect(&rect_, target_->GetBkColor());
}

OffscreenDC::~OffscreenDC() {
  if (offscreen_) {
    target_->BitBlt(rect_.left, rect_.top, rect_.Width(), rect_.Height(), this, rect_.left, rect_.top, SRCCOPY);
    SelectObject(previousBitmap_);
  } else {
    m_hDC = m_hAttribDC = nullptr;
  }
}
