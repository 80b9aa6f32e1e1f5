#pragma once
// The signature database "Raw.dat" in the program folder: records of six fields,
// each a 16-bit little-endian byte count and that many bytes, running to the end of
// the file with no header:
//   0 category   one ASCII digit "0".."9" (its count is always 01 00)
//   1 extension  narrow text with its leading dot; empty: no tree item
//   2 type name  narrow text, the type folder of the results
//   3 signature length  decimal digits
//   4 signature  the bytes a sector must begin with
//   5 fifth value  raw bytes carried into the selection and the snapshot

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "EngineHost.h"

namespace engine {

struct EngineContext;

inline constexpr char16_t kSignatureDatabaseName[] = u"Raw.dat";
// No field of the database is longer; a longer count marks a damaged file.
inline constexpr uint16_t kMaxSignatureFieldBytes = 255;

// One record as it lies in the file.
struct RawSignatureRecord {
  uint8_t Category = 0;
  std::vector<uint8_t> Extension;
  std::vector<uint8_t> TypeName;
  std::vector<uint8_t> SignatureLength;
  std::vector<uint8_t> Signature;
  std::vector<uint8_t> FifthValue;
};

// The records of a database file in file order. Reading stops at the first record
// with a field that runs past the end of the bytes or is longer than 255 bytes;
// the records before it are kept.
std::vector<RawSignatureRecord> ParseSignatureDatabase(std::span<const uint8_t> bytes);

// "Archive Files" .. "Other Files" for "0".."9"; any other byte names itself.
std::u16string SignatureCategoryName(uint8_t category);

// Narrow text of the database in the Windows ANSI code page (1252) as UTF-16.
std::u16string AnsiToUtf16(std::span<const uint8_t> text);

// The File Types dialog's form of a record: texts, and the signature and fifth
// value as upper-case hexadecimal.
SignatureRecord MakeSignatureRecord(const RawSignatureRecord& raw, int index);

// ProgramFolder + "Raw.dat"; nothing when the file cannot be read.
std::optional<std::vector<uint8_t>> ReadSignatureDatabaseFile(const EngineContext& ctx);

// Fills the File Types dialog: each record goes to the dialog's list, each record
// with an extension also to the tree under its category name; then the root is
// ticked and expanded. A database that cannot be read leaves the tree empty,
// without a message.
void LoadSignatureDatabase(EngineContext& ctx);

}  // namespace engine
