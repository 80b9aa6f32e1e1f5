#pragma once
// Files the NTFS structures the raw scan meets: FILE records of 1,024 bytes (a
// folder or a file of the result store's candidate lists) and INDX blocks (the
// first sector of a directory's index block, kept with the record that owns it).

#include <cstdint>
#include <span>

#include "EngineContext.h"

namespace engine {

// The record at `sector`, as read (not yet fixed up): at least 1,024 bytes.
// A damaged record or one without a name files nothing.
void ProcessMftRecord(EngineContext& ctx, uint32_t sector, std::span<const uint8_t> record);

// The block that begins at `sector`. `available` holds the bytes from that sector
// on that the caller already has; the block is read again only when it runs past
// them. True when an IndxBlockNode was appended. Blocks above 65,536 bytes, damaged
// ones and those of the system records 0 to 4 are not kept.
bool AddIndxBlock(EngineContext& ctx, uint32_t sector, std::span<const uint8_t> available);

}  // namespace engine
