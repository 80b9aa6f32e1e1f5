// The listing-only reader through the unrar library's calls, driven as the
// archive list view drives unrar: open for listing, read each header, skip it,
// close; over archives written to files at test time.

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "RarHeaderWalk.h"
#include "RarTestWriter.h"
#include "UnrarListing.h"

using namespace rartest;
using namespace preview;

namespace {

class UnrarListingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("unrar-listing-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string Write(const std::string& name, const Bytes& bytes) {
    const std::filesystem::path path = dir_ / name;
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
    return path.string();
  }

  std::filesystem::path dir_;
};

struct ViewListing {
  unsigned OpenResult = 0;
  std::vector<std::string> Names;
  std::vector<unsigned> Flags;
  std::vector<uint64_t> UnpackedSizes;
  int LastRead = 0;
};

// The view's own loop: a zero-filled open record with the ANSI name and list mode,
// a header record with a 16384-byte comment buffer, read and skip until either fails.
ViewListing ListLikeTheView(const std::string& path) {
  ViewListing listing;
  RAROpenArchiveDataEx open{};
  std::vector<char> name(path.begin(), path.end());
  name.push_back('\0');
  open.ArcName = name.data();
  open.OpenMode = kRarOpenList;
  RarHandle archive = RAROpenArchiveEx(&open);
  listing.OpenResult = open.OpenResult;
  if (archive == nullptr) return listing;
  auto header = std::make_unique<RARHeaderDataEx>();
  std::vector<char> comments(16384);
  header->CmtBuf = comments.data();
  header->CmtBufSize = static_cast<unsigned>(comments.size());
  while ((listing.LastRead = RARReadHeaderEx(archive, header.get())) == 0) {
    listing.Names.emplace_back(header->FileName);
    listing.Flags.push_back(header->Flags);
    listing.UnpackedSizes.push_back((static_cast<uint64_t>(header->UnpSizeHigh) << 32) | header->UnpSize);
    EXPECT_EQ(header->CmtBuf, comments.data());
    if (RARProcessFile(archive, kRarSkip, nullptr, nullptr) != 0) break;
  }
  EXPECT_EQ(RARCloseArchive(archive), 0);
  return listing;
}

}  // namespace

TEST_F(UnrarListingTest, ListsEveryMemberOfBothFormatsLikeTheView) {
  Member folder = File("sub", 0, 0);
  folder.Directory = true;
  for (const Bytes& bytes : {Rar4Archive({File("a.txt", 3, 10), folder}), Rar5Archive({File("a.txt", 3, 10), folder})}) {
    const ViewListing listing = ListLikeTheView(Write("both.rar", bytes));
    EXPECT_EQ(listing.OpenResult, 0u);
    EXPECT_EQ(listing.Names, (std::vector<std::string>{"a.txt", "sub"}));
    EXPECT_EQ(listing.Flags, (std::vector<unsigned>{32960, 32992}));
    EXPECT_EQ(listing.UnpackedSizes, (std::vector<uint64_t>{10, 0}));
    EXPECT_EQ(listing.LastRead, kRarEndArchive);
  }
}

