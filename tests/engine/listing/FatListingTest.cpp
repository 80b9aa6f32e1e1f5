#include "listing/FatListing.h"
#include "listing/SelectedSize.h"
#include "ntfs/NtfsListing.h"

#include <gtest/gtest.h>

#include "FaultySectorSource.h"
#include "RecordingHost.h"
#include "results/ResultStore.h"

namespace {

using Kind = engine::ResultRow::Kind;

class FatListingTest : public testing::Test {
 protected:
  FatListingTest() {
    AddFolder(u"Docs", 10, 0, 0);
    AddFolder(u"Old", 11, 0, 2);  // any non-zero flag is a deleted folder
    AddFolder(u"Inner", 12, 10, 0);
    AddFile(u"a.txt", 0, 0, 1234);
    AddFile(u"xOST.DOC", 0, 1, 10);
    AddFile(u"odd.doc", 0, 2, 20);  // only a flag of 1 marks a deleted file
    AddFile(u"REPORT.DOCX", 10, 0, 30);
  }
  void AddFolder(const char16_t* name, uint32_t cluster, uint32_t parent, uint32_t deleted) {
    engine::FatFolderEntry folder;
    folder.Name = name;
    folder.FirstCluster = cluster;
    folder.ParentCluster = parent;
    folder.WriteDate = 0x3A64;
    folder.AccessDate = 0;
    folder.Deleted = deleted;
    engine::FatFolderEntry* added = engine::AddFatFolder(ctx, folder);
    ctx.Results.SetTreeItem(*added, 100 + cluster);
  }
  void AddFile(const char16_t* name, uint32_t parent, uint32_t deleted, uint32_t size) {
    engine::FatFileEntry file;
    file.Name = name;
    file.FirstCluster = 50;
    file.ParentCluster = parent;
    file.WriteDate = 0x3A64;
    file.AccessDate = 0x3A65;
    file.Size = size;
    file.Deleted = deleted;
    engine::AddFatFile(ctx, file);
    ctx.Results.FileCount += 1;
  }

  testsupport::RecordingHost host;
  testsupport::FakeDeviceOpener opener;
  engine::EngineContext ctx{host, opener};
};

TEST_F(FatListingTest, RootListsFoldersThenFilesWithoutAParentRow) {
  engine::FillFileListFromFat(ctx, 0, {});
  const std::vector<engine::ResultRow> rows = host.Rows();
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(rows[0].RowKind, Kind::Folder);
  EXPECT_EQ(rows[0].Name, u"Docs");
  EXPECT_EQ(rows[0].TypeText, u"Folder");
  // A folder without an access date shows an empty cell, not "00-00-1980".
  EXPECT_EQ(rows[0].Columns, (std::vector<std::u16string>{u"0", u"04-03-2009 ", u"", u"110"}));
  EXPECT_EQ(rows[1].TypeText, u"Deleted Folder");
  EXPECT_EQ(rows[2].RowKind, Kind::File);
  EXPECT_EQ(rows[2].Columns, (std::vector<std::u16string>{u"1234", u"04-03-2009 ", u"05-03-2009 ", u"0"}));
  EXPECT_FALSE(rows[2].Deleted);
  EXPECT_TRUE(rows[3].Deleted);
  EXPECT_FALSE(rows[4].Deleted);
  EXPECT_EQ(rows[4].Columns[3], u"2");
  EXPECT_TRUE(host.CallsStartingWith("List.SetRowChecked").empty());
}

TEST_F(FatListingTest, SubfoldersStartWithATickedParentRowAndFiltersHideFilesOnly) {
  engine::FillFileListFromFat(ctx, 10, {{u"*.doc"}});
  const std::vector<engine::ResultRow> rows = host.Rows();
  ASSERT_EQ(rows.size(), 2u);  // REPORT.DOCX does not end in .DOC
  EXPECT_EQ(rows[0].RowKind, Kind::ParentLink);
  EXPECT_EQ(rows[0].Name, u"Parent...");
  EXPECT_EQ(rows[1].Name, u"Inner");
  EXPECT_EQ(host.CallsStartingWith("List.SetRowChecked").size(), 1u);

  engine::FillFileListFromFat(ctx, 12, {});  // an empty folder still has its Parent row
  EXPECT_EQ(host.Rows().size(), 1u);
}

}  // namespace

namespace {

TEST_F(FatListingTest, SelectedSizeCountsTickedFilesInWholeMegabytes) {
  ctx.ActiveVolume.FileSystemCode = engine::kFileSystemFat32;
  ctx.RecoveryMode = engine::kModeQuickScan;
  const uint32_t ticked[] = {0, 1, 3, 99};  // 99 names no file
  EXPECT_EQ(engine::SelectedFileBytes(ctx, ticked), 1234u + 10u + 30u);
  engine::UpdateSelectedSize(ctx, ticked);
  EXPECT_EQ(host.CallsStartingWith("SelectedSize").back(), "SelectedSize Selected Size : 0 MB");
  EXPECT_EQ(engine::SelectedSizeText(1048575), u"Selected Size : 0 MB");
  EXPECT_EQ(engine::SelectedSizeText(5ULL << 30), u"Selected Size : 5120 MB");
  ctx.RecoveryMode = engine::kModeFileTrace;
  EXPECT_EQ(engine::SelectedFileBytes(ctx, ticked), 0u);
}

}  // namespace

namespace {

// A folder the scan made up ("Lost Dir") has no time: its cells stay empty, while a
// folder with times shows them.
TEST(NtfsFolderListing, AFolderWithoutTimesShowsEmptyCells) {
  testsupport::RecordingHost host;
  testsupport::FakeDeviceOpener opener;
  engine::EngineContext ctx{host, opener};
  engine::TreeFolderNode lost;
  lost.Name = u"Lost Dir";
  lost.Id = 0xFFFFFFFE;
  lost.ParentId = 5;
  engine::AddTreeFolder(ctx, lost);
  engine::TreeFolderNode dated;
  dated.Name = u"Docs";
  dated.Id = 40;
  dated.ParentId = 5;
  dated.Time1 = dated.Time2 = 128'806'347'070'000'000ull;  // 4 March 2009 10:05:07
  engine::AddTreeFolder(ctx, dated);
  engine::FillFileListFromTree(ctx, 5, {});
  const std::vector<engine::ResultRow> rows = host.Rows();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].Name, u"Lost Dir");
  EXPECT_EQ(rows[0].Columns[1], u"");
  EXPECT_EQ(rows[0].Columns[2], u"");
  EXPECT_EQ(rows[1].Columns[1], u"4-3-2009 10:5:7");
}

}  // namespace
