#include "ReadErrorReport.h"

#include "listing/ResultRows.h"

namespace engine {
namespace {

std::u16string Sectors(uint64_t count) { return DecimalText(count) + (count == 1 ? u" sector" : u" sectors"); }

}  // namespace

ReadErrorCounts CurrentReadErrors(const EngineContext& ctx) {
  return {ctx.ReadStats.UnreadableSectors.load(), ctx.ReadStats.SkippedSectors.load()};
}

std::u16string UnreadableSectorsText(const ReadErrorCounts& counts) {
  if (counts.Unreadable == 0) return {};
  std::u16string text = Sectors(counts.Unreadable) +
                        u" of the drive could not be read and were taken as empty. Files and folders stored "
                        u"there may be missing from the list or incomplete.";
  if (counts.Skipped > 0) {
    text += u" " + Sectors(counts.Skipped) + u" of them lie in damaged areas that were passed over without " +
            u"trying each sector.";
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
