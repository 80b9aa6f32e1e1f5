#include "PageTexts.h"

#include <gtest/gtest.h>

#include <array>

using namespace pages;
using engine::PartitionEntry;

TEST(SelectionSummary, ModeLineNamesTheMode) {
  EXPECT_EQ(ModeSummaryText(engine::kModeQuickScan), u"Selected Mode : Quick Scan");
  EXPECT_EQ(ModeSummaryText(engine::kModeExtensiveScan), u"Selected Mode : Extensive Scan");
  EXPECT_EQ(ModeSummaryText(engine::kModeFileTrace), u"Selected Mode : File Trace");
  EXPECT_EQ(ModeSummaryText(7), u"");
}

TEST(SelectionSummary, SourceLinesByWriterModeAndKind) {
  struct Case {
    int32_t mode;
    uint16_t kind;
    SummaryWriter writer;
    std::u16string_view text;
  };
  const Case cases[] = {
      {engine::kModeQuickScan, engine::kSourceLogicalDrive, SummaryWriter::DriveTree,
       u"Selected Mode  : Quick Scan \r\nDrive Type         : Logical Drive"},
      {engine::kModeQuickScan, engine::kSourceWholeDisk, SummaryWriter::DriveTree,
       u"Selected Mode  : Quick Scan \r\nDrive Type         : Virtual Hard Disk"},
      {engine::kModeQuickScan, engine::kSourceLogicalDrive, SummaryWriter::Page,
       u"Selected Mode : Quick Scan \r\nDrive Type        : Logical Drive"},
      {engine::kModeExtensiveScan, engine::kSourceLogicalDrive, SummaryWriter::DriveTree,
       u"Selected Mode : Extensive Scan \r\nDrive Type        : Logical Drive"},
      {engine::kModeExtensiveScan, engine::kSourceWholeDisk, SummaryWriter::Page,
       u"Selected Mode : Extensive Scan \r\nDrive Type        : Virtual Hard Disk"},
      {engine::kModeFileTrace, engine::kSourceLogicalDrive, SummaryWriter::DriveTree,
       u"Selected Mode : File Trace \r\nDrive Type        : Logical Drive"},
      {engine::kModeFileTrace, engine::kSourceNone, SummaryWriter::DriveTree, u""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SourceSummaryText(c.mode, c.kind, c.writer), c.text) << c.mode << " " << c.kind;
  }
}

TEST(DrivePanelFacts, CapacityIsWholeMegabytesInSixtyFourBits) {
  EXPECT_EQ(CapacityText(0), u"0 MB (Approx)");
  EXPECT_EQ(CapacityText(2047), u"0 MB (Approx)");
  EXPECT_EQ(CapacityText(64 * 2048), u"64 MB (Approx)");
  // A 4 TiB drive: 2^33 sectors, far beyond what a 32-bit format shows.
  EXPECT_EQ(CapacityText(uint64_t{1} << 33), u"4194304 MB (Approx)");
  EXPECT_EQ(CapacityText(UINT64_MAX), u"9007199254740991 MB (Approx)");
}

TEST(DrivePanelFacts, FileSystemNames) {
  EXPECT_EQ(FileSystemName(100), u"FAT16");
  EXPECT_EQ(FileSystemName(200), u"FAT32");
  EXPECT_EQ(FileSystemName(300), u"NTFS");
  EXPECT_EQ(FileSystemName(400), u"UNKNOWN");
  EXPECT_EQ(FileSystemName(0), u"UNKNOWN");
}

TEST(PartitionPie, RemainderBecomesFree) {
  const std::array<PartitionEntry, 2> table{{{0, 370, 100}, {370, 410, 300}}};
  const auto slices = PartitionPieSlices(table, 1000);
  ASSERT_EQ(slices.size(), 3u);
  EXPECT_EQ(slices[0].Percent, 37);
  EXPECT_EQ(slices[0].Label, u"FAT16");
  EXPECT_EQ(slices[0].Colour, 0x8FA7F8u);
  EXPECT_EQ(slices[1].Percent, 41);
  EXPECT_EQ(slices[1].Label, u"NTFS");
  EXPECT_EQ(slices[2].Percent, 22);
  EXPECT_EQ(slices[2].Label, u"FREE");
  EXPECT_EQ(slices[2].Colour, kFreeSliceColour);
}

