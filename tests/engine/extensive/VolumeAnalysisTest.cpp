// Rebuilding FAT and NTFS volumes from the candidates of the raw scans.

#include <gtest/gtest.h>

#include "MemoryDisk.h"
#include "extensive/FatVolumeAnalysis.h"
#include "extensive/NtfsIndexCompletion.h"
#include "extensive/NtfsVolumeAnalysis.h"
#include "results/ResultStore.h"

namespace {

using engine::kFileSystemFat16;
using engine::kFileSystemFat32;
using engine::kFileSystemNtfs;
using testsupport::MemoryDisk;

void AddCandidate(engine::EngineContext& ctx, uint32_t sector, uint32_t ownCluster, uint32_t parentCluster = 0) {
  engine::DirClusterCandidate candidate;
  candidate.Sector = sector;
  candidate.OwnCluster = ownCluster;
  candidate.ParentCluster = parentCluster;
  engine::AddDirClusterCandidate(ctx, candidate);
  ctx.Results.CandidateFolderCount += 1;
}

void AddFolder(engine::EngineContext& ctx, uint32_t recordSector, uint32_t ownId, uint32_t indexCluster) {
  engine::NtfsFolderNode folder;
  folder.Name = u"folder";
  folder.RecordSector = recordSector;
  folder.OwnId = ownId;
  folder.IndexCluster = indexCluster;
  engine::AddNtfsFolder(ctx, folder);
}

void AddBlock(MemoryDisk& disk, uint32_t sector, uint32_t owner, uint32_t vcn = 0) {
  disk.Write(sector, 0, "INDX");
  engine::AppendIndxBlock(disk.ctx, {sector, owner, vcn, 8});
  disk.ctx.Results.IndxBlockCount += 1;
}

// A FAT boot sector: reserved 32 (FAT32) or 4 (FAT16), 100 sectors per FAT, 512 root entries.
void WriteFatBootSector(MemoryDisk& disk, uint32_t sector, bool fat32, uint8_t sectorsPerCluster, uint16_t total16,
                        uint32_t total32) {
  disk.Sector(sector)[13] = sectorsPerCluster;
  disk.WriteU16(sector, 14, fat32 ? 32 : 4);
  disk.WriteU16(sector, 17, fat32 ? 0 : 512);
  disk.WriteU16(sector, 19, total16);
  disk.WriteU32(sector, 32, total32);
  if (fat32) {
    disk.WriteU32(sector, 36, 100);
    disk.WriteU32(sector, 44, 2);
    disk.Write(sector, 82, "FAT32   ");
  } else {
    disk.WriteU16(sector, 22, 100);
    disk.Write(sector, 54, "FAT16   ");
  }
  disk.MarkBoot(sector);
}

TEST(FatVolumeFromBootSector, GeometryAndEnd) {
  struct Case {
    const char* Name;
    bool Fat32;
    uint8_t SectorsPerCluster;
    uint16_t Total16;
    uint32_t Total32;
    bool IsVolume;
    uint32_t ClusterBase, EndSector;
  };
  const Case cases[] = {
      {"FAT32", true, 8, 0, 50000, true, 1000 + 32 + 200 - 16, 51000},
      {"FAT32 with 3 sectors per cluster", true, 3, 0, 50000, false, 0, 0},
      {"FAT16 under 32 MiB (16-bit total)", false, 4, 32768, 0, true, 1000 + 4 + 200 + 32 - 8, 33768},
      {"FAT16 with the 32-bit total", false, 4, 0, 70000, true, 1000 + 4 + 200 + 32 - 8, 71000},
      {"FAT16 with no total", false, 4, 0, 0, true, 1000 + 4 + 200 + 32 - 8, 1000},
  };
  for (const Case& c : cases) {
    MemoryDisk disk(1001, c.Fat32 ? kFileSystemFat32 : kFileSystemFat16);
    WriteFatBootSector(disk, 1000, c.Fat32, c.SectorsPerCluster, c.Total16, c.Total32);
    const auto volume = engine::FatVolumeFromBootSector(disk.Sector(1000), 1000, 63);
    ASSERT_EQ(volume.has_value(), c.IsVolume) << c.Name;
    if (!volume) continue;
    EXPECT_EQ(volume->ClusterBase, c.ClusterBase) << c.Name;
    EXPECT_EQ(volume->EndSector, c.EndSector) << c.Name;
    EXPECT_EQ(volume->Fat1Start, c.Fat32 ? 1032u : 1004u) << c.Name;
    EXPECT_EQ(volume->Fat2Start, volume->Fat1Start + 100) << c.Name;
  }
}

TEST(AnalyzeFatVolumes, OnlyTheBootSectorWhoseGeometryMatchesBecomesAVolume) {
  MemoryDisk disk(1200, kFileSystemFat32);
  WriteFatBootSector(disk, 100, true, 8, 0, 1000);  // cluster base 100 + 32 + 200 - 16 = 316
  WriteFatBootSector(disk, 106, true, 8, 0, 1000);  // its backup: base 322, claims nothing
  WriteFatBootSector(disk, 700, true, 8, 0, 400);   // no directory of its own
  disk.Attach();
  for (uint32_t sector : {100u, 106u, 700u}) engine::AppendSectorNumber(disk.ctx, disk.ctx.Results.BootSectors, sector);
  AddCandidate(disk.ctx, 316 + 8 * 5, 5);
  AddCandidate(disk.ctx, 316 + 8 * 9, 9, 5);
  AddCandidate(disk.ctx, 1150, 11);  // matches nothing
  engine::AnalyzeFatVolumes(disk.ctx);

  ASSERT_EQ(disk.ctx.Results.FoundVolumeCount, 1);
  const engine::FoundVolume& volume = disk.ctx.Results.FoundVolumes[0];
  EXPECT_EQ(volume.FileSystemCode, kFileSystemFat32);
  EXPECT_EQ(volume.ClusterBase, 316u);
  EXPECT_EQ(volume.Fat1Start, 132u);
  EXPECT_EQ(volume.RootDirStart, 2u);
  EXPECT_EQ(disk.host.CallsStartingWith("PartitionTree.AddItem").size(), 1u);
  EXPECT_EQ(disk.host.CallsStartingWith("PartitionTree.AddItem FAT32 @316 under 1").size(), 1u);
  const auto& candidates = disk.ctx.Results.DirClusterCandidates;
  EXPECT_EQ(candidates[0].VolumeNumber, 1);
  EXPECT_EQ(candidates[1].VolumeNumber, 1);
  EXPECT_EQ(candidates[2].VolumeNumber, engine::kUnclaimedVolume);
  EXPECT_EQ(disk.ctx.ScanControl.AnalysisPart1Done.load(), 1);
  EXPECT_EQ(disk.ctx.ScanControl.AnalysisPart2Done.load(), 1);
}

// Directory starts at 10,000 (cluster 3) and 10,064 (cluster 11): 8 sectors per
// cluster, cluster 0 at 9,976; FAT32 when the range was chosen as FAT32.
class VolumeFromCandidates : public ::testing::TestWithParam<uint16_t> {};

TEST_P(VolumeFromCandidates, PairFixesClusterSizeAndBase) {
  MemoryDisk disk(16, GetParam());
  AddCandidate(disk.ctx, 10000, 3);
  AddCandidate(disk.ctx, 10064, 11, 3);
  AddCandidate(disk.ctx, 10100, 40);  // fits no pair
  engine::AnalyzeFatVolumes(disk.ctx);
  ASSERT_EQ(disk.ctx.Results.FoundVolumeCount, 1);
  const engine::FoundVolume& volume = disk.ctx.Results.FoundVolumes[0];
  EXPECT_EQ(volume.SectorsPerCluster, 8u);
  EXPECT_EQ(volume.ClusterBase, 9976u);
  EXPECT_EQ(volume.FileSystemCode, GetParam());
  EXPECT_EQ(volume.RootDirStart, GetParam() == kFileSystemFat32 ? 2u : 0u);
  EXPECT_EQ(volume.Fat1Start, 0u);
  EXPECT_EQ(volume.EndSector, 0u);
  const std::string line = GetParam() == kFileSystemFat32 ? "FAT32 @9976" : "FAT16 @9976";
  EXPECT_EQ(disk.host.CallsStartingWith("PartitionTree.AddItem " + line + " ").size(), 1u);
  EXPECT_EQ(disk.ctx.Results.DirClusterCandidates[2].VolumeNumber, engine::kUnclaimedVolume);
}

INSTANTIATE_TEST_SUITE_P(Codes, VolumeFromCandidates, ::testing::Values(kFileSystemFat16, kFileSystemFat32));

TEST(ScanIndxRecords, FolderWithoutIdIsNumberedFromTheOneBefore) {
  MemoryDisk disk(16, kFileSystemNtfs);
  AddFolder(disk.ctx, 100, 0, 0);  // no folder before it: 1 + 1
  AddFolder(disk.ctx, 200, 40, 0);
  AddFolder(disk.ctx, 206, 0, 0);  // 6 sectors after id 40: 43
  AddFolder(disk.ctx, 209, 0, 0);  // an odd distance: the next number
  engine::ScanIndxRecords(disk.ctx);
  const auto& folders = disk.ctx.Results.NtfsFolders;
  EXPECT_EQ(folders[0].OwnId, 2u);
  EXPECT_EQ(folders[1].OwnId, 40u);
  EXPECT_EQ(folders[2].OwnId, 43u);
  EXPECT_EQ(folders[3].OwnId, 44u);
}

TEST(DeleteUnusedIndexEntries, KeepsOnlyFirstBlocks) {
  MemoryDisk disk(16, kFileSystemNtfs);
  AddBlock(disk, 1, 40, 0);
  AddBlock(disk, 2, 40, 1);
  AddBlock(disk, 3, 41, 0);
  AddBlock(disk, 4, 41, 7);
  engine::DeleteUnusedIndexEntries(disk.ctx);
  ASSERT_EQ(disk.ctx.Results.IndxBlocks.size(), 2u);
  EXPECT_EQ(disk.ctx.Results.IndxBlocks[0].Sector, 1u);
  EXPECT_EQ(disk.ctx.Results.IndxBlocks[1].Sector, 3u);
  EXPECT_EQ(disk.ctx.Results.IndxBlockCount, 2);
}

TEST(AnalyzeNtfsVolumes, BootSectorConfirmedByAFolderIndexBlock) {
  MemoryDisk disk(1600, kFileSystemNtfs);
  for (uint32_t start : {0u, 1000u}) {
    disk.Write(start, 3, "NTFS    ");
    disk.Sector(start)[13] = 8;
    disk.WriteU32(start, 40, 500);
    disk.WriteU32(start, 48, 4);
    disk.WriteU32(start, 56, 60);
    disk.WriteU32(start, 68, 1);
    disk.MarkBoot(start);
    engine::AppendSectorNumber(disk.ctx, disk.ctx.Results.BootSectors, start);
  }
  disk.Write(800, 0, "INDX");  // cluster 100 of the volume at 0; the one at 1000 has no folder
  disk.Attach();
  AddFolder(disk.ctx, 64, 40, 100);
  const engine::TreeItem root = engine::AnalyzeNtfsVolumes(disk.ctx);
  ASSERT_EQ(disk.ctx.Results.FoundVolumeCount, 1);
  const engine::FoundVolume& volume = disk.ctx.Results.FoundVolumes[0];
  EXPECT_EQ(volume.ClusterBase, 0u);
  EXPECT_EQ(volume.MftStart, 32u);
  EXPECT_EQ(volume.MftMirrorStart, 480u);
  EXPECT_EQ(volume.SectorsPerIndexRecord, 8u);
  EXPECT_EQ(volume.EndSector, 500u);
  EXPECT_EQ(disk.host.CallsStartingWith("PartitionTree.AddItem File System NTFS-0 under " + std::to_string(root)).size(),
            1u);
  EXPECT_EQ(disk.ctx.Results.NtfsFolders[0].VolumeNumber, 1);
}

// Index clusters 100 and 300 with first blocks at 10,800 and 12,400: 8 sectors per
// cluster and a volume at 10,000. Blocks on the wrong side (9,200 for cluster 300)
// give differences of opposite signs and no volume.
TEST(FinishNtfsCandidates, PairsOfFoldersFixClusterSizeAndStart) {
  struct Case {
    uint32_t SecondBlock;
    bool IsVolume;
  };
  for (const Case c : {Case{12400, true}, Case{9200, false}}) {
    MemoryDisk disk(12500, kFileSystemNtfs);
    AddBlock(disk, 10800, 40);
    AddBlock(disk, c.SecondBlock, 41);
    disk.Attach();
    AddFolder(disk.ctx, 11000, 40, 100);
    AddFolder(disk.ctx, 11002, 41, 300);
    AddFolder(disk.ctx, 11004, 42, 0);  // no index allocation
    engine::FinishNtfsCandidates(disk.ctx, 1);
    const auto& folders = disk.ctx.Results.NtfsFolders;
    EXPECT_EQ(folders[2].VolumeNumber, engine::kUnclaimedVolume);
    EXPECT_EQ(disk.ctx.ScanControl.AnalysisPart2Done.load(), 1);
    if (!c.IsVolume) {
      EXPECT_EQ(disk.ctx.Results.FoundVolumeCount, 0) << c.SecondBlock;
      EXPECT_EQ(folders[0].VolumeNumber, engine::kUnclaimedVolume);
      continue;
    }
    ASSERT_EQ(disk.ctx.Results.FoundVolumeCount, 1);
    EXPECT_EQ(disk.ctx.Results.FoundVolumes[0].ClusterBase, 10000u);
    EXPECT_EQ(disk.ctx.Results.FoundVolumes[0].SectorsPerCluster, 8u);
    EXPECT_EQ(disk.ctx.Results.FoundVolumes[0].EndSector, 12499u);
    EXPECT_EQ(folders[0].VolumeNumber, 1);
    EXPECT_EQ(folders[1].VolumeNumber, 1);
    EXPECT_EQ(disk.host.CallsStartingWith("PartitionTree.AddItem File System NTFS-10000 under 1").size(), 1u);
  }
}

}  // namespace
