#pragma once
// The File Trace worker: reads the chosen sector range 64 sectors at a time,
// records a hit for every sector whose first bytes match a selected signature, and
// hands the hits, grouped by file type, to the results page. Runs on the scan
// page's worker thread; reports only through the host.

#include <cstdint>

#include "EngineContext.h"

namespace engine {

inline constexpr uint32_t kCarvingChunkSectors = 64;

inline constexpr char16_t kFileTraceParametersNotFoundText[] =
    u"Pelmo Windows Data Recovery was unable to find the proper partition parameters.\r\n"
    u"  Return to the first step and choose Extensive Scan for recovery.";
inline constexpr char16_t kFileTraceVolumeNotOpenedText[] =
    u"Pelmo Windows Data Recovery was unable to open the chosen drive for reading.";
inline constexpr char16_t kFileTraceRangeTooLargeText[] =
    u"The chosen sector range reaches beyond sector 4294967295, which File Trace cannot record.\r\n"
    u"  Please choose a smaller range.";

// Opens a logical drive's volume, finds the volume's parameters (DetectFileSystem,
// else RebuildFatParameters) and carves. 1 after carving, 0 when it gave up. Every
// way out ends with ScanControl.Running 0 and ScanControl.StopOrDone 1; when it
// gives up it says why and gives the page its buttons back.
int FileTraceThreadProc(EngineContext& ctx);

// Whether every sector that carving the range examines (to the end of the chunk
// that holds the end sector) has a 32-bit number.
bool CarvingRangeFits(uint64_t startSector, uint64_t endSector);

// The carving loop over SourceSelection's range and the building of the results:
// "Root" in the results tree with the type folders below it, and the type folder
// rows in the list. Ends with ScanControl.StopOrDone 1 and ScanControl.Running 0.
void CarveFiles(EngineContext& ctx);

}  // namespace engine