TEST(PartitionPie, WholeDiskCoveredHasNoFreeSlice) {
  const std::array<PartitionEntry, 2> table{{{0, 500, 200}, {500, 500, 7}}};
  const auto slices = PartitionPieSlices(table, 1000);
  ASSERT_EQ(slices.size(), 2u);
  EXPECT_EQ(slices[0].Label, u"FAT32");
  EXPECT_EQ(slices[1].Label, u"UNKNOWN");
  EXPECT_EQ(slices[1].Colour, 0xFFFFFFu);
}

TEST(PartitionPie, OverfullTableCapsAndFreeIsHundred) {
  // Damaged tables can claim more than the disk: shares are capped, never wrapped.
  const std::array<PartitionEntry, 2> table{{{0, 0xFFFFFFFF, 300}, {0, 600, 300}}};
  const auto slices = PartitionPieSlices(table, 1000);
  ASSERT_EQ(slices.size(), 3u);
  EXPECT_EQ(slices[0].Percent, 100);
  EXPECT_EQ(slices[1].Percent, 60);
  EXPECT_EQ(slices[2].Percent, 100);
  EXPECT_EQ(slices[2].Label, u"FREE");
}

TEST(PartitionPie, EmptyTableOrUnknownSizeIsAllFree) {
  const std::array<PartitionEntry, 1> table{{{0, 100, 100}}};
  for (const auto& slices : {PartitionPieSlices({}, 1000), PartitionPieSlices(table, 0)}) {
    ASSERT_EQ(slices.size(), 1u);
    EXPECT_EQ(slices[0].Percent, 100);
    EXPECT_EQ(slices[0].Label, u"FREE");
  }
}

TEST(DriveTreePaths, ComponentsEndWithBackslashes) {
  using V = std::vector<std::string>;
  EXPECT_EQ(SplitTreePath("My Computer\\Logical Devices\\Logical Drives D: \\"),
            (V{"My Computer", "Logical Devices", "Logical Drives D: "}));
  EXPECT_EQ(SplitTreePath("A\\\\B\\tail"), (V{"A", "", "B"}));
  EXPECT_EQ(SplitTreePath("no slash"), V{});
  EXPECT_EQ(SplitTreePath(""), V{});
}

TEST(DriveTreePaths, DriveNodeGivesItsRootPath) {
  EXPECT_EQ(RootPathOfDriveNode(u"Logical Drives C: "), u"C:\\");
  EXPECT_EQ(RootPathOfDriveNode(u"Logical Drives D:"), u"D:\\");
  EXPECT_EQ(RootPathOfDriveNode(u"X"), u"X\\");
  EXPECT_EQ(RootPathOfDriveNode(u""), u"\\");
}

TEST(ResultColumns, SixForScansThreeForFileTrace) {
  const auto quick = ResultColumnsForMode(engine::kModeQuickScan);
  ASSERT_EQ(quick.size(), 6u);
  EXPECT_EQ(quick[0].Title, u"File Name");
  EXPECT_EQ(quick[0].Width, 200);
  EXPECT_EQ(quick[4].Title, u"Modification Time");
  EXPECT_EQ(quick[5].Title, u"ID");
  EXPECT_EQ(ResultColumnsForMode(engine::kModeExtensiveScan).size(), 6u);
  const auto trace = ResultColumnsForMode(engine::kModeFileTrace);
  ASSERT_EQ(trace.size(), 3u);
  EXPECT_EQ(trace[2].Title, u"ID");
  EXPECT_EQ(trace[2].Width, 150);
}
