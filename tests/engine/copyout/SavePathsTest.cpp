#include "copyout/SavePaths.h"

#include <gtest/gtest.h>

namespace {

TEST(SavePathsTest, NamesFromTheDiskAreMadeSafe) {
  const std::pair<std::u16string, std::u16string> cases[] = {
      {u"report.doc", u"report.doc"},
      {u"..", u"_.."},
      {u".", u"_."},
      {u"..\\..\\Windows\\evil.dll", u".._.._Windows_evil.dll"},
      {u"a/b:c*d?e\"f<g>h|i", u"a_b_c_d_e_f_g_h_i"},
      {u"tab\there", u"tab_here"},
      {u"trailing. . ", u"trailing"},
      {u"...", u"_"},
      {u"CON", u"_CON"},
      {u"con.txt", u"_con.txt"},
      {u"LPT9.log", u"_LPT9.log"},
      {u"COM0", u"COM0"},
      {u"CONSOLE", u"CONSOLE"},
      {u"", u"_"},
  };
  for (const auto& [name, expected] : cases) {
    EXPECT_EQ(engine::SanitizeFileName(name), expected);
  }
}

TEST(SavePathsTest, PathsJoinWithOneBackslash) {
  EXPECT_EQ(engine::JoinPath(u"C:\\", u"a.txt"), u"C:\\a.txt");
  EXPECT_EQ(engine::JoinPath(u"C:\\out", u"a.txt"), u"C:\\out\\a.txt");
  EXPECT_EQ(engine::CopyOfName(u"a.txt", 2), u"Copy (2 ) of a.txt");
}

}  // namespace
