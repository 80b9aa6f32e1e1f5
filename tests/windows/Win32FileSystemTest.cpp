// The Win32 output file system and input file reader against the real calls
// (under Wine): what succeeds, what fails and leaves things as they were, and a
// save whose names clash with what the target already holds.

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "RecordingHost.h"
#include "FaultySectorSource.h"
#include "EngineContext.h"
#include "Win32InputFileReader.h"
#include "Win32OutputFileSystem.h"
#include "copyout/SaveSession.h"

namespace {

std::u16string TempRoot(const char16_t* name) {
  platform::Win32OutputFileSystem files;
  std::u16string root = files.TempFolder() + name;
  // A fresh folder per run: what an earlier run left is removed file by file.
  for (const std::u16string& file : files.FilesInFolder(root)) files.RemoveFile(root + u"\\" + file);
  files.CreateFolder(root);
  return root;
}

bool WriteWhole(platform::Win32OutputFileSystem& files, const std::u16string& path, const std::vector<uint8_t>& bytes) {
  std::unique_ptr<engine::OutputFile> file = files.CreateFileForWriting(path);
  return file && file->Write(bytes) && file->Close();
}

TEST(Win32FileSystemTest, FilesAndFoldersAreMadeRenamedAndReplacedOrLeftAlone) {
  platform::Win32OutputFileSystem files;
  platform::Win32InputFileReader reader;
  const std::u16string root = TempRoot(u"pelmo-w32fs");
  const std::u16string a = root + u"\\a.bin";
  const std::u16string b = root + u"\\b.bin";

  EXPECT_EQ(files.CreateFileForWriting(root + u"\\missing\\x.bin"), nullptr);
  ASSERT_TRUE(WriteWhole(files, a, {1, 2, 3}));
  ASSERT_TRUE(WriteWhole(files, b, {4, 5}));
  EXPECT_TRUE(files.FileExists(a));
  EXPECT_FALSE(files.FolderExists(a));
  EXPECT_TRUE(files.FolderExists(root));
  EXPECT_FALSE(files.CreateFolder(a)) << "a file is in the way";

  EXPECT_FALSE(files.RenameFile(a, b)) << "a rename never replaces";
  EXPECT_EQ(reader.ReadWholeFile(a, 100), (std::vector<uint8_t>{1, 2, 3}));
  EXPECT_EQ(reader.ReadWholeFile(b, 100), (std::vector<uint8_t>{4, 5}));
  EXPECT_TRUE(files.RenameFile(a, root + u"\\a.bin.partial"));
  EXPECT_FALSE(files.FileExists(a));

  EXPECT_TRUE(files.RenameFileOver(root + u"\\a.bin.partial", b));
  EXPECT_EQ(reader.ReadWholeFile(b, 100), (std::vector<uint8_t>{1, 2, 3}));
  EXPECT_FALSE(files.RenameFileOver(root + u"\\gone.bin", b));
  EXPECT_EQ(reader.ReadWholeFile(b, 100), (std::vector<uint8_t>{1, 2, 3}));

  // The input reader: whole files only, never beyond the limit, nothing when missing.
  EXPECT_EQ(reader.ReadWholeFile(b, 2), std::nullopt);
  EXPECT_EQ(reader.ReadWholeFile(root + u"\\gone.bin", 100), std::nullopt);
  EXPECT_EQ(reader.ReadWholeFile(root, 100), std::nullopt) << "a folder is no file";
  ASSERT_TRUE(WriteWhole(files, a, {}));
  EXPECT_EQ(reader.ReadWholeFile(a, 100), std::vector<uint8_t>{});

  // A closed file takes no more writes.
  std::unique_ptr<engine::OutputFile> file = files.CreateFileForWriting(a);
  ASSERT_NE(file, nullptr);
  EXPECT_TRUE(file->Close());
  EXPECT_FALSE(file->Write(std::vector<uint8_t>{1}));
  EXPECT_FALSE(file->Close());
}

TEST(Win32FileSystemTest, DiskExtentsAreAskedOfTheVolumeOrNothing) {
  platform::Win32OutputFileSystem files;
  // Wine keeps no disks behind its drives; Windows answers with the disk and the
  // volume's place on it. Either way a path that leads nowhere has no extents.
  for (const engine::DiskExtent& extent : files.DiskExtentsOf(files.TempFolder())) {
    EXPECT_GT(extent.Length, 0u);
  }
  EXPECT_TRUE(files.DiskExtentsOf(u"Q:\\no\\such\\drive").empty());
}

// A save whose target already holds a folder where a file goes, under the
// overwrite policy: the folder is never touched, the file gets its own name.
TEST(Win32FileSystemTest, AFolderInTheWayOfAFileIsNeverOverwritten) {
  platform::Win32OutputFileSystem files;
  const std::u16string root = TempRoot(u"pelmo-w32save");
  ASSERT_TRUE(files.CreateFolder(root + u"\\report.txt"));
  testsupport::RecordingHost host;
  testsupport::FakeDeviceOpener opener;
  engine::EngineContext ctx(host, opener);
  ctx.Files = &files;
  ctx.RecoverySettings.ExistingNamePolicy = 2;
  engine::SaveSession session;
  const auto target = engine::PrepareSaveTarget(ctx, session, root, u"REPORT.TXT", true, 0);
  ASSERT_TRUE(target);
  EXPECT_EQ(target->Name, u"Copy (1 ) of REPORT.TXT");
  EXPECT_TRUE(files.FolderExists(root + u"\\report.txt"));
}

}  // namespace
