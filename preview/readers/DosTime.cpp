#include "DosTime.h"

#include <ctime>

namespace preview {

namespace {

constexpr int64_t kSecondsFrom1601To1970 = 11644473600;
constexpr int64_t kTicksPerSecond = 10000000;

struct DosFields {
  int year, month, day, hour, minute, second;
};

bool SplitDos(uint32_t dosDateTime, DosFields& f) {
  const uint32_t date = dosDateTime >> 16;
  const uint32_t time = dosDateTime & 0xFFFF;
  f.year = 1980 + static_cast<int>(date >> 9);
  f.month = static_cast<int>((date >> 5) & 0x0F);
  f.day = static_cast<int>(date & 0x1F);
  f.hour = static_cast<int>(time >> 11);
  f.minute = static_cast<int>((time >> 5) & 0x3F);
  f.second = static_cast<int>(time & 0x1F) * 2;
  static constexpr int kDays[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return f.month >= 1 && f.month <= 12 && f.day >= 1 && f.day <= kDays[f.month - 1] &&
         f.hour < 24 && f.minute < 60 && f.second < 60;
}

// Days from 1970-01-01 to the given civil date (proleptic Gregorian).
int64_t DaysFromCivil(int year, int month, int day) {
  year -= month <= 2;
  const int era = (year >= 0 ? year : year - 399) / 400;
  const int yearOfEra = year - era * 400;
  const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return static_cast<int64_t>(era) * 146097 + dayOfEra - 719468;
}

}  // namespace

uint64_t UnixTimeToFileTime(int64_t seconds) {
  if (seconds < -kSecondsFrom1601To1970) return 0;
  return static_cast<uint64_t>(seconds + kSecondsFrom1601To1970) * kTicksPerSecond;
}

uint64_t DosDateTimeToFileTime(uint32_t dosDateTime) {
  DosFields f{};
  if (!SplitDos(dosDateTime, f)) return 0;
  const int64_t seconds = DaysFromCivil(f.year, f.month, f.day) * 86400 + f.hour * 3600 + f.minute * 60 + f.second;
  return UnixTimeToFileTime(seconds);
}

uint64_t DosLocalTimeToUtcFileTime(uint32_t dosDateTime) {
  DosFields f{};
  if (!SplitDos(dosDateTime, f)) return 0;
  std::tm local{};
  local.tm_year = f.year - 1900;
  local.tm_mon = f.month - 1;
  local.tm_mday = f.day;
  local.tm_hour = f.hour;
  local.tm_min = f.minute;
  local.tm_sec = f.second;
  local.tm_isdst = -1;  // the rule in force on that date, not today's
  const std::time_t utc = std::mktime(&local);
  if (utc == static_cast<std::time_t>(-1)) return DosDateTimeToFileTime(dosDateTime);
  return UnixTimeToFileTime(static_cast<int64_t>(utc));
}

}  // namespace preview
