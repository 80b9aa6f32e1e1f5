#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "SnapshotTestContext.h"
#include "snapshot/SnapshotDecoder.h"
#include "snapshot/SnapshotEncoder.h"

namespace {

using namespace engine::snapshot;
using Bytes = std::vector<uint8_t>;

class SnapshotDecoderTest : public testing::Test {
 protected:
  SnapshotDecoderTest() {
    ctx.SourceSelection = {200, 0, 5000, 4999, 2};
    ctx.ActiveVolume.FileSystemCode = engine::kFileSystemFat32;
    ctx.ActiveVolume.SectorsPerCluster = 8;
    ctx.SourceDevice.DriveNumber = 9;
    ctx.SourceDevice.SourceKind = engine::kSourceLogicalDrive;
  }
  // One folder and one file.
  Bytes FatSnapshot() {
    t.AddFatFolder(u"Photo", 7, 0);
    t.AddFatFile(u"a.txt", 9, 7, 1234);
    return EncodeScanSnapshot(ctx, kMarkerQuickScan);
  }
  snapshottest::SnapshotTestContext t;
  engine::EngineContext& ctx = t.ctx;
};

TEST_F(SnapshotDecoderTest, FatRoundTripGivesTheRecordsBack) {
  t.AddFatFolder(u"Photo", 7, 0, 1);
  t.AddFatFile(u"a.txt", 9, 7, 1234);
  t.AddFatFile(u"b.txt", 10, 0, 1);
  const DecodedSnapshot decoded = DecodeSnapshot(EncodeScanSnapshot(ctx, kMarkerQuickScan));
  ASSERT_EQ(decoded.Defect, SnapshotDefect::None) << DefectName(decoded.Defect);
  const SnapshotContents& c = *decoded.Contents;
  EXPECT_EQ(c.Header.Marker, kMarkerQuickScan);
  EXPECT_EQ(c.Header.Selection.SectorCount, 5000u);
  EXPECT_EQ(c.Header.Volume.SectorsPerCluster, 8u);
  EXPECT_EQ(c.Trailer.DriveNumber, 9);
  ASSERT_EQ(c.FatFolders.size(), 1u);
  EXPECT_EQ(c.FatFolders[0].Name, u"Photo");
  EXPECT_EQ(c.FatFolders[0].Deleted, 1u);
  ASSERT_EQ(c.FatFiles.size(), 2u);
  EXPECT_EQ(c.FatFiles[1].Name, u"b.txt");
  EXPECT_EQ(c.FatFiles[0].ParentCluster, 7u);
  EXPECT_EQ(c.FatFiles[0].Size, 1234u);
  EXPECT_EQ(c.FatFiles[0].WriteDate, 0x5031);
}

TEST_F(SnapshotDecoderTest, NamesOfAnyStoredLengthReadBack) {
  ctx.ActiveVolume.FileSystemCode = engine::kFileSystemNtfs;
  for (std::size_t length : {std::size_t{0}, std::size_t{255}, std::size_t{256}, kMaxStoredNameUnits}) {
    engine::ReleaseFatAndTreeLists(ctx);
    const std::u16string name(length, u'\u00e9');
    engine::AddTreeFolder(ctx, engine::TreeFolderNode{name, 40, 5, 0, 0, 0, 0});
    engine::AddTreeFile(ctx, engine::TreeFileNode{name, 41, 40, 0, 0, 1, 0, 77});
    const DecodedSnapshot decoded = DecodeSnapshot(EncodeScanSnapshot(ctx, kMarkerQuickScan));
    ASSERT_EQ(decoded.Defect, SnapshotDefect::None) << length;
    EXPECT_EQ(decoded.Contents->NtfsFolders.at(0).Name, name);
    EXPECT_EQ(decoded.Contents->NtfsFiles.at(0).Name, name);
    EXPECT_EQ(decoded.Contents->NtfsFiles.at(0).DataRecordSector, 77u);
  }
}

TEST_F(SnapshotDecoderTest, FileTraceRoundTrip) {
  engine::AppendSelectedSignature(ctx, engine::SelectedSignature{u".jpg", u"JPEG Image", 3, "FFD8FF", 0});
  engine::AppendCarvedFile(ctx, engine::CarvedFile{u"1.jpg", u".jpg", u"JPEG Image", 4096, 1});
  engine::AppendCarvedFile(ctx, engine::CarvedFile{u"2.jpg", u".jpg", u"JPEG Image", 8192, 2});
  const DecodedSnapshot decoded = DecodeSnapshot(EncodeFileTraceSnapshot(ctx));
  ASSERT_EQ(decoded.Defect, SnapshotDefect::None);
  const SnapshotContents& c = *decoded.Contents;
  ASSERT_EQ(c.Signatures.size(), 1u);
  EXPECT_EQ(c.Signatures[0].SignatureText, "FFD8FF");
  EXPECT_EQ(c.Signatures[0].TypeName, u"JPEG Image");
  ASSERT_EQ(c.Hits.size(), 2u);
  EXPECT_EQ(c.Hits[1].DisplayName, u"2.jpg");
  EXPECT_EQ(c.Hits[1].StartSector, 8192u);
  EXPECT_EQ(c.Hits[1].RunningNumber, 2u);
}

TEST_F(SnapshotDecoderTest, EveryShorterFileFails) {
  const Bytes whole = FatSnapshot();
  for (std::size_t length = 0; length < whole.size(); ++length) {
    const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
    const DecodedSnapshot decoded = DecodeSnapshot(cut);
    EXPECT_FALSE(decoded.Contents.has_value()) << length;
    EXPECT_NE(decoded.Defect, SnapshotDefect::None) << length;
  }
}

struct DamageCase {
  const char* Name;
  std::function<void(Bytes&)> Damage;
  SnapshotDefect Expected;
};

// Offsets in the FAT snapshot: folder record at 84 ("Photo": 29 bytes), file count
// at 113, file record at 117 (37 bytes), trailer at 154.
constexpr std::size_t kFolderCountAt = kHeaderSize;
constexpr std::size_t kFolderAt = kHeaderSize + 4;
constexpr std::size_t kFileCountAt = kFolderAt + 29;
constexpr std::size_t kFileAt = kFileCountAt + 4;
constexpr std::size_t kTrailerAt = kFileAt + 37;

void Put16(Bytes& b, std::size_t at, uint16_t v) {
  b[at] = static_cast<uint8_t>(v);
  b[at + 1] = static_cast<uint8_t>(v >> 8);
}
void Put32(Bytes& b, std::size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

class SnapshotDamageTest : public SnapshotDecoderTest, public testing::WithParamInterface<DamageCase> {};

TEST_P(SnapshotDamageTest, FailsWithItsDefect) {
  Bytes bytes = FatSnapshot();
  ASSERT_EQ(bytes.size(), kTrailerAt + kTrailerSize);
  GetParam().Damage(bytes);
  const DecodedSnapshot decoded = DecodeSnapshot(bytes);
  EXPECT_FALSE(decoded.Contents.has_value());
  EXPECT_EQ(decoded.Defect, GetParam().Expected) << DefectName(decoded.Defect);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SnapshotDamageTest,
    testing::Values(
        DamageCase{"UnknownMarker", [](Bytes& b) { b[0] = 'X'; }, SnapshotDefect::UnknownMarker},
        DamageCase{"TagByte", [](Bytes& b) { b[8] = '5'; }, SnapshotDefect::BadTag},
        DamageCase{"VersionByte", [](Bytes& b) { b[11] = ','; }, SnapshotDefect::BadVersion},
        DamageCase{"FolderCountBeyondFile", [](Bytes& b) { Put32(b, kFolderCountAt, 0xFFFFFFFF); },
                   SnapshotDefect::CountBeyondFile},
        DamageCase{"FileCountBeyondFile", [](Bytes& b) { Put32(b, kFileCountAt, 3); },
                   SnapshotDefect::CountBeyondFile},
        // The folder record is then read as the file count.
        DamageCase{"FolderCountTooSmall", [](Bytes& b) { Put32(b, kFolderCountAt, 0); },
                   SnapshotDefect::CountBeyondFile},
        DamageCase{"FolderValueBelowFixedFields", [](Bytes& b) { Put16(b, kFolderAt, 16); },
                   SnapshotDefect::BadNameLength},
        DamageCase{"FolderValueOdd", [](Bytes& b) { Put16(b, kFolderAt, 28); }, SnapshotDefect::BadNameLength},
        DamageCase{"FolderValuePastFile", [](Bytes& b) { Put16(b, kFolderAt, 0xFFFF); },
                   SnapshotDefect::RecordCutShort},
        DamageCase{"FileValueBelowFixedFields", [](Bytes& b) { Put16(b, kFileAt, 24); },
                   SnapshotDefect::BadNameLength},
        DamageCase{"FileValueLonger", [](Bytes& b) { Put16(b, kFileAt, 37); }, SnapshotDefect::ShortTrailer},
        DamageCase{"ByteAfterTrailer", [](Bytes& b) { b.push_back(0); }, SnapshotDefect::TrailingBytes},
        DamageCase{"DriveNumberBeyondTable", [](Bytes& b) { Put16(b, kTrailerAt, 10); },
                   SnapshotDefect::DriveNumberOutOfRange},
        DamageCase{"SourceKindUnknown", [](Bytes& b) { Put16(b, kTrailerAt + 2, 7); },
                   SnapshotDefect::UnknownSourceKind},
        DamageCase{"LogicalDriveIndexBeyondTable", [](Bytes& b) { Put16(b, 26, 26); },
                   SnapshotDefect::EntryIndexOutOfRange},
        DamageCase{"PartitionIndexBeyondTable",
                   [](Bytes& b) {
                     Put16(b, kTrailerAt + 2, engine::kSourceWholeDisk);
                     Put16(b, 26, 25);
                   },
                   SnapshotDefect::EntryIndexOutOfRange}),
    [](const testing::TestParamInfo<DamageCase>& info) { return info.param.Name; });

}  // namespace
