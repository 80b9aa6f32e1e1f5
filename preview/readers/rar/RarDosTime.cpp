#include "RarDosTime.h"

#include <ctime>

namespace preview {

namespace {
constexpr uint64_t kTicksPerSecond = 10000000;
constexpr uint64_t kSecondsFrom1601To1970 = 11644473600ULL;
}  // namespace

uint32_t FileTimeToLocalDosTime(uint64_t utcFileTime) {
  const uint64_t seconds1601 = utcFileTime / kTicksPerSecond;
  if (seconds1601 < kSecondsFrom1601To1970) return 0;
  const std::time_t seconds = static_cast<std::time_t>(seconds1601 - kSecondsFrom1601To1970);
  std::tm local{};
#ifdef _WIN32
  if (localtime_s(&local, &seconds) != 0) return 0;
#else
  if (localtime_r(&seconds, &local) == nullptr) return 0;
#endif
  const int year = local.tm_year + 1900;
  if (year < 1980 || year > 2107) return 0;
  const uint32_t date = static_cast<uint32_t>(((year - 1980) << 9) | ((local.tm_mon + 1) << 5) | local.tm_mday);
  const uint32_t time = static_cast<uint32_t>((local.tm_hour << 11) | (local.tm_min << 5) | (local.tm_sec / 2));
  return (date << 16) | time;
}

}  // namespace preview
