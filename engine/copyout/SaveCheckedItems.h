#pragma once
// The save driver of the results page: saves the ticked folders and files into
// SaveControl.TargetFolder, and asks for that folder.

#include <cstdint>
#include <string>
#include <vector>

#include "EngineContext.h"
#include "SaveSession.h"
#include "listing/FileFilters.h"

namespace engine {

inline constexpr char16_t kSaveFolderTitle[] = u"Please select the path to save the data";
inline constexpr char16_t kTargetOnSourceQuestion[] =
    u"The selected folder is on the drive the data is recovered from.\r\n"
    u"Saving there can overwrite the files that are being recovered.\r\n"
    u"Do you want to save there anyway ?";

// What the results page has ticked (its check maps are user-interface state).
struct SaveSelection {
  std::vector<TreeItem> TickedFolders;    // results-tree items
  std::vector<uint32_t> TickedFileIds;    // ID column values
  TreeItem ResultTreeRoot = 0;            // unticked when done
  FileFilterTable Filters;
};

// Asks the user for the target folder and stores it (without a trailing '\',
// except at a drive root) in SaveControl.TargetFolder; empty when cancelled.
void BrowseForSaveFolder(EngineContext& ctx);

// True when `folder` lies on the source: on the logical drive being recovered
// (by its letter, or by where the two volumes lie on the disks, which also finds
// a folder mounted from it) or on a volume of the physical disk being recovered.
bool TargetIsOnSourceVolume(const EngineContext& ctx, const std::u16string& folder);

// Asks the question above when the folder lies on the source volume; true when
// saving may go on (off the source volume, or the user said Yes).
bool ConfirmSaveTarget(EngineContext& ctx, const std::u16string& folder);

// Saves what is ticked: File Trace hits by running number; otherwise the ticked
// folders with everything below them, then the ticked files straight into the
// target folder, by the copy-out of the volume's file system. Nothing when the
// target lies on the source volume and the user does not confirm it. Then unticks
// the results tree and the list. SaveControl.FilesProcessed counts the files.
// Gives what became of every file and how many sectors could not be read, for
// the end of the save (SaveEndText).
SaveTally SaveCheckedItems(EngineContext& ctx, const SaveSelection& selection);

}  // namespace engine
