#pragma once
// The scan panel's live counters, and the decimal numbers in the texts the scans show.

#include <cstdint>
#include <string>

#include "EngineContext.h"
#include "listing/ResultRows.h"  // DecimalText

namespace engine {

// The counters change only while the panel shows details ("Hide Progress" off).
inline void ShowScanCounter(EngineContext& ctx, ScanCounter counter, uint64_t value) {
  if (ctx.ScanControl.ShowDetails.load() == 1) ctx.Host->SetCounterText(counter, DecimalText(value));
}

}  // namespace engine
