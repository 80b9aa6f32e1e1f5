#include "snapshot/SnapshotSource.h"

#include <array>
#include <exception>
#include <vector>

#include "SectorReader.h"
#include "extensive/RawFatScan.h"
#include "fat/FatBootSector.h"
#include "ntfs/MftRunMap.h"

namespace engine::snapshot {
namespace {

using Sector = std::array<uint8_t, kSectorSize>;

bool ReadOneSector(EngineContext& ctx, uint64_t sector, Sector& buffer) {
  buffer.fill(0);
  return ReadSectors(ctx, sector, 1, buffer);
}

bool FatSourceMatches(EngineContext& ctx) {
  const VolumeParameters& volume = ctx.ActiveVolume;
  if (volume.ReservedSectors > volume.Fat1Start) return false;
  const uint64_t volumeStart = volume.Fat1Start - volume.ReservedSectors;
  const bool fat32 = volume.FileSystemCode == kFileSystemFat32;
  Sector sector;
  if (ReadOneSector(ctx, volumeStart, sector)) {
    if (const auto boot = ParseFatBootSector(sector, fat32)) {
      const uint32_t rootDirSectors = fat32 ? 0 : (boot->RootEntries >> 4) & 0xFFF;
      return boot->SectorsPerCluster == volume.SectorsPerCluster &&
             boot->ReservedSectors == volume.ReservedSectors && boot->SectorsPerFat == volume.SectorsPerFat &&
             rootDirSectors == volume.RootDirSectors;
    }
  }
  // A volume rebuilt without its boot sector: its second FAT must be where the
  // snapshot says, beginning with the media byte 0xF8 as detection requires.
  return volume.Fat2Start != 0 && ReadOneSector(ctx, volume.Fat2Start, sector) && sector[0] == 0xF8 &&
         sector[1] == 0xFF;
}

// Folders whose start is looked for before the volume is taken as gone; a few
// directories overwritten since the scan do not make it another volume.
constexpr std::size_t kMaxFolderStartsChecked = 64;

// A found volume is one whose directories start where their clusters lie (the
// analysis found it that way); its boot sector may be a later format's.
bool FoundFatVolumeMatches(EngineContext& ctx, const std::vector<FatFolderEntry>& folders) {
  const VolumeParameters& volume = ctx.ActiveVolume;
  std::size_t checked = 0;
  for (const FatFolderEntry& folder : folders) {
    if (folder.FirstCluster < 2 || folder.FirstCluster == kLostDirKey) continue;
    if (++checked > kMaxFolderStartsChecked) break;
    const uint64_t sector = volume.ClusterBase + uint64_t{volume.SectorsPerCluster} * folder.FirstCluster;
    if (sector > UINT32_MAX) continue;
    Sector bytes;
    if (!ReadOneSector(ctx, sector, bytes)) continue;
    const auto start = ReadDirectoryStart(bytes, static_cast<uint32_t>(sector));
    if (start && start->OwnCluster == folder.FirstCluster) return true;
  }
  return false;
}

bool NtfsSourceMatches(EngineContext& ctx) {
  const VolumeParameters& volume = ctx.ActiveVolume;
  if (volume.SectorsPerCluster == 0 || volume.MftStart == 0) return false;
  // Record 0 must be where the snapshot says, also when it is damaged and the map
  // comes from its copy in $MFTMirr.
  ntfs::RecordBuffer record{};
  const ntfs::RecordRead read = ntfs::ReadMftRecord(ctx, volume.MftStart, record);
  if (read == ntfs::RecordRead::NotFileRecord) return false;
  if (ntfs::Usable(read) && ntfs::OwnRecordNumber(record).value_or(0) != 0) return false;
  try {
    return ntfs::BuildMftRunMap(ctx, volume).RunCount() != 0;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace

void ReopenSnapshotVolume(EngineContext& ctx, uint16_t entryIndex) {
  if (ctx.SourceDevice.SourceKind != kSourceLogicalDrive) return;
  ctx.SourceSelection.EntryIndex = entryIndex;
  ctx.SourceDevice.VolumeHandle.reset();
  if (entryIndex >= ctx.LogicalDriveCount || entryIndex >= ctx.LogicalDriveTable.size()) return;
  const std::u16string& root = ctx.LogicalDriveTable[entryIndex].RootPath;
  if (root.empty()) return;
  OpenLogicalVolume(ctx, root[0]);
}

bool SourceMatchesActiveVolume(EngineContext& ctx, const SnapshotContents& contents) {
  const uint16_t code = ctx.ActiveVolume.FileSystemCode;
  if (IsFatCode(code)) {
    if (contents.Header.Marker == kMarkerExtensiveScan && FoundFatVolumeMatches(ctx, contents.FatFolders)) return true;
    return FatSourceMatches(ctx);
  }
  if (code == kFileSystemNtfs) return NtfsSourceMatches(ctx);
  return true;
}

SnapshotSourceSwitch::SnapshotSourceSwitch(EngineContext& ctx, const SnapshotHeader& header,
                                           const SnapshotTrailer& trailer)
    : ctx_(ctx),
      selection_(ctx.SourceSelection),
      volume_(ctx.ActiveVolume),
      volumeNumber_(ctx.ActiveVolumeNumber),
      driveNumber_(ctx.SourceDevice.DriveNumber),
      sourceKind_(ctx.SourceDevice.SourceKind) {
  ctx.SourceSelection = header.Selection;
  const uint32_t rootDirStart = ctx.ActiveVolume.RootDirStart;  // not stored: left as it was
  ctx.ActiveVolume = header.Volume;
  ctx.ActiveVolume.RootDirStart = rootDirStart;
  ctx.ActiveVolumeNumber = header.VolumeNumber;
  ctx.SourceDevice.DriveNumber = trailer.DriveNumber;
  ctx.SourceDevice.SourceKind = trailer.SourceKind;
  diskHandle_ = std::move(ctx.SourceDevice.DiskHandle);
  OpenPhysicalDrive(ctx);
  if (trailer.SourceKind == kSourceLogicalDrive) {
    volumeHandle_ = std::move(ctx.SourceDevice.VolumeHandle);
    volumeReplaced_ = true;
    ReopenSnapshotVolume(ctx, header.Selection.EntryIndex);
  }
}

SnapshotSourceSwitch::~SnapshotSourceSwitch() {
  if (kept_) return;
  ctx_.SourceSelection = selection_;
  ctx_.ActiveVolume = volume_;
  ctx_.ActiveVolumeNumber = volumeNumber_;
  ctx_.SourceDevice.DriveNumber = driveNumber_;
  ctx_.SourceDevice.SourceKind = sourceKind_;
  ctx_.SourceDevice.DiskHandle = std::move(diskHandle_);
  if (volumeReplaced_) ctx_.SourceDevice.VolumeHandle = std::move(volumeHandle_);
}

}  // namespace engine::snapshot
