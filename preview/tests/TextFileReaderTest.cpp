#include <gtest/gtest.h>

#include "CTextFileReader.h"
#include "ReaderFixtures.h"

namespace preview {
namespace {

using test::RunInFixtureFolder;
using test::WriteFixture;

std::u16string ReadAllOf(const std::filesystem::path& path, int32_t* encoding = nullptr) {
  CTextFileReader reader(path);
  std::u16string text = u"unchanged";
  EXPECT_TRUE(reader.ReadAll(text, u"|"));
  if (encoding != nullptr) *encoding = reader.GetEncoding();
  return text;
}

struct TextCase {
  const char* name;
  std::string bytes;
  std::u16string text;
  int32_t encoding;
};

TEST(TextFileReader, ReadsLinesInEveryEncodingAndBreak) {
  const TextCase cases[] = {
      {"empty", "", u"", CTextFileReader::kAnsi},
      {"crlf", "a\r\nb", u"a|b", CTextFileReader::kAnsi},
      {"lf", "a\nb", u"a|b", CTextFileReader::kAnsi},
      {"cr", "a\rb", u"a|b", CTextFileReader::kAnsi},
      {"trailing-break", "a\r\n", u"a|", CTextFileReader::kAnsi},
      {"lf-cr-is-two-breaks", "a\n\rb", u"a||b", CTextFileReader::kAnsi},
      {"ansi-1252", "caf\xE9 \x80", u"caf\u00E9 \u20AC", CTextFileReader::kAnsi},
      {"utf8-mark", "\xEF\xBB\xBFh\xC3\xA9\xE2\x82\xAC", u"h\u00E9\u20AC", CTextFileReader::kUtf8},
      {"ef-bb-without-bf-is-ansi", "\xEF\xBBx", u"\u00EF\u00BBx", CTextFileReader::kAnsi},
      {"utf8-four-byte-and-lone-continuation", "\xEF\xBB\xBF\xF0\x9F\x98\x80\x80",
       u"\xFFFD\xFFFD\xFFFD\xFFFD\xFFFD", CTextFileReader::kUtf8},
      {"utf16-le", std::string("\xFF\xFE" "a\0\n\0b\0", 8), u"a|b", CTextFileReader::kUtf16LittleEndian},
      {"utf16-be-odd-byte-lost", std::string("\xFE\xFF\0a\0\r\0b\0", 9), u"a|b", CTextFileReader::kUtf16BigEndian},
      // A NUL does not end the text: what follows it is still shown.
      {"ansi-nul-keeps-rest", std::string("ab\0cd\nef", 8), u"ab\xFFFD" u"cd|ef", CTextFileReader::kAnsi},
      {"utf16-nul-keeps-rest", std::string("\xFF\xFEx\0\0\0y\0", 8), u"x\xFFFDy", CTextFileReader::kUtf16LittleEndian},
  };
  for (const TextCase& c : cases) {
    SCOPED_TRACE(c.name);
    int32_t encoding = -1;
    EXPECT_EQ(ReadAllOf(WriteFixture(std::string(c.name) + ".txt", c.bytes), &encoding), c.text);
    EXPECT_EQ(encoding, c.encoding);
  }
}

TEST(TextFileReader, ReadsFilesWrittenByIconv) {
  // The same text written by iconv in each encoding, with the marks Windows tools write.
  ASSERT_TRUE(RunInFixtureFolder("printf 'Gr\\303\\274\\303\\237e\\r\\nzweite Zeile\\n' > plain.txt"));
  ASSERT_TRUE(RunInFixtureFolder("iconv -f UTF-8 -t WINDOWS-1252 plain.txt > ansi.txt"));
  ASSERT_TRUE(RunInFixtureFolder("printf '\\357\\273\\277' > utf8.txt && cat plain.txt >> utf8.txt"));
  ASSERT_TRUE(RunInFixtureFolder("printf '\\377\\376' > utf16le.txt && iconv -f UTF-8 -t UTF-16LE plain.txt >> utf16le.txt"));
  ASSERT_TRUE(RunInFixtureFolder("printf '\\376\\377' > utf16be.txt && iconv -f UTF-8 -t UTF-16BE plain.txt >> utf16be.txt"));
  for (const char* name : {"ansi.txt", "utf8.txt", "utf16le.txt", "utf16be.txt"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(ReadAllOf(test::FixtureFolder() / name), u"Gr\u00FC\u00DFe|zweite Zeile|");
  }
}

TEST(TextFileReader, LengthLinesAndMissingFile) {
  CTextFileReader utf16(WriteFixture("seven16.txt", std::string("\xFF\xFE" "a\0b\0c", 7)));
  EXPECT_EQ(utf16.GetLength(), 3);
  CTextFileReader ansi(WriteFixture("seven.txt", "abcdefg"));
  EXPECT_EQ(ansi.GetLength(), 7);
  std::u16string line;
  EXPECT_TRUE(ansi.ReadLine(line));
  EXPECT_EQ(line, u"abcdefg");
  EXPECT_FALSE(ansi.ReadLine(line));
  ansi.Rewind();
  EXPECT_TRUE(ansi.ReadLine(line));

  // A line longer than one block of the file.
  CTextFileReader longLine(WriteFixture("long.txt", std::string(3000, 'x') + "\ny"));
  EXPECT_TRUE(longLine.ReadLine(line));
  EXPECT_EQ(line.size(), 3000u);

  CTextFileReader missing(test::FixtureFolder() / "no-such-file.txt");
  EXPECT_FALSE(missing.IsOpen());
  EXPECT_TRUE(missing.IsEof());
  std::u16string text = u"unchanged";
  EXPECT_FALSE(missing.ReadAll(text, u"|"));
  EXPECT_EQ(text, u"unchanged");
}

}  // namespace
}  // namespace preview
