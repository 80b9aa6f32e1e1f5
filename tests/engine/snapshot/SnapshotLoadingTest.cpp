#include <gtest/gtest.h>

#include <functional>

#include "SnapshotTestContext.h"
#include "snapshot/SnapshotFormat.h"
#include "snapshot/SnapshotLoading.h"
#include "snapshot/SnapshotSaving.h"

namespace {

using namespace engine::snapshot;
using Bytes = std::vector<uint8_t>;

// A FAT32 volume behind logical drive D: of which only the boot sector matters.
Bytes Fat32BootSector(uint8_t sectorsPerCluster) {
  Bytes sector(512, 0);
  sector[13] = sectorsPerCluster;
  sector[14] = 32;   // reserved sectors
  sector[36] = 100;  // sectors per FAT
  sector[44] = 2;    // root cluster
  sector[510] = 0x55;
  sector[511] = 0xAA;
  return sector;
}

void UseDriveD(snapshottest::SnapshotTestContext& t, uint8_t sectorsPerCluster) {
  t.devices.Devices[u"\\\\.\\D:"].Bytes = Fat32BootSector(sectorsPerCluster);
  t.ctx.LogicalDriveTable[0].RootPath = u"D:\\";
  t.ctx.LogicalDriveCount = 1;
}

class SnapshotLoadingTest : public testing::Test {
 protected:
  SnapshotLoadingTest() {
    UseDriveD(saver, 8);
    engine::EngineContext& s = saver.ctx;
    s.RecoveryMode = engine::kModeQuickScan;
    s.SourceSelection = {200, 0, 1000, 999, 0};
    s.ActiveVolume = {200, 100, 8, 0, 2, 32, 216, 32, 132, 0, 0, 0, 0, 999};
    s.SourceDevice.SourceKind = engine::kSourceLogicalDrive;
    saver.AddFatFolder(u"Photo", 7, 0, 1);
    saver.AddFatFile(u"a.txt", 9, 7, 1234);
    saver.AddFatFile(u"b.txt", 10, 0, 1);
    UseDriveD(loader, 8);
    loader.ctx.SourceSelection = {100, 5, 6, 7, 0};
  }
  Bytes Saved() {
    saver.host.SnapshotPaths.push_back(u"C:\\Scans\\Result");
    EXPECT_TRUE(SaveSnapshot(saver.ctx));
    return saver.files.Files.at(u"C:\\Scans\\Result.vbrx");
  }
  bool Load(const Bytes& bytes) {
    loader.files.Files[u"C:\\Scans\\Result.vbrx"] = bytes;
    return LoadScanSnapshot(loader.ctx, u"\"C:\\Scans\\Result.vbrx\"", loader.files, filters);
  }
  bool NoResults() {
    const engine::ResultStore& r = loader.ctx.Results;
    return r.FatFolders.empty() && r.FatFiles.empty() && r.TreeFolders.empty() && r.CarvedFiles.empty();
  }
  snapshottest::SnapshotTestContext saver;
  snapshottest::SnapshotTestContext loader;
  engine::FileFilterTable filters;
};

TEST_F(SnapshotLoadingTest, QuickScanFatComesBackRenumbered) {
  ASSERT_TRUE(Load(Saved()));
  const engine::EngineContext& c = loader.ctx;
  ASSERT_EQ(c.Results.FatFolders.size(), 1u);
  EXPECT_EQ(c.Results.FatFolders[0].Name, u"Photo");
  EXPECT_EQ(c.Results.FatFolders[0].Deleted, 1u);
  ASSERT_EQ(c.Results.FatFiles.size(), 2u);
  EXPECT_EQ(c.Results.FatFiles[1].Name, u"b.txt");
  EXPECT_EQ(c.Results.FatFiles[1].FileIndex, 1u);
  EXPECT_EQ(c.Results.FolderCount, 1);
  EXPECT_EQ(c.Results.FileCount, 2);
  EXPECT_EQ(c.RecoveryMode, engine::kModeQuickScan);
  EXPECT_EQ(c.SourceSelection.SectorCount, 1000u);
  EXPECT_EQ(c.ActiveVolume.ClusterBase, 216u);
  EXPECT_EQ(c.SourceDevice.SourceKind, engine::kSourceLogicalDrive);
  EXPECT_NE(c.SourceDevice.VolumeHandle, nullptr);
  EXPECT_EQ(loader.host.CallsStartingWith("ResultTree.AddFatFolders").size(), 1u);
  EXPECT_EQ(loader.host.CallsStartingWith("ShowWizardPage 4").size(), 1u);
  EXPECT_EQ(loader.host.CallsStartingWith("ProgressDialog.End").size(), 1u);
  EXPECT_TRUE(loader.host.CallsStartingWith("Message").empty());
}

TEST_F(SnapshotLoadingTest, AnotherVolumeIsAMismatchAndKeepsTheEarlierSource) {
  UseDriveD(loader, 16);
  EXPECT_FALSE(Load(Saved()));
  EXPECT_EQ(loader.host.CallsStartingWith("Message 2 Mismatch between the source file and the load recovery snapshot")
                .size(),
            1u);
  EXPECT_TRUE(NoResults());
  EXPECT_EQ(loader.ctx.SourceSelection.FileSystemCode, 100);
  EXPECT_EQ(loader.ctx.SourceSelection.SectorCount, 6u);
  EXPECT_TRUE(loader.host.CallsStartingWith("ShowWizardPage").empty());
}

struct BadFileCase {
  const char* Name;
  std::function<void(Bytes&)> Damage;
  const char* Message;
};

class SnapshotBadFileTest : public SnapshotLoadingTest, public testing::WithParamInterface<BadFileCase> {};

TEST_P(SnapshotBadFileTest, FailsWithItsMessageAndNoResults) {
  // Results of an earlier scan are gone whatever happens.
  engine::AddFatFolder(loader.ctx, engine::FatFolderEntry{u"Old", 3, 0, 0, 0, 0, 0});
  Bytes bytes = Saved();
  GetParam().Damage(bytes);
  EXPECT_FALSE(Load(bytes));
  EXPECT_EQ(loader.host.CallsStartingWith(std::string("Message 2 ") + GetParam().Message).size(), 1u);
  EXPECT_TRUE(NoResults());
  EXPECT_EQ(loader.host.CallsStartingWith("ProgressDialog.End").size(), 1u);
  EXPECT_TRUE(loader.host.CallsStartingWith("ShowWizardPage").empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SnapshotBadFileTest,
    testing::Values(
        BadFileCase{"Tag", [](Bytes& b) { b[2] = 'B'; }, " A file with an invalid version number was found. : "},
        BadFileCase{"Version", [](Bytes& b) { b[9] = '2'; },
                    "The file's version does not match the current version 1.0."},
        BadFileCase{"CutShort", [](Bytes& b) { b.resize(b.size() - 5); }, "Invalid File."},
        BadFileCase{"FileTraceKind", [](Bytes& b) { b[0] = 'R'; }, "Invalid File."},
        BadFileCase{"DriveNumber", [](Bytes& b) { b[b.size() - 4] = 12; }, "Invalid File."}),
    [](const testing::TestParamInfo<BadFileCase>& info) { return info.param.Name; });

TEST_F(SnapshotLoadingTest, UnreadableFileIsReported) {
  EXPECT_FALSE(LoadScanSnapshot(loader.ctx, u"C:\\none.vbrx", loader.files, filters));
  EXPECT_EQ(loader.host.CallsStartingWith("Message 2 The file could not be opened.").size(), 1u);
}

TEST_F(SnapshotLoadingTest, FoldersThatLoopEndUnderLostDir) {
  saver.AddFatFolder(u"Self", 20, 20);
  saver.AddFatFolder(u"RootAgain", 0, 7);
  ASSERT_TRUE(Load(Saved()));
  const engine::ResultStore& r = loader.ctx.Results;
  ASSERT_EQ(r.FatFolders.size(), 4u);
  EXPECT_EQ(r.FatFolders[1].ParentCluster, kLostDirKey);
  EXPECT_EQ(r.FatFolders[2].ParentCluster, kLostDirKey);
  EXPECT_NE(r.FatFolders[2].FirstCluster, 0u);
  EXPECT_EQ(r.FatFolders[3].Name, u"Lost Dir");
  EXPECT_EQ(r.FatFolders[3].ParentCluster, 0u);
}

TEST_F(SnapshotLoadingTest, ChoosingSetsTheModeFromTheMarker) {
  loader.files.Files[u"C:\\Scans\\Result.vbrx"] = Saved();
  loader.files.Files[u"C:\\Scans\\Junk.vbrx"] = {'Q', 0, 1};
  loader.host.SnapshotPaths = {u"C:\\Scans\\Result", u"C:\\Scans\\Gone", u"C:\\Scans\\Junk.vbrx"};
  loader.ctx.RecoveryMode = engine::kModeFileTrace;
  EXPECT_EQ(ChooseSnapshotToLoad(loader.ctx, loader.files), u"C:\\Scans\\Result.vbrx");
  EXPECT_EQ(loader.ctx.RecoveryMode, engine::kModeQuickScan);
  EXPECT_FALSE(ChooseSnapshotToLoad(loader.ctx, loader.files));
  EXPECT_EQ(loader.host.CallsStartingWith("Message 3 C:\\Scans\\Gone.vbrx does not exists.").size(), 1u);
  EXPECT_FALSE(ChooseSnapshotToLoad(loader.ctx, loader.files));
  EXPECT_EQ(loader.host.CallsStartingWith("Message 3 Invalid File.").size(), 1u);
}

TEST_F(SnapshotLoadingTest, FileTraceHitsAndTypesComeBack) {
  engine::EngineContext& s = saver.ctx;
  s.RecoveryMode = engine::kModeFileTrace;
  engine::AppendSelectedSignature(s, engine::SelectedSignature{u".jpg", u"JPEG Image", 3, "FFD8FF", 0});
  engine::AppendCarvedFile(s, engine::CarvedFile{u"1.jpg", u".jpg", u"JPEG Image", 4096, 1});
  loader.files.Files[u"C:\\Scans\\Result.vbrx"] = Saved();
  ASSERT_TRUE(LoadFileTraceSnapshot(loader.ctx, u"C:\\Scans\\Result.vbrx", loader.files));
  const engine::ResultStore& r = loader.ctx.Results;
  ASSERT_EQ(r.CarvedFiles.size(), 1u);
  EXPECT_EQ(r.CarvedFiles[0].StartSector, 4096u);
  EXPECT_EQ(r.SelectedSignatureCount, 1);
  EXPECT_EQ(r.FileCount, 1);
  EXPECT_EQ(loader.ctx.RecoveryMode, engine::kModeFileTrace);
  EXPECT_EQ(loader.host.CallsStartingWith("ResultTree.AddFileTypeFolders").size(), 1u);
  EXPECT_EQ(loader.host.CallsStartingWith("ShowWizardPage 4").size(), 1u);
}

}  // namespace
