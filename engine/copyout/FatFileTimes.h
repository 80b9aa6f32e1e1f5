#pragma once
// File times of recovered FAT files: a FAT entry keeps only the date of the last
// write, so the saved file gets that date at the current time of day (UTC).

#include <cstdint>
#include <optional>

namespace engine {

struct FatDateParts {
  int Year = 0;   // bits 9-15 + 1980
  int Month = 0;  // bits 5-8
  int Day = 0;    // bits 0-4
};

FatDateParts SplitFatDate(uint16_t date);

// The FILETIME of the FAT date at the given time of day (seconds since midnight);
// nothing when the word is no date (day or month 0, a day past the month's end).
std::optional<uint64_t> FatDateToFileTime(uint16_t date, uint32_t secondOfDay);

// The same at the current UTC time of day.
std::optional<uint64_t> FatDateToFileTimeNow(uint16_t date);

}  // namespace engine
