#pragma once
// The Quick Scan worker: detects the chosen range's file system (or rebuilds a FAT
// geometry), walks it into the result lists and hands the results to the results
// page. Runs on the scan page's worker thread; reports only through the host.

#include "EngineContext.h"
#include "listing/FileFilters.h"

namespace engine {

inline constexpr char16_t kParametersNotFoundText[] =
    u"Pelmo for VHD was unable to find the proper partition parameters.\r\n"
    u"  Return to the first step and choose Extensive Scan for recovery.";

// 1 when a scan ran, 0 otherwise. Whenever it gives up early (volume not openable,
// Stop) it ends with ScanControl.Running 0 and ScanControl.StopOrDone 1 so the page
// does not wait for it; when no parameters were found it shows the message above,
// sets ScanControl.ParametersNotFound and gives the page its buttons back.
// `filters` are the user's file filters for the first listing.
int QuickScanThreadProc(EngineContext& ctx, const FileFilterTable& filters);

}  // namespace engine
