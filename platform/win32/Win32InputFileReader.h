#pragma once
// Whole-file reads over Win32 calls.

#include "snapshot/InputFileReader.h"

namespace platform {

class Win32InputFileReader final : public engine::InputFileReader {
 public:
  std::optional<std::vector<uint8_t>> ReadWholeFile(const std::u16string& path, uint64_t maxBytes) override;
};

}  // namespace platform
