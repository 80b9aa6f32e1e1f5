#include <gtest/gtest.h>

#include <cstring>

#include "CArchiveFile.h"
#include "CZipAccess.h"
#include "DosTime.h"
#include "GzipContent.h"
#include "ReaderFixtures.h"
#include "TarArchive.h"

namespace preview {
namespace {

using test::FixtureFolder;
using test::ReadFixture;
using test::RunInFixtureFolder;
using test::WriteFixture;

// Offset of the n-th occurrence of a record signature.
size_t FindSignature(const std::vector<uint8_t>& bytes, uint32_t signature, int occurrence = 0) {
  for (size_t i = 0; i + 4 <= bytes.size(); ++i) {
    uint32_t value;
    std::memcpy(&value, &bytes[i], 4);
    if (value == signature && occurrence-- == 0) return i;
  }
  return std::string::npos;
}
constexpr uint32_t kLocalHeader = 0x04034b50, kCentralHeader = 0x02014b50, kEndRecord = 0x06054b50;

void Put16(std::vector<uint8_t>& b, size_t at, uint16_t v) { b[at] = v & 0xFF; b[at + 1] = v >> 8; }
void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) { for (int i = 0; i < 4; ++i) b[at + i] = (v >> (8 * i)) & 0xFF; }

class ZipArchive : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // docs/ (a folder), docs/readme.txt and a 10,000-byte file that compresses well.
    ASSERT_TRUE(RunInFixtureFolder(
        "rm -rf z && mkdir -p z/docs && cd z && printf 'read me' > docs/readme.txt && "
        "head -c 10000 /dev/zero | tr '\\0' 'a' > big.txt && printf '0123456789' > ten.txt && "
        "touch -d '2020-01-02 03:04:05 UTC' docs/readme.txt big.txt ten.txt docs && "
        "zip -q -r ../listing.zip docs docs/readme.txt big.txt ten.txt && "
        "touch -d '2020-07-01 12:00:00 UTC' ten.txt && zip -q -X ../dos-times.zip ten.txt"));
  }
};

TEST_F(ZipArchive, ListsEntriesWithAttributesSizesAndTimes) {
  const auto path = FixtureFolder() / "listing.zip";
  ZipHandle* zip = CZipAccess::OpenArchive(&path, 0, kZipSourceFileName);
  ASSERT_NE(zip, nullptr);
  ZipItemInfo item;
  ASSERT_EQ(CZipAccess::GetItemInfo(zip, -1, item), kZipOk);
  EXPECT_EQ(item.index, 4);
  EXPECT_TRUE(item.name.empty());
  EXPECT_EQ(CZipAccess::GetItemInfo(zip, 4, item), kZipBadArgument);
  EXPECT_EQ(CZipAccess::LastError, kZipBadArgument);

  ASSERT_EQ(CZipAccess::GetItemInfo(zip, 0, item), kZipOk);
  EXPECT_EQ(item.name, u"docs/");
  EXPECT_EQ(item.attributes, kAttrNormal | kAttrDirectory);  // Unix permissions with owner write
  ASSERT_EQ(CZipAccess::GetItemInfo(zip, 2, item), kZipOk);
  EXPECT_EQ(item.name, u"big.txt");
  EXPECT_EQ(item.attributes, kAttrNormal);
  EXPECT_EQ(item.uncompressedSize, 10000);
  EXPECT_LT(item.compressedSize, 1000);
  // The extended timestamp gives the modification time in UTC.
  EXPECT_EQ(item.modificationTime, UnixTimeToFileTime(1577934245));
  // Going back restarts from the first entry; the same entry twice comes from the cache.
  ASSERT_EQ(CZipAccess::GetItemInfo(zip, 1, item), kZipOk);
  EXPECT_EQ(item.name, u"docs/readme.txt");
  ASSERT_EQ(CZipAccess::GetItemInfo(zip, 1, item), kZipOk);
  EXPECT_EQ(item.name, u"docs/readme.txt");

  // A 10-byte entry into a 10-byte buffer fills it; the next call ends the entry.
  char buffer[10];
  uint32_t written = 0;
  EXPECT_EQ(CZipAccess::ExtractItem(zip, 3, buffer, sizeof buffer, &written), kZipBufferFull);
  EXPECT_EQ(written, 10u);
  EXPECT_EQ(std::string(buffer, 10), "0123456789");
  EXPECT_EQ(CZipAccess::ExtractItem(zip, 3, buffer, sizeof buffer, &written), kZipOk);
  EXPECT_EQ(CZipAccess::CloseArchive(zip), kZipOk);
  EXPECT_EQ(CZipAccess::CloseArchive(nullptr), kZipBadArgument);
}

