#include "scans/FileSystemDetection.h"

#include <gtest/gtest.h>

#include <cstring>

#include "FaultySectorSource.h"
#include "RecordingHost.h"
#include "SectorReader.h"
#include "scans/FatParameterRebuild.h"
#include "scans/QuickScan.h"

namespace {

constexpr uint32_t kSectors = 256;

class FileSystemDetectionTest : public testing::Test {
 protected:
  FileSystemDetectionTest() : disk(kSectors * 512, 0) {}

  uint8_t* Sector(uint32_t sector) { return disk.data() + size_t(sector) * 512; }
  static void Put16(uint8_t* at, uint16_t value) {
    at[0] = value & 0xFF;
    at[1] = value >> 8;
  }
  static void Put32(uint8_t* at, uint32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<uint8_t>(value >> (8 * i));
  }
  // A FAT32 boot sector: 4 sectors per cluster, 8 reserved, 16 per FAT, root cluster 2.
  void WriteFat32Boot(uint32_t sector, uint8_t perCluster = 4) {
    uint8_t* boot = Sector(sector);
    boot[13] = perCluster;
    Put16(boot + 14, 8);
    Put32(boot + 32, kSectors);
    Put32(boot + 36, 16);
    Put32(boot + 44, 2);
    boot[510] = 0x55;
    boot[511] = 0xAA;
  }
  // A subdirectory's first sector: "." naming its own cluster, then "..".
  void WriteDirectoryStart(uint32_t sector, uint32_t ownCluster) {
    uint8_t* entry = Sector(sector);
    std::memcpy(entry, ".          ", 11);
    entry[11] = 0x10;
    Put16(entry + 26, ownCluster & 0xFFFF);
    Put16(entry + 20, ownCluster >> 16);
    std::memcpy(entry + 32, "..         ", 11);
    entry[32 + 11] = 0x10;
  }
  void Install(uint16_t code) {
    opener.Devices[u"\\\\.\\PhysicalDrive0"].Bytes = disk;
    engine::ApplyDefaultRecoverySettings(ctx.RecoverySettings);
    ctx.SourceDevice.SourceKind = engine::kSourceWholeDisk;
    engine::OpenPhysicalDrive(ctx);
    ctx.SourceSelection.FileSystemCode = code;
    ctx.SourceSelection.SectorCount = kSectors;
    ctx.SourceSelection.EndSector = kSectors - 1;
  }

