// Quick Scan over copies of the standard FAT images damaged the way failing and
// mistreated disks are: odd names, a damaged boot sector, unreadable FAT and root
// sectors. What can be found is listed; what cannot is said.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "DamagedImage.h"
#include "FatImageSession.h"
#include "ReadErrorReport.h"
#include "scans/FatTreeWalk.h"
#include "signatures/FileTrace.h"

namespace {

using testsupport::DamagedImage;
using testsupport::FatImageSession;

// Where the regions of a FAT volume lie, from its (intact) boot sector.
struct FatRegions {
  uint64_t Fat1 = 0;
  uint64_t SectorsPerFat = 0;
  uint64_t Root = 0;  // FAT16 root region
  uint64_t RootSectors = 0;
};

FatRegions RegionsOf(const DamagedImage& image, bool fat32) {
  const std::vector<uint8_t> boot = image.Read(0, 512);
  FatRegions regions;
  regions.Fat1 = boot[14] | boot[15] << 8;
  regions.SectorsPerFat = fat32 ? image.U32(36) : (boot[22] | boot[23] << 8);
  regions.Root = regions.Fat1 + 2 * regions.SectorsPerFat;
  regions.RootSectors = fat32 ? 0 : (boot[17] | boot[18] << 8) * 32 / 512;
  return regions;
}

// The byte offset of the first `pattern` in [from, from + count).
uint64_t Find(const DamagedImage& image, uint64_t from, std::size_t count, const std::string& pattern) {
  const std::vector<uint8_t> bytes = image.Read(from, count);
  const auto at = std::search(bytes.begin(), bytes.end(), pattern.begin(), pattern.end());
  if (at == bytes.end()) throw std::runtime_error("pattern not found");
  return from + static_cast<uint64_t>(at - bytes.begin());
}

std::string Utf16Bytes(const std::string& ascii) {
  std::string bytes;
  for (char c : ascii) bytes += std::string{c, '\0'};
  return bytes;
}

bool HasMessage(FatImageSession& session, const std::string& start) {
  for (const std::string& call : session.host.CallsStartingWith("Message ")) {
    if (call.find(start) != std::string::npos) return true;
  }
  return false;
}

const std::string& Fixture(const char* name) {
  static std::map<std::string, std::string> paths;
  auto it = paths.find(name);
  if (it == paths.end()) it = paths.emplace(name, fixtures::LoadFixture(name).ImagePath).first;
  return it->second;
}

TEST(DamagedFatImage, NamesWindowsRefusesAreListedAsStoredWithWhatTheyHold) {
  DamagedImage image(Fixture("standard-fat16"), "fat16-odd-names");
  const FatRegions regions = RegionsOf(image, false);
  const uint64_t root = regions.Root * 512;
  const std::size_t rootBytes = regions.RootSectors * 512;
  image.WriteByte(Find(image, root, rootBytes, "README  TXT") + 4, '*');
  // "Photos" in its long-name entry: the 't' becomes '?'. The long name's checksum
  // covers the short name only, so the set stays whole.
  image.WriteByte(Find(image, root, rootBytes, Utf16Bytes("Photo")) + 6, '?');
  image.WriteByte(Find(image, root, rootBytes, "ELROOT BIN") + 2, 0x07);

  FatImageSession session(image.Path(), engine::kFileSystemFat16);
  ASSERT_EQ(session.QuickScan(), 1);
  const auto listed = session.ListedPaths();
  EXPECT_TRUE(listed.contains("READ*E.TXT"));
  EXPECT_TRUE(listed.contains("Pho?os"));
  EXPECT_TRUE(listed.contains("Pho?os/Vacation/IMG_0001.JPG"));
  EXPECT_TRUE(listed.contains("Pho?os/Vacation/Beach Sunset at Évora.jpeg"));
  const auto deleted = listed.find("xEL\aOOT.BIN");
  ASSERT_NE(deleted, listed.end());
  EXPECT_TRUE(deleted->second.Deleted);
}

// A damaged field the boot sector's own checks cannot see: the FAT32 root cluster.
TEST(DamagedFatImage, Fat32BootSectorDamagedIsReadFromItsBackup) {
  FatImageSession pristine(Fixture("standard-fat32"), engine::kFileSystemFat32);
  ASSERT_EQ(pristine.QuickScan(), 1);
  const auto expected = pristine.ListedPaths();
  ASSERT_GT(expected.size(), 20u);

  for (const uint32_t rootCluster : {0u, 0x0FFFFFF0u}) {
    DamagedImage image(Fixture("standard-fat32"), "fat32-damaged-boot");
    image.PutU32(44, rootCluster);
    FatImageSession session(image.Path(), engine::kFileSystemFat32);
    ASSERT_EQ(session.QuickScan(), 1) << rootCluster;
    EXPECT_EQ(session.ListedPaths().size(), expected.size()) << rootCluster;
    EXPECT_EQ(session.ctx.ActiveVolume.RootDirStart, 2u);
  }
}

TEST(DamagedFatImage, UnknownFileSystemEndsWithTheParametersMessage) {
  FatImageSession session(Fixture("standard-fat16"), engine::kFileSystemUnknown);
  EXPECT_EQ(session.QuickScan(), 0);
  EXPECT_EQ(session.ctx.ScanControl.ParametersNotFound.load(), 1);
  EXPECT_EQ(session.ctx.MessageRequest.Text, engine::kParametersNotFoundText);
  EXPECT_EQ(session.ctx.Results.FileCount, 0);
}

class DamagedFatCopy : public testing::TestWithParam<const char*> {};

TEST_P(DamagedFatCopy, UnreadableFirstFatIsReadFromTheSecondCopy) {
  const std::string kind = GetParam();
  const std::string imagePath = std::string(PELMO_MANY_ENTRIES_DIR) + "/many-entries-" + kind + ".img";
  DamagedImage image(imagePath, "many-entries-bad-fat1-" + kind);
  const FatRegions regions = RegionsOf(image, kind == "fat32");
  FatImageSession session(image.Path(), kind == "fat32" ? engine::kFileSystemFat32 : engine::kFileSystemFat16);
  for (uint64_t i = 0; i < regions.SectorsPerFat; ++i) session.opener.BadSectors.insert(regions.Fat1 + i);
  ASSERT_EQ(session.QuickScan(), 1);

  const engine::ResultStore& results = session.ctx.Results;
  ASSERT_FALSE(results.FatFoldersIn(0).empty());
  const engine::FatFolderEntry* folder = results.FatFoldersIn(0).at(0);
  ASSERT_EQ(folder->Name, u"Many Entries");
  EXPECT_EQ(results.FatFilesIn(folder->FirstCluster).size(), 2000u);
  // Every sector of the first FAT was read from the second copy: nothing was lost,
  // so nothing is reported as unreadable.
  EXPECT_TRUE(session.host.CallsStartingWith("Message ").empty());
  EXPECT_EQ(engine::CurrentReadErrors(session.ctx).Unreadable, 0u);
}

INSTANTIATE_TEST_SUITE_P(Kinds, DamagedFatCopy, testing::Values("fat16", "fat32"));

TEST(DamagedFatImage, UnreadableRootDirectoryIsReportedNotListedAsEmpty) {
  DamagedImage image(Fixture("standard-fat16"), "fat16-bad-root");
  const FatRegions regions = RegionsOf(image, false);
  FatImageSession session(image.Path(), engine::kFileSystemFat16);
  for (uint64_t i = 0; i < regions.RootSectors; ++i) session.opener.BadSectors.insert(regions.Root + i);
  ASSERT_EQ(session.QuickScan(), 1);
  const std::vector<std::string> messages = session.host.CallsStartingWith("Message ");
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0], "Message 2 " + testsupport::ToUtf8(engine::kRootFolderUnreadableText));
  // The root region is read sector by sector up to its first zero entry.
  EXPECT_EQ(messages[1], "Message 1 " + testsupport::ToUtf8(engine::UnreadableSectorsText({1, 0})));
  EXPECT_TRUE(messages[1].find("1 sector of the drive could not be read") != std::string::npos);
}

