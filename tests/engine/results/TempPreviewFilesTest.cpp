#include <gtest/gtest.h>

#include <map>
#include <set>

#include "EngineContext.h"
#include "FaultySectorSource.h"
#include "RecordingHost.h"
#include "results/ResultStore.h"

namespace {

using namespace engine;

// Files and folders as path sets; a folder can only be removed when nothing lies in it.
class MemoryFileSystem final : public OutputFileSystem {
 public:
  std::set<std::u16string> Files;
  std::set<std::u16string> Folders;

  bool FileExists(const std::u16string& path) override { return Files.count(path) || Folders.count(path); }
  bool CreateFolder(const std::u16string& path) override { return Folders.insert(path).second || true; }
  std::unique_ptr<OutputFile> CreateFileForWriting(const std::u16string&) override { return nullptr; }
  bool RemoveFile(const std::u16string& path) override { return Files.erase(path) == 1; }
  bool RemoveFolder(const std::u16string& path) override {
    for (const auto& file : Files)
      if (file.starts_with(path + u"\\")) return false;
    return Folders.erase(path) == 1;
  }
  std::vector<std::u16string> FilesInFolder(const std::u16string& path) override {
    std::vector<std::u16string> names;
    const std::u16string prefix = path + u"\\";
    for (const auto& file : Files)
      if (file.starts_with(prefix) && file.find(u'\\', prefix.size()) == std::u16string::npos)
        names.push_back(file.substr(prefix.size()));
    return names;
  }
  std::u16string TempFolder() override { return u"C:\\Temp\\"; }
};

class TempPreviewFilesTest : public ::testing::Test {
 protected:
  testsupport::RecordingHost host;
  testsupport::FakeDeviceOpener opener;
  EngineContext ctx{host, opener};
  MemoryFileSystem files;
};

TEST_F(TempPreviewFilesTest, DeletesThePreviewCopiesTheFolderAndWhatIsLeftInIt) {
  ctx.Files = &files;
  files.Folders = {u"C:\\Temp\\ssss", u"C:\\Temp\\other"};
  files.Files = {u"C:\\Temp\\ssss\\a.jpg", u"C:\\Temp\\ssss\\left over.doc", u"C:\\Temp\\other\\keep.txt",
                 u"D:\\elsewhere\\copy.txt"};
  const std::u16string copies[] = {u"C:\\Temp\\ssss\\a.jpg", u"D:\\elsewhere\\copy.txt"};

  DeleteTempPreviewFiles(ctx, copies);

  EXPECT_EQ(files.Files, (std::set<std::u16string>{u"C:\\Temp\\other\\keep.txt"}));
  EXPECT_EQ(files.Folders, (std::set<std::u16string>{u"C:\\Temp\\other"}));
}

TEST_F(TempPreviewFilesTest, WithoutAFolderOrAFileSystemNothingHappens) {
  DeleteTempPreviewFiles(ctx, {});  // no file system set
  EXPECT_FALSE(FileExists(ctx, u"C:\\Temp"));
  ctx.Files = &files;
  DeleteTempPreviewFiles(ctx, {});
  EXPECT_TRUE(files.Files.empty());
  files.Folders = {u"C:\\Temp"};
  EXPECT_TRUE(FileExists(ctx, u"C:\\Temp"));
  EXPECT_FALSE(FileExists(ctx, u"C:\\Temp\\ssss"));
}

}  // namespace