TEST_F(ZipArchive, DosTimesAreLocalTimeOfTheWriter) {
  // zip -X stores no extended timestamp: the DOS time is the writer's local time
  // (TZ=Europe/Berlin for this test), which must come back as the same UTC instant.
  const auto path = FixtureFolder() / "dos-times.zip";
  ZipHandle* zip = CZipAccess::OpenArchive(&path, 0, kZipSourceFileName);
  ASSERT_NE(zip, nullptr);
  ZipItemInfo item;
  ASSERT_EQ(CZipAccess::GetItemInfo(zip, 0, item), kZipOk);
  EXPECT_EQ(item.modificationTime, UnixTimeToFileTime(1593604800));
  EXPECT_EQ(item.accessTime, item.modificationTime);
  CZipAccess::CloseArchive(zip);
  EXPECT_EQ(DosDateTimeToFileTime(0x00210000), UnixTimeToFileTime(315532800));  // 1980-01-01 00:00
  EXPECT_EQ(DosDateTimeToFileTime(0x00000000), 0u);                            // month 0 is no date
}

TEST_F(ZipArchive, ArchiveFileGivesZipEntries) {
  CArchiveFile archive;
  ASSERT_EQ(archive.Open(FixtureFolder() / "listing.zip"), 1);
  EXPECT_EQ(archive.GetKind(), CArchiveFile::kZip);
  EXPECT_EQ(archive.GetEntryCount(), 4);
  ArchiveEntry entry;
  ASSERT_EQ(archive.GetEntry(1, entry), 1);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(entry.data), entry.size), "read me");
  EXPECT_TRUE(entry.isFile);
  EXPECT_EQ(entry.kindText, u"FILE_ATTRIBUTE_NORMAL");
  ASSERT_EQ(archive.GetEntry(0, entry), 1);
  EXPECT_EQ(entry.kindText, u"FILE_ATTRIBUTE_DIRECTORY");
}

TEST_F(ZipArchive, DamagedArchives) {
  const std::vector<uint8_t> good = ReadFixture(FixtureFolder() / "listing.zip");
  ASSERT_NE(FindSignature(good, kEndRecord), std::string::npos);

  {  // An unsupported method gives an error, never the previous entry's data. (minizip
     // finds such a local header inconsistent, so the entry is refused before extraction.)
    auto bytes = good;
    Put16(bytes, FindSignature(bytes, kLocalHeader, 3) + 8, 99);
    Put16(bytes, FindSignature(bytes, kCentralHeader, 3) + 10, 99);
    CArchiveFile archive;
    ASSERT_EQ(archive.Open(WriteFixture("method.zip", bytes)), 1);
    ArchiveEntry entry;
    ASSERT_EQ(archive.GetEntry(2, entry), 1);
    entry = ArchiveEntry{};
    EXPECT_EQ(archive.GetEntry(3, entry), 0);
    EXPECT_EQ(entry.data, nullptr);
    EXPECT_EQ(archive.GetLastErrorText(), "Could not get file at the specified position from the archive !");
    const auto path = FixtureFolder() / "method.zip";
    ZipHandle* zip = CZipAccess::OpenArchive(&path, 0, kZipSourceFileName);
    ASSERT_NE(zip, nullptr);
    char buffer[16];
    EXPECT_EQ(CZipAccess::ExtractItem(zip, 3, buffer, sizeof buffer), kZipInflateFailed);
    CZipAccess::CloseArchive(zip);
  }
  {  // An end record claiming far more entries than the directory holds: the walk ends.
    auto bytes = good;
    const size_t end = FindSignature(bytes, kEndRecord);
    Put16(bytes, end + 8, 0xFFFF);
    Put16(bytes, end + 10, 0xFFFF);
    const auto path = WriteFixture("count.zip", bytes);
    ZipHandle* zip = CZipAccess::OpenArchive(&path, 0, kZipSourceFileName);
    if (zip != nullptr) {
      ZipItemInfo item;
      int good = 0;
      for (int32_t i = 0; i < 0xFFFF; ++i) {
        if (CZipAccess::GetItemInfo(zip, i, item) != kZipOk) break;
        ++good;
      }
      EXPECT_LE(good, 4);
      CZipAccess::CloseArchive(zip);
    }
  }
  {  // A size claimed far beyond the data: no allocation of the claim, the real bytes come out.
    auto bytes = good;
    Put32(bytes, FindSignature(bytes, kLocalHeader, 1) + 22, 0xFFFFFFF0u);
    Put32(bytes, FindSignature(bytes, kCentralHeader, 1) + 24, 0xFFFFFFF0u);
    CArchiveFile archive;
    ASSERT_EQ(archive.Open(WriteFixture("size.zip", bytes)), 1);
    ArchiveEntry entry;
    ASSERT_EQ(archive.GetEntry(1, entry), 1);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(entry.data), entry.size), "read me");
    EXPECT_TRUE(entry.truncated);
  }
  {  // Cut in the middle: no end record, so it is not taken as a ZIP archive.
    std::vector<uint8_t> bytes(good.begin(), good.begin() + static_cast<long>(good.size() / 2));
    const auto path = WriteFixture("cut.zip", bytes);
    EXPECT_EQ(CZipAccess::OpenArchive(&path, 0, kZipSourceFileName), nullptr);
    EXPECT_EQ(CZipAccess::LastError, kZipNotAnArchive);
  }
  {  // From memory, and a source that is missing.
    ZipHandle* zip = CZipAccess::OpenArchive(good.data(), good.size(), kZipSourceMemory);
    ASSERT_NE(zip, nullptr);
    CZipAccess::CloseArchive(zip);
    const std::filesystem::path missing = FixtureFolder() / "missing.zip";
    EXPECT_EQ(CZipAccess::OpenArchive(&missing, 0, kZipSourceFileName), nullptr);
    EXPECT_EQ(CZipAccess::LastError, kZipCannotOpenFile);
  }
}