// A FAT32 root whose FAT entry points at itself is read on through the clusters
// that follow while they hold its entries; a root whose first cluster cannot be
// read still gives what its other clusters hold, and says what it could not read.
TEST(DamagedFatImage, Fat32RootIsReadPastALoopedChainAndAnUnreadableCluster) {
  FatImageSession pristine(Fixture("standard-fat32"), engine::kFileSystemFat32);
  ASSERT_EQ(pristine.QuickScan(), 1);
  const auto expected = pristine.ListedPaths();
  {
    DamagedImage image(Fixture("standard-fat32"), "fat32-root-loop");
    const FatRegions regions = RegionsOf(image, true);
    ASSERT_EQ(image.U32(44), 2u);
    image.PutU32(regions.Fat1 * 512 + 2 * 4, 2);  // the first FAT's entry; the second copy keeps the chain
    FatImageSession session(image.Path(), engine::kFileSystemFat32);
    ASSERT_EQ(session.QuickScan(), 1);
    EXPECT_EQ(session.ListedPaths().size(), expected.size());
    for (const auto& [path, listed] : session.ListedPaths()) EXPECT_EQ(expected.count(path), 1u) << path;
  }
  {
    DamagedImage image(Fixture("standard-fat32"), "fat32-root-unreadable");
    const FatRegions regions = RegionsOf(image, true);
    FatImageSession session(image.Path(), engine::kFileSystemFat32);
    session.opener.BadSectors = {regions.Root, regions.Root + 1};  // the root's first cluster
    ASSERT_EQ(session.QuickScan(), 1);
    const auto listed = session.ListedPaths();
    EXPECT_GT(listed.size(), 10u);
    // A name whose long-name entries lay in the lost cluster shows its short name.
    for (const auto& [path, entry] : listed) {
      EXPECT_TRUE(expected.count(path) == 1 || path.find('~') != std::string::npos) << path;
    }
    EXPECT_TRUE(HasMessage(session, testsupport::ToUtf8(engine::kRootFolderUnreadableText)))
        << testing::PrintToString(session.host.CallsStartingWith("Message "));
  }
}

TEST(DamagedFatImage, DriveThatCannotBeOpenedIsReported) {
  FatImageSession session(Fixture("standard-fat16"), engine::kFileSystemFat16);
  session.opener.RefuseOpens = true;
  EXPECT_EQ(session.QuickScan(), 0);
  EXPECT_EQ(session.ctx.MessageRequest.Text, engine::kFileTraceVolumeNotOpenedText);
  EXPECT_EQ(session.ctx.ScanControl.StopOrDone.load(), 1);
}

}  // namespace
