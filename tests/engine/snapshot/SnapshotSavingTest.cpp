#include <gtest/gtest.h>

#include "SnapshotTestContext.h"
#include "snapshot/SnapshotFormat.h"
#include "snapshot/SnapshotPaths.h"
#include "snapshot/SnapshotSaving.h"

namespace {

using namespace engine::snapshot;

struct NamingCase {
  std::u16string Given;
  std::u16string Saved;
};

class SnapshotNamingTest : public testing::TestWithParam<NamingCase> {};

TEST_P(SnapshotNamingTest, AppendsTheExtensionAndKeepsTheCase) {
  EXPECT_EQ(WithSnapshotExtension(GetParam().Given), GetParam().Saved);
}

INSTANTIATE_TEST_SUITE_P(Paths, SnapshotNamingTest,
                         testing::Values(NamingCase{u"C:\\Scans\\Result", u"C:\\Scans\\Result.vbrx"},
                                         NamingCase{u"C:\\Scans\\Result.vbrx", u"C:\\Scans\\Result.vbrx"},
                                         NamingCase{u"C:\\Scans\\Result.VBRX", u"C:\\Scans\\Result.VBRX"},
                                         NamingCase{u"vbrx", u"vbrx.vbrx"},
                                         NamingCase{u"", u".vbrx"}));

TEST(SnapshotLoadPath, RemovesQuotes) {
  EXPECT_EQ(SnapshotPathForLoading(u"\"C:\\My Scans\\Result\""), u"C:\\My Scans\\Result.vbrx");
}

class SnapshotSavingTest : public testing::Test {
 protected:
  SnapshotSavingTest() {
    ctx.RecoveryMode = engine::kModeQuickScan;
    ctx.ActiveVolume.FileSystemCode = engine::kFileSystemFat16;
    t.AddFatFolder(u"Photo", 7, 0);
  }
  snapshottest::SnapshotTestContext t;
  engine::EngineContext& ctx = t.ctx;
};

TEST_F(SnapshotSavingTest, WritesTheNamedFileWithoutAMessage) {
  t.host.SnapshotPaths.push_back(u"C:\\Scans\\Result");
  EXPECT_TRUE(SaveSnapshot(ctx));
  ASSERT_EQ(t.files.Files.count(u"C:\\Scans\\Result.vbrx"), 1u);
  EXPECT_EQ(t.files.Files[u"C:\\Scans\\Result.vbrx"][0], 'D');
  EXPECT_TRUE(t.host.CallsStartingWith("Message").empty());
}

TEST_F(SnapshotSavingTest, CancelledDialogWritesNothing) {
  EXPECT_FALSE(SaveSnapshot(ctx));
  EXPECT_TRUE(t.files.Files.empty());
}

TEST_F(SnapshotSavingTest, AsksBeforeReplacingAndKeepsTheFileOnNo) {
  t.files.Files[u"C:\\r.vbrx"] = {1, 2, 3};
  t.host.SnapshotPaths.push_back(u"C:\\r.vbrx");
  EXPECT_FALSE(SaveSnapshot(ctx));
  EXPECT_EQ(t.host.CallsStartingWith("Question 3 C:\\r.vbrx already exists.\r\nWould you like to replace it?").size(),
            1u);
  EXPECT_EQ(t.files.Files[u"C:\\r.vbrx"], (std::vector<uint8_t>{1, 2, 3}));
  EXPECT_TRUE(ctx.MessageRequest.Text.empty());

  t.host.SnapshotPaths.push_back(u"C:\\r.vbrx");
  t.host.QuestionAnswers.push_back(true);
  EXPECT_TRUE(SaveSnapshot(ctx));
  EXPECT_EQ(t.files.Files[u"C:\\r.vbrx"][0], 'D');
}

TEST_F(SnapshotSavingTest, FailuresAreReportedAndLeaveNoFile) {
  t.files.FailCreate = true;
  t.host.SnapshotPaths.push_back(u"C:\\r");
  EXPECT_FALSE(SaveSnapshot(ctx));
  EXPECT_EQ(t.host.CallsStartingWith("Message 2 The file could not be opened.").size(), 1u);

  t.files.FailCreate = false;
  t.files.FailWrite = true;
  t.host.SnapshotPaths.push_back(u"C:\\r");
  EXPECT_FALSE(SaveSnapshot(ctx));
  EXPECT_EQ(t.host.CallsStartingWith("Message 2 The file could not be written completely.").size(), 1u);
  EXPECT_EQ(t.files.Files.count(u"C:\\r.vbrx"), 0u);
  EXPECT_TRUE(t.files.Files.empty());
}

TEST_F(SnapshotSavingTest, ASnapshotBeingReplacedSurvivesAFailedWrite) {
  t.files.Files[u"C:\\r.vbrx"] = {1, 2, 3};
  t.files.FailWrite = true;
  t.host.SnapshotPaths.push_back(u"C:\\r.vbrx");
  t.host.QuestionAnswers.push_back(true);
  EXPECT_FALSE(SaveSnapshot(ctx));
  EXPECT_EQ(t.host.CallsStartingWith("Message 2 The file could not be written completely.").size(), 1u);
  EXPECT_EQ(t.files.Files, (std::map<std::u16string, std::vector<uint8_t>>{{u"C:\\r.vbrx", {1, 2, 3}}}));
}

TEST_F(SnapshotSavingTest, ExtensiveNtfsCountsTheFilesInTheVolume) {
  ctx.RecoveryMode = engine::kModeExtensiveScan;
  ctx.ActiveVolume = {};
  ctx.ActiveVolume.FileSystemCode = engine::kFileSystemNtfs;
  ctx.ActiveVolume.ClusterBase = 100;
  ctx.ActiveVolume.EndSector = 200;
  for (uint32_t sector : {50u, 120u, 130u, 300u}) {
    engine::AddNtfsFile(ctx, engine::NtfsFileNode{u"f", sector, 5, 0, 0, 0, 0});
  }
  t.host.SnapshotPaths.push_back(u"C:\\a");
  EXPECT_TRUE(SaveSnapshot(ctx));
  EXPECT_EQ(ctx.Results.FileCount, 2);
  EXPECT_EQ(t.files.Files[u"C:\\a.vbrx"][0], 'A');
}

TEST_F(SnapshotSavingTest, FileTraceModeWritesAnRSnapshot) {
  ctx.RecoveryMode = engine::kModeFileTrace;
  t.host.SnapshotPaths.push_back(u"C:\\t");
  EXPECT_TRUE(SaveSnapshot(ctx));
  EXPECT_EQ(t.files.Files[u"C:\\t.vbrx"][0], 'R');
}

}  // namespace
