#include <gtest/gtest.h>

#include <vector>

#include "SnapshotTestContext.h"
#include "snapshot/SnapshotEncoder.h"
#include "snapshot/SnapshotFormat.h"

namespace {

using namespace engine::snapshot;
using Bytes = std::vector<uint8_t>;

Bytes Slice(const Bytes& bytes, std::size_t offset, std::size_t length) {
  return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(offset),
               bytes.begin() + static_cast<std::ptrdiff_t>(offset + length));
}

class SnapshotEncoderTest : public testing::Test {
 protected:
  snapshottest::SnapshotTestContext t;
  engine::EngineContext& ctx = t.ctx;
};

TEST_F(SnapshotEncoderTest, HeaderAndTrailerHoldTheSelectionGeometryAndSource) {
  ctx.SourceSelection = {200, 0x3F, 0x1000, 0x103E, 3};
  engine::VolumeParameters& v = ctx.ActiveVolume;
  v = {400, 1, 2, 3, 0xDEAD, 4, 5, 6, 7, 8, 9, 10, 11, 12};  // RootDirStart is not stored
  ctx.ActiveVolumeNumber = 2;
  ctx.SourceDevice.DriveNumber = 1;
  ctx.SourceDevice.SourceKind = engine::kSourceWholeDisk;

  const Bytes expected = {
      0x44, 0x00, 0x62, 0x00, 0x72, 0x00, 0x78, 0x00, 0x34, 0x31, 0x00, 0x2E,  // "D", tag, version
      0xC8, 0x00, 0x3F, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x00, 0x3E, 0x10, 0x00, 0x00, 0x03, 0x00,
      0x90, 0x01,  // file-system code 400: no body
      1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, 4, 0, 0, 0, 5, 0, 0, 0, 6, 0, 0, 0,
      7, 0, 0, 0, 8, 0, 0, 0, 9, 0, 0, 0, 10, 0, 0, 0, 11, 0, 0, 0, 12, 0, 0, 0,
      0x02, 0x00,              // volume number
      0x01, 0x00, 0x01, 0x00,  // drive number, source kind
  };
  EXPECT_EQ(EncodeScanSnapshot(ctx, kMarkerQuickScan), expected);
}

TEST_F(SnapshotEncoderTest, FiveCharacterNamesGiveFatRecordsOf29And37Bytes) {
  ctx.ActiveVolume.FileSystemCode = engine::kFileSystemFat32;
  t.AddFatFolder(u"Photo", 0x11223344, 0, 1);
  t.AddFatFile(u"a.txt", 0x55667788, 0x11223344, 0x01020304);
  const Bytes bytes = EncodeScanSnapshot(ctx, kMarkerQuickScan);
  ASSERT_EQ(bytes.size(), kHeaderSize + 4 + 29 + 4 + 37 + kTrailerSize);

  EXPECT_EQ(Slice(bytes, kHeaderSize, 4), (Bytes{1, 0, 0, 0}));
  const Bytes folder = {27, 0, 'P', 0, 'h', 0, 'o', 0, 't', 0, 'o', 0, 0, 0,  // value, name, terminator
                        0x44, 0x33, 0x22, 0x11, 0, 0, 0, 0,                   // first and parent cluster
                        0x21, 0x50, 0x22, 0x50, 1, 0, 0};                     // dates, deleted, spare
  EXPECT_EQ(Slice(bytes, kHeaderSize + 4, 29), folder);

  EXPECT_EQ(Slice(bytes, kHeaderSize + 33, 4), (Bytes{1, 0, 0, 0}));
  const Bytes file = {35, 0, 'a', 0, '.', 0, 't', 0, 'x', 0, 't', 0, 0, 0, 0, 0,
                      0x88, 0x77, 0x66, 0x55, 0x44, 0x33, 0x22, 0x11,  // first and parent cluster
                      0x31, 0x50, 0x32, 0x50, 0x04, 0x03, 0x02, 0x01,  // dates, size
                      0, 0, 0, 0, 0};                                  // deleted, file index 0
  EXPECT_EQ(Slice(bytes, kHeaderSize + 37, 37), file);
}

