#include "BrowserWndProc.h"

#include <windowsx.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace preview {

namespace {

struct ScrollRecord {
  HWND window = nullptr;
  int range[2] = {0, 0};     // pixels the content exceeds the client area by; [SB_HORZ], [SB_VERT]
  int position[2] = {0, 0};
  int scale[2] = {0, 0};     // the largest thumb position
  int lineStep[2] = {kScrollLineStep, kScrollLineStep};
  int contentWidth = 0, contentHeight = 0;
  bool inResize = false;
  bool dragging = false;
  POINT dragFrom{};
};

// Scroll records of every window that uses the procedure; user-interface thread only.
std::vector<std::unique_ptr<ScrollRecord>>& Records() {
  static std::vector<std::unique_ptr<ScrollRecord>> records;
  return records;
}

ScrollRecord& RecordOf(HWND window) {
  for (auto& record : Records())
    if (record->window == window) return *record;
  Records().push_back(std::make_unique<ScrollRecord>());
  Records().back()->window = window;
  return *Records().back();
}

void SetThumb(HWND window, const ScrollRecord& r, int bar) {
  const int range = r.range[bar];
  int thumb = range > 0 ? static_cast<int>(static_cast<long long>(r.position[bar]) * r.scale[bar] / range) : 0;
  if (r.position[bar] > 0) ++thumb;
  ::SetScrollPos(window, bar, std::min(thumb, r.scale[bar]), TRUE);
}

// Moves the content by `shift` pixels (positive: towards the start) within 0..range.
void ScrollBy(HWND window, ScrollRecord& r, int bar, long long shift) {
  const long long position = r.position[bar] - shift;
  const int clamped = static_cast<int>(std::clamp<long long>(position, 0, r.range[bar]));
  const int moved = r.position[bar] - clamped;
  if (moved == 0) return;
  r.position[bar] = clamped;
  const int dx = bar == SB_HORZ ? moved : 0, dy = bar == SB_VERT ? moved : 0;
  ::SendMessageW(window, SHM_SCROLLED, static_cast<WPARAM>(dx), static_cast<LPARAM>(dy));
  ::ScrollWindowEx(window, dx, dy, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE | SW_SCROLLCHILDREN);
  SetThumb(window, r, bar);
}

void Resize(HWND window, ScrollRecord& r) {
  if (r.inResize) return;
  r.inResize = true;
  RECT client{};
  ::GetClientRect(window, &client);
  const LONG style = ::GetWindowLongW(window, GWL_STYLE);
  const int barWidth = ::GetSystemMetrics(SM_CXVSCROLL), barHeight = ::GetSystemMetrics(SM_CYHSCROLL);
  int width = client.right + ((style & WS_VSCROLL) ? barWidth : 0);
  int height = client.bottom + ((style & WS_HSCROLL) ? barHeight : 0);
  int ranges[2] = {0, 0};
  bool horizontalTaken = false, verticalTaken = false;
  for (int round = 0; round < 2; ++round) {
    ranges[SB_HORZ] = std::max(0, r.contentWidth - width);
    if (ranges[SB_HORZ] > 0 && !horizontalTaken) {
      height -= barHeight;
      horizontalTaken = true;
    }
    ranges[SB_VERT] = std::max(0, r.contentHeight - height);
    if (ranges[SB_VERT] > 0 && !verticalTaken) {
      width -= barWidth;
      verticalTaken = true;
    }
  }
  for (int bar : {SB_HORZ, SB_VERT}) {
    const bool had = r.range[bar] != 0;
    const int oldRange = r.range[bar];
    r.range[bar] = ranges[bar];
    if (r.position[bar] > ranges[bar]) {
      // The content scrolls back by what the position loses.
      const int shift = r.position[bar] - ranges[bar];
      r.range[bar] = oldRange;
      ScrollBy(window, r, bar, shift);
      r.range[bar] = ranges[bar];
    }
    if (had != (ranges[bar] != 0)) {
      ::SetScrollPos(window, bar, 0, TRUE);
      ::ShowScrollBar(window, bar, ranges[bar] != 0);
    }
    const int content = bar == SB_HORZ ? r.contentWidth : r.contentHeight;
    const int available = bar == SB_HORZ ? width : height;
    if (content > 0 && ranges[bar] > 0)
      r.scale[bar] = SetScrollPage(window, bar, static_cast<int>(static_cast<long long>(available) * 100 / content));
  }
  r.inResize = false;
}

void Scroll(HWND window, ScrollRecord& r, int bar, int code) {
  RECT client{};
  ::GetClientRect(window, &client);
  const int page = bar == SB_HORZ ? client.right : client.bottom;
  long long shift = 0;
  switch (code) {
    case SB_LINEUP: shift = r.lineStep[bar]; break;
    case SB_LINEDOWN: shift = -r.lineStep[bar]; break;
    case SB_PAGEUP: shift = page; break;
    case SB_PAGEDOWN: shift = -page; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
      SCROLLINFO info{sizeof(info), SIF_TRACKPOS};
      ::GetScrollInfo(window, bar, &info);
      if (r.scale[bar] > 0)
        shift = r.position[bar] - static_cast<long long>(info.nTrackPos) * r.range[bar] / r.scale[bar];
      break;
    }
    default: return;
  }
  ScrollBy(window, r, bar, shift);
}

}  // namespace

