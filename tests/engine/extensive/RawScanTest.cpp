// The raw scans: which sectors they take, how they read the range in batches,
// and that a Stop still lets the analysis run on what was collected.

#include <gtest/gtest.h>

#include "MemoryDisk.h"
#include "extensive/ExtensiveScan.h"
#include "extensive/RawFatScan.h"
#include "extensive/RawNtfsScan.h"
#include "extensive/RawScanBatches.h"

namespace {

using engine::kFileSystemFat16;
using engine::kFileSystemFat32;
using engine::kFileSystemNtfs;
using testsupport::MemoryDisk;

std::vector<uint32_t> CandidateSectors(const engine::EngineContext& ctx) {
  std::vector<uint32_t> sectors;
  for (const auto& candidate : ctx.Results.DirClusterCandidates) sectors.push_back(candidate.Sector);
  return sectors;
}

std::vector<uint32_t> BootSectors(const engine::EngineContext& ctx) {
  std::vector<uint32_t> sectors;
  for (const auto& boot : ctx.Results.BootSectors) sectors.push_back(boot.Sector);
  return sectors;
}

TEST(RawScanBatches, SectorsPerReadIsClampedToTheBuffer) {
  const std::pair<int32_t, uint32_t> cases[] = {{-5, 1}, {0, 1}, {1, 1}, {60, 60}, {100, 100}, {101, 100}, {5000, 100}};
  for (const auto& [setting, expected] : cases) EXPECT_EQ(engine::ClampedSectorsPerRead(setting), expected) << setting;
}

TEST(RawFatScan, DirectoryStartNeedsOwnClusterAboveTwoAndBelowItsSector) {
  struct Case {
    uint32_t Sector, OwnCluster;
    bool IsCandidate;
  };
  const Case cases[] = {{100, 2, false}, {100, 3, true}, {100, 99, true}, {100, 100, false}, {100, 0x10003, false}};
  for (const Case& c : cases) {
    MemoryDisk disk(1, kFileSystemFat32);
    disk.WriteDirectoryStart(0, c.OwnCluster, 7);
    const auto candidate = engine::ReadDirectoryStart(disk.Sector(0), c.Sector);
    ASSERT_EQ(candidate.has_value(), c.IsCandidate) << c.OwnCluster;
    if (candidate) {
      EXPECT_EQ(candidate->OwnCluster, c.OwnCluster);
      EXPECT_EQ(candidate->ParentCluster, 7u);
    }
  }
}

TEST(RawFatScan, ListsABootSectorAndItsBackupSixSectorsLater) {
  MemoryDisk disk(64, kFileSystemFat32);
  for (uint32_t sector : {10u, 16u}) {
    disk.Write(sector, 82, "FAT32   ");
    disk.MarkBoot(sector);
  }
  disk.Write(30, 54, "FAT16   ");  // no boot mark: not a boot sector
  disk.Attach();
  engine::ScanRawFat(disk.ctx);
  EXPECT_EQ(BootSectors(disk.ctx), (std::vector<uint32_t>{10, 16}));
  EXPECT_EQ(disk.ctx.Results.BootSectorCount, 2);
  EXPECT_EQ(disk.ctx.ScanControl.StopOrDone.load(), 1);
  EXPECT_EQ(disk.ctx.ScanControl.Running.load(), 0);
}

// Batches of 10 over a range of 25 sectors: the unreadable second batch is not
// scanned with the first batch's bytes, and the sector after the range is never looked at.
TEST(RawFatScan, SkipsUnreadableBatchesAndStopsAtTheRangeEnd) {
  MemoryDisk disk(40, kFileSystemFat16);
  disk.WriteDirectoryStart(5, 3, 0);
  disk.WriteDirectoryStart(22, 4, 0);
  disk.WriteDirectoryStart(25, 5, 0);
  for (uint64_t bad = 10; bad < 20; ++bad) disk.BadSectors.insert(bad);
  disk.Attach();
  disk.ctx.RecoverySettings.SectorsPerRead = 10;
  disk.ctx.SourceSelection.SectorCount = 25;
  engine::ScanRawFat(disk.ctx);
  EXPECT_EQ(CandidateSectors(disk.ctx), (std::vector<uint32_t>{5, 22}));
  EXPECT_EQ(disk.ctx.Results.CandidateFolderCount, 2);
}

TEST(RawNtfsScan, TakesOnlyRecordsOfOneKibibyteWithoutTheBootMark) {
  struct Case {
    const char* Name;
    uint16_t AllocatedSize;
    bool BootMark;
    bool IsRecord;
  };
  const Case cases[] = {{"plain", 1024, false, true}, {"4096-byte record", 4096, false, false},
                        {"boot mark", 1024, true, false}};
  for (const Case& c : cases) {
    MemoryDisk disk(1, kFileSystemNtfs);
    disk.Write(0, 0, "FILE");
    disk.WriteU16(0, 28, c.AllocatedSize);
    if (c.BootMark) disk.MarkBoot(0);
    const bool taken = engine::IsRawFileRecord(disk.Sector(0)) && !engine::HasBootMark(disk.Sector(0));
    EXPECT_EQ(taken, c.IsRecord) << c.Name;
  }
}

TEST(RawNtfsScan, ListsAndCountsEachBootSectorOnce) {
  MemoryDisk disk(200, kFileSystemNtfs);
  for (uint32_t sector : {0u, 61u, 199u}) {
    disk.Write(sector, 3, "NTFS    ");
    disk.MarkBoot(sector);
  }
  disk.Attach();
  engine::ScanRawNtfs(disk.ctx);
  EXPECT_EQ(BootSectors(disk.ctx), (std::vector<uint32_t>{0, 61, 199}));
  EXPECT_EQ(disk.ctx.Results.BootSectorCount, 3);
}

// Confirms Stop the first time the scan shows how far it got.
class StoppingHost : public testsupport::RecordingHost {
 public:
  engine::EngineContext* Ctx = nullptr;
  void SetCounterText(engine::ScanCounter counter, const std::u16string& text) override {
    RecordingHost::SetCounterText(counter, text);
    if (counter == engine::ScanCounter::CurrentSector) Ctx->ScanControl.StopOrDone.store(1);
  }
};

TEST(ExtensiveScan, StopDuringTheRawScanStillAnalysesWhatWasFound) {
  StoppingHost host;
  MemoryDisk disk(2000, kFileSystemFat16, &host);
  host.Ctx = &disk.ctx;
  // Two directory starts 8 sectors and 1 cluster apart in the first batch, two more later.
  disk.WriteDirectoryStart(40, 3, 0);
  disk.WriteDirectoryStart(48, 4, 3);
  disk.WriteDirectoryStart(1000, 5, 0);
  disk.WriteDirectoryStart(1008, 6, 5);
  disk.Attach();
  engine::PrepareExtensiveScan(disk.ctx);
  EXPECT_EQ(engine::ExtensiveScanThreadProc(disk.ctx), 1);
  EXPECT_EQ(CandidateSectors(disk.ctx), (std::vector<uint32_t>{40, 48}));
  ASSERT_EQ(disk.ctx.Results.FoundVolumeCount, 1);
  EXPECT_EQ(disk.ctx.Results.FoundVolumes[0].ClusterBase, 16u);
  EXPECT_EQ(disk.ctx.Results.FoundVolumes[0].SectorsPerCluster, 8u);
  EXPECT_EQ(disk.ctx.ScanControl.AnalysisPart1Done.load(), 1);
  EXPECT_EQ(disk.ctx.ScanControl.AnalysisPart2Done.load(), 1);
  EXPECT_EQ(disk.ctx.ScanControl.Running.load(), 0);
  EXPECT_EQ(host.CallsStartingWith("PartitionTree.AddItem FAT16 @16").size(), 1u);
}

}  // namespace
