#pragma once
// Progress of one panel, sent to the host only when the shown percent changes:
// loops over a million records would otherwise queue a million identical reports.

#include <cstdint>

#include "EngineContext.h"

namespace engine {

// done x 100 / total, at most 99; 0 when the total is not positive.
int PercentOf(uint64_t done, int64_t total);

class ProgressReporter {
 public:
  ProgressReporter(EngineContext& ctx, Panel panel) : ctx_(ctx), panel_(panel) {}
  // Shows `percent` (0..99) unless it is already shown.
  void Show(int percent);
  void Show(uint64_t done, int64_t total) { Show(PercentOf(done, total)); }
  // Shows it even when it is already shown (the first report of a step).
  void Reset(int percent = 0);

 private:
  EngineContext& ctx_;
  Panel panel_;
  int shown_ = -1;
};

}  // namespace engine