TEST_F(UnrarListingTest, HeaderRecordCarriesSizesTimeAttributesAndWideName) {
  Member member = File("caf\xC3\xA9.txt", 0, 0x123456789ULL);
  member.Attributes = 0x21;
  member.ModifiedUnixTime = 1710498030;
  const std::string path = Write("fields.rar", Rar5Archive({member}));
  RAROpenArchiveDataEx open{};
  std::string name = path;
  open.ArcName = name.data();
  RarHandle archive = RAROpenArchiveEx(&open);
  ASSERT_NE(archive, nullptr);
  auto header = std::make_unique<RARHeaderDataEx>();
  ASSERT_EQ(RARReadHeaderEx(archive, header.get()), 0);
  EXPECT_STREQ(header->ArcName, path.c_str());
  EXPECT_STREQ(header->FileName, "caf\xC3\xA9.txt");
  EXPECT_EQ(std::wstring(header->FileNameW), L"caf\u00E9.txt");
  EXPECT_EQ(header->UnpSize, 0x23456789u);
  EXPECT_EQ(header->UnpSizeHigh, 1u);
  EXPECT_EQ(header->FileAttr, 0x21u);
  EXPECT_EQ(header->FileTime, (44u << 25) | (3u << 21) | (15u << 16) | (10u << 11) | (20u << 5) | 15u);
  EXPECT_EQ((static_cast<uint64_t>(header->MtimeHigh) << 32) | header->MtimeLow, 133549716300000000ULL);
  EXPECT_EQ(header->FileCRC, 0x12345678u);
  EXPECT_EQ(RARProcessFile(archive, kRarExtract, nullptr, nullptr), kRarNotSupported);
  EXPECT_EQ(RARProcessFile(archive, kRarTest, nullptr, nullptr), kRarNotSupported);
  EXPECT_EQ(RARProcessFile(archive, kRarSkip, nullptr, nullptr), 0);
  EXPECT_EQ(RARReadHeaderEx(archive, header.get()), kRarEndArchive);
  EXPECT_EQ(RARCloseArchive(archive), 0);
}

TEST_F(UnrarListingTest, NameLongerThanTheRecordIsCutAndEnded) {
  const std::string longName(3000, 'n');
  const ViewListing listing = ListLikeTheView(Write("long.rar", Rar4Archive({File(longName, 0, 0)})));
  ASSERT_EQ(listing.Names.size(), 1u);
  EXPECT_EQ(listing.Names[0], std::string(1023, 'n'));
}

TEST_F(UnrarListingTest, OpenFailuresReportTheirReason) {
  EXPECT_EQ(ListLikeTheView((dir_ / "missing.rar").string()).OpenResult, static_cast<unsigned>(kRarOpenError));
  EXPECT_EQ(ListLikeTheView(Write("text.rar", Bytes(100, 'x'))).OpenResult, static_cast<unsigned>(kRarUnknownFormat));
  EXPECT_EQ(ListLikeTheView(Write("locked.rar", Rar4Archive({}, 0x0080))).OpenResult,
            static_cast<unsigned>(kRarMissingPassword));
  RAROpenArchiveDataEx noName{};
  EXPECT_EQ(RAROpenArchiveEx(&noName), nullptr);
  EXPECT_EQ(noName.OpenResult, static_cast<unsigned>(kRarOpenError));
  EXPECT_EQ(RAROpenArchiveEx(nullptr), nullptr);
}

TEST_F(UnrarListingTest, NullHandlesAndRecordsAreRefused) {
  auto header = std::make_unique<RARHeaderDataEx>();
  EXPECT_NE(RARReadHeaderEx(nullptr, header.get()), 0);
  EXPECT_NE(RARProcessFile(nullptr, kRarSkip, nullptr, nullptr), 0);
  EXPECT_NE(RARCloseArchive(nullptr), 0);
  RAROpenArchiveDataEx open{};
  std::string name = Write("a.rar", Rar4Archive({File("a", 0, 0)}));
  open.ArcName = name.data();
  RarHandle archive = RAROpenArchiveEx(&open);
  ASSERT_NE(archive, nullptr);
  EXPECT_NE(RARReadHeaderEx(archive, nullptr), 0);
  EXPECT_EQ(RARCloseArchive(archive), 0);
}

TEST_F(UnrarListingTest, DamageAfterTheFirstMemberEndsTheLoopWithTheMembersRead) {
  Bytes bytes = Rar4Archive({File("a.txt", 4, 4), File("b.txt", 4, 4)});
  bytes.resize(bytes.size() - 20);
  const ViewListing listing = ListLikeTheView(Write("cut.rar", bytes));
  EXPECT_EQ(listing.Names, std::vector<std::string>{"a.txt"});
  EXPECT_EQ(listing.LastRead, kRarReadError);
}
