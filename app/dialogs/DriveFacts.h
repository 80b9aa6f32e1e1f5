// The values of the Drive Information dialog, from the volume in work and the
// counters of the last scan or loaded snapshot.
#pragma once

#include <string>

#include "EngineContext.h"

namespace dialogs {

struct DriveFacts {
  std::u16string FileSystem;  // "NTFS", "FAT32", "FAT16" or empty
  std::u16string StartSector;
  std::u16string Directories;
  std::u16string Files;
  std::u16string SectorsPerCluster;
  std::u16string FirstFat;    // "N/A" on NTFS
  std::u16string SecondFat;   // "N/A" on NTFS
  std::u16string MftStart;    // "N/A" but on NTFS
};

// In File Trace mode the file counter takes the hit count first, as the dialog
// has always done; nothing else is changed.
DriveFacts ReadDriveFacts(engine::EngineContext& ctx);

}  // namespace dialogs
