// The arithmetic of the disk-space pie and the pie chart, kept apart from GDI
// so that every size a drive can report (0 bytes to 2^64 - 1) can be checked
// without a display.
#pragma once

#include <cstdint>

#include "MarkupTypes.h"

namespace charts {

using PiePoint = markup::Point;
using PieRect = markup::Rect;

// Whether `inner` lies within `outer`, edges included.
inline bool Encloses(const PieRect& outer, const PieRect& inner) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

// Used space in whole percent (0 to 100, truncated). Used space above the total
// (a drive that reported nonsense) counts as full; an empty total as none.
int UsedPercent(uint64_t usedBytes, uint64_t totalBytes);

// Used space of a drive from its total and free bytes; free space above the
// total leaves nothing used rather than wrapping around.
uint64_t UsedBytes(uint64_t totalBytes, uint64_t freeBytes);

// The point at p percent (0 to 100) along the ellipse of semi-axes rx, ry around
// (cx, cy): from the lowest point through the leftmost, highest and rightmost.
PiePoint PointOnEllipse(int percent, int rx, int ry, int cx, int cy);

// Everything a disk-space pie paints, for a client rectangle of width x height.
// All of it lies inside the client rectangle.
struct DiskPieLayout {
  PieRect pie;            // the off-screen area of the pie
  int cx = 0, cy = 0;     // centre of the lower face
  int rx = 0, ry = 0;     // semi-axes
  int bandHeight = 10;    // the side band between the faces
  PieRect lowerFace, upperFace;
  PieRect leftBand, rightBand;
  PiePoint start;         // lowest point of the lower face
  PiePoint cut;           // where the free slice ends on the lower face
  PieRect cutMarker;
  bool cutMarkerUsed = true;  // in the used colour (else the free colour)
  bool leftBandUsed = false, rightBandUsed = false;
  bool drawFreeSlice = true;  // no free slice at 100 %
  PieRect usedSquare, freeSquare;  // colour squares of the two captions
  PiePoint usedCaption, freeCaption;
  bool valid = false;  // false when the client is too small to hold a pie
};

constexpr int kCaptionLineHeight = 18;

DiskPieLayout LayoutDiskPie(int clientWidth, int clientHeight, int percent);

// End point of a pie-chart slice whose running sum reaches `sumPercent`, taken on
// the 1000 x 750 direction ellipse around the origin (straight up at 0 %).
PiePoint PieChartEndPoint(int sumPercent);

}  // namespace charts
