// The generated "Raw.dat" read back through the engine's reader equals the
// readable table it was made from, row by row.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <sstream>

#include "signatures/HexText.h"
#include "signatures/SignatureDatabase.h"

namespace {

struct TableRow {
  uint8_t Category;
  std::string Extension, TypeName;
  std::vector<uint8_t> Signature, Fifth;
};

std::vector<uint8_t> HexColumn(const std::string& column) {
  std::istringstream in(column);
  std::vector<uint8_t> bytes;
  std::string byte;
  while (in >> byte) bytes.push_back(static_cast<uint8_t>(std::stoul(byte, nullptr, 16)));
  return bytes;
}

std::vector<TableRow> ReadTable() {
  std::ifstream in(PELMO_SIGNATURE_TABLE);
  std::vector<TableRow> rows;
  std::string line;
  while (std::getline(in, line)) {
    if (line.find_first_not_of(" \t") == std::string::npos || line[line.find_first_not_of(" \t")] == '#') continue;
    std::vector<std::string> columns;
    std::istringstream fields(line);
    for (std::string column; std::getline(fields, column, '\t');) {
      if (!column.empty()) columns.push_back(column);
    }
    rows.push_back({static_cast<uint8_t>(columns.at(0).at(0)), columns.at(1), columns.at(2), HexColumn(columns.at(3)),
                    columns.size() > 4 ? HexColumn(columns[4]) : std::vector<uint8_t>{0, 0}});
  }
  return rows;
}

std::string Text(const std::vector<uint8_t>& bytes) { return {bytes.begin(), bytes.end()}; }

TEST(SignatureTable, GeneratedDatabaseReadsBackAsTheTable) {
  std::ifstream in(PELMO_SIGNATURE_DATABASE, std::ios::binary);
  ASSERT_TRUE(in) << PELMO_SIGNATURE_DATABASE;
  const std::vector<uint8_t> database((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::vector<engine::RawSignatureRecord> records = engine::ParseSignatureDatabase(database);
  const std::vector<TableRow> table = ReadTable();
  ASSERT_EQ(records.size(), table.size());
  std::set<uint8_t> categories;
  for (std::size_t i = 0; i < table.size(); ++i) {
    const engine::RawSignatureRecord& record = records[i];
    EXPECT_EQ(record.Category, table[i].Category) << i;
    EXPECT_EQ(Text(record.Extension), table[i].Extension) << i;
    EXPECT_EQ(Text(record.TypeName), table[i].TypeName) << i;
    EXPECT_EQ(Text(record.SignatureLength), std::to_string(table[i].Signature.size())) << i;
    EXPECT_EQ(record.Signature, table[i].Signature) << i;
    EXPECT_EQ(record.FifthValue, table[i].Fifth) << i;
    EXPECT_GE(record.Signature.size(), 1u) << i;
    EXPECT_LE(record.Signature.size(), 15u) << i;
    categories.insert(record.Category);
  }
  EXPECT_EQ(categories, (std::set<uint8_t>{'0', '1', '2', '3', '4', '5', '6', '7', '8', '9'}));
}

TEST(SignatureTable, CompoundFileSignatureIsListedForDocFirst) {
  const std::vector<uint8_t> compound = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
  std::vector<std::string> extensions;
  for (const TableRow& row : ReadTable()) {
    if (row.Signature == compound) extensions.push_back(row.Extension);
  }
  EXPECT_EQ(extensions, (std::vector<std::string>{".doc", ".xls", ".ppt", ".pub"}));
}

}  // namespace
