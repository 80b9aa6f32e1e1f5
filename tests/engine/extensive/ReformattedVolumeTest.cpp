// Volumes formatted again over their old contents (mkfs.fat with the same and
// another cluster size, mkntfs -Q): the Extensive Scan finds the old volume with
// the cluster base and size fsstat gave before the format, rebuilds its folders
// (large ones too, whose later clusters no zeroed FAT links), and the old
// contiguous files read back byte for byte under their folders.

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "Fixtures.h"
#include "ReformattedImage.h"
#include "RecordingHost.h"
#include "SectorReader.h"
#include "extensive/ExtensiveScan.h"
#include "extensive/FileSystemScan.h"
#include "ntfs/NtfsVolume.h"
#include "posix/ImageFileSource.h"

namespace {

using testsupport::ToUtf8;

struct ReformatCase {
  const char* Image;    // the formatted-again image
  const char* Fixture;  // the fixture it was made from: manifest and originals
  uint16_t FileSystemCode;
};

std::ostream& operator<<(std::ostream& out, const ReformatCase& c) { return out << c.Image; }

using extensivetest::OldGeometry;

std::string Leaf(const std::string& path) { return path.substr(path.rfind('/') + 1); }
std::string ParentName(const std::string& path) {
  const std::string parent = path.substr(0, path.rfind('/'));
  return Leaf(parent);
}
bool IsTopLevel(const std::string& path) { return path.rfind('/') == 0; }

class ReformattedVolume : public ::testing::TestWithParam<ReformatCase> {
 protected:
  ReformattedVolume() : ctx(host, opener), fixture(fixtures::LoadFixture(GetParam().Fixture)) {
    const std::string image = fixtures::FixtureDir() + "/" + GetParam().Image + ".img";
    extensivetest::ServeReformattedImage(ctx, opener, image, GetParam().FileSystemCode);
    old = extensivetest::ReadOldGeometry(image + ".fsstat", GetParam().FileSystemCode != engine::kFileSystemNtfs);
    EXPECT_NE(old.SectorsPerCluster, 0u) << image << ".fsstat";
  }

  // Scans, then picks the found volume with the old geometry; false when none.
  bool ScanAndChooseOldVolume() {
    const bool found = extensivetest::ScanAndBuildOldVolume(ctx, old, filters);
    EXPECT_EQ(ctx.ScanControl.AnalysisPart1Done.load(), 1);
    EXPECT_EQ(ctx.ScanControl.AnalysisPart2Done.load(), 1);
    return found;
  }

  std::vector<uint8_t> ReadContiguous(uint64_t firstSector, uint64_t size) {
    std::vector<uint8_t> bytes((size + 511) / 512 * 512);
    engine::ReadSectors(ctx, firstSector, static_cast<uint32_t>(bytes.size() / 512), bytes);
    bytes.resize(size);
    return bytes;
  }

