#include "ntfs/MftRecord.h"

#include <algorithm>
#include <string_view>

namespace engine::ntfs {
namespace {

// FILE and INDX header fields.
constexpr uint32_t kUsaOffset = 4;
constexpr uint32_t kUsaCount = 6;
constexpr uint32_t kFirstAttributeOffset = 20;
constexpr uint32_t kFlagsOffset = 22;
constexpr uint32_t kBytesInUseOffset = 24;
constexpr uint32_t kBaseReferenceOffset = 32;
constexpr uint32_t kFileHeaderSize = 42;  // the smallest header of any NTFS version

// Attribute header fields.
constexpr uint32_t kAttrLength = 4;
constexpr uint32_t kAttrNonResident = 8;
constexpr uint32_t kAttrNameLength = 9;
constexpr uint32_t kAttrNameOffset = 10;
constexpr uint32_t kAttrFlags = 12;
constexpr uint32_t kResidentHeaderSize = 24;
constexpr uint32_t kResidentValueLength = 16;
constexpr uint32_t kResidentValueOffset = 20;
constexpr uint32_t kNonResidentHeaderSize = 64;

constexpr uint32_t kSector = 512;

}  // namespace

bool HasSignature(std::span<const uint8_t> bytes, const char (&signature)[5]) {
  return BytesAre(bytes, 0, std::string_view(signature, 4));
}

UpdateSequence ApplyUpdateSequenceFixup(std::span<uint8_t> block) {
  LeBytes view(block);
  const uint32_t arrayOffset = view.U16(kUsaOffset);
  const uint32_t count = view.U16(kUsaCount);
  if (!view.ok() || count < 2) return UpdateSequence::Malformed;
  // One entry for the sequence number, then one per sector of the block.
  const uint64_t sectors = count - 1;
  if (sectors * kSector > block.size()) return UpdateSequence::Malformed;
  if (arrayOffset < 8 || !view.Has(arrayOffset, uint64_t{count} * 2) || arrayOffset + count * 2 > kSector) {
    return UpdateSequence::Malformed;
  }
  const uint8_t sequenceLow = block[arrayOffset];
  const uint8_t sequenceHigh = block[arrayOffset + 1];
  UpdateSequence result = UpdateSequence::Whole;
  for (uint64_t i = 0; i < sectors; ++i) {
    uint8_t* tail = block.data() + (i + 1) * kSector - 2;
    if (tail[0] != sequenceLow || tail[1] != sequenceHigh) result = UpdateSequence::Torn;
    const uint8_t* entry = block.data() + arrayOffset + 2 + i * 2;
    tail[0] = entry[0];
    tail[1] = entry[1];
  }
  return result;
}

std::optional<RecordHeader> ReadRecordHeader(std::span<const uint8_t> record) {
  if (!HasSignature(record, "FILE")) return std::nullopt;
  LeBytes view(record);
  RecordHeader header;
  header.FirstAttribute = view.U16(kFirstAttributeOffset);
  header.Flags = view.U8(kFlagsOffset);
  header.BytesInUse = view.U32(kBytesInUseOffset);
  header.BaseRecord = view.U32(kBaseReferenceOffset);
  if (!view.ok()) return std::nullopt;
  const uint32_t recordBytes = static_cast<uint32_t>(std::min(record.size(), kMftRecordSize));
  // Some writers leave the bytes in use at 0 in records they never finished.
  if (header.BytesInUse == 0 || header.BytesInUse > recordBytes) header.BytesInUse = recordBytes;
  if (header.FirstAttribute < kFileHeaderSize || header.FirstAttribute >= header.BytesInUse) return std::nullopt;
  return header;
}

std::vector<Attribute> ListAttributes(std::span<const uint8_t> record) {
  std::vector<Attribute> attributes;
  const auto header = ReadRecordHeader(record);
  if (!header) return attributes;
  LeBytes used(record.first(header->BytesInUse));
  uint64_t offset = header->FirstAttribute;
  while (used.Has(offset, 4)) {
    LeBytes probe(used.bytes().subspan(static_cast<std::size_t>(offset)));
    const uint32_t type = probe.U32(0);
    if (type == kAttrEnd || type == 0) break;
    const uint32_t length = probe.U32(kAttrLength);
    const uint8_t nonResident = probe.U8(kAttrNonResident);
    if (!probe.ok() || nonResident > 1) break;
    const uint32_t minimum = nonResident ? kNonResidentHeaderSize : kResidentHeaderSize;
    if (length < minimum || !used.Has(offset, length)) break;

    Attribute attribute;
    attribute.Type = type;
    attribute.Bytes = used.Span(offset, length);
    attribute.NonResident = nonResident == 1;
    LeBytes view(attribute.Bytes);
    attribute.Flags = view.U16(kAttrFlags);
    const uint8_t nameLength = view.U8(kAttrNameLength);
    const uint16_t nameOffset = view.U16(kAttrNameOffset);
    if (nameLength != 0) {
      const auto nameBytes = view.Span(nameOffset, uint64_t{nameLength} * 2);
      if (!view.ok()) break;
      LeBytes name(nameBytes);
      for (uint32_t i = 0; i < nameLength; ++i) attribute.Name.push_back(static_cast<char16_t>(name.U16(i * 2)));
    }
    attributes.push_back(std::move(attribute));
    offset += length;
  }
  return attributes;
}

std::optional<std::span<const uint8_t>> ResidentValue(const Attribute& attribute) {
  if (attribute.NonResident) return std::nullopt;
  LeBytes view(attribute.Bytes);
  const uint32_t length = view.U32(kResidentValueLength);
  const uint16_t offset = view.U16(kResidentValueOffset);
  const auto value = view.Span(offset, length);
  if (!view.ok()) return std::nullopt;
  return value;
}

std::optional<NonResidentInfo> ReadNonResident(const Attribute& attribute) {
  if (!attribute.NonResident) return std::nullopt;
  LeBytes view(attribute.Bytes);
  NonResidentInfo info;
  info.LowestVcn = view.U64(16);
  info.HighestVcn = view.U64(24);
  const uint16_t runlistOffset = view.U16(32);
  info.CompressionUnit = view.U16(34);
  info.AllocatedSize = view.U64(40);
  info.RealSize = view.U64(48);
  info.InitializedSize = view.U64(56);
  if (!view.ok() || runlistOffset < kNonResidentHeaderSize || runlistOffset > attribute.Bytes.size()) {
    return std::nullopt;
  }
  info.Runlist = view.Span(runlistOffset, attribute.Bytes.size() - runlistOffset);
  return info;
}

}  // namespace engine::ntfs
