#include "copyout/FatFileSaving.h"

#include <gtest/gtest.h>

#include "MemoryFatVolume.h"
#include "MemoryOutputFileSystem.h"
#include "RecordingHost.h"
#include "copyout/FatFileTimes.h"
#include "copyout/FileDataCopier.h"
#include "copyout/SaveCheckedItems.h"
#include "listing/ResultRows.h"
#include "results/ResultStore.h"

namespace {

using testsupport::MemoryFatVolume;

class FatFileSavingTest : public testing::Test {
 protected:
  FatFileSavingTest() {
    // Every data cluster holds its own number in every byte.
    for (uint32_t cluster = 2; cluster <= 60; ++cluster) {
      std::fill_n(volume.Cluster(cluster), 512, static_cast<uint8_t>(cluster));
    }
    ctx.Files = &files;
  }
  void Install() { volume.Install(ctx, opener); }

  // The bytes a file of `size` has when it lies in `clusters`.
  static std::vector<uint8_t> BytesOf(std::initializer_list<uint8_t> clusters, size_t size) {
    std::vector<uint8_t> bytes;
    for (uint8_t cluster : clusters) bytes.insert(bytes.end(), 512, cluster);
    bytes.resize(size);
    return bytes;
  }

  int Save(uint32_t firstCluster, uint32_t size, const std::u16string& name, uint32_t deleted = 0,
           uint16_t writeDate = 0x3A64) {
    engine::FatFileSaveRequest request;
    request.TargetFolder = u"C:\\out";
    request.FirstCluster = firstCluster;
    request.Size = size;
    request.Name = name;
    request.Deleted = deleted;
    request.WriteDate = writeDate;
    return engine::SaveFatFile(ctx, session, request);
  }
  const std::vector<uint8_t>& Saved(const std::u16string& name) { return files.Files.at(u"C:\\out\\" + name).Bytes; }

