#include <gtest/gtest.h>

#include "FatImageSession.h"
#include "SleuthKitListing.h"

namespace {

using testsupport::FatImageSession;

// Differences to The Sleuth Kit, by design: a deleted 8.3 name begins with 'x'
// here and '_' there, and entries without a first cluster (empty files, the
// volume label) are not listed here.
std::string OracleName(const std::string& path, bool deleted, bool hasShortName) {
  if (!deleted || !hasShortName) return path;
  const size_t slash = path.rfind('/');
  const size_t first = slash == std::string::npos ? 0 : slash + 1;
  std::string renamed = path;
  if (first < renamed.size() && renamed[first] == '_') renamed[first] = 'x';
  return renamed;
}

struct ImageCase {
  const char* FixtureName;
  uint16_t FileSystemCode;
};

class QuickScanImageTest : public testing::TestWithParam<ImageCase> {};

TEST_P(QuickScanImageTest, ListingEqualsTheSleuthKit) {
  const fixtures::FixtureImage image = fixtures::LoadFixture(GetParam().FixtureName);
  FatImageSession session(image.ImagePath, GetParam().FileSystemCode);
  ASSERT_EQ(session.QuickScan(), 1);
  EXPECT_EQ(session.ctx.ScanControl.Running.load(), 0);
  EXPECT_EQ(session.ctx.ScanControl.StopOrDone.load(), 1);

  std::map<std::string, FatImageSession::Listed> listed = session.ListedPaths();
  std::map<std::string, FatImageSession::Listed> expected;
  for (const auto& [path, entry] : testsupport::SleuthKitListing(image.ImagePath)) {
    if (!entry.IsFolder && entry.Size == 0) continue;
    const bool shortName = path.substr(path.rfind('/') + 1).find('_') == 0;
    expected[OracleName(path, entry.Deleted, shortName)] = {entry.IsFolder, entry.Deleted, entry.Size};
  }
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

INSTANTIATE_TEST_SUITE_P(Images, QuickScanImageTest,
                         testing::Values(ImageCase{"standard-fat16", engine::kFileSystemFat16},
                                         ImageCase{"standard-fat32", engine::kFileSystemFat32}),
                         [](const auto& info) {
                           return std::string(info.param.FixtureName).substr(9);
                         });

}  // namespace
