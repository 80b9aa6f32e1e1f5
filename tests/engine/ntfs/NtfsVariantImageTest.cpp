#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "Fixtures.h"
#include "NtfsImageHarness.h"
#include "ntfs/NtfsCopyOut.h"

namespace {

struct VariantCase {
  const char* name;
  uint32_t sectorsPerCluster;
};

class NtfsVariantImage : public testing::TestWithParam<VariantCase> {};

// A file whose runlist continues in extension records through its attribute list
// is listed once, under its own name, and saved whole; names and sizes match fls.
TEST_P(NtfsVariantImage, ListsAsFlsAndSavesFragmentedFilesWhole) {
  const fixtures::FixtureImage image = fixtures::LoadFixture(GetParam().name);
  ntfstest::ScannedImage scan(image.ImagePath);
  ASSERT_TRUE(scan.Detected());
  EXPECT_EQ(scan.Context().ActiveVolume.SectorsPerCluster, GetParam().sectorsPerCluster);

  std::map<uint32_t, ntfstest::ListedEntry> ours = scan.Listing();
  ours.erase(0xFFFFFFFE);
  const std::map<uint32_t, ntfstest::ListedEntry> fls = ntfstest::FlsListing(image.ImagePath);
  EXPECT_EQ(ours, fls);

  engine::EngineContext& ctx = scan.Context();
  const std::string target = ntfstest::FreshTempFolder(std::string("ntfs-variant-save-") + GetParam().name);
  engine::SaveNtfsFolder(ctx, 5, std::u16string(target.begin(), target.end()), u"Root", {});
  for (const fixtures::ManifestEntry& entry : image.Entries) {
    // The deleted pieces' clusters went to the fragmented file.
    if (entry.IsFolder || (entry.Deleted && entry.Path.starts_with("/Frag/"))) continue;
    EXPECT_EQ(ntfstest::ReadHostFile(target + "/Root" + entry.Path), image.ReadOriginal(entry)) << entry.Path;
  }
  const fixtures::ManifestEntry* fragmented = image.Find("/Frag/many fragments.bin");
  ASSERT_NE(fragmented, nullptr);
  for (const auto& [record, entry] : ours) {
    if (entry.Path == fragmented->Path) {
      EXPECT_EQ(ntfstest::IcatBytes(image.ImagePath, record), image.ReadOriginal(*fragmented));
    }
  }
}

INSTANTIATE_TEST_SUITE_P(ClusterSizes, NtfsVariantImage,
                         testing::Values(VariantCase{"ntfs-variant-512", 1}, VariantCase{"ntfs-variant-65536", 128}),
                         [](const auto& info) { return std::to_string(info.param.sectorsPerCluster); });

}  // namespace
