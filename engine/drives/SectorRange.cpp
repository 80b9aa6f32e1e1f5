#include "drives/SectorRange.h"

#include "drives/DriveEnumeration.h"

namespace engine {

bool ChosenRangeBeyond32Bits(const EngineContext& ctx) {
  const SourceSelectionRecord& range = ctx.SourceSelection;
  const uint64_t rangeEnd = uint64_t{range.StartSector} + range.SectorCount;
  if (rangeEnd > kSectorFieldLimit) return true;
  if (ctx.SourceDevice.SourceKind == kSourceLogicalDrive) {
    // The drive's own size is 64-bit; the range keeps only 32 bits of it.
    return range.EntryIndex < ctx.LogicalDriveCount &&
           ctx.LogicalDriveTable[range.EntryIndex].SectorCount >= kSectorFieldLimit;
  }
  // A disk too large for its field has TotalSectors 0xFFFFFFFF: a range that
  // reaches that far goes on beyond it.
  const PhysicalDriveEntry* disk = FindPhysicalDrive(ctx, ctx.SourceDevice.DriveNumber);
  return disk != nullptr && disk->BeyondSectorFields && rangeEnd >= UINT32_MAX;
}

}  // namespace engine
