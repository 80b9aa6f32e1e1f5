#include "core/DockRows.h"

#include <gtest/gtest.h>

using namespace kit::commandbars;

namespace {

using Rows = std::vector<std::vector<DockBarId>>;

RowEntry Entry(DockBarId bar, int left, int width, int rowIndex, int minLength = 0)
{
    RowEntry entry;
    entry.bar = bar;
    entry.left = left;
    entry.right = left + width;
    entry.rowIndex = rowIndex;
    entry.minLength = minLength;
    return entry;
}

}  // namespace

TEST(DockRows, AppendedBarsTakeRowsOfTheirOwnAndNeverStandTwice)
{
    DockRows rows;
    rows.Append(1);
    rows.Append(2);
    rows.Append(1);  // docked again: moves, no second entry
    EXPECT_EQ(rows.Rows(), (Rows{{2}, {1}}));
    EXPECT_EQ(rows.Entries(), (std::vector<DockBarId>{0, 2, 0, 1, 0}));
    rows.InsertAt(2, 30, {26, 52});  // into the second row; its own row goes
    EXPECT_EQ(rows.Rows(), (Rows{{2, 1}}));
    EXPECT_EQ(rows.Entries(), (std::vector<DockBarId>{0, 2, 1, 0}));
}

TEST(DockRows, InsertingByTheCentreAcrossTheRows)
{
    DockRows rows;
    rows.Append(1);
    rows.Append(2);
    const std::vector<int> edges{26, 52};
    rows.InsertAt(3, 10, edges);
    EXPECT_EQ(rows.Rows(), (Rows{{3, 1}, {2}}));
    rows.InsertAt(4, 26, edges);  // exactly on the first row's edge: a row before the second
    EXPECT_EQ(rows.Rows(), (Rows{{3, 1}, {4}, {2}}));
    rows.InsertAt(5, -3, {26, 52, 78});  // before the first row
    EXPECT_EQ(rows.Rows(), (Rows{{5}, {3, 1}, {4}, {2}}));
    rows.InsertAt(6, 500, {26, 52, 78, 104});  // past all rows
    EXPECT_EQ(rows.Rows().back(), (std::vector<DockBarId>{6}));
}

TEST(DockRows, RemovingLeavesNoEmptyRowAndStretchingBarsSitAlone)
{
    DockRows rows;
    rows.Append(1);
    rows.Append(2);
    rows.InsertAt(3, 30, {26, 52});
    rows.Remove(2);
    rows.Remove(1);
    EXPECT_EQ(rows.Entries(), (std::vector<DockBarId>{0, 3, 0}));
    rows.Remove(3);
    EXPECT_EQ(rows.Entries(), (std::vector<DockBarId>{0}));
    rows.Remove(7);  // not docked here
    EXPECT_EQ(rows.Entries(), (std::vector<DockBarId>{0}));

    rows.Append(1);
    rows.InsertAt(9, 10, {26});
    rows.InsertAt(2, 10, {26});
    EXPECT_EQ(rows.Rows(), (Rows{{2, 9, 1}}));
    rows.NormalizeRows([](DockBarId bar) { return bar == 9; });
    EXPECT_EQ(rows.Rows(), (Rows{{2}, {9}, {1}}));
}

TEST(DockRows, BarsWantingTheSamePlaceKeepTheirOrderOnEveryLayout)
{
    for (int pass = 0; pass < 3; ++pass) {
        std::vector<RowEntry> row{Entry(1, 0, 100, 0), Entry(2, 0, 80, 1), Entry(3, 0, 60, 2)};
        EXPECT_EQ(ArrangeRow(row, 500), -1);
        EXPECT_EQ(row[0].bar, 1u);
        EXPECT_EQ(row[1].bar, 2u);
        EXPECT_EQ(row[1].left, 100);
        EXPECT_EQ(row[2].left, 180);
    }
}

TEST(DockRows, OverlapsArePushedApartAndKeptInsideTheRow)
{
    std::vector<RowEntry> row{Entry(1, 0, 100, 0), Entry(2, 450, 100, 1)};
    EXPECT_EQ(ArrangeRow(row, 500), -1);
    EXPECT_EQ(row[1].left, 400);
    EXPECT_EQ(row[1].right, 500);
    std::vector<RowEntry> overlap{Entry(1, 50, 100, 1), Entry(2, 0, 100, 0)};
    EXPECT_EQ(ArrangeRow(overlap, 500), -1);
    EXPECT_EQ(overlap[0].bar, 2u);
    EXPECT_EQ(overlap[1].left, 100);
}

TEST(DockRows, ShortRowShrinksBarsOrReportsTheOneThatDoesNotFit)
{
    std::vector<RowEntry> row{Entry(1, 0, 200, 0, 50), Entry(2, 200, 200, 1, 50)};
    EXPECT_EQ(ArrangeRow(row, 300), -1);
    EXPECT_EQ(row[1].right, 300);
    EXPECT_GE(row[1].right - row[1].left, 50);
    EXPECT_GE(row[0].right - row[0].left, 50);
    EXPECT_LE(row[0].right, row[1].left);

    std::vector<RowEntry> tooLong{Entry(1, 0, 200, 0, 200), Entry(2, 200, 200, 1, 200)};
    EXPECT_EQ(ArrangeRow(tooLong, 300), 1);
    std::vector<RowEntry> alone{Entry(1, 0, 400, 0, 400)};
    EXPECT_EQ(ArrangeRow(alone, 300), -1) << "a bar alone in its row stays";
}
