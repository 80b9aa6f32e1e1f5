// The readers on Windows: files under names outside the ANSI code page, the
// system code page for ANSI text, minizip and zlib as built for Windows.
#include <gtest/gtest.h>
#include <windows.h>
#include <zlib.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "CArchiveFile.h"
#include "CPsdDecoder.h"
#include "CTextFileReader.h"
#include "CZipAccess.h"
#include "DbfTable.h"

namespace preview {
namespace {

std::filesystem::path Folder() {
  static const std::filesystem::path folder = [] {
    auto path = std::filesystem::temp_directory_path() / L"pelmo-vorschau-\u00E4\u0416";
    std::filesystem::create_directories(path);
    return path;
  }();
  return folder;
}

std::filesystem::path Write(const std::wstring& name, const std::string& bytes) {
  const auto path = Folder() / name;
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return path;
}

void Put(std::string& b, uint32_t value, int width) {
  for (int i = 0; i < width; ++i) b.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A ZIP archive of stored entries, laid out by hand.
std::string StoredZip(const std::vector<std::pair<std::string, std::string>>& entries) {
  std::string body, directory;
  for (const auto& [name, data] : entries) {
    const uint32_t crc = crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size()));
    const uint32_t offset = static_cast<uint32_t>(body.size());
    const uint32_t dosTime = (44u << 25) | (3u << 21) | (15u << 16) | (10u << 11) | (30u << 5);  // 2024-03-15 10:30
    Put(body, 0x04034b50, 4); Put(body, 20, 2); Put(body, 0, 2); Put(body, 0, 2); Put(body, dosTime, 4);
    Put(body, crc, 4); Put(body, static_cast<uint32_t>(data.size()), 4); Put(body, static_cast<uint32_t>(data.size()), 4);
    Put(body, static_cast<uint32_t>(name.size()), 2); Put(body, 0, 2);
    body += name + data;
    Put(directory, 0x02014b50, 4); Put(directory, 20, 2); Put(directory, 20, 2); Put(directory, 0, 2);
    Put(directory, 0, 2); Put(directory, dosTime, 4); Put(directory, crc, 4);
    Put(directory, static_cast<uint32_t>(data.size()), 4); Put(directory, static_cast<uint32_t>(data.size()), 4);
    Put(directory, static_cast<uint32_t>(name.size()), 2); Put(directory, 0, 2); Put(directory, 0, 2);
    Put(directory, 0, 2); Put(directory, 0, 2); Put(directory, 0x20, 4); Put(directory, offset, 4);
    directory += name;
  }
  std::string end;
  Put(end, 0x06054b50, 4); Put(end, 0, 2); Put(end, 0, 2);
  Put(end, static_cast<uint32_t>(entries.size()), 2); Put(end, static_cast<uint32_t>(entries.size()), 2);
  Put(end, static_cast<uint32_t>(directory.size()), 4); Put(end, static_cast<uint32_t>(body.size()), 4); Put(end, 0, 2);
  return body + directory + end;
}

TEST(ReadersOnWindows, TextUnderAWideNameInTheSystemCodePage) {
  CTextFileReader reader(Write(L"text-\u0416.txt", std::string("caf\xE9\r\nx\0y", 9)));
  ASSERT_TRUE(reader.IsOpen());
  std::u16string text;
  ASSERT_TRUE(reader.ReadAll(text, u"|"));
  if (GetACP() == 1252) EXPECT_EQ(text, u"caf\u00E9|x\xFFFDy");
  else EXPECT_EQ(text.substr(5), u"x\xFFFDy");
}

TEST(ReadersOnWindows, ZipFromAFileAndFromMemory) {
  const std::string bytes = StoredZip({{"docs/a.txt", "hello"}, {"b.bin", "0123456789"}});
  const std::filesystem::path path = Write(L"archive-\u0416.zip", bytes);
  ZipHandle* zip = CZipAccess::OpenArchive(&path, 0, kZipSourceFileName);
  ASSERT_NE(zip, nullptr);
  ZipItemInfo item;
  ASSERT_EQ(CZipAccess::GetItemInfo(zip, -1, item), kZipOk);
  EXPECT_EQ(item.index, 2);
  ASSERT_EQ(CZipAccess::GetItemInfo(zip, 0, item), kZipOk);
  EXPECT_EQ(item.name, u"docs/a.txt");
  // No Unix permissions: read-only with the archive bit, as a Windows tool stores it.
  EXPECT_EQ(item.attributes, kAttrNormal | kAttrArchive | kAttrReadOnly);
  // The DOS time is local time: shown in local time it gives back 10:30 on 15 March 2024.
  FILETIME utc{static_cast<DWORD>(item.modificationTime), static_cast<DWORD>(item.modificationTime >> 32)}, local;
  SYSTEMTIME shown;
  ASSERT_TRUE(FileTimeToLocalFileTime(&utc, &local));
  ASSERT_TRUE(FileTimeToSystemTime(&local, &shown));
  EXPECT_EQ(shown.wYear, 2024);
  EXPECT_EQ(shown.wMonth, 3);
  EXPECT_EQ(shown.wDay, 15);
  EXPECT_EQ(shown.wHour, 10);
  EXPECT_EQ(shown.wMinute, 30);
  char buffer[16] = {};
  uint32_t written = 0;
  EXPECT_EQ(CZipAccess::ExtractItem(zip, 1, buffer, sizeof buffer, &written), kZipBufferFull);
  EXPECT_EQ(std::string(buffer, written), "0123456789");
  EXPECT_EQ(CZipAccess::ExtractItem(zip, 1, buffer, sizeof buffer, &written), kZipOk);
  EXPECT_EQ(CZipAccess::CloseArchive(zip), kZipOk);

  ZipHandle* inMemory = CZipAccess::OpenArchive(bytes.data(), bytes.size(), kZipSourceMemory);
  ASSERT_NE(inMemory, nullptr);
  CZipAccess::CloseArchive(inMemory);

  CArchiveFile archive;
  ASSERT_EQ(archive.Open(path), 1);
  ArchiveEntry entry;
  ASSERT_EQ(archive.GetEntry(0, entry), 1);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(entry.data), entry.size), "hello");
}

