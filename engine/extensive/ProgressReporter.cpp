#include "extensive/ProgressReporter.h"

#include <algorithm>

namespace engine {

int PercentOf(uint64_t done, int64_t total) {
  if (total <= 0) return 0;
  const uint64_t percent = done * 100 / static_cast<uint64_t>(total);
  return static_cast<int>(std::min<uint64_t>(percent, 99));
}

void ProgressReporter::Show(int percent) {
  if (percent == shown_) return;
  shown_ = percent;
  ctx_.Host->SetProgressPos(panel_, percent);
}

void ProgressReporter::Reset(int percent) {
  shown_ = percent;
  ctx_.Host->SetProgressPos(panel_, percent);
}

}  // namespace engine
