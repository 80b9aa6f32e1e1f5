// The header walk over archives written by the test writer: members of both
// formats with their names, sizes, times, attributes and flags, and a table of
// damaged archives, each listing what precedes the damage and then stopping.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RarHeaderWalk.h"
#include "RarTestWriter.h"

using namespace rartest;
using preview::CRarHeaderWalk;
using preview::RarMember;
using preview::RarMemorySource;
using preview::RarStatus;

namespace {

constexpr uint32_t kDos2024_03_15_10_20_30 = (44u << 25) | (3u << 21) | (15u << 16) | (10u << 11) | (20u << 5) | 15u;
constexpr uint64_t kFileTime2024_03_15_10_20_30 = 133549716300000000ULL;  // UTC

struct Listing {
  RarStatus OpenStatus = preview::kRarSuccess;
  RarStatus EndStatus = preview::kRarSuccess;
  std::vector<RarMember> Members;
};

Listing List(const Bytes& bytes) {
  RarMemorySource source(bytes);
  CRarHeaderWalk walk(source);
  Listing listing;
  listing.OpenStatus = walk.Open();
  if (listing.OpenStatus != preview::kRarSuccess) return listing;
  RarMember member;
  while ((listing.EndStatus = walk.Next(member)) == preview::kRarSuccess) listing.Members.push_back(member);
  return listing;
}

Member Folder(const std::string& name) {
  Member member = File(name, 0, 0);
  member.Directory = true;
  member.Attributes = 0x10;
  return member;
}

}  // namespace

TEST(RarHeaderWalk, ListsRar4MembersWithTheirHeaderFields) {
  Member readme = File("docs\\readme.txt", 40, 100);
  readme.DosTime = kDos2024_03_15_10_20_30;
  readme.Attributes = 0x21;
  Member solid = File("b.bin", 3, 3);
  solid.ExtraFlags = 0x00C0 | preview::kRarFlagSolid;
  const Listing listing = List(Rar4Archive({readme, Folder("docs"), solid}, 0x0008));

  ASSERT_EQ(listing.OpenStatus, preview::kRarSuccess);
  EXPECT_EQ(listing.EndStatus, preview::kRarEndArchive);
  ASSERT_EQ(listing.Members.size(), 3u);
  const RarMember& first = listing.Members[0];
  EXPECT_EQ(first.Name, "docs\\readme.txt");
  EXPECT_EQ(first.Flags, 32960u);  // a file: long block and 4 MB dictionary
  EXPECT_EQ(first.PackedSize, 40u);
  EXPECT_EQ(first.UnpackedSize, 100u);
  EXPECT_EQ(first.DosTime, kDos2024_03_15_10_20_30);
  EXPECT_EQ(first.Attributes, 0x21u);
  EXPECT_EQ(first.FileCrc, 0x12345678u);
  EXPECT_EQ(first.DictionaryKb, 4096u);
  EXPECT_FALSE(first.IsDirectory);
  EXPECT_EQ(listing.Members[1].Flags, 32992u);  // a directory
  EXPECT_TRUE(listing.Members[1].IsDirectory);
  EXPECT_EQ(listing.Members[2].Flags, 32960u | preview::kRarFlagSolid);
}

TEST(RarHeaderWalk, Rar4SizesOf4GbAndMoreTakeTheirHighHalves) {
  // The packed data itself is not written, so the walk lists the member and then
  // finds the end of the file where the next header should be.
  const Listing listing = List(Rar4Archive({File("big.iso", 0x100000010ULL, 0x200000020ULL)}, 0, false));
  ASSERT_EQ(listing.Members.size(), 1u);
  EXPECT_EQ(listing.Members[0].PackedSize, 0x100000010ULL);
  EXPECT_EQ(listing.Members[0].UnpackedSize, 0x200000020ULL);
  EXPECT_EQ(listing.Members[0].Flags & preview::kRarFlagLargeSizes, preview::kRarFlagLargeSizes);
  EXPECT_EQ(listing.EndStatus, preview::kRarReadError);
}

TEST(RarHeaderWalk, Rar4NameEndsBeforeItsUnicodeForm) {
  Member member = File(std::string("caf\xE9.txt\0c\x00\x01", 12), 0, 0);
  member.ExtraFlags = 0x00C0 | preview::kRarFlagUnicodeName;
  const Listing listing = List(Rar4Archive({member}));
  ASSERT_EQ(listing.Members.size(), 1u);
  EXPECT_EQ(listing.Members[0].Name, "caf\xE9.txt");
}

