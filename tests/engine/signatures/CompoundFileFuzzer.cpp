// The compound-file reader and the Office check over arbitrary bytes that begin
// with a compound-file header, so the fuzzer spends its time past the magic.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "signatures/CompoundFile.h"
#include "signatures/OfficeDocumentType.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> bytes(std::begin(engine::kCompoundFileMagic), std::end(engine::kCompoundFileMagic));
  bytes.insert(bytes.end(), data, data + size);
  engine::ClassifyOfficeDocument(bytes);
  if (const auto file = engine::CompoundFile::Open(bytes)) {
    for (const engine::CompoundFile::Entry* entry : file->RootChildren()) file->ReadStream(*entry);
  }
  return 0;
}
