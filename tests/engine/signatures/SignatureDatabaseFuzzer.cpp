// The signature database reader, the selection of every record and the matcher
// built from it, run over the input's own bytes as sectors.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "EngineContext.h"
#include "EngineHost.h"
#include "signatures/SignatureDatabase.h"
#include "signatures/SignatureMatcher.h"
#include "signatures/SignatureSelection.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  std::vector<engine::SelectedSignature> selected;
  int index = 0;
  for (const engine::RawSignatureRecord& raw : engine::ParseSignatureDatabase(bytes)) {
    const engine::SignatureRecord record = engine::MakeSignatureRecord(raw, index++);
    engine::SignatureCategoryName(raw.Category);
    selected.push_back(engine::MakeSelectedSignature(record));
  }
  const engine::SignatureMatcher matcher(selected);
  for (size_t offset = 0; offset < size; offset += 7) {
    if (const auto match = matcher.Match(bytes.subspan(offset))) {
      if (*match >= selected.size()) __builtin_trap();
    }
  }
  return 0;
}
