#pragma once
// The partition-search worker's body: looks for FAT32, FAT16 and NTFS boot
// sectors that the partition table does not list, at the start of every
// cylinder and at every 1 MiB boundary, and shows all partitions in the scan
// page's tree under "Virtual Hard Disk ".

#include <cstdint>
#include <vector>

#include "EngineContext.h"

namespace engine {

inline constexpr char kVirtualHardDiskNode[] = "Virtual Hard Disk ";
// Partitioning tools have aligned partitions to 1 MiB for years.
inline constexpr uint64_t kAlignmentSectors = 2048;

struct SearchGeometry {
  uint64_t Cylinders = 0;
  uint64_t Heads = 0;
  uint64_t SectorsPerTrack = 0;
};

// The geometry the search walks: the disk's own, or, when it does not report 63
// sectors per track, the same size in cylinders of 255 heads x 63 sectors.
SearchGeometry SearchGeometryFor(uint32_t cylinders, uint32_t heads, uint32_t sectorsPerTrack);

// The 1 MiB-aligned sectors of cylinder k, from 2048 on, beyond the two the
// cylinder search reads itself (head 0 and head 1 of the cylinder).
std::vector<uint64_t> AlignedStartsInCylinder(const SearchGeometry& geometry, uint64_t cylinder);

// Run on the worker; asks "Please Select" through the host when the table has entries.
void SearchLostPartitions(EngineContext& ctx);

}  // namespace engine
