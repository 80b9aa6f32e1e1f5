#pragma once
// The times of a file as its FILE record keeps them. $STANDARD_INFORMATION holds
// the ones Windows shows and keeps up to date (creation 0, last write 8, MFT
// change 16, last access 24); a $FILE_NAME holds a copy (creation 8, last write
// 16, MFT change 24, last access 32) that is updated only when the name changes,
// so it stands in only for a record without a usable $STANDARD_INFORMATION.

#include <cstdint>
#include <optional>
#include <span>

namespace engine::ntfs {

inline constexpr uint32_t kAttrStandardInformation = 0x10;

// Windows file times (100 ns units since 1601).
struct RecordTimes {
  uint64_t Creation = 0;
  uint64_t LastWrite = 0;
  uint64_t LastAccess = 0;
};

// From the record's unnamed $STANDARD_INFORMATION when its value holds the four
// times, else from its display $FILE_NAME; nothing when it has neither.
std::optional<RecordTimes> ReadRecordTimes(std::span<const uint8_t> record);

}  // namespace engine::ntfs
