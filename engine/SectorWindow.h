#pragma once
// Sectors read ahead in windows, for walks that take many small pieces lying
// near each other (the MFT records of the files of a folder, one after another).
// Once a piece follows close on the one before, the window holding it is read in
// one call and later pieces in it come from memory; pieces scattered far apart
// are left to the caller, since a window read for each would cost more than it
// saves. A window that cannot be read whole is not used: the
// caller then reads its piece through ReadSectors, so that a sector that fails is
// retried, zero-filled and counted for the piece that needed it and no other.

#include <cstdint>
#include <span>
#include <vector>

#include "EngineContext.h"

namespace engine {

class SectorWindow {
 public:
  // Sectors one window holds: 64 KiB, 64 MFT records of 1,024 bytes.
  static constexpr uint32_t kSectors = 128;

  // Copies `count` sectors (at most kSectors) from `firstSector` into `out`; the
  // window never reaches past `lastSector`. False, leaving `out` as it was, when
  // they are not all in a window that could be read whole, or the piece lies far
  // from the last one asked for.
  bool Read(EngineContext& ctx, uint64_t firstSector, uint32_t count, uint64_t lastSector, std::span<uint8_t> out);

 private:
  uint64_t first_ = 0;
  uint32_t held_ = 0;  // sectors held from first_ on; 0 when nothing is
  uint64_t failedStart_ = UINT64_MAX;  // the last window that could not be read
  uint64_t lastPiece_ = UINT64_MAX;    // the first sector of the last piece asked for
  std::vector<uint8_t> bytes_;
};

}  // namespace engine
