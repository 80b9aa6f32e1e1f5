#pragma once
// Before the NTFS volumes are rebuilt: the folders found by the raw scan learn
// their own record numbers from the index blocks that list them (or, failing
// that, from their distance to the folder before them in the MFT), and only the
// first index block of each directory is kept.

#include "EngineContext.h"

namespace engine {

inline constexpr char16_t kIndxStep1Text[] = u"Searching  MFTs,Index Allocation signatures ( Step 1/2 ) - ";
inline constexpr char16_t kIndxStep2Text[] = u"Searching  MFTs,Index Allocation signatures ( Step 2/2 )...";
inline constexpr char16_t kDeletingIndexEntriesText[] = u"Deleting unused index entries...";

// Gives each NtfsFolderNode whose own id is 0 the file reference of the first
// directory entry (in any index block) with its parent, creation time and name;
// then numbers the rest by their record sectors (two sectors per record).
void ScanIndxRecords(EngineContext& ctx);

// Drops every index block whose VCN is not 0.
void DeleteUnusedIndexEntries(EngineContext& ctx);

}  // namespace engine
