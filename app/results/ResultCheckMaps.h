// What the user ticked in the results tree and list, kept in step between the two:
// the tree items of ticked folders, the IDs of ticked files, and, rebuilt before
// each save, the top-most ticked folders and the ticked files outside them.
#pragma once

#include <cstdint>
#include <unordered_set>
#include <vector>

#include "Framework.h"

struct ResultCheckMaps {
  std::unordered_set<HTREEITEM> CheckedFolderItems;  // folders ticked whole
  std::unordered_set<uint32_t> CheckedFileIds;       // files shown ticked
  std::unordered_set<HTREEITEM> CheckedTreeItems;    // items whose own box is ticked
  std::vector<HTREEITEM> SaveFolderItems;            // top-most ticked folders of the next save
  std::vector<uint32_t> ListCheckedFileIds;          // files of the next save outside those folders

  void Clear() {
    CheckedFolderItems.clear();
    CheckedFileIds.clear();
    CheckedTreeItems.clear();
    SaveFolderItems.clear();
    ListCheckedFileIds.clear();
  }
  bool NothingToSave() const { return SaveFolderItems.empty() && ListCheckedFileIds.empty(); }
};
