// NTFS detection for the Quick Scan and File Trace: the geometry of the volume
// from its boot sector or the backup copy at the volume's end.

#include <array>
#include <optional>

#include "LeBytes.h"
#include "SectorReader.h"
#include "ntfs/MftRecord.h"
#include "ntfs/NtfsQuickScan.h"

namespace engine {
namespace {

using BootSector = std::array<uint8_t, 512>;

constexpr uint32_t kBootSectorsPerCluster = 13;
constexpr uint32_t kBootMftCluster = 48;
constexpr uint32_t kBootMirrorCluster = 56;
constexpr uint32_t kBootClustersPerIndexRecord = 68;

std::optional<BootSector> ReadBootAt(EngineContext& ctx, uint64_t sector) {
  BootSector boot{};
  ReadSectors(ctx, sector, 1, boot);
  if (!HasBootMark(boot)) return std::nullopt;
  return boot;
}

// The backup boot sector lies on the volume's last sector; the selection's end
// sector is that sector for a partition, one past it for a logical drive.
std::optional<BootSector> ReadBackupBoot(EngineContext& ctx) {
  const uint32_t end = ctx.SourceSelection.EndSector;
  if (auto boot = ReadBootAt(ctx, end)) return boot;
  if (end > 0) return ReadBootAt(ctx, end - 1);
  return std::nullopt;
}

// start + S x the cluster at `field`, when that sector begins a FILE record and
// fits the 32-bit sector fields; else 0.
uint32_t StructureStart(EngineContext& ctx, uint64_t volumeStart, const BootSector& boot, uint32_t field) {
  LeBytes view(boot);
  const uint64_t cluster = view.U64(field);
  const uint64_t perCluster = boot[kBootSectorsPerCluster];
  if (cluster > (uint64_t{1} << 40)) return 0;
  const uint64_t sector = volumeStart + cluster * perCluster;
  if (sector >= (uint64_t{1} << 32)) return 0;
  std::array<uint8_t, 512> first{};
  ReadSectors(ctx, sector, 1, first);
  return ntfs::HasSignature(first, "FILE") ? static_cast<uint32_t>(sector) : 0;
}

// Index-record size: a negative byte n means 2^-n bytes, a positive value counts clusters.
uint32_t SectorsPerIndexRecord(const BootSector& boot) {
  LeBytes view(boot);
  const uint32_t value = view.U32(kBootClustersPerIndexRecord);
  const int8_t low = static_cast<int8_t>(value & 0xFF);
  if (low < 0) {
    const int shift = -low;
    if (shift < 9 || shift > 31) return 8;
    return (uint32_t{1} << shift) / 512;
  }
  return boot[kBootSectorsPerCluster] * value;
}

}  // namespace

bool DetectNtfsParameters(EngineContext& ctx, uint64_t volumeStart) {
  std::optional<BootSector> primary = ReadBootAt(ctx, volumeStart);
  std::optional<BootSector> other;
  bool readBackup = false;
  if (!primary) {
    primary = ReadBackupBoot(ctx);
    readBackup = true;
    if (!primary) return false;
  }
  if (!IsValidSectorsPerCluster((*primary)[kBootSectorsPerCluster])) {
    other = readBackup ? ReadBootAt(ctx, volumeStart) : ReadBackupBoot(ctx);
    if (!other || !IsValidSectorsPerCluster((*other)[kBootSectorsPerCluster])) return false;
    std::swap(primary, other);
  } else {
    other = readBackup ? ReadBootAt(ctx, volumeStart) : ReadBackupBoot(ctx);
    if (other && !IsValidSectorsPerCluster((*other)[kBootSectorsPerCluster])) other.reset();
  }
  const BootSector& boot = *primary;

  uint32_t mftStart = StructureStart(ctx, volumeStart, boot, kBootMftCluster);
  if (mftStart == 0 && other) mftStart = StructureStart(ctx, volumeStart, *other, kBootMftCluster);
  uint32_t mirrorStart = StructureStart(ctx, volumeStart, boot, kBootMirrorCluster);
  if (mirrorStart == 0 && other) mirrorStart = StructureStart(ctx, volumeStart, *other, kBootMirrorCluster);
  if (mftStart == 0 && mirrorStart == 0) return false;
  if (volumeStart >= (uint64_t{1} << 32)) return false;

  VolumeParameters& volume = ctx.ActiveVolume;
  volume.SectorsPerCluster = boot[kBootSectorsPerCluster];
  volume.ClusterBase = static_cast<uint32_t>(volumeStart);
  volume.MftStart = mftStart;
  volume.MftMirrorStart = mirrorStart;
  volume.SectorsPerMftRecord = ntfs::kSectorsPerMftRecord;
  volume.SectorsPerIndexRecord = SectorsPerIndexRecord(boot);
  return true;
}

}  // namespace engine
