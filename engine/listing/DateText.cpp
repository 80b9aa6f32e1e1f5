#include "DateText.h"

namespace engine {
namespace {

constexpr uint64_t kTicksPerSecond = 10'000'000;
constexpr int64_t kSecondsPerDay = 86'400;
// Days from 1 January 1601 to 1 January 1970.
constexpr int64_t kDays1601To1970 = 134'774;

// Days since 1 January 1970 of a proleptic Gregorian date, and back
// (Howard Hinnant's civil-date algorithms).
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void CivilFromDays(int64_t z, int& year, int& month, int& day) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(static_cast<int64_t>(yoe) + era * 400 + (month <= 2));
}

bool IsLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeapYear(y) ? 29 : kDays[m - 1];
}

std::u16string Number(int value, int minDigits) {
  std::u16string digits;
  do {
    digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
    value /= 10;
  } while (value > 0);
  while (static_cast<int>(digits.size()) < minDigits) digits.insert(digits.begin(), u'0');
  return digits;
}

}  // namespace

std::optional<CivilDateTime> FileTimeToCivil(uint64_t fileTime) {
  if (fileTime >= (uint64_t{1} << 63)) return std::nullopt;
  const uint64_t totalSeconds = fileTime / kTicksPerSecond;
  const int64_t days = static_cast<int64_t>(totalSeconds / kSecondsPerDay);
  const int64_t secondOfDay = static_cast<int64_t>(totalSeconds % kSecondsPerDay);
  CivilDateTime when;
  CivilFromDays(days - kDays1601To1970, when.Year, when.Month, when.Day);
  when.Hour = static_cast<int>(secondOfDay / 3600);
  when.Minute = static_cast<int>(secondOfDay / 60 % 60);
  when.Second = static_cast<int>(secondOfDay % 60);
  when.Millisecond = static_cast<int>(fileTime % kTicksPerSecond / 10'000);
  return when;
}

std::optional<uint64_t> CivilToFileTime(const CivilDateTime& when) {
  if (when.Year < 1601 || when.Year > 30827 || when.Month < 1 || when.Month > 12) return std::nullopt;
  if (when.Day < 1 || when.Day > DaysInMonth(when.Year, when.Month)) return std::nullopt;
  if (when.Hour < 0 || when.Hour > 23 || when.Minute < 0 || when.Minute > 59 || when.Second < 0 ||
      when.Second > 59 || when.Millisecond < 0 || when.Millisecond > 999) {
    return std::nullopt;
  }
  const int64_t days = DaysFromCivil(when.Year, static_cast<unsigned>(when.Month), static_cast<unsigned>(when.Day)) +
                       kDays1601To1970;
  const int64_t seconds = days * kSecondsPerDay + when.Hour * 3600 + when.Minute * 60 + when.Second;
  return static_cast<uint64_t>(seconds) * kTicksPerSecond + static_cast<uint64_t>(when.Millisecond) * 10'000;
}

std::u16string FormatFileTime(uint32_t low, uint32_t high) {
  const auto when = FileTimeToCivil((uint64_t{high} << 32) | low);
  if (!when) return {};
  return Number(when->Day, 1) + u"-" + Number(when->Month, 1) + u"-" + Number(when->Year, 1) + u" " +
         Number(when->Hour, 1) + u":" + Number(when->Minute, 1) + u":" + Number(when->Second, 1);
}

std::u16string FormatFatDate(uint16_t date) {
  const int day = date & 0x1F;
  const int month = (date >> 5) & 0x0F;
  const int year = (date >> 9) + 1980;
  return Number(day, 2) + u"-" + Number(month, 2) + u"-" + Number(year, 1) + u" ";
}

}  // namespace engine
