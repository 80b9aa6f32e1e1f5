#pragma once
// What the commands share: file-system names, the chosen range, and the hand-over
// of a finished scan's results to the listing and the saving.

#include <cstdint>
#include <string>

#include "Commands.h"
#include "EngineContext.h"
#include "ImageSession.h"

namespace cli {

const char* FileSystemName(uint16_t code);

// The given range, or from its start to the end of the image.
void ChooseRangeOrWhole(ImageSession& session, uint16_t code, const RangeChoice& range);

// Lists and saves what the scan left in the result store; returns the exit code:
// 0, or 1 when a file was damaged, cut short or failed, or a sector could not be
// read; 2 when the target lies on a mount of the image itself.
int Deliver(ImageSession& session, const OutputChoice& output);

// Where sysfs is: $PELMO_CLI_SYSFS (for tests), else /sys.
std::string SysfsRoot();
// The mount table: $PELMO_CLI_MOUNTINFO (for tests), else /proc/self/mountinfo.
std::string MountInfoPath();

}  // namespace cli
