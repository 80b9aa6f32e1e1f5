#include "CommandSupport.h"

#include <cstdio>
#include <stdexcept>

#include "ResultSaving.h"
#include "VolumeTree.h"

namespace cli {

const char* FileSystemName(uint16_t code) {
  switch (code) {
    case engine::kFileSystemFat16: return "FAT16";
    case engine::kFileSystemFat32: return "FAT32";
    case engine::kFileSystemNtfs: return "NTFS";
    default: return "unknown";
  }
}

void ChooseRangeOrWhole(ImageSession& session, uint16_t code, const RangeChoice& range) {
  const uint64_t start = range.Start.value_or(0);
  const uint64_t count = range.Count.value_or(session.SectorCount() > start ? session.SectorCount() - start : 0);
  if (count == 0) throw std::runtime_error("the range holds no sector of the image");
  session.ChooseRange(code, start, count);
}

// Lists and saves what the scan left in the result store.
int Deliver(engine::EngineContext& ctx, const OutputChoice& output) {
  const std::vector<ListedItem> items = ListResults(ctx);
  uint64_t files = 0;
  uint64_t deleted = 0;
  for (const ListedItem& item : items) {
    if (output.List) std::printf("%s\n", FormatListedItem(item).c_str());
    if (!item.IsFolder) {
      ++files;
      deleted += item.Deleted ? 1 : 0;
    }
  }
  std::fprintf(stderr, "found %llu files (%llu deleted), %llu folders\n", static_cast<unsigned long long>(files),
               static_cast<unsigned long long>(deleted), static_cast<unsigned long long>(items.size() - files));
  if (output.SaveFolder) {
    const uint64_t saved = SaveAllResults(ctx, *output.SaveFolder, output.DeletedOnly);
    std::fprintf(stderr, "saved %llu files into %s\n", static_cast<unsigned long long>(saved),
                 output.SaveFolder->c_str());
  }
  return 0;
}

}  // namespace cli
