#pragma once
// Turns the raw FAT scan's candidates into found volumes. A boot sector becomes a
// volume when its geometry puts at least one directory start exactly where that
// directory's own cluster lies; directory starts no boot sector claimed are then
// grouped by the spacing of their cluster numbers into volumes of their own.
// Each found volume is a line "FAT32 @" or "FAT16 @" with its cluster base under
// "File System" in the file-system page's tree.

#include <cstdint>
#include <optional>
#include <span>

#include "EngineContext.h"

namespace engine {

inline constexpr char16_t kAnalyzingText[] = u"Analyzing the data found...";
inline constexpr char16_t kFileSystemRootText[] = u"File System";

// The geometry a FAT boot sector found at `sector` gives; nothing when it is no
// FAT16 or FAT32 boot sector, its cluster size is no power of two up to 128, or its
// cluster base lies below `lowestClusterBase` or beyond 32 bits.
std::optional<FoundVolume> FatVolumeFromBootSector(std::span<const uint8_t> bootSector, uint32_t sector,
                                                   uint64_t lowestClusterBase);

// Runs the whole analysis; sets both analysis flags.
void AnalyzeFatVolumes(EngineContext& ctx);

}  // namespace engine
