#pragma once
// Finds the geometry of the chosen range's file system for Quick Scan and File
// Trace: from the boot sector, or for FAT from the directory clusters when the
// boot sector is unusable.

#include <cstdint>

#include "EngineContext.h"

namespace engine {

// The first sector of the chosen volume: 0 for a logical drive (whose sector 0 is
// its boot sector), else SourceSelection.StartSector.
uint64_t ChosenVolumeStart(const EngineContext& ctx);

// 1 when the geometry of SourceSelection.FileSystemCode was read from its boot
// sector into ActiveVolume; 0 otherwise, also for a code other than FAT16, FAT32
// and NTFS. FAT32 falls back to the backup boot sector 6 sectors on when the
// primary cannot be read or is damaged (no data area, root cluster outside it);
// a FAT is accepted only when its second copy begins with 0xF8.
int DetectFileSystem(EngineContext& ctx);

}  // namespace engine
