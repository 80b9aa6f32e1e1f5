#include "PieGeometry.h"

#include <algorithm>
#include <cmath>

namespace charts {

int UsedPercent(uint64_t usedBytes, uint64_t totalBytes) {
  if (totalBytes == 0) return 0;
  if (usedBytes >= totalBytes) return 100;
  // 128 bits: used x 100 overflows 64 bits from 184 PB on.
  return static_cast<int>(static_cast<unsigned __int128>(usedBytes) * 100u / totalBytes);
}

uint64_t UsedBytes(uint64_t totalBytes, uint64_t freeBytes) {
  return freeBytes >= totalBytes ? 0 : totalBytes - freeBytes;
}

PiePoint PointOnEllipse(int percent, int rx, int ry, int cx, int cy) {
  const int p = std::clamp(percent, 0, 100);
  int t;
  if (p <= 25) t = 4 * p;
  else if (p <= 50) t = 4 * (50 - p);
  else if (p <= 75) t = 4 * (p - 50);
  else t = 4 * (100 - p);
  const int dx = static_cast<int>(static_cast<long long>(t) * rx / 100);
  int dy = ry;
  if (rx > 0) {
    const double rest = static_cast<double>(rx) * rx - static_cast<double>(dx) * dx;
    dy = static_cast<int>(std::sqrt(std::max(0.0, rest)) * ry / rx);
  }
  PiePoint point;
  point.x = p <= 50 ? cx - dx : cx + dx;
  point.y = (p > 25 && p <= 75) ? cy - dy : cy + dy;
  return point;
}

DiskPieLayout LayoutDiskPie(int clientWidth, int clientHeight, int percent) {
  DiskPieLayout layout;
  const int margin = 4;
  const int captionArea = 2 * kCaptionLineHeight + 4;
  layout.pie = {margin, margin, clientWidth - margin, clientHeight - captionArea - margin};
  const int w = layout.pie.Width(), h = layout.pie.Height();
  if (w < 24 || h < 30) return layout;
  layout.valid = true;

  const int band = layout.bandHeight;
  layout.rx = w / 2;
  layout.ry = static_cast<int>(h * 0.3);
  layout.cx = layout.pie.left + layout.rx;
  // The two faces and the band between them, centred in the pie's area.
  const int top = layout.pie.top + (h - 2 * layout.ry - band) / 2;
  layout.cy = top + band + layout.ry;
  const int cx = layout.cx, cy = layout.cy, rx = layout.rx, ry = layout.ry;
  layout.lowerFace = {cx - rx, cy - ry, cx + rx, cy + ry};
  layout.upperFace = {cx - rx, cy - band - ry, cx + rx, cy - band + ry};
  layout.leftBand = {cx - rx, cy - band, cx, cy};
  layout.rightBand = {cx, cy - band, cx + rx, cy};

  const int p = std::clamp(percent, 0, 100);
  layout.start = {cx, cy + ry};
  layout.cut = PointOnEllipse(p, rx, ry, cx, cy);
  layout.drawFreeSlice = p < 100;
  layout.leftBandUsed = p >= 25;
  layout.rightBandUsed = p >= 75;
  if (p <= 50) {
    const int width = p <= 4 ? 2 * p : band;
    layout.cutMarker = {layout.cut.x, layout.cut.y - band, layout.cut.x + width, layout.cut.y};
    layout.cutMarkerUsed = true;
  } else {
    const int width = p >= 96 ? 2 * (100 - p) : band;
    layout.cutMarker = {layout.cut.x - width, layout.cut.y - band, layout.cut.x, layout.cut.y};
    layout.cutMarkerUsed = false;
  }

  const int captionTop = clientHeight - captionArea;
  const int squareLeft = margin;
  const int usedY = captionTop + 2, freeY = captionTop + 2 + kCaptionLineHeight;
  layout.usedSquare = {squareLeft, usedY, squareLeft + 13, usedY + 13};
  layout.freeSquare = {squareLeft, freeY, squareLeft + 13, freeY + 13};
  layout.usedCaption = {squareLeft + 13 + 6, usedY - 1};
  layout.freeCaption = {squareLeft + 13 + 6, freeY - 1};
  return layout;
}

PiePoint PieChartEndPoint(int sumPercent) {
  const double pi = 3.1415926;
  const double theta = 2.0 * sumPercent * pi * 0.01 + pi;
  PiePoint point;
  point.x = static_cast<int>(1000.0 * std::sin(theta));
  point.y = static_cast<int>(3000.0 * std::cos(theta)) / 4;
  return point;
}

}  // namespace charts
