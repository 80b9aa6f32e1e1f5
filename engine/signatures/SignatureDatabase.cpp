#include "signatures/SignatureDatabase.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "EngineContext.h"
#include "LeBytes.h"
#include "signatures/HexText.h"

namespace engine {
namespace {

// A database larger than this is not a signature database.
constexpr std::uintmax_t kMaxDatabaseFileBytes = 16u << 20;

// Reads one counted field at `position`; false when it is damaged.
bool ReadField(LeBytes& bytes, uint64_t& position, std::vector<uint8_t>& field) {
  const uint16_t count = bytes.U16(position);
  if (!bytes.ok() || count > kMaxSignatureFieldBytes) return false;
  const std::span<const uint8_t> data = bytes.Span(position + 2, count);
  if (!bytes.ok()) return false;
  field.assign(data.begin(), data.end());
  position += 2 + count;
  return true;
}

std::u16string ToUtf16(const std::vector<uint8_t>& text) { return AnsiToUtf16(text); }

std::u16string AsciiToUtf16(const std::string& text) { return std::u16string(text.begin(), text.end()); }

}  // namespace

std::vector<RawSignatureRecord> ParseSignatureDatabase(std::span<const uint8_t> data) {
  LeBytes bytes(data);
  std::vector<RawSignatureRecord> records;
  uint64_t position = 0;
  while (position < bytes.size()) {
    RawSignatureRecord record;
    // The category field's count is always 1; the reader takes one byte whatever it says.
    record.Category = bytes.U8(position + 2);
    if (!bytes.ok()) break;
    position += 3;
    if (!ReadField(bytes, position, record.Extension) || !ReadField(bytes, position, record.TypeName) ||
        !ReadField(bytes, position, record.SignatureLength) || !ReadField(bytes, position, record.Signature) ||
        !ReadField(bytes, position, record.FifthValue)) {
      break;
    }
    records.push_back(std::move(record));
  }
  return records;
}

std::u16string SignatureCategoryName(uint8_t category) {
  static const std::array<const char16_t*, 10> kNames = {
      u"Archive Files",  u"Document Files", u"Database Files", u"E-mail Files", u"Graphics Files",
      u"Sound Files",    u"Media Files",    u"Internet Files", u"CAD Files",    u"Other Files"};
  if (category >= '0' && category <= '9') return kNames[category - '0'];
  return AnsiToUtf16(std::span<const uint8_t>(&category, 1));
}

std::u16string AnsiToUtf16(std::span<const uint8_t> text) {
  // Code page 1252 differs from Latin-1 only in 0x80..0x9F; its five unused
  // positions map to the C1 controls as Windows maps them.
  static constexpr std::array<char16_t, 32> kHighControls = {
      0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
  std::u16string result;
  result.reserve(text.size());
  for (uint8_t byte : text) {
    result.push_back(byte >= 0x80 && byte <= 0x9F ? kHighControls[byte - 0x80] : char16_t{byte});
  }
  return result;
}

SignatureRecord MakeSignatureRecord(const RawSignatureRecord& raw, int index) {
  SignatureRecord record;
  record.Index = index;
  record.Extension = ToUtf16(raw.Extension);
  record.FileTypeName = ToUtf16(raw.TypeName);
  record.SignatureLength = ToUtf16(raw.SignatureLength);
  record.SignatureText = AsciiToUtf16(UpperCaseAscii(BytesToHexText(raw.Signature)));
  record.FifthValue = AsciiToUtf16(UpperCaseAscii(BytesToHexText(raw.FifthValue)));
  return record;
}

std::optional<std::vector<uint8_t>> ReadSignatureDatabaseFile(const EngineContext& ctx) {
  std::u16string path = ctx.ProgramFolder;
  if (!path.empty() && path.back() != u'\\' && path.back() != u'/') path.push_back(u'\\');
  path += kSignatureDatabaseName;
#ifndef _WIN32
  for (char16_t& c : path) {
    if (c == u'\\') c = u'/';
  }
#endif
  std::error_code error;
  const std::filesystem::path file(path);
  const std::uintmax_t size = std::filesystem::file_size(file, error);
  if (error || size > kMaxDatabaseFileBytes) return std::nullopt;
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return bytes;
}

void LoadSignatureDatabase(EngineContext& ctx) {
  const std::optional<std::vector<uint8_t>> file = ReadSignatureDatabaseFile(ctx);
  if (!file) return;
  int index = 0;
  for (const RawSignatureRecord& raw : ParseSignatureDatabase(*file)) {
    const SignatureRecord record = MakeSignatureRecord(raw, index++);
    if (!record.Extension.empty()) {
      ctx.Host->FileTypeTreeAddTypeItem(SignatureCategoryName(raw.Category), record.Extension);
    }
    ctx.Host->FileTypeTreeAddSignature(record);
  }
  ctx.Host->FileTypeTreeToggleRootCheck();
  ctx.Host->FileTypeTreeToggleRootExpand();
}

}  // namespace engine