TEST(ReadersOnWindows, GzipAndTarUnderAWideName) {
  // A tar header of one 5-byte member, its checksum computed as tar does.
  std::string tar(1024, '\0');
  std::memcpy(&tar[0], "one.txt", 7);
  std::memcpy(&tar[100], "0000644", 7);
  std::memcpy(&tar[124], "00000000005", 11);
  std::memcpy(&tar[136], "14567000000", 11);
  tar[156] = '0';
  std::memset(&tar[148], ' ', 8);
  unsigned sum = 0;
  for (int i = 0; i < 512; ++i) sum += static_cast<unsigned char>(tar[i]);
  std::snprintf(&tar[148], 8, "%06o", sum);
  std::memcpy(&tar[512], "12345", 5);

  const auto path = Folder() / L"members-\u0416.tar.gz";
  gzFile out = gzopen_w(path.c_str(), "wb");
  ASSERT_NE(out, nullptr);
  gzwrite(out, tar.data(), static_cast<unsigned>(tar.size()));
  gzclose(out);

  CArchiveFile archive;
  ASSERT_EQ(archive.Open(path), 1);
  EXPECT_EQ(archive.GetKind(), CArchiveFile::kTarInGzip);
  EXPECT_EQ(archive.GetEntryCount(), 1);
  ArchiveEntry entry;
  ASSERT_EQ(archive.GetEntry(0, entry), 1);
  EXPECT_EQ(entry.name, u"one.txt");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(entry.data), entry.size), "12345");
}

TEST(ReadersOnWindows, DbaseAndPhotoshopFilesUnderWideNames) {
  std::string dbf(32, '\0');
  std::string descriptor(32, '\0');
  std::memcpy(&descriptor[0], "NAME", 4);
  descriptor[11] = 'C';
  descriptor[16] = 3;
  dbf += descriptor + "\x0d abc xyz\x1a";
  DbfTable table;
  ASSERT_EQ(LoadDbfTable(Write(L"table-\u0416.dbf", dbf), table), DbfLoad::kOk);
  ASSERT_EQ(table.rows.size(), 2u);
  EXPECT_EQ(table.rows[1][0], u"xyz");

  std::string psd("8BPS\0\1\0\0\0\0\0\0\0\3\0\0\0\1\0\0\0\1\0\x08\0\3", 26);
  psd += std::string(12, '\0') + std::string("\0\0", 2) + "\x10\x20\x30";
  CPsdDecoder decoder;
  ASSERT_EQ(decoder.Load(Write(L"picture-\u0416.psd", psd)), kPsdOk);
  ASSERT_TRUE(decoder.HasPicture());
  EXPECT_EQ(decoder.Pixels()[0], (PsdRgb{0x10, 0x20, 0x30}));
}

}  // namespace
}  // namespace preview
