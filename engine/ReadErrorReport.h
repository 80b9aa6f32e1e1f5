#pragma once
// What the user is told when sectors of the source could not be read during a
// scan or a save: how many sectors (each counted once, however often it was
// read), and how many of them lay in bad areas that were passed over. A scan
// begins the count when it starts and reports what it found when it ends.

#include <cstdint>
#include <string>

#include "EngineContext.h"

namespace engine {

struct ReadErrorCounts {
  uint64_t Unreadable = 0;
  uint64_t Skipped = 0;
};

// Forgets the sectors counted so far: the scan or save that starts counts its own.
ReadErrorCounts BeginReadErrorCount(EngineContext& ctx);

// The distinct sectors found unreadable since the count began.
ReadErrorCounts CurrentReadErrors(const EngineContext& ctx);

// "N sector(s)" with the noun in the number the count asks for.
std::u16string SectorCountText(uint64_t count);

// Empty when nothing was unreadable.
std::u16string UnreadableSectorsText(const ReadErrorCounts& counts);

// Shows UnreadableSectorsText of what was added since `atStart`, when anything was.
void ReportUnreadableSectorsSince(EngineContext& ctx, const ReadErrorCounts& atStart);

}  // namespace engine