TEST_F(SnapshotEncoderTest, NtfsRecordsOfQuickAndExtensiveScan) {
  ctx.ActiveVolume.FileSystemCode = engine::kFileSystemNtfs;
  ctx.ActiveVolume.ClusterBase = 100;
  ctx.ActiveVolume.EndSector = 200;
  engine::AddTreeFolder(ctx, engine::TreeFolderNode{u"Dir", 40, 5, 0x0102, 0x0304, 0, 1});
  engine::AddTreeFile(ctx, engine::TreeFileNode{u"f", 41, 40, 7, 8, 9, 0, 0x1234});
  // The raw scan's files: only those after the volume's first sector and up to its end.
  for (uint32_t sector : {100u, 150u, 200u, 201u}) {
    engine::AddNtfsFile(ctx, engine::NtfsFileNode{u"g", sector, 40, 7, 8, 9, 0});
  }

  const Bytes quick = EncodeScanSnapshot(ctx, kMarkerQuickScan);
  const std::size_t folderAt = kHeaderSize + 4;
  const Bytes folder = {37, 0, 'D', 0, 'i', 0, 'r', 0, 0, 0, 0, 0, 40, 0, 0, 0, 5, 0, 0, 0,
                        0x02, 0x01, 0, 0, 0, 0, 0, 0, 0x04, 0x03, 0, 0, 0, 0, 0, 0, 1, 0, 0};
  EXPECT_EQ(Slice(quick, folderAt, 2 * 3 + 33), folder);
  const std::size_t fileAt = folderAt + folder.size() + 4;
  const Bytes file = {43, 0, 0x34, 0x12, 0, 0, 'f', 0, 0, 0, 0, 0, 41, 0, 0, 0, 40, 0, 0, 0,
                      7, 0, 0, 0, 0, 0, 0, 0, 8, 0, 0, 0, 0, 0, 0, 0, 0, 9, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(Slice(quick, fileAt, 2 + 43), file);
  EXPECT_EQ(quick.size(), fileAt + file.size() + kTrailerSize);

  const Bytes extensive = EncodeScanSnapshot(ctx, kMarkerExtensiveScan);
  EXPECT_EQ(Slice(extensive, fileAt - 4, 4), (Bytes{2, 0, 0, 0}));
  EXPECT_EQ(Slice(extensive, fileAt + 2, 4), (Bytes{150, 0, 0, 0}));  // record sector as the ID
  EXPECT_EQ(Slice(extensive, fileAt + 12, 4), (Bytes{0, 0, 0, 0}));   // no id
  EXPECT_EQ(Slice(extensive, fileAt + 45 + 2, 4), (Bytes{200, 0, 0, 0}));
  EXPECT_EQ(extensive.size(), fileAt + 2 * 45 + kTrailerSize);
}

TEST_F(SnapshotEncoderTest, FileTraceSignatureAndHitRecords) {
  engine::AppendSelectedSignature(ctx, engine::SelectedSignature{u".doc", u"Word", 8, "D0CF", 3});
  engine::AppendCarvedFile(ctx, engine::CarvedFile{u"1.doc", u".doc", u"Word", 0x0A0B, 1});
  const Bytes bytes = EncodeFileTraceSnapshot(ctx);
  ASSERT_EQ(bytes[0], 'R');
  const Bytes signature = {25, 0, '.', 0, 'd', 0, 'o', 0, 'c', 0, 0, 0,  // 2e + 17, extension
                           25, 0, 'W', 0, 'o', 0, 'r', 0, 'd', 0, 0, 0,  // 2t + 17, type name
                           25, 0, 'D', '0', 'C', 'F', 0, 0, 0, 0, 0, 0,  // 2k + 17, text and k + 2 zeros
                           8, 0, 0, 0, 3, 0, 0, 0};
  EXPECT_EQ(Slice(bytes, kHeaderSize, 4), (Bytes{1, 0, 0, 0}));
  EXPECT_EQ(Slice(bytes, kHeaderSize + 4, signature.size()), signature);
  const std::size_t hitAt = kHeaderSize + 4 + signature.size() + 4;
  EXPECT_EQ(Slice(bytes, hitAt - 4, 4), (Bytes{1, 0, 0, 0}));
  const Bytes hit = {33, 0, '.', 0, 'd', 0, 'o', 0, 'c', 0, 0, 0, 0, 0,            // 2x + 25
                     35, 0, '1', 0, '.', 0, 'd', 0, 'o', 0, 'c', 0, 0, 0, 0, 0,    // 2d + 25
                     33, 0, 'W', 0, 'o', 0, 'r', 0, 'd', 0, 0, 0, 0, 0,            // 2t + 25
                     1, 0, 0, 0, 0x0B, 0x0A, 0, 0};                                // number, sector
  EXPECT_EQ(Slice(bytes, hitAt, hit.size()), hit);
  EXPECT_EQ(bytes.size(), hitAt + hit.size() + kTrailerSize);
}

}  // namespace
