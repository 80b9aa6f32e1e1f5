#include "CommandSupport.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "ConsoleHost.h"
#include "MountedImage.h"
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

namespace {

// Prints what the save did; true when every file was saved whole.
bool ReportSave(const engine::SaveTally& tally, const std::string& folder) {
  std::fprintf(stderr, "saved %llu files into %s (%llu skipped)\n", static_cast<unsigned long long>(tally.Saved),
               folder.c_str(), static_cast<unsigned long long>(tally.Skipped));
  if (!tally.AllSaved()) std::fprintf(stderr, "%s\n", ForConsole(engine::SaveEndText(tally)).c_str());
  return tally.AllSaved();
}

}  // namespace

// Lists and saves what the scan left in the result store.
int Deliver(ImageSession& session, const OutputChoice& output) {
  engine::EngineContext& ctx = session.Context();
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
  if (!output.SaveFolder) return 0;
  if (const std::optional<std::string> loop =
          LoopDeviceHoldingTarget(session.ImagePath(), *output.SaveFolder, SysfsRoot())) {
    std::fprintf(stderr, "refusing to save into %s: it lies on /dev/%s, which is backed by the image being read\n",
                 output.SaveFolder->c_str(), loop->c_str());
    return 2;
  }
  if (const std::optional<std::string> source =
          MountFromImageHoldingTarget(session.ImagePath(), *output.SaveFolder, MountInfoPath())) {
    std::fprintf(stderr, "refusing to save into %s: its file system is mounted from %s, the image being read\n",
                 output.SaveFolder->c_str(), source->c_str());
    return 2;
  }
  const engine::SaveTally tally = SaveAllResults(ctx, *output.SaveFolder, output.DeletedOnly);
  return ReportSave(tally, *output.SaveFolder) ? 0 : 1;
}

std::string MountInfoPath() {
  const char* path = std::getenv("PELMO_CLI_MOUNTINFO");
  return path != nullptr && *path != '\0' ? path : "/proc/self/mountinfo";
}

std::string SysfsRoot() {
  const char* root = std::getenv("PELMO_CLI_SYSFS");
  return root != nullptr && *root != '\0' ? root : "/sys";
}

}  // namespace cli