  testsupport::RecordingHost host;
  testsupport::FakeDeviceOpener opener;
  engine::EngineContext ctx{host, opener};
  testsupport::MemoryOutputFileSystem files;
  engine::SaveSession session;
  MemoryFatVolume volume;
};

TEST_F(FatFileSavingTest, ClustersComeFromFat1ThenFat2ThenAGuessThatIsNamed) {
  volume.SetBothFats(2, 5);  // intact, fragmented: 2 -> 5 -> 9
  volume.SetBothFats(5, 9);
  volume.SetBothFats(9, 0xFFFF);
  volume.SetFat(1, 10, 0);  // FAT 1 lost the chain 10 -> 12 -> 14; FAT 2 has it
  volume.SetFat(2, 10, 12);
  volume.SetFat(2, 12, 14);
  volume.SetFat(2, 14, 0xFFF8);
  volume.SetBothFats(20, 0);  // deleted: only consecutive clusters are left
  volume.SetBothFats(25, 0xFFFF);  // a live file took cluster 25 since 24..27 were freed
  volume.SetBothFats(30, 31);  // a chain longer than the file: its first clusters count
  volume.SetBothFats(31, 40);
  volume.SetBothFats(40, 41);
  volume.SetBothFats(41, 0xFFFF);
  volume.SetBothFats(44, 45);  // a chain that points back into itself: 44 -> 45 -> 44
  volume.SetBothFats(45, 44);
  volume.SetBothFats(50, 0xFFFF);  // one cluster, its size says far more
  Install();
  ASSERT_EQ(Save(2, 1200, u"fragmented.bin"), 1);
  EXPECT_EQ(Saved(u"fragmented.bin"), BytesOf({2, 5, 9}, 1200));
  ASSERT_EQ(Save(10, 1500, u"fat2.bin"), 1);
  EXPECT_EQ(Saved(u"fat2.bin"), BytesOf({10, 12, 14}, 1500));
  // A deleted file's data lies in the free clusters after its first one; the live
  // file's cluster between them was never its own.
  ASSERT_EQ(Save(20, 1025, u"consecutive.bin", 1), 1);
  EXPECT_EQ(Saved(u"consecutive.bin"), BytesOf({20, 21, 22}, 1025));
  ASSERT_EQ(Save(24, 1400, u"deleted-around-live.bin", 1), 1);
  EXPECT_EQ(Saved(u"deleted-around-live.bin"), BytesOf({24, 26, 27}, 1400));
  ASSERT_EQ(Save(30, 600, u"long-chain.bin"), 1);
  EXPECT_EQ(Saved(u"long-chain.bin"), BytesOf({30, 31}, 600));
  // A live file without a chain, or whose chain loops back into itself, is read
  // on consecutively: a guessed layout, named as damaged.
  ASSERT_EQ(Save(24, 1400, u"live-without-chain.bin"), 0);
  EXPECT_EQ(Saved(u"live-without-chain.bin"), BytesOf({24, 25, 26}, 1400));
  ASSERT_EQ(Save(44, 1400, u"looped-chain.bin"), 0);
  EXPECT_EQ(Saved(u"looped-chain.bin"), BytesOf({44, 45, 46}, 1400));
  // A live file whose chain ends before its size is bounded by the chain.
  ASSERT_EQ(Save(50, 40000, u"size-beyond-chain.bin"), 0);
  EXPECT_EQ(Saved(u"size-beyond-chain.bin"), BytesOf({50}, 512));
  // Clusters 61 and 62 lie beyond the volume: the file ends with the volume, as damaged.
  ASSERT_EQ(Save(59, 2048, u"past-the-end.bin"), 0);
  EXPECT_EQ(Saved(u"past-the-end.bin"), BytesOf({59, 60}, 1024));
  EXPECT_EQ(session.Tally.DamagedFiles,
            (std::vector<std::u16string>{u"C:\\out\\live-without-chain.bin", u"C:\\out\\looped-chain.bin",
                                         u"C:\\out\\size-beyond-chain.bin", u"C:\\out\\past-the-end.bin"}));
  EXPECT_EQ(session.Tally.DamageNotes,
            (std::vector<std::u16string>{u"layout guessed", u"layout guessed", u"", u"layout guessed"}));
  ASSERT_EQ(Save(0, 0, u"empty.txt"), 1);
  EXPECT_TRUE(Saved(u"empty.txt").empty());
}

TEST_F(FatFileSavingTest, UnreadableSectorsAreWrittenAsZeros) {
  opener.Devices[u"\\\\.\\PhysicalDrive0"].BadSectors = {MemoryFatVolume::kClusterBase + 21};
  volume.SetBothFats(20, 21);
  volume.SetBothFats(21, 22);
  volume.SetBothFats(22, 0xFFFF);
  Install();
  ASSERT_EQ(Save(20, 1536, u"bad.bin"), 0);  // written whole, but not as it was
  EXPECT_EQ(Saved(u"bad.bin"), BytesOf({20, 0, 22}, 1536));
  ASSERT_EQ(Save(22, 512, u"good.bin"), 1);
  EXPECT_EQ(session.Tally.Saved, 1u);
  EXPECT_EQ(session.Tally.DamagedFiles, std::vector<std::u16string>{u"C:\\out\\bad.bin"});
}

// Clusters that follow each other are read as one run, in pieces of the settings'
// sectors per read, and the file is written in one go. A piece that fails is read
// again sector by sector, so that exactly its bad sectors become zeros.
TEST_F(FatFileSavingTest, RunsAreReadWholeAndOnlyTheBadSectorsOfAFailedPieceAreLost) {
  for (uint32_t cluster = 30; cluster < 41; ++cluster) volume.SetBothFats(cluster, cluster + 1);
  volume.SetBothFats(41, 50);  // 30..41 is one run, 50..51 another
  volume.SetBothFats(50, 51);
  volume.SetBothFats(51, 0xFFFF);
  Install();
  ctx.RecoverySettings.SectorsPerRead = 4;
  const std::shared_ptr<testsupport::SourceCounters> counters = opener.Devices[u"\\\\.\\PhysicalDrive0"].Counters;
  const uint32_t size = 14 * 512 - 100;
  const std::vector<uint8_t> whole = BytesOf({30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 50, 51}, size);

  const int readsBefore = counters->Reads;
  ASSERT_EQ(Save(30, size, u"whole.bin"), 1);
  EXPECT_EQ(Saved(u"whole.bin"), whole);
  EXPECT_EQ(counters->Reads - readsBefore, 5) << "the FAT's sector, 3 pieces of the first run, 1 of the second";
  EXPECT_EQ(files.Files.at(u"C:\\out\\whole.bin").Writes, 1);

  // Clusters 33 and 34 are the last sector of one piece and the first of the next.
  opener.Devices[u"\\\\.\\PhysicalDrive0"].BadSectors = {MemoryFatVolume::kClusterBase + 33,
                                                        MemoryFatVolume::kClusterBase + 34};
  engine::OpenPhysicalDrive(ctx);
  const uint64_t unreadableBefore = ctx.ReadStats.UnreadableSectors.load();
  ASSERT_EQ(Save(30, size, u"damaged.bin"), 0);
  EXPECT_EQ(ctx.ReadStats.UnreadableSectors.load() - unreadableBefore, 2u);
  std::vector<uint8_t> expected = whole;
  std::fill_n(expected.begin() + 3 * 512, 2 * 512, 0);
  EXPECT_EQ(Saved(u"damaged.bin"), expected);
  EXPECT_EQ(session.Tally.DamagedFiles, std::vector<std::u16string>{u"C:\\out\\damaged.bin"});
}

TEST_F(FatFileSavingTest, DeletedFilesPolicyPicksFiles) {
  struct Case {
    uint16_t Policy;
    uint32_t Deleted;
    int Saved;
  };
  const Case cases[] = {{1, 0, 1}, {1, 1, 1}, {2, 0, 0}, {2, 1, 1}, {3, 0, 1}, {3, 1, 0}};
  Install();
  for (const Case& c : cases) {
    ctx.RecoverySettings.DeletedFilesPolicy = c.Policy;
    const std::u16string name = u"p" + engine::DecimalText(c.Policy) + u"d" + engine::DecimalText(c.Deleted);
    EXPECT_EQ(Save(2, 10, name, c.Deleted), c.Saved) << c.Policy << "/" << c.Deleted;
    EXPECT_EQ(files.FileExists(u"C:\\out\\" + name), c.Saved == 1);
  }
}

TEST_F(FatFileSavingTest, ExistingNamePolicies) {
  Install();
  files.Files[u"C:\\out\\a.txt"].Bytes = {1};
  files.Files[u"C:\\out\\Copy (1 ) of a.txt"].Bytes = {2};
  ASSERT_EQ(Save(2, 3, u"a.txt"), 1);  // policy 1: the first free "Copy ( n ) of" name
  EXPECT_EQ(Saved(u"Copy (2 ) of a.txt"), BytesOf({2}, 3));
  EXPECT_EQ(host.CallsStartingWith("Save.File").back(), "Save.File C:\\out | Copy (2 ) of a.txt | 1");

  ctx.RecoverySettings.ExistingNamePolicy = 3;  // skip: untouched and not counted
  EXPECT_EQ(Save(2, 3, u"a.txt"), 0);
  EXPECT_EQ(Saved(u"a.txt"), std::vector<uint8_t>{1});
  EXPECT_EQ(ctx.SaveControl.FilesProcessed.load(), 1);

  ctx.RecoverySettings.ExistingNamePolicy = 2;  // overwrite what was there before the save...
  ASSERT_EQ(Save(3, 4, u"a.txt"), 1);
  EXPECT_EQ(Saved(u"a.txt"), BytesOf({3}, 4));
  ASSERT_EQ(Save(4, 5, u"a.txt"), 1);  // ...but never a file this save wrote
  EXPECT_EQ(Saved(u"a.txt"), BytesOf({3}, 4));
  EXPECT_EQ(Saved(u"Copy (3 ) of a.txt"), BytesOf({4}, 5));
}

TEST_F(FatFileSavingTest, FailuresAreAskedAboutAndNeverCountAsSaved) {
  Install();
  files.Uncreatable = {u"C:\\out\\locked.txt"};
  files.Unwritable = {u"C:\\out\\full.txt"};
  host.QuestionAnswers = {true, false};
  EXPECT_EQ(Save(2, 10, u"locked.txt"), 0);
  EXPECT_EQ(ctx.MessageRequest.Text, u"Error creating file : C:\\out\\locked.txt.  Continue Recovery ? ");
  EXPECT_EQ(ctx.SaveControl.StopRequested.load(), 0);
  EXPECT_EQ(Save(2, 10, u"full.txt"), 0);
  EXPECT_EQ(ctx.MessageRequest.Text, u"Error writing file : C:\\out\\full.txt.  Continue Recovery ? ");
  EXPECT_EQ(ctx.SaveControl.StopRequested.load(), 1);  // answered No
  EXPECT_EQ(Save(2, 10, u"later.txt"), 0);
  EXPECT_FALSE(files.FileExists(u"C:\\out\\later.txt"));
  // The file whose write failed does not keep its name: it is kept as partial.
  EXPECT_FALSE(files.FileExists(u"C:\\out\\full.txt"));
  EXPECT_TRUE(files.FileExists(u"C:\\out\\full.txt.partial"));
  EXPECT_EQ(session.Tally.Failed, 2u);
  EXPECT_EQ(session.Tally.Saved, 0u);
  EXPECT_EQ(session.Tally.PartialFiles, std::vector<std::u16string>{u"C:\\out\\full.txt.partial"});
}

// Stands for the user's "Skip File" or Stop while the second cluster is copied.
class InterruptingHost final : public testsupport::RecordingHost {
 public:
  std::atomic<int32_t>* Flag = nullptr;
  int ProgressReports = 0;
  void SaveReportProgress(int percent) override {
    RecordingHost::SaveReportProgress(percent);
    if (++ProgressReports == 3 && Flag != nullptr) *Flag = 1;  // 0 at the start, then one per piece read
  }
};

TEST(FatFileInterruptionTest, SkipEndsTheFileAndStopEndsTheSave) {
  InterruptingHost host;
  testsupport::FakeDeviceOpener opener;
  engine::EngineContext ctx{host, opener};
  testsupport::MemoryOutputFileSystem files;
  ctx.Files = &files;
  MemoryFatVolume volume;
  for (uint32_t cluster = 2; cluster < 5; ++cluster) volume.SetBothFats(cluster, cluster + 1);
  volume.SetBothFats(5, 0xFFFF);
  volume.Install(ctx, opener);
  ctx.RecoverySettings.SectorsPerRead = 1;  // a piece per sector: the flag comes between two reads
  engine::SaveSession session;
  engine::FatFileSaveRequest request;
  request.TargetFolder = u"C:\\out";
  request.FirstCluster = 2;
  request.Size = 2048;

  for (std::atomic<int32_t>* flag : {&ctx.SaveControl.SkipRequested, &ctx.SaveControl.StopRequested}) {
    host.Flag = flag;
    host.ProgressReports = 0;
    request.Name = flag == &ctx.SaveControl.SkipRequested ? u"skipped.bin" : u"stopped.bin";
    EXPECT_EQ(engine::SaveFatFile(ctx, session, request), 0);
    // What was written stays, under a name that says it is not the whole file.
    EXPECT_FALSE(files.FileExists(u"C:\\out\\" + request.Name));
    EXPECT_EQ(files.Files.at(u"C:\\out\\" + request.Name + u".partial").Bytes.size(), 512u);
  }
  EXPECT_EQ(session.Tally.Partial, 2u);
  request.Name = u"next.bin";
  EXPECT_EQ(engine::SaveFatFile(ctx, session, request), 0);  // after Stop no file starts
  EXPECT_FALSE(files.FileExists(u"C:\\out\\next.bin"));
  ctx.SaveControl.StopRequested = 0;
  EXPECT_EQ(engine::SaveFatFile(ctx, session, request), 1);  // Skip was cleared for the next file
}

// A saved file's times are its entry's: the write date and time in two-second
// steps, the creation time with its 10-ms count, the access date as a day; a
// field that is no date or time leaves that time to the target.
TEST_F(FatFileSavingTest, TimesComeFromTheEntrysTimeFields) {
  Install();
  constexpr uint64_t kSecond = 10000000;
  const uint64_t day = *engine::FatDateToFileTime(0x3A64, 0);  // 4 March 2009
  const uint64_t at100506 = day + (10 * 3600 + 5 * 60 + 6) * kSecond;
  using Time = std::optional<uint64_t>;
  struct Case {
    uint16_t WriteDate, WriteTime, AccessDate, CreationDate, CreationTime;
    uint8_t TenMs;
    Time Write, Access, Creation;
  };
  const Case cases[] = {
      // 10:05:07 is stored as 10:05:06; the 10-ms count adds 1.99 s to the creation.
      {0x3A64, 0x50A3, 0x3A64, 0x3A64, 0x50A3, 199, at100506, day, at100506 + 199 * kSecond / 100},
      {0x3A64, 0x50A3, 0, 0, 0, 0, at100506, std::nullopt, std::nullopt},  // as mkfs and old systems leave them
      {0x3A64, 0xC000 /* 24:00 */, 0x3A64, 0x3A64, 0x0780 /* 0:60 */, 0, std::nullopt, day, std::nullopt},
      {0x3A64, 0x001E /* 0:00:60 */, 0x3A64, 0x3A64, 0x50A3, 200, std::nullopt, day, std::nullopt},
      {0, 0x50A3, 0x3A60 /* day 0 */, 0x3A1F /* month 0 */, 0x50A3, 0, std::nullopt, std::nullopt, std::nullopt},
      {0x3A5E /* 30 February */, 0x50A3, 0x3A64, 0x3A64, 0, 0, std::nullopt, day, day},
  };
  for (const Case& c : cases) {
    engine::FatFileSaveRequest request;
    request.TargetFolder = u"C:\\out";
    request.FirstCluster = 2;
    request.Size = 10;
    request.Name = u"dated.txt";
    request.WriteDate = c.WriteDate;
    request.AccessDate = c.AccessDate;
    request.Times = {c.WriteTime, c.CreationDate, c.CreationTime, c.TenMs};
    ASSERT_EQ(engine::SaveFatFile(ctx, session, request), 1);
    const engine::OutputFileTimes& times = files.Files.at(u"C:\\out\\dated.txt").Times;
    EXPECT_EQ(times.LastWrite, c.Write) << c.WriteDate << " " << c.WriteTime;
    EXPECT_EQ(times.LastAccess, c.Access) << c.AccessDate;
    EXPECT_EQ(times.Creation, c.Creation) << c.CreationDate << " " << c.CreationTime << " " << int{c.TenMs};
    files.Files.erase(u"C:\\out\\dated.txt");
  }
}

TEST_F(FatFileSavingTest, FoldersAreRecreatedWithEverythingBelowThem) {
  Install();
  auto folder = [&](const char16_t* name, uint32_t cluster, uint32_t parent) {
    engine::FatFolderEntry entry;
    entry.Name = name;
    entry.FirstCluster = cluster;
    entry.ParentCluster = parent;
    return engine::AddFatFolder(ctx, entry);
  };
  auto file = [&](const char16_t* name, uint32_t cluster, uint32_t parent, uint32_t deleted) {
    engine::FatFileEntry entry;
    entry.Name = name;
    entry.FirstCluster = cluster;
    entry.ParentCluster = parent;
    entry.Size = 100;
    entry.Deleted = deleted;
    engine::AddFatFile(ctx, entry);
    ctx.Results.FileCount += 1;
  };
  engine::FatFolderEntry* top = folder(u"Top", 40, 0);
  folder(u"Sub", 41, 40);
  folder(u"..", 42, 41);  // a hostile name stays inside the target
  file(u"a.txt", 2, 40, 0);
  file(u"b.txt", 3, 41, 1);
  file(u"c.txt", 4, 42, 0);
  ctx.Results.SetTreeItem(*top, 77);
  ctx.SaveControl.TargetFolder = u"C:\\out";
  ctx.RecoverySettings.DeletedFilesPolicy = 2;

  engine::SaveSelection selection;
  selection.TickedFolders = {77};
  selection.ResultTreeRoot = 1;
  engine::SaveCheckedItems(ctx, selection);
  EXPECT_EQ(ctx.SaveControl.FilesProcessed.load(), 1);
  EXPECT_EQ(files.Folders, (std::set<std::u16string>{u"C:\\out\\Top", u"C:\\out\\Top\\Sub", u"C:\\out\\Top\\Sub\\_"}));
  EXPECT_EQ(Saved(u"Top\\Sub\\b.txt"), BytesOf({3}, 100));
  EXPECT_FALSE(files.FileExists(u"C:\\out\\Top\\a.txt"));  // live, and policy 2 takes deleted files only
  EXPECT_EQ(host.CallsStartingWith("ResultTree.UncheckSubtree").size(), 1u);
}

TEST_F(FatFileSavingTest, SavingOntoTheSourceDriveIsAskedFirst) {
  Install();
  ctx.SourceDevice.SourceKind = engine::kSourceLogicalDrive;
  ctx.LogicalDriveTable[0].RootPath = u"D:\\";
  EXPECT_TRUE(engine::TargetIsOnSourceVolume(ctx, u"d:\\recovered"));
  EXPECT_FALSE(engine::TargetIsOnSourceVolume(ctx, u"C:\\recovered"));
  EXPECT_FALSE(engine::ConfirmSaveTarget(ctx, u"D:\\recovered"));  // no answer: No
  host.QuestionAnswers = {true};
  EXPECT_TRUE(engine::ConfirmSaveTarget(ctx, u"D:\\recovered"));
  EXPECT_TRUE(engine::ConfirmSaveTarget(ctx, u"C:\\recovered"));
}

TEST_F(FatFileSavingTest, TheChosenFolderIsStoredWithoutATrailingBackslash) {
  const std::pair<std::optional<std::u16string>, std::u16string> cases[] = {
      {u"C:\\Users\\me\\Saved", u"C:\\Users\\me\\Saved"},
      {u"C:\\Users\\me\\Saved\\", u"C:\\Users\\me\\Saved"},
      {u"E:\\", u"E:\\"},
      {std::nullopt, u""},
  };
  for (const auto& [answer, stored] : cases) {
    ctx.SaveControl.TargetFolder = u"old";
    host.FolderChoices = {answer};
    engine::BrowseForSaveFolder(ctx);
    EXPECT_EQ(ctx.SaveControl.TargetFolder, stored);
  }
}

}  // namespace

namespace {

TEST(SectorsPerCopyReadTest, ReadsFollowTheSettingsWithinTheCopyBuffer) {
  const std::pair<int32_t, uint32_t> cases[] = {{60, 60}, {1, 1}, {100, 100}, {0, 1}, {-5, 1}, {2048, 2048}, {5000, 2048}};
  for (const auto& [setting, sectors] : cases) {
    engine::RecoverySettingsRecord settings;
    settings.SectorsPerRead = setting;
    EXPECT_EQ(engine::SectorsPerCopyRead(settings), sectors) << setting;
  }
}

}  // namespace
