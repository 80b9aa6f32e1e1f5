#pragma once
// A tiny FAT16 volume in memory, laid out by hand so a test can damage any part:
// 1 sector per cluster, FAT 1 at sector 1, FAT 2 at sector 2, a root of 2 sectors
// at 3-4, cluster 2 at sector 5, 64 sectors in all (highest cluster 60).
// Served as physical disk 0.

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "EngineContext.h"
#include "FaultySectorSource.h"
#include "SectorReader.h"

namespace testsupport {

class MemoryFatVolume {
 public:
  static constexpr uint32_t kSectors = 64;
  static constexpr uint32_t kRootStart = 3;
  static constexpr uint32_t kClusterBase = 3;  // cluster 2 at sector 5

  MemoryFatVolume() : Bytes(kSectors * 512, 0) {
    SetFat(1, 0, 0xFFF8);
    SetFat(2, 0, 0xFFF8);
  }

  void SetFat(int copy, uint32_t cluster, uint16_t value) {
    const size_t at = size_t(copy) * 512 + cluster * 2;
    Bytes[at] = value & 0xFF;
    Bytes[at + 1] = value >> 8;
  }
  void SetBothFats(uint32_t cluster, uint16_t value) {
    SetFat(1, cluster, value);
    SetFat(2, cluster, value);
  }
  uint8_t* Sector(uint32_t sector) { return Bytes.data() + size_t(sector) * 512; }
  uint8_t* Cluster(uint32_t cluster) { return Sector(kClusterBase + cluster); }

  // A short entry: an 11-byte name ("NAME    TXT"), attributes, first cluster, size.
  static void WriteShortEntry(uint8_t* entry, const char* name11, uint8_t attributes, uint16_t cluster, uint32_t size,
                              uint16_t writeDate = 0x3A64) {
    std::memset(entry, 0, 32);
    std::memcpy(entry, name11, 11);
    entry[11] = attributes;
    entry[24] = writeDate & 0xFF;
    entry[25] = writeDate >> 8;
    entry[26] = cluster & 0xFF;
    entry[27] = cluster >> 8;
    for (int i = 0; i < 4; ++i) entry[28 + i] = static_cast<uint8_t>(size >> (8 * i));
  }

  // Serves the bytes as physical disk 0 and points ActiveVolume at them.
  void Install(engine::EngineContext& ctx, FakeDeviceOpener& opener) {
    opener.Devices[u"\\\\.\\PhysicalDrive0"].Bytes = Bytes;
    engine::ApplyDefaultRecoverySettings(ctx.RecoverySettings);
    ctx.SourceDevice.SourceKind = engine::kSourceWholeDisk;
    ctx.SourceDevice.DriveNumber = 0;
    engine::OpenPhysicalDrive(ctx);
    ctx.SourceSelection.FileSystemCode = engine::kFileSystemFat16;
    ctx.SourceSelection.StartSector = 0;
    ctx.SourceSelection.SectorCount = kSectors;
    ctx.SourceSelection.EndSector = kSectors - 1;
    engine::VolumeParameters& volume = ctx.ActiveVolume;
    volume.FileSystemCode = engine::kFileSystemFat16;
    volume.SectorsPerFat = 1;
    volume.SectorsPerCluster = 1;
    volume.RootDirSectors = 2;
    volume.RootDirStart = kRootStart;
    volume.ReservedSectors = 1;
    volume.ClusterBase = kClusterBase;
    volume.Fat1Start = 1;
    volume.Fat2Start = 2;
    volume.EndSector = kSectors - 1;
  }

  std::vector<uint8_t> Bytes;
};

}  // namespace testsupport
