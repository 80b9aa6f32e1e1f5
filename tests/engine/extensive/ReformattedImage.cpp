#include "ReformattedImage.h"

#include <sys/stat.h>

#include <fstream>
#include <iterator>
#include <regex>

#include "extensive/ExtensiveScan.h"
#include "extensive/FileSystemScan.h"

namespace extensivetest {

OldGeometry ReadOldGeometry(const std::string& fsstatPath, bool fat) {
  std::ifstream in(fsstatPath);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::smatch match;
  OldGeometry old;
  if (std::regex_search(text, match, std::regex("Cluster Size: (\\d+)"))) {
    old.SectorsPerCluster = static_cast<uint32_t>(std::stoul(match[1]) / 512);
  }
  // FAT: "Cluster Area: first - last" starts at cluster 2.
  if (fat && std::regex_search(text, match, std::regex("Cluster Area: (\\d+)"))) {
    old.ClusterBase = std::stoull(match[1]) - 2ULL * old.SectorsPerCluster;
  }
  return old;
}

void ServeReformattedImage(engine::EngineContext& ctx, platform::ImageDeviceOpener& opener,
                           const std::string& imagePath, uint16_t fileSystemCode) {
  opener.Map(u"\\\\.\\D:", imagePath);
  engine::ApplyDefaultRecoverySettings(ctx.RecoverySettings);
  ctx.RecoveryMode = engine::kModeExtensiveScan;
  ctx.SourceDevice.SourceKind = engine::kSourceLogicalDrive;
  ctx.SourceDevice.VolumeHandle = opener.OpenForReading(u"\\\\.\\D:", engine::DeviceShare::ReadWrite);
  struct stat info {};
  stat(imagePath.c_str(), &info);
  ctx.SourceSelection.FileSystemCode = fileSystemCode;
  ctx.SourceSelection.SectorCount = static_cast<uint32_t>(info.st_size / 512);
  ctx.SourceSelection.EndSector = ctx.SourceSelection.SectorCount - 1;
}

bool ScanAndBuildOldVolume(engine::EngineContext& ctx, const OldGeometry& old, const engine::FileFilterTable& filters) {
  engine::PrepareExtensiveScan(ctx);
  engine::ExtensiveScanThreadProc(ctx);
  for (size_t i = 0; i < ctx.Results.FoundVolumes.size(); ++i) {
    const engine::FoundVolume& volume = ctx.Results.FoundVolumes[i];
    if (volume.ClusterBase == old.ClusterBase && volume.SectorsPerCluster == old.SectorsPerCluster) {
      ctx.ActiveVolume = volume;
      ctx.ActiveVolumeNumber = static_cast<uint16_t>(i + 1);
      engine::FileSystemScanThreadProc(ctx, filters);
      return true;
    }
  }
  return false;
}

}  // namespace extensivetest
