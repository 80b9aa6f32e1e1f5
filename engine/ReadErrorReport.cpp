#include "ReadErrorReport.h"

#include "listing/ResultRows.h"

namespace engine {

ReadErrorCounts BeginReadErrorCount(EngineContext& ctx) {
  ctx.ReadStats.UnreadableSet.Clear();
  ctx.ReadStats.SkippedSet.Clear();
  return {};
}

ReadErrorCounts CurrentReadErrors(const EngineContext& ctx) {
  return {ctx.ReadStats.UnreadableSet.Count(), ctx.ReadStats.SkippedSet.Count()};
}

std::u16string SectorCountText(uint64_t count) {
  return DecimalText(count) + (count == 1 ? u" sector" : u" sectors");
}

std::u16string UnreadableSectorsText(const ReadErrorCounts& counts) {
  if (counts.Unreadable == 0) return {};
  const bool one = counts.Unreadable == 1;
  std::u16string text = SectorCountText(counts.Unreadable) +
                        (one ? u" of the drive could not be read and was taken as empty. "
                             : u" of the drive could not be read and were taken as empty. ") +
                        u"Files and folders stored there may be missing from the list or incomplete.";
  if (counts.Skipped > 0) {
    text += u" " + SectorCountText(counts.Skipped) + (counts.Skipped == 1 ? u" of them lies" : u" of them lie");
    text += u" in damaged areas that were passed over without trying each sector.";
  }
  return text;
}

void ReportUnreadableSectorsSince(EngineContext& ctx, const ReadErrorCounts& atStart) {
  const ReadErrorCounts now = CurrentReadErrors(ctx);
  const ReadErrorCounts added{now.Unreadable - atStart.Unreadable, now.Skipped - atStart.Skipped};
  if (added.Unreadable == 0) return;
  ReportMessage(ctx, UnreadableSectorsText(added), kMessageInformation);
}

}  // namespace engine
