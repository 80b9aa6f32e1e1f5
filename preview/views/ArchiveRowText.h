// The texts of an archive member's row: its attributes as four letters and its
// times in the user's local time.
#pragma once

#include "Framework.h"

#include <cstdint>

// "r", "a", "h", "s" for read-only, archive, hidden and system, "-" for each bit clear.
CString ArchiveAttributeText(uint32_t attributes);
// A FILETIME (UTC) as local time with "%d %b %Y, %X"; empty for 0.
CString ArchiveTimeText(uint64_t utcFileTime);
// An MS-DOS date and time, a wall-clock time of the machine that stored it.
CString ArchiveDosTimeText(uint32_t dosDateTime);
