#include <gtest/gtest.h>

#include "CompoundFileWriter.h"
#include "EngineContext.h"
#include "FaultySectorSource.h"
#include "RecordingHost.h"
#include "SignatureTestSupport.h"
#include "signatures/CarvedFileListing.h"
#include "signatures/FileTrace.h"

namespace {

using signaturetests::Signature;
constexpr char kCompoundFile[] = "D0CF11E0A1B11AE1";

// A disk of blank sectors on which tests place file starts.
class FileTraceTest : public ::testing::Test {
 protected:
  FileTraceTest() : disk(512 * 512, 0x20) {
    ctx.SourceDevice.SourceKind = engine::kSourceWholeDisk;
    ctx.SourceSelection.FileSystemCode = engine::kFileSystemUnknown;
  }

  void Place(uint32_t sector, const std::vector<uint8_t>& bytes) {
    if (disk.size() < (sector * 512ull + bytes.size())) disk.resize(sector * 512ull + bytes.size(), 0x20);
    std::copy(bytes.begin(), bytes.end(), disk.begin() + sector * 512ll);
  }
  void Select(std::initializer_list<engine::SelectedSignature> signatures) {
    for (const auto& s : signatures) engine::AppendSelectedSignature(ctx, s);
  }
  void Carve(uint32_t start, uint32_t end) {
    ctx.SourceDevice.DiskHandle = std::make_unique<testsupport::FaultySectorSource>(disk);
    ctx.SourceSelection.StartSector = start;
    ctx.SourceSelection.EndSector = end;
    ctx.ScanControl.StopOrDone = 0;  // as the page sets it before the worker starts
    engine::CarveFiles(ctx);
  }
  std::vector<std::string> Hits() const {
    std::vector<std::string> hits;
    for (const auto& f : ctx.Results.CarvedFiles) {
      hits.push_back(std::to_string(f.StartSector) + " " + testsupport::ToUtf8(f.DisplayName) + " " +
                     testsupport::ToUtf8(f.TypeName));
    }
    return hits;
  }

