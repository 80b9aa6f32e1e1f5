#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "FatImageSession.h"
#include "copyout/SaveCheckedItems.h"
#include "posix/PosixOutputFileSystem.h"

void ExpectListingEqualsSleuthKit(testsupport::FatImageSession& session, const std::string& oracleImagePath);

namespace {

namespace fs = std::filesystem;

std::vector<char> ReadHostFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class ManyEntriesImageTest : public testing::TestWithParam<const char*> {};

// The folder of 2,000 files spans more than 100 clusters: it is read to its end,
// live and deleted entries alike, and every file comes back whole.
TEST_P(ManyEntriesImageTest, LongFolderIsListedAndSavedWhole) {
  const std::string kind = GetParam();
  const fs::path dir = PELMO_MANY_ENTRIES_DIR;
  const std::string imagePath = (dir / ("many-entries-" + kind + ".img")).string();
  const fs::path originals = dir / ("many-entries-" + kind + ".files");
  testsupport::FatImageSession session(imagePath, kind == "fat32" ? engine::kFileSystemFat32 : engine::kFileSystemFat16);
  ASSERT_EQ(session.QuickScan(), 1);
  ExpectListingEqualsSleuthKit(session, imagePath);

  engine::FatFolderEntry* folder = session.ctx.Results.FindFatFolder(session.ctx.Results.FatFoldersIn(0).at(0)->FirstCluster);
  ASSERT_EQ(folder->Name, u"Many Entries");
  EXPECT_EQ(session.ctx.Results.FatFilesIn(folder->FirstCluster).size(), 2000u);
  session.ctx.Results.SetTreeItem(*folder, 5);

  const fs::path target = fs::path(testing::TempDir()) / ("many-entries-save-" + kind);
  fs::remove_all(target);
  fs::create_directories(target);
  platform::PosixOutputFileSystem files;
  session.ctx.Files = &files;
  session.ctx.SaveControl.TargetFolder = platform::FromUtf8(target.string());
  engine::SaveSelection selection;
  selection.TickedFolders = {5};
  engine::SaveCheckedItems(session.ctx, selection);
  EXPECT_EQ(session.ctx.SaveControl.FilesProcessed.load(), 2000);
  for (const auto& original : fs::directory_iterator(originals / "Many Entries")) {
    const fs::path saved = target / "Many Entries" / original.path().filename();
    ASSERT_TRUE(fs::exists(saved)) << saved;
    EXPECT_EQ(ReadHostFile(saved), ReadHostFile(original.path())) << saved;
  }
  fs::remove_all(target);
}

INSTANTIATE_TEST_SUITE_P(Images, ManyEntriesImageTest, testing::Values("fat16", "fat32"));

}  // namespace
