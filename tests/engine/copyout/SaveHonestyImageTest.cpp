// Saving from real images that the tests damage: sizes beyond the volume, sectors
// that cannot be read, writes that fail, Skip and Stop, names that clash once made
// safe and links planted in the target. Whatever happens, the tally names every
// file as it ended, the counts match what is on the target, and no file that is
// not whole keeps its name or counts as saved.

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>

#include "Fixtures.h"
#include "MemoryOutputFileSystem.h"
#include "RecordingHost.h"
#include "FaultySectorSource.h"
#include "SectorReader.h"
#include "copyout/CarvedFileSaving.h"
#include "copyout/FatFileSaving.h"
#include "copyout/SaveCheckedItems.h"
#include "copyout/SavePaths.h"
#include "ntfs/NtfsCopyOut.h"
#include "ntfs/NtfsVolume.h"
#include "ntfs/RecordFields.h"
#include "posix/PosixOutputFileSystem.h"
#include "listing/ResultRows.h"
#include "results/ResultStore.h"
#include "scans/QuickScan.h"

namespace {

namespace fs = std::filesystem;
using testsupport::ToUtf8;

std::vector<uint8_t> ReadHostFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Stands for the user: Skip or Stop when the save dialog shows a given file.
class UserAtSaveHost final : public testsupport::RecordingHost {
 public:
  std::atomic<int32_t>* SkipFlag = nullptr;
  std::atomic<int32_t>* StopFlag = nullptr;
  std::u16string SkipAt;
  std::u16string StopAt;
  void SaveReportFile(const std::u16string& folder, const std::u16string& name, int processed) override {
    RecordingHost::SaveReportFile(folder, name, processed);
    if (name == SkipAt && SkipFlag != nullptr) *SkipFlag = 1;
    if (name == StopAt && StopFlag != nullptr) *StopFlag = 1;
  }
};

// A standard fixture image served as drive D: from memory, so that the test can
// change its bytes and make sectors unreadable, then Quick Scanned.
class DamagedImageSave : public testing::Test {
 protected:
  void Serve(const fixtures::FixtureImage& image, uint16_t code, const std::set<uint64_t>& badSectors = {}) {
    testsupport::FakeDeviceOpener::Device& device = opener.Devices[u"\\\\.\\D:"];
    if (device.Bytes.empty()) device.Bytes = ReadHostFile(image.ImagePath);
    device.BadSectors = badSectors;
    engine::ApplyDefaultRecoverySettings(ctx.RecoverySettings);
    ctx.RecoveryMode = engine::kModeQuickScan;
    ctx.SourceDevice.SourceKind = engine::kSourceLogicalDrive;
    ctx.LogicalDriveTable[0].RootPath = u"D:\\";
    const auto sectors = static_cast<uint32_t>(device.Bytes.size() / 512);
    ctx.LogicalDriveTable[0].SectorCount = sectors;
    ctx.SourceSelection = {code, 0, sectors, sectors - 1, 0};
    ctx.Files = &files;
    host.SkipFlag = &ctx.SaveControl.SkipRequested;
    host.StopFlag = &ctx.SaveControl.StopRequested;
  }
  std::vector<uint8_t>& Bytes() { return opener.Devices[u"\\\\.\\D:"].Bytes; }

  // The 32-byte short entry whose 11-byte name is `shortName` ("README  TXT").
  uint8_t* ShortEntry(const char* shortName) {
    std::vector<uint8_t>& bytes = Bytes();
    for (size_t at = 0; at + 32 <= bytes.size(); at += 32) {
      if (std::memcmp(bytes.data() + at, shortName, 11) == 0 && (bytes[at + 11] & 0x18) == 0) return bytes.data() + at;
    }
    return nullptr;
  }

  const engine::TreeFileNode* NtfsRootFile(const std::u16string& name) {
    for (const engine::TreeFileNode* file : ctx.Results.TreeFilesIn(5)) {
      if (file->Name == name) return file;
    }
    return nullptr;
  }