  std::vector<uint8_t> disk;
  testsupport::RecordingHost host;
  testsupport::FakeDeviceOpener opener;
  engine::EngineContext ctx{host, opener};
};

TEST_F(FileSystemDetectionTest, DamagedFat32BootSectorFallsBackToTheBackup) {
  WriteFat32Boot(6);
  Sector(8 + 16)[0] = 0xF8;  // the second FAT
  Install(engine::kFileSystemFat32);
  ASSERT_EQ(engine::DetectFileSystem(ctx), 1);
  const engine::VolumeParameters& volume = ctx.ActiveVolume;
  EXPECT_EQ(volume.FileSystemCode, engine::kFileSystemFat32);
  EXPECT_EQ(volume.SectorsPerCluster, 4u);
  EXPECT_EQ(volume.ReservedSectors, 8u);
  EXPECT_EQ(volume.SectorsPerFat, 16u);
  EXPECT_EQ(volume.RootDirStart, 2u);
  EXPECT_EQ(volume.Fat1Start, 8u);
  EXPECT_EQ(volume.Fat2Start, 24u);
  EXPECT_EQ(volume.ClusterBase, 8u + 32u - 8u);
  EXPECT_EQ(volume.EndSector, kSectors - 1);
}

TEST_F(FileSystemDetectionTest, UnusableBootSectorsAreRefused) {
  WriteFat32Boot(0, 3);  // three sectors per cluster is no FAT geometry
  Sector(24)[0] = 0xF8;
  Install(engine::kFileSystemFat32);
  EXPECT_EQ(engine::DetectFileSystem(ctx), 0);

  WriteFat32Boot(0);
  Sector(24)[0] = 0xF0;  // the second FAT must begin with the fixed-disk media byte
  Install(engine::kFileSystemFat32);
  EXPECT_EQ(engine::DetectFileSystem(ctx), 0);

  Install(400);  // no file system this program reads
  EXPECT_EQ(engine::DetectFileSystem(ctx), 0);
}

struct SampleCase {
  engine::DirectorySample First, Second;
  uint32_t PerCluster;  // 0: no geometry
  uint64_t ClusterBase;
};

TEST(GeometryFromSamplesTest, TwoDirectoriesFixTheClusterGeometry) {
  const SampleCase cases[] = {
      {{20000, 5}, {20080, 15}, 8, 19960},
      {{100, 3}, {101, 4}, 1, 97},
      {{1000, 3}, {1000 + 128 * 2, 5}, 128, 1000 - 384},
      {{1000, 3}, {1000 + 256 * 2, 5}, 0, 0},   // 256 sectors per cluster
      {{1000, 3}, {1009, 6}, 0, 0},             // 3 sectors per cluster
      {{1000, 3}, {1010, 6}, 0, 0},             // not a whole number of clusters
      {{1000, 6}, {1010, 3}, 0, 0},             // the later one has the lower cluster
      {{1000, 6}, {1000, 8}, 0, 0},             // the same sector
      {{10, 20}, {30, 30}, 0, 0},               // clusters that cannot lie below the sectors
  };
  for (const SampleCase& c : cases) {
    const auto geometry = engine::GeometryFromSamples(c.First, c.Second);
    if (c.PerCluster == 0) {
      EXPECT_FALSE(geometry) << c.First.Sector << "/" << c.Second.Sector;
      continue;
    }
    ASSERT_TRUE(geometry) << c.First.Sector << "/" << c.Second.Sector;
    EXPECT_EQ(geometry->SectorsPerCluster, c.PerCluster);
    EXPECT_EQ(geometry->ClusterBase, c.ClusterBase);
  }
}

TEST_F(FileSystemDetectionTest, RebuildFindsTheGeometryFromDirectories) {
  // FAT32 with 40 reserved sectors, FATs of 20 sectors, 4 sectors per cluster:
  // cluster 2 at sector 80, so cluster c at 72 + 4c.
  Sector(40)[0] = 0xF8;
  Sector(40)[1] = 0xFF;
  WriteDirectoryStart(72 + 4 * 5, 5);
  WriteDirectoryStart(72 + 4 * 9, 9);
  Install(engine::kFileSystemFat32);
  ASSERT_EQ(engine::RebuildFatParameters(ctx), 1);
  const engine::VolumeParameters& volume = ctx.ActiveVolume;
  EXPECT_EQ(volume.SectorsPerCluster, 4u);
  EXPECT_EQ(volume.ClusterBase, 72u);
  EXPECT_EQ(volume.ReservedSectors, 40u);
  EXPECT_EQ(volume.SectorsPerFat, 20u);
  EXPECT_EQ(volume.Fat1Start, 40u);
  EXPECT_EQ(volume.Fat2Start, 60u);
  EXPECT_EQ(volume.RootDirStart, 2u);
}

TEST_F(FileSystemDetectionTest, NoParametersAnywhereEndsTheScanWithTheMessage) {
  Install(engine::kFileSystemFat16);
  EXPECT_EQ(engine::QuickScanThreadProc(ctx, {}), 0);
  EXPECT_EQ(ctx.ScanControl.ParametersNotFound.load(), 1);
  EXPECT_EQ(ctx.MessageRequest.Text, engine::kParametersNotFoundText);
  EXPECT_EQ(ctx.MessageRequest.Kind, engine::kMessageError);
  EXPECT_EQ(host.CallsStartingWith("Scan.KillTimer").size(), 1u);
  EXPECT_EQ(host.CallsStartingWith("Button ScanNext Enable").size(), 1u);
}

}  // namespace

namespace {

// A heap exhausted anywhere in a worker, not only in the appenders, ends the
// program with the out-of-memory message instead of an exception out of the thread.
TEST_F(FileSystemDetectionTest, HeapExhaustedInTheScanEndsWithTheOutOfMemoryMessage) {
  struct ExhaustedHost : testsupport::RecordingHost {
    void ResetCounterCaptions() override { throw std::bad_alloc(); }
    void ShowMessage(const std::u16string& text, int32_t kind) override {
      fprintf(stderr, "kind %d: %s\n", kind, testsupport::ToUtf8(text).c_str());
    }
  };
  WriteFat32Boot(0);
  Sector(24)[0] = 0xF8;
  auto scanWithExhaustedHeap = [this] {
    ExhaustedHost exhausted;
    engine::EngineContext doomed(exhausted, opener);
    opener.Devices[u"\\\\.\\PhysicalDrive0"].Bytes = disk;
    doomed.SourceDevice.SourceKind = engine::kSourceWholeDisk;
    engine::OpenPhysicalDrive(doomed);
    doomed.SourceSelection = {engine::kFileSystemFat32, 0, kSectors, kSectors - 1, 0};
    engine::QuickScanThreadProc(doomed, {});
  };
  EXPECT_EXIT(scanWithExhaustedHeap(), ::testing::ExitedWithCode(0),
              "kind 2: Out of memory, close other applications and run again");
}

}  // namespace
