// Round trip of a real File Trace: a few types ticked, the free space of a FAT32
// image carved, and the "R" snapshot saved through the Save command loads back
// into the same selected signatures and hits.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "EngineContext.h"
#include "ImageFileSource.h"
#include "PosixOutputFileSystem.h"
#include "SignatureTestSupport.h"
#include "SnapshotImageSupport.h"
#include "signatures/FileTrace.h"
#include "signatures/SignatureDatabase.h"
#include "signatures/SignatureSelection.h"
#include "snapshot/SnapshotFormat.h"
#include "snapshot/SnapshotSaving.h"

namespace {

namespace fs = std::filesystem;

constexpr char16_t kTraceSavedPath[] = u"C:\\Scans\\Trace.vbrx";

class FileTraceSnapshotImageTest : public testing::Test {
 protected:
  // The image script adds a JPEG, a PNG and a GIF to the stage; a PDF joins them.
  static void SetUpTestSuite() {
    folder_ = fs::temp_directory_path() / ("pelmo-trace-snapshot-" + std::to_string(::getpid()));
    fs::remove_all(folder_);
    fs::create_directories(folder_ / "stage");
    std::ofstream(folder_ / "stage" / "report.pdf") << "%PDF-1.4\n1 0 obj << /Type /Catalog >> endobj\n%%EOF\n";
    const std::string command = std::string("bash '") + PELMO_CARVING_IMAGE_SCRIPT + "' '" +
                                (folder_ / "stage").string() + "' '" + (folder_ / "carving.img").string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
  }
  static void TearDownTestSuite() { fs::remove_all(folder_); }

  static fs::path folder_;
};
fs::path FileTraceSnapshotImageTest::folder_;

TEST_F(FileTraceSnapshotImageTest, RoundTripGivesIdenticalSignaturesAndHits) {
  const fs::path imagePath = folder_ / "carving.img";
  signaturetests::FileTypesHost host;
  platform::ImageDeviceOpener opener;
  opener.Map(u"\\\\.\\D:", imagePath.string());
  engine::EngineContext ctx(host, opener);
  snapshottest::MemoryFiles files;
  ctx.Files = &files;
  ctx.ProgramFolder = platform::FromUtf8(PELMO_SIGNATURE_DATABASE_FOLDER);
  engine::ApplyDefaultRecoverySettings(ctx.RecoverySettings);
  ctx.RecoveryMode = engine::kModeFileTrace;

  engine::LoadSignatureDatabase(ctx);
  const std::vector<engine::FileTypeTreeItem> ticked = {{u".jpg", 2}, {u".png", 2}, {u".gif", 2}, {u".pdf", 2}};
  engine::AddCheckedSignatures(ctx, host.RecordsHeadFirst, ticked);
  ctx.SourceDevice.SourceKind = engine::kSourceLogicalDrive;
  snapshottest::UseDriveD(ctx);
  ctx.SourceSelection.FileSystemCode = engine::kFileSystemFat32;
  ctx.SourceSelection.EndSector = static_cast<uint32_t>(fs::file_size(imagePath) / 512 - 1);
  ASSERT_EQ(engine::FileTraceThreadProc(ctx), 1);

  const auto signatures = snapshottest::SignatureList(ctx.Results);
  const auto hits = snapshottest::CarvedFileList(ctx.Results);
  std::set<std::u16string> hitTypes;
  for (const engine::CarvedFile& hit : ctx.Results.CarvedFiles) hitTypes.insert(hit.Extension);
  ASSERT_EQ(hitTypes, (std::set<std::u16string>{u".jpg", u".png", u".gif", u".pdf"}));
  const engine::VolumeParameters volume = ctx.ActiveVolume;

  host.SnapshotPaths.push_back(u"C:\\Scans\\Trace");
  ASSERT_TRUE(engine::snapshot::SaveSnapshot(ctx));
  const std::vector<uint8_t>& saved = files.Files[kTraceSavedPath];
  ASSERT_FALSE(saved.empty());
  EXPECT_EQ(saved[0], engine::snapshot::kMarkerFileTrace);
  engine::ReleaseCarvedFileList(ctx);
  engine::ReleaseSelectedSignatureList(ctx);

  ASSERT_TRUE(engine::snapshot::LoadFileTraceSnapshot(ctx, kTraceSavedPath, files))
      << testing::PrintToString(host.CallsStartingWith("Message"));
  EXPECT_EQ(snapshottest::SignatureList(ctx.Results), signatures);
  EXPECT_EQ(snapshottest::CarvedFileList(ctx.Results), hits);
  EXPECT_EQ(ctx.Results.FileCount, static_cast<int32_t>(hits.size()));
  EXPECT_EQ(ctx.Results.SelectedSignatureCount, static_cast<int32_t>(signatures.size()));
  EXPECT_EQ(ctx.RecoveryMode, engine::kModeFileTrace);
  EXPECT_EQ(ctx.ActiveVolume.ClusterBase, volume.ClusterBase);
  EXPECT_EQ(ctx.ActiveVolume.SectorsPerCluster, volume.SectorsPerCluster);
}

}  // namespace
