// The Extensive Scan over intact FAT images: a folder far longer than a hundred
// clusters is listed whole, and empty files (no cluster) are listed too.

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "DamagedImage.h"
#include "Fixtures.h"
#include "RecordingHost.h"
#include "ReformattedImage.h"
#include "results/ResultStore.h"

namespace {

using testsupport::ToUtf8;

// The geometry of the volume the image holds, from its boot sector.
extensivetest::OldGeometry GeometryOf(const std::string& imagePath) {
  std::ifstream in(imagePath, std::ios::binary);
  uint8_t boot[512] = {};
  in.read(reinterpret_cast<char*>(boot), sizeof boot);
  const uint32_t perCluster = boot[13];
  const uint32_t reserved = boot[14] | boot[15] << 8;
  const uint32_t fats = boot[16];
  const uint32_t rootEntries = boot[17] | boot[18] << 8;
  uint32_t perFat = boot[22] | boot[23] << 8;
  if (perFat == 0) perFat = boot[36] | boot[37] << 8 | boot[38] << 16 | uint32_t{boot[39]} << 24;
  const uint64_t dataStart = reserved + uint64_t{fats} * perFat + (rootEntries * 32 + 511) / 512;
  return {perCluster, dataStart - 2ULL * perCluster};
}

class ExtensiveFatScan : public testing::Test {
 protected:
  ExtensiveFatScan() : ctx(host, opener) {}
  bool Scan(const std::string& imagePath, uint16_t code) {
    extensivetest::ServeReformattedImage(ctx, opener, imagePath, code);
    const extensivetest::OldGeometry geometry = GeometryOf(imagePath);
    const bool found = extensivetest::ScanAndBuildOldVolume(ctx, geometry, filters);
    for (const engine::FoundVolume& volume : ctx.Results.FoundVolumes) {
      if (!found) ADD_FAILURE() << "found " << volume.ClusterBase << "/" << volume.SectorsPerCluster << ", not "
                                << geometry.ClusterBase << "/" << geometry.SectorsPerCluster;
    }
    return found;
  }
  const engine::FatFolderEntry* FolderNamed(const std::string& name) {
    for (const engine::FatFolderEntry& folder : ctx.Results.FatFolders) {
      if (ToUtf8(folder.Name) == name) return &folder;
    }
    return nullptr;
  }

  testsupport::RecordingHost host;
  platform::ImageDeviceOpener opener;
  engine::EngineContext ctx;
  engine::FileFilterTable filters;
};

class ExtensiveFatImage : public ExtensiveFatScan, public testing::WithParamInterface<uint16_t> {};

// 2,000 long-named entries (200 of them deleted) fill 250 clusters of folder.
TEST_F(ExtensiveFatScan, LongFolderIsListedWhole) {
  ASSERT_TRUE(Scan(std::string(PELMO_MANY_ENTRIES_DIR) + "/many-entries-fat32.img", engine::kFileSystemFat32));
  const engine::FatFolderEntry* folder = FolderNamed("Many Entries");
  ASSERT_NE(folder, nullptr);
  EXPECT_EQ(ctx.Results.FatFilesIn(folder->FirstCluster).size(), 2000u);
}

// A quick format zeroes the FATs: every folder's chain stops after its first
// cluster. A folder whose clusters follow each other is read on while they hold
// its entries (150 long names fill 19 clusters).
TEST_F(ExtensiveFatScan, FolderOfAFormattedVolumeIsReadPastItsFirstCluster) {
  testsupport::DamagedImage image(fixtures::LoadFixture("empty-files-fat32").ImagePath, "empty-files-formatted");
  const std::vector<uint8_t> boot = image.Read(0, 512);
  const uint64_t fat1 = boot[14] | boot[15] << 8;
  const uint64_t sectorsPerFat = image.U32(36);
  const std::vector<uint8_t> zeros(sectorsPerFat * 512 - 12, 0);
  for (const uint64_t fat : {fat1, fat1 + sectorsPerFat}) {
    image.Write(fat * 512 + 12, zeros);  // entries 0 and 1 and the root's end mark stay
  }
  ASSERT_TRUE(Scan(image.Path(), engine::kFileSystemFat32));
  const engine::FatFolderEntry* folder = FolderNamed("Empty Files");
  ASSERT_NE(folder, nullptr);
  EXPECT_EQ(ctx.Results.FatFilesIn(folder->FirstCluster).size(), 150u);
}

TEST_P(ExtensiveFatImage, EmptyFilesAreListed) {
  const fixtures::FixtureImage& image = fixtures::StandardImage(
      GetParam() == engine::kFileSystemFat32 ? fixtures::ImageKind::Fat32 : fixtures::ImageKind::Fat16);
  ASSERT_TRUE(Scan(image.ImagePath, GetParam()));
  bool listed = false;
  for (const engine::FatFileEntry& file : ctx.Results.FatFiles) {
    if (ToUtf8(file.Name) == "empty.txt" && file.Size == 0 && file.Deleted == 0) listed = true;
  }
  EXPECT_TRUE(listed);
}

INSTANTIATE_TEST_SUITE_P(Kinds, ExtensiveFatImage, testing::Values(engine::kFileSystemFat16, engine::kFileSystemFat32),
                         [](const auto& info) { return info.param == engine::kFileSystemFat32 ? "Fat32" : "Fat16"; });

}  // namespace
