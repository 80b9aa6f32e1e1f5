#pragma once
// Decides which NTFS folders belong to which volume. A volume is confirmed when
// a folder's first index cluster, counted from the volume's start, lands on an
// INDX block. Volumes come from NTFS boot sectors first, then from pairs of
// folders whose first index blocks fix the cluster size and the volume start.
// Each found volume is a line "File System NTFS-" with its start sector under
// "File System" in the file-system page's tree.

#include <cstdint>

#include "EngineContext.h"

namespace engine {

inline constexpr char16_t kNtfsVolumePrefix[] = u"File System NTFS-";
inline constexpr char16_t kClaimStep1Text[] = u"Data Recovery Analyzing ( Step 1/2 ) - ";
inline constexpr char16_t kClaimStep2Text[] = u"Data Recovery Analyzing ( Step 2/2 ) - ";

// Gives the next volume number to every unclaimed folder whose record lies in
// (volumeStart, upperBound] and whose index cluster, at volumeStart + S x cluster,
// is an INDX block. True when it claimed any. Ends early on Stop.
bool ClaimNtfsFolders(EngineContext& ctx, uint32_t sectorsPerCluster, uint64_t volumeStart, uint64_t upperBound,
                      int step);

// Volumes from the boot-sector candidates; sets ScanControl.AnalysisPart1Done.
// Returns the tree's root item "File System", under which the volumes are listed.
TreeItem AnalyzeNtfsVolumes(EngineContext& ctx);

// Volumes from pairs of unclaimed folders; every folder it leaves without a volume
// gets 0xFFFF. Sets ScanControl.AnalysisPart2Done, also when stopped.
void FinishNtfsCandidates(EngineContext& ctx, TreeItem root);

}  // namespace engine