TEST(GzipAndTar, PlainGzipIsOneEntryNamedUnknown) {
  ASSERT_TRUE(RunInFixtureFolder("printf 'hello gzip' > hello.txt && gzip -kf hello.txt && "
                                 ": > empty.txt && gzip -kf empty.txt"));
  CArchiveFile archive;
  ASSERT_EQ(archive.Open(FixtureFolder() / "hello.txt.gz"), 1);
  EXPECT_EQ(archive.GetKind(), CArchiveFile::kGzip);
  EXPECT_EQ(archive.GetEntryCount(), 1);
  ArchiveEntry entry;
  ASSERT_EQ(archive.GetEntry(7, entry), 1);
  EXPECT_EQ(entry.name, u"unknown");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(entry.data), entry.size), "hello gzip");

  CArchiveFile empty;
  EXPECT_EQ(empty.Open(FixtureFolder() / "empty.txt.gz"), 0);
  EXPECT_EQ(empty.GetLastErrorText(), "Could not read data from gzip archive !");
  CArchiveFile missing;
  EXPECT_EQ(missing.Open(FixtureFolder() / "missing.gz"), 0);
  EXPECT_EQ(missing.GetLastErrorText(), "Could not determine archive type !");
}

TEST(GzipAndTar, InflationStopsAtTheCap) {
  ASSERT_TRUE(RunInFixtureFolder("head -c 100000 /dev/zero | gzip > zeros.gz"));
  std::vector<uint8_t> content;
  EXPECT_EQ(ReadGzipContent(FixtureFolder() / "zeros.gz", content, 4096), GzipRead::kCapped);
  EXPECT_EQ(content.size(), 4096u);
  EXPECT_EQ(ReadGzipContent(FixtureFolder() / "zeros.gz", content), GzipRead::kOk);
  EXPECT_EQ(content.size(), 100000u);
}

TEST(GzipAndTar, OctalFields) {
  struct { const char* field; uint64_t value; } cases[] = {
      {"0000644 ", 420}, {"   12", 10}, {"        ", 0}, {"0000000", 0}, {"17x7", 15},
      {"77777777777", 8589934591ull}};
  for (const auto& c : cases) {
    EXPECT_EQ(ParseOctal(reinterpret_cast<const uint8_t*>(c.field), std::strlen(c.field)), c.value) << c.field;
  }
}

