#include "copyout/SavePaths.h"

#include <gtest/gtest.h>

namespace {

TEST(SavePathsTest, NamesFromTheDiskAreMadeSafe) {
  const std::pair<std::u16string, std::u16string> cases[] = {
      {u"report.doc", u"report.doc"},
      {u"..", u"_"},  // Windows would drop the dots of "_.." and "_." itself
      {u".", u"_"},
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

TEST(SavePathsTest, LongNamesAreShortenedKeepingTheirExtension) {
  const std::u16string stem(300, u'x');
  const std::u16string fitted = engine::SanitizeFileName(stem + u".jpeg");
  EXPECT_EQ(fitted, std::u16string(250, u'x') + u".jpeg");
  // No extension worth keeping: cut at the limit, never in a surrogate pair.
  std::u16string pairs;
  for (int i = 0; i < 200; ++i) pairs += u"\U0001F600";
  EXPECT_EQ(engine::SanitizeFileName(pairs).size(), 254u);
  EXPECT_EQ(engine::SanitizeFileName(std::u16string(256, u'a')), std::u16string(255, u'a'));

  const std::u16string copy = engine::CopyOfName(std::u16string(255, u'y') + u".txt", 12);
  EXPECT_EQ(copy.size(), engine::kMaxFileNameLength);
  EXPECT_TRUE(copy.starts_with(u"Copy (12 ) of yyy"));
  EXPECT_TRUE(copy.ends_with(u"y.txt"));
  const std::u16string partial = engine::PartialFileName(std::u16string(255, u'z') + u".mp4");
  EXPECT_EQ(partial.size(), engine::kMaxFileNameLength);
  EXPECT_TRUE(partial.ends_with(u"z.mp4.partial"));
  EXPECT_EQ(engine::PartialFileName(u"a.txt"), u"a.txt.partial");
}

}  // namespace
