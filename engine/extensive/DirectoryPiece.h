#pragma once
// A few sectors of a FAT directory of a found volume, turned into result records:
// files are appended, and a directory entry names the folder that the raw scan
// found at its cluster ("Dir" + cluster until then).

#include <cstdint>
#include <span>

#include "EngineContext.h"

namespace engine {

struct DirectoryPieceRequest {
  uint32_t ParentCluster = 0;   // 0 for the root
  uint64_t FirstSector = 0;     // of the piece, for the record
  uint32_t SectorCount = 0;
  bool InheritedDeleted = false;  // the directory itself was deleted
  uint32_t FirstEntry = 0;        // of the first sector only (2 skips "." and "..")
};

// Parses `bytes` (SectorCount x 512). Sets `reachedEnd` at an entry whose first
// byte is 0. Entries with first cluster 0, long-name entries and empty names are
// passed over; names are kept as stored. The long name of an entry is assembled
// from the entries before it within the piece.
void ParseDirectoryPiece(EngineContext& ctx, std::span<const uint8_t> bytes, const DirectoryPieceRequest& request,
                         bool& reachedEnd);

}  // namespace engine
