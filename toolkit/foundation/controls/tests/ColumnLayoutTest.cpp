#include "core/ColumnLayout.h"

#include <gtest/gtest.h>

using namespace kit;

TEST(ColumnLayout, WidthsAreWrittenWithACommaAfterEach)
{
    EXPECT_EQ(FormatColumnWidths({120, 80, 200}), L"120,80,200,");
    EXPECT_EQ(FormatColumnWidths({}), L"");
}

TEST(ColumnLayout, SavedFieldsRoundTripByColumnIndex)
{
    const std::wstring saved = FormatColumnWidths({120, 80, 200});
    EXPECT_EQ(ParseColumnWidthField(saved, 0, 4000), 120);
    EXPECT_EQ(ParseColumnWidthField(saved, 1, 4000), 80);
    EXPECT_EQ(ParseColumnWidthField(saved, 2, 4000), 200);
}

TEST(ColumnLayout, DamagedProfileFieldsGiveNoWidth)
{
    struct Case
    {
        const wchar_t* saved;
        int index;
        int expected;
    };
    const Case cases[] = {
        {L"120,80,", 2, 0},             // fewer fields than columns
        {L"120,80,", 5, 0},             // a count beyond the columns
        {L"120,,200,", 1, 0},           // empty field
        {L"120,-5,200,", 1, 0},         // negative
        {L"120,8x,200,", 1, 0},         // malformed
        {L"99999999999999,", 0, 0},     // would overflow
        {L"120,80,200,", -1, 0},        // no such index
        {L"", 0, 0},
        {L"90000,", 0, 4000},           // wider than the screen allows
        {L"120,80,200", 2, 200},        // no comma after the last field
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseColumnWidthField(c.saved, c.index, 4000), c.expected) << c.saved << " field " << c.index;
}

TEST(ColumnLayout, SpreadSkipsFrozenColumnsAndNarrowShares)
{
    EXPECT_EQ(SpreadShare(300, 5, 2, 0), 100); // two of five frozen: three columns of 100
    EXPECT_EQ(SpreadShare(301, 5, 2, 0), 100);
    EXPECT_FALSE(SpreadShare(300, 2, 2, 0));   // everything frozen: no division by zero
    EXPECT_FALSE(SpreadShare(300, 0, 0, 0));
    EXPECT_FALSE(SpreadShare(300, 3, 5, 0));   // more frozen ids than columns
    EXPECT_FALSE(SpreadShare(90, 3, 0, 30));   // share not above the minimum
    EXPECT_EQ(SpreadShare(93, 3, 0, 30), 31);
    EXPECT_FALSE(SpreadShare(-10, 3, 0, 0));
}

TEST(ColumnLayout, FitWidthTakesOffScrollBarAndFrozenColumns)
{
    EXPECT_EQ(FitWidth(500, true, 17, 100), 383);
    EXPECT_EQ(FitWidth(500, false, 17, 100), 400);
    EXPECT_EQ(FitWidth(50, true, 17, 100), 0);
}

TEST(ColumnLayout, ProtectedHalfFollowsTheLayoutDirection)
{
    // Item [100, 200): left half next to a frozen previous item.
    EXPECT_TRUE(IsNextToFrozenDivider(120, 100, 200, true, false, false));
    EXPECT_FALSE(IsNextToFrozenDivider(170, 100, 200, true, false, false));
    EXPECT_FALSE(IsNextToFrozenDivider(120, 100, 200, false, true, false));
    // Right to left: the right half, next to a frozen next item.
    EXPECT_TRUE(IsNextToFrozenDivider(170, 100, 200, false, true, true));
    EXPECT_FALSE(IsNextToFrozenDivider(120, 100, 200, false, true, true));
}

TEST(ColumnLayout, SecondClickReversesTheOrder)
{
    EXPECT_TRUE(NextSortAscending(2, -1, true));  // new column: ascending
    EXPECT_FALSE(NextSortAscending(2, 2, true));  // same column again: descending
    EXPECT_TRUE(NextSortAscending(2, 2, false));  // and back
    EXPECT_TRUE(NextSortAscending(1, 2, false));  // another column: ascending
}
