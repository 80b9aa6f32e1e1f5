#pragma once
// The date texts of the results list and the Find results.

#include <cstdint>
#include <optional>
#include <string>

namespace engine {

struct CivilDateTime {
  int Year = 0;
  int Month = 0;
  int Day = 0;
  int Hour = 0;
  int Minute = 0;
  int Second = 0;
  int Millisecond = 0;
};

// A Windows FILETIME (100 ns units since 1 January 1601, UTC) as a calendar date.
// Nothing for values the system conversion refuses (at or above 2^63).
std::optional<CivilDateTime> FileTimeToCivil(uint64_t fileTime);
// The FILETIME of a calendar date; nothing when a field is out of range.
std::optional<uint64_t> CivilToFileTime(const CivilDateTime& when);

// "d-m-yyyy h:m:s", every number unpadded and in UTC: 4 March 2009 10:05:07 gives
// "4-3-2009 10:5:7". Empty for a FILETIME that cannot be converted.
std::u16string FormatFileTime(uint32_t low, uint32_t high);

// "dd-mm-yyyy " from a FAT date word (day bits 0-4, month 5-8, year 9-15 + 1980):
// 0x3A64 gives "04-03-2009 ". The word is shown as it is, also when it is no date.
std::u16string FormatFatDate(uint16_t date);

}  // namespace engine
