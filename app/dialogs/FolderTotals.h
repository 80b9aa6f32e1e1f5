// The counts of the File/Folder Properties dialog: files, bytes and folders below a
// folder of the results tree. The tree walk belongs to the tree window; what one
// folder item holds is read from the engine's result lists here.
#pragma once

#include <cstdint>
#include <string>

#include "EngineContext.h"

namespace dialogs {

struct SelectionTotals {
  uint64_t FileCount = 0;
  uint64_t ByteCount = 0;
  uint64_t FolderCount = 0;
  uint64_t SelectedBytes = 0;
};

// One folder item: counts the folder and the files directly in it. The folder
// record is found by its tree item; an item without one (the root) stands for the
// root folder (FAT cluster 0, NTFS record 5). NTFS files of an Extensive Scan count
// only when their record lies inside the active volume.
void CountTreeItem(engine::EngineContext& ctx, engine::TreeItem item, SelectionTotals& totals);

// "n File(s) and m Folder(s)", the folder itself not counted among the folders.
std::u16string ContainsText(const SelectionTotals& totals);
// Whole megabytes, or "Less than 1", then " MB".
std::u16string FolderSizeText(uint64_t bytes);

}  // namespace dialogs
