#include "FatFileTimes.h"

#include "listing/DateText.h"

namespace engine {
namespace {

constexpr uint64_t kFileTimeUnitsPer10Ms = 100000;
constexpr uint8_t kLargestTenMs = 199;

}  // namespace

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

std::optional<uint64_t> FatDateTimeToFileTime(uint16_t date, uint16_t time, uint8_t tenMs) {
  const uint32_t hour = time >> 11;
  const uint32_t minute = (time >> 5) & 0x3F;
  const uint32_t second = (time & 0x1F) * 2u;
  if (hour > 23 || minute > 59 || second > 59 || tenMs > kLargestTenMs) return std::nullopt;
  const std::optional<uint64_t> start = FatDateToFileTime(date, hour * 3600 + minute * 60 + second);
  if (!start) return std::nullopt;
  return *start + tenMs * kFileTimeUnitsPer10Ms;
}

OutputFileTimes FatSavedFileTimes(uint16_t writeDate, uint16_t accessDate, const FatEntryTimes& times) {
  OutputFileTimes saved;
  saved.LastWrite = FatDateTimeToFileTime(writeDate, times.WriteTime);
  saved.Creation = FatDateTimeToFileTime(times.CreationDate, times.CreationTime, times.CreationTenMs);
  saved.LastAccess = FatDateToFileTime(accessDate, 0);
  return saved;
}

}  // namespace engine
