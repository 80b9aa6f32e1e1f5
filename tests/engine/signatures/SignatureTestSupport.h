#pragma once
// Helpers of the File Trace tests: database bytes written field by field, a host
// that keeps the File Types dialog's records as the dialog does, and selected
// signatures made from hexadecimal text.

#include <cstdint>
#include <string>
#include <vector>

#include "RecordingHost.h"
#include "results/ResultRecords.h"

namespace signaturetests {

struct DatabaseRow {
  char Category = '1';
  std::string Extension;
  std::string TypeName;
  std::string LengthText;
  std::vector<uint8_t> Signature;
  std::vector<uint8_t> Fifth = {0, 0};
};

// The bytes of one "Raw.dat" record.
std::vector<uint8_t> EncodeRecord(const DatabaseRow& row);
std::vector<uint8_t> EncodeDatabase(const std::vector<DatabaseRow>& rows);

// Keeps every record at the head of its list, as the File Types dialog does.
class FileTypesHost : public testsupport::RecordingHost {
 public:
  std::vector<engine::SignatureRecord> RecordsHeadFirst;
  void FileTypeTreeAddSignature(const engine::SignatureRecord& record) override;
};

engine::SelectedSignature Signature(const std::u16string& extension, const std::string& hexText,
                                    const std::u16string& typeName = u"Type");

}  // namespace signaturetests
