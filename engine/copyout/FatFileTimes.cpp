#include "FatFileTimes.h"

#include <chrono>

#include "listing/DateText.h"

namespace engine {

FatDateParts SplitFatDate(uint16_t date) {
  return {(date >> 9) + 1980, (date >> 5) & 0x0F, date & 0x1F};
}

std::optional<uint64_t> FatDateToFileTime(uint16_t date, uint32_t secondOfDay) {
  const FatDateParts parts = SplitFatDate(date);
  CivilDateTime when;
  when.Year = parts.Year;
  when.Month = parts.Month;
  when.Day = parts.Day;
  when.Hour = static_cast<int>(secondOfDay / 3600 % 24);
  when.Minute = static_cast<int>(secondOfDay / 60 % 60);
  when.Second = static_cast<int>(secondOfDay % 60);
  return CivilToFileTime(when);
}

std::optional<uint64_t> FatDateToFileTimeNow(uint16_t date) {
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(now).count();
  return FatDateToFileTime(date, static_cast<uint32_t>(seconds % 86400));
}

}  // namespace engine
