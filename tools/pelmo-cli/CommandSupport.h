#pragma once
// What the commands share: file-system names, the chosen range, and the hand-over
// of a finished scan's results to the listing and the saving.

#include <cstdint>

#include "Commands.h"
#include "EngineContext.h"
#include "ImageSession.h"

namespace cli {

const char* FileSystemName(uint16_t code);

// The given range, or from its start to the end of the image.
void ChooseRangeOrWhole(ImageSession& session, uint16_t code, const RangeChoice& range);

// Lists and saves what the scan left in the result store; returns the exit code.
int Deliver(engine::EngineContext& ctx, const OutputChoice& output);

}  // namespace cli
