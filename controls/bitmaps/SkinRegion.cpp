#include "SkinRegion.h"

#include <algorithm>
#include <vector>

#include "GdiHandles.h"
#include "RegionRuns.h"

namespace {

// Unites batches of run rectangles into one region; one ExtCreateRegion call
// never receives more than one batch.
class RegionAccumulator {
 public:
  void Add(const std::vector<regions::RunRect>& rects) {
    if (rects.empty() || failed_) return;
    std::vector<BYTE> block(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
    auto* data = reinterpret_cast<RGNDATA*>(block.data());
    data->rdh.dwSize = sizeof(RGNDATAHEADER);
    data->rdh.iType = RDH_RECTANGLES;
    data->rdh.nCount = static_cast<DWORD>(rects.size());
    RECT bound{0x7FFFFFFF, 0x7FFFFFFF, 0, 0};
    auto* out = reinterpret_cast<RECT*>(data->Buffer);
    for (size_t i = 0; i < rects.size(); ++i) {
      out[i] = {rects[i].left, rects[i].top, rects[i].right, rects[i].bottom};
      bound.left = std::min(bound.left, out[i].left);
      bound.top = std::min(bound.top, out[i].top);
      bound.right = std::max(bound.right, out[i].right);
      bound.bottom = std::max(bound.bottom, out[i].bottom);
    }
    data->rdh.rcBound = bound;
    GdiObject<HRGN> batch(ExtCreateRegion(nullptr, static_cast<DWORD>(block.size()), data));
    if (!batch) {
      failed_ = true;
    } else if (!result_) {
      result_ = std::move(batch);
    } else {
      CombineRgn(result_.Get(), result_.Get(), batch.Get(), RGN_OR);
    }
  }
  bool Failed() const { return failed_; }
  GdiObject<HRGN> Take() {
    if (!result_) result_.Reset(CreateRectRgn(0, 0, 0, 0));
    return std::move(result_);
  }

 private:
  GdiObject<HRGN> result_;
  bool failed_ = false;
};

}  // namespace

HRGN CreateRegionFromBitmap(HBITMAP bitmap, COLORREF transparent, int mode) {
  if (!bitmap) return nullptr;
  BITMAP info{};
  if (!GetObjectW(bitmap, sizeof(info), &info) || info.bmWidth <= 0 || info.bmHeight <= 0) return nullptr;
  const int width = info.bmWidth, height = info.bmHeight;

  // A 32-bit copy, so that blue is the lowest byte of a pixel whatever the
  // source's format. The copy is bottom-up: its top row is stored last.
  Dib32 copy = CreateDib32(width, height);
  ScreenDc screen;
  MemoryDc target(screen.Get()), source(screen.Get());
  if (!copy.bitmap || !target || !source) return nullptr;
  {
    SelectionGuard intoTarget(target.Get(), copy.bitmap.Get());
    SelectionGuard fromSource(source.Get(), bitmap);
    BitBlt(target.Get(), 0, 0, width, height, source.Get(), 0, 0, SRCCOPY);
  }
  GdiFlush();

  RegionAccumulator accumulator;
  const ptrdiff_t stride = static_cast<ptrdiff_t>(width) * 4;
  const auto* topRow = reinterpret_cast<const uint8_t*>(copy.bits) + stride * (height - 1);
  regions::CollectRuns(topRow, width, height, -stride, transparent, mode == 0, regions::kRegionBatch,
                       [&](const std::vector<regions::RunRect>& batch) { accumulator.Add(batch); });
  if (accumulator.Failed()) return nullptr;
  GdiObject<HRGN> result = accumulator.Take();
  if (mode == 0 && result) {
    GdiObject<HRGN> whole(CreateRectRgn(0, 0, width, height));
    if (!whole) return nullptr;
    CombineRgn(result.Get(), result.Get(), whole.Get(), RGN_XOR);
  }
  return result.Release();
}
