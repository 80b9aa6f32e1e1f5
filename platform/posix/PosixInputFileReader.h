#pragma once
// Whole-file reads over POSIX calls ('\' in engine paths becomes '/').

#include "snapshot/InputFileReader.h"

namespace platform {

class PosixInputFileReader final : public engine::InputFileReader {
 public:
  std::optional<std::vector<uint8_t>> ReadWholeFile(const std::u16string& path, uint64_t maxBytes) override;
};

}  // namespace platform