  // Ticks every folder and file of the root and saves them the way the results page does.
  engine::SaveTally SaveRoot(uint32_t rootKey) {
    engine::SaveSelection selection;
    engine::TreeItem item = 1000;
    ctx.SaveControl.TargetFolder = target;
    if (ctx.ActiveVolume.FileSystemCode == engine::kFileSystemNtfs) {
      for (engine::TreeFolderNode& folder : ctx.Results.TreeFolders) {
        if (folder.ParentId != rootKey || folder.Id == rootKey) continue;
        ctx.Results.SetTreeItem(folder, ++item);
        selection.TickedFolders.push_back(item);
      }
      for (const engine::TreeFileNode* file : ctx.Results.TreeFilesIn(rootKey)) {
        selection.TickedFileIds.push_back(file->DataRecordSector);
      }
    } else {
      for (engine::FatFolderEntry& folder : ctx.Results.FatFolders) {
        if (folder.ParentCluster != rootKey) continue;
        ctx.Results.SetTreeItem(folder, ++item);
        selection.TickedFolders.push_back(item);
      }
      for (const engine::FatFileEntry* file : ctx.Results.FatFilesIn(rootKey)) {
        selection.TickedFileIds.push_back(file->FileIndex);
      }
    }
    return engine::SaveCheckedItems(ctx, selection);
  }

  // Every file on the target is one the tally names as saved, damaged or partial.
  void ExpectTallyMatchesTarget(const engine::SaveTally& tally) {
    EXPECT_EQ(files.Files.size(), tally.Saved + tally.Damaged + tally.PartialFiles.size());
    for (const std::u16string& path : tally.DamagedFiles) EXPECT_EQ(files.Files.count(path), 1u) << ToUtf8(path);
    for (const std::u16string& path : tally.PartialFiles) EXPECT_EQ(files.Files.count(path), 1u) << ToUtf8(path);
    for (const std::u16string& path : tally.FailedFiles) EXPECT_EQ(files.Files.count(path), 0u) << ToUtf8(path);
  }

