// Disks, drives and partitions that need sectors beyond the 32-bit fields are
// refused with a message, never read with their sector numbers cut short.

#include <gtest/gtest.h>

#include "EngineContext.h"
#include "FaultySectorSource.h"
#include "RecordingHost.h"
#include "TableDriveCatalogue.h"
#include "drives/DriveEnumeration.h"
#include "drives/SectorRange.h"
#include "extensive/ExtensiveScan.h"
#include "partitions/PartitionTable.h"
#include "scans/QuickScan.h"

namespace {

using namespace engine;

constexpr uint64_t kThreeTiBSectors = 3ULL << 31;  // 3 TiB of 512-byte sectors

class SectorRangeTest : public ::testing::Test {
 protected:
  testsupport::RecordingHost host;
  testsupport::FakeDeviceOpener opener;
  EngineContext ctx{host, opener};
  testsupport::TableDriveCatalogue catalogue;
};

TEST_F(SectorRangeTest, DiskBeyondTwoTiBKeepsAFullCountAndIsMarked) {
  // 3 TiB: 365,000 cylinders of 255 x 63 sectors is 5.86 x 10^9 sectors.
  catalogue.Disks[0] = {.BusType = 11, .ProductId = "BIG", .Cylinders = 365000, .TracksPerCylinder = 255,
                        .SectorsPerTrack = 63};
  catalogue.Disks[1] = {.BusType = 11, .ProductId = "SMALL", .Cylinders = 1000, .TracksPerCylinder = 255,
                        .SectorsPerTrack = 63};
  InitDiskAccess(ctx, catalogue);
  ASSERT_EQ(ctx.PhysicalDriveCount, 2);
  EXPECT_EQ(ctx.PhysicalDriveTable[0].TotalSectors, UINT32_MAX) << "not its low 32 bits";
  EXPECT_TRUE(ctx.PhysicalDriveTable[0].BeyondSectorFields);
  EXPECT_EQ(ctx.PhysicalDriveTable[1].TotalSectors, 1000u * 255 * 63);
  EXPECT_FALSE(ctx.PhysicalDriveTable[1].BeyondSectorFields);
}

TEST_F(SectorRangeTest, WholeDiskBeyondTwoTiBIsRefusedByTheExtensiveScan) {
  PhysicalDriveEntry& disk = ctx.PhysicalDriveTable[0];
  disk.TotalSectors = UINT32_MAX;
  disk.BeyondSectorFields = true;
  ctx.PhysicalDriveCount = 1;
  ctx.SourceDevice.SourceKind = kSourceWholeDisk;
  ctx.SourceSelection = {kFileSystemNtfs, 0, UINT32_MAX, UINT32_MAX - 1, 0};
  EXPECT_TRUE(ChosenRangeBeyond32Bits(ctx));
  PrepareExtensiveScan(ctx);
  ExtensiveScanThreadProc(ctx);
  EXPECT_EQ(ctx.MessageRequest.Text, kRangeBeyond32BitsText);

  // A range inside the first 2 TiB of the same disk can be scanned.
  ctx.SourceSelection = {kFileSystemNtfs, 2048, 1 << 20, 2048 + (1 << 20) - 1, 0};
  EXPECT_FALSE(ChosenRangeBeyond32Bits(ctx));
}

TEST_F(SectorRangeTest, LogicalDriveBeyondTwoTiBIsRefusedByTheQuickScan) {
  opener.Devices[u"\\\\.\\E:"].Bytes = testsupport::FaultySectorSource::NumberedSectors(8);
  ctx.LogicalDriveTable[0].RootPath = u"E:\\";
  ctx.LogicalDriveTable[0].SectorCount = kThreeTiBSectors;
  ctx.LogicalDriveCount = 1;
  ctx.SourceDevice.SourceKind = kSourceLogicalDrive;
  // The range keeps the low 32 bits of the drive's size.
  ctx.SourceSelection = {kFileSystemNtfs, 0, static_cast<uint32_t>(kThreeTiBSectors),
                         static_cast<uint32_t>(kThreeTiBSectors), 0};
  EXPECT_EQ(QuickScanThreadProc(ctx, {}), 0);
  EXPECT_EQ(ctx.MessageRequest.Text, kRangeBeyond32BitsText);
  EXPECT_EQ(ctx.ScanControl.StopOrDone.load(), 1);
  EXPECT_EQ(ctx.ScanControl.Running.load(), 0);
}

TEST_F(SectorRangeTest, PartitionStartingBeyondTwoTiBIsReportedNotDropped) {
  EXPECT_TRUE(AppendPartition(ctx, uint64_t{1} << 32, 1000, kFileSystemFat32));
  EXPECT_EQ(ctx.PartitionCount, 0);
  EXPECT_EQ(ctx.MessageRequest.Text, kPartitionBeyond32BitsText);
  EXPECT_TRUE(AppendPartition(ctx, UINT32_MAX, 1000, kFileSystemFat32));
  EXPECT_EQ(ctx.PartitionCount, 1);
}

}  // namespace
