#include "NtfsQuickScan.h"

namespace engine {

// Placeholders until the NTFS reader lands: no NTFS volume is detected.
bool DetectNtfsParameters(EngineContext&, uint64_t) { return false; }
void WalkMft(EngineContext&) {}
void SearchLostNtfsData(EngineContext&) {}

}  // namespace engine
