// Which edge of a rectangle a dragged pane docks at for a cursor position:
// inside a rectangle the edge nearest relative to its shape, around it the
// edge whose outer band (20 pixels) holds the point.
#pragma once

#include <optional>

#include "core/GradientGeometry.h"

namespace kit::docking {

constexpr int kSideLeft = 0;
constexpr int kSideRight = 1;
constexpr int kSideTop = 2;
constexpr int kSideBottom = 3;

constexpr int kDockDistance = 20;

// `inside`: the point must lie in `rect` and picks the nearest edge; when the
// pane cannot float, any point inside docks (no distance limit) and the
// horizontal distances are scaled by height / width, kept fractional so that
// small or flat rectangles do not all answer the left edge. Otherwise the
// point must lie in the band around `rect`. Nothing when no edge qualifies.
std::optional<int> DockSideNearPoint(const KitRect& rect, int x, int y, bool inside, bool canFloat);

}  // namespace kit::docking
