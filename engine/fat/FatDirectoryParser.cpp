#include "FatDirectoryParser.h"

#include "FatDirectoryEntry.h"
#include "LeBytes.h"

namespace engine {

FatDirectoryListing ParseFatDirectory(std::span<const uint8_t> directory, bool fat32, size_t firstEntry,
                                      bool everythingDeleted) {
  FatDirectoryListing listing;
  const size_t entryCount = directory.size() / kDirEntrySize;
  for (size_t index = firstEntry; index < entryCount; ++index) {
    const size_t offset = index * kDirEntrySize;
    const std::optional<FatShortEntry> entry = DecodeShortEntry(directory, offset, fat32);
    if (!entry) break;
    if (entry->FirstByte == 0) {
      listing.ReachedEnd = true;
      break;
    }
    if (entry->Attributes == kAttrLongName) continue;
    // No first cluster: the volume label, the ".." of a first-level folder, or an
    // empty file; only the empty file is something the user may want back.
    const bool emptyFile = entry->Size == 0 && (entry->Attributes & (kAttrDirectory | kAttrVolumeLabel)) == 0;
    if (entry->FirstCluster == 0 && !emptyFile) continue;

    FatDirectoryItem item;
    item.Name = entry->ShortName;
    if (std::optional<std::u16string> longName = AssembleLongFileName(directory, offset)) {
      item.Name = std::move(*longName);
    }
    // A name with characters Windows refuses is still a file the user may want back:
    // it is listed as stored, and saving gives it a name the target accepts.
    if (item.Name.empty()) continue;
    item.FirstCluster = entry->FirstCluster;
    item.WriteDate = entry->WriteDate;
    item.AccessDate = entry->AccessDate;
    item.Times = entry->Times;
    item.Size = entry->Size;
    item.IsFolder = (entry->Attributes & kAttrDirectory) != 0;
    item.Deleted = everythingDeleted || entry->Deleted;
    item.EntryOffset = static_cast<uint32_t>(offset);
    listing.Items.push_back(std::move(item));
  }
  return listing;
}

bool IsDirectoryStart(std::span<const uint8_t> directory) {
  if (directory.size() < 2 * kDirEntrySize) return false;
  return BytesAre(directory, 0, ". ") && BytesAre(directory, kDirEntrySize, "..");
}

}  // namespace engine
