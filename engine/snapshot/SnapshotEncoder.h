#pragma once
// Turns the engine's state and result lists into the bytes of a snapshot.

#include <cstdint>
#include <vector>

#include "EngineContext.h"

namespace engine::snapshot {

// "A" (Extensive Scan) or "D" (Quick Scan) with the lists of ActiveVolume's file
// system: FAT folders and files, or NTFS tree folders with the tree files ("D") or
// the raw scan's files that lie in the volume ("A").
std::vector<uint8_t> EncodeScanSnapshot(const EngineContext& ctx, char16_t marker);

// "R": the selected signatures and the File Trace hits.
std::vector<uint8_t> EncodeFileTraceSnapshot(const EngineContext& ctx);

// The raw scan's NTFS files stored in an "A" snapshot: record sector beyond the
// volume's first sector and not beyond its end.
bool IsNtfsFileInActiveVolume(const EngineContext& ctx, const NtfsFileNode& file);

}  // namespace engine::snapshot
