#include "PageTexts.h"

#include <algorithm>
#include <array>
#include <cinttypes>
#include <cstdio>

namespace pages {
namespace {

std::u16string Widen(const char* text) {
  std::u16string out;
  for (; *text; ++text) out.push_back(static_cast<unsigned char>(*text));
  return out;
}

const char* ModeName(int32_t recoveryMode) {
  switch (recoveryMode) {
    case engine::kModeQuickScan: return "Quick Scan";
    case engine::kModeExtensiveScan: return "Extensive Scan";
    case engine::kModeFileTrace: return "File Trace";
    default: return nullptr;
  }
}

}  // namespace

std::u16string ModeSummaryText(int32_t recoveryMode) {
  const char* name = ModeName(recoveryMode);
  return name ? u"Selected Mode : " + Widen(name) : std::u16string();
}

std::u16string SourceSummaryText(int32_t recoveryMode, uint16_t sourceKind, SummaryWriter writer) {
  const char* name = ModeName(recoveryMode);
  const char16_t* drive = sourceKind == engine::kSourceLogicalDrive ? u"Logical Drive"
                          : sourceKind == engine::kSourceWholeDisk  ? u"Virtual Hard Disk"
                                                                    : nullptr;
  if (!name || !drive) return {};
  // The tree's Quick Scan summary has always carried one blank more on each line.
  const bool wide = writer == SummaryWriter::DriveTree && recoveryMode == engine::kModeQuickScan;
  std::u16string text = wide ? u"Selected Mode  : " : u"Selected Mode : ";
  text += Widen(name);
  text += wide ? u" \r\nDrive Type         : " : u" \r\nDrive Type        : ";
  return text + drive;
}

std::u16string CapacityText(uint64_t sectors) {
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%" PRIu64 " MB (Approx)", sectors / 2 / 1024);
  return Widen(buffer);
}

std::u16string FileSystemName(uint16_t fileSystemCode) {
  switch (fileSystemCode) {
    case engine::kFileSystemFat16: return u"FAT16";
    case engine::kFileSystemFat32: return u"FAT32";
    case engine::kFileSystemNtfs: return u"NTFS";
    default: return u"UNKNOWN";
  }
}

std::vector<PieSliceSpec> PartitionPieSlices(std::span<const engine::PartitionEntry> partitions,
                                             uint64_t diskSectors) {
  std::vector<PieSliceSpec> slices;
  if (diskSectors == 0) {
    slices.push_back({100, kFreeSliceColour, u"FREE"});
    return slices;
  }
  uint64_t sum = 0;
  for (const engine::PartitionEntry& partition : partitions) {
    const uint64_t percent = uint64_t{partition.SectorCount} * 100 / diskSectors;
    uint32_t colour = 0xFFFFFF;
    std::u16string label = u"UNKNOWN";
    switch (partition.FileSystemCode) {
      case engine::kFileSystemFat16: colour = 0x8FA7F8; label = u"FAT16"; break;
      case engine::kFileSystemFat32: colour = 0xFF7777; label = u"FAT32"; break;
      case engine::kFileSystemNtfs: colour = 0xFF8080; label = u"NTFS"; break;
      default: break;
    }
    slices.push_back({static_cast<int>(std::min<uint64_t>(percent, 100)), colour, std::move(label)});
    sum += percent;
  }
  if (sum == 100) return slices;
  slices.push_back({sum > 100 ? 100 : static_cast<int>(100 - sum), kFreeSliceColour, u"FREE"});
  return slices;
}

std::vector<std::string> SplitTreePath(std::string_view path) {
  std::vector<std::string> components;
  size_t start = 0;
  for (size_t slash = path.find('\\'); slash != std::string_view::npos; slash = path.find('\\', start)) {
    components.emplace_back(path.substr(start, slash - start));
    start = slash + 1;
  }
  return components;
}

std::u16string RootPathOfDriveNode(std::u16string_view nodeText) {
  std::u16string_view tail = nodeText.substr(nodeText.size() < 3 ? 0 : nodeText.size() - 3);
  const auto blank = [](char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; };
  while (!tail.empty() && blank(tail.front())) tail.remove_prefix(1);
  while (!tail.empty() && blank(tail.back())) tail.remove_suffix(1);
  return std::u16string(tail) + u'\\';
}

std::span<const ListColumnSpec> ResultColumnsForMode(int32_t recoveryMode) {
  static constexpr std::array<ListColumnSpec, 6> kScanColumns{{
      {u"File Name", 200}, {u"Type", 100}, {u"Size", 100},
      {u"Creation Time", 150}, {u"Modification Time", 150}, {u"ID", 150}}};
  static constexpr std::array<ListColumnSpec, 3> kFileTraceColumns{{
      {u"File Name", 200}, {u"Type", 100}, {u"ID", 150}}};
  if (recoveryMode == engine::kModeFileTrace) return kFileTraceColumns;
  return kScanColumns;
}

}  // namespace pages
