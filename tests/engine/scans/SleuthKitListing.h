#pragma once
// The Sleuth Kit's view of an image (fls -r -p -l), the oracle of the listing tests.

#include <cstdint>
#include <map>
#include <string>

namespace testsupport {

struct OracleEntry {
  bool IsFolder = false;
  bool Deleted = false;
  uint64_t Size = 0;
};

// Path ("Documents/notes.txt", UTF-8) to entry, without the volume label and the
// virtual entries ($MBR, $FAT1, $FAT2, $OrphanFiles).
std::map<std::string, OracleEntry> SleuthKitListing(const std::string& imagePath);

}  // namespace testsupport
