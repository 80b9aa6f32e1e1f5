#include <gtest/gtest.h>

#include "EngineContext.h"
#include "FaultySectorSource.h"
#include "PartitionDisk.h"
#include "RecordingHost.h"
#include "SectorReader.h"
#include "partitions/LostPartitionSearch.h"
#include "partitions/PartitionTable.h"

namespace {

using namespace engine;
using partitiontest::Disk;

// Cylinders of 4 heads x 63 sectors (252 sectors); 17 cylinders reach past sector 4096.
constexpr uint32_t kHeads = 4;
constexpr uint32_t kCylinders = 17;
constexpr uint32_t kCylinderSectors = kHeads * 63;

class LostPartitionSearchTest : public ::testing::Test {
 protected:
  testsupport::RecordingHost host;
  testsupport::FakeDeviceOpener opener;
  EngineContext ctx{host, opener};

  void UseDisk(const Disk& disk) {
    opener.Devices[u"\\\\.\\PhysicalDrive0"].Bytes = disk.Bytes();
    ctx.SourceDevice.SourceKind = kSourceWholeDisk;
    ApplyDefaultRecoverySettings(ctx.RecoverySettings);
    ctx.PhysicalDriveTable[0] = {.Cylinders = kCylinders, .Heads = kHeads, .SectorsPerTrack = 63,
                                 .TotalSectors = kCylinders * kCylinderSectors};
    ctx.PhysicalDriveCount = 1;
    ReadPartitionTable(ctx, 0);
  }
  int Reads() { return opener.Devices[u"\\\\.\\PhysicalDrive0"].Counters->Reads; }
};

TEST_F(LostPartitionSearchTest, FindsVolumesAtCylinderAndOneMebibyteStarts) {
  Disk disk(kCylinders * kCylinderSectors);
  disk.Signature(0)
      .FatBoot(63, false, 180)                       // cylinder 0, head 1
      .NtfsBoot(2 * kCylinderSectors, 200)           // cylinder 2, head 0
      .FatBoot(3 * kCylinderSectors + 63, true, 70000)  // cylinder 3, head 1
      .FatBoot(2048, false, 100000)                  // 1 MiB, inside cylinder 8
      .NtfsBoot(4096, 150);                          // 2 MiB, inside cylinder 16
  UseDisk(disk);

  SearchLostPartitions(ctx);

  ASSERT_EQ(ctx.PartitionCount, 5);
  const PartitionEntry expected[] = {{63, 180, kFileSystemFat16},
                                     {2 * kCylinderSectors, 200, kFileSystemNtfs},
                                     {3 * kCylinderSectors + 63, 70000, kFileSystemFat32},
                                     {2048, 100000, kFileSystemFat16},
                                     {4096, 150, kFileSystemNtfs}};
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(ctx.PartitionTable[i].StartSector, expected[i].StartSector);
    EXPECT_EQ(ctx.PartitionTable[i].SectorCount, expected[i].SectorCount);
    EXPECT_EQ(ctx.PartitionTable[i].FileSystemCode, expected[i].FileSystemCode);
  }
  EXPECT_EQ(ctx.PartitionSearchChoice, 1);
  const auto calls = host.Calls();
  EXPECT_EQ(calls.front(), "Drive.Status Please wait, searching for Partition...");
  EXPECT_EQ(calls[1], "Drive.Prompt Please wait...");
  EXPECT_EQ(host.CallsStartingWith("DriveTree.AddPartition"),
            (std::vector<std::string>{"DriveTree.AddPartition Virtual Hard Disk  | Partition 0",
                                      "DriveTree.AddPartition Virtual Hard Disk  | Partition 1",
                                      "DriveTree.AddPartition Virtual Hard Disk  | Partition 2",
                                      "DriveTree.AddPartition Virtual Hard Disk  | Partition 3",
                                      "DriveTree.AddPartition Virtual Hard Disk  | Partition 4"}));
  EXPECT_EQ(calls.back(), "DriveTree.ExpandRoot");
  const auto progress = host.CallsStartingWith("Drive.Progress");
  EXPECT_EQ(progress.front(), "Drive.Progress 0");
  EXPECT_EQ(progress.back(), "Drive.Progress 94");  // 16 x 100 / 17
}

