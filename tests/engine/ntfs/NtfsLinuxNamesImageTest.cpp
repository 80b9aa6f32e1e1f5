#include <gtest/gtest.h>

#include <filesystem>

#include "Fixtures.h"
#include "NtfsImageHarness.h"
#include "ntfs/NtfsCopyOut.h"

namespace {

// Names with ':' '\' '?' '|' '*' written by Linux tools keep the POSIX namespace:
// they are listed as fls lists them, and saved under sanitised names inside the
// target folder, with their bytes. Sparse files are saved whole.
TEST(NtfsLinuxNamesImage, ListsPosixNamesAndSavesThemSanitised) {
  const fixtures::FixtureImage image = fixtures::LoadFixture("ntfs-linux-names");
  ntfstest::ScannedImage scan(image.ImagePath);
  ASSERT_TRUE(scan.Detected());

  std::map<uint32_t, ntfstest::ListedEntry> ours = scan.Listing();
  ours.erase(0xFFFFFFFE);
  EXPECT_EQ(ours, ntfstest::FlsListing(image.ImagePath));

  const std::string target = ntfstest::FreshTempFolder("ntfs-linux-names-save");
  engine::SaveNtfsFolder(scan.Context(), 5, std::u16string(target.begin(), target.end()), u"Root", {});
  const std::pair<const char*, const char*> saved[] = {
      {"/colon: name.txt", "/Root/colon_ name.txt"},
      {"/back\\slash.txt", "/Root/back_slash.txt"},
      {"/Folder: one/what?.bin", "/Root/Folder_ one/what_.bin"},
      {"/Folder: one/plain.txt", "/Root/Folder_ one/plain.txt"},
      {"/pipe|star*.txt", "/Root/pipe_star_.txt"},
      // Sparse runs come back as zeros between the written first and last clusters.
      {"/sparse hole.bin", "/Root/sparse hole.bin"},
      {"/small sparse.bin", "/Root/small sparse.bin"},
  };
  for (const auto& [original, copy] : saved) {
    const fixtures::ManifestEntry* entry = image.Find(original);
    ASSERT_NE(entry, nullptr) << original;
    EXPECT_EQ(ntfstest::ReadHostFile(target + copy), image.ReadOriginal(*entry)) << original;
  }
  for (const auto& written : std::filesystem::recursive_directory_iterator(target)) {
    const std::string path = written.path().string();
    EXPECT_EQ(path.rfind(target + "/Root", 0), 0u) << "written outside the target: " << path;
    EXPECT_EQ(path.find_first_of(":\\?*|", target.size()), std::string::npos) << path;
  }
}

}  // namespace

namespace {

// A second save into the same folder keeps the first: under the default policy
// the new copies take "Copy ( n ) of" names made from the safe name.
TEST(NtfsLinuxNamesImage, SavingAgainTakesCopyOfNames) {
  const fixtures::FixtureImage image = fixtures::LoadFixture("ntfs-linux-names");
  ntfstest::ScannedImage scan(image.ImagePath);
  ASSERT_TRUE(scan.Detected());
  ASSERT_EQ(scan.Context().RecoverySettings.ExistingNamePolicy, 1);

  const std::string target = ntfstest::FreshTempFolder("ntfs-linux-names-twice");
  const std::u16string target16(target.begin(), target.end());
  engine::SaveNtfsFolder(scan.Context(), 5, target16, u"Root", {});
  engine::SaveNtfsFolder(scan.Context(), 5, target16, u"Root", {});
  const fixtures::ManifestEntry* entry = image.Find("/Folder: one/what?.bin");
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(ntfstest::ReadHostFile(target + "/Root/Folder_ one/what_.bin"), image.ReadOriginal(*entry));
  EXPECT_EQ(ntfstest::ReadHostFile(target + "/Root/Folder_ one/Copy (1 ) of what_.bin"), image.ReadOriginal(*entry));
}

}  // namespace
