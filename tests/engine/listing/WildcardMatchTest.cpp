#include "WildcardMatch.h"

#include <gtest/gtest.h>

#include "FileFilters.h"

namespace {

struct WildcardCase {
  const char16_t* Name;
  const char16_t* Pattern;
  int Expected;
};

class WildcardMatchTest : public testing::TestWithParam<WildcardCase> {};

TEST_P(WildcardMatchTest, MatchesAsTheFiltersExpect) {
  const WildcardCase& c = GetParam();
  EXPECT_EQ(engine::MatchWildcard(c.Name, c.Pattern), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WildcardMatchTest,
    testing::Values(
        // Empty sides match nothing.
        WildcardCase{u"", u"*", 0}, WildcardCase{u"A", u"", 0},
        // "*" and "*.*".
        WildcardCase{u"README", u"*", 1}, WildcardCase{u"README", u"*.*", 0}, WildcardCase{u"A.B", u"*.*", 1},
        // A plain pattern is a "contains" test; a longer pattern never matches.
        WildcardCase{u"REPORT.DOC", u"DOC", 1}, WildcardCase{u"REPORT.DOCX", u"DOC", 1},
        WildcardCase{u"DO", u"DOC", 0},
        // '*' followed by literals compares the end of the name.
        WildcardCase{u"REPORT.DOC", u"*.DOC", 1}, WildcardCase{u"REPORT.DOCX", u"*.DOC", 0},
        WildcardCase{u"X", u"*X", 0}, WildcardCase{u"AX", u"*X", 1},
        // A pattern without a final '*' matches the beginning of the name.
        WildcardCase{u"REPORT.DOC", u"R?P", 1}, WildcardCase{u"REPORT.DOC", u"R?X", 0},
        WildcardCase{u"REPORT.DOC", u"REP*", 1}, WildcardCase{u"REPORT.DOC", u"REP**", 1},
        // A '?' after a '*' is not part of the segment compared with the end.
        WildcardCase{u"XAYB", u"*A?B", 0}, WildcardCase{u"AB", u"*?B", 1},
        // A final '?' stands for the last character.
        WildcardCase{u"ABC", u"AB?", 1}, WildcardCase{u"REPORT.DOC", u"*.DO?", 1},
        WildcardCase{u"REPORT.TXT", u"*.DO?", 0},
        // Case matters: callers upper-case both sides.
        WildcardCase{u"report.doc", u"*.DOC", 0}));

TEST(FileFiltersTest, NoFiltersPassEverythingAndFiltersCompareUpperCased) {
  engine::FileFilterTable filters;
  EXPECT_TRUE(engine::PassesFileFilters(filters, u"anything"));
  filters.Patterns = {u"*.txt", u"*.doc"};
  EXPECT_TRUE(engine::PassesFileFilters(filters, u"Report.Doc"));
  EXPECT_FALSE(engine::PassesFileFilters(filters, u"report.docx"));
  EXPECT_EQ(engine::UpperCaseText(u"ärger.ÿ"), u"ÄRGER.Ÿ");
}

}  // namespace
