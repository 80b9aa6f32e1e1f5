#include <gtest/gtest.h>

#include "EngineContext.h"
#include "FaultySectorSource.h"
#include "RecordingHost.h"
#include "SignatureTestSupport.h"
#include "signatures/SignatureDatabase.h"
#include "signatures/SignatureSelection.h"

namespace {

using engine::FileTypeTreeItem;
using signaturetests::DatabaseRow;

class SignatureSelectionTest : public ::testing::Test {
 protected:
  // Loads the rows as the File Types dialog does (each record at the head).
  void Load(const std::vector<DatabaseRow>& rows) {
    const std::vector<uint8_t> bytes = signaturetests::EncodeDatabase(rows);
    int index = 0;
    for (const auto& raw : engine::ParseSignatureDatabase(bytes)) {
      host.FileTypeTreeAddSignature(engine::MakeSignatureRecord(raw, index++));
    }
  }
  std::vector<std::string> SelectedTexts() const {
    std::vector<std::string> texts;
    for (const auto& s : ctx.Results.SelectedSignatures) {
      texts.push_back(testsupport::ToUtf8(s.Extension) + " " + s.SignatureText + " " +
                      std::to_string(s.SignatureLength) + " " + std::to_string(s.FifthValue));
    }
    return texts;
  }

  signaturetests::FileTypesHost host;
  testsupport::FakeDeviceOpener opener;
  engine::EngineContext ctx{host, opener};
};

TEST_F(SignatureSelectionTest, TwoRecordsOfOneExtensionComeLaterRecordFirst) {
  Load({{'1', ".doc", "Word", "", {0xD0, 0xCF}}, {'1', ".doc", "Word", "", {0xDB, 0xA5}}});
  const FileTypeTreeItem items[] = {{u"Document Files", 3}, {u".doc", 2}};
  EXPECT_EQ(engine::AddCheckedSignatures(ctx, host.RecordsHeadFirst, items), 1);
  EXPECT_EQ(SelectedTexts(), (std::vector<std::string>{".doc DBA5 2 0", ".doc D0CF 2 0"}));
  EXPECT_EQ(ctx.Results.SelectedSignatureCount, 2);
}

TEST_F(SignatureSelectionTest, FollowsTheTreeOrderAndTakesTickedAndPartlyTickedItemsOnly) {
  Load({{'4', ".jpg", "JPEG", "", {0xFF, 0xD8, 0xFF}}, {'0', ".zip", "ZIP", "", {0x50, 0x4B}},
        {'4', ".png", "PNG", "", {0x89, 0x50}}});
  const FileTypeTreeItem items[] = {{u"Archive Files", 2}, {u".zip", 2},   {u"Graphics Files", 3},
                                    {u".jpg", 1},          {u".png", 3},   {u".Zip", 2}};
  engine::AddCheckedSignatures(ctx, host.RecordsHeadFirst, items);
  EXPECT_EQ(SelectedTexts(), (std::vector<std::string>{".zip 504B 2 0", ".png 8950 2 0"}));
}

TEST_F(SignatureSelectionTest, LengthAndFifthValueAreReadAsDecimalText) {
  Load({{'4', ".jpg", "JPEG", "3", {0xFF, 0xD8, 0xFF}, {0x12}}, {'4', ".gif", "GIF", "", {0x47}, {0x0A}}});
  const FileTypeTreeItem items[] = {{u".jpg", 2}, {u".gif", 2}};
  engine::AddCheckedSignatures(ctx, host.RecordsHeadFirst, items);
  EXPECT_EQ(SelectedTexts(), (std::vector<std::string>{".jpg FFD8FF 3 12", ".gif 47 1 0"}));
}

TEST_F(SignatureSelectionTest, SignatureThatComparesNoByteIsNeverSelected) {
  Load({{'9', ".any", "Zero length", "0", {0x41}}, {'9', ".any", "No bytes", "4", {}},
        {'9', ".any", "Usable", "", {0x42}}});
  const FileTypeTreeItem items[] = {{u".any", 2}};
  engine::AddCheckedSignatures(ctx, host.RecordsHeadFirst, items);
  EXPECT_EQ(SelectedTexts(), (std::vector<std::string>{".any 42 1 0"}));
}

TEST_F(SignatureSelectionTest, AppendsToWhatIsAlreadySelected) {
  Load({{'4', ".bmp", "Bitmap", "", {0x42, 0x4D}}});
  const FileTypeTreeItem items[] = {{u".bmp", 2}};
  engine::AddCheckedSignatures(ctx, host.RecordsHeadFirst, items);
  engine::AddCheckedSignatures(ctx, host.RecordsHeadFirst, items);
  EXPECT_EQ(ctx.Results.SelectedSignatures.size(), 2u);
}

}  // namespace
