#include <gtest/gtest.h>

#include <string>

#include "CStringRowArray.h"

namespace preview {
namespace {

std::u16string EntryOf(const CStringRow& row, int i) {
  int length = -1;
  const char16_t* text = row.Get(i, &length);
  return std::u16string(text, static_cast<std::size_t>(length));
}

TEST(StringRowTest, AppendCopiesAndCountsAndReadsOutOfRangeAsEmpty) {
  CStringRow row;
  char16_t buffer[] = u"alpha";
  EXPECT_EQ(row.Append(buffer), 1);
  EXPECT_EQ(row.Append(u"beta-cut", 4), 2);
  EXPECT_EQ(row.Append(nullptr), 0);
  buffer[0] = u'X';  // the row keeps its own copy
  EXPECT_EQ(EntryOf(row, 0), u"alpha");
  EXPECT_EQ(EntryOf(row, 1), u"beta");
  EXPECT_EQ(EntryOf(row, 5), u"");
  EXPECT_EQ(EntryOf(row, -1), u"");
  EXPECT_EQ(row.GetCount(), 2);
}

TEST(StringRowTest, AppendKeepsEmbeddedNulsWithAnExplicitLength) {
  CStringRow row;
  row.Append(u"a\0b", 3);
  EXPECT_EQ(EntryOf(row, 0), std::u16string(u"a\0b", 3));
}

TEST(StringRowTest, SetReplacesOnlyEntriesInRange) {
  CStringRow row;
  row.Append(u"old");
  EXPECT_EQ(row.Set(0, u"new"), 1);
  EXPECT_EQ(row.Set(1, u"beyond"), 0);
  EXPECT_EQ(row.Set(0, nullptr), 0);
  EXPECT_EQ(row.GetCount(), 1);
  EXPECT_EQ(EntryOf(row, 0), u"new");
}

TEST(StringRowArrayTest, RowsGrowAndOutOfRangeWritesChangeNothing) {
  CStringRowArray table;
  EXPECT_EQ(table.AddRow(), 1);
  EXPECT_EQ(table.AddRow(), 2);
  EXPECT_EQ(table.AppendToRow(1, u"href", -1), 1);
  EXPECT_EQ(table.AppendToRow(1, u"a.html", -1), 2);
  EXPECT_EQ(table.AppendToRow(2, u"lost", -1), 0);
  EXPECT_EQ(table.SetInRow(1, 1, u"b.html", -1), 1);
  EXPECT_EQ(table.SetInRow(7, 0, u"lost", -1), 0);
  EXPECT_EQ(EntryOf(table.GetRow(1), 1), u"b.html");
  EXPECT_EQ(table.GetRow(9).GetCount(), 0);
  EXPECT_EQ(table.GetRow(-1).GetCount(), 0);
}

TEST(StringRowArrayTest, RemoveRowClosesTheGapAndRefusesRowsBeyondTheLast) {
  CStringRowArray table;
  for (const char16_t* name : {u"first", u"second", u"third"}) table.AppendToRow(table.AddRow() - 1, name, -1);
  EXPECT_EQ(table.RemoveRow(3), 0);
  EXPECT_EQ(table.GetCount(), 3);
  EXPECT_EQ(table.RemoveRow(1), 1);
  EXPECT_EQ(table.GetCount(), 2);
  EXPECT_EQ(EntryOf(table.GetRow(1), 0), u"third");
  table.Clear();
  EXPECT_EQ(table.GetCount(), 0);
  EXPECT_EQ(EntryOf(table.GetRow(0), 0), u"");
}

}  // namespace
}  // namespace preview
