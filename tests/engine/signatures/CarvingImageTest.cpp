// File Trace end to end over a real FAT32 image whose free space holds known files
// of many types: every file is a hit at its first sector with the right extension
// and type name, and its saved hit begins with the file's exact bytes.

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>

#include "CompoundFileWriter.h"
#include "EngineContext.h"
#include "ImageFileSource.h"
#include "PosixOutputFileSystem.h"
#include "SignatureTestSupport.h"
#include "copyout/CarvedFileSaving.h"
#include "signatures/FileTrace.h"
#include "signatures/SignatureDatabase.h"
#include "signatures/SignatureSelection.h"

namespace {

namespace fs = std::filesystem;

uint32_t Crc32(const std::vector<uint8_t>& bytes) {
  uint32_t crc = 0xFFFFFFFF;
  for (uint8_t byte : bytes) {
    crc ^= byte;
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
  }
  return ~crc;
}

void Put(std::vector<uint8_t>& out, uint32_t value, int width) {
  for (int i = 0; i < width; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// A ZIP archive with one stored member.
std::vector<uint8_t> StoredZip(const std::string& name, const std::vector<uint8_t>& data) {
  std::vector<uint8_t> zip;
  const uint32_t crc = Crc32(data);
  const auto size = static_cast<uint32_t>(data.size());
  Put(zip, 0x04034B50, 4), Put(zip, 10, 2), Put(zip, 0, 2), Put(zip, 0, 2), Put(zip, 0, 4);
  Put(zip, crc, 4), Put(zip, size, 4), Put(zip, size, 4), Put(zip, static_cast<uint32_t>(name.size()), 2), Put(zip, 0, 2);
  zip.insert(zip.end(), name.begin(), name.end());
  zip.insert(zip.end(), data.begin(), data.end());
  const auto central = static_cast<uint32_t>(zip.size());
  Put(zip, 0x02014B50, 4), Put(zip, 20, 2), Put(zip, 10, 2), Put(zip, 0, 2), Put(zip, 0, 2), Put(zip, 0, 4);
  Put(zip, crc, 4), Put(zip, size, 4), Put(zip, size, 4), Put(zip, static_cast<uint32_t>(name.size()), 2);
  Put(zip, 0, 2), Put(zip, 0, 2), Put(zip, 0, 2), Put(zip, 0, 2), Put(zip, 0, 4), Put(zip, 0, 4);
  zip.insert(zip.end(), name.begin(), name.end());
  const auto centralSize = static_cast<uint32_t>(zip.size()) - central;
  Put(zip, 0x06054B50, 4), Put(zip, 0, 2), Put(zip, 0, 2), Put(zip, 1, 2), Put(zip, 1, 2);
  Put(zip, centralSize, 4), Put(zip, central, 4), Put(zip, 0, 2);
  return zip;
}

// One second of 8 kHz mono 16-bit PCM.
std::vector<uint8_t> Wave() {
  std::vector<uint8_t> wav;
  const uint32_t dataBytes = 16000;
  wav.insert(wav.end(), {'R', 'I', 'F', 'F'});
  Put(wav, 36 + dataBytes, 4);
  wav.insert(wav.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  Put(wav, 16, 4), Put(wav, 1, 2), Put(wav, 1, 2), Put(wav, 8000, 4), Put(wav, 16000, 4), Put(wav, 2, 2);
  Put(wav, 16, 2);
  wav.insert(wav.end(), {'d', 'a', 't', 'a'});
  Put(wav, dataBytes, 4);
  for (uint32_t i = 0; i < dataBytes / 2; ++i) Put(wav, (i * 37) & 0x7FFF, 2);
  return wav;
}

std::vector<uint8_t> Pdf() {
  const std::string text =
      "%PDF-1.4\n1 0 obj << /Type /Catalog /Pages 2 0 R >> endobj\n"
      "2 0 obj << /Type /Pages /Kids [3 0 R] /Count 1 >> endobj\n"
      "3 0 obj << /Type /Page /Parent 2 0 R /MediaBox [0 0 200 200] >> endobj\n"
      "trailer << /Root 1 0 R >>\n%%EOF\n";
  return {text.begin(), text.end()};
}

std::vector<uint8_t> ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const fs::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

struct KnownFile {
  std::string Name;
  std::u16string Extension;
  std::u16string TypeName;
};

class CarvingImageTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = fs::temp_directory_path() / ("pelmo-carving-" + std::to_string(::getpid()));
    fs::remove_all(folder_);
    fs::create_directories(folder_ / "stage");
    const fs::path stage = folder_ / "stage";
    WriteFile(stage / "letter.doc", testsupport::OfficeDocument("Microsoft Office Word", u"WordDocument", 9000, 11));
    WriteFile(stage / "budget.xls", testsupport::OfficeDocument("Microsoft Excel", u"Workbook", 7000, 12));
    WriteFile(stage / "slides.ppt",
              testsupport::OfficeDocument("Microsoft Office PowerPoint", u"PowerPoint Document", 8000, 13));
    WriteFile(stage / "flyer.pub", testsupport::OfficeDocument("Microsoft Publisher 11", u"Contents", 6000, 14));
    WriteFile(stage / "report.pdf", Pdf());
    WriteFile(stage / "sound.wav", Wave());
    std::vector<uint8_t> notes(3000);
    for (std::size_t i = 0; i < notes.size(); ++i) notes[i] = static_cast<uint8_t>('a' + i % 26);
    WriteFile(stage / "notes.zip", StoredZip("notes.txt", notes));
    const std::string command = std::string("bash '") + PELMO_CARVING_IMAGE_SCRIPT + "' '" + stage.string() + "' '" +
                                (folder_ / "carving.img").string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
  }
  static void TearDownTestSuite() { fs::remove_all(folder_); }

  static fs::path folder_;
};
fs::path CarvingImageTest::folder_;

// The sector at which a file's bytes start in the image, found by a plain search.
std::optional<uint32_t> FirstSectorOf(const std::vector<uint8_t>& image, const std::vector<uint8_t>& file) {
  const std::size_t probe = std::min<std::size_t>(file.size(), 4096);
  for (std::size_t offset = 0; offset + probe <= image.size(); offset += 512) {
    if (std::equal(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(probe), image.begin() + offset)) {
      return static_cast<uint32_t>(offset / 512);
    }
  }
  return std::nullopt;
}

TEST_F(CarvingImageTest, EveryKnownFileIsAHitAtItsFirstSectorAndSavesWithItsBytes) {
  const fs::path imagePath = folder_ / "carving.img";
  const std::vector<uint8_t> image = ReadFile(imagePath);
  signaturetests::FileTypesHost host;
  platform::ImageDeviceOpener opener;
  opener.Map(u"\\\\.\\D:", imagePath.string());
  engine::EngineContext ctx(host, opener);
  ctx.ProgramFolder = platform::FromUtf8(PELMO_SIGNATURE_DATABASE_FOLDER);
  engine::ApplyDefaultRecoverySettings(ctx.RecoverySettings);

  // Tick every type of the database, as a ticked root does.
  engine::LoadSignatureDatabase(ctx);
  std::vector<engine::FileTypeTreeItem> items;
  std::set<std::u16string> seen;
  for (auto record = host.RecordsHeadFirst.rbegin(); record != host.RecordsHeadFirst.rend(); ++record) {
    if (seen.insert(record->Extension).second) items.push_back({record->Extension, 2});
  }
  engine::AddCheckedSignatures(ctx, host.RecordsHeadFirst, items);

  ctx.SourceDevice.SourceKind = engine::kSourceLogicalDrive;
  ctx.LogicalDriveTable[0].RootPath = u"D:\\";
  ctx.SourceSelection.FileSystemCode = engine::kFileSystemFat32;
  ctx.SourceSelection.EndSector = static_cast<uint32_t>(image.size() / 512 - 1);
  ASSERT_EQ(engine::FileTraceThreadProc(ctx), 1);

  std::map<uint32_t, const engine::CarvedFile*> hitsBySector;
  for (const engine::CarvedFile& hit : ctx.Results.CarvedFiles) hitsBySector[hit.StartSector] = &hit;
  const KnownFile known[] = {
      {"letter.doc", u".doc", u"Microsoft Word Document"}, {"budget.xls", u".xls", u"Microsoft Word Document"},
      {"slides.ppt", u".ppt", u"Microsoft Word Document"}, {"flyer.pub", u".pub", u"Microsoft Word Document"},
      {"report.pdf", u".pdf", u"Adobe Acrobat Document"},  {"sound.wav", u".wav", u"Wave Sound"},
      {"notes.zip", u".zip", u"ZIP Archive"},              {"photo.jpg", u".jpg", u"JPEG Image"},
      {"chart.png", u".png", u"PNG Image"},                {"logo.gif", u".gif", u"GIF Image"},
  };
  platform::PosixOutputFileSystem files;
  ctx.Files = &files;
  const fs::path saved = folder_ / "saved";
  fs::create_directories(saved);
  const engine::FileFilterTable noFilters;
  for (const KnownFile& file : known) {
    SCOPED_TRACE(file.Name);
    const std::vector<uint8_t> bytes = ReadFile(folder_ / "stage" / file.Name);
    const std::optional<uint32_t> sector = FirstSectorOf(image, bytes);
    ASSERT_TRUE(sector) << "the file's bytes are not in the image";
    ASSERT_EQ(hitsBySector.count(*sector), 1u);
    const engine::CarvedFile& hit = *hitsBySector[*sector];
    EXPECT_EQ(hit.Extension, file.Extension);
    EXPECT_EQ(hit.TypeName, file.TypeName);
    const engine::CarvedSaveRequest request{platform::FromUtf8(saved.string()), hit.RunningNumber, true,
                                            hit.StartSector, hit.DisplayName};
    ASSERT_EQ(engine::SaveCarvedFile(ctx, noFilters, request, 10), 1);
    const std::vector<uint8_t> copy = ReadFile(saved / testsupport::ToUtf8(hit.DisplayName));
    ASSERT_EQ(copy.size(), 1048576u);
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), copy.begin()));
  }
}

}  // namespace
