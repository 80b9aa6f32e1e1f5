#pragma once
// Saves everything a scan found (or only its deleted files) into a host folder,
// through the engine's own copy-out for the file system at hand.

#include <cstdint>
#include <string>

#include "EngineContext.h"

namespace cli {

// Returns the number of files the copy-out reported as written (NTFS copy-out
// does not count; there it is the number of files it was given).
uint64_t SaveAllResults(engine::EngineContext& ctx, const std::string& targetFolder, bool deletedOnly);

}  // namespace cli
