// The converter driver's command line, the lists and records converter libraries
// hand back, and its paths, with tables of well-formed and damaged cases.
#include "ConverterDriverCore.h"

#include <gtest/gtest.h>

namespace preview::converter {
namespace {

TEST(ConverterArguments, TheViewsCommandLine) {
  ConverterOptions options;
  options.exportClass = "RTF";
  char bad = 0;
  ASSERT_EQ(ParseConverterArguments({"-x", "MSWord6RTFExp", "-i", "MSWord8", "in.doc", "out.rtf"}, options, bad),
            ParseResult::kRun);
  EXPECT_EQ(options.importClass, "MSWord8");
  EXPECT_EQ(options.exportClass, "MSWord6RTFExp");
  EXPECT_EQ(options.inputFile, "in.doc");
  EXPECT_EQ(options.outputFile, "out.rtf");
  EXPECT_EQ(options.fileCount, 2);
}

TEST(ConverterArguments, OptionsAndTheirFaults) {
  struct Case {
    std::vector<std::string> entries;
    ParseResult result;
  };
  const Case cases[] = {
      {{"-lv"}, ParseResult::kRun},
      {{"-h", "-q"}, ParseResult::kHelp},
      {{"-q"}, ParseResult::kUnknownOption},
      {{"-i"}, ParseResult::kUsageError},             // a value is missing
      {{"-ix", "a", "b"}, ParseResult::kUsageError},  // a value-taking letter not last
      {{"a", "b", "c"}, ParseResult::kUsageError},    // a third file
      {{std::string(260, 'n')}, ParseResult::kTooLong},
      {{"-i", std::string(260, 'c')}, ParseResult::kTooLong},
      {{"-f", "a.doc"}, ParseResult::kRun},
  };
  for (const Case& c : cases) {
    ConverterOptions options;
    char bad = 0;
    EXPECT_EQ(ParseConverterArguments(c.entries, options, bad), c.result) << c.entries[0];
  }
  ConverterOptions options;
  char bad = 0;
  ASSERT_EQ(ParseConverterArguments({"-lvv"}, options, bad), ParseResult::kRun);
  EXPECT_TRUE(options.list);
  EXPECT_EQ(options.verbosity, 2);
  ASSERT_EQ(ParseConverterArguments({"-vq"}, options, bad), ParseResult::kUnknownOption);
  EXPECT_EQ(bad, 'q');
}

TEST(ConverterNameLists, ReadWithinTheirBlock) {
  const char good[] = "MSWord8\0WordPerfect6\0\0garbage";
  EXPECT_EQ(ReadNameList(good, sizeof(good)), (std::vector<std::string>{"MSWord8", "WordPerfect6"}));
  // A list that fills its block without its end: the unended name is not taken.
  const char unended[] = {'A', '\0', 'B', 'C'};
  EXPECT_EQ(ReadNameList(unended, sizeof(unended)), (std::vector<std::string>{"A"}));
  EXPECT_TRUE(ReadNameList(nullptr, 10).empty());
  EXPECT_TRUE(ReadNameList("\0", 1).empty());
}

TEST(ConverterPreferences, RecordsAreReadWithinTheBlockAndTheirSize) {
  // Total 9: a Word 8.0 RTF record and a storage record.
  const uint8_t good[] = {9, 0, 4, 1, 8, 0, 3, 2, 3};
  const auto preferences = ReadPreferences(good, sizeof(good));
  ASSERT_EQ(preferences.size(), 2u);
  EXPECT_EQ(preferences[0].opcode, 1);
  EXPECT_EQ(preferences[0].data, (std::vector<uint8_t>{8, 0}));
  EXPECT_EQ(preferences[1].data, (std::vector<uint8_t>{3}));

  struct Case {
    std::vector<uint8_t> block;
    size_t records;
  };
  const Case damaged[] = {
      {{200, 0, 3, 1, 8}, 1},        // a declared size beyond the block
      {{8, 0, 0, 1, 0, 0, 0, 0}, 0}, // a record of size 0 ends the walk
      {{6, 0, 1, 1, 0, 0}, 0},       // size 1 cannot hold its opcode
      {{6, 0, 9, 1, 0, 0}, 0},       // a record beyond the declared size
      {{1}, 0},
  };
  for (const Case& c : damaged) {
    EXPECT_EQ(ReadPreferences(c.block.data(), c.block.size()).size(), c.records);
  }
}

TEST(ConverterNames, LibrariesPathsAndClasses) {
  EXPECT_TRUE(IsConverterLibraryName("mswrd8.CNV"));
  EXPECT_TRUE(IsConverterLibraryName("wpft5.wpc"));
  EXPECT_FALSE(IsConverterLibraryName("a.cnv"));  // not longer than 5
  EXPECT_FALSE(IsConverterLibraryName("readme.txt"));
  EXPECT_TRUE(SameClass("rtf", kRtfClass));
  EXPECT_FALSE(SameClass("rtf2", kRtfClass));
  EXPECT_EQ(ResolveOutputPath("out.rtf", "C:\\work"), "C:\\work\\out.rtf");
  EXPECT_EQ(ResolveOutputPath("D:out.rtf", "C:\\work"), "D:out.rtf");
  EXPECT_EQ(ResolveOutputPath("\\tmp\\out.rtf", "C:\\work"), "\\tmp\\out.rtf");
  EXPECT_EQ(ConverterErrorTextOf(-14).fill, ConverterErrorText::kProgramAndInput);
  EXPECT_EQ(ConverterErrorTextOf(-99).fill, ConverterErrorText::kLibraryAndCode);
}

}  // namespace
}  // namespace preview::converter
