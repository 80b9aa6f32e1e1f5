#pragma once
// Reading a whole file that the user chose (a recovery snapshot). Paths are UTF-16
// and use '\' between their parts, as for the output file system.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace engine {

class InputFileReader {
 public:
  virtual ~InputFileReader() = default;
  // The file's bytes; nothing when it cannot be opened or read completely, or
  // when it is larger than maxBytes.
  virtual std::optional<std::vector<uint8_t>> ReadWholeFile(const std::u16string& path, uint64_t maxBytes) = 0;
};

}  // namespace engine
