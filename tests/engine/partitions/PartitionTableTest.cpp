#include <gtest/gtest.h>

#include "EngineContext.h"
#include "FaultySectorSource.h"
#include "PartitionDisk.h"
#include "RecordingHost.h"
#include "SectorReader.h"
#include "partitions/PartitionTable.h"

namespace {

using namespace engine;
using partitiontest::Disk;

struct Listed {
  uint32_t start;
  uint32_t count;
  uint16_t code;
  bool operator==(const Listed&) const = default;
};

void PrintTo(const Listed& l, std::ostream* os) { *os << "{" << l.start << ", " << l.count << ", " << l.code << "}"; }

struct TableCase {
  const char* label;
  Disk disk;
  std::vector<Listed> expected;
};

void PrintTo(const TableCase& c, std::ostream* os) { *os << c.label; }

std::vector<TableCase> TableCases() {
  std::vector<TableCase> cases;
  cases.push_back({"HalfSignatureGivesNothing", Disk(64).Entry(0, 0, 0x06, 8, 10).Signature(0, 0x55, 0x00), {}});
  cases.push_back({"PrimaryTypeOneWithoutTextIsLeftOut", Disk(64).Entry(0, 0, 0x01, 8, 10), {}});
  cases.push_back({"BootTextBeatsTheType", Disk(64).Entry(0, 0, 0x07, 8, 10).Text(8, 82, "FAT32"),
                   {{8, 10, kFileSystemFat32}}});
  cases.push_back({"TypesWithoutText",
                   Disk(64).Entry(0, 0, 0x0E, 8, 1).Entry(0, 1, 0x0B, 9, 2).Entry(0, 2, 0x83, 10, 3).Entry(0, 3, 0x07, 11, 4),
                   {{8, 1, kFileSystemFat16}, {9, 2, kFileSystemFat32}, {11, 4, kFileSystemNtfs}}});
  // Extended base 20: the first record's data entry is relative to the record,
  // its link relative to the base; type 1 counts inside the chain.
  cases.push_back({"ExtendedChain",
                   Disk(64)
                       .Entry(0, 0, 0x06, 4, 6)
                       .Entry(0, 1, 0x0F, 20, 40)
                       .Entry(20, 0, 0x01, 2, 5)
                       .Entry(20, 1, 0x05, 10, 20)
                       .Entry(30, 0, 0x00, 0, 0)
                       .Entry(30, 1, 0x83, 3, 7)
                       .NtfsBoot(33, 7),
                   {{4, 6, kFileSystemFat16}, {22, 5, kFileSystemFat16}, {33, 7, kFileSystemNtfs}}});
  // A record whose link leads back to itself, and a pair leading to each other.
  cases.push_back({"SelfLoopingChainEnds",
                   Disk(64).Entry(0, 0, 0x05, 20, 40).Entry(20, 0, 0x06, 2, 5).Entry(20, 1, 0x05, 0, 40),
                   {{22, 5, kFileSystemFat16}}});
  cases.push_back({"ChainLoopingBackEnds",
                   Disk(64)
                       .Entry(0, 0, 0x05, 20, 40)
                       .Entry(20, 0, 0x06, 2, 5)
                       .Entry(20, 1, 0x05, 10, 20)
                       .Entry(30, 0, 0x0B, 2, 6)
                       .Entry(30, 1, 0x05, 0, 20),
                   {{22, 5, kFileSystemFat16}, {32, 6, kFileSystemFat32}}});
  return cases;
}

class ReadPartitionTableCases : public ::testing::TestWithParam<TableCase> {
 protected:
  testsupport::RecordingHost host;
  testsupport::FakeDeviceOpener opener;
  EngineContext ctx{host, opener};
};

TEST_P(ReadPartitionTableCases, ListsWhatTheRecordsShow) {
  opener.Devices[u"\\\\.\\PhysicalDrive0"].Bytes = GetParam().disk.Bytes();
  ctx.SourceDevice.SourceKind = kSourceWholeDisk;
  ctx.PartitionSearchChoice = 1;
  ApplyDefaultRecoverySettings(ctx.RecoverySettings);

  EXPECT_TRUE(ReadPartitionTable(ctx, 0));

  std::vector<Listed> listed;
  for (int i = 0; i < ctx.PartitionCount; ++i)
    listed.push_back({ctx.PartitionTable[i].StartSector, ctx.PartitionTable[i].SectorCount,
                      ctx.PartitionTable[i].FileSystemCode});
  EXPECT_EQ(listed, GetParam().expected);
  EXPECT_EQ(ctx.PartitionSearchChoice, 0);
  ASSERT_EQ(opener.Opened.size(), 1u);
  EXPECT_EQ(opener.Opened[0].second, DeviceShare::ReadWrite);
}

INSTANTIATE_TEST_SUITE_P(Cases, ReadPartitionTableCases, ::testing::ValuesIn(TableCases()),
                         [](const auto& info) { return std::string(info.param.label); });

class ReadPartitionTableTest : public ::testing::Test {
 protected:
  testsupport::RecordingHost host;
  testsupport::FakeDeviceOpener opener;
  EngineContext ctx{host, opener};
};

TEST_F(ReadPartitionTableTest, AMissingDiskLeavesTheTableEmpty) {
  ctx.PartitionCount = 3;
  ctx.SourceDevice.DriveNumber = 4;
  EXPECT_FALSE(ReadPartitionTable(ctx, 0));
  EXPECT_EQ(ctx.PartitionCount, 0);
  EXPECT_EQ(ctx.SourceDevice.DiskHandle, nullptr);
}

TEST_F(ReadPartitionTableTest, TheTableStopsAtTwentyFiveEntries) {
  // A chain of 30 records, each with one FAT16 partition.
  Disk disk(200);
  disk.Entry(0, 0, 0x05, 10, 190);
  for (uint32_t i = 0; i < 30; ++i) {
    disk.Entry(10 + 5 * i, 0, 0x06, 1, 4);
    if (i + 1 < 30) disk.Entry(10 + 5 * i, 1, 0x05, 5 * (i + 1), 5);
  }
  opener.Devices[u"\\\\.\\PhysicalDrive0"].Bytes = disk.Bytes();
  ReadPartitionTable(ctx, 0);
  EXPECT_EQ(ctx.PartitionCount, kPartitionTableSize);
  EXPECT_EQ(ctx.PartitionTable[24].StartSector, 10u + 5 * 24 + 1);
}

TEST_F(ReadPartitionTableTest, ALongChainWithoutDataEntriesEnds) {
  // Records that only link onward, more of them than the walk will follow.
  const uint32_t records = kMaxExtendedRecords + 50;
  Disk disk(records + 2);
  disk.Entry(0, 0, 0x05, 1, records);
  for (uint32_t i = 0; i < records; ++i) disk.Entry(1 + i, 1, 0x05, i + 1, 1);
  opener.Devices[u"\\\\.\\PhysicalDrive0"].Bytes = disk.Bytes();
  ReadPartitionTable(ctx, 0);
  EXPECT_EQ(ctx.PartitionCount, 0);
  EXPECT_LE(opener.Devices[u"\\\\.\\PhysicalDrive0"].Counters->Reads, kMaxExtendedRecords + 2);
}

}  // namespace
