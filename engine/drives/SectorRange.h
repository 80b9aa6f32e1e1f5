#pragma once
// The program records sectors in 32-bit fields. A disk, drive or range that needs
// a sector at or beyond 2^32 (2 TiB of 512-byte sectors) is refused with a
// message, never read with its sector numbers cut to their low 32 bits.

#include <cstdint>

#include "EngineContext.h"

namespace engine {

inline constexpr uint64_t kSectorFieldLimit = uint64_t{UINT32_MAX} + 1;

inline constexpr char16_t kRangeBeyond32BitsText[] =
    u"The chosen range reaches beyond sector 4294967295 and cannot be scanned.";
inline constexpr char16_t kPartitionBeyond32BitsText[] =
    u"A partition of this disk starts beyond sector 4294967295 and cannot be listed.";

// A sector count for a 32-bit field: at most 0xFFFFFFFF, never wrapped.
inline uint32_t SaturatedSectorCount(uint64_t sectors) {
  return sectors > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(sectors);
}

// True when the chosen range, or the logical drive or disk it stands for, needs a
// sector at or beyond 2^32.
bool ChosenRangeBeyond32Bits(const EngineContext& ctx);

}  // namespace engine
