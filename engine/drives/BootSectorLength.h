#pragma once
// The length of a volume as its own boot sector records it, for when the device
// cannot tell its length itself (a disk image backing a drive letter under Wine).

#include <cstdint>
#include <optional>
#include <span>

namespace engine {

// NTFS: the counted sectors plus the backup boot sector that follows them; FAT:
// the 16-bit total, else the 32-bit one. Nothing when the sector shows no sane
// sector size, no count, or a count whose bytes do not fit 64 bits.
std::optional<uint64_t> VolumeBytesFromBootSector(std::span<const uint8_t> bootSector);

}  // namespace engine
