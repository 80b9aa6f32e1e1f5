#pragma once
// What the user is told when sectors of the source could not be read during a
// scan: how many, and how many of them lay in bad areas that were passed over.
// A scan notes the counts when it begins and reports what it added when it ends.

#include <cstdint>
#include <string>

#include "EngineContext.h"

namespace engine {

struct ReadErrorCounts {
  uint64_t Unreadable = 0;
  uint64_t Skipped = 0;
};

ReadErrorCounts CurrentReadErrors(const EngineContext& ctx);

// Empty when nothing was unreadable.
std::u16string UnreadableSectorsText(const ReadErrorCounts& counts);

// Shows UnreadableSectorsText of what was added since `atStart`, when anything was.
void ReportUnreadableSectorsSince(EngineContext& ctx, const ReadErrorCounts& atStart);

}  // namespace engine
