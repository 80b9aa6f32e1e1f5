#pragma once
// One 1,024-byte MFT FILE record: the update-sequence fix-up, and a walk over its
// attributes that never leaves the record's bytes in use. Every other reader of a
// record works on the attributes this walk hands out, so no offset or length read
// from the record is used before it has been checked here.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "LeBytes.h"

namespace engine::ntfs {

inline constexpr std::size_t kMftRecordSize = 1024;
inline constexpr uint32_t kSectorsPerMftRecord = 2;

// Attribute types the engine reads.
inline constexpr uint32_t kAttrAttributeList = 0x20;
inline constexpr uint32_t kAttrFileName = 0x30;
inline constexpr uint32_t kAttrData = 0x80;
inline constexpr uint32_t kAttrIndexRoot = 0x90;
inline constexpr uint32_t kAttrIndexAllocation = 0xA0;
inline constexpr uint32_t kAttrEnd = 0xFFFFFFFF;

// Record flags (low byte of the u16 at 22).
inline constexpr uint8_t kRecordInUse = 0x01;
inline constexpr uint8_t kRecordIsDirectory = 0x02;

// Attribute flags: data stored compressed or encrypted cannot be copied raw.
inline constexpr uint16_t kAttrFlagCompressed = 0x0001;
inline constexpr uint16_t kAttrFlagEncrypted = 0x4000;

// True when the bytes begin with the given four-character signature.
bool HasSignature(std::span<const uint8_t> bytes, const char (&signature)[5]);

// What the update sequence of a block says about it.
enum class UpdateSequence {
  Whole,      // every sector ends with the sequence number
  Torn,       // a sector does not (a write cut by power loss): fixed up, its data kept, but damaged
  Malformed,  // the array does not fit the block or its header: nothing restored
};

// Restores the last two bytes of every 512-byte sector of a FILE or INDX block
// from its update-sequence array, also where a sector's last two bytes do not
// hold the sequence number: a torn write loses at most those two bytes, not the
// record, and the result says it is torn.
UpdateSequence ApplyUpdateSequenceFixup(std::span<uint8_t> block);
// Whole or torn: the block's fields can be read.
inline bool Readable(UpdateSequence result) { return result != UpdateSequence::Malformed; }

// Header fields of a FILE record.
struct RecordHeader {
  uint8_t Flags = 0;           // low byte of the flags
  uint32_t BytesInUse = 0;     // clamped to the record size
  uint32_t BaseRecord = 0;     // low 32 bits of the base reference; 0 for a base record
  uint16_t FirstAttribute = 0;
};
std::optional<RecordHeader> ReadRecordHeader(std::span<const uint8_t> record);

// One attribute of a record, already checked to lie inside the bytes in use.
struct Attribute {
  uint32_t Type = 0;
  std::span<const uint8_t> Bytes;  // the whole attribute, header included
  bool NonResident = false;
  uint16_t Flags = 0;
  std::u16string Name;             // empty for an unnamed attribute
};

// The attributes of a record in order. The walk ends quietly at the end marker,
// at an attribute whose length is too small or runs past the bytes in use, or at
// a name that lies outside its attribute.
std::vector<Attribute> ListAttributes(std::span<const uint8_t> record);

// The value of a resident attribute; nothing when its offset or length runs
// outside the attribute.
std::optional<std::span<const uint8_t>> ResidentValue(const Attribute& attribute);

// The header fields of a non-resident attribute and its runlist bytes (from the
// runlist offset to the attribute's end).
struct NonResidentInfo {
  uint64_t LowestVcn = 0;
  uint64_t HighestVcn = 0;
  uint16_t CompressionUnit = 0;
  uint64_t AllocatedSize = 0;
  uint64_t RealSize = 0;
  uint64_t InitializedSize = 0;
  std::span<const uint8_t> Runlist;
};
std::optional<NonResidentInfo> ReadNonResident(const Attribute& attribute);

}  // namespace engine::ntfs
