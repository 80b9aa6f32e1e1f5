// The Photoshop decoder over arbitrary bytes.
#include <cstdint>

#include "CPsdDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  preview::CPsdDecoder decoder;
  decoder.Decode(data, size);
  return 0;
}
