#pragma once
// Times of archive members as FILETIME values (100-nanosecond units since
// 1 January 1601 UTC). MS-DOS times are wall-clock times of the machine that
// stored the member; they are taken as local time and turned into UTC, so that
// showing them (UTC to local) gives back the time that was stored.

#include <cstdint>

namespace preview {

// The FILETIME of the DOS date (high 16 bits) and time (low 16 bits) read as
// calendar fields without any time-zone rule; 0 for a date or time that is not valid.
uint64_t DosDateTimeToFileTime(uint32_t dosDateTime);

// The same date and time taken as local time and converted to UTC; 0 when not valid.
uint64_t DosLocalTimeToUtcFileTime(uint32_t dosDateTime);

// Seconds since 1970 (UTC), negative before it.
uint64_t UnixTimeToFileTime(int64_t seconds);

}  // namespace preview
