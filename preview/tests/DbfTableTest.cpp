#include <gtest/gtest.h>

#include <cstring>

#include "DbfTable.h"
#include "ReaderFixtures.h"

namespace preview {
namespace {

using test::FixtureFolder;
using test::RunInFixtureFolder;

using Row = std::vector<std::u16string>;

TEST(DbfTable, ReadsATableWrittenByTheFormatScript) {
  ASSERT_TRUE(RunInFixtureFolder("python3 '" PREVIEW_TEST_SCRIPTS "/write_dbf.py' people.dbf"));
  DbfTable table;
  ASSERT_EQ(LoadDbfTable(FixtureFolder() / "people.dbf", table), DbfLoad::kOk);
  ASSERT_EQ(table.fields.size(), 6u);
  EXPECT_EQ(table.fields[0].name, u"NAME");
  EXPECT_EQ(table.fields[5].name, u"NOTES");
  EXPECT_EQ(table.fields[1].type, 'N');
  // The deleted record is listed like any other; the 0x1A end mark adds no row.
  ASSERT_EQ(table.rows.size(), 3u);
  EXPECT_EQ(table.rows[0], (Row{u"Alice     ", u"12.500000", u"1980/01/02", u"TRUE", u"-7", u"Memo"}));
  EXPECT_EQ(table.rows[1], (Row{u"Bob       ", u"-3.000000", u"    /  /  ", u"FALSE", u"42", u"Memo"}));
  EXPECT_EQ(table.rows[2], (Row{u"          ", u"0.000000", u"2024/02/29", u"TRUE", u"0", u"Memo"}));
  EXPECT_FALSE(table.rowsCapped);
  EXPECT_EQ(LoadDbfTable(FixtureFolder() / "missing.dbf", table), DbfLoad::kCannotOpen);
}

// A table header, one descriptor per field and then `tail` (the end mark and records).
std::vector<uint8_t> Table(const std::vector<std::pair<std::string, uint8_t>>& fields, const std::string& tail,
                           char type = 'C') {
  std::vector<uint8_t> bytes(32, 0);
  for (const auto& [name, length] : fields) {
    uint8_t descriptor[32] = {};
    std::memcpy(descriptor, name.data(), std::min<size_t>(name.size(), 11));
    descriptor[11] = static_cast<uint8_t>(type);
    descriptor[16] = length;
    bytes.insert(bytes.end(), descriptor, descriptor + 32);
  }
  bytes.insert(bytes.end(), tail.begin(), tail.end());
  return bytes;
}

TEST(DbfTable, DamagedTables) {
  DbfTable table;
  std::vector<std::pair<std::string, uint8_t>> many(201, {"F", 1});
  EXPECT_EQ(ParseDbfTable(Table(many, "\x0d "), table), DbfLoad::kTooManyFields);
  EXPECT_TRUE(table.fields.empty());
  many.pop_back();
  EXPECT_EQ(ParseDbfTable(Table(many, "\x0d "), table), DbfLoad::kOk);
  EXPECT_EQ(table.fields.size(), 200u);

  EXPECT_EQ(ParseDbfTable(Table({}, "\x0d "), table), DbfLoad::kNoFields);
  auto cut = Table({{"A", 4}, {"B", 4}}, "\x0d ab");
  cut.resize(32 + 32 + 10);
  EXPECT_EQ(ParseDbfTable(cut, table), DbfLoad::kFieldsPastEnd);
  EXPECT_EQ(ParseDbfTable(Table({{"A", 4}}, ""), table), DbfLoad::kFieldsPastEnd);
  EXPECT_EQ(ParseDbfTable(Table({{"A", 4}}, "\x0d"), table), DbfLoad::kRecordsPastEnd);

  // No records: one empty row.
  ASSERT_EQ(ParseDbfTable(Table({{"A", 4}}, "\x0d "), table), DbfLoad::kOk);
  EXPECT_EQ(table.rows, (std::vector<Row>{Row{u""}}));

  // A record cut short keeps what is there; the cells past the end are empty.
  ASSERT_EQ(ParseDbfTable(Table({{"A", 4}, {"B", 4}}, "\x0d abcdefgh xy"), table), DbfLoad::kOk);
  EXPECT_EQ(table.rows, (std::vector<Row>{Row{u"abcd", u"efgh"}, Row{u"xy", u""}}));

  // A name filling its 11 bytes with no NUL ends there, not in the type letter.
  ASSERT_EQ(ParseDbfTable(Table({{"ABCDEFGHIJK", 1}}, "\x0d x"), table), DbfLoad::kOk);
  EXPECT_EQ(table.fields[0].name, u"ABCDEFGHIJK");

  // Fields of length 0 and short binary fields read nothing past their bytes.
  ASSERT_EQ(ParseDbfTable(Table({{"Z", 0}, {"I", 2}}, "\x0d \x05\x01", 'I'), table), DbfLoad::kOk);
  EXPECT_EQ(table.rows[0], (Row{u"0", u"261"}));

  // Rows stop at the cap.
  ASSERT_EQ(ParseDbfTable(Table({{"A", 1}}, "\x0d a b c d"), table, 2), DbfLoad::kOk);
  EXPECT_EQ(table.rows.size(), 2u);
  EXPECT_TRUE(table.rowsCapped);
}

TEST(DbfTable, CellTextByType) {
  struct Case { char type; std::string bytes; std::u16string text; };
  const Case cases[] = {
      {'C', "  ", u"  "},       {'N', " 3.25x", u"3.250000"}, {'F', "abc", u"0.000000"},
      {'Y', std::string("\x15\xCD\x5B\x07", 4), u"12345"},  // 123456789 with four implied decimals
      {'Y', std::string("\x64\0\0\0", 4), u"100"},
      {'D', "20240131", u"2024/01/31"}, {'T', "12345678", u""}, {'L', " yes ", u"TRUE"},
      {'L', "\xC4\xC0", u"TRUE"},       {'L', "N", u"FALSE"},   {'G', "1", u"General"},
      {'P', "1", u"Picture"},           {'Q', "1", u"Q"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(1, c.type) + " " + c.bytes);
    EXPECT_EQ(DbfCellText(c.type, reinterpret_cast<const uint8_t*>(c.bytes.data()), c.bytes.size()), c.text);
  }
}

}  // namespace
}  // namespace preview
