// The dBase table reader over arbitrary bytes, with a small row cap.
#include <cstdint>
#include <vector>

#include "DbfTable.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  preview::DbfTable table;
  preview::ParseDbfTable(std::vector<uint8_t>(data, data + size), table, 1000);
  return 0;
}
