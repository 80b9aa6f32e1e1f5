// Round trips of real Extensive Scans: a volume formatted again over its old
// contents is scanned, the old volume is chosen as on the file-system page and
// its tree built, and the "A" snapshot saved through the Save command loads back
// into the same lists.
#include <gtest/gtest.h>

#include <string>

#include "Fixtures.h"
#include "ReformattedImage.h"
#include "ImageFileSource.h"
#include "RecordingHost.h"
#include "SnapshotImageSupport.h"
#include "extensive/ExtensiveScan.h"
#include "extensive/FileSystemScan.h"
#include "snapshot/SnapshotEncoder.h"
#include "snapshot/SnapshotFormat.h"
#include "snapshot/SnapshotSaving.h"

namespace {

using namespace engine::snapshot;

constexpr char16_t kSavedPath[] = u"C:\\Scans\\Found.vbrx";

struct ReformattedImage {
  const char* Image;  // built by the Extensive Scan tests beside the fixtures
  uint16_t FileSystemCode;
};

std::ostream& operator<<(std::ostream& out, const ReformattedImage& c) { return out << c.Image; }

using extensivetest::OldGeometry;

class ExtensiveSnapshotImageTest : public testing::TestWithParam<ReformattedImage> {
 protected:
  ExtensiveSnapshotImageTest() : ctx(host, opener) {
    const std::string image = fixtures::FixtureDir() + "/" + GetParam().Image + ".img";
    extensivetest::ServeReformattedImage(ctx, opener, image, GetParam().FileSystemCode);
    ctx.Files = &files;
    old = extensivetest::ReadOldGeometry(image + ".fsstat", IsFatCode(GetParam().FileSystemCode));
  }

  // The scan, then the file-system page: the old volume's line is chosen and its
  // tree built. False when no found volume has the old geometry.
  bool ScanAndBuildOldVolume() {
    return extensivetest::ScanAndBuildOldVolume(ctx, old, engine::FileFilterTable{});
  }

  // The Save command in Extensive Scan mode; the bytes it wrote.
  const std::vector<uint8_t>& SaveThroughCommand() {
    host.SnapshotPaths.push_back(u"C:\\Scans\\Found");
    EXPECT_TRUE(SaveSnapshot(ctx));
    return files.Files[kSavedPath];
  }

  bool LoadThroughCommand() {
    snapshottest::UseDriveD(ctx);
    return LoadScanSnapshot(ctx, kSavedPath, files, engine::FileFilterTable{});
  }

