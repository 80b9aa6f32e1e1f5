#pragma once
// The time fields of a FAT directory entry besides its write and access dates,
// kept for the times of a saved file: write time (entry offset 22), creation date
// (16), creation time (14) and the creation time's 10-ms count (13). Times count
// two seconds in their low five bits; the 10-ms count adds 0 to 1.99 seconds.

#include <cstdint>

namespace engine {

struct FatEntryTimes {
  uint16_t WriteTime = 0;
  uint16_t CreationDate = 0;
  uint16_t CreationTime = 0;
  uint8_t CreationTenMs = 0;
};

}  // namespace engine
