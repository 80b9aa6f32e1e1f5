#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "EngineContext.h"
#include "FaultySectorSource.h"
#include "RecordingHost.h"
#include "SignatureTestSupport.h"
#include "signatures/HexText.h"
#include "signatures/SignatureDatabase.h"

namespace {

using signaturetests::DatabaseRow;
using signaturetests::EncodeDatabase;

// A program folder holding a "Raw.dat" with the given bytes.
class ProgramFolder {
 public:
  explicit ProgramFolder(const std::vector<uint8_t>* database) {
    folder_ = std::filesystem::temp_directory_path() /
              ("pelmo-signatures-" + std::to_string(reinterpret_cast<uintptr_t>(this)));
    std::filesystem::create_directories(folder_);
    if (database != nullptr) {
      std::ofstream(folder_ / "Raw.dat", std::ios::binary)
          .write(reinterpret_cast<const char*>(database->data()), static_cast<std::streamsize>(database->size()));
    }
  }
  ~ProgramFolder() { std::filesystem::remove_all(folder_); }
  std::u16string Path() const { return folder_.u16string(); }

 private:
  std::filesystem::path folder_;
};

std::vector<std::string> LoadCalls(const std::vector<uint8_t>* database) {
  ProgramFolder folder(database);
  testsupport::RecordingHost host;
  testsupport::FakeDeviceOpener opener;
  engine::EngineContext ctx(host, opener);
  ctx.ProgramFolder = folder.Path();
  engine::LoadSignatureDatabase(ctx);
  return host.Calls();
}

TEST(LoadSignatureDatabase, OneDocumentRecordGivesItsCategoryAndTicksTheRoot) {
  const auto database = EncodeDatabase({{'1', ".doc", "Word Document", "", {0xD0, 0xCF}}});
  EXPECT_EQ(LoadCalls(&database),
            (std::vector<std::string>{"FileTypes.AddTypeItem Document Files .doc", "FileTypes.AddSignature 0 .doc",
                                      "FileTypes.ToggleRootCheck", "FileTypes.ToggleRootExpand"}));
}

TEST(LoadSignatureDatabase, EmptyFileGivesAnEmptyTreeAndMissingFileNothingAtAll) {
  const std::vector<uint8_t> empty;
  EXPECT_EQ(LoadCalls(&empty), (std::vector<std::string>{"FileTypes.ToggleRootCheck", "FileTypes.ToggleRootExpand"}));
  EXPECT_TRUE(LoadCalls(nullptr).empty());
}

TEST(LoadSignatureDatabase, RecordWithoutExtensionIsKeptWithoutTreeItem) {
  const auto database = EncodeDatabase({{'4', "", "Nameless", "", {0x01}}, {'4', ".jpg", "JPEG", "", {0xFF}}});
  EXPECT_EQ(LoadCalls(&database),
            (std::vector<std::string>{"FileTypes.AddSignature 0 ", "FileTypes.AddTypeItem Graphics Files .jpg",
                                      "FileTypes.AddSignature 1 .jpg", "FileTypes.ToggleRootCheck",
                                      "FileTypes.ToggleRootExpand"}));
}

TEST(SignatureCategoryName, DigitsNameTheTenCategoriesAndOtherBytesNameThemselves) {
  const std::pair<uint8_t, std::u16string> cases[] = {
      {'0', u"Archive Files"},  {'1', u"Document Files"}, {'2', u"Database Files"}, {'3', u"E-mail Files"},
      {'4', u"Graphics Files"}, {'5', u"Sound Files"},    {'6', u"Media Files"},    {'7', u"Internet Files"},
      {'8', u"CAD Files"},      {'9', u"Other Files"},    {'X', u"X"},              {0x80, u"\u20AC"}};
  for (const auto& [category, name] : cases) {
    EXPECT_EQ(engine::SignatureCategoryName(category), name) << int{category};
  }
}

TEST(ParseSignatureDatabase, StopsCleanlyAtADamagedField) {
  const std::vector<uint8_t> good = signaturetests::EncodeRecord({'1', ".pdf", "PDF", "", {0x25, 0x50}});
  struct Case {
    const char* what;
    std::vector<uint8_t> tail;
  };
  std::vector<uint8_t> tooLong = signaturetests::EncodeRecord({'1', ".x", "X", "", {0x01}});
  tooLong[7] = 0x00;  // the type-name count becomes 256
  tooLong[8] = 0x01;
  const Case cases[] = {
      {"record cut inside a field", std::vector<uint8_t>(good.begin(), good.end() - 3)},
      {"count running past the end", {0x01, 0x00, '1', 0xFF, 0x00, '.'}},
      {"field longer than 255 bytes", tooLong},
      {"lone byte", {0x01}},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> bytes = good;
    bytes.insert(bytes.end(), c.tail.begin(), c.tail.end());
    const auto records = engine::ParseSignatureDatabase(bytes);
    ASSERT_EQ(records.size(), 1u) << c.what;
    EXPECT_EQ(std::string(records[0].Extension.begin(), records[0].Extension.end()), ".pdf") << c.what;
  }
}

TEST(MakeSignatureRecord, KeepsTextsAndWritesBytesAsUpperCaseHex) {
  engine::RawSignatureRecord raw;
  raw.Category = '4';
  raw.Extension = {'.', 'j', 'p', 'g'};
  raw.TypeName = {'J', 'P', 'E', 'G'};
  raw.SignatureLength = {'3'};
  raw.Signature = {0xFF, 0xD8, 0xFF};
  raw.FifthValue = {0x0A, 0x00};
  const engine::SignatureRecord record = engine::MakeSignatureRecord(raw, 7);
  EXPECT_EQ(record.Index, 7);
  EXPECT_EQ(record.Extension, u".jpg");
  EXPECT_EQ(record.FileTypeName, u"JPEG");
  EXPECT_EQ(record.SignatureLength, u"3");
  EXPECT_EQ(record.SignatureText, u"FFD8FF");
  EXPECT_EQ(record.FifthValue, u"0A00");
}

TEST(HexText, LowerCaseBytesSwappedPairsAndLeadingDecimals) {
  const uint8_t bytes[] = {0x00, 0x7F, 0xAB, 0xFF};
  EXPECT_EQ(engine::BytesToHexText(bytes), "007fabff");
  EXPECT_EQ(engine::SwapHexBytePair("0a01"), "010a");
  const std::pair<std::string, uint32_t> decimals[] = {
      {"0000", 0}, {"12", 12}, {"0A", 0}, {"12AB", 12}, {"", 0}, {"99999999999", UINT32_MAX}};
  for (const auto& [text, value] : decimals) EXPECT_EQ(engine::LeadingDecimalValue(text), value) << text;
  EXPECT_FALSE(engine::HexTextToBytes("ABC"));
  EXPECT_FALSE(engine::HexTextToBytes("GG"));
  EXPECT_EQ(*engine::HexTextToBytes("d0CF"), (std::vector<uint8_t>{0xD0, 0xCF}));
}

}  // namespace