TEST(RarHeaderWalk, Rar4ArchiveWithoutEndBlockEndsAtTheEndOfTheFile) {
  const Listing listing = List(Rar4Archive({File("a.txt", 5, 5)}, 0, false));
  EXPECT_EQ(listing.Members.size(), 1u);
  EXPECT_EQ(listing.EndStatus, preview::kRarEndArchive);
}

TEST(RarHeaderWalk, Rar4SkipsServiceBlocksBetweenMembers) {
  const Bytes comment = Rar4FileHeader(File("CMT", 4, 4), 0x7A);
  Bytes archive = Rar4Archive({File("a.txt", 2, 2)}, 0, false);
  archive = Concat({archive, comment, Bytes(4, 0), Rar4FileHeader(File("b.txt", 0, 0)), Rar4Block(0x7B, 0, {})});
  const Listing listing = List(archive);
  ASSERT_EQ(listing.Members.size(), 2u);
  EXPECT_EQ(listing.Members[1].Name, "b.txt");
}

TEST(RarHeaderWalk, ListsRar5MembersWithTheirHeaderFields) {
  Member report = File("docs/report.pdf", 700, 1000);
  report.ModifiedFileTime = kFileTime2024_03_15_10_20_30;
  report.Attributes = 0x06;
  Member locked = File("secret.txt", 16, 9);
  locked.Encrypted = true;
  locked.Solid = true;
  locked.ModifiedUnixTime = 1710498030;  // the same moment as a Unix time
  const Listing listing = List(Rar5Archive({report, Folder("docs"), locked}));

  ASSERT_EQ(listing.OpenStatus, preview::kRarSuccess);
  EXPECT_EQ(listing.EndStatus, preview::kRarEndArchive);
  ASSERT_EQ(listing.Members.size(), 3u);
  const RarMember& first = listing.Members[0];
  EXPECT_EQ(first.Name, "docs/report.pdf");
  EXPECT_EQ(first.Flags, 32960u);
  EXPECT_EQ(first.PackedSize, 700u);
  EXPECT_EQ(first.UnpackedSize, 1000u);
  EXPECT_EQ(first.ModifiedUtc, kFileTime2024_03_15_10_20_30);
  EXPECT_EQ(first.DosTime, kDos2024_03_15_10_20_30);  // the tests run with TZ=UTC
  EXPECT_EQ(first.Attributes, 0x06u);
  EXPECT_EQ(first.DictionaryKb, 4096u);
  EXPECT_EQ(listing.Members[1].Flags, 32992u);
  EXPECT_TRUE(listing.Members[1].IsDirectory);
  EXPECT_EQ(listing.Members[2].Flags, 32960u | preview::kRarFlagEncrypted | preview::kRarFlagSolid);
  EXPECT_EQ(listing.Members[2].ModifiedUtc, kFileTime2024_03_15_10_20_30);
}

TEST(RarHeaderWalk, Rar5SkipsServiceHeaders) {
  Bytes archive = Rar5Archive({File("a.txt", 3, 3)}, 0, false);
  Bytes endFields;
  PutVint(endFields, 0);
  archive = Concat({archive, Rar5FileHeader(File("CMT", 5, 5), 3), Bytes(5, 0), Rar5FileHeader(File("b", 0, 0)),
                    Rar5Block(5, 0, endFields)});
  const Listing listing = List(archive);
  ASSERT_EQ(listing.Members.size(), 2u);
  EXPECT_EQ(listing.Members[1].Name, "b");
}

