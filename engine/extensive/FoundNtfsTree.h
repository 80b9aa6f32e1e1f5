#pragma once
// The folder tree of an NTFS volume the Extensive Scan found: its folders (one
// per record number), "Lost Dir" with a "Dir" + number folder for each parent
// that was not found, then the results tree.

#include <cstdint>

#include "EngineContext.h"

namespace engine {

inline constexpr char16_t kNtfsExtractingText[] = u"Extracting entries for the file system...";
inline constexpr char16_t kNtfsLostDataText[] = u"Searching For Lost Data";
inline constexpr char16_t kNtfsCreatingTreeText[] = u"Please wait creating tree";

void BuildFoundNtfsTree(EngineContext& ctx);

// Adds "Lost Dir" and the missing parents of the tree folders; `counter` numbers
// the "Dir" folders and is advanced past the ones added.
void AddLostNtfsParents(EngineContext& ctx, uint32_t& counter);

}  // namespace engine
