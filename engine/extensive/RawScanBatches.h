#pragma once
// The raw scans' read loop: every sector of the chosen range, in batches of
// RecoverySettings.SectorsPerRead (clamped to 1..100, the size of the one buffer).
// The last batch stops at the range's end. A batch of which no sector could be
// read is skipped (the reader zero-fills it; it holds nothing to find), so no
// sector is ever examined with another batch's bytes.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

#include "EngineContext.h"
#include "LeBytes.h"  // BytesAre and HasBootMark, which every raw scan tests sectors with

namespace engine {

inline constexpr uint32_t kMaxSectorsPerRead = 100;
// Progress is shown at every 88th batch only; it costs a report to the user interface.
inline constexpr uint32_t kBatchesPerProgressReport = 88;

uint32_t ClampedSectorsPerRead(int32_t sectorsPerRead);

struct RawBatch {
  uint64_t Offset = 0;       // of the first sector, from SourceSelection.StartSector
  uint64_t FirstSector = 0;  // absolute
  uint32_t SectorCount = 0;
  std::span<const uint8_t> Bytes;  // SectorCount x 512
};

// Calls `visit` for each batch until the range ends, the stop flag is set or
// `visit` gives false. Shows progress on the scan panel.
void ForEachRawBatch(EngineContext& ctx, const std::function<bool(const RawBatch&)>& visit);

// True when the worker is to leave a per-sector loop: a cheap test that does not
// wait at the pause gate (ForEachRawBatch waits there once per batch).
inline bool StopFlagSet(const EngineContext& ctx) { return ctx.ScanControl.StopOrDone.load() == 1; }

}  // namespace engine
