#include "signatures/SignatureMatcher.h"

#include <algorithm>

#include "signatures/HexText.h"
#include "signatures/SignatureSelection.h"

namespace engine {

SignatureMatcher::SignatureMatcher(std::span<const SelectedSignature> signatures) {
  for (std::size_t position = 0; position < signatures.size(); ++position) {
    const uint32_t length = ComparedSignatureLength(signatures[position]);
    if (length == 0) continue;
    std::vector<uint8_t> bytes = *HexTextToBytes(signatures[position].SignatureText);
    bytes.resize(length);
    byFirstByte_[bytes[0]].push_back(Candidate{position, std::move(bytes)});
  }
}

std::optional<std::size_t> SignatureMatcher::Match(std::span<const uint8_t> sector) const {
  if (sector.empty()) return std::nullopt;
  const std::span<const uint8_t> start = sector.first(std::min<std::size_t>(sector.size(), kMaxComparedSignatureBytes));
  for (const Candidate& candidate : byFirstByte_[start[0]]) {
    if (candidate.Bytes.size() <= start.size() &&
        std::equal(candidate.Bytes.begin(), candidate.Bytes.end(), start.begin())) {
      return candidate.Position;
    }
  }
  return std::nullopt;
}

}  // namespace engine
