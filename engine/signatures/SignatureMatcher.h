#pragma once
// Finds the first selected signature that the start of a sector matches. The
// signatures are indexed by their first byte, so the cost per sector does not grow
// with the number of ticked types: a sector is compared only with the signatures
// that begin with its own first byte.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "results/ResultRecords.h"

namespace engine {

class SignatureMatcher {
 public:
  // Signatures that compare no byte (see ComparedSignatureLength) never match.
  explicit SignatureMatcher(std::span<const SelectedSignature> signatures);

  // The list position of the first signature whose bytes begin `sector`; nothing
  // when none does. Only the first 15 bytes of the sector take part.
  std::optional<std::size_t> Match(std::span<const uint8_t> sector) const;

 private:
  struct Candidate {
    std::size_t Position = 0;
    std::vector<uint8_t> Bytes;  // 1 to 15 bytes
  };
  // Candidates by first byte, each bucket in list order.
  std::array<std::vector<Candidate>, 256> byFirstByte_;
};

}  // namespace engine
