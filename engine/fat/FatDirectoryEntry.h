#pragma once
// One 32-byte FAT directory entry and the long-name entries before it.
//
// Layout: 0-7 base name (byte 0: 0x00 end of directory, 0xE5 deleted), 8-10
// extension, 11 attributes (0x0F long-name entry, 0x10 directory), 12 case flags
// of the 8.3 name, 13 creation time's 10-ms count (0-199), 14 creation time, 16
// creation date, 18 access date, 20 high word of the first cluster (FAT32), 22
// write time, 24 write date, 26 low word of the
// first cluster, 28 size. A long-name entry holds 13 UTF-16 characters at 1-10,
// 14-25 and 28-31, its ordinal at 0 (0x40 added on the last of a set) and the
// checksum of its short name at 13; a set stands in reverse order right before
// its short entry.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "fat/FatEntryTimes.h"

namespace engine {

inline constexpr size_t kDirEntrySize = 32;
inline constexpr uint8_t kAttrLongName = 0x0F;
inline constexpr uint8_t kAttrVolumeLabel = 0x08;
inline constexpr uint8_t kAttrDirectory = 0x10;
inline constexpr uint8_t kDeletedMark = 0xE5;
inline constexpr uint8_t kLastLongEntryFlag = 0x40;
inline constexpr uint8_t kLowerCaseBase = 0x08;       // entry offset 12
inline constexpr uint8_t kLowerCaseExtension = 0x10;  // entry offset 12

struct FatShortEntry {
  uint8_t FirstByte = 0;
  uint8_t Attributes = 0;
  uint32_t FirstCluster = 0;
  uint16_t WriteDate = 0;
  uint16_t AccessDate = 0;
  FatEntryTimes Times;
  uint32_t Size = 0;
  bool Deleted = false;
  std::u16string ShortName;  // "BASE.EXT" without blanks, in the case its flags give;
                             // a deleted first character as 'x'
};

// Decodes the entry at `offset` of a directory buffer; nothing when it does not fit.
std::optional<FatShortEntry> DecodeShortEntry(std::span<const uint8_t> directory, size_t offset, bool fat32);

// The checksum a long-name set carries of its short entry's 11 name bytes.
uint8_t ShortNameChecksum(std::span<const uint8_t, 11> nameBytes);

// The long name of the short entry at `offset` (a multiple of 32), assembled from
// the long-name entries before it in the same buffer. Used only when the set is
// complete (its first entry carries the 0x40 mark with the right ordinals) or all
// its checksums match the short name. A deleted short entry lost both: its set is
// used when every entry of it is deleted too and their checksums agree. Nothing
// when there is no usable long name.
std::optional<std::u16string> AssembleLongFileName(std::span<const uint8_t> directory, size_t offset);

// False when the name holds a character with code 1 to 31 or one of " \ / ? * < > |.
bool IsValidFileName(std::u16string_view name);

}  // namespace engine
