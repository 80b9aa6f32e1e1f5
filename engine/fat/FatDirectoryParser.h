#pragma once
// Turns the bytes of one whole FAT directory into its files and folders, deleted
// entries included. Reads no disk: the caller hands over the directory's bytes
// (all its clusters in chain order, so that long names crossing a sector or
// cluster boundary come out whole).

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "fat/FatEntryTimes.h"

namespace engine {

struct FatDirectoryItem {
  std::u16string Name;       // the long name when usable, else the 8.3 name
  uint32_t FirstCluster = 0;
  uint16_t WriteDate = 0;
  uint16_t AccessDate = 0;
  FatEntryTimes Times;       // the other time fields, for the saved file
  uint32_t Size = 0;
  bool IsFolder = false;
  bool Deleted = false;
  uint32_t EntryOffset = 0;  // byte offset of the short entry in the directory
};

struct FatDirectoryListing {
  std::vector<FatDirectoryItem> Items;
  bool ReachedEnd = false;  // an entry beginning with 0 ended the directory
};

// Parses from entry `firstEntry` (2 skips "." and ".." of a subdirectory). With
// `everythingDeleted` (the directory itself was deleted) every item counts as
// deleted. Entries with first cluster 0 (volume labels, ".." of a first-level
// folder) other than empty files, and long-name entries are passed over. Names are
// kept as stored, also with characters that Windows refuses in file names.
FatDirectoryListing ParseFatDirectory(std::span<const uint8_t> directory, bool fat32, size_t firstEntry,
                                      bool everythingDeleted);

// True when the bytes begin with a "." entry followed by a ".." entry (". " at 0,
// ".." at 32), as every subdirectory does.
bool IsDirectoryStart(std::span<const uint8_t> directory);

}  // namespace engine
