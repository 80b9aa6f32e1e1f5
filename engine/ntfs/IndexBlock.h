#pragma once
// INDX blocks: the index allocation of a directory, a header followed by index
// entries whose keys are $FILE_NAME values. The block must be fixed up first.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "ntfs/RecordFields.h"

namespace engine::ntfs {

// Blocks larger than this are not index blocks of any volume we read.
inline constexpr uint32_t kMaxIndxBlockBytes = 65536;

// The size of a block from its first sector: 24 + the allocated size of its entries.
std::optional<uint32_t> IndxBlockSize(std::span<const uint8_t> firstSector);

struct IndexEntry {
  uint32_t FileRecord = 0;  // low 32 bits of the file reference
  FileNameInfo Key;
};

struct IndxBlock {
  uint64_t Vcn = 0;
  std::vector<IndexEntry> Entries;  // in block order, up to the last entry
};

// The entries of a fixed-up block; nothing when it is not an INDX block or its
// header points outside it. The walk ends quietly at the first malformed entry.
std::optional<IndxBlock> ParseIndxBlock(std::span<const uint8_t> block);

}  // namespace engine::ntfs
