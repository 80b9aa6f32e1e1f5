// The runs of a skin bitmap from which its window region is built: one
// rectangle (one row high) per run of pixels of the collected kind.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "ColorMath.h"

namespace regions {

struct RunRect {
  int left = 0, top = 0, right = 0, bottom = 0;
};

// Pixels are 32-bit, blue in the lowest byte, then green and red; rows top
// first, `stride` bytes apart (negative for a bottom-up bitmap). With `collectMatching` the runs of the
// transparent colour are collected, else the runs of every other colour.
// `flush` receives the rectangles in batches of at most `batchSize`.
void CollectRuns(const uint8_t* pixels, int width, int height, ptrdiff_t stride, colors::Colour transparent,
                 bool collectMatching, size_t batchSize, const std::function<void(const std::vector<RunRect>&)>& flush);

constexpr size_t kRegionBatch = 3000;

}  // namespace regions
