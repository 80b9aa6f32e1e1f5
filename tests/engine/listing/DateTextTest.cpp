#include "DateText.h"

#include <gtest/gtest.h>

namespace {

struct FileTimeCase {
  uint64_t FileTime;
  const char16_t* Expected;
};

TEST(DateTextTest, FileTimesPrintUnpaddedInUtc) {
  const FileTimeCase cases[] = {
      {0, u"1-1-1601 0:0:0"},
      {128806347070000000ULL, u"4-3-2009 10:5:7"},
      {116444736000000000ULL, u"1-1-1970 0:0:0"},
      {0x8000000000000000ULL, u""},  // refused by the conversion
  };
  for (const FileTimeCase& c : cases) {
    EXPECT_EQ(engine::FormatFileTime(static_cast<uint32_t>(c.FileTime), static_cast<uint32_t>(c.FileTime >> 32)),
              c.Expected);
  }
}

TEST(DateTextTest, FatDatesPrintPaddedWithATrailingBlank) {
  EXPECT_EQ(engine::FormatFatDate(0x3A64), u"04-03-2009 ");
  EXPECT_EQ(engine::FormatFatDate(0), u"00-00-1980 ");
  EXPECT_EQ(engine::FormatFatDate(0xFFFF), u"31-15-2107 ");
}

TEST(DateTextTest, CivilDatesRoundTripAndRefuseImpossibleDays) {
  engine::CivilDateTime leapDay{2024, 2, 29, 23, 59, 58, 0};
  const auto fileTime = engine::CivilToFileTime(leapDay);
  ASSERT_TRUE(fileTime);
  const auto back = engine::FileTimeToCivil(*fileTime);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->Year, 2024);
  EXPECT_EQ(back->Month, 2);
  EXPECT_EQ(back->Day, 29);
  EXPECT_EQ(back->Second, 58);
  EXPECT_FALSE(engine::CivilToFileTime({2023, 2, 29, 0, 0, 0, 0}));
  EXPECT_FALSE(engine::CivilToFileTime({2023, 0, 1, 0, 0, 0, 0}));
  EXPECT_FALSE(engine::CivilToFileTime({2023, 1, 0, 0, 0, 0, 0}));
}

}  // namespace
