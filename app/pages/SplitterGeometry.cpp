#include "SplitterGeometry.h"

namespace pages {

SideBySideGeometry SideBySideAt(const PaneRect& client, int x, int barWidth) {
  SideBySideGeometry g;
  g.Bar = {x - barWidth, client.Top, x + barWidth, client.Bottom};
  g.First = {client.Left, client.Top, x - barWidth / 2, client.Bottom};
  g.Second = {g.First.Right + barWidth, client.Top, client.Right, client.Bottom};
  return g;
}

StackedGeometry StackedAt(const PaneRect& client, int y, int barWidth) {
  StackedGeometry g;
  g.Bar = {0, y - barWidth, client.Right, y + barWidth};
  g.Bottom = {client.Left, y + barWidth / 2, client.Right, client.Bottom};
  g.Top = {client.Left, client.Top, client.Right, g.Bottom.Top - barWidth};
  return g;
}

int ClampSplit(int point, int low, int high, int minFirst, int minSecond) {
  if (point > high - minSecond) point = high - minSecond;
  if (point < low + minFirst) point = low + minFirst;
  return point;
}

}  // namespace pages