  testsupport::RecordingHost host;
  platform::ImageDeviceOpener opener;
  snapshottest::MemoryFiles files;
  engine::EngineContext ctx;
  OldGeometry old;
};

class ExtensiveFatSnapshot : public ExtensiveSnapshotImageTest {};
class ExtensiveNtfsSnapshot : public ExtensiveSnapshotImageTest {};

TEST_P(ExtensiveFatSnapshot, RoundTripGivesIdenticalLists) {
  ASSERT_TRUE(ScanAndBuildOldVolume()) << "no found volume with cluster base " << old.ClusterBase;
  const auto before = snapshottest::FatLists(ctx.Results);
  ASSERT_FALSE(before.second.empty());
  const engine::VolumeParameters volume = ctx.ActiveVolume;
  const uint16_t volumeNumber = ctx.ActiveVolumeNumber;

  const std::vector<uint8_t> saved = SaveThroughCommand();
  ASSERT_FALSE(saved.empty());
  EXPECT_EQ(saved[0], kMarkerExtensiveScan);
  engine::ReleaseFatAndTreeLists(ctx);
  engine::ReleaseCandidateLists(ctx);
  ctx.ActiveVolumeNumber = 0;

  ASSERT_TRUE(LoadThroughCommand()) << testing::PrintToString(host.CallsStartingWith("Message"));
  EXPECT_EQ(snapshottest::FatLists(ctx.Results), before);
  EXPECT_EQ(ctx.Results.FileCount, static_cast<int32_t>(before.second.size()));
  EXPECT_EQ(ctx.RecoveryMode, engine::kModeExtensiveScan);
  EXPECT_EQ(ctx.ActiveVolumeNumber, volumeNumber);
  EXPECT_EQ(ctx.ActiveVolume.ClusterBase, volume.ClusterBase);
  EXPECT_EQ(ctx.ActiveVolume.SectorsPerCluster, volume.SectorsPerCluster);
  EXPECT_EQ(ctx.ActiveVolume.Fat1Start, volume.Fat1Start);
  EXPECT_EQ(ctx.ActiveVolume.EndSector, volume.EndSector);

  // With another cluster size the folders do not start where the snapshot puts
  // them, nor does the boot sector agree: another volume.
  std::vector<uint8_t> other = saved;
  other[kVolumeOffset + 6] ^= 0x01;  // sectors per cluster
  files.Files[kSavedPath] = other;
  EXPECT_FALSE(LoadThroughCommand());
  EXPECT_EQ(host.CallsStartingWith("Message 2 Mismatch").size(), 1u);
  EXPECT_TRUE(ctx.Results.FatFiles.empty());
}

TEST_P(ExtensiveNtfsSnapshot, RoundTripGivesTheVolumesFilesAsTreeFiles) {
  ASSERT_TRUE(ScanAndBuildOldVolume()) << "no found volume with " << old.SectorsPerCluster << " sectors per cluster";
  const std::vector<snapshottest::TreeFolderFields> folders = snapshottest::TreeFolderList(ctx.Results);
  // The raw scan's files of the chosen volume come back as tree files without an
  // id, keyed by the sector of their record.
  std::vector<snapshottest::TreeFileFields> files;
  for (const engine::NtfsFileNode& f : ctx.Results.NtfsFiles) {
    if (IsNtfsFileInActiveVolume(ctx, f)) {
      files.emplace_back(f.Name, 0, f.ParentId, f.Time1, f.Time2, f.Size, f.Deleted, f.RecordSector);
    }
  }
  ASSERT_FALSE(files.empty());
  ASSERT_GT(folders.size(), 1u);
  const engine::VolumeParameters volume = ctx.ActiveVolume;

  const std::vector<uint8_t>& saved = SaveThroughCommand();
  ASSERT_FALSE(saved.empty());
  EXPECT_EQ(saved[0], kMarkerExtensiveScan);
  EXPECT_EQ(ctx.Results.FileCount, static_cast<int32_t>(files.size()));
  engine::ReleaseFatAndTreeLists(ctx);
  engine::ReleaseCandidateLists(ctx);

  ASSERT_TRUE(LoadThroughCommand()) << testing::PrintToString(host.CallsStartingWith("Message"));
  EXPECT_EQ(snapshottest::TreeLists(ctx.Results), std::make_pair(folders, files));
  EXPECT_EQ(ctx.Results.FileCount, static_cast<int32_t>(files.size()));
  // Listed from the tree lists now, as a Quick Scan result.
  EXPECT_EQ(ctx.RecoveryMode, engine::kModeQuickScan);
  EXPECT_EQ(ctx.ActiveVolume.MftStart, volume.MftStart);
  EXPECT_EQ(ctx.ActiveVolume.SectorsPerCluster, volume.SectorsPerCluster);
}

std::string CaseName(const testing::TestParamInfo<ReformattedImage>& info) {
  std::string name = info.param.Image;
  for (char& c : name) c = c == '-' ? '_' : c;
  return name;
}

INSTANTIATE_TEST_SUITE_P(Images, ExtensiveFatSnapshot,
                         testing::Values(ReformattedImage{"extensive-fat16-other", engine::kFileSystemFat16},
                                         ReformattedImage{"extensive-fat32-same", engine::kFileSystemFat32}),
                         CaseName);
INSTANTIATE_TEST_SUITE_P(Images, ExtensiveNtfsSnapshot,
                         testing::Values(ReformattedImage{"extensive-ntfs-again", engine::kFileSystemNtfs}),
                         CaseName);

}  // namespace
