#pragma once
// The raw NTFS scan of an Extensive Scan: FILE records (allocated size 1,024),
// INDX blocks and NTFS boot sectors anywhere in the range. A sector with the boot
// mark 0x55 0xAA is never taken for a record or a block.

#include <cstdint>
#include <span>

#include "EngineContext.h"

namespace engine {

bool IsNtfsBootCandidate(std::span<const uint8_t> sector);
// "FILE" at 0 with 1,024 as the record's allocated size (u16 at 28).
bool IsRawFileRecord(std::span<const uint8_t> sector);

// Fills BootSectors, NtfsFolders, NtfsFiles and IndxBlocks. Sets no flag: the
// analysis that follows does.
void ScanRawNtfs(EngineContext& ctx);

}  // namespace engine
