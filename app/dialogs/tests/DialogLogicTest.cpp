#include <gtest/gtest.h>

#include "DriveFacts.h"
#include "FileFilterEditing.h"
#include "FolderTotals.h"
#include "FoundFileSearch.h"
#include "FaultySectorSource.h"
#include "RecordingHost.h"
#include "listing/ResultRows.h"
#include "results/ResultStore.h"

namespace {

using dialogs::FilterAddVerdict;

// ---- File filters ----------------------------------------------------------------

TEST(FileFilterEditing, AddRulesInTheirOrder) {
  const std::vector<std::u16string> some{u"*.jpg", u"*.TXT"};
  const std::vector<std::u16string> full(engine::kMaxFileFilters, u"*.x");
  struct Case {
    std::u16string text;
    const std::vector<std::u16string>* entries;
    FilterAddVerdict verdict;
  } cases[] = {
      {u"1234567890123456789", &some, FilterAddVerdict::Accepted},   // 19 characters
      {u"12345678901234567890", &some, FilterAddVerdict::TooLong},   // 20
      {std::u16string(5000, u'a'), &some, FilterAddVerdict::TooLong},
      {u"", &some, FilterAddVerdict::Blank},
      {u"*.jpg", &some, FilterAddVerdict::AlreadyPresent},
      {u"*.JPG", &some, FilterAddVerdict::Accepted},  // case makes another entry
      {u"", &full, FilterAddVerdict::TableFull},      // refused before the text is read
  };
  for (const Case& c : cases) EXPECT_EQ(dialogs::CheckFilterToAdd(c.text, *c.entries), c.verdict);
  EXPECT_EQ(dialogs::FilterRefusalText(FilterAddVerdict::TooLong), u"      Filter too long     ");
  EXPECT_EQ(dialogs::FilterRefusalText(FilterAddVerdict::TableFull), u"      More filters cannot be added.     ");
}

TEST(FileFilterEditing, TableKeepsTheListOrderWithinItsLimits) {
  std::vector<std::u16string> entries{u"*.jpg", std::u16string(20, u'x'), u"", u"*.doc"};
  for (int i = 0; i < 120; ++i) entries.push_back(u"*.a");
  const engine::FileFilterTable table = dialogs::FilterTableFromEntries(entries);
  ASSERT_EQ(table.Patterns.size(), engine::kMaxFileFilters);
  EXPECT_EQ(table.Patterns[0], u"*.jpg");
  EXPECT_EQ(table.Patterns[1], u"*.doc");
  EXPECT_TRUE(engine::PassesFileFilters(table, u"photo.JPG"));
  EXPECT_FALSE(engine::PassesFileFilters(table, u"notes.txt"));
}

// ---- Result lists of a small FAT volume and a small NTFS volume --------------------

class ResultListsTest : public testing::Test {
 protected:
  void AddFatFolder(const char16_t* name, uint32_t cluster, uint32_t parent, engine::TreeItem item) {
    engine::FatFolderEntry folder;
    folder.Name = name;
    folder.FirstCluster = cluster;
    folder.ParentCluster = parent;
    ctx.Results.SetTreeItem(*engine::AddFatFolder(ctx, folder), item);
  }
  void AddFatFile(const char16_t* name, uint32_t parent, uint32_t size) {
    engine::FatFileEntry file;
    file.Name = name;
    file.ParentCluster = parent;
    file.Size = size;
    file.WriteDate = 0x3A64;
    engine::AddFatFile(ctx, file);
    ctx.Results.FileCount += 1;
  }
  void UseFat() {
    ctx.ActiveVolume.FileSystemCode = engine::kFileSystemFat32;
    ctx.RecoveryMode = engine::kModeQuickScan;
    AddFatFolder(u"Docs", 10, 0, 110);
    AddFatFolder(u"Inner", 12, 10, 112);
    AddFatFile(u"a.txt", 0, 1234);
    AddFatFile(u"b.jpg", 10, 1048575);
    AddFatFile(u"c.TXT", 12, 1);
  }

