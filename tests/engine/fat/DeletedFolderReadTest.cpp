#include <gtest/gtest.h>

#include "MemoryFatVolume.h"
#include "RecordingHost.h"
#include "fat/FatDirectoryParser.h"
#include "fat/FatDirectoryReader.h"

namespace {

using testsupport::MemoryFatVolume;

// A deleted folder at cluster 10 whose entries filled clusters 10 and 11 and end
// in 12 (16 entries a cluster); its FAT chain is gone. What follows decides how
// far the folder is read.
struct FollowCase {
  const char* What;
  bool Cluster12InUse;        // a live file took cluster 12 since
  bool Cluster11IsFileData;   // the folder's second cluster was elsewhere
  bool Cluster12StartsFolder; // another deleted folder begins at 12
  size_t ExpectedFiles;
};

void WriteDeletedFiles(uint8_t* cluster, int first, int count, int number) {
  for (int i = 0; i < count; ++i) {
    char name[13];
    std::snprintf(name, sizeof name, "\xE5" "ILE%04dTXT", number + i);
    MemoryFatVolume::WriteShortEntry(cluster + (first + i) * 32, name, 0x20, static_cast<uint16_t>(40 + i), 10);
  }
}

TEST(DeletedFolderReadTest, FollowsFreeClustersWhileTheyReadAsEntries) {
  const FollowCase cases[] = {
      {"contiguous, ends in the third cluster", false, false, false, 14 + 16 + 3},
      {"third cluster taken by a live file", true, false, false, 14 + 16},
      {"second cluster holds file data", false, true, false, 14},
      {"another folder follows", false, false, true, 14 + 16},
  };
  for (const FollowCase& c : cases) {
    MemoryFatVolume volume;
    uint8_t* first = volume.Cluster(10);
    MemoryFatVolume::WriteShortEntry(first, ".          ", 0x10, 10, 0);
    MemoryFatVolume::WriteShortEntry(first + 32, "..         ", 0x10, 0, 0);
    WriteDeletedFiles(first, 2, 14, 0);
    if (c.Cluster11IsFileData) {
      for (int i = 0; i < 512; ++i) volume.Cluster(11)[i] = static_cast<uint8_t>(i * 7 + 1);
    } else {
      WriteDeletedFiles(volume.Cluster(11), 0, 16, 14);
    }
    if (c.Cluster12StartsFolder) {
      MemoryFatVolume::WriteShortEntry(volume.Cluster(12), ".          ", 0x10, 12, 0);
      MemoryFatVolume::WriteShortEntry(volume.Cluster(12) + 32, "..         ", 0x10, 0, 0);
      WriteDeletedFiles(volume.Cluster(12), 2, 3, 30);
    } else {
      WriteDeletedFiles(volume.Cluster(12), 0, 3, 30);  // then the end mark (zeros)
    }
    if (c.Cluster12InUse) volume.SetBothFats(12, 0xFFFF);

    testsupport::RecordingHost host;
    testsupport::FakeDeviceOpener opener;
    engine::EngineContext ctx(host, opener);
    volume.Install(ctx, opener);
    const engine::FatLayout layout = *engine::CurrentFatLayout(ctx);
    const engine::FatDirectoryBytes directory = engine::ReadFatDirectoryChain(ctx, layout, 10, true);
    const engine::FatDirectoryListing listing = engine::ParseFatDirectory(directory.Bytes, false, 2, true);
    EXPECT_EQ(listing.Items.size(), c.ExpectedFiles) << c.What;

    // A live folder whose chain breaks at a free entry reads on the same way, over
    // the clusters that follow; one whose chain ends at its end mark, along it only.
    const engine::FatDirectoryBytes broken = engine::ReadFatDirectoryChain(ctx, layout, 10, false);
    EXPECT_EQ(engine::ParseFatDirectory(broken.Bytes, false, 2, false).Items.size(),
              c.Cluster12InUse ? 14u + 16u + 3u : c.ExpectedFiles)
        << c.What;
    volume.SetBothFats(10, 0xFFFF);
    volume.Install(ctx, opener);
    const engine::FatDirectoryBytes live = engine::ReadFatDirectoryChain(ctx, layout, 10, false);
    EXPECT_EQ(live.Bytes.size(), 512u) << c.What;
  }
}

}  // namespace