namespace {

struct DamagedArchive {
  const char* Name;
  Bytes Archive;
  RarStatus OpenStatus;
  size_t MembersListed;
  RarStatus EndStatus;
};

Bytes Truncated(Bytes bytes, size_t cut) {
  bytes.resize(bytes.size() - cut);
  return bytes;
}

Bytes Flipped(Bytes bytes, size_t offset) {
  bytes[offset] ^= 0x40;
  return bytes;
}

Bytes Rar4WithMain(std::initializer_list<Bytes> blocks) {
  Bytes out = Concat({kRar4Signature, Rar4Block(0x73, 0, Bytes(6, 0))});
  for (const Bytes& block : blocks) out = Concat({out, block});
  return out;
}

Bytes Rar5WithMain(std::initializer_list<Bytes> blocks) {
  Bytes mainFields;
  PutVint(mainFields, 0);
  Bytes out = Concat({kRar5Signature, Rar5Block(1, 0, mainFields)});
  for (const Bytes& block : blocks) out = Concat({out, block});
  return out;
}

// A RAR 4 file header whose name length claims more bytes than the header holds.
Bytes Rar4NameBeyondHeader() {
  Bytes body;
  PutLe(body, 0, 4);
  PutLe(body, 0, 4);
  body.push_back(2);
  PutLe(body, 0, 4);
  PutLe(body, 0, 4);
  body.push_back(29);
  body.push_back(0x30);
  PutLe(body, 500, 2);
  PutLe(body, 0x20, 4);
  body.insert(body.end(), {'a', 'b'});
  return Rar4Block(0x74, 0x8000, body);
}

// A RAR 4 file header too short for its own fixed fields.
Bytes Rar4ShortFileHeader() { return Rar4Block(0x74, 0x8000, Bytes(10, 0)); }

// A RAR 4 block whose size field is below the seven base bytes.
Bytes Rar4SizeBelowBase() {
  Bytes block = Rar4Block(0x7A, 0, {});
  block[5] = 3;
  block[6] = 0;
  return block;
}

// A RAR 4 file header with the largest packed size, whose data runs past any file.
Bytes Rar4PackedSizeOverflow() {
  Member member = File("x", 0xFFFFFFFFFFFFFFFFULL, 1);
  return Rar4FileHeader(member);
}

Bytes Rar5HeaderSize(uint64_t size, const Bytes& after) {
  Bytes block = {0, 0, 0, 0};
  PutVint(block, size);
  return Concat({block, after});
}

// The fields of a RAR 5 file header without time or checksum, for a name of
// `nameLength` bytes of which `name` is written.
Bytes Rar5BareFileFields(uint64_t nameLength, const std::string& name) {
  Bytes fields;
  for (uint64_t value : {0, 0, 0x20, 0, 0}) PutVint(fields, value);  // flags, size, attributes, method, host
  PutVint(fields, nameLength);
  fields.insert(fields.end(), name.begin(), name.end());
  return fields;
}

// A RAR 5 file header whose name length runs past the header.
Bytes Rar5NameBeyondHeader() { return Rar5Block(2, 0, Rar5BareFileFields(4000, "name")); }

// A RAR 5 file header whose extra area claims more than the header holds.
Bytes Rar5ExtraBeyondHeader() {
  Bytes header;
  PutVint(header, 2);
  PutVint(header, 1);
  PutVint(header, 200);  // extra area size
  return Rar5Sealed(Concat({header, Rar5BareFileFields(1, "a")}));
}

// A RAR 5 file-time record cut short inside its modification time.
Bytes Rar5TimeRecordCutShort() {
  const Bytes record = {3, 2, 1, 2, 3};  // type, flags with a modification time, three of its eight bytes
  Bytes extra;
  PutVint(extra, record.size());
  extra.insert(extra.end(), record.begin(), record.end());
  return Rar5Block(2, 0, Rar5BareFileFields(1, "t"), extra);
}

// A RAR 5 vint of eleven bytes.
Bytes Rar5OverlongVint() {
  Bytes fields(11, 0xFF);
  return Rar5Block(2, 0, fields);
}

std::vector<DamagedArchive> DamagedArchives() {
  const Bytes rar4 = Rar4Archive({File("a.txt", 4, 4), File("b.txt", 4, 4)});
  const Bytes rar5 = Rar5Archive({File("a.txt", 4, 4), File("b.txt", 4, 4)});
  const size_t rar4SecondHeader = kRar4Signature.size() + 13 + Rar4FileHeader(File("a.txt", 4, 4)).size() + 4;
  const size_t rar5SecondHeader = rar5.size() - Rar5FileHeader(File("b.txt", 4, 4)).size() - 4 - 8;
  Bytes rar5EncryptionFields;
  PutVint(rar5EncryptionFields, 0);
  return {
      {"empty file", {}, preview::kRarUnknownFormat, 0, preview::kRarSuccess},
      {"not an archive", Bytes(64, 'x'), preview::kRarUnknownFormat, 0, preview::kRarSuccess},
      {"rar4 signature only", kRar4Signature, preview::kRarBadArchive, 0, preview::kRarSuccess},
      {"rar5 signature only", kRar5Signature, preview::kRarBadArchive, 0, preview::kRarSuccess},
      {"rar4 main header checksum", Flipped(rar4, 10), preview::kRarBadData, 0, preview::kRarSuccess},
      {"rar4 first block not the main header", Concat({kRar4Signature, Rar4FileHeader(File("a", 0, 0))}),
       preview::kRarBadArchive, 0, preview::kRarSuccess},
      {"rar4 encrypted headers", Rar4Archive({File("a", 0, 0)}, 0x0080), preview::kRarMissingPassword, 0,
       preview::kRarSuccess},
      {"rar4 second header checksum", Flipped(rar4, rar4SecondHeader + 20), preview::kRarSuccess, 1,
       preview::kRarBadData},
      {"rar4 cut inside second header", Truncated(rar4, rar4.size() - rar4SecondHeader - 10), preview::kRarSuccess,
       1, preview::kRarReadError},
      {"rar4 cut inside base header", Truncated(rar4, rar4.size() - rar4SecondHeader - 3), preview::kRarSuccess, 1,
       preview::kRarReadError},
      {"rar4 name beyond header", Rar4WithMain({Rar4NameBeyondHeader()}), preview::kRarSuccess, 0,
       preview::kRarBadData},
      {"rar4 file header too short", Rar4WithMain({Rar4ShortFileHeader()}), preview::kRarSuccess, 0,
       preview::kRarBadData},
      {"rar4 size below base", Rar4WithMain({Rar4SizeBelowBase()}), preview::kRarSuccess, 0, preview::kRarBadData},
      {"rar4 packed size past every offset", Rar4WithMain({Rar4PackedSizeOverflow(), Rar4Block(0x7B, 0, {})}),
       preview::kRarSuccess, 0, preview::kRarBadData},
      {"rar5 main header checksum", Flipped(rar5, 13), preview::kRarBadData, 0, preview::kRarSuccess},
      {"rar5 encrypted headers", Concat({kRar5Signature, Rar5Block(4, 0, rar5EncryptionFields)}),
       preview::kRarMissingPassword, 0, preview::kRarSuccess},
      {"rar5 second header checksum", Flipped(rar5, rar5SecondHeader + 10), preview::kRarSuccess, 1,
       preview::kRarBadData},
      {"rar5 cut inside second header", Truncated(rar5, rar5.size() - rar5SecondHeader - 9), preview::kRarSuccess,
       1, preview::kRarReadError},
      {"rar5 header size zero", Rar5WithMain({Rar5HeaderSize(0, Bytes(8, 0))}), preview::kRarSuccess, 0,
       preview::kRarBadData},
      {"rar5 header size beyond limit", Rar5WithMain({Rar5HeaderSize(0x7FFFFFFF, Bytes(8, 0))}),
       preview::kRarSuccess, 0, preview::kRarBadData},
      {"rar5 header size past the file", Rar5WithMain({Rar5HeaderSize(1000, Bytes(8, 0))}), preview::kRarSuccess,
       0, preview::kRarReadError},
      {"rar5 name beyond header", Rar5WithMain({Rar5NameBeyondHeader()}), preview::kRarSuccess, 0,
       preview::kRarBadData},
      {"rar5 extra area beyond header", Rar5WithMain({Rar5ExtraBeyondHeader()}), preview::kRarSuccess, 0,
       preview::kRarBadData},
      {"rar5 time record cut short", Rar5WithMain({Rar5TimeRecordCutShort()}), preview::kRarSuccess, 0,
       preview::kRarBadData},
      {"rar5 overlong vint", Rar5WithMain({Rar5OverlongVint()}), preview::kRarSuccess, 0, preview::kRarBadData},
  };
}

}  // namespace

TEST(RarHeaderWalk, DamagedArchivesListWhatPrecedesTheDamage) {
  for (const DamagedArchive& damaged : DamagedArchives()) {
    SCOPED_TRACE(damaged.Name);
    const Listing listing = List(damaged.Archive);
    EXPECT_EQ(listing.OpenStatus, damaged.OpenStatus);
    if (damaged.OpenStatus != preview::kRarSuccess) continue;
    EXPECT_EQ(listing.Members.size(), damaged.MembersListed);
    EXPECT_EQ(listing.EndStatus, damaged.EndStatus);
  }
}

TEST(RarHeaderWalk, AFailedWalkStaysFailed) {
  Bytes archive = Rar4Archive({File("a.txt", 4, 4)});
  archive[archive.size() - 5] ^= 1;  // the end block's checksum
  RarMemorySource source(archive);
  CRarHeaderWalk walk(source);
  ASSERT_EQ(walk.Open(), preview::kRarSuccess);
  RarMember member;
  EXPECT_EQ(walk.Next(member), preview::kRarSuccess);
  EXPECT_EQ(walk.Next(member), preview::kRarBadData);
  EXPECT_EQ(walk.Next(member), preview::kRarBadData);
}
