#pragma once
// RAR 5 stores member times in UTC, while the listing reports MS-DOS times in
// local time as RAR 4 stores them.

#include <cstdint>

namespace preview {

// The local MS-DOS date (high 16 bits) and time of a FILETIME; 0 when it lies
// outside the MS-DOS range (1980 to 2107) or cannot be converted.
uint32_t FileTimeToLocalDosTime(uint64_t utcFileTime);

}  // namespace preview
