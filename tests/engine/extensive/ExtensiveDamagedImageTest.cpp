// The Extensive Scan over copies of the standard NTFS image with damaged folder
// links and times, and Stop pressed while it analyses what it found.

#include <gtest/gtest.h>

#include "DamagedImage.h"
#include "Fixtures.h"
#include "NtfsDamage.h"
#include "NtfsImageHarness.h"
#include "ReadErrorReport.h"
#include "RecordingHost.h"
#include "ReformattedImage.h"
#include "extensive/ExtensiveScan.h"
#include "results/ResultStore.h"

namespace {

using testsupport::ToUtf8;

constexpr uint32_t kLostDir = 0xFFFFFFFE;
const extensivetest::OldGeometry kStandardNtfs{8, 0};  // 4 KiB clusters from sector 0

const std::string& StandardImagePath() { return fixtures::StandardImage(fixtures::ImageKind::Ntfs).ImagePath; }

uint32_t QuickScanIdOf(const std::string& path) {
  ntfstest::ScannedImage scan(StandardImagePath());
  for (const auto& [id, entry] : scan.Listing()) {
    if (entry.Path == path) return id;
  }
  throw std::runtime_error("not listed: " + path);
}

class ExtensiveScanSession {
 public:
  explicit ExtensiveScanSession(const std::string& imagePath) : ctx(host, opener) {
    extensivetest::ServeReformattedImage(ctx, opener, imagePath, engine::kFileSystemNtfs);
  }
  const engine::NtfsFileNode* FileNamed(const std::string& name) const {
    for (const engine::NtfsFileNode& file : ctx.Results.NtfsFiles) {
      if (ToUtf8(file.Name) == name) return &file;
    }
    return nullptr;
  }

  testsupport::RecordingHost host;
  platform::ImageDeviceOpener opener;
  engine::EngineContext ctx;
  engine::FileFilterTable filters;
};

TEST(ExtensiveDamagedImage, FolderThatIsItsOwnParentIsListedUnderLostDir) {
  const uint32_t documents = QuickScanIdOf("/Documents");
  testsupport::DamagedImage image(StandardImagePath(), "ntfs-extensive-self-parent");
  ntfstest::SetParent(image, documents, documents);

  ExtensiveScanSession session(image.Path());
  ASSERT_TRUE(extensivetest::ScanAndBuildOldVolume(session.ctx, kStandardNtfs, session.filters));
  const engine::TreeFolderNode* folder = session.ctx.Results.FindTreeFolder(documents);
  ASSERT_NE(folder, nullptr);
  EXPECT_EQ(ToUtf8(folder->Name), "Documents");
  EXPECT_EQ(folder->ParentId, kLostDir);
  const engine::NtfsFileNode* notes = session.FileNamed("notes.txt");
  ASSERT_NE(notes, nullptr);
  EXPECT_EQ(notes->ParentId, documents);
}

// Time 2 is the modification time ($FILE_NAME offset 16), as the Quick Scan shows it.
TEST(ExtensiveDamagedImage, SecondTimeIsTheModificationTime) {
  const uint32_t notes = QuickScanIdOf("/Documents/notes.txt");
  testsupport::DamagedImage image(StandardImagePath(), "ntfs-extensive-times");
  constexpr uint64_t kModified = 0x01D9000000000000;
  constexpr uint64_t kRecordChanged = 0x01DA000000000000;
  for (const uint64_t value : ntfstest::FileNameValuesOf(image, notes)) {
    image.PutU64(value + 16, kModified);
    image.PutU64(value + 24, kRecordChanged);
  }

  ExtensiveScanSession session(image.Path());
  ASSERT_TRUE(extensivetest::ScanAndBuildOldVolume(session.ctx, kStandardNtfs, session.filters));
  const engine::NtfsFileNode* file = session.FileNamed("notes.txt");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(file->Time2, kModified);
}

// A bad area of 4,000 sectors: passed over in doubling strides, counted and said.
TEST(ExtensiveDamagedImage, UnreadableSectorsAreReportedWhenTheScanEnds) {
  ExtensiveScanSession session(StandardImagePath());
  testsupport::FaultyImageOpener faulty;
  faulty.Map(u"\\\\.\\D:", StandardImagePath());
  for (uint64_t sector = 5000; sector < 9000; ++sector) faulty.BadSectors.insert(sector);
  session.ctx.SourceDevice.VolumeHandle = faulty.OpenForReading(u"\\\\.\\D:", engine::DeviceShare::ReadWrite);
  engine::PrepareExtensiveScan(session.ctx);
  engine::ExtensiveScanThreadProc(session.ctx);
  const std::vector<std::string> messages = session.host.CallsStartingWith("Message 1 ");
  ASSERT_EQ(messages.size(), 1u);
  const uint64_t unreadable = engine::CurrentReadErrors(session.ctx).Unreadable;
  const uint64_t skipped = engine::CurrentReadErrors(session.ctx).Skipped;
  EXPECT_EQ(unreadable, 4000u) << "each sector once, however often it was read";
  EXPECT_GT(skipped, 2000u);
  EXPECT_EQ(messages[0], "Message 1 " + ToUtf8(engine::UnreadableSectorsText({unreadable, skipped})));
  EXPECT_NE(messages[0].find(std::to_string(skipped) + " sectors of them lie in damaged areas that were passed over"),
            std::string::npos);
}

// Stop pressed when the analysis of the raw scan's findings begins.
class StopAtAnalysisHost final : public testsupport::RecordingHost {
 public:
  std::atomic<int32_t>* StopFlag = nullptr;
  engine::TreeItem PartitionTreeInsertRoot(const std::u16string& text) override {
    if (StopFlag != nullptr) *StopFlag = 1;
    return RecordingHost::PartitionTreeInsertRoot(text);
  }
};

TEST(ExtensiveDamagedImage, StopDuringTheAnalysisEndsTheWorkerWithBothPartsDone) {
  StopAtAnalysisHost host;
  platform::ImageDeviceOpener opener;
  engine::EngineContext ctx(host, opener);
  extensivetest::ServeReformattedImage(ctx, opener, StandardImagePath(), engine::kFileSystemNtfs);
  host.StopFlag = &ctx.ScanControl.StopOrDone;
  engine::PrepareExtensiveScan(ctx);
  EXPECT_EQ(engine::ExtensiveScanThreadProc(ctx), 1);
  EXPECT_FALSE(ctx.Results.NtfsFolders.empty()) << "the raw scan ran whole";
  EXPECT_TRUE(ctx.Results.FoundVolumes.empty()) << "the analysis stopped before claiming a volume";
  EXPECT_EQ(ctx.ScanControl.AnalysisPart1Done.load(), 1);
  EXPECT_EQ(ctx.ScanControl.AnalysisPart2Done.load(), 1);
  EXPECT_EQ(ctx.ScanControl.Running.load(), 0);
  EXPECT_EQ(ctx.ScanControl.StopOrDone.load(), 1);
}

}  // namespace
