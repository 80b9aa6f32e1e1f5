#include "SignatureTestSupport.h"

namespace signaturetests {
namespace {

void AppendField(std::vector<uint8_t>& out, const std::vector<uint8_t>& bytes) {
  out.push_back(static_cast<uint8_t>(bytes.size()));
  out.push_back(static_cast<uint8_t>(bytes.size() >> 8));
  out.insert(out.end(), bytes.begin(), bytes.end());
}

std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

}  // namespace

std::vector<uint8_t> EncodeRecord(const DatabaseRow& row) {
  std::vector<uint8_t> out;
  AppendField(out, {static_cast<uint8_t>(row.Category)});
  AppendField(out, Bytes(row.Extension));
  AppendField(out, Bytes(row.TypeName));
  AppendField(out, Bytes(row.LengthText.empty() ? std::to_string(row.Signature.size()) : row.LengthText));
  AppendField(out, row.Signature);
  AppendField(out, row.Fifth);
  return out;
}

std::vector<uint8_t> EncodeDatabase(const std::vector<DatabaseRow>& rows) {
  std::vector<uint8_t> out;
  for (const DatabaseRow& row : rows) {
    const std::vector<uint8_t> record = EncodeRecord(row);
    out.insert(out.end(), record.begin(), record.end());
  }
  return out;
}

void FileTypesHost::FileTypeTreeAddSignature(const engine::SignatureRecord& record) {
  RecordingHost::FileTypeTreeAddSignature(record);
  RecordsHeadFirst.insert(RecordsHeadFirst.begin(), record);
}

engine::SelectedSignature Signature(const std::u16string& extension, const std::string& hexText,
                                    const std::u16string& typeName) {
  engine::SelectedSignature signature;
  signature.Extension = extension;
  signature.TypeName = typeName;
  signature.SignatureText = hexText;
  signature.SignatureLength = static_cast<uint32_t>(hexText.size() / 2);
  return signature;
}

}  // namespace signaturetests