class TarInGzip : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // A member of 1000 bytes, a folder and a small member; written by GNU tar.
    ASSERT_TRUE(RunInFixtureFolder(
        "rm -rf t && mkdir -p t/sub && head -c 1000 /dev/urandom > t/data.bin && printf 'last' > t/last.txt && "
        "tar --format=ustar -cf members.tar -C t data.bin sub last.txt && gzip -kf members.tar"));
  }
  static std::vector<uint8_t> Tar() { return ReadFixture(FixtureFolder() / "members.tar"); }
};

TEST_F(TarInGzip, WalksMembersOfARealArchive) {
  CArchiveFile archive;
  ASSERT_EQ(archive.Open(FixtureFolder() / "members.tar.gz"), 1);
  EXPECT_EQ(archive.GetKind(), CArchiveFile::kTarInGzip);
  EXPECT_EQ(archive.GetEntryCount(), 3);
  ArchiveEntry entry;
  ASSERT_EQ(archive.GetEntry(0, entry), 1);
  const uint8_t* firstData = entry.data;
  EXPECT_EQ(entry.name, u"data.bin");
  EXPECT_EQ(entry.size, 1000u);
  EXPECT_TRUE(entry.isFile);
  EXPECT_EQ(entry.kindText, u"regular file");
  const auto tar = Tar();
  EXPECT_EQ(std::memcmp(entry.data, tar.data() + 512, 1000), 0);
  ASSERT_EQ(archive.GetEntry(1, entry), 1);
  EXPECT_EQ(entry.name, u"sub/");
  EXPECT_FALSE(entry.isFile);
  EXPECT_EQ(entry.kindText, u"directory");
  // The 1000 bytes are padded to 1024: the next member's data starts 1024 + 512 later.
  EXPECT_EQ(entry.data, firstData + 1024 + 512);

  // An uncompressed tar is read through the same road.
  CArchiveFile plain;
  ASSERT_EQ(plain.Open(FixtureFolder() / "members.tar"), 1);
  EXPECT_EQ(plain.GetKind(), CArchiveFile::kTarInGzip);
}

TEST_F(TarInGzip, DamagedMembers) {
  const auto good = Tar();
  const size_t second = 512 + 1024;
  struct Case {
    const char* name;
    void (*damage)(std::vector<uint8_t>&);
    int32_t count;
  };
  auto fixChecksum = [](std::vector<uint8_t>& b, size_t header) {
    std::memset(&b[header + 148], ' ', 8);
    unsigned sum = 0;
    for (size_t i = 0; i < 512; ++i) sum += b[header + i];
    std::snprintf(reinterpret_cast<char*>(&b[header + 148]), 8, "%06o", sum);
  };
  const Case cases[] = {
      {"second-header-damaged", [](std::vector<uint8_t>& b) { b[512 + 1024 + 10] ^= 0x55; }, 1},
      {"cut-inside-first-data", [](std::vector<uint8_t>& b) { b.resize(512 + 300); }, 1},
      {"cut-inside-a-header", [](std::vector<uint8_t>& b) { b.resize(512 + 1024 + 100); }, 1},
      {"shorter-than-a-header", [](std::vector<uint8_t>& b) { b.resize(100); }, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto bytes = good;
    c.damage(bytes);
    EXPECT_EQ(WalkTar(bytes, [](const TarMember&) { return true; }), c.count);
  }

  // A size field claiming gigabytes: the member gives only the bytes held, the walk ends.
  auto huge = good;
  std::memcpy(&huge[124], "77777777777", 11);
  fixChecksum(huge, 0);
  CArchiveFile archive;
  ASSERT_EQ(archive.Open(WriteFixture("huge.tar", huge)), 1);
  EXPECT_EQ(archive.GetEntryCount(), 1);
  ArchiveEntry entry;
  ASSERT_EQ(archive.GetEntry(0, entry), 1);
  EXPECT_EQ(entry.size, huge.size() - 512);
  EXPECT_TRUE(entry.truncated);

  // Entry 1 of an archive whose second header is damaged: 0 with the message unchanged;
  // entry 2 lies behind the damage: "Invalid file position !".
  auto damaged = good;
  damaged[second + 10] ^= 0x55;
  CArchiveFile broken;
  ASSERT_EQ(broken.Open(WriteFixture("damaged.tar", damaged)), 1);
  EXPECT_EQ(broken.GetEntry(1, entry), 0);
  EXPECT_EQ(broken.GetLastErrorText(), "");
  EXPECT_EQ(broken.GetEntry(2, entry), 0);
  EXPECT_EQ(broken.GetLastErrorText(), "Invalid file position !");
}

}  // namespace
}  // namespace preview
