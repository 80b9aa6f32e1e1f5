// The texts and numbers the mode and drive pages show, kept apart from the
// windows so that they can be checked without a display: the selection
// summary, the drive panel's facts, the partition pie and the results
// columns of each recovery mode.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "EngineRecords.h"

namespace pages {

// ---- Selection summary --------------------------------------------------
// "Selected Mode : Quick Scan": the first line, set by the mode commands.
std::u16string ModeSummaryText(int32_t recoveryMode);

// Where the source was chosen: the drive tree writes its own forms (the Quick
// Scan line there carries two blanks after "Mode"), the pages' Next and Back
// write the even forms.
enum class SummaryWriter { DriveTree, Page };

// The two-line summary for a chosen source kind (logical drive or whole disk);
// empty for any other kind, which leaves the summary as it was.
std::u16string SourceSummaryText(int32_t recoveryMode, uint16_t sourceKind, SummaryWriter writer);

// ---- Drive information panel -----------------------------------------------
// "%d MB (Approx)" over whole megabytes, in 64 bits: a drive beyond 2 TiB shows
// its true size rather than a wrapped 32-bit number.
std::u16string CapacityText(uint64_t sectors);
// "FAT16", "FAT32", "NTFS" or "UNKNOWN".
std::u16string FileSystemName(uint16_t fileSystemCode);

// One slice of the partition pie.
struct PieSliceSpec {
  int Percent = 0;
  uint32_t Colour = 0;  // COLORREF
  std::u16string Label;
};
inline constexpr uint32_t kFreeSliceColour = 0xFF00FF;

// The slices of a disk's partitions, each its share of the disk (capped at 100),
// then "FREE" with what is left (100 when the shares add up to more than 100).
// A disk of unknown size gets the "FREE" slice of 100 alone.
std::vector<PieSliceSpec> PartitionPieSlices(std::span<const engine::PartitionEntry> partitions,
                                             uint64_t diskSectors);

// ---- Drive tree -----------------------------------------------------------------
// The components of a narrow tree path, each ended by a backslash ("A\B\" gives
// A and B); what follows the last backslash is not a component.
std::vector<std::string> SplitTreePath(std::string_view path);

// The root path a logical drive's node stands for: the last three characters of
// "Logical Drives C: " trimmed of blanks, with a backslash ("C:\").
std::u16string RootPathOfDriveNode(std::u16string_view nodeText);

// ---- Results columns -------------------------------------------------------------
struct ListColumnSpec {
  std::u16string_view Title;
  int Width = 0;
};
// The results list's columns for a recovery mode: six for Quick and Extensive
// Scan, three for File Trace.
std::span<const ListColumnSpec> ResultColumnsForMode(int32_t recoveryMode);

}  // namespace pages
