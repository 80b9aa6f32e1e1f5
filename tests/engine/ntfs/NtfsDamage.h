#pragma once
// Damage done to the MFT of a copy of an NTFS test image, record by record.

#include <cstdint>
#include <vector>

#include "DamagedImage.h"

namespace ntfstest {

inline constexpr uint64_t kRecordBytes = 1024;

// Byte offsets of the MFT and its mirror, from the boot sector.
struct MftPlace {
  uint64_t Mft = 0;
  uint64_t Mirror = 0;
};
MftPlace PlaceOf(const testsupport::DamagedImage& image);

// Byte offset of record `id` (in the MFT's first fragment).
uint64_t RecordOffset(const testsupport::DamagedImage& image, uint32_t id);

// The byte offsets of the attributes of `type` in the record at byte `record`.
std::vector<uint64_t> AttributesOf(const testsupport::DamagedImage& image, uint64_t record, uint32_t type);

// The byte offsets of the values of every $FILE_NAME of record `id`.
std::vector<uint64_t> FileNameValuesOf(const testsupport::DamagedImage& image, uint32_t id);

// Points every $FILE_NAME of record `id` at `parent`.
void SetParent(testsupport::DamagedImage& image, uint32_t id, uint32_t parent);

// Breaks the update sequence of record `id` of the MFT at byte `mftOffset`: its fix-up fails.
void BreakRecord(testsupport::DamagedImage& image, uint64_t mftOffset, uint32_t id);

}  // namespace ntfstest
