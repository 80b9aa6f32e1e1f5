#pragma once
// Reading a disk's partition table (the master boot record and the chain of
// extended boot records) into EngineContext.PartitionTable.

#include <cstdint>

#include "EngineContext.h"

namespace engine {

// An extended chain longer than this is damaged (or loops) and is not followed further.
inline constexpr int kMaxExtendedRecords = 1024;

// Opens disk SourceDevice.DriveNumber into SourceDevice.DiskHandle (shared for
// reading and writing) and fills the table from the boot record at `mbrSector`.
// Resets PartitionSearchChoice. False when the disk cannot be opened (the table
// is then empty); callers look at PartitionCount.
bool ReadPartitionTable(EngineContext& ctx, uint64_t mbrSector);

// Adds an entry unless the table is full (a start beyond 32 bits is passed over).
// Returns false once the table is full.
bool AppendPartition(EngineContext& ctx, uint64_t startSector, uint32_t sectorCount, uint16_t fileSystemCode);

}  // namespace engine