  std::vector<uint8_t> disk;
  testsupport::RecordingHost host;
  testsupport::FakeDeviceOpener opener;
  engine::EngineContext ctx{host, opener};
};

TEST_F(FileTraceTest, OneHitPerSectorForTheFirstMatchingSignatureListedByType) {
  Place(3, {'G', 'I', 'F', '8', '9', 'a'});
  Place(7, {0xFF, 0xD8, 0xFF, 0xE0});
  Place(100, {'G', 'I', 'F', '8', '7', 'a'});
  Select({Signature(u".jpg", "FFD8FF", u"JPEG Image"), Signature(u".gif", "474946", u"GIF Image"),
          Signature(u".gif", "474946383961", u"GIF 89a")});
  Carve(0, 511);
  EXPECT_EQ(Hits(), (std::vector<std::string>{"3 1.gif GIF Image", "7 2.jpg JPEG Image", "100 3.gif GIF Image"}));
  EXPECT_EQ(ctx.Results.FileCount, 3);
  EXPECT_EQ(ctx.Results.FolderCount, 3);
  EXPECT_EQ(host.CallsStartingWith("List.AddRow"),
            (std::vector<std::string>{"List.AddRow GIF Image | - | -", "List.AddRow JPEG Image | - | -"}));
  EXPECT_EQ(ctx.ScanControl.StopOrDone.load(), 1);
  EXPECT_EQ(ctx.ScanControl.Running.load(), 0);
  EXPECT_EQ(host.CallsStartingWith("ResultTree.").front(), "ResultTree.Insert Root under 0 -> 1");
}

TEST_F(FileTraceTest, RangeEndingInsideAChunkEndsAtItsEndSector) {
  for (uint32_t sector : {10u, 70u, 127u, 128u}) Place(sector, {'%', 'P', 'D', 'F'});
  Select({Signature(u".pdf", "25504446")});
  Carve(0, 70);  // the second chunk, sectors 64 to 127, holds the end sector
  EXPECT_EQ(Hits(), (std::vector<std::string>{"10 1.pdf Type", "70 2.pdf Type"}));
}

// A whole drive of 512 sectors (a whole number of chunks), with an Office file
// near its end: nothing is read past its last sector, so no sector "could not be read".
TEST_F(FileTraceTest, TraceOfAWholeDriveReadsNothingPastItsEnd) {
  disk.assign(size_t{512} * 512, 0x20);
  const std::vector<uint8_t> office = testsupport::OfficeDocument("Microsoft Excel", u"Workbook", 5000, 1);
  ASSERT_LT(office.size(), size_t{30} * 512);
  Place(480, office);
  disk.resize(size_t{512} * 512);
  Select({Signature(u".doc", kCompoundFile, u"Word Document")});
  auto counters = std::make_shared<testsupport::SourceCounters>();
  ctx.SourceDevice.DiskHandle = std::make_unique<testsupport::FaultySectorSource>(disk, counters);
  ctx.SourceSelection.StartSector = 0;
  ctx.SourceSelection.EndSector = 511;
  ctx.RecoverySettings.BadSectorRetries = 3;
  EXPECT_EQ(engine::FileTraceThreadProc(ctx), 1);
  EXPECT_EQ(Hits().size(), 1u);
  EXPECT_EQ(ctx.ReadStats.UnreadableSectors.load(), 0u);
  EXPECT_TRUE(host.CallsStartingWith("Message 1 ").empty());
}

TEST_F(FileTraceTest, CompoundFileHitsOfWordSignaturesAreRetypedWhenTheTypeIsTicked) {
  Place(10, testsupport::OfficeDocument("Microsoft Excel", u"Workbook", 5000, 1));
  Place(40, testsupport::OfficeDocument("Microsoft Word 8.0", u"WordDocument", 5000, 2));
  Place(80, testsupport::OfficeDocument("Microsoft Office PowerPoint", u"PowerPoint Document", 5000, 3));
  struct Case {
    std::vector<engine::SelectedSignature> selected;
    std::vector<std::string> hits;
  };
  const Case cases[] = {
      {{Signature(u".doc", kCompoundFile, u"Word"), Signature(u".xls", kCompoundFile, u"Excel")},
       {"10 1.xls Word", "40 2.doc Word", "80 3.doc Word"}},
      {{Signature(u".doc", kCompoundFile, u"Word")}, {"10 1.doc Word", "40 2.doc Word", "80 3.doc Word"}},
      {{Signature(u".DOC", kCompoundFile, u"Word"), Signature(u".PPT", "FFFF", u"PowerPoint")},
       {"10 1.DOC Word", "40 2.doc Word", "80 3.ppt Word"}},
      // Only Word signatures are re-typed.
      {{Signature(u".xls", kCompoundFile, u"Excel"), Signature(u".ppt", kCompoundFile, u"PowerPoint")},
       {"10 1.xls Excel", "40 2.xls Excel", "80 3.xls Excel"}},
  };
  for (const Case& c : cases) {
    engine::ReleaseSelectedSignatureList(ctx);
    for (const auto& s : c.selected) engine::AppendSelectedSignature(ctx, s);
    Carve(0, 200);
    EXPECT_EQ(Hits(), c.hits);
  }
}

TEST_F(FileTraceTest, ZipBasedWordHitIsNeverRetyped) {
  Place(5, {'P', 'K', 3, 4, 0x14, 0, 6, 0});
  Select({Signature(u".docx", "504B0304", u"Word 2007"), Signature(u".pub", "FFFF", u"Publisher")});
  Carve(0, 63);
  EXPECT_EQ(Hits(), (std::vector<std::string>{"5 1.docx Word 2007"}));
}

// Sets Stop when the first hit is reported, as the page's Stop does.
class StoppingHost : public testsupport::RecordingHost {
 public:
  engine::EngineContext* Ctx = nullptr;
  void SetCounterText(engine::ScanCounter counter, const std::u16string& text) override {
    RecordingHost::SetCounterText(counter, text);
    if (counter == engine::ScanCounter::FilesFound) Ctx->ScanControl.StopOrDone = 1;
  }
};

TEST(FileTraceStop, KeepsTheHitsSoFarAndStillBuildsTheResults) {
  StoppingHost host;
  testsupport::FakeDeviceOpener opener;
  engine::EngineContext ctx(host, opener);
  host.Ctx = &ctx;
  std::vector<uint8_t> disk(256 * 512, 0);
  for (uint32_t sector : {2u, 3u, 200u}) disk[sector * 512] = 0xAB;
  ctx.SourceDevice.SourceKind = engine::kSourceWholeDisk;
  ctx.SourceDevice.DiskHandle = std::make_unique<testsupport::FaultySectorSource>(disk);
  ctx.SourceSelection.EndSector = 255;
  engine::AppendSelectedSignature(ctx, Signature(u".ab", "AB"));
  engine::CarveFiles(ctx);
  ASSERT_EQ(ctx.Results.CarvedFiles.size(), 1u);
  EXPECT_EQ(ctx.Results.CarvedFiles[0].StartSector, 2u);
  EXPECT_EQ(host.CallsStartingWith("List.AddRow"), (std::vector<std::string>{"List.AddRow Type | - | -"}));
  EXPECT_EQ(ctx.ScanControl.StopOrDone.load(), 1);
  EXPECT_EQ(ctx.ScanControl.Running.load(), 0);
}

TEST_F(FileTraceTest, UnreadableSectorsDoNotEndCarving) {
  Place(200, {0xFF, 0xD8, 0xFF});
  Select({Signature(u".jpg", "FFD8FF")});
  auto source = std::make_unique<testsupport::FaultySectorSource>(disk);
  source->BadSectors = {63, 64};  // the last sector of the first chunk and the first of the next
  ctx.SourceDevice.DiskHandle = std::move(source);
  ctx.SourceSelection.EndSector = 511;
  engine::CarveFiles(ctx);
  EXPECT_EQ(Hits(), (std::vector<std::string>{"200 1.jpg Type"}));
}

TEST_F(FileTraceTest, UnreadableSectorsAreReportedWhenTheTraceEnds) {
  Place(200, {0xFF, 0xD8, 0xFF});
  Select({Signature(u".jpg", "FFD8FF")});
  auto source = std::make_unique<testsupport::FaultySectorSource>(disk);
  source->BadSectors = {63, 64};
  ctx.SourceDevice.DiskHandle = std::move(source);
  ctx.SourceSelection.EndSector = 511;
  ctx.RecoverySettings.BadSectorRetries = 3;
  EXPECT_EQ(engine::FileTraceThreadProc(ctx), 1);
  EXPECT_EQ(Hits(), (std::vector<std::string>{"200 1.jpg Type"}));
  EXPECT_EQ(host.CallsStartingWith("Message 1 2 sectors of the drive could not be read").size(), 1u);
}

TEST_F(FileTraceTest, WorkerGivesUpWithAReportWhenTheVolumeCannotBeOpenedOrTheRangeIsTooFar) {
  struct Case {
    uint16_t sourceKind;
    uint32_t start, end;
    const char16_t* message;
  };
  const Case cases[] = {
      {engine::kSourceLogicalDrive, 0, 100, engine::kFileTraceVolumeNotOpenedText},
      {engine::kSourceWholeDisk, 0xFFFFFFF0u, 0xFFFFFFFFu, engine::kFileTraceRangeTooLargeText},
  };
  for (const Case& c : cases) {
    testsupport::RecordingHost caseHost;
    testsupport::FakeDeviceOpener caseOpener;
    engine::EngineContext caseCtx(caseHost, caseOpener);
    caseCtx.SourceDevice.SourceKind = c.sourceKind;
    caseCtx.SourceDevice.DiskHandle = std::make_unique<testsupport::FaultySectorSource>(disk);
    caseCtx.LogicalDriveTable[0].RootPath = u"E:\\";
    caseCtx.SourceSelection.FileSystemCode = engine::kFileSystemUnknown;
    caseCtx.SourceSelection.StartSector = c.start;
    caseCtx.SourceSelection.EndSector = c.end;
    caseCtx.ScanControl.Running = 1;
    EXPECT_EQ(engine::FileTraceThreadProc(caseCtx), 0);
    EXPECT_EQ(caseCtx.ScanControl.Running.load(), 0);
    EXPECT_EQ(caseCtx.ScanControl.StopOrDone.load(), 1);
    EXPECT_EQ(caseCtx.MessageRequest.Text, c.message);
    EXPECT_EQ(caseHost.CallsStartingWith("Scan.KillTimer").size(), 1u);
    EXPECT_EQ(caseHost.CallsStartingWith("Button ScanNext Enable").size(), 1u);
    EXPECT_TRUE(caseCtx.Results.CarvedFiles.empty());
  }
}

TEST(CarvingRangeFits, TheLastExaminedSectorMustHaveA32BitNumber) {
  EXPECT_TRUE(engine::CarvingRangeFits(0, 0xFFFFFFFFu));
  EXPECT_TRUE(engine::CarvingRangeFits(0xFFFFFFC0u, 0xFFFFFFC0u));
  EXPECT_FALSE(engine::CarvingRangeFits(0xFFFFFFC1u, 0xFFFFFFC1u));
}

TEST_F(FileTraceTest, ListsHitsByExtensionTypeNameOrTypeFolders) {
  for (uint32_t sector : {1u, 2u}) Place(sector, {0xFF, 0xD8, 0xFF});
  Place(3, {'G', 'I', 'F', '8'});
  Select({Signature(u".jpg", "FFD8FF", u" JPEG Image "), Signature(u".gif", "47494638", u"GIF Image")});
  Carve(0, 63);
  engine::FileFilterTable filters;
  const std::pair<std::u16string, bool> views[] = {{u"root", false}, {u".JPG", false}, {u"JPEG Image", true}};
  const std::vector<std::string> expected[] = {
      {"List.AddRow  JPEG Image  | - | -", "List.AddRow GIF Image | - | -"},
      {"List.AddRow 1.jpg |  | 1", "List.AddRow 2.jpg |  | 2"},
      {"List.AddRow 1.jpg |  | 1", "List.AddRow 2.jpg |  | 2"},
  };
  for (std::size_t i = 0; i < std::size(views); ++i) {
    engine::FillFileListFromCarvedFiles(ctx, filters, views[i].first, views[i].second);
    std::vector<std::string> rows;
    for (const auto& row : host.Rows()) {
      std::string line = "List.AddRow " + testsupport::ToUtf8(row.Name) + " | " + testsupport::ToUtf8(row.TypeText);
      for (const auto& column : row.Columns) line += " | " + testsupport::ToUtf8(column);
      rows.push_back(line);
    }
    EXPECT_EQ(rows, expected[i]);
  }
  filters.Patterns = {u"2.*"};
  engine::FillFileListFromCarvedFiles(ctx, filters, u".jpg", false);
  ASSERT_EQ(host.Rows().size(), 1u);
  EXPECT_EQ(host.Rows()[0].Name, u"2.jpg");
}

}  // namespace
