// The blocks a converter library hands back: name lists and preference records.
#include "ConverterDriverCore.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  preview::converter::ReadNameList(reinterpret_cast<const char*>(data), size);
  preview::converter::ReadPreferences(data, size);
  return 0;
}