  std::u16string target = u"C:\\out";
  UserAtSaveHost host;
  testsupport::FakeDeviceOpener opener;
  engine::EngineContext ctx{host, opener};
  testsupport::MemoryOutputFileSystem files;
};

// Saved files carry the times their entry or record holds, as the manifest has
// them: FAT's in two-second steps with the access date as a day, NTFS's from
// $STANDARD_INFORMATION, whose times differ from the $FILE_NAME ones in the fixture.
void ExpectSavedTimesAsOnTheVolume(const fixtures::FixtureImage& image, const testsupport::MemoryOutputFileSystem& files,
                                   const std::u16string& target) {
  uint64_t compared = 0;
  for (const fixtures::ManifestEntry& entry : image.Entries) {
    if (entry.IsFolder || entry.Deleted || image.Find(entry.Path) != &entry) continue;
    std::u16string path = target + platform::FromUtf8(entry.Path);
    std::replace(path.begin(), path.end(), u'/', u'\\');
    const auto saved = files.Files.find(path);
    if (saved == files.Files.end()) continue;
    ASSERT_NE(entry.Modified, 0u) << "the manifest holds no times: " << entry.Path;
    const engine::OutputFileTimes& times = saved->second.Times;
    EXPECT_EQ(times.Creation, std::optional<uint64_t>(entry.Created)) << entry.Path;
    EXPECT_EQ(times.LastWrite, std::optional<uint64_t>(entry.Modified)) << entry.Path;
    EXPECT_EQ(times.LastAccess, std::optional<uint64_t>(entry.Accessed)) << entry.Path;
    ++compared;
  }
  EXPECT_GT(compared, 20u);
}

TEST_F(DamagedImageSave, FatFilesGetTheTimesOfTheirEntries) {
  const fixtures::FixtureImage& image = fixtures::StandardImage(fixtures::ImageKind::Fat16);
  Serve(image, engine::kFileSystemFat16);
  ASSERT_EQ(engine::QuickScanThreadProc(ctx, {}), 1);
  SaveRoot(0);
  ExpectSavedTimesAsOnTheVolume(image, files, target);
}

// A record without a usable $STANDARD_INFORMATION gives its $FILE_NAME's times.
TEST_F(DamagedImageSave, NtfsFilesGetTheTimesOfTheirStandardInformation) {
  const fixtures::FixtureImage& image = fixtures::StandardImage(fixtures::ImageKind::Ntfs);
  Serve(image, engine::kFileSystemNtfs);
  ASSERT_EQ(engine::QuickScanThreadProc(ctx, {}), 1);
  const engine::TreeFileNode* victim = NtfsRootFile(u"lower.txt");
  ASSERT_NE(victim, nullptr);
  engine::ntfs::RecordBuffer record{};
  ASSERT_EQ(engine::ntfs::ReadMftRecord(ctx, victim->DataRecordSector, record), engine::ntfs::RecordRead::Ok);
  const std::optional<engine::ntfs::FileNameInfo> name = engine::ntfs::FindDisplayName(record);
  ASSERT_TRUE(name);
  // Its first attribute is $STANDARD_INFORMATION (type 0x10): give it a type nobody reads.
  uint8_t* stored = Bytes().data() + uint64_t{victim->DataRecordSector} * 512;
  const uint32_t first = stored[0x14] | stored[0x15] << 8;
  ASSERT_EQ(stored[first], 0x10);
  stored[first] = 0x11;
  engine::OpenLogicalVolume(ctx, u'D');  // serve the changed bytes

  SaveRoot(5);
  const engine::OutputFileTimes& lower = files.Files.at(target + u"\\lower.txt").Times;
  EXPECT_EQ(lower.Creation, std::optional<uint64_t>(name->CreationTime));
  EXPECT_EQ(lower.LastWrite, std::optional<uint64_t>(name->ModificationTime));
  EXPECT_EQ(lower.LastAccess, std::optional<uint64_t>(name->AccessTime));
  EXPECT_NE(name->ModificationTime, image.Find("/lower.txt")->Modified);
  files.Files.erase(target + u"\\lower.txt");
  ExpectSavedTimesAsOnTheVolume(image, files, target);
}

// The walk reads the MFT in windows; a window with a bad sector in it is read
// record by record, so the scan loses that sector's record only and counts the
// one sector.
TEST_F(DamagedImageSave, ABadSectorInTheMftCostsOnlyItsRecord) {
  Serve(fixtures::StandardImage(fixtures::ImageKind::Ntfs), engine::kFileSystemNtfs);
  ASSERT_EQ(engine::QuickScanThreadProc(ctx, {}), 1);
  const size_t filesListed = ctx.Results.TreeFiles.size();
  const engine::TreeFileNode* victim = NtfsRootFile(u"lower.txt");
  ASSERT_NE(victim, nullptr);
  opener.Devices[u"\\\\.\\D:"].BadSectors = {uint64_t{victim->DataRecordSector} + 1};
  engine::OpenLogicalVolume(ctx, u'D');
  const uint64_t unreadableBefore = ctx.ReadStats.UnreadableSectors.load();
  ctx.ScanControl.StopOrDone = 0;
  ASSERT_EQ(engine::QuickScanThreadProc(ctx, {}), 1);
  EXPECT_EQ(ctx.ReadStats.UnreadableSectors.load() - unreadableBefore, 1u);
  EXPECT_GE(ctx.Results.TreeFiles.size() + 1, filesListed);
  EXPECT_NE(NtfsRootFile(u"one-mebibyte.bin"), nullptr);
}

// A directory entry that claims 4 GiB: a live file is read as far as its chain
// goes and a deleted one over free clusters only as far as the volume goes, both
// named as damaged; nothing near 4 GiB is written.
TEST_F(DamagedImageSave, FatSizeBeyondTheVolumeIsCutAtItsEnd) {
  const fixtures::FixtureImage& image = fixtures::StandardImage(fixtures::ImageKind::Fat16);
  Serve(image, engine::kFileSystemFat16);
  const uint32_t huge = 0xFFFFFFF0;
  uint8_t* live = ShortEntry("README  TXT");
  uint8_t* deleted = ShortEntry("\xE5" "ELROOT BIN");
  ASSERT_NE(live, nullptr);
  ASSERT_NE(deleted, nullptr);
  std::memcpy(live + 28, &huge, 4);
  std::memcpy(deleted + 28, &huge, 4);
  ASSERT_EQ(engine::QuickScanThreadProc(ctx, {}), 1);

  const engine::SaveTally tally = SaveRoot(0);
  const uint64_t volumeBytes = Bytes().size();
  EXPECT_EQ(tally.DamagedFiles, (std::vector<std::u16string>{u"C:\\out\\README.TXT", u"C:\\out\\xELROOT.BIN"}));
  for (const std::u16string& path : tally.DamagedFiles) {
    const std::vector<uint8_t>& saved = files.Files.at(path).Bytes;
    EXPECT_GT(saved.size(), 0u);
    EXPECT_LT(saved.size(), volumeBytes) << ToUtf8(path);
  }
  // What was there first is still the file's start.
  const std::vector<uint8_t> original = image.ReadOriginal(*image.Find("/README.TXT"));
  const std::vector<uint8_t>& readme = files.Files.at(u"C:\\out\\README.TXT").Bytes;
  EXPECT_TRUE(std::equal(original.begin(), original.end(), readme.begin()));
  EXPECT_EQ(readme.size(), 2048u) << "the one cluster of its chain";
  EXPECT_EQ(tally.Failed, 0u);
  EXPECT_EQ(tally.UnreadableSectors, 0u);
  ExpectTallyMatchesTarget(tally);
}

// The whole first FAT unreadable: every chain is read from the second copy, so
// every file is saved whole and no sector counts as unreadable.
TEST_F(DamagedImageSave, FatReadFromItsSecondCopyDamagesNothing) {
  const fixtures::FixtureImage& image = fixtures::StandardImage(fixtures::ImageKind::Fat16);
  Serve(image, engine::kFileSystemFat16);
  const std::vector<uint8_t>& boot = Bytes();
  const uint64_t fat1 = boot[14] | boot[15] << 8;
  const uint64_t sectorsPerFat = boot[22] | boot[23] << 8;
  std::set<uint64_t> bad;
  for (uint64_t i = 0; i < sectorsPerFat; ++i) bad.insert(fat1 + i);
  Serve(image, engine::kFileSystemFat16, bad);
  ASSERT_EQ(engine::QuickScanThreadProc(ctx, {}), 1);
  EXPECT_TRUE(host.CallsStartingWith("Message ").empty());

  const engine::SaveTally tally = SaveRoot(0);
  EXPECT_EQ(tally.Damaged, 0u);
  EXPECT_EQ(tally.UnreadableSectors, 0u);
  EXPECT_TRUE(engine::SaveEndText(tally).starts_with(u" Files successfully saved.")) << ToUtf8(engine::SaveEndText(tally));
  uint64_t compared = 0;
  for (const fixtures::ManifestEntry& entry : image.Entries) {
    if (entry.IsFolder || entry.Deleted) continue;
    std::u16string path = u"C:\\out" + platform::FromUtf8(entry.Path);
    for (char16_t& c : path) c = c == u'/' ? u'\\' : c;
    const auto saved = files.Files.find(path);
    ASSERT_NE(saved, files.Files.end()) << entry.Path;
    EXPECT_EQ(saved->second.Bytes, image.ReadOriginal(entry)) << entry.Path;
    ++compared;
  }
  EXPECT_GT(compared, 20u);
}

// An MFT record whose first run points far beyond the volume: nothing is read
// from there (before, the zeros read past the end made a complete-looking file),
// and the file is named as damaged.
TEST_F(DamagedImageSave, NtfsRunBeyondTheVolumeIsNotRead) {
  Serve(fixtures::StandardImage(fixtures::ImageKind::Ntfs), engine::kFileSystemNtfs);
  ASSERT_EQ(engine::QuickScanThreadProc(ctx, {}), 1);
  const engine::TreeFileNode* victim = NtfsRootFile(u"big-300k.bin");
  ASSERT_NE(victim, nullptr);
  // The record as the file system sees it: the last two bytes of each sector are
  // kept in the update sequence array, and the sequence number stands there.
  uint8_t* stored = Bytes().data() + uint64_t{victim->DataRecordSector} * 512;
  const uint32_t usa = stored[4] | stored[5] << 8;
  std::vector<uint8_t> record(stored, stored + 1024);
  for (uint32_t k = 0; k < 2; ++k) std::memcpy(&record[510 + 512 * k], stored + usa + 2 + 2 * k, 2);
  // Its non-resident $DATA: the first run's cluster offset, made the largest it can be.
  uint32_t attribute = record[0x14] | record[0x15] << 8;
  while (attribute + 8 < 1024 && !(record[attribute] == 0x80 && record[attribute + 8] == 1)) {
    attribute += record[attribute + 4] | record[attribute + 5] << 8;
  }
  ASSERT_LT(attribute + 0x40, 1024u);
  const uint32_t runlist = attribute + (record[attribute + 0x20] | record[attribute + 0x21] << 8);
  const uint32_t lengthBytes = record[runlist] & 0x0F;
  const uint32_t offsetBytes = record[runlist] >> 4;
  ASSERT_GT(offsetBytes, 0u);
  std::fill_n(&record[runlist + 1 + lengthBytes], offsetBytes - 1, 0xFF);
  record[runlist + lengthBytes + offsetBytes] = 0x7F;
  for (uint32_t k = 0; k < 2; ++k) {
    std::memcpy(stored + usa + 2 + 2 * k, &record[510 + 512 * k], 2);
    std::memcpy(&record[510 + 512 * k], stored + usa, 2);
  }
  std::memcpy(stored, record.data(), 1024);
  engine::OpenLogicalVolume(ctx, u'D');  // serve the changed bytes

  engine::SaveSession session;
  EXPECT_FALSE(engine::SaveNtfsFile(ctx, session, engine::NtfsSaveRequestFor(*victim, target)));
  EXPECT_EQ(session.Tally.DamagedFiles, std::vector<std::u16string>{u"C:\\out\\big-300k.bin"});
  EXPECT_EQ(ctx.ReadStats.UnreadableSectors.load(), 0u) << "nothing was read past the end";
  EXPECT_LT(files.Files.at(u"C:\\out\\big-300k.bin").Bytes.size(), 307200u);
}

// The NTFS copy-out under everything that can go wrong at once.
TEST_F(DamagedImageSave, NtfsFailuresSkipAndBadSectorsAreCountedAsTheyHappened) {
  const fixtures::FixtureImage& image = fixtures::StandardImage(fixtures::ImageKind::Ntfs);
  Serve(image, engine::kFileSystemNtfs);
  ASSERT_EQ(engine::QuickScanThreadProc(ctx, {}), 1);

  // The first data sector of big-300k.bin, from its own runs.
  const engine::TreeFileNode* victim = NtfsRootFile(u"big-300k.bin");
  ASSERT_NE(victim, nullptr);
  engine::ntfs::RecordBuffer record{};
  ASSERT_EQ(engine::ntfs::ReadMftRecord(ctx, victim->DataRecordSector, record), engine::ntfs::RecordRead::Ok);
  const engine::ntfs::NtfsGeometry geometry = engine::ntfs::GeometryOf(ctx.ActiveVolume);
  const engine::ntfs::DataStream stream =
      engine::ntfs::CollectDataStream(ctx, geometry, record, 0, [](uint32_t) { return uint64_t{0}; });
  ASSERT_FALSE(stream.Runs.empty());
  const uint64_t firstSector = geometry.VolumeStart + stream.Runs[0].FirstCluster * geometry.SectorsPerCluster;
  opener.Devices[u"\\\\.\\D:"].BadSectors = {firstSector + 9, firstSector + 10, firstSector + 11};
  engine::OpenLogicalVolume(ctx, u'D');  // the bad sectors come with the next open

  files.Uncreatable = {u"C:\\out\\lower.txt"};
  files.Unwritable = {u"C:\\out\\one-mebibyte.bin"};
  host.SkipAt = u"Long File Name With Spaces.txt";
  host.QuestionAnswers = {true, true};  // go on after both failures
  const engine::SaveTally tally = SaveRoot(5);

  EXPECT_EQ(tally.DamagedFiles, std::vector<std::u16string>{u"C:\\out\\big-300k.bin"});
  EXPECT_EQ(tally.UnreadableSectors, 3u);
  EXPECT_EQ(tally.FailedFiles,
            (std::vector<std::u16string>{u"C:\\out\\lower.txt", u"C:\\out\\one-mebibyte.bin"}));
  EXPECT_EQ(tally.PartialFiles, (std::vector<std::u16string>{u"C:\\out\\Long File Name With Spaces.txt.partial",
                                                             u"C:\\out\\one-mebibyte.bin.partial"}));
  EXPECT_EQ(tally.Partial, 1u);
  EXPECT_FALSE(files.FileExists(u"C:\\out\\Long File Name With Spaces.txt"));
  EXPECT_EQ(host.CallsStartingWith("Question").size(), 2u);
  ExpectTallyMatchesTarget(tally);

  // Every file counted as saved is whole; the damaged one holds zeros where it failed.
  uint64_t wholeFiles = 0;
  for (const fixtures::ManifestEntry& entry : image.Entries) {
    if (entry.IsFolder || entry.Deleted || entry.Path.find('/', 1) != std::string::npos) continue;
    const std::u16string path = u"C:\\out\\" + platform::FromUtf8(entry.Path.substr(1));
    const auto saved = files.Files.find(path);
    if (saved == files.Files.end() || path == u"C:\\out\\big-300k.bin") continue;
    EXPECT_EQ(saved->second.Bytes, image.ReadOriginal(entry)) << entry.Path;
    ++wholeFiles;
  }
  EXPECT_GT(wholeFiles, 8u);
  std::vector<uint8_t> expected = image.ReadOriginal(*image.Find("/big-300k.bin"));
  std::fill_n(expected.begin() + 9 * 512, 3 * 512, 0);
  EXPECT_EQ(files.Files.at(u"C:\\out\\big-300k.bin").Bytes, expected);
  EXPECT_NE(engine::SaveEndText(tally).find(u"3 sectors could not be read."), std::u16string::npos);
}

// Folders nested deeper than the save re-creates (a damaged or hostile volume):
// the files down there are named as not saved, never dropped in silence.
TEST_F(DamagedImageSave, NtfsFilesBelowTheDeepestFolderAreNamed) {
  Serve(fixtures::StandardImage(fixtures::ImageKind::Ntfs), engine::kFileSystemNtfs);
  ASSERT_EQ(engine::QuickScanThreadProc(ctx, {}), 1);
  const engine::TreeFileNode* notes = NtfsRootFile(u"lower.txt");
  ASSERT_NE(notes, nullptr);
  engine::TreeFileNode deepFile = *notes;
  uint32_t parent = 5;
  for (uint32_t level = 0; level < 600; ++level) {
    engine::AddTreeFolderUnique(ctx, engine::TreeFolderNode{u"d", 900000 + level, parent, 0, 0, 0, 0});
    parent = 900000 + level;
  }
  deepFile.ParentId = parent;
  deepFile.Id = 999999;
  engine::AddTreeFile(ctx, deepFile);

  const engine::SaveTally tally = SaveRoot(5);
  ASSERT_FALSE(tally.FailedFiles.empty());
  const std::u16string& named = tally.FailedFiles.back();
  EXPECT_TRUE(named.ends_with(u"\\d\\d\\lower.txt")) << ToUtf8(named);
  EXPECT_EQ(std::count(named.begin(), named.end(), u'\\'), 600 + 2);
  EXPECT_EQ(files.Files.count(named), 0u);
  ExpectTallyMatchesTarget(tally);
}

TEST_F(DamagedImageSave, NtfsStopEndsTheSaveWithThePartialFileMarked) {
  Serve(fixtures::StandardImage(fixtures::ImageKind::Ntfs), engine::kFileSystemNtfs);
  ASSERT_EQ(engine::QuickScanThreadProc(ctx, {}), 1);
  host.StopAt = u"big-300k.bin";
  const engine::SaveTally tally = SaveRoot(5);
  EXPECT_EQ(tally.Partial, 1u);  // stopped once the dialog named it, before it was made
  EXPECT_FALSE(files.FileExists(u"C:\\out\\big-300k.bin"));
  EXPECT_FALSE(engine::SaveEndText(tally).starts_with(u" Files successfully saved."));
  ExpectTallyMatchesTarget(tally);
  // Nothing after the stopped file was started; the metadata files without data
  // were named in the dialog and then skipped.
  EXPECT_EQ(static_cast<uint64_t>(ctx.SaveControl.FilesProcessed.load()),
            tally.Saved + tally.Damaged + tally.Partial + tally.Failed + tally.Skipped);
}

// File Trace hits through the save road of the results page: one over a bad
// area, one whose write fails, one skipped, then Stop.
TEST_F(DamagedImageSave, CarvedHitsAreTalliedAndCutHitsMarked) {
  Serve(fixtures::StandardImage(fixtures::ImageKind::Fat16), engine::kFileSystemFat16, {2048 + 5});
  ASSERT_NE(engine::OpenLogicalVolume(ctx, u'D'), nullptr);
  ctx.RecoveryMode = engine::kModeFileTrace;
  ctx.CarvedFileSizeMB = 1;
  for (uint32_t n = 1; n <= 5; ++n) {
    engine::AppendCarvedFile(ctx, {engine::DecimalText(n) + u".jpg", u".jpg", u"JPEG", 2048u * n, n});
  }
  files.Unwritable = {u"C:\\out\\2.jpg"};
  host.QuestionAnswers = {true};
  host.SkipAt = u"3.jpg";
  host.StopAt = u"4.jpg";
  engine::SaveSelection selection;
  selection.TickedFileIds = {1, 2, 3, 4, 5};
  ctx.SaveControl.TargetFolder = target;
  const engine::SaveTally tally = engine::SaveCheckedItems(ctx, selection);

  EXPECT_EQ(tally.DamagedFiles, std::vector<std::u16string>{u"C:\\out\\1.jpg"});
  EXPECT_EQ(tally.UnreadableSectors, 1u);
  EXPECT_EQ(tally.FailedFiles, std::vector<std::u16string>{u"C:\\out\\2.jpg"});
  EXPECT_EQ(tally.PartialFiles, (std::vector<std::u16string>{u"C:\\out\\2.jpg.partial", u"C:\\out\\3.jpg.partial",
                                                             u"C:\\out\\4.jpg.partial"}));
  EXPECT_EQ(tally.Partial, 2u);
  EXPECT_EQ(tally.Saved, 0u);
  EXPECT_FALSE(files.FileExists(u"C:\\out\\5.jpg"));
  EXPECT_EQ(files.Files.at(u"C:\\out\\1.jpg").Bytes.size(), 1024u * 1024u);
  ExpectTallyMatchesTarget(tally);

  // A preview copy whose write fails is not left looking whole either.
  ctx.SaveControl.StopRequested = 0;
  files.Unwritable = {u"T:\\ssss\\tmp1.jpg"};
  EXPECT_EQ(engine::SaveCarvedRange(ctx, u"T:\\ssss\\", u"tmp1.jpg", 2048), 0);
  EXPECT_FALSE(files.FileExists(u"T:\\ssss\\tmp1.jpg"));
  EXPECT_EQ(engine::SaveCarvedRange(ctx, u"T:\\ssss\\", u"tmp2.jpg", 4096), 1);
  // A hit 100 sectors before the drive's end ends with the drive: nothing unreadable.
  const uint64_t before = ctx.ReadStats.UnreadableSectors.load();
  const uint32_t nearEnd = static_cast<uint32_t>(Bytes().size() / 512 - 100);
  EXPECT_EQ(engine::SaveCarvedRange(ctx, u"T:\\ssss\\", u"tmp3.jpg", nearEnd), 1);
  EXPECT_EQ(files.Files.at(u"T:\\ssss\\tmp3.jpg").Bytes.size(), 100u * 512u);
  EXPECT_EQ(ctx.ReadStats.UnreadableSectors.load(), before);
}

// "Overwrite" with a link planted at a file's name: the link is not written
// through; the file goes under a new name, and the end of the save says so.
TEST_F(DamagedImageSave, OverwriteWritesAroundAPlantedLink) {
  const fixtures::FixtureImage& image = fixtures::StandardImage(fixtures::ImageKind::Fat16);
  Serve(image, engine::kFileSystemFat16);
  ASSERT_EQ(engine::QuickScanThreadProc(ctx, {}), 1);
  ctx.RecoverySettings.ExistingNamePolicy = 2;
  const fs::path root = fs::path(testing::TempDir()) / "save-overwrite-link";
  fs::remove_all(root);
  fs::create_directories(root / "out");
  { std::ofstream(root / "victim.txt") << "keep me"; }
  fs::create_symlink(root / "victim.txt", root / "out" / "lower.txt");
  platform::PosixOutputFileSystem posix;
  ctx.Files = &posix;
  target = platform::FromUtf8((root / "out").string());

  const engine::SaveTally tally = SaveRoot(0);
  EXPECT_EQ(tally.Failed, 0u);
  EXPECT_EQ(ReadHostFile(root / "victim.txt"), (std::vector<uint8_t>{'k', 'e', 'e', 'p', ' ', 'm', 'e'}));
  EXPECT_EQ(ReadHostFile(root / "out" / "Copy (1 ) of lower.txt"), image.ReadOriginal(*image.Find("/lower.txt")));
  const std::u16string renamed = target + u"\\Copy (1 ) of lower.txt";
  EXPECT_EQ(tally.RenamedAroundLinks, std::vector<std::u16string>{renamed});
  EXPECT_NE(engine::SaveEndText(tally).find(u"since a link stood at their name:\r\n    " + renamed),
            std::u16string::npos);
  fs::remove_all(root);
}

// Names that clash once made safe (a file CON beside a folder CON, a folder "..")
// all land in their own place, and links planted in the target lead nowhere.
TEST_F(DamagedImageSave, ClashingNamesAndPlantedLinksStayInsideTheTarget) {
  Serve(fixtures::StandardImage(fixtures::ImageKind::Fat16), engine::kFileSystemFat16);
  ASSERT_EQ(engine::QuickScanThreadProc(ctx, {}), 1);
  for (engine::FatFileEntry& file : ctx.Results.FatFiles) {
    if (file.Name == u"README.TXT") file.Name = u"CON";
  }
  for (engine::FatFolderEntry& folder : ctx.Results.FatFolders) {
    if (folder.Name == u"Documents") folder.Name = u"CON";
    if (folder.Name == u"Photos") folder.Name = u"..";
  }

  const fs::path root = fs::path(testing::TempDir()) / "save-honesty-links";
  fs::remove_all(root);
  const fs::path out = root / "out";
  const fs::path outside = root / "outside";
  fs::create_directories(out);
  fs::create_directories(outside);
  { std::ofstream(outside / "victim.txt") << "keep me"; }
  fs::create_directory_symlink(outside, out / "_");           // where ".." would go
  fs::create_symlink(outside / "victim.txt", out / "lower.txt");
  fs::create_symlink(outside / "absent.txt", out / "Mixed.Txt");  // dangling: O_CREAT would make it
  platform::PosixOutputFileSystem posix;
  ctx.Files = &posix;
  target = platform::FromUtf8(out.string());

  const engine::SaveTally tally = SaveRoot(0);
  EXPECT_EQ(tally.Failed, 0u);
  EXPECT_EQ(tally.Damaged, 0u);
  EXPECT_EQ(ReadHostFile(outside / "victim.txt"), (std::vector<uint8_t>{'k', 'e', 'e', 'p', ' ', 'm', 'e'}));
  EXPECT_EQ(std::distance(fs::directory_iterator(outside), fs::directory_iterator{}), 1);
  EXPECT_TRUE(fs::is_regular_file(out / "_CON" / "notes.txt"));  // folders are saved first
  EXPECT_TRUE(fs::is_regular_file(out / "Copy (1 ) of _CON"));
  EXPECT_TRUE(fs::is_regular_file(out / "Copy (1 ) of _" / "Vacation" / "IMG_0001.JPG"));
  EXPECT_TRUE(fs::is_regular_file(out / "Copy (1 ) of lower.txt"));
  EXPECT_TRUE(fs::is_regular_file(out / "Copy (1 ) of Mixed.Txt"));
  EXPECT_TRUE(fs::is_symlink(out / "lower.txt"));
  // Every saved file is counted once, and every counted file is there.
  uint64_t onDisk = 0;
  for (const auto& entry : fs::recursive_directory_iterator(out)) {
    onDisk += fs::is_regular_file(entry.symlink_status()) ? 1 : 0;
  }
  EXPECT_EQ(onDisk, tally.Saved);
  fs::remove_all(root);
}

}  // namespace
