// The POSIX output file system and input reader against a real folder: links are
// never followed nor taken for folders, renames never replace, a snapshot file is
// read whole or not at all.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "PosixInputFileReader.h"
#include "PosixOutputFileSystem.h"

namespace {

namespace fs = std::filesystem;

class PosixFileSystemTest : public testing::Test {
 protected:
  // A folder of its own per test: ctest runs them side by side.
  PosixFileSystemTest()
      : root(fs::path(testing::TempDir()) /
             (std::string("posix-file-system-") + testing::UnitTest::GetInstance()->current_test_info()->name())) {
    fs::remove_all(root);
    fs::create_directories(root / "outside");
    { std::ofstream(root / "outside" / "victim.txt") << "keep"; }
  }
  ~PosixFileSystemTest() override { fs::remove_all(root); }
  std::u16string At(const std::string& name) { return platform::FromUtf8((root / name).string()); }
  std::string Text(const fs::path& path) {
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  fs::path root;
  platform::PosixOutputFileSystem files;
  platform::PosixInputFileReader reader;
};

TEST_F(PosixFileSystemTest, LinksAreNeverFollowed) {
  fs::create_symlink(root / "outside" / "victim.txt", root / "file-link");
  fs::create_symlink(root / "outside" / "absent.txt", root / "dangling-link");
  fs::create_directory_symlink(root / "outside", root / "folder-link");
  for (const char* link : {"file-link", "dangling-link", "folder-link"}) {
    EXPECT_TRUE(files.FileExists(At(link))) << link;
    EXPECT_FALSE(files.FolderExists(At(link))) << link;
    EXPECT_EQ(files.CreateFileForWriting(At(link)), nullptr) << link;
    EXPECT_FALSE(files.CreateFolder(At(link))) << link;
  }
  EXPECT_EQ(Text(root / "outside" / "victim.txt"), "keep");
  EXPECT_FALSE(fs::exists(root / "outside" / "absent.txt"));
  EXPECT_TRUE(files.CreateFolder(At("real")));
  EXPECT_TRUE(files.CreateFolder(At("real")));  // an existing folder is fine
  EXPECT_TRUE(files.FolderExists(At("real")));
}

TEST_F(PosixFileSystemTest, RenamesNeverReplaceButRenameOverDoes) {
  for (const char* name : {"a", "b"}) {
    auto file = files.CreateFileForWriting(At(name));
    ASSERT_NE(file, nullptr);
    ASSERT_TRUE(file->Write(std::vector<uint8_t>{static_cast<uint8_t>(name[0])}));
    ASSERT_TRUE(file->Close());
  }
  EXPECT_FALSE(files.RenameFile(At("a"), At("b")));
  EXPECT_EQ(Text(root / "a"), "a");
  EXPECT_EQ(Text(root / "b"), "b");
  EXPECT_TRUE(files.RenameFile(At("a"), At("a.partial")));
  EXPECT_FALSE(fs::exists(root / "a"));
  EXPECT_TRUE(files.RenameFileOver(At("a.partial"), At("b")));
  EXPECT_EQ(Text(root / "b"), "a");
}

TEST_F(PosixFileSystemTest, TheInputReaderReadsWholeFilesOnly) {
  { std::ofstream(root / "snap.vbrx") << "ABCDEF"; }
  EXPECT_EQ(reader.ReadWholeFile(At("snap.vbrx"), 6), (std::vector<uint8_t>{'A', 'B', 'C', 'D', 'E', 'F'}));
  EXPECT_EQ(reader.ReadWholeFile(At("snap.vbrx"), 5), std::nullopt);
  EXPECT_EQ(reader.ReadWholeFile(At("missing.vbrx"), 100), std::nullopt);
  EXPECT_EQ(reader.ReadWholeFile(At("outside"), 100), std::nullopt);
  // A snapshot the user may only read still loads.
  fs::permissions(root / "snap.vbrx", fs::perms::owner_read, fs::perm_options::replace);
  EXPECT_TRUE(reader.ReadWholeFile(At("snap.vbrx"), 100).has_value());
}

}  // namespace
