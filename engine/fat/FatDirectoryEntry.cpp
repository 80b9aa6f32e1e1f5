#include "FatDirectoryEntry.h"

#include <array>
#include <vector>

#include "LeBytes.h"

namespace engine {
namespace {

constexpr size_t kLongNameCharsPerEntry = 13;
constexpr size_t kMaxLongNameEntries = 20;  // 255 characters
constexpr std::array<size_t, kLongNameCharsPerEntry> kLongNameCharOffsets = {1, 3, 5, 7, 9, 14, 16, 18,
                                                                              20, 22, 24, 28, 30};

}  // namespace

std::optional<FatShortEntry> DecodeShortEntry(std::span<const uint8_t> directory, size_t offset, bool fat32) {
  LeBytes bytes(directory);
  if (!bytes.Has(offset, kDirEntrySize)) return std::nullopt;
  FatShortEntry entry;
  entry.FirstByte = bytes.U8(offset);
  entry.Attributes = bytes.U8(offset + 11);
  entry.AccessDate = bytes.U16(offset + 18);
  entry.WriteDate = bytes.U16(offset + 24);
  entry.Times.WriteTime = bytes.U16(offset + 22);
  entry.Times.CreationDate = bytes.U16(offset + 16);
  entry.Times.CreationTime = bytes.U16(offset + 14);
  entry.Times.CreationTenMs = bytes.U8(offset + 13);
  entry.FirstCluster = bytes.U16(offset + 26);
  if (fat32) entry.FirstCluster |= uint32_t{bytes.U16(offset + 20)} << 16;
  entry.Size = bytes.U32(offset + 28);

  // Windows NT keeps an all-lower-case base name or extension as an 8.3 name
  // with a case flag at offset 12 instead of a long name.
  const uint8_t caseFlags = bytes.U8(offset + 12);
  auto appendNameBytes = [&](size_t from, size_t to, bool lowerCase) {
    for (size_t i = from; i < to; ++i) {
      uint8_t c = bytes.U8(offset + i);
      if (c == ' ') continue;
      if (lowerCase && c >= 'A' && c <= 'Z') c = static_cast<uint8_t>(c + ('a' - 'A'));
      entry.ShortName += static_cast<char16_t>(c);
    }
  };
  appendNameBytes(0, 8, (caseFlags & kLowerCaseBase) != 0);
  if (bytes.U8(offset + 8) != ' ') {
    entry.ShortName += u'.';
    appendNameBytes(8, 11, (caseFlags & kLowerCaseExtension) != 0);
  }
  if (entry.FirstByte == kDeletedMark) {
    entry.Deleted = true;
    if (!entry.ShortName.empty()) entry.ShortName[0] = u'x';
  }
  return entry;
}

uint8_t ShortNameChecksum(std::span<const uint8_t, 11> nameBytes) {
  uint8_t sum = 0;
  for (uint8_t c : nameBytes) sum = static_cast<uint8_t>(((sum & 1) << 7) + (sum >> 1) + c);
  return sum;
}

std::optional<std::u16string> AssembleLongFileName(std::span<const uint8_t> directory, size_t offset) {
  LeBytes bytes(directory);
  if (offset % kDirEntrySize != 0 || !bytes.Has(offset, kDirEntrySize)) return std::nullopt;
  const bool shortDeleted = bytes.U8(offset) == kDeletedMark;
  std::array<uint8_t, 11> shortNameBytes{};
  for (size_t i = 0; i < 11; ++i) shortNameBytes[i] = bytes.U8(offset + i);
  const uint8_t expectedChecksum = ShortNameChecksum(shortNameBytes);

  std::u16string name;
  bool terminated = false;     // a NUL ended the name
  bool completeByMark = false;  // the set's last entry (0x40 | n) was reached in order
  bool checksumsMatch = true;
  bool allDeleted = true;
  std::optional<uint8_t> firstChecksum;
  size_t entries = 0;

  for (size_t at = offset; at >= kDirEntrySize && entries < kMaxLongNameEntries;) {
    at -= kDirEntrySize;
    if (bytes.U8(at + 11) != kAttrLongName) break;
    const uint8_t ordinal = bytes.U8(at);
    const uint8_t checksum = bytes.U8(at + 13);
    if (firstChecksum && *firstChecksum != checksum) break;  // the entries of another name
    const bool deletedEntry = ordinal == kDeletedMark;
    if (!deletedEntry && (ordinal & 0x3F) != entries + 1) break;  // out of order
    firstChecksum = checksum;
    ++entries;
    if (checksum != expectedChecksum) checksumsMatch = false;
    if (!deletedEntry) allDeleted = false;
    for (size_t charOffset : kLongNameCharOffsets) {
      const char16_t c = bytes.U16(at + charOffset);
      if (c == 0) {
        terminated = true;
        break;
      }
      name += c;
    }
    if (ordinal == (kLastLongEntryFlag | entries)) {
      completeByMark = true;
      break;
    }
    if (terminated) break;
  }
  if (entries == 0 || name.empty()) return std::nullopt;
  // A name that ends before its last entry is followed by 0xFFFF padding; a name
  // that fills its entries exactly has no NUL.
  if (!terminated && name.size() != entries * kLongNameCharsPerEntry) return std::nullopt;

  const bool usable = shortDeleted ? allDeleted : (completeByMark || checksumsMatch);
  if (!usable) return std::nullopt;
  return name;
}

bool IsValidFileName(std::u16string_view name) {
  for (char16_t c : name) {
    if (c >= 1 && c <= 31) return false;
    switch (c) {
      case u'"': case u'\\': case u'/': case u'?': case u'*': case u'<': case u'>': case u'|':
        return false;
      default:
        break;
    }
  }
  return true;
}

}  // namespace engine