  testsupport::RecordingHost host;
  testsupport::FakeDeviceOpener opener;
  engine::EngineContext ctx{host, opener};
};

TEST_F(ResultListsTest, FolderItemCountsItsOwnFilesAndItself) {
  UseFat();
  dialogs::SelectionTotals totals;
  dialogs::CountTreeItem(ctx, 110, totals);  // Docs
  dialogs::CountTreeItem(ctx, 112, totals);  // Inner, below it
  EXPECT_EQ(totals.FolderCount, 2u);
  EXPECT_EQ(totals.FileCount, 2u);
  EXPECT_EQ(totals.ByteCount, 1048576u);
  EXPECT_EQ(totals.SelectedBytes, 1048576u);
  EXPECT_EQ(dialogs::ContainsText(totals), u"2 File(s) and 1 Folder(s)");
  EXPECT_EQ(dialogs::FolderSizeText(totals.ByteCount), u"1 MB");
  EXPECT_EQ(dialogs::FolderSizeText(1048575), u"Less than 1 MB");

  dialogs::SelectionTotals root;
  dialogs::CountTreeItem(ctx, 999, root);  // no folder record: the root directory
  EXPECT_EQ(root.FileCount, 1u);
  EXPECT_EQ(dialogs::ContainsText(root), u"1 File(s) and 0 Folder(s)");
}

TEST_F(ResultListsTest, NtfsExtensiveFilesCountOnlyInsideTheVolume) {
  ctx.ActiveVolume.FileSystemCode = engine::kFileSystemNtfs;
  ctx.RecoveryMode = engine::kModeExtensiveScan;
  ctx.ActiveVolume.ClusterBase = 100;
  ctx.ActiveVolume.EndSector = 200;
  engine::TreeFolderNode folder;
  folder.Name = u"Data";
  folder.Id = 40;
  ctx.Results.SetTreeItem(*engine::AddTreeFolder(ctx, folder), 77);
  for (uint32_t sector : {100u, 150u, 200u, 201u}) {
    engine::NtfsFileNode file;
    file.Name = u"f" + engine::DecimalText(sector) + u".txt";
    file.ParentId = 40;
    file.RecordSector = sector;
    file.Size = 5000000000ull;  // beyond 32 bits
    engine::AddNtfsFile(ctx, file);
  }
  dialogs::SelectionTotals totals;
  dialogs::CountTreeItem(ctx, 77, totals);
  EXPECT_EQ(totals.FileCount, 2u);  // after the cluster base and not beyond the end
  EXPECT_EQ(totals.ByteCount, 10000000000ull);

  // The root item has no folder record: it counts the root directory's files.
  engine::NtfsFileNode rootFile;
  rootFile.Name = u"boot.ini";
  rootFile.ParentId = 5;
  rootFile.RecordSector = 120;
  rootFile.Size = 10;
  engine::AddNtfsFile(ctx, rootFile);
  dialogs::SelectionTotals root;
  dialogs::CountTreeItem(ctx, 1, root);
  EXPECT_EQ(root.FileCount, 1u);
  EXPECT_EQ(root.ByteCount, 10u);

  // The search takes the range with both ends included.
  std::vector<std::u16string> ids;
  dialogs::SearchFoundFiles(ctx, u"*", [] { return false; },
                            [&](dialogs::FoundFile&& file) {
                              EXPECT_TRUE(file.FolderItem == 77u || file.Name == u"BOOT.INI");
                              ids.push_back(file.IdText);
                            });
  EXPECT_EQ(ids, (std::vector<std::u16string>{u"100", u"150", u"200", u"120"}));
}

TEST_F(ResultListsTest, SearchMatchesUpperCasedNamesWithTheirFolders) {
  UseFat();
  struct Case {
    std::u16string pattern;
    std::vector<std::u16string> names;
  } cases[] = {
      {u"*.txt", {u"A.TXT", u"C.TXT"}},
      {u"*", {u"A.TXT", u"B.JPG", u"C.TXT"}},
      {u"jp", {u"B.JPG"}},  // no wildcard: the name contains it
      {u"", {}},            // an empty pattern finds nothing
  };
  for (const Case& c : cases) {
    std::vector<std::u16string> names;
    const int count = dialogs::SearchFoundFiles(ctx, c.pattern, [] { return false; },
                                                [&](dialogs::FoundFile&& file) { names.push_back(file.Name); });
    EXPECT_EQ(names, c.names) << std::string(c.pattern.begin(), c.pattern.end());
    EXPECT_EQ(count, static_cast<int>(c.names.size()));
  }
  std::vector<dialogs::FoundFile> hits;
  dialogs::SearchFoundFiles(ctx, u"c.txt", [] { return false; },
                            [&](dialogs::FoundFile&& file) { hits.push_back(std::move(file)); });
  ASSERT_EQ(hits.size(), 1u);
  EXPECT_EQ(hits[0].FolderItem, 112u);
  EXPECT_EQ(hits[0].SizeText, u"1");
  EXPECT_EQ(hits[0].FirstDateText, u"04-03-2009 ");
  EXPECT_EQ(hits[0].IdText, u"2");
  EXPECT_EQ(dialogs::SearchEndText(0), u"Search is complete. There are no results to display.");
  EXPECT_EQ(dialogs::SearchEndText(2), u"There were 2 files found.");
}

TEST_F(ResultListsTest, StopEndsTheSearchBeforeTheNextRecord) {
  UseFat();
  int asked = 0;
  const int count = dialogs::SearchFoundFiles(ctx, u"*", [&] { return ++asked > 1; }, [](dialogs::FoundFile&&) {});
  EXPECT_EQ(count, 1);
}

TEST_F(ResultListsTest, DriveFactsByFileSystemAndMode) {
  dialogs::DriveFacts none = dialogs::ReadDriveFacts(ctx);
  EXPECT_EQ(none.FileSystem, u"");
  EXPECT_EQ(none.Files, u"0");
  EXPECT_EQ(none.FirstFat, u"0");
  EXPECT_EQ(none.MftStart, u"N/A");

  UseFat();
  ctx.Results.FolderCount = 2;
  ctx.ActiveVolume.Fat1Start = 32;
  dialogs::DriveFacts fat = dialogs::ReadDriveFacts(ctx);
  EXPECT_EQ(fat.FileSystem, u"FAT32");
  EXPECT_EQ(fat.Directories, u"2");
  EXPECT_EQ(fat.Files, u"3");
  EXPECT_EQ(fat.FirstFat, u"32");

  ctx.ActiveVolume.FileSystemCode = engine::kFileSystemNtfs;
  ctx.ActiveVolume.MftStart = 4096;
  ctx.RecoveryMode = engine::kModeExtensiveScan;
  ctx.Results.NtfsFileCount = 9;
  dialogs::DriveFacts ntfs = dialogs::ReadDriveFacts(ctx);
  EXPECT_EQ(ntfs.Files, u"9");
  EXPECT_EQ(ntfs.FirstFat, u"N/A");
  EXPECT_EQ(ntfs.SecondFat, u"N/A");
  EXPECT_EQ(ntfs.MftStart, u"4096");

  ctx.RecoveryMode = engine::kModeFileTrace;
  ctx.Results.FolderCount = 7;  // the hit count
  dialogs::DriveFacts trace = dialogs::ReadDriveFacts(ctx);
  EXPECT_EQ(trace.Directories, u"0");
  EXPECT_EQ(trace.Files, u"7");
  EXPECT_EQ(ctx.Results.FileCount, 7);
}

}  // namespace
