#include "fat/FatDirectoryEntry.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

#include "fat/FatDirectoryParser.h"
#include "MemoryFatVolume.h"

namespace {

using testsupport::MemoryFatVolume;

uint8_t ChecksumOf(const char* name11) {
  std::array<uint8_t, 11> bytes{};
  std::memcpy(bytes.data(), name11, 11);
  return engine::ShortNameChecksum(bytes);
}

// A long-name entry holding characters [13 * (n - 1), 13 * n) of `name`,
// NUL-terminated and 0xFFFF-padded after its end.
void WriteLongEntry(uint8_t* entry, uint8_t ordinal, const std::u16string& name, int n, uint8_t checksum) {
  static constexpr int kOffsets[13] = {1, 3, 5, 7, 9, 14, 16, 18, 20, 22, 24, 28, 30};
  std::memset(entry, 0, 32);
  entry[0] = ordinal;
  entry[11] = engine::kAttrLongName;
  entry[13] = checksum;
  for (int i = 0; i < 13; ++i) {
    const size_t at = size_t(13 * (n - 1) + i);
    const char16_t c = at < name.size() ? name[at] : (at == name.size() ? u'\0' : u'\xFFFF');
    entry[kOffsets[i]] = c & 0xFF;
    entry[kOffsets[i] + 1] = c >> 8;
  }
}

// A directory holding one name set: long entries then the short entry, starting
// at entry `first`.
std::vector<uint8_t> DirectoryWith(const std::u16string& longName, const char* name11, size_t first,
                                   uint8_t checksum, bool markLast, bool deleted = false) {
  const int entries = static_cast<int>((longName.size() + 12) / 13);
  std::vector<uint8_t> directory((first + entries + 2) * 32, 0);
  for (size_t i = 0; i < first; ++i) {  // slots of other files, listed before the set
    MemoryFatVolume::WriteShortEntry(directory.data() + i * 32, "OTHER   TXT", 0x20, static_cast<uint16_t>(20 + i), 1);
  }
  for (int n = 1; n <= entries; ++n) {
    uint8_t ordinal = static_cast<uint8_t>(n | (markLast && n == entries ? 0x40 : 0));
    if (deleted) ordinal = engine::kDeletedMark;
    WriteLongEntry(directory.data() + (first + entries - n) * 32, ordinal, longName, n, checksum);
  }
  uint8_t* shortEntry = directory.data() + (first + entries) * 32;
  MemoryFatVolume::WriteShortEntry(shortEntry, name11, 0x20, 7, 100);
  if (deleted) shortEntry[0] = engine::kDeletedMark;
  return directory;
}

struct NameCase {
  const char* What;
  std::u16string LongName;
  size_t First;       // entry index where the set begins
  bool RightChecksum;
  bool MarkLast;
  bool Deleted;
  std::u16string Expected;
};

TEST(FatDirectoryEntryTest, LongNamesAreUsedOnlyWhenTheyBelongToTheShortEntry) {
  const char* shortName = "LONGNA~1TXT";
  const NameCase cases[] = {
      {"complete set", u"Long name.txt!", 0, true, true, false, u"Long name.txt!"},
      {"exactly 13 characters, no NUL", u"ABCDEFGHIJKLM", 0, true, true, false, u"ABCDEFGHIJKLM"},
      {"crosses a sector boundary", u"A name whose entries cross a sector boundary.txt", 14, true, true, false,
       u"A name whose entries cross a sector boundary.txt"},
      {"checksum right, mark lost", u"Checksum only.txt", 0, true, false, false, u"Checksum only.txt"},
      {"stale: no mark, wrong checksum", u"Someone else.txt", 0, false, false, false, u"LONGNA~1.TXT"},
      {"mark but wrong checksum", u"Marked.txt", 0, false, true, false, u"Marked.txt"},
      {"deleted set", u"Deleted long name.txt", 0, false, false, true, u"Deleted long name.txt"},
  };
  for (const NameCase& c : cases) {
    const uint8_t checksum = c.RightChecksum ? ChecksumOf(shortName) : static_cast<uint8_t>(ChecksumOf(shortName) + 1);
    const std::vector<uint8_t> directory = DirectoryWith(c.LongName, shortName, c.First, checksum, c.MarkLast, c.Deleted);
    const engine::FatDirectoryListing listing = engine::ParseFatDirectory(directory, false, 0, false);
    ASSERT_EQ(listing.Items.size(), c.First + 1) << c.What;
    const engine::FatDirectoryItem& item = listing.Items.back();
    std::u16string expected = c.Expected;
    if (c.Deleted && expected == u"LONGNA~1.TXT") expected[0] = u'x';
    EXPECT_EQ(item.Name, expected) << c.What;
    EXPECT_EQ(item.Deleted, c.Deleted) << c.What;
  }
}

TEST(FatDirectoryEntryTest, ShortEntriesDecodeNamesFlagsAndClusters) {
  std::vector<uint8_t> directory(7 * 32, 0);
  MemoryFatVolume::WriteShortEntry(&directory[0], "README  TXT", 0x20, 5, 300);
  MemoryFatVolume::WriteShortEntry(&directory[32], "\xE5" "ELROOT BIN", 0x20, 6, 10);
  MemoryFatVolume::WriteShortEntry(&directory[64], "LOWER   TXT", 0x20, 7, 1);
  directory[64 + 12] = engine::kLowerCaseBase | engine::kLowerCaseExtension;
  MemoryFatVolume::WriteShortEntry(&directory[96], "EMPTY   TXT", 0x20, 0, 0);  // no cluster: an empty file
  MemoryFatVolume::WriteShortEntry(&directory[128], "SUBDIR     ", 0x10, 9, 0);
  directory[128 + 20] = 0x01;  // FAT32 high word of the cluster
  MemoryFatVolume::WriteShortEntry(&directory[160], "PELMOTEST  ", 0x08, 0, 0);  // the volume label: not listed
  const engine::FatDirectoryListing fat16 = engine::ParseFatDirectory(directory, false, 0, false);
  ASSERT_EQ(fat16.Items.size(), 5u);
  EXPECT_EQ(fat16.Items[0].Name, u"README.TXT");
  EXPECT_EQ(fat16.Items[0].Size, 300u);
  EXPECT_EQ(fat16.Items[0].WriteDate, 0x3A64);
  EXPECT_EQ(fat16.Items[1].Name, u"xELROOT.BIN");
  EXPECT_TRUE(fat16.Items[1].Deleted);
  EXPECT_EQ(fat16.Items[2].Name, u"lower.txt");
  EXPECT_EQ(fat16.Items[3].Name, u"EMPTY.TXT");
  EXPECT_EQ(fat16.Items[3].Size, 0u);
  EXPECT_EQ(fat16.Items[4].Name, u"SUBDIR");
  EXPECT_TRUE(fat16.Items[4].IsFolder);
  EXPECT_EQ(fat16.Items[4].FirstCluster, 9u);
  EXPECT_TRUE(fat16.ReachedEnd);
  const engine::FatDirectoryListing fat32 = engine::ParseFatDirectory(directory, true, 0, true);
  EXPECT_EQ(fat32.Items[4].FirstCluster, 0x10009u);
  EXPECT_TRUE(fat32.Items[0].Deleted);  // everything in a deleted directory is deleted
}

// Windows refuses these characters in names, but the entry is a file all the same:
// it is listed as stored and saving gives it a name the target accepts.
TEST(FatDirectoryEntryTest, NamesWithForbiddenCharactersAreListedAsStored) {
  EXPECT_TRUE(engine::IsValidFileName(u"Résumé (v2).txt"));
  for (const char16_t* bad : {u"a?b", u"a*b", u"a/b", u"a\\b", u"a<b", u"a>b", u"a|b", u"a\"b", u"a\x01" u"b"}) {
    EXPECT_FALSE(engine::IsValidFileName(bad));
    std::vector<uint8_t> directory = DirectoryWith(bad, "A_B     TXT", 0, ChecksumOf("A_B     TXT"), true);
    const engine::FatDirectoryListing listing = engine::ParseFatDirectory(directory, false, 0, false);
    ASSERT_EQ(listing.Items.size(), 1u);
    EXPECT_EQ(listing.Items[0].Name, bad);
  }
}

TEST(FatDirectoryEntryTest, TruncatedBuffersYieldNoEntryAndTheWholeOneItsName) {
  std::vector<uint8_t> directory = DirectoryWith(u"Some name.txt", "SOMENA~1TXT", 0, ChecksumOf("SOMENA~1TXT"), true);
  const size_t shortEntryEnd = 2 * 32;  // one long-name entry, then the short entry
  for (size_t size = 0; size <= directory.size(); ++size) {
    const std::span<const uint8_t> piece(directory.data(), size);
    const engine::FatDirectoryListing listing = engine::ParseFatDirectory(piece, true, 0, false);
    if (size < shortEntryEnd) {
      EXPECT_TRUE(listing.Items.empty()) << size;
    } else {
      ASSERT_EQ(listing.Items.size(), 1u) << size;
      EXPECT_EQ(listing.Items[0].Name, u"Some name.txt") << size;
    }
    EXPECT_EQ(engine::AssembleLongFileName(piece, 32).has_value(), size >= shortEntryEnd) << size;
    EXPECT_FALSE(engine::IsDirectoryStart(piece));
  }
}

}  // namespace
