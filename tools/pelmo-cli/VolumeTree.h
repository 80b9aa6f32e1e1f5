#pragma once
// The folder tree of a scan result, whatever list it lives in: FAT lists, the
// NTFS tree lists of Quick Scan, the tree folders with the raw-scan files of an
// Extensive Scan, or the File Trace hits grouped by type. Listing and saving of
// the driver walk it the same way.

#include <cstdint>
#include <string>
#include <vector>

#include "EngineContext.h"

namespace cli {

struct ListedItem {
  bool IsFolder = false;
  bool Deleted = false;
  uint64_t Size = 0;
  std::string Path;  // from the volume root, '/'-separated
};

// Every folder and file below the root, each folder before what it holds; a
// folder reached twice (a damaged volume can loop) is listed once.
std::vector<ListedItem> ListResults(engine::EngineContext& ctx);

// One line per item: "F|D <TAB> live|deleted <TAB> SIZE <TAB> PATH".
std::string FormatListedItem(const ListedItem& item);

}  // namespace cli
