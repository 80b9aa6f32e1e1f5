// Geometry, colours and limits shared by the portable markup layout and its canvases.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

namespace markup {

// Colours use the COLORREF layout 0x00BBGGRR so the Windows side passes them through.
using Color = uint32_t;

constexpr Color Rgb(int red, int green, int blue) {
  return static_cast<Color>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
constexpr int RedOf(Color c) { return c & 0xFF; }
constexpr int GreenOf(Color c) { return (c >> 8) & 0xFF; }
constexpr int BlueOf(Color c) { return (c >> 16) & 0xFF; }

struct Point {
  int x = 0;
  int y = 0;
};

struct Size {
  int cx = 0;
  int cy = 0;
  bool operator==(const Size&) const = default;
};

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  // Edges included: a point on the right or bottom edge of a link still hits it.
  bool ContainsInclusive(Point p) const { return left <= p.x && p.x <= right && top <= p.y && p.y <= bottom; }
  bool operator==(const Rect&) const = default;
};

// Bounds on everything that markup can ask for, so that no input overflows the
// layout arithmetic or asks for unbounded memory.
namespace limits {
constexpr int kMaxCoordinate = 1 << 22;  // saturation bound of x and y while laying out
constexpr int kMaxBoxSize = 32767;       // widths, heights and sizes read from markup
constexpr int kMaxFontSize = 1000;
constexpr int kMaxBorderWidth = 64;
constexpr int kMaxCellPadding = 1024;
constexpr int kMaxRepeat = 64;  // counts of "br" and "t"
constexpr int kMaxSpan = 128;
constexpr int kMaxTableColumns = 128;
constexpr int kMaxTableRows = 2048;
constexpr int kMaxTableNesting = 8;
constexpr int kMaxStyleDepth = 256;
}  // namespace limits

inline int Clamp(long long value, int low, int high) {
  return static_cast<int>(std::clamp<long long>(value, low, high));
}

// x + delta, held inside the layout's coordinate bounds.
inline int SaturatingAdd(int x, long long delta) {
  return Clamp(static_cast<long long>(x) + delta, -limits::kMaxCoordinate, limits::kMaxCoordinate);
}

// The Win32 MulDiv: a × b / c rounded half away from zero, -1 for c = 0 or overflow.
inline int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  long long numerator = static_cast<long long>(a) * b;
  long long divisor = c;
  if (divisor < 0) {
    numerator = -numerator;
    divisor = -divisor;
  }
  long long result = numerator >= 0 ? (numerator + divisor / 2) / divisor : (numerator - divisor / 2) / divisor;
  if (result > 2147483647LL || result < -2147483647LL) return -1;
  return static_cast<int>(result);
}

}  // namespace markup
