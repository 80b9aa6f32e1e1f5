#include "copyout/SaveSession.h"

#include <gtest/gtest.h>

#include "MemoryOutputFileSystem.h"
#include "RecordingHost.h"
#include "FaultySectorSource.h"
#include "copyout/SaveCheckedItems.h"
#include "copyout/SavePaths.h"
#include "listing/FileFilters.h"

namespace {

class SaveSessionTest : public testing::Test {
 protected:
  SaveSessionTest() { ctx.Files = &files; }

  std::u16string FileTarget(const std::u16string& name) {
    const auto target = engine::ChooseSaveTarget(ctx, session, u"C:\\out", engine::SanitizeFileName(name));
    if (!target) return u"(skipped)";
    files.CreateFileForWriting(target->Path);
    session.CreatedFiles.insert(engine::UpperCaseText(target->Path));
    return target->Path;
  }
  std::u16string FolderTarget(const std::u16string& name, uint64_t key) {
    return engine::CreateSaveFolder(ctx, session, u"C:\\out", name, key).value_or(u"(none)");
  }

  testsupport::RecordingHost host;
  testsupport::FakeDeviceOpener opener;
  engine::EngineContext ctx{host, opener};
  testsupport::MemoryOutputFileSystem files;
  engine::SaveSession session;
};

// Names that read the same once made safe never share a path, whether files or
// folders; a folder of the disk seen again keeps its path.
TEST_F(SaveSessionTest, NamesStayUniqueAcrossFilesAndFolders) {
  ctx.RecoverySettings.ExistingNamePolicy = 2;  // overwrite: still never what this run made
  EXPECT_EQ(FileTarget(u"CON"), u"C:\\out\\_CON");
  EXPECT_EQ(FolderTarget(u"CON", 7), u"C:\\out\\Copy (1 ) of _CON");
  EXPECT_EQ(FolderTarget(u"con", 7), u"C:\\out\\Copy (1 ) of _CON");  // the same folder again
  EXPECT_EQ(FolderTarget(u"..", 8), u"C:\\out\\_");
  EXPECT_EQ(FolderTarget(u".", 9), u"C:\\out\\Copy (1 ) of _");
  EXPECT_EQ(FileTarget(u".."), u"C:\\out\\Copy (2 ) of _");
}

TEST_F(SaveSessionTest, AFolderOrLinkInTheWayIsNeverOverwrittenNorFollowed) {
  files.Folders.insert(u"C:\\out\\photos");   // the user's own folder
  files.Links.insert(u"C:\\out\\escape");     // planted: leads elsewhere
  for (uint16_t policy : {1, 2, 3}) {
    ctx.RecoverySettings.ExistingNamePolicy = policy;
    EXPECT_TRUE(FileTarget(u"photos").starts_with(u"C:\\out\\Copy (")) << policy;
  }
  EXPECT_EQ(FolderTarget(u"photos", 1), u"C:\\out\\photos");  // an existing folder is used
  EXPECT_EQ(FolderTarget(u"escape", 2), u"C:\\out\\Copy (1 ) of escape");
  EXPECT_EQ(files.Folders.count(u"C:\\out\\escape"), 0u);
}

// A file cut short keeps what was written under a name that says so, after any
// earlier partial file of that name; where it cannot be renamed it is removed.
TEST_F(SaveSessionTest, AFileCutShortNeverKeepsItsName) {
  files.Files[u"C:\\out\\a.bin.partial"] = {};
  for (bool renamesFail : {false, true}) {
    files.RenamesFail = renamesFail;
    auto file = files.CreateFileForWriting(u"C:\\out\\a.bin");
    ASSERT_TRUE(file->Write(std::vector<uint8_t>{1, 2}));
    EXPECT_EQ(engine::FinishSaveFile(ctx, session, u"C:\\out\\a.bin", *file, engine::CopyResult::Interrupted, 0),
              engine::FileSaveOutcome::Partial);
    EXPECT_FALSE(files.FileExists(u"C:\\out\\a.bin"));
  }
  EXPECT_EQ(files.Files.at(u"C:\\out\\Copy (1 ) of a.bin.partial").Bytes, (std::vector<uint8_t>{1, 2}));
  EXPECT_EQ(session.Tally.PartialFiles, std::vector<std::u16string>{u"C:\\out\\Copy (1 ) of a.bin.partial"});
  EXPECT_EQ(session.Tally.Partial, 2u);
  EXPECT_EQ(files.Files.size(), 2u);
}

TEST_F(SaveSessionTest, EndTextSaysWhatHappened) {
  engine::SaveTally tally;
  tally.Record(engine::FileSaveOutcome::Saved, u"C:\\out\\a");
  tally.Record(engine::FileSaveOutcome::Skipped, u"C:\\out\\b");
  EXPECT_EQ(engine::SaveEndText(tally), u" Files successfully saved.");
  tally.Record(engine::FileSaveOutcome::Damaged, u"C:\\out\\c");
  tally.Record(engine::FileSaveOutcome::Damaged, u"C:\\out\\g", u"layout guessed");
  tally.Record(engine::FileSaveOutcome::Partial, u"C:\\out\\d");
  tally.PartialFiles.push_back(u"C:\\out\\d.partial");
  tally.Record(engine::FileSaveOutcome::Failed, u"C:\\out\\e");
  tally.UnreadableSectors = 9;
  EXPECT_EQ(engine::SaveEndText(tally),
            u"1 files saved whole.\r\n"
            u"2 files saved with damage (unreadable sectors written as zeros, cut at the end of the volume, "
            u"or as noted):\r\n"
            u"    C:\\out\\c\r\n"
            u"    C:\\out\\g (layout guessed)\r\n"
            u"1 files cut short, kept with the ending \".partial\":\r\n"
            u"    C:\\out\\d.partial\r\n"
            u"1 files stopped or skipped while saving.\r\n"
            u"1 files could not be saved:\r\n"
            u"    C:\\out\\e\r\n"
            u"1 files skipped.\r\n"
            u"9 sectors could not be read.");
}

// A target on the source is found by where the volumes lie, not only by letter.
TEST_F(SaveSessionTest, TargetOnTheSourceByDiskExtents) {
  ctx.LogicalDriveTable[0].RootPath = u"D:\\";
  ctx.SourceSelection.EntryIndex = 0;
  files.Extents[u"D:\\"] = {{1, 1048576, 1 << 30}};
  files.Extents[u"C:\\mnt\\d"] = {{1, 1048576, 1 << 30}};  // D: mounted in a folder too
  files.Extents[u"C:\\"] = {{0, 1048576, 1 << 30}};
  files.Extents[u"E:\\"] = {{1, (1 << 30) + 1048576, 1 << 20}};  // another volume of disk 1

  ctx.SourceDevice.SourceKind = engine::kSourceLogicalDrive;
  EXPECT_TRUE(engine::TargetIsOnSourceVolume(ctx, u"d:\\saved"));
  EXPECT_TRUE(engine::TargetIsOnSourceVolume(ctx, u"C:\\mnt\\d\\saved"));
  EXPECT_FALSE(engine::TargetIsOnSourceVolume(ctx, u"C:\\saved"));
  EXPECT_FALSE(engine::TargetIsOnSourceVolume(ctx, u"E:\\saved"));

  ctx.SourceDevice.SourceKind = engine::kSourceWholeDisk;  // physical disk 1
  ctx.SourceDevice.DriveNumber = 1;
  EXPECT_TRUE(engine::TargetIsOnSourceVolume(ctx, u"E:\\saved"));
  EXPECT_TRUE(engine::TargetIsOnSourceVolume(ctx, u"C:\\mnt\\d\\saved"));
  EXPECT_FALSE(engine::TargetIsOnSourceVolume(ctx, u"C:\\saved"));
  host.QuestionAnswers = {false};
  EXPECT_FALSE(engine::ConfirmSaveTarget(ctx, u"E:\\saved"));
  EXPECT_EQ(ctx.MessageRequest.Text, engine::kTargetOnSourceQuestion);
}

}  // namespace
