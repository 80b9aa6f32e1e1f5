#pragma once
// The folder tree of a FAT volume the Extensive Scan found, in five steps: the
// volume's directory starts become folders ("Dir" + cluster), folders whose
// parent was not found hang under "Lost Dir", the FAT copies are searched when
// their place is unknown, every directory is parsed for its files and its
// folders' names, and the results tree is built.

#include <cstdint>
#include <optional>

#include "EngineContext.h"

namespace engine {

inline constexpr char16_t kFatStep1Text[] = u"Extracting entries for the selected file system ( Step 1/5 )...";
inline constexpr char16_t kFatStep2Text[] = u"Searching for orphan entries ( Step 2/5 )...";
inline constexpr char16_t kFatStep3Text[] = u"Searching for lost FAT fragments ( Step 1/5 )...";
inline constexpr char16_t kFatStep4Text[] = u"Step 4 / 5...";
inline constexpr char16_t kFatStep5Text[] = u"Please wait creating tree ( Step 5/5 )...";
inline constexpr char16_t kLostDirName[] = u"Lost Dir";
inline constexpr uint32_t kLostDirKey = 0xFFFFFFFE;

void BuildFoundFatTree(EngineContext& ctx);
void AddLostFatParents(EngineContext& ctx);

// The sector where the search for the FAT copies starts (FAT16 550 sectors, FAT32
// 30,000 before the cluster base, never below 63); nothing when that is not
// below the cluster base.
std::optional<uint64_t> FatCopySearchStart(uint16_t fileSystemCode, uint32_t clusterBase);
// Sets ActiveVolume's Fat1Start (and Fat2Start, SectorsPerFat, the FAT16 root)
// from the sectors that begin with F8 FF FF before the cluster base.
void FindFatCopies(EngineContext& ctx);
void ParseFoundFatDirectories(EngineContext& ctx);

}  // namespace engine