int SetScrollPage(HWND window, int bar, int percent) {
  const int page = std::clamp(percent, 1, 99);
  SCROLLINFO info{sizeof(info), SIF_PAGE | SIF_RANGE, 0, 100, static_cast<UINT>(page), 0, 0};
  ::SetScrollInfo(window, bar, &info, TRUE);
  return 100 - page;
}

LRESULT CALLBACK BrowserWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (window == nullptr && message == 0 && wParam == 0 && lParam == 0) {
    Records().clear();
    return 0;
  }
  if (message == WM_DESTROY) {
    auto& records = Records();
    records.erase(std::remove_if(records.begin(), records.end(), [window](const auto& r) { return r->window == window; }),
                  records.end());
    return 0;
  }
  ScrollRecord& r = RecordOf(window);
  switch (message) {
    case WM_SIZE: Resize(window, r); return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (lParam == 0 && LOWORD(wParam) != SB_ENDSCROLL)
        Scroll(window, r, message == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(wParam));
      return 0;
    case WM_MOUSEWHEEL: {
      const int code = GET_WHEEL_DELTA_WPARAM(wParam) < 0 ? SB_LINEDOWN : SB_LINEUP;
      for (int i = 0; i < 3; ++i) Scroll(window, r, SB_VERT, code);
      return 0;
    }
    case WM_LBUTTONDOWN:
      r.dragging = true;
      r.dragFrom = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      ::SetCapture(window);
      return 0;
    case WM_MOUSEMOVE:
      if (r.dragging) {
        const POINT now{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ScrollBy(window, r, SB_HORZ, now.x - r.dragFrom.x);
        ScrollBy(window, r, SB_VERT, now.y - r.dragFrom.y);
        r.dragFrom = now;
      }
      return 0;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      if (r.dragging) {
        r.dragging = false;
        if (message == WM_LBUTTONUP && ::GetCapture() == window) ::ReleaseCapture();
      }
      return 0;
    case SHM_SETCONTENTSIZE:
      r.contentWidth = static_cast<int>(wParam);
      r.contentHeight = static_cast<int>(lParam);
      Resize(window, r);
      return 0;
    case SHM_SETHPOS:
    case SHM_SETVPOS: {
      const int bar = message == SHM_SETHPOS ? SB_HORZ : SB_VERT;
      if (r.range[bar] > 0) ScrollBy(window, r, bar, static_cast<long long>(r.position[bar]) - static_cast<int>(lParam));
      return 0;
    }
    case SHM_GETHPOS:
    case SHM_GETVPOS: {
      const int position = r.position[message == SHM_GETHPOS ? SB_HORZ : SB_VERT];
      if (lParam != 0) *reinterpret_cast<int*>(lParam) = position;
      return position;
    }
    case SHM_GETHRANGE: return r.range[SB_HORZ];
    case SHM_GETVRANGE: return r.range[SB_VERT];
    default: return ::DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace preview
