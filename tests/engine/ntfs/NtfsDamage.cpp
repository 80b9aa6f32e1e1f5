#include "NtfsDamage.h"

namespace ntfstest {

using testsupport::DamagedImage;

MftPlace PlaceOf(const DamagedImage& image) {
  const uint64_t clusterBytes = uint64_t{image.Read(13, 1)[0]} * 512;
  return {image.U32(48) * clusterBytes, image.U32(56) * clusterBytes};
}

uint64_t RecordOffset(const DamagedImage& image, uint32_t id) { return PlaceOf(image).Mft + id * kRecordBytes; }

std::vector<uint64_t> AttributesOf(const DamagedImage& image, uint64_t record, uint32_t type) {
  const std::vector<uint8_t> bytes = image.Read(record, kRecordBytes);
  std::vector<uint64_t> found;
  uint32_t offset = bytes[20] | bytes[21] << 8;
  while (offset + 8 <= kRecordBytes) {
    const uint32_t at = image.U32(record + offset);
    const uint32_t length = image.U32(record + offset + 4);
    if (at == 0xFFFFFFFF || length == 0) break;
    if (at == type) found.push_back(record + offset);
    offset += length;
  }
  return found;
}

std::vector<uint64_t> FileNameValuesOf(const DamagedImage& image, uint32_t id) {
  std::vector<uint64_t> values;
  for (const uint64_t attribute : AttributesOf(image, RecordOffset(image, id), 0x30)) {
    const std::vector<uint8_t> valueOffset = image.Read(attribute + 20, 2);
    values.push_back(attribute + (valueOffset[0] | valueOffset[1] << 8));
  }
  return values;
}

void SetParent(DamagedImage& image, uint32_t id, uint32_t parent) {
  for (const uint64_t value : FileNameValuesOf(image, id)) image.PutU32(value, parent);
}

void BreakRecord(DamagedImage& image, uint64_t mftOffset, uint32_t id) {
  const uint64_t sectorEnd = mftOffset + id * kRecordBytes + 510;
  image.WriteByte(sectorEnd, image.Read(sectorEnd, 1)[0] ^ 0xFF);
}

}  // namespace ntfstest
