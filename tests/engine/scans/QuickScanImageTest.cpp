#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "FatImageSession.h"
#include "SleuthKitListing.h"

namespace {

namespace fs = std::filesystem;
using testsupport::FatImageSession;

// Differences to The Sleuth Kit, by design: a deleted 8.3 name begins with 'x'
// here and '_' there.
std::map<std::string, FatImageSession::Listed> ExpectedListing(const std::string& imagePath) {
  std::map<std::string, FatImageSession::Listed> expected;
  for (const auto& [path, entry] : testsupport::SleuthKitListing(imagePath)) {
    std::string name = path;
    const size_t first = path.rfind('/') == std::string::npos ? 0 : path.rfind('/') + 1;
    if (entry.Deleted && name[first] == '_') name[first] = 'x';
    expected[name] = {entry.IsFolder, entry.Deleted, entry.Size};
  }
  return expected;
}

}  // namespace

void ExpectListingEqualsSleuthKit(FatImageSession& session, const std::string& oracleImagePath) {
  const std::map<std::string, FatImageSession::Listed> listed = session.ListedPaths();
  const std::map<std::string, FatImageSession::Listed> expected = ExpectedListing(oracleImagePath);
  for (const auto& [path, entry] : expected) {
    auto found = listed.find(path);
    if (found == listed.end()) {
      ADD_FAILURE() << "not listed: " << path;
      continue;
    }
    EXPECT_EQ(found->second.IsFolder, entry.IsFolder) << path;
    EXPECT_EQ(found->second.Deleted, entry.Deleted) << path;
    if (!entry.IsFolder) {
      EXPECT_EQ(found->second.Size, entry.Size) << path;
    }
  }
  for (const auto& [path, entry] : listed) {
    EXPECT_TRUE(expected.count(path)) << "listed but unknown to fls: " << path;
  }
}

namespace {

uint16_t CodeOf(const std::string& fixtureName) {
  return fixtureName.ends_with("fat32") ? engine::kFileSystemFat32 : engine::kFileSystemFat16;
}

class QuickScanImageTest : public testing::TestWithParam<const char*> {};

TEST_P(QuickScanImageTest, ListingEqualsTheSleuthKit) {
  const fixtures::FixtureImage image = fixtures::LoadFixture(GetParam());
  FatImageSession session(image.ImagePath, CodeOf(GetParam()));
  ASSERT_EQ(session.QuickScan(), 1);
  EXPECT_EQ(session.ctx.ScanControl.Running.load(), 0);
  EXPECT_EQ(session.ctx.ScanControl.StopOrDone.load(), 1);
  ExpectListingEqualsSleuthKit(session, image.ImagePath);
  // The results page gets "Root" with the root's folders, and the root's list.
  EXPECT_EQ(session.host.CallsStartingWith("ResultTree.AddFatFolders").size(), 1u);
  EXPECT_FALSE(session.host.Rows().empty());
}

TEST_P(QuickScanImageTest, StopMidWalkEndsCleanlyAndListsWhatWasFound) {
  const fixtures::FixtureImage image = fixtures::LoadFixture(GetParam());
  FatImageSession session(image.ImagePath, CodeOf(GetParam()));
  session.host.StopAfterItems = 15;
  ASSERT_EQ(session.QuickScan(), 1);
  EXPECT_EQ(session.ctx.ScanControl.Running.load(), 0);
  EXPECT_EQ(session.ctx.ScanControl.StopOrDone.load(), 1);
  EXPECT_EQ(session.ctx.Results.FatFiles.size() + session.ctx.Results.FatFolders.size(), 15u);
  EXPECT_EQ(session.host.CallsStartingWith("ResultTree.AddFatFolders").size(), 1u);
  EXPECT_FALSE(session.host.Rows().empty());
}

INSTANTIATE_TEST_SUITE_P(Images, QuickScanImageTest,
                         testing::Values("standard-fat16", "standard-fat32"));

// A second FAT that does not begin with 0xF8 makes the boot sector unusable; the
// geometry is then rebuilt from the directories, and the walk finds the same.
TEST(QuickScanRebuildTest, Fat16WithAnotherMediaByteIsRebuiltFromDirectories) {
  const fixtures::FixtureImage image = fixtures::LoadFixture("standard-fat16");
  const fs::path copy = fs::path(testing::TempDir()) / "media-f0-fat16.img";
  fs::copy_file(image.ImagePath, copy, fs::copy_options::overwrite_existing);
  {
    std::fstream file(copy, std::ios::in | std::ios::out | std::ios::binary);
    uint8_t boot[512];
    file.read(reinterpret_cast<char*>(boot), 512);
    const uint32_t secondFat = (boot[14] | boot[15] << 8) + (boot[22] | boot[23] << 8);
    file.seekp(std::streamoff(secondFat) * 512);
    file.put(static_cast<char>(0xF0));
  }
  FatImageSession session(copy.string(), engine::kFileSystemFat16);
  ASSERT_EQ(session.QuickScan(), 1);
  EXPECT_EQ(session.host.CallsStartingWith("Scan.Status Please wait, Calculating partition parameters...").size(), 1u);
  ExpectListingEqualsSleuthKit(session, image.ImagePath);
  fs::remove(copy);
}

}  // namespace