TEST_F(LostPartitionSearchTest, KnownPartitionsAreShownFirstAndNotAddedTwice) {
  Disk disk(kCylinders * kCylinderSectors);
  disk.Entry(0, 0, 0x06, 63, 180).FatBoot(63, false, 180).NtfsBoot(2048, 99);
  UseDisk(disk);
  ASSERT_EQ(ctx.PartitionCount, 1);
  host.PartitionChoices = {1};

  SearchLostPartitions(ctx);

  EXPECT_EQ(host.Calls()[0], "PleaseSelect");
  ASSERT_EQ(ctx.PartitionCount, 2);
  EXPECT_EQ(ctx.PartitionTable[1].StartSector, 2048u);
  EXPECT_EQ(host.CallsStartingWith("DriveTree.AddPartition"),
            (std::vector<std::string>{"DriveTree.AddPartition Virtual Hard Disk  | Partition 0",
                                      "DriveTree.AddPartition Virtual Hard Disk  | Partition 1"}));
}

struct ChoiceCase {
  const char* label;
  std::optional<int32_t> answer;  // nothing: Cancel
};

void PrintTo(const ChoiceCase& c, std::ostream* os) { *os << c.label; }

class ExistingInfoChoice : public LostPartitionSearchTest, public ::testing::WithParamInterface<ChoiceCase> {};

TEST_P(ExistingInfoChoice, ReadsNothingButStillRunsTheProgress) {
  Disk disk(kCylinders * kCylinderSectors);
  disk.Entry(0, 0, 0x06, 63, 180).NtfsBoot(2048, 99);
  UseDisk(disk);
  host.PartitionChoices = {GetParam().answer};
  const int readsBefore = Reads();

  SearchLostPartitions(ctx);

  EXPECT_EQ(Reads(), readsBefore);
  EXPECT_EQ(ctx.PartitionCount, 1);
  EXPECT_EQ(ctx.PartitionSearchChoice, 0);
  EXPECT_TRUE(host.CallsStartingWith("Drive.Status").empty());
  EXPECT_EQ(host.CallsStartingWith("Drive.Progress").size(), kCylinders);
}

INSTANTIATE_TEST_SUITE_P(Cases, ExistingInfoChoice,
                         ::testing::Values(ChoiceCase{"UseExistingInfo", 0}, ChoiceCase{"Cancelled", std::nullopt}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(LostPartitionSearchTest, StopEndsTheSearchBeforeTheNextCylinder) {
  Disk disk(kCylinders * kCylinderSectors);
  disk.Signature(0).FatBoot(63, false, 180);
  UseDisk(disk);
  ctx.ScanControl.StopOrDone = 1;
  SearchLostPartitions(ctx);
  EXPECT_EQ(ctx.PartitionCount, 0);
  EXPECT_TRUE(host.CallsStartingWith("Drive.Progress").empty());
  EXPECT_EQ(host.Calls().back(), "DriveTree.ExpandRoot");
}

TEST(SearchGeometry, OtherTrackSizesAreWalkedAsStandardCylinders) {
  struct Case {
    uint32_t c, h, s;
    SearchGeometry expected;
  };
  const Case cases[] = {
      {1000, 255, 63, {1000, 255, 63}},
      {4000, 64, 32, {4000ULL * 64 * 32 / 16065, 255, 63}},  // a disk reporting 32 sectors per track
      {0, 0, 0, {0, 255, 63}},                               // no geometry: nothing to walk
      {0xFFFFFFFF, 255, 32, {0xFFFFFFFFULL * 255 * 32 / 16065, 255, 63}},  // no 32-bit overflow
  };
  for (const Case& c : cases) {
    const SearchGeometry g = SearchGeometryFor(c.c, c.h, c.s);
    EXPECT_EQ(g.Cylinders, c.expected.Cylinders);
    EXPECT_EQ(g.Heads, c.expected.Heads);
    EXPECT_EQ(g.SectorsPerTrack, c.expected.SectorsPerTrack);
  }
}

TEST(SearchGeometry, AlignedStartsSkipTheCylinderCandidates) {
  const SearchGeometry standard{10, 255, 63};
  EXPECT_TRUE(AlignedStartsInCylinder(standard, 0).size() == 7u);  // 2048 .. 14336
  EXPECT_EQ(AlignedStartsInCylinder(standard, 0).front(), 2048u);
  EXPECT_EQ(AlignedStartsInCylinder(standard, 1).front(), 16384u);  // the first past 16065
  // A cylinder start that is itself aligned is left to the cylinder search.
  const SearchGeometry small{64, 32, 64};  // 2048-sector cylinders
  EXPECT_TRUE(AlignedStartsInCylinder(small, 3).empty());
}

}  // namespace
