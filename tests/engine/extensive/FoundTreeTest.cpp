// Building the folder tree of a found volume on the file-system page.

#include <gtest/gtest.h>

#include "MemoryDisk.h"
#include "extensive/DirectoryPiece.h"
#include "extensive/FoundFatTree.h"
#include "extensive/FoundNtfsTree.h"
#include "results/ResultStore.h"

namespace {

using engine::kFileSystemFat16;
using engine::kFileSystemFat32;
using engine::kFileSystemNtfs;
using testsupport::MemoryDisk;
using testsupport::ToUtf8;

TEST(FindFatCopies, SearchStartsBeforeTheClusterBase) {
  struct Case {
    uint16_t Code;
    uint32_t ClusterBase;
    std::optional<uint64_t> Start;
  };
  const Case cases[] = {{kFileSystemFat16, 600, 50},   {kFileSystemFat16, 500, 63},     {kFileSystemFat16, 63, std::nullopt},
                        {kFileSystemFat32, 40000, 10000}, {kFileSystemFat32, 20000, 63}, {kFileSystemFat32, 30001, 1}};
  for (const Case& c : cases) EXPECT_EQ(engine::FatCopySearchStart(c.Code, c.ClusterBase), c.Start) << c.ClusterBase;
}

TEST(FindFatCopies, TwoSignaturesGiveBothFatsAndTheFat16Root) {
  MemoryDisk disk(700, kFileSystemFat16);
  for (uint32_t sector : {40u, 70u, 90u, 95u}) disk.Write(sector, 0, "\xF8\xFF\xFF");  // 40 lies before the search
  disk.Attach();
  engine::VolumeParameters& volume = disk.ctx.ActiveVolume;
  volume.FileSystemCode = kFileSystemFat16;
  volume.ClusterBase = 600;
  engine::FindFatCopies(disk.ctx);
  EXPECT_EQ(volume.Fat1Start, 70u);
  EXPECT_EQ(volume.Fat2Start, 90u);
  EXPECT_EQ(volume.SectorsPerFat, 20u);
  EXPECT_EQ(volume.RootDirStart, 110u);
}

// A folder whose parent directory was not found hangs under "Dir" + the parent's
// cluster below "Lost Dir"; reachable folders add nothing but "Lost Dir".
TEST(AddLostFatParents, MissingParentsGoBelowLostDir) {
  MemoryDisk disk(16, kFileSystemFat32);
  auto add = [&](uint32_t cluster, uint32_t parent) {
    engine::FatFolderEntry folder;
    folder.Name = u"Dir";
    folder.FirstCluster = cluster;
    folder.ParentCluster = parent;
    engine::AddFatFolder(disk.ctx, folder);
  };
  add(10, 0);
  add(11, 10);
  add(12, 99);
  engine::AddLostFatParents(disk.ctx);
  const engine::ResultStore& results = disk.ctx.Results;
  ASSERT_EQ(results.FatFolders.size(), 5u);
  EXPECT_EQ(ToUtf8(results.FatFolders[3].Name), "Lost Dir");
  EXPECT_EQ(results.FatFolders[3].FirstCluster, engine::kLostDirKey);
  EXPECT_EQ(results.FatFolders[3].ParentCluster, 0u);
  EXPECT_EQ(ToUtf8(results.FatFolders[4].Name), "Dir99");
  EXPECT_EQ(results.FatFolders[4].FirstCluster, 99u);
  EXPECT_EQ(results.FatFolders[4].ParentCluster, engine::kLostDirKey);
}

void WriteShortEntry(MemoryDisk& disk, uint32_t sector, size_t index, const std::string& name11, uint8_t attributes,
                     uint32_t cluster, uint32_t size) {
  const size_t offset = index * 32;
  disk.Write(sector, offset, name11);
  disk.Sector(sector)[offset + 11] = attributes;
  disk.WriteU16(sector, offset + 26, static_cast<uint16_t>(cluster));
  disk.WriteU16(sector, offset + 20, static_cast<uint16_t>(cluster >> 16));
  disk.WriteU32(sector, offset + 28, size);
}

// Entries 0 and 1 of a second sector are read even when the first sector, read
// from entry 2, accepted nothing (entries without a cluster that are not empty
// files); a directory entry names the folder at its cluster; an empty file, which
// has no cluster, is listed.
TEST(ParseDirectoryPiece, FilesAreAddedAndFoldersNamed) {
  MemoryDisk disk(2, kFileSystemFat32);
  disk.ctx.ActiveVolume.FileSystemCode = kFileSystemFat32;
  disk.WriteDirectoryStart(0, 20, 0);
  for (size_t i = 2; i < 16; ++i) WriteShortEntry(disk, 0, i, "NOCLUSTRTXT", 0x20, 0, 7);  // no cluster: passed over
  WriteShortEntry(disk, 1, 0, "A       TXT", 0x20, 30, 10);
  WriteShortEntry(disk, 1, 1, "SUB        ", 0x10, 31, 0);
  WriteShortEntry(disk, 1, 2, "\xE5" "OLD    BIN", 0x20, 32, 99);
  WriteShortEntry(disk, 1, 3, "EMPTY   TXT", 0x20, 0, 0);
  engine::FatFolderEntry sub;
  sub.Name = u"Dir31";
  sub.FirstCluster = 31;
  sub.ParentCluster = 20;
  engine::AddFatFolder(disk.ctx, sub);

  engine::DirectoryPieceRequest request;
  request.ParentCluster = 20;
  request.SectorCount = 2;
  request.FirstEntry = 2;
  bool reachedEnd = false;
  std::vector<uint8_t> bytes(disk.Sector(0).begin(), disk.Sector(0).end());
  bytes.insert(bytes.end(), disk.Sector(1).begin(), disk.Sector(1).end());
  engine::ParseDirectoryPiece(disk.ctx, bytes, request, reachedEnd);

  EXPECT_TRUE(reachedEnd);
  const engine::ResultStore& results = disk.ctx.Results;
  ASSERT_EQ(results.FatFiles.size(), 3u);
  EXPECT_EQ(ToUtf8(results.FatFiles[0].Name), "A.TXT");
  EXPECT_EQ(results.FatFiles[0].FirstCluster, 30u);
  EXPECT_EQ(results.FatFiles[0].ParentCluster, 20u);
  EXPECT_EQ(ToUtf8(results.FatFiles[1].Name), "xOLD.BIN");
  EXPECT_EQ(results.FatFiles[1].Deleted, 1u);
  EXPECT_EQ(ToUtf8(results.FatFiles[2].Name), "EMPTY.TXT");
  EXPECT_EQ(results.FatFiles[2].Size, 0u);
  EXPECT_EQ(results.FileCount, 3);
  EXPECT_EQ(ToUtf8(results.FatFolders[0].Name), "SUB");
}

void AddNode(engine::EngineContext& ctx, const std::u16string& name, uint32_t ownId, uint32_t parent, uint16_t volume) {
  engine::NtfsFolderNode node;
  node.Name = name;
  node.OwnId = ownId;
  node.ParentId = parent;
  engine::AddNtfsFolder(ctx, node);
  ctx.Results.NtfsFolders.back().VolumeNumber = volume;
}

TEST(BuildFoundNtfsTree, FoldersOfTheVolumeWithLostParentsNumbered) {
  MemoryDisk disk(16, kFileSystemNtfs);
  disk.ctx.ActiveVolume.FileSystemCode = kFileSystemNtfs;
  disk.ctx.ActiveVolumeNumber = 1;
  AddNode(disk.ctx, u".", 5, 5, 1);       // the root: never a folder
  AddNode(disk.ctx, u"Top", 30, 5, 1);
  AddNode(disk.ctx, u"Top", 30, 5, 1);    // the same record found twice
  AddNode(disk.ctx, u"Orphan", 31, 77, 1);
  AddNode(disk.ctx, u"Other", 32, 88, 1);
  AddNode(disk.ctx, u"Elsewhere", 33, 5, 2);  // another volume
  engine::BuildFoundNtfsTree(disk.ctx);

  std::vector<std::string> folders;
  for (const auto& folder : disk.ctx.Results.TreeFolders) {
    folders.push_back(ToUtf8(folder.Name) + " " + std::to_string(folder.Id) + " in " + std::to_string(folder.ParentId));
  }
  EXPECT_EQ(folders, (std::vector<std::string>{"Top 30 in 5", "Orphan 31 in 77", "Other 32 in 88",
                                               "Lost Dir 4294967294 in 5", "Dir0 77 in 4294967294",
                                               "Dir1 88 in 4294967294"}));
  EXPECT_EQ(disk.ctx.ScanControl.StopOrDone.load(), 1);
  EXPECT_EQ(disk.ctx.ScanControl.Running.load(), 0);
  EXPECT_EQ(disk.host.CallsStartingWith("ResultTree").empty(), false);
}

}  // namespace
