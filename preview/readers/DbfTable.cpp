#include "DbfTable.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "AnsiText.h"
#include "ReaderFile.h"

namespace preview {

namespace {

constexpr size_t kDescriptorSize = 32, kFirstDescriptor = 32, kNameWidth = 11, kTypeOffset = 11,
                 kLengthOffset = 16;
constexpr uint8_t kHeaderEnd = 0x0D;
// The preview reads a table from its first bytes only.
constexpr uint64_t kMaxFileBytes = 256ull * 1024 * 1024;

std::string_view TextOf(const uint8_t* bytes, size_t length) {
  size_t end = 0;
  while (end < length && bytes[end] != 0) ++end;
  return {reinterpret_cast<const char*>(bytes), end};
}

int32_t LittleEndian32(const uint8_t* bytes, size_t length) {
  uint8_t four[4] = {};
  if (length > 0) std::memcpy(four, bytes, length < 4 ? length : 4);
  return static_cast<int32_t>(four[0] | (four[1] << 8) | (four[2] << 16) | (static_cast<uint32_t>(four[3]) << 24));
}

std::u16string Ascii(const std::string& text) { return {text.begin(), text.end()}; }

bool IsTrueWord(std::string_view text) {
  size_t begin = 0, end = text.size();
  while (begin < end && std::isspace(static_cast<unsigned char>(text[begin]))) ++begin;
  while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1]))) --end;
  std::string word(text.substr(begin, end - begin));
  for (char& c : word) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  // "yes" and "true" in Russian, stored as code page 1251 bytes.
  return word == "T" || word == "Y" || word == "YES" || word == "TRUE" || word == "\xC4\xC0" ||
         word == "\xC8\xD1\xD2\xC8\xCD\xC0";
}

}  // namespace

std::u16string DbfCellText(char type, const uint8_t* bytes, size_t length) {
  const std::string_view text = TextOf(bytes, length);
  switch (type) {
    case 'N':
    case 'F': {
      const std::string number(text);
      char formatted[400];
      std::snprintf(formatted, sizeof formatted, "%f", std::strtod(number.c_str(), nullptr));
      return Ascii(formatted);
    }
    case 'C':
    case 'B':
      return AnsiToWide(text);
    case 'Y': {
      std::string digits = std::to_string(LittleEndian32(bytes, length));
      if (digits.size() > 4) digits.resize(digits.size() - 4);
      return Ascii(digits);
    }
    case 'I':
      return Ascii(std::to_string(LittleEndian32(bytes, length)));
    case 'D': {
      // YYYYMMDD becomes YYYY/MM/DD.
      const std::u16string digits = AnsiToWide(text);
      std::u16string date;
      for (size_t i = 0; i < digits.size(); ++i) {
        if (i == 4 || i == 6) date.push_back(u'/');
        date.push_back(digits[i]);
      }
      return date;
    }
    case 'T':
      return {};
    case 'L':
      return IsTrueWord(text) ? u"TRUE" : u"FALSE";
    case 'M':
      return u"Memo";
    case 'G':
      return u"General";
    case 'P':
      return u"Picture";
    default:
      return std::u16string(1, static_cast<char16_t>(static_cast<unsigned char>(type)));
  }
}

DbfLoad ParseDbfTable(const std::vector<uint8_t>& file, DbfTable& table, size_t maxRows) {
  table = DbfTable{};
  const size_t size = file.size();
  size_t offset = kFirstDescriptor;
  bool sawEnd = false;
  while (offset < size) {
    if (file[offset] == kHeaderEnd) {
      sawEnd = true;
      break;
    }
    if (size - offset < kDescriptorSize) return DbfLoad::kFieldsPastEnd;
    if (table.fields.size() == kDbfMaxFields) {
      table.fields.clear();
      return DbfLoad::kTooManyFields;
    }
    const uint8_t* descriptor = file.data() + offset;
    DbfField field;
    field.name = AnsiToWide(TextOf(descriptor, kNameWidth));
    field.type = static_cast<char>(descriptor[kTypeOffset]);
    field.length = descriptor[kLengthOffset];
    table.fields.push_back(std::move(field));
    offset += kDescriptorSize;
  }
  if (!sawEnd) return DbfLoad::kFieldsPastEnd;
  if (table.fields.empty()) return DbfLoad::kNoFields;

  // The first record's flag byte is the first space from the end mark on.
  size_t position = offset;
  while (position < size && file[position] != ' ') ++position;
  if (position >= size) return DbfLoad::kRecordsPastEnd;
  ++position;
  if (position == size) {
    // A table without records shows one empty row.
    table.rows.emplace_back(table.fields.size());
    return DbfLoad::kOk;
  }
  for (;;) {
    std::vector<std::u16string>& row = table.rows.emplace_back();
    row.reserve(table.fields.size());
    for (const DbfField& field : table.fields) {
      // A record cut short by the end of the file gives what is there.
      const size_t available = position < size ? size - position : 0;
      const size_t length = field.length < available ? field.length : available;
      row.push_back(available > 0 ? DbfCellText(field.type, file.data() + position, length) : std::u16string());
      position += field.length;
    }
    ++position;  // the next record's flag
    if (position >= size) break;
    if (table.rows.size() == maxRows) {
      table.rowsCapped = true;
      break;
    }
  }
  return DbfLoad::kOk;
}

DbfLoad LoadDbfTable(const std::filesystem::path& path, DbfTable& table) {
  std::vector<uint8_t> bytes;
  if (!ReadFileBytes(path, kMaxFileBytes, bytes)) return DbfLoad::kCannotOpen;
  return ParseDbfTable(bytes, table);
}

}  // namespace preview
