#pragma once
// Copy-out of FAT files along their cluster chains, and of FAT folders with
// everything below them.

#include <cstdint>
#include <string>

#include "EngineContext.h"
#include "SaveSession.h"
#include "results/ResultStore.h"

namespace engine {

struct FatFileSaveRequest {
  std::u16string TargetFolder;
  uint32_t FileIndex = 0;     // not used for copying
  bool VisibleSave = true;    // false for a preview copy: no filters, policies or report
  uint32_t FirstCluster = 0;
  uint32_t Size = 0;
  std::u16string Name;        // as found on the disk; made safe here
  uint32_t Deleted = 0;
  uint16_t WriteDate = 0;     // the file's time stamps
  uint16_t AccessDate = 0;
  FatEntryTimes Times;
};

// A visible save of a listed file into `folder`.
FatFileSaveRequest FatSaveRequestFor(const FatFileEntry& file, const std::u16string& folder);

// 1 when the file was written whole (an empty file too), 0 when it was skipped,
// could not be created or written, or Stop or Skip cut it short. The clusters are
// those of the chain in FAT 1, else FAT 2, else the consecutive clusters from the
// first (a deleted file's chain is gone); sectors that cannot be read and clusters
// beyond the volume are written as zeros.
int SaveFatFile(EngineContext& ctx, SaveSession& session, const FatFileSaveRequest& request);

// Saves the files of the folder whose first cluster is `firstCluster` into `path`;
// returns the number written.
uint64_t SaveFatFolderFiles(EngineContext& ctx, SaveSession& session, uint32_t firstCluster, const std::u16string& path);

// Re-creates the folder under `parentPath` with every folder and file below it
// (taken from the FAT lists), walking with an explicit stack and a visited set.
// Returns the number of files written.
uint64_t SaveFatFolder(EngineContext& ctx, SaveSession& session, uint32_t firstCluster, const std::u16string& parentPath,
                   const std::u16string& folderName);

}  // namespace engine
