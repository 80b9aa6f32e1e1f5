#include "Commands.h"

#include <cstdio>
#include <stdexcept>

#include "CommandSupport.h"
#include "ImageSession.h"
#include "PosixOutputFileSystem.h"
#include "ResultSaving.h"
#include "VolumeTree.h"
#include "extensive/ExtensiveScan.h"
#include "extensive/FileSystemScan.h"
#include "partitions/LostPartitionSearch.h"
#include "partitions/PartitionTable.h"
#include "scans/QuickScan.h"

namespace cli {

int RunQuickScan(const ImageChoice& image, const OutputChoice& output) {
  ImageSession session(image.Path, ImageRole::LogicalDrive, image.BadSectors);
  engine::EngineContext& ctx = session.Context();
  ctx.RecoveryMode = engine::kModeQuickScan;
  if (engine::QuickScanThreadProc(ctx, engine::FileFilterTable{}) != 1) {
    const uint16_t code = ctx.SourceSelection.FileSystemCode;
    std::fprintf(stderr, "quick scan found no %s volume\n",
                 code == engine::kFileSystemUnknown ? "FAT16, FAT32 or NTFS" : FileSystemName(code));
    return 1;
  }
  return Deliver(session, output);
}

int RunExtensiveScan(const ImageChoice& image, uint16_t fileSystemCode, const RangeChoice& range,
                     std::optional<int> volume, const OutputChoice& output) {
  ImageSession session(image.Path, ImageRole::LogicalDrive, image.BadSectors);
  engine::EngineContext& ctx = session.Context();
  ctx.RecoveryMode = engine::kModeExtensiveScan;
  ChooseRangeOrWhole(session, fileSystemCode, range);
  engine::PrepareExtensiveScan(ctx);
  engine::ExtensiveScanThreadProc(ctx);
  const auto& found = ctx.Results.FoundVolumes;
  for (std::size_t i = 0; i < found.size(); ++i) {
    const engine::FoundVolume& v = found[i];
    std::fprintf(stderr, "volume %zu: %s, cluster base %u, %u sectors per cluster, end sector %u\n", i + 1,
                 FileSystemName(v.FileSystemCode), v.ClusterBase, v.SectorsPerCluster, v.EndSector);
  }
  if (found.empty()) {
    std::fprintf(stderr, "extensive scan found no volume\n");
    return 1;
  }
  const int chosen = volume.value_or(1);
  if (chosen < 1 || static_cast<std::size_t>(chosen) > found.size()) {
    std::fprintf(stderr, "there is no volume %d\n", chosen);
    return 2;
  }
  ctx.ActiveVolume = found[static_cast<std::size_t>(chosen - 1)];
  ctx.ActiveVolumeNumber = static_cast<uint16_t>(chosen);
  ctx.ScanControl.StopOrDone = 0;
  ctx.ScanControl.Running = 1;
  engine::FileSystemScanThreadProc(ctx, engine::FileFilterTable{});
  return Deliver(session, output);
}

int RunPartitionSearch(const ImageChoice& image) {
  ImageSession session(image.Path, ImageRole::PhysicalDisk, image.BadSectors);
  engine::EngineContext& ctx = session.Context();
  if (!engine::ReadPartitionTable(ctx, 0)) {
    std::fprintf(stderr, "cannot read the partition table\n");
    return 1;
  }
  engine::SearchLostPartitions(ctx);
  if (ctx.PartitionCount == 0) {
    std::fprintf(stderr, "no partitions found\n");
    return 1;
  }
  for (int i = 0; i < ctx.PartitionCount; ++i) {
    const engine::PartitionEntry& entry = ctx.PartitionTable[static_cast<std::size_t>(i)];
    std::printf("%s\t%u\t%u\n", FileSystemName(entry.FileSystemCode), entry.StartSector, entry.SectorCount);
  }
  return 0;
}

}  // namespace cli
