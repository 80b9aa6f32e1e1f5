#include "FatBootSector.h"

#include "FatGeometry.h"
#include "LeBytes.h"

namespace engine {

std::optional<FatBootFields> ParseFatBootSector(std::span<const uint8_t> sector, bool fat32) {
  if (!HasBootMark(sector)) return std::nullopt;
  LeBytes bytes(sector);
  FatBootFields fields;
  fields.SectorsPerCluster = bytes.U8(13);
  fields.ReservedSectors = bytes.U16(14);
  fields.RootEntries = bytes.U16(17);
  fields.SectorsPerFat = fat32 ? bytes.U32(36) : bytes.U16(22);
  fields.RootCluster = fat32 ? bytes.U32(44) : 0;
  fields.TotalSectors = bytes.U16(19) != 0 ? bytes.U16(19) : bytes.U32(32);
  if (!bytes.ok() || !IsValidSectorsPerCluster(fields.SectorsPerCluster) || fields.SectorsPerFat == 0) {
    return std::nullopt;
  }
  return fields;
}

}  // namespace engine
