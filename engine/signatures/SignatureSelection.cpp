#include "signatures/SignatureSelection.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "EngineContext.h"
#include "signatures/HexText.h"

namespace engine {
namespace {

constexpr int kStateTicked = 2;
constexpr int kStatePartlyTicked = 3;

std::string NarrowAscii(const std::u16string& text) {
  std::string narrow;
  narrow.reserve(text.size());
  for (char16_t c : text) narrow.push_back(c < 0x80 ? static_cast<char>(c) : '?');
  return narrow;
}

}  // namespace

SelectedSignature MakeSelectedSignature(const SignatureRecord& record) {
  SelectedSignature signature;
  signature.Extension = record.Extension;
  signature.TypeName = record.FileTypeName;
  signature.SignatureLength = LeadingDecimalValue(record.SignatureLength);
  signature.SignatureText = NarrowAscii(record.SignatureText);
  signature.FifthValue = LeadingDecimalValue(record.FifthValue);
  return signature;
}

uint32_t ComparedSignatureLength(const SelectedSignature& signature) {
  if (signature.SignatureText.size() % 2 != 0 || !HexTextToBytes(signature.SignatureText)) return 0;
  const auto textBytes = static_cast<uint32_t>(std::min<std::size_t>(signature.SignatureText.size() / 2, 0xFFFF));
  return std::min({signature.SignatureLength, textBytes, kMaxComparedSignatureBytes});
}

int AddCheckedSignatures(EngineContext& ctx, std::span<const SignatureRecord> recordsHeadFirst,
                         std::span<const FileTypeTreeItem> visitedItems) {
  std::unordered_map<std::u16string, std::vector<const SignatureRecord*>> recordsByExtension;
  for (const SignatureRecord& record : recordsHeadFirst) {
    if (!record.Extension.empty()) recordsByExtension[record.Extension].push_back(&record);
  }
  for (const FileTypeTreeItem& item : visitedItems) {
    if (item.StateImage != kStateTicked && item.StateImage != kStatePartlyTicked) continue;
    const auto found = recordsByExtension.find(item.Text);
    if (found == recordsByExtension.end()) continue;
    for (const SignatureRecord* record : found->second) {
      SelectedSignature signature = MakeSelectedSignature(*record);
      if (ComparedSignatureLength(signature) == 0) continue;
      AppendSelectedSignature(ctx, std::move(signature));
      ++ctx.Results.SelectedSignatureCount;
    }
  }
  return 1;
}

}  // namespace engine
