#include "RegionRuns.h"

namespace regions {

void CollectRuns(const uint8_t* pixels, int width, int height, ptrdiff_t stride, colors::Colour transparent,
                 bool collectMatching, size_t batchSize, const std::function<void(const std::vector<RunRect>&)>& flush) {
  const colors::ColourTolerance tolerance(transparent);
  std::vector<RunRect> batch;
  batch.reserve(batchSize < 100 ? batchSize : 100);
  auto collected = [&](const uint8_t* row, int x) {
    const uint8_t* p = row + static_cast<size_t>(x) * 4;
    return tolerance.Matches(p[2], p[1], p[0]) == collectMatching;
  };
  for (int y = 0; y < height; ++y) {
    const uint8_t* row = pixels + static_cast<ptrdiff_t>(y) * stride;
    int x = 0;
    while (x < width) {
      const int start = x;
      while (x < width && collected(row, x)) ++x;
      if (x > start) {
        batch.push_back({start, y, x, y + 1});
        if (batch.size() >= batchSize) {
          flush(batch);
          batch.clear();
        }
      }
      ++x;  // the pixel after a run is of the other kind
    }
  }
  flush(batch);  // the rest, possibly none
}

}  // namespace regions