  testsupport::RecordingHost host;
  platform::ImageDeviceOpener opener;
  engine::EngineContext ctx;
  engine::FileFilterTable filters;
  fixtures::FixtureImage fixture;
  OldGeometry old;
};

class ReformattedFat : public ReformattedVolume {};
class ReformattedNtfs : public ReformattedVolume {};

TEST_P(ReformattedFat, FindsOldVolumeFoldersAndFiles) {
  ASSERT_TRUE(ScanAndChooseOldVolume()) << "no volume with cluster base " << old.ClusterBase;
  engine::ResultStore& results = ctx.Results;
  auto folderName = [&](uint32_t cluster) -> std::string {
    const engine::FatFolderEntry* folder = results.FindFatFolder(cluster);
    return folder ? ToUtf8(folder->Name) : "?";
  };
  int checkedFiles = 0;
  // A top-level folder lost its name with the old root: its files must still share one folder.
  std::map<std::string, std::set<uint32_t>> foldersOfParent;
  for (const fixtures::ManifestEntry& entry : fixture.Entries) {
    if (entry.Deleted || IsTopLevel(entry.Path)) continue;  // the old root went with the format
    if (entry.IsFolder) {
      // A folder below a folder gets its name back from its parent's entry.
      bool named = false;
      for (const engine::FatFolderEntry& folder : results.FatFolders) named |= ToUtf8(folder.Name) == Leaf(entry.Path);
      EXPECT_TRUE(named) << entry.Path;
      continue;
    }
    const engine::FatFileEntry* found = nullptr;
    for (const engine::FatFileEntry& file : results.FatFiles) {
      const bool parentKnown = IsTopLevel(entry.Path.substr(0, entry.Path.rfind('/')));
      if (ToUtf8(file.Name) == Leaf(entry.Path) && (parentKnown || folderName(file.ParentCluster) == ParentName(entry.Path))) {
        found = &file;
      }
    }
    ASSERT_NE(found, nullptr) << entry.Path;
    foldersOfParent[entry.Path.substr(0, entry.Path.rfind('/'))].insert(found->ParentCluster);
    EXPECT_EQ(found->Size, entry.Size) << entry.Path;
    const uint64_t first = old.ClusterBase + uint64_t{old.SectorsPerCluster} * found->FirstCluster;
    EXPECT_EQ(ReadContiguous(first, entry.Size), fixture.ReadOriginal(entry)) << entry.Path;
    ++checkedFiles;
  }
  EXPECT_GE(checkedFiles, 4);
  for (const auto& [parent, clusters] : foldersOfParent) EXPECT_EQ(clusters.size(), 1u) << parent;
  EXPECT_NE(results.FindFatFolder(0xFFFFFFFE), nullptr) << "Lost Dir";
}

TEST_P(ReformattedNtfs, FindsOldVolumeFoldersAndFiles) {
  ASSERT_TRUE(ScanAndChooseOldVolume()) << "no volume at sector 0 with " << old.SectorsPerCluster << " sectors per cluster";
  engine::ResultStore& results = ctx.Results;
  auto folderNamed = [&](const std::string& name) -> const engine::TreeFolderNode* {
    for (const engine::TreeFolderNode& folder : results.TreeFolders) {
      if (ToUtf8(folder.Name) == name) return &folder;
    }
    return nullptr;
  };
  const engine::TreeFolderNode* alpha = folderNamed("Alpha");
  const engine::TreeFolderNode* beta = folderNamed("Beta");
  ASSERT_NE(alpha, nullptr);
  ASSERT_NE(beta, nullptr);
  EXPECT_EQ(beta->ParentId, alpha->Id);
  ASSERT_NE(folderNamed("Gamma"), nullptr);

  const engine::ntfs::NtfsGeometry geometry = engine::ntfs::GeometryOf(ctx.ActiveVolume);
  int checkedFiles = 0;
  for (const fixtures::ManifestEntry& entry : fixture.Entries) {
    if (entry.Deleted || entry.IsFolder || IsTopLevel(entry.Path)) continue;
    const engine::NtfsFileNode* found = nullptr;
    for (const engine::NtfsFileNode& file : results.NtfsFiles) {
      const engine::TreeFolderNode* parent = results.FindTreeFolder(file.ParentId);
      if (ToUtf8(file.Name) == Leaf(entry.Path) && parent && ToUtf8(parent->Name) == ParentName(entry.Path)) found = &file;
    }
    ASSERT_NE(found, nullptr) << entry.Path;
    EXPECT_EQ(found->Size, entry.Size) << entry.Path;
    engine::ntfs::RecordBuffer record{};
    ASSERT_EQ(engine::ntfs::ReadMftRecord(ctx, found->RecordSector, record), engine::ntfs::RecordRead::Ok);
    const engine::ntfs::DataStream stream =
        engine::ntfs::CollectDataStream(ctx, geometry, record, 0, [](uint32_t) { return uint64_t{0}; });
    std::vector<uint8_t> bytes = stream.ResidentBytes;
    if (!stream.Resident) {
      bytes = engine::ntfs::ReadRunsToMemory(ctx, geometry, stream.Runs, stream.RealSize, 1 << 24).value_or(bytes);
    }
    EXPECT_EQ(bytes, fixture.ReadOriginal(entry)) << entry.Path;
    ++checkedFiles;
  }
  EXPECT_GE(checkedFiles, 4);
}

std::string CaseName(const ::testing::TestParamInfo<ReformatCase>& info) {
  std::string name = info.param.Image;
  for (char& c : name) c = c == '-' ? '_' : c;
  return name;
}

INSTANTIATE_TEST_SUITE_P(
    Formats, ReformattedFat,
    ::testing::Values(ReformatCase{"extensive-fat16-same", "extensive-fat16", engine::kFileSystemFat16},
                      ReformatCase{"extensive-fat16-other", "extensive-fat16", engine::kFileSystemFat16},
                      ReformatCase{"extensive-fat32-same", "extensive-fat32", engine::kFileSystemFat32},
                      ReformatCase{"extensive-fat32-other", "extensive-fat32", engine::kFileSystemFat32},
                      // Folders of many clusters, their later ones after the data of
                      // the files listed before them and after a subfolder's.
                      ReformatCase{"large-folders-fat32-formatted", "large-folders-fat32",
                                   engine::kFileSystemFat32},
                      // Between a folder's full first cluster and its next one lies
                      // the last cluster of another folder's file, which begins
                      // like an entry followed by an end mark.
                      ReformatCase{"file-tails-fat32-formatted", "file-tails-fat32", engine::kFileSystemFat32}),
    CaseName);
INSTANTIATE_TEST_SUITE_P(Formats, ReformattedNtfs,
                         ::testing::Values(ReformatCase{"extensive-ntfs-again", "extensive-ntfs",
                                                        engine::kFileSystemNtfs}),
                         CaseName);

}  // namespace
