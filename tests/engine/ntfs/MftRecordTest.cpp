#include <gtest/gtest.h>

#include "RecordBuilder.h"
#include "ntfs/IndexBlock.h"
#include "ntfs/RecordFields.h"

using namespace engine::ntfs;
using ntfstest::FileNameValue;
using ntfstest::RecordBuilder;

namespace {

TEST(UpdateSequenceFixup, RestoresSectorTailsKeepsTornRecordsAndRejectsMalformedArrays) {
  RecordBuilder builder;
  builder.Resident(kAttrFileName, FileNameValue(u"a.txt", kNamespaceWin32, 5));
  std::vector<uint8_t> record = builder.Finish(0x1234);
  std::vector<uint8_t> torn = record;
  EXPECT_EQ(record[510], 0x34);
  ASSERT_EQ(ApplyUpdateSequenceFixup(record), UpdateSequence::Whole);
  EXPECT_EQ(record[510], 0);  // the original bytes are back

  torn[1022] ^= 0xFF;  // the second sector was written by something else
  EXPECT_EQ(ApplyUpdateSequenceFixup(torn), UpdateSequence::Torn);
  EXPECT_EQ(torn, record) << "a torn record is fixed up all the same";

  std::vector<uint8_t> badArray = builder.Finish();
  ntfstest::Put16(badArray, 4, 1020);  // array outside the header
  EXPECT_EQ(ApplyUpdateSequenceFixup(badArray), UpdateSequence::Malformed);
  ntfstest::Put16(badArray, 4, 48);
  ntfstest::Put16(badArray, 6, 40);  // more sectors than the record has
  EXPECT_EQ(ApplyUpdateSequenceFixup(badArray), UpdateSequence::Malformed);
}

struct NameCase {
  const char* label;
  std::vector<std::pair<std::u16string, uint8_t>> names;  // in record order
  std::u16string expected;                               // empty: no name
};

class DisplayNameTest : public testing::TestWithParam<NameCase> {};

TEST_P(DisplayNameTest, PicksWin32ThenWin32AndDosThenDos) {
  RecordBuilder builder;
  for (const auto& [name, space] : GetParam().names) builder.Resident(kAttrFileName, FileNameValue(name, space, 7));
  std::vector<uint8_t> record = builder.Finish();
  ASSERT_EQ(ApplyUpdateSequenceFixup(record), UpdateSequence::Whole);
  const auto name = FindDisplayName(record);
  if (GetParam().expected.empty()) {
    EXPECT_FALSE(name);
  } else {
    ASSERT_TRUE(name);
    EXPECT_EQ(name->Name, GetParam().expected);
    EXPECT_EQ(name->ParentRecord, 7u);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Namespaces, DisplayNameTest,
    testing::Values(NameCase{"DosBeforeWin32", {{u"LONGFI~1.TXT", kNamespaceDos}, {u"Long file.txt", kNamespaceWin32}},
                             u"Long file.txt"},
                    NameCase{"OnlyDos", {{u"ONLY~1.TXT", kNamespaceDos}}, u"ONLY~1.TXT"},
                    NameCase{"Posix", {{u"posix:name", kNamespacePosix}}, u"posix:name"},
                    NameCase{"Win32AndDos", {{u"SHORT.TXT", kNamespaceWin32AndDos}}, u"SHORT.TXT"},
                    NameCase{"UnknownNamespace", {{u"odd", 9}}, u""},
                    NameCase{"NoName", {}, u""}),
    [](const auto& info) { return info.param.label; });

TEST(RecordFields, NameLengthPastTheAttributeIsNoName) {
  RecordBuilder builder;
  std::vector<uint8_t> value = FileNameValue(u"abc", kNamespaceWin32, 5);
  value[64] = 200;  // 66 + 400 bytes would run far past the value
  builder.Resident(kAttrFileName, value);
  std::vector<uint8_t> record = builder.Finish();
  ASSERT_EQ(ApplyUpdateSequenceFixup(record), UpdateSequence::Whole);
  EXPECT_FALSE(FindDisplayName(record));
}

TEST(RecordFields, AttributeLengthPastTheBytesInUseEndsTheWalk) {
  RecordBuilder builder;
  const std::size_t at = builder.Resident(kAttrFileName, FileNameValue(u"abc", kNamespaceWin32, 5));
  std::vector<uint8_t> record = builder.Finish();
  ntfstest::Put32(record, at + 4, 0x7FFFFFF0);
  ASSERT_EQ(ApplyUpdateSequenceFixup(record), UpdateSequence::Whole);
  EXPECT_TRUE(ListAttributes(record).empty());
}

TEST(RecordFields, DataSizeComesFromTheUnnamedStreamThatStartsAtVcnZero) {
  RecordBuilder builder;
  builder.Resident(kAttrData, std::vector<uint8_t>(10, 1), u"stream");  // an alternate stream
  builder.NonResident(kAttrData, {0x11, 0x04, 0x20}, 999, /*lowestVcn=*/8);  // a later extent
  builder.Resident(kAttrData, std::vector<uint8_t>(37, 2));
  std::vector<uint8_t> record = builder.Finish();
  ASSERT_EQ(ApplyUpdateSequenceFixup(record), UpdateSequence::Whole);
  EXPECT_EQ(GetDataSize(record), 37u);

  RecordBuilder onlyNamed;
  onlyNamed.Resident(kAttrData, std::vector<uint8_t>(10, 1), u"stream");
  std::vector<uint8_t> named = onlyNamed.Finish();
  ASSERT_EQ(ApplyUpdateSequenceFixup(named), UpdateSequence::Whole);
  EXPECT_FALSE(GetDataSize(named));
}

TEST(RecordFields, ResidentValueOutsideItsAttributeIsRejected) {
  RecordBuilder builder;
  const std::size_t at = builder.Resident(kAttrData, std::vector<uint8_t>(16, 3));
  std::vector<uint8_t> record = builder.Finish();
  ntfstest::Put32(record, at + 16, 5000);
  ASSERT_EQ(ApplyUpdateSequenceFixup(record), UpdateSequence::Whole);
  EXPECT_FALSE(GetDataSize(record));
}

TEST(RecordFields, AttributeListEntriesAndExtensionRecords) {
  std::vector<uint8_t> list(64, 0);
  for (int i = 0; i < 2; ++i) {
    ntfstest::Put32(list, i * 32, kAttrData);
    ntfstest::Put16(list, i * 32 + 4, 32);
    ntfstest::Put64(list, i * 32 + 8, i * 100);
    ntfstest::Put64(list, i * 32 + 16, 40 + i);
  }
  RecordBuilder builder(1);
  builder.Resident(kAttrAttributeList, list);
  std::vector<uint8_t> record = builder.Finish();
  ASSERT_EQ(ApplyUpdateSequenceFixup(record), UpdateSequence::Whole);
  const auto entries = ResidentAttributeList(record);
  ASSERT_TRUE(entries);
  ASSERT_EQ(entries->size(), 2u);
  EXPECT_EQ((*entries)[1].SegmentRecord, 41u);
  EXPECT_EQ((*entries)[1].StartingVcn, 100u);

  RecordBuilder extension(1, /*baseRecord=*/40);
  std::vector<uint8_t> ext = extension.Finish();
  ASSERT_EQ(ApplyUpdateSequenceFixup(ext), UpdateSequence::Whole);
  EXPECT_EQ(ReadRecordHeader(ext)->BaseRecord, 40u);
}

// An $INDEX_ROOT value whose first entry names `child` with parent `owner`.
std::vector<uint8_t> IndexRootValue(const std::u16string& child, uint32_t owner) {
  const std::vector<uint8_t> key = FileNameValue(child, kNamespaceWin32, owner);
  const std::size_t entryLength = (16 + key.size() + 7) & ~std::size_t{7};
  std::vector<uint8_t> value(32 + entryLength + 16, 0);
  ntfstest::Put32(value, 16, 16);  // first entry right after the index header
  ntfstest::Put16(value, 32 + 8, static_cast<uint16_t>(entryLength));
  ntfstest::Put16(value, 32 + 10, static_cast<uint16_t>(key.size()));
  std::copy(key.begin(), key.end(), value.begin() + 48);
  ntfstest::Put16(value, 32 + entryLength + 8, 16);
  ntfstest::Put16(value, 32 + entryLength + 12, 2);  // the last entry
  return value;
}

TEST(RecordFields, IndexRootOwnIdAndFirstIndexCluster) {
  RecordBuilder builder(3);
  builder.Resident(kAttrIndexRoot, IndexRootValue(u"child.txt", 77), u"$I30");
  builder.NonResident(kAttrIndexAllocation, {0x21, 0x01, 0x34, 0x12}, 4096, 0, u"$I30");
  std::vector<uint8_t> record = builder.Finish();
  ASSERT_EQ(ApplyUpdateSequenceFixup(record), UpdateSequence::Whole);
  EXPECT_EQ(FindIndexRootOwnId(record), 77u);
  EXPECT_EQ(FirstIndexAllocationCluster(record), 0x1234u);

  RecordBuilder other(3);
  other.Resident(kAttrIndexRoot, IndexRootValue(u"child.txt", 77), u"$SDH");
  std::vector<uint8_t> notI30 = other.Finish();
  ASSERT_EQ(ApplyUpdateSequenceFixup(notI30), UpdateSequence::Whole);
  EXPECT_EQ(FindIndexRootOwnId(notI30), 0u);
}

struct IndxSizeCase {
  uint32_t allocatedSize;
  bool accepted;
};

class IndxSizeTest : public testing::TestWithParam<IndxSizeCase> {};

TEST_P(IndxSizeTest, BlocksAboveSixtyFourKilobytesAreIgnored) {
  std::vector<uint8_t> sector(512, 0);
  sector[0] = 'I', sector[1] = 'N', sector[2] = 'D', sector[3] = 'X';
  ntfstest::Put32(sector, 32, GetParam().allocatedSize);
  EXPECT_EQ(IndxBlockSize(sector).has_value(), GetParam().accepted);
}

INSTANTIATE_TEST_SUITE_P(Sizes, IndxSizeTest,
                         testing::Values(IndxSizeCase{4072, true}, IndxSizeCase{65512, true},
                                         IndxSizeCase{69608, false}, IndxSizeCase{0xFFFFFFFF, false}));

TEST(IndexBlock, EntriesStopAtTheBlockEnd) {
  std::vector<uint8_t> block(1024, 0);
  block[0] = 'I', block[1] = 'N', block[2] = 'D', block[3] = 'X';
  const std::vector<uint8_t> key = FileNameValue(u"x", kNamespaceWin32, 5);
  ntfstest::Put32(block, 24, 40);    // first entry at 64
  ntfstest::Put32(block, 28, 1000);  // entries end at 1024
  ntfstest::Put64(block, 64, 99);
  ntfstest::Put16(block, 64 + 8, 88);
  ntfstest::Put16(block, 64 + 10, static_cast<uint16_t>(key.size()));
  std::copy(key.begin(), key.end(), block.begin() + 80);
  ntfstest::Put16(block, 152 + 8, 0xFFF0);  // second entry claims to run past the block
  const auto parsed = ParseIndxBlock(block);
  ASSERT_TRUE(parsed);
  ASSERT_EQ(parsed->Entries.size(), 1u);
  EXPECT_EQ(parsed->Entries[0].FileRecord, 99u);
  EXPECT_EQ(parsed->Entries[0].Key.ParentRecord, 5u);
}

}  // namespace
