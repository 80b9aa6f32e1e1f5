#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "PosixOutputFileSystem.h"

namespace {

namespace fs = std::filesystem;

class PosixOutputFileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/pelmo-outfs-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root = pattern;
  }
  void TearDown() override { fs::remove_all(root); }

  std::u16string At(const std::string& relative) { return platform::FromUtf8(root + "/" + relative); }
  std::string root;
  platform::PosixOutputFileSystem files{"/unused"};
};

TEST_F(PosixOutputFileSystemTest, WritesAFileWithItsTimesThroughBackslashPaths) {
  ASSERT_TRUE(files.CreateFolder(At("Recovered")));
  EXPECT_TRUE(files.CreateFolder(At("Recovered")));  // already there counts as created
  const std::u16string path = At("Recovered") + u"\\\u00e9t\u00e9 \U0001F600.txt";
  auto file = files.CreateFileForWriting(path);
  ASSERT_NE(file, nullptr);
  const uint8_t bytes[] = {'a', 'b', 'c'};
  EXPECT_TRUE(file->Write(bytes));
  // 2020-01-02 03:04:05 UTC as a Windows file time.
  const uint64_t fileTime = 116444736000000000ULL + 1577934245ULL * 10000000ULL;
  EXPECT_TRUE(file->SetTimes({.LastWrite = fileTime}));
  EXPECT_TRUE(file->Close());
  EXPECT_FALSE(file->Close());

  const std::string onDisk = root + "/Recovered/\xC3\xA9t\xC3\xA9 \xF0\x9F\x98\x80.txt";
  std::ifstream in(onDisk, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "abc");
  struct stat info {};
  ASSERT_EQ(stat(onDisk.c_str(), &info), 0);
  EXPECT_EQ(info.st_mtime, 1577934245);
  EXPECT_TRUE(files.FileExists(path));
  EXPECT_EQ(files.FilesInFolder(At("Recovered")), std::vector<std::u16string>{u"\u00e9t\u00e9 \U0001F600.txt"});
}

TEST_F(PosixOutputFileSystemTest, ReportsFailuresInsteadOfPretending) {
  EXPECT_EQ(files.CreateFileForWriting(At("missing") + u"\\x.txt"), nullptr);
  EXPECT_FALSE(files.RemoveFile(At("nothing")));
  ASSERT_TRUE(files.CreateFolder(At("full")));
  files.CreateFileForWriting(At("full") + u"\\f")->Close();
  EXPECT_FALSE(files.RemoveFolder(At("full")));  // not empty
  EXPECT_TRUE(files.RemoveFile(At("full") + u"\\f"));
  EXPECT_TRUE(files.RemoveFolder(At("full")));
  EXPECT_TRUE(files.FilesInFolder(At("gone")).empty());
  EXPECT_EQ(files.TempFolder(), u"/unused\\");
}

TEST(PosixOutputFileTest, AFullDeviceFailsTheWrite) {
  platform::PosixOutputFileSystem files;
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  auto file = files.CreateFileForWriting(u"/dev/full");
  ASSERT_NE(file, nullptr);
  const uint8_t byte = 1;
  EXPECT_FALSE(file->Write({&byte, 1}));
}

}  // namespace
