#include "SectorWindow.h"

#include <algorithm>
#include <cstring>

#include "SectorReader.h"

namespace engine {

bool SectorWindow::Read(EngineContext& ctx, uint64_t firstSector, uint32_t count, uint64_t lastSector,
                        std::span<uint8_t> out) {
  if (count == 0 || count > kSectors || out.size() < uint64_t{count} * kSectorSize) return false;
  if (firstSector > lastSector || lastSector - firstSector < count - 1) return false;
  const auto holds = [&] { return held_ != 0 && firstSector >= first_ && firstSector - first_ <= held_ - count; };
  const uint64_t previous = lastPiece_;
  lastPiece_ = firstSector;
  if (!holds()) {
    const uint64_t distance = firstSector > previous ? firstSector - previous : previous - firstSector;
    if (previous == UINT64_MAX || distance >= kSectors) return false;
    // Windows start on multiples of their size, so that a walk back and forth
    // over neighbours reads each once; one that would cut the piece starts at it.
    uint64_t start = firstSector - firstSector % kSectors;
    if (firstSector + count > start + kSectors) start = firstSector;
    const auto sectors = static_cast<uint32_t>(std::min<uint64_t>(kSectors, lastSector - start + 1));
    // A window that failed once is not tried again: on a failing disk every try costs.
    if (start == failedStart_) return false;
    bytes_.resize(size_t{kSectors} * kSectorSize);
    held_ = 0;
    if (!TryReadSectorsOnce(ctx, start, sectors, bytes_)) {
      failedStart_ = start;
      return false;
    }
    first_ = start;
    held_ = sectors;
    if (!holds()) return false;
  }
  std::memcpy(out.data(), bytes_.data() + (firstSector - first_) * kSectorSize, size_t{count} * kSectorSize);
  return true;
}

}  // namespace engine
