// The text reader over arbitrary bytes written to a file: every encoding road and
// every line break, with nothing read past the buffer.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "CTextFileReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("pelmo-text-fuzz-" + std::to_string(::getpid()));
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  preview::CTextFileReader reader(path);
  std::u16string text;
  reader.ReadAll(text, u"\r\n");
  return 0;
}
