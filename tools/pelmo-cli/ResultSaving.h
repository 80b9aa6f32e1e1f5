#pragma once
// Saves everything a scan found (or only its deleted files) into a host folder,
// through the engine's own copy-out for the file system at hand.

#include <string>

#include "EngineContext.h"
#include "copyout/SaveSession.h"

namespace cli {

// What the copy-out did with every file, and the sectors it could not read.
engine::SaveTally SaveAllResults(engine::EngineContext& ctx, const std::string& targetFolder, bool deletedOnly);

}  // namespace cli
