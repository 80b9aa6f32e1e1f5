#pragma once
// File times of recovered FAT files, from the fields of their directory entry: the
// write date and time (two-second steps), the creation date and time (two-second
// steps plus a 10-ms count of 0 to 199) and the access date (a day, no time). FAT
// keeps no time zone: the fields are taken as they stand, as UTC.

#include <cstdint>
#include <optional>

#include "OutputFileSystem.h"
#include "fat/FatEntryTimes.h"

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

// The FILETIME of a FAT date and time word (hours in bits 11-15, minutes 5-10,
// two-second steps 0-4) with a 10-ms count; nothing when either is no date or
// time of day, or the count is above 199.
std::optional<uint64_t> FatDateTimeToFileTime(uint16_t date, uint16_t time, uint8_t tenMs = 0);

// The times a saved file gets from its entry; a field that holds no date is left
// to the target (mkfs tools and old systems write 0 for creation and access).
OutputFileTimes FatSavedFileTimes(uint16_t writeDate, uint16_t accessDate, const FatEntryTimes& times);

}  // namespace engine
