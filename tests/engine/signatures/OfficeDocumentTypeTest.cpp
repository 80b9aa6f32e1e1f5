#include <gtest/gtest.h>

#include "CompoundFileWriter.h"
#include "signatures/CompoundFile.h"
#include "signatures/OfficeDocumentType.h"

namespace {

using testsupport::OfficeDocument;

struct OfficeCase {
  const char* name;
  const char* appName;
  std::u16string mainStream;
  std::u16string expected;
};

void PrintTo(const OfficeCase& c, std::ostream* out) { *out << c.name; }

class ClassifyOfficeDocumentTest : public ::testing::TestWithParam<OfficeCase> {};

TEST_P(ClassifyOfficeDocumentTest, ByApplicationNameThenStreamNames) {
  const OfficeCase& c = GetParam();
  // 6000 bytes puts the main stream in regular sectors and the summary in the mini stream.
  EXPECT_EQ(engine::ClassifyOfficeDocument(OfficeDocument(c.appName, c.mainStream, 6000, 7)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Documents, ClassifyOfficeDocumentTest,
    ::testing::Values(OfficeCase{"WordByName", "Microsoft Office Word", u"WordDocument", u".doc"},
                      OfficeCase{"ExcelByName", "Microsoft Excel", u"Workbook", u".xls"},
                      OfficeCase{"PowerPointByName", "Microsoft Office PowerPoint", u"PowerPoint Document", u".ppt"},
                      OfficeCase{"PublisherByName", "Microsoft Publisher", u"Contents", u".pub"},
                      // The name wins over the streams.
                      OfficeCase{"NameBeatsStreams", "Microsoft Excel", u"WordDocument", u".xls"},
                      // No name, or one that names none of them: the streams decide.
                      OfficeCase{"WorkbookStream", "", u"Workbook", u".xls"}, OfficeCase{"BookStream", "", u"Book", u".xls"},
                      OfficeCase{"ForeignNameWordStream", "LibreOffice", u"WordDocument", u".doc"},
                      OfficeCase{"PowerPointStream", "", u"PowerPoint Document", u".ppt"}, OfficeCase{"QuillStorage", "", u"Contents", u".pub"},
                      OfficeCase{"NothingKnown", "", u"Something", u".pub"}),
    [](const ::testing::TestParamInfo<OfficeCase>& info) { return std::string(info.param.name); });

TEST(ClassifyOfficeDocument, ReadsTheApplicationNameFromTheMiniStream) {
  const std::vector<uint8_t> document = OfficeDocument("Microsoft Word 10.0", u"WordDocument", 100, 3);
  const auto file = engine::CompoundFile::Open(document);
  ASSERT_TRUE(file);
  EXPECT_EQ(engine::ReadSummaryAppName(*file), "Microsoft Word 10.0");
}

TEST(ClassifyOfficeDocument, DamagedOrForeignBytesGivePublisher) {
  const std::vector<uint8_t> document = OfficeDocument("Microsoft Excel", u"Workbook", 6000, 5);
  std::vector<uint8_t> cut(document.begin(), document.begin() + 700);  // header and FAT only
  std::vector<uint8_t> circular = document;
  // Point the first FAT entry (a FAT sector) and the directory's chain at themselves.
  const uint32_t directory = circular[48];
  circular[512 + 4 * directory] = static_cast<uint8_t>(directory);
  for (int i = 1; i < 4; ++i) circular[512 + 4 * directory + i] = 0;
  std::vector<uint8_t> badVersion = document;
  badVersion[26] = 4;  // version 4 with 512-byte sectors does not exist
  const std::vector<uint8_t> cases[] = {{}, std::vector<uint8_t>(4096, 0), cut, badVersion, circular};
  for (const auto& bytes : cases) EXPECT_EQ(engine::ClassifyOfficeDocument(bytes), u".pub");
}

}  // namespace
