#pragma once
// The raw FAT scan of an Extensive Scan: every sector of the range is looked at
// for what survives a format, FAT boot sectors (FAT32 "32" at 85, FAT16 "16" at
// 57, with 0x55 0xAA at 510) and the first sectors of directories (a "." entry,
// then a ".." entry), and the later sectors of directories.

#include <cstdint>
#include <optional>
#include <span>

#include "EngineContext.h"

namespace engine {

inline constexpr int32_t kMaxBootSectorCandidates = 60000;
inline constexpr char16_t kTooManyStructuresText[] = u"Too many data structures found";

bool IsFatBootCandidate(std::span<const uint8_t> sector);

// The directory start in `sector` (absolute number `sectorNumber`): its own
// cluster (the "." entry's, above 2 and below the sector number), the parent
// cluster from "..", and the "." entry's write and access dates.
std::optional<DirClusterCandidate> ReadDirectoryStart(std::span<const uint8_t> sector, uint32_t sectorNumber);

// True for a sector of directory entries that is no folder's first (no "." entry):
// every entry a possible one up to an end mark, at least one short entry before
// it, long-name entries with their fixed fields zero and short entries with no
// stray bits in their case byte. Text and zeroed sectors do not pass.
bool IsDirectoryEntrySector(std::span<const uint8_t> sector);

// Fills ResultStore.BootSectors, DirClusterCandidates and DirEntrySectors; ends with
// ScanControl.StopOrDone 1 and ScanControl.Running 0.
void ScanRawFat(EngineContext& ctx);

}  // namespace engine
