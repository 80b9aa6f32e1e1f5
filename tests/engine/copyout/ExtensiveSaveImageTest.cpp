// Saving what an Extensive Scan found on a volume formatted again over its old
// contents, through the results page's own save road: folders ticked in the
// tree, the files below them read along the old runs. A write that fails and a
// Stop are counted as they happened.

#include <gtest/gtest.h>

#include "Fixtures.h"
#include "MemoryOutputFileSystem.h"
#include "RecordingHost.h"
#include "ReformattedImage.h"
#include "copyout/SaveCheckedItems.h"
#include "posix/ImageFileSource.h"
#include "posix/PosixOutputFileSystem.h"
#include "results/ResultStore.h"

namespace {

// Stops the save when the dialog shows a given file.
class StoppingSaveHost final : public testsupport::RecordingHost {
 public:
  std::atomic<int32_t>* StopFlag = nullptr;
  std::u16string StopAt;
  void SaveReportFile(const std::u16string& folder, const std::u16string& name, int processed) override {
    RecordingHost::SaveReportFile(folder, name, processed);
    if (name == StopAt && StopFlag != nullptr) *StopFlag = 1;
  }
};

class ExtensiveSaveImageTest : public testing::Test {
 protected:
  ExtensiveSaveImageTest() : fixture(fixtures::LoadFixture("extensive-ntfs")) {
    const std::string image = fixtures::FixtureDir() + "/extensive-ntfs-again.img";
    extensivetest::ServeReformattedImage(ctx, opener, image, engine::kFileSystemNtfs);
    old = extensivetest::ReadOldGeometry(image + ".fsstat", false);
    ctx.Files = &files;
    ctx.SaveControl.TargetFolder = u"C:\\out";
    host.StopFlag = &ctx.SaveControl.StopRequested;
  }

  // Ticks the folders Alpha and Gamma in the results tree.
  engine::SaveSelection TickOldFolders() {
    engine::SaveSelection selection;
    engine::TreeItem item = 500;
    for (engine::TreeFolderNode& folder : ctx.Results.TreeFolders) {
      if (folder.Name != u"Alpha" && folder.Name != u"Gamma") continue;
      ctx.Results.SetTreeItem(folder, ++item);
      selection.TickedFolders.push_back(item);
    }
    return selection;
  }

  std::vector<uint8_t> Original(const char* path) { return fixture.ReadOriginal(*fixture.Find(path)); }

  StoppingSaveHost host;
  platform::ImageDeviceOpener opener;
  engine::EngineContext ctx{host, opener};
  testsupport::MemoryOutputFileSystem files;
  fixtures::FixtureImage fixture;
  extensivetest::OldGeometry old;
};

TEST_F(ExtensiveSaveImageTest, OldFoldersAreSavedWholeAndFailuresCounted) {
  ASSERT_TRUE(extensivetest::ScanAndBuildOldVolume(ctx, old, {}));
  const engine::SaveSelection selection = TickOldFolders();
  ASSERT_EQ(selection.TickedFolders.size(), 2u);
  files.Unwritable = {u"C:\\out\\Alpha\\Beta\\third.dat"};
  host.QuestionAnswers = {true};

  const engine::SaveTally tally = engine::SaveCheckedItems(ctx, selection);
  EXPECT_EQ(files.Files.at(u"C:\\out\\Alpha\\first.bin").Bytes, Original("/Alpha/first.bin"));
  EXPECT_EQ(files.Files.at(u"C:\\out\\Alpha\\Beta\\second file.txt").Bytes, Original("/Alpha/Beta/second file.txt"));
  EXPECT_EQ(files.Files.at(u"C:\\out\\Gamma\\fourth.bin").Bytes, Original("/Gamma/fourth.bin"));
  EXPECT_EQ(tally.Saved, 3u);
  EXPECT_EQ(tally.FailedFiles, std::vector<std::u16string>{u"C:\\out\\Alpha\\Beta\\third.dat"});
  EXPECT_EQ(tally.PartialFiles, std::vector<std::u16string>{u"C:\\out\\Alpha\\Beta\\third.dat.partial"});
  EXPECT_EQ(files.Files.size(), 4u);
  EXPECT_EQ(tally.UnreadableSectors, 0u);
}

TEST_F(ExtensiveSaveImageTest, StopLeavesNoLaterFileAndTheStoppedOneMarked) {
  ASSERT_TRUE(extensivetest::ScanAndBuildOldVolume(ctx, old, {}));
  host.StopAt = u"second file.txt";
  const engine::SaveTally tally = engine::SaveCheckedItems(ctx, TickOldFolders());
  EXPECT_EQ(tally.Partial, 1u);
  EXPECT_FALSE(files.FileExists(u"C:\\out\\Alpha\\Beta\\second file.txt"));
  EXPECT_FALSE(files.FileExists(u"C:\\out\\Gamma\\fourth.bin"));
  EXPECT_EQ(files.Files.size(), tally.Saved + tally.PartialFiles.size());
  EXPECT_NE(engine::SaveEndText(tally), u" Files successfully saved.");
}

}  // namespace
