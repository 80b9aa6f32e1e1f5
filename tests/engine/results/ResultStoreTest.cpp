#include <gtest/gtest.h>

#include "EngineContext.h"
#include "FaultySectorSource.h"
#include "RecordingHost.h"
#include "results/ResultStore.h"

namespace {

using namespace engine;

class ResultStoreTest : public ::testing::Test {
 protected:
  testsupport::RecordingHost host;
  testsupport::FakeDeviceOpener opener;
  EngineContext ctx{host, opener};
  ResultStore& store = ctx.Results;

  FatFolderEntry Folder(std::u16string name, uint32_t cluster, uint32_t deleted, uint32_t parent = 0) {
    return FatFolderEntry{.Name = std::move(name), .FirstCluster = cluster, .ParentCluster = parent,
                          .WriteDate = 0x5021, .AccessDate = 0x5022, .Deleted = deleted};
  }
};

// AddFatFolder over a first cluster that is already listed.
struct FolderOverCase {
  const char* label;
  uint32_t existingDeleted;
  uint32_t newDeleted;
  const char16_t* expectedName;
  uint32_t expectedDeleted;
};

void PrintTo(const FolderOverCase& c, std::ostream* os) { *os << c.label; }

class AddFatFolderRule : public ResultStoreTest, public ::testing::WithParamInterface<FolderOverCase> {};

TEST_P(AddFatFolderRule, KeepsOneEntryPerFirstCluster) {
  const FolderOverCase& c = GetParam();
  ASSERT_NE(AddFatFolder(ctx, Folder(u"OLD", 7, c.existingDeleted)), nullptr);
  EXPECT_EQ(AddFatFolder(ctx, Folder(u"NEW", 7, c.newDeleted, 3)), nullptr);

  ASSERT_EQ(store.FatFolders.size(), 1u);
  EXPECT_EQ(store.FolderCount, 1);
  const FatFolderEntry& kept = store.FatFolders[0];
  EXPECT_EQ(kept.Name, c.expectedName);
  EXPECT_EQ(kept.Deleted, c.expectedDeleted);
  EXPECT_EQ(kept.ParentCluster, 0u);  // only the name and the deleted flag change
  EXPECT_EQ(store.FindFatFolder(7), &kept);
}

INSTANTIATE_TEST_SUITE_P(Cases, AddFatFolderRule,
                         ::testing::Values(FolderOverCase{"LiveOverDeletedRenames", 1, 0, u"NEW", 0},
                                           FolderOverCase{"LiveOverLiveKeeps", 0, 0, u"OLD", 0},
                                           FolderOverCase{"DeletedOverLiveKeeps", 0, 1, u"OLD", 0},
                                           FolderOverCase{"DeletedOverDeletedKeeps", 1, 1, u"OLD", 1}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(ResultStoreTest, FatFilesTakeTheirIndexFromFileCountAndKeepOrder) {
  for (uint32_t i = 0; i < 3; ++i) {
    AddFatFile(ctx, FatFileEntry{.Name = u"F" + std::u16string(1, char16_t(u'0' + i)), .FirstCluster = 10 + i,
                                 .ParentCluster = i == 1 ? 5u : 0u, .Size = 100 * i});
    ++store.FileCount;  // the caller counts
  }
  ASSERT_EQ(store.FatFiles.size(), 3u);
  EXPECT_EQ(store.FatFiles[2].Name, u"F2");
  EXPECT_EQ(store.FatFiles[2].FileIndex, 2u);
  EXPECT_EQ(store.FindFatFile(1)->Name, u"F1");
  EXPECT_EQ(store.FindFatFile(3), nullptr);

  const auto& inRoot = store.FatFilesIn(0);
  ASSERT_EQ(inRoot.size(), 2u);
  EXPECT_EQ(inRoot[0]->Name, u"F0");
  EXPECT_EQ(inRoot[1]->Name, u"F2");
  EXPECT_TRUE(store.FatFilesIn(99).empty());
}

struct TreeFolderCase {
  const char* label;
  int32_t mode;
  size_t expectedNodes;
};

void PrintTo(const TreeFolderCase& c, std::ostream* os) { *os << c.label; }

class AddTreeFolderByMode : public ResultStoreTest, public ::testing::WithParamInterface<TreeFolderCase> {};

TEST_P(AddTreeFolderByMode, DuplicateIdsOnlyOutsideExtensiveScan) {
  ctx.RecoveryMode = GetParam().mode;
  AddTreeFolder(ctx, TreeFolderNode{.Name = u"A", .Id = 40, .ParentId = 5});
  AddTreeFolder(ctx, TreeFolderNode{.Name = u"A again", .Id = 40, .ParentId = 5});
  EXPECT_EQ(store.TreeFolders.size(), GetParam().expectedNodes);
  EXPECT_EQ(store.FolderCount, static_cast<int32_t>(GetParam().expectedNodes));
  EXPECT_EQ(store.FindTreeFolder(40)->Name, u"A");  // the first appended is found
  EXPECT_EQ(store.TreeFoldersIn(5).size(), GetParam().expectedNodes);
}

INSTANTIATE_TEST_SUITE_P(Cases, AddTreeFolderByMode,
                         ::testing::Values(TreeFolderCase{"QuickScanAppendsBoth", kModeQuickScan, 2},
                                           TreeFolderCase{"FileTraceAppendsBoth", kModeFileTrace, 2},
                                           TreeFolderCase{"ExtensiveScanDropsSecond", kModeExtensiveScan, 1}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(ResultStoreTest, AddTreeFolderUniqueDropsAKnownIdInEveryMode) {
  ctx.RecoveryMode = kModeQuickScan;
  EXPECT_NE(AddTreeFolderUnique(ctx, TreeFolderNode{.Name = u"A", .Id = 40}), nullptr);
  EXPECT_EQ(AddTreeFolderUnique(ctx, TreeFolderNode{.Name = u"B", .Id = 40}), nullptr);
  EXPECT_EQ(store.TreeFolders.size(), 1u);
  EXPECT_EQ(store.FolderCount, 1);
}

TEST_F(ResultStoreTest, TreeItemsAreFoundAfterTheyAreSet) {
  FatFolderEntry* fat = AddFatFolder(ctx, Folder(u"DIR", 9, 0));
  TreeFolderNode* ntfs = AddTreeFolder(ctx, TreeFolderNode{.Name = u"Docs", .Id = 64});
  const TreeItem item = static_cast<TreeItem>(0x7FFF00001234ULL);  // beyond 32 bits on purpose
  store.SetTreeItem(*fat, item);
  store.SetTreeItem(*ntfs, item + 1);
  EXPECT_EQ(store.FindFatFolderByTreeItem(item), fat);
  EXPECT_EQ(store.FindTreeFolderByTreeItem(item + 1), ntfs);
  EXPECT_EQ(store.FindFatFolderByTreeItem(static_cast<TreeItem>(0x1234)), nullptr);

  store.SetTreeItem(*fat, item + 7);  // a rebuilt tree gives new items
  EXPECT_EQ(store.FindFatFolderByTreeItem(item), nullptr);
  EXPECT_EQ(store.FindFatFolderByTreeItem(item + 7), fat);
  EXPECT_EQ(store.FindFatFolderByTreeItem(0), nullptr);
}

TEST_F(ResultStoreTest, CountingAppendersCountAndOthersLeaveItToTheCaller) {
  AddNtfsFile(ctx, NtfsFileNode{.Name = u"a.txt", .RecordSector = 800, .ParentId = 5});
  AddNtfsFolder(ctx, NtfsFolderNode{.Name = u"dir", .RecordSector = 802, .VolumeNumber = 3});
  AddDirClusterCandidate(ctx, DirClusterCandidate{.Sector = 900, .OwnCluster = 3, .VolumeNumber = 9});
  AppendSectorNumber(ctx, store.BootSectors, 63);
  AddFoundVolume(ctx, store.FoundVolumes, FoundVolume{});
  AddTreeFile(ctx, TreeFileNode{.Name = u"b", .DataRecordSector = 1200});
  AppendCarvedFile(ctx, CarvedFile{.DisplayName = u"1.jpg", .RunningNumber = 1});

  EXPECT_EQ(store.NtfsFileCount, 1);
  EXPECT_EQ(store.CandidateFolderCount, 1);
  EXPECT_EQ(store.NtfsFolders[0].VolumeNumber, 0);         // starts unclaimed
  EXPECT_EQ(store.DirClusterCandidates[0].VolumeNumber, 0);
  EXPECT_EQ(store.BootSectorCount, 0);
  EXPECT_EQ(store.FoundVolumeCount, 0);
  EXPECT_EQ(store.FileCount, 0);
  EXPECT_EQ(store.FindNtfsFile(800)->Name, u"a.txt");
  EXPECT_EQ(store.NtfsFilesIn(5).size(), 1u);
  EXPECT_EQ(store.FindTreeFile(1200)->Name, u"b");
  EXPECT_EQ(store.FindCarvedFile(1)->DisplayName, u"1.jpg");
}

TEST_F(ResultStoreTest, IndxBlocksCanBePrunedInOrder) {
  for (uint32_t vcn : {0u, 2u, 0u, 4u}) AppendIndxBlock(ctx, IndxBlockNode{.Sector = 100 + vcn, .BlockVcn = vcn});
  EXPECT_EQ(store.RemoveIndxBlocks([](const IndxBlockNode& b) { return b.BlockVcn != 0; }), 2u);
  ASSERT_EQ(store.IndxBlocks.size(), 2u);
  EXPECT_EQ(store.IndxBlocks[1].BlockVcn, 0u);
}

// Fills every list and counter, so each release routine can show what it empties.
void FillEverything(EngineContext& ctx) {
  ResultStore& s = ctx.Results;
  AddFatFile(ctx, FatFileEntry{.Name = u"f", .ParentCluster = 2});
  AddFatFolder(ctx, FatFolderEntry{.Name = u"d", .FirstCluster = 2});
  AddTreeFolder(ctx, TreeFolderNode{.Name = u"t", .Id = 30});
  AddTreeFile(ctx, TreeFileNode{.Name = u"tf", .ParentId = 30, .DataRecordSector = 70});
  AddNtfsFile(ctx, NtfsFileNode{.Name = u"n", .RecordSector = 71});
  AddNtfsFolder(ctx, NtfsFolderNode{.Name = u"nd", .RecordSector = 72});
  AppendIndxBlock(ctx, IndxBlockNode{.Sector = 73});
  AddDirClusterCandidate(ctx, DirClusterCandidate{.Sector = 74});
  AppendSectorNumber(ctx, s.BootSectors, 75);
  AddFoundVolume(ctx, s.FoundVolumes, FoundVolume{});
  AppendSelectedSignature(ctx, SelectedSignature{.Extension = u".doc", .SignatureText = "D0CF"});
  AppendCarvedFile(ctx, CarvedFile{.DisplayName = u"1.doc", .RunningNumber = 1});
  s.FileCount = 1;
  s.DirEntriesParsed = 5;
  s.BootSectorCount = 1;
  s.FoundVolumeCount = 1;
  s.IndxBlockCount = 1;
  s.SelectedSignatureCount = 1;
}

TEST_F(ResultStoreTest, ReleaseFatAndTreeListsEmptiesThemAndTheirCounters) {
  FillEverything(ctx);
  ReleaseFatAndTreeLists(ctx);
  EXPECT_TRUE(store.FatFiles.empty() && store.FatFolders.empty() && store.TreeFolders.empty() &&
              store.TreeFiles.empty());
  EXPECT_EQ(store.FolderCount, 0);
  EXPECT_EQ(store.FileCount, 0);
  EXPECT_EQ(store.DirEntriesParsed, 0);
  EXPECT_EQ(store.FindFatFolder(2), nullptr);
  EXPECT_TRUE(store.FatFilesIn(2).empty());
  EXPECT_EQ(store.FindTreeFolder(30), nullptr);
  EXPECT_EQ(store.NtfsFiles.size(), 1u);  // candidates stay
  EXPECT_EQ(store.CarvedFiles.size(), 1u);
  // A folder seen again after the release is appended afresh.
  EXPECT_NE(AddFatFolder(ctx, FatFolderEntry{.Name = u"d", .FirstCluster = 2}), nullptr);
}

TEST_F(ResultStoreTest, ReleaseTreeListsKeepsTheFatLists) {
  FillEverything(ctx);
  ReleaseTreeLists(ctx);
  EXPECT_TRUE(store.TreeFolders.empty() && store.TreeFiles.empty());
  EXPECT_EQ(store.FatFiles.size(), 1u);
  EXPECT_EQ(store.FatFolders.size(), 1u);
  EXPECT_EQ(store.FolderCount, 0);
  EXPECT_EQ(store.FileCount, 0);
  EXPECT_EQ(store.DirEntriesParsed, 5);
  EXPECT_TRUE(store.TreeFilesIn(30).empty());
}

TEST_F(ResultStoreTest, ReleaseCandidateListsLetsANewScanStartEmpty) {
  FillEverything(ctx);
  ReleaseCandidateLists(ctx);
  EXPECT_TRUE(store.NtfsFiles.empty() && store.NtfsFolders.empty() && store.IndxBlocks.empty() &&
              store.DirClusterCandidates.empty() && store.BootSectors.empty() && store.FoundVolumes.empty());
  EXPECT_EQ(store.CandidateFolderCount, 0);
  EXPECT_EQ(store.NtfsFileCount, 0);
  EXPECT_EQ(store.BootSectorCount, 0);
  EXPECT_EQ(store.FoundVolumeCount, 0);
  EXPECT_EQ(store.IndxBlockCount, 0);
  EXPECT_EQ(store.FindNtfsFile(71), nullptr);
  EXPECT_EQ(store.FatFiles.size(), 1u);

  AddNtfsFile(ctx, NtfsFileNode{.Name = u"again", .RecordSector = 71});
  EXPECT_EQ(store.NtfsFileCount, 1);
  EXPECT_EQ(store.FindNtfsFile(71)->Name, u"again");
}

TEST_F(ResultStoreTest, CarvedAndSignatureReleasesEmptyOnlyTheirLists) {
  FillEverything(ctx);
  ReleaseCarvedFileList(ctx);
  EXPECT_TRUE(store.CarvedFiles.empty());
  EXPECT_EQ(store.FindCarvedFile(1), nullptr);
  EXPECT_EQ(store.SelectedSignatures.size(), 1u);
  ReleaseSelectedSignatureList(ctx);
  EXPECT_TRUE(store.SelectedSignatures.empty());
  EXPECT_EQ(store.SelectedSignatureCount, 0);
  EXPECT_EQ(store.FatFiles.size(), 1u);
}

TEST_F(ResultStoreTest, ReleasingEmptyListsDoesNothing) {
  ReleaseFatAndTreeLists(ctx);
  ReleaseTreeLists(ctx);
  ReleaseCandidateLists(ctx);
  ReleaseCarvedFileList(ctx);
  ReleaseSelectedSignatureList(ctx);
  EXPECT_TRUE(store.FatFiles.empty());
  EXPECT_EQ(store.FolderCount, 0);
  EXPECT_TRUE(host.Calls().empty());
}

}  // namespace
