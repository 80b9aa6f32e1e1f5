// The RAR header walk over arbitrary bytes, with the RAR 4 or the RAR 5 signature
// put in front of most inputs so the walk gets past it, and with checksums not
// verified for half of the inputs so the field checks behind them are reached.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "RarHeaderWalk.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const uint8_t kSignatures[2][8] = {{0x52, 0x61, 0x72, 0x21, 0x1A, 0x07, 0x00},
                                            {0x52, 0x61, 0x72, 0x21, 0x1A, 0x07, 0x01, 0x00}};
  if (size == 0) return 0;
  std::vector<uint8_t> bytes;
  const uint8_t mode = data[0] % 3;
  const bool verifyChecksums = (data[0] & 0x80) != 0;
  if (mode < 2) bytes.assign(kSignatures[mode], kSignatures[mode] + (mode == 0 ? 7 : 8));
  bytes.insert(bytes.end(), data + 1, data + size);
  preview::RarMemorySource source(std::move(bytes));
  preview::CRarHeaderWalk walk(source, verifyChecksums);
  if (walk.Open() != preview::kRarSuccess) return 0;
  preview::RarMember member;
  while (walk.Next(member) == preview::kRarSuccess) {
  }
  return 0;
}
