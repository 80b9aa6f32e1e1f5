// Round trips of real scans: a snapshot of what a scan of a fixture image found
// loads back into the same lists.
#include <gtest/gtest.h>

#include <vector>

#include "FatImageSession.h"
#include "Fixtures.h"
#include "SnapshotImageSupport.h"
#include "snapshot/SnapshotEncoder.h"
#include "snapshot/SnapshotFormat.h"
#include "snapshot/SnapshotLoading.h"
#include "../ntfs/NtfsImageHarness.h"

namespace {

using namespace engine::snapshot;

using snapshottest::FatLists;
using snapshottest::LoadScanBack;
using snapshottest::TreeLists;


class FatSnapshotImageTest : public testing::TestWithParam<std::pair<const char*, uint16_t>> {};

TEST_P(FatSnapshotImageTest, QuickScanRoundTripGivesIdenticalLists) {
  const fixtures::FixtureImage image = fixtures::LoadFixture(GetParam().first);
  testsupport::FatImageSession session(image.ImagePath, GetParam().second);
  ASSERT_EQ(session.QuickScan(), 1);
  const auto before = FatLists(session.ctx.Results);
  ASSERT_FALSE(before.second.empty());
  const engine::VolumeParameters volume = session.ctx.ActiveVolume;

  ASSERT_TRUE(LoadScanBack(session.ctx, EncodeScanSnapshot(session.ctx, kMarkerQuickScan)));
  EXPECT_EQ(FatLists(session.ctx.Results), before);
  EXPECT_EQ(session.ctx.ActiveVolume.ClusterBase, volume.ClusterBase);
  EXPECT_EQ(session.ctx.Results.FileCount, static_cast<int32_t>(before.second.size()));

  // The same snapshot over a volume of other geometry is refused.
  std::vector<uint8_t> other = EncodeScanSnapshot(session.ctx, kMarkerQuickScan);
  other[kVolumeOffset + 6] ^= 0x01;  // sectors per cluster
  EXPECT_FALSE(LoadScanBack(session.ctx, other));
  EXPECT_TRUE(session.ctx.Results.FatFiles.empty());
}

INSTANTIATE_TEST_SUITE_P(Images, FatSnapshotImageTest,
                         testing::Values(std::make_pair("standard-fat16", engine::kFileSystemFat16),
                                         std::make_pair("standard-fat32", engine::kFileSystemFat32)));

TEST(NtfsSnapshotImageTest, QuickScanRoundTripGivesIdenticalLists) {
  ntfstest::ScannedImage scanned(fixtures::StandardImage(fixtures::ImageKind::Ntfs).ImagePath);
  ASSERT_TRUE(scanned.Detected());
  engine::EngineContext& ctx = scanned.Context();
  const auto before = TreeLists(ctx.Results);
  ASSERT_FALSE(before.second.empty());
  ASSERT_TRUE(LoadScanBack(ctx, EncodeScanSnapshot(ctx, kMarkerQuickScan)));
  EXPECT_EQ(TreeLists(ctx.Results), before);
  EXPECT_EQ(ctx.RecoveryMode, engine::kModeQuickScan);

  // An MFT that is not where the snapshot says is a mismatch.
  std::vector<uint8_t> other = EncodeScanSnapshot(ctx, kMarkerQuickScan);
  other[kVolumeOffset + 30] ^= 0x40;  // MFT start
  EXPECT_FALSE(LoadScanBack(ctx, other));
  EXPECT_EQ(scanned.Host().CallsStartingWith("Message 2 Mismatch").size(), 1u);
}

}  // namespace
