#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "Fixtures.h"
#include "NtfsImageHarness.h"
#include "ntfs/NtfsCopyOut.h"

namespace {

using ntfstest::ListedEntry;

// The Quick Scan's listing equals fls apart from what the two show differently:
// fls lists the never-used reserved records 16-23 under $OrphanFiles (they have
// no name, so the scan skips them) and the root directory itself is not a row.
void ExpectListingMatchesFls(ntfstest::ScannedImage& scan, const std::string& imagePath) {
  std::map<uint32_t, ListedEntry> ours = scan.Listing();
  ours.erase(0xFFFFFFFE);  // "Lost Dir"
  const std::map<uint32_t, ListedEntry> fls = ntfstest::FlsListing(imagePath);
  for (const auto& [inode, entry] : fls) {
    const auto it = ours.find(inode);
    if (it == ours.end()) {
      ADD_FAILURE() << "not listed: " << inode << " " << entry.Path;
      continue;
    }
    EXPECT_EQ(it->second.Path, entry.Path) << inode;
    EXPECT_EQ(it->second.IsFolder, entry.IsFolder) << entry.Path;
    EXPECT_EQ(it->second.Deleted, entry.Deleted) << entry.Path;
  }
  for (const auto& [record, entry] : ours) {
    EXPECT_TRUE(fls.contains(record)) << "listed but not by fls: " << record << " " << entry.Path;
  }
}

// Saves everything below the root and compares every written file with icat,
// and every file of the manifest whose clusters were not reused with its original.
void ExpectSavedFilesMatch(ntfstest::ScannedImage& scan, const fixtures::FixtureImage& image,
                           const std::set<std::string>& reusedFiles, const std::string& folderName) {
  engine::EngineContext& ctx = scan.Context();
  ctx.RecoverySettings.ExistingNamePolicy = 2;
  const std::string target = ntfstest::FreshTempFolder(folderName);
  engine::SaveNtfsFolder(ctx, 5, std::u16string(target.begin(), target.end()), u"Root", {});
  const std::string root = target + "/Root";

  for (const auto& [record, entry] : scan.Listing()) {
    const std::string saved = root + entry.Path;
    if (entry.IsFolder || entry.Path.starts_with("/Lost Dir") || !std::filesystem::is_regular_file(saved)) continue;
    EXPECT_EQ(ntfstest::ReadHostFile(saved), ntfstest::IcatBytes(image.ImagePath, record)) << entry.Path;
  }
  for (const fixtures::ManifestEntry& entry : image.Entries) {
    if (entry.IsFolder) {
      EXPECT_TRUE(std::filesystem::is_directory(root + entry.Path)) << entry.Path;
      continue;
    }
    if (reusedFiles.contains(entry.Path)) continue;
    EXPECT_EQ(ntfstest::ReadHostFile(root + entry.Path), image.ReadOriginal(entry)) << entry.Path;
  }
  // Nothing lands beside the target folder.
  for (const auto& item : std::filesystem::directory_iterator(target)) EXPECT_EQ(item.path().filename(), "Root");
}

TEST(NtfsQuickScanImage, StandardImageListsAsFlsAndSavesEveryRecoverableFile) {
  const fixtures::FixtureImage& image = fixtures::StandardImage(fixtures::ImageKind::Ntfs);
  ntfstest::ScannedImage scan(image.ImagePath);
  ASSERT_TRUE(scan.Detected());
  const engine::VolumeParameters& volume = scan.Context().ActiveVolume;
  EXPECT_EQ(volume.SectorsPerCluster, 8u);
  EXPECT_EQ(volume.SectorsPerIndexRecord, 8u);
  EXPECT_NE(volume.MftStart, 0u);

  ExpectListingMatchesFls(scan, image.ImagePath);
  // gap-B's clusters were given to fragmented-D.
  ExpectSavedFilesMatch(scan, image, {"/Fragments/Gap/gap-B.bin"}, "ntfs-standard-save");

  // The results list shows the root: system files, folders and files, no Parent row.
  const auto rows = scan.Host().Rows();
  ASSERT_FALSE(rows.empty());
  EXPECT_NE(rows.front().RowKind, engine::ResultRow::Kind::ParentLink);
}

}  // namespace
