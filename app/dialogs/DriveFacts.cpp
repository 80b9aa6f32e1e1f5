#include "DriveFacts.h"

#include "listing/ResultRows.h"

namespace dialogs {

namespace {

std::u16string Unsigned(int64_t value) { return engine::DecimalText(static_cast<uint32_t>(value)); }

}  // namespace

DriveFacts ReadDriveFacts(engine::EngineContext& ctx) {
  const engine::VolumeParameters& volume = ctx.ActiveVolume;
  engine::ResultStore& store = ctx.Results;
  const bool ntfs = volume.FileSystemCode == engine::kFileSystemNtfs;
  DriveFacts facts;
  switch (volume.FileSystemCode) {
    case engine::kFileSystemNtfs: facts.FileSystem = u"NTFS"; break;
    case engine::kFileSystemFat32: facts.FileSystem = u"FAT32"; break;
    case engine::kFileSystemFat16: facts.FileSystem = u"FAT16"; break;
    default: break;
  }
  facts.StartSector = engine::DecimalText(volume.ClusterBase);
  if (ctx.RecoveryMode == engine::kModeFileTrace) {
    store.FileCount = store.FolderCount;  // the hit count
    facts.Directories = u"0";
    facts.Files = Unsigned(store.FileCount);
  } else if (ctx.RecoveryMode == engine::kModeExtensiveScan && ntfs) {
    facts.Directories = Unsigned(store.FolderCount);
    facts.Files = Unsigned(store.NtfsFileCount);
  } else {
    facts.Directories = Unsigned(store.FolderCount);
    facts.Files = Unsigned(store.FileCount);
  }
  facts.SectorsPerCluster = engine::DecimalText(volume.SectorsPerCluster);
  facts.FirstFat = ntfs ? u"N/A" : engine::DecimalText(volume.Fat1Start);
  facts.SecondFat = ntfs ? u"N/A" : engine::DecimalText(volume.Fat2Start);
  facts.MftStart = ntfs ? engine::DecimalText(volume.MftStart) : u"N/A";
  return facts;
}

}  // namespace dialogs
