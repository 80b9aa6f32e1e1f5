#include "fat/FatTable.h"

#include <gtest/gtest.h>

#include "MemoryFatVolume.h"
#include "RecordingHost.h"

namespace {

using engine::FatLinkKind;

struct LinkCase {
  bool Is32;
  uint32_t Raw;
  FatLinkKind Kind;
  uint32_t Next;
};

TEST(FatTableTest, EntriesEndChainsAtEveryMark) {
  const uint32_t maxCluster = 1000;
  const LinkCase cases[] = {
      {true, 0x00000000, FatLinkKind::Free, 0},
      {true, 0x00000001, FatLinkKind::OutOfRange, 0},
      {true, 0x00000005, FatLinkKind::Next, 5},
      {true, 0xF0000005, FatLinkKind::Next, 5},  // reserved top nibble masked off
      {true, 0x000003E9, FatLinkKind::OutOfRange, 0},  // beyond the volume
      {true, 0x0FFFFFF7, FatLinkKind::BadCluster, 0},
      {true, 0x0FFFFFF8, FatLinkKind::EndOfChain, 0},  // what mkfs.fat ends the root with
      {true, 0x0FFFFFFE, FatLinkKind::EndOfChain, 0},
      {true, 0x0FFFFFFF, FatLinkKind::EndOfChain, 0},
      {true, 0xFFFFFFFF, FatLinkKind::EndOfChain, 0},
      {false, 0x0000, FatLinkKind::Free, 0},
      {false, 0x0007, FatLinkKind::Next, 7},
      {false, 0xFFF7, FatLinkKind::BadCluster, 0},
      {false, 0xFFF8, FatLinkKind::EndOfChain, 0},
      {false, 0xFFFF, FatLinkKind::EndOfChain, 0},
  };
  for (const LinkCase& c : cases) {
    const engine::FatLink link = engine::ClassifyFatEntry(c.Is32, c.Raw, maxCluster);
    EXPECT_EQ(link.Kind, c.Kind) << std::hex << c.Raw;
    EXPECT_EQ(link.Next, c.Next) << std::hex << c.Raw;
  }
}

class FatChainTest : public testing::Test {
 protected:
  engine::FatLayout Layout() {
    volume.Install(ctx, opener);
    return *engine::CurrentFatLayout(ctx);
  }
  testsupport::RecordingHost host;
  testsupport::FakeDeviceOpener opener;
  engine::EngineContext ctx{host, opener};
  testsupport::MemoryFatVolume volume;
};

TEST_F(FatChainTest, ChainsEndAtMarksLoopsAndTheVolumeEnd) {
  volume.SetFat(1, 2, 3);
  volume.SetFat(1, 3, 4);
  volume.SetFat(1, 4, 0xFFF8);  // end mark below 0xFFFF
  volume.SetFat(1, 10, 11);
  volume.SetFat(1, 11, 10);     // a loop
  volume.SetFat(1, 20, 200);    // beyond the 60 clusters of the volume
  const engine::FatLayout layout = Layout();
  EXPECT_EQ(layout.MaxCluster, 60u);
  EXPECT_EQ(engine::BuildClusterChain(ctx, layout, 2, 100), (std::vector<uint32_t>{2, 3, 4}));
  EXPECT_EQ(engine::BuildClusterChain(ctx, layout, 10, 100), (std::vector<uint32_t>{10, 11}));
  EXPECT_EQ(engine::BuildClusterChain(ctx, layout, 20, 100), (std::vector<uint32_t>{20}));
  EXPECT_TRUE(engine::BuildClusterChain(ctx, layout, 61, 100).empty());
  EXPECT_TRUE(engine::BuildClusterChain(ctx, layout, 1, 100).empty());
}

TEST_F(FatChainTest, FollowingUsesTheChosenCopyAndCutsLongChains) {
  volume.SetFat(1, 2, 3);
  volume.SetFat(1, 3, 0xFFFF);
  volume.SetFat(2, 2, 5);
  volume.SetFat(2, 5, 6);
  volume.SetFat(2, 6, 0xFFFF);
  const engine::FatLayout layout = Layout();
  EXPECT_EQ(engine::FollowClusterChain(ctx, layout, 2, 10, engine::kFatCopy1), (std::vector<uint32_t>{2, 3}));
  EXPECT_EQ(engine::FollowClusterChain(ctx, layout, 2, 10, engine::kFatCopy2), (std::vector<uint32_t>{2, 5, 6}));
  EXPECT_EQ(engine::FollowClusterChain(ctx, layout, 2, 2, engine::kFatCopy2), (std::vector<uint32_t>{2, 5}));
  ctx.SaveControl.StopRequested = 1;
  EXPECT_EQ(engine::FollowClusterChain(ctx, layout, 2, 10, engine::kFatCopy2), (std::vector<uint32_t>{2}));
}

TEST_F(FatChainTest, UnusableGeometryGivesNoLayout) {
  Layout();
  for (uint32_t perCluster : {0u, 3u, 256u}) {
    ctx.ActiveVolume.SectorsPerCluster = perCluster;
    EXPECT_FALSE(engine::CurrentFatLayout(ctx)) << perCluster;
  }
}

}  // namespace
