#pragma once
// A volume formatted again over its old contents, served as drive D: for an
// Extensive Scan, with the old geometry fsstat recorded before the format.

#include <cstdint>
#include <string>

#include "EngineContext.h"
#include "listing/FileFilters.h"
#include "posix/ImageFileSource.h"

namespace extensivetest {

// The old volume's cluster size in sectors and the sector of its cluster 0
// (0 for NTFS, whose clusters count from the volume start); zeros when fsstat's
// text lacks them.
struct OldGeometry {
  uint32_t SectorsPerCluster = 0;
  uint64_t ClusterBase = 0;
};

OldGeometry ReadOldGeometry(const std::string& fsstatPath, bool fat);

// Maps the image to "\\.\D:", opens it as the chosen logical drive and selects
// its whole range with the given file-system code, in Extensive Scan mode.
void ServeReformattedImage(engine::EngineContext& ctx, platform::ImageDeviceOpener& opener,
                           const std::string& imagePath, uint16_t fileSystemCode);

// Runs the Extensive Scan, then does what the file-system page does for the found
// volume with the old geometry: makes it the active volume and builds its tree.
// False when no found volume has that geometry.
bool ScanAndBuildOldVolume(engine::EngineContext& ctx, const OldGeometry& old, const engine::FileFilterTable& filters);

}  // namespace extensivetest
