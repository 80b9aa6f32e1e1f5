#pragma once
// A dBase table read for the preview: the field descriptors from offset 32 up to
// the 0x0D byte, then fixed-length records, each cell turned into text by its
// field's type letter. The table header's own counts are not trusted: the records
// are read from the bytes that are there.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace preview {

struct DbfField {
  std::u16string name;  // at most 11 bytes of the descriptor
  char type = 0;
  uint8_t length = 0;
};

struct DbfTable {
  std::vector<DbfField> fields;
  std::vector<std::vector<std::u16string>> rows;  // one cell per field
  bool rowsCapped = false;  // the file holds more records than are read
};

constexpr size_t kDbfMaxFields = 200;
constexpr size_t kDbfMaxRows = 100000;

enum class DbfLoad { kOk, kCannotOpen, kTooManyFields, kNoFields, kFieldsPastEnd, kRecordsPastEnd };

// The table of a dBase file held in memory. A table whose records start at the very
// end of the file has one empty row.
DbfLoad ParseDbfTable(const std::vector<uint8_t>& file, DbfTable& table, size_t maxRows = kDbfMaxRows);
DbfLoad LoadDbfTable(const std::filesystem::path& path, DbfTable& table);

// The text of one cell. Currency ("Y") gives the decimal text before the four
// implied decimals; the view formats it in the user's locale.
std::u16string DbfCellText(char type, const uint8_t* bytes, size_t length);

}  // namespace preview
