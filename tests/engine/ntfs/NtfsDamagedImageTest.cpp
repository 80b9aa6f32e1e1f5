// NTFS Quick Scan over copies of the standard image damaged the way real volumes
// are: folders whose parent links loop, a root record with a damaged name, damaged
// copies of record 0 and a damaged $MFT runlist. What can be found is listed where
// the user can reach it; what cannot is said.

#include <gtest/gtest.h>

#include "DamagedImage.h"
#include "FatImageSession.h"
#include "Fixtures.h"
#include "NtfsDamage.h"
#include "NtfsImageHarness.h"
#include "copyout/SaveSession.h"
#include "ntfs/NtfsCopyOut.h"
#include "scans/QuickScan.h"

namespace {

using ntfstest::ListedEntry;
using ntfstest::PlaceOf;
using ntfstest::MftPlace;
using testsupport::DamagedImage;

uint32_t IdOf(const std::map<uint32_t, ListedEntry>& listing, const std::string& path) {
  for (const auto& [id, entry] : listing) {
    if (entry.Path == path) return id;
  }
  throw std::runtime_error("not listed: " + path);
}

const std::string& StandardImagePath() { return fixtures::StandardImage(fixtures::ImageKind::Ntfs).ImagePath; }

const std::map<uint32_t, ListedEntry>& PristineListing() {
  static const std::map<uint32_t, ListedEntry> listing = [] {
    ntfstest::ScannedImage scan(StandardImagePath());
    std::map<uint32_t, ListedEntry> all = scan.Listing();
    all.erase(0xFFFFFFFE);  // "Lost Dir"
    return all;
  }();
  return listing;
}

std::map<uint32_t, ListedEntry> ListingOf(const std::string& imagePath) {
  ntfstest::ScannedImage scan(imagePath);
  EXPECT_TRUE(scan.Detected());
  std::map<uint32_t, ListedEntry> listing = scan.Listing();
  listing.erase(0xFFFFFFFE);
  return listing;
}

TEST(NtfsDamagedImage, FolderThatIsItsOwnParentIsListedUnderLostDirWithEverythingInIt) {
  const auto& pristine = PristineListing();
  DamagedImage image(StandardImagePath(), "ntfs-self-parent");
  const uint32_t documents = IdOf(pristine, "/Documents");
  ntfstest::SetParent(image, documents, documents);

  const auto listing = ListingOf(image.Path());
  for (const auto& [id, entry] : pristine) {
    const auto found = listing.find(id);
    ASSERT_NE(found, listing.end()) << entry.Path;
    const std::string expected = entry.Path.starts_with("/Documents") ? "/Lost Dir" + entry.Path : entry.Path;
    EXPECT_EQ(found->second.Path, expected);
  }
}

TEST(NtfsDamagedImage, CycleOfFoldersIsBrokenUnderLostDir) {
  const auto& pristine = PristineListing();
  DamagedImage image(StandardImagePath(), "ntfs-cycle");
  // Documents named as the child of its own child.
  ntfstest::SetParent(image, IdOf(pristine, "/Documents"), IdOf(pristine, "/Documents/Reports"));

  const auto listing = ListingOf(image.Path());
  for (const auto& [id, entry] : pristine) {
    const auto found = listing.find(id);
    ASSERT_NE(found, listing.end()) << entry.Path;
    if (entry.Path.starts_with("/Documents")) {
      EXPECT_TRUE(found->second.Path.starts_with("/Lost Dir/")) << found->second.Path;
      EXPECT_TRUE(found->second.Path.ends_with(entry.Path.substr(entry.Path.rfind('/')))) << found->second.Path;
    } else {
      EXPECT_EQ(found->second.Path, entry.Path);
    }
  }
}

TEST(NtfsDamagedImage, RootRecordWithADamagedNameIsNoFolderOfItself) {
  DamagedImage image(StandardImagePath(), "ntfs-root-name");
  // The root's name "." becomes "X".
  for (const uint64_t value : ntfstest::FileNameValuesOf(image, 5)) image.WriteByte(value + 66, 'X');
  ntfstest::ScannedImage scan(image.Path());
  ASSERT_TRUE(scan.Detected());
  EXPECT_EQ(scan.Context().Results.FindTreeFolder(5), nullptr);
  std::map<uint32_t, ListedEntry> listing = scan.Listing();
  listing.erase(0xFFFFFFFE);
  EXPECT_EQ(listing, PristineListing());
}

struct BrokenRecordsCase {
  const char* Name;
  std::vector<uint32_t> InMft;
};

void PrintTo(const BrokenRecordsCase& c, std::ostream* os) { *os << c.Name; }

class NtfsBrokenRecords : public testing::TestWithParam<BrokenRecordsCase> {};

// Torn records (their update sequence does not match) are kept with their data:
// the listing is the whole volume's, record 0 mapped from the mirror's whole copy.
TEST_P(NtfsBrokenRecords, TornRecordsAreListedAndTheMftIsMappedFromTheMirror) {
  DamagedImage image(StandardImagePath(), std::string("ntfs-broken-") + GetParam().Name);
  for (const uint32_t id : GetParam().InMft) ntfstest::BreakRecord(image, PlaceOf(image).Mft, id);
  EXPECT_EQ(ListingOf(image.Path()), PristineListing());
}

INSTANTIATE_TEST_SUITE_P(Records, NtfsBrokenRecords,
                         testing::Values(BrokenRecordsCase{"Record0", {0}}, BrokenRecordsCase{"Record5", {5}},
                                         BrokenRecordsCase{"Records0And5", {0, 5}}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(NtfsDamagedImage, NoUsableRecordZeroEndsWithTheParametersMessage) {
  DamagedImage image(StandardImagePath(), "ntfs-no-record-zero");
  const MftPlace place = PlaceOf(image);
  // Neither copy is a FILE record any more.
  image.WriteByte(place.Mft, 'X');
  image.WriteByte(place.Mirror, 'X');
  testsupport::FatImageSession session(image.Path(), engine::kFileSystemNtfs);
  EXPECT_EQ(session.QuickScan(), 0);
  EXPECT_EQ(session.ctx.ScanControl.ParametersNotFound.load(), 1);
  EXPECT_EQ(session.ctx.MessageRequest.Text, engine::kParametersNotFoundText);
  EXPECT_TRUE(session.host.CallsStartingWith("ResultTree").empty()) << "no empty results";
}

// A file whose record was torn by power loss: listed by Quick and Extensive Scan,
// saved with the bytes it had and named as damaged.
TEST(NtfsDamagedImage, TornFileRecordIsSavedWholeAndNamedAsDamaged) {
  const fixtures::FixtureImage& standard = fixtures::StandardImage(fixtures::ImageKind::Ntfs);
  DamagedImage image(StandardImagePath(), "ntfs-torn-file");
  const uint32_t id = IdOf(PristineListing(), "/big-300k.bin");
  ntfstest::BreakRecord(image, PlaceOf(image).Mft, id);
  ntfstest::ScannedImage scan(image.Path());
  ASSERT_TRUE(scan.Detected());
  engine::EngineContext& ctx = scan.Context();
  const engine::TreeFileNode* file = nullptr;
  for (const engine::TreeFileNode* candidate : ctx.Results.TreeFilesIn(5)) {
    if (candidate->Id == id) file = candidate;
  }
  ASSERT_NE(file, nullptr) << "the torn record is listed";

  const std::string out = ntfstest::FreshTempFolder("ntfs-torn-file-out");
  engine::SaveSession session;
  EXPECT_FALSE(engine::SaveNtfsFile(ctx, session, engine::NtfsSaveRequestFor(*file, platform::FromUtf8(out))));
  ASSERT_EQ(session.Tally.DamagedFiles.size(), 1u);
  EXPECT_EQ(session.Tally.DamageNotes, std::vector<std::u16string>{u"record damaged"});
  EXPECT_NE(engine::SaveEndText(session.Tally).find(u"big-300k.bin (record damaged)"), std::u16string::npos);
  EXPECT_EQ(ntfstest::ReadHostFile(out + "/big-300k.bin"), standard.ReadOriginal(*standard.Find("/big-300k.bin")));
}

// $MFT's run sent far beyond the volume, $MFTMirr intact: the MFT is mapped from
// the mirror's record 0 and every file is listed.
TEST(NtfsDamagedImage, MftRunBeyondTheVolumeIsMappedFromTheMirror) {
  DamagedImage image(StandardImagePath(), "ntfs-mft-run-beyond");
  const uint64_t data = ntfstest::AttributesOf(image, PlaceOf(image).Mft, 0x80).at(0);
  const std::vector<uint8_t> header = image.Read(data + 32, 2);
  const uint64_t runlist = data + (header[0] | header[1] << 8);
  const uint8_t lengthBytes = image.Read(runlist, 1)[0] & 0x0F;
  ASSERT_EQ(lengthBytes, 1) << "seven bytes fit where the run was (see the test below)";
  // The same length, its start cluster 0x3F000000: far past the 32 MiB volume.
  const uint8_t length = image.Read(runlist + 1, 1)[0];
  const uint8_t farRun[] = {0x41, length, 0x00, 0x00, 0x00, 0x3F, 0x00};
  image.Write(runlist, farRun);
  EXPECT_EQ(ListingOf(image.Path()), PristineListing());

  // With the mirror's record 0 gone as well nothing is usable, and the user is told.
  image.WriteByte(PlaceOf(image).Mirror, 'X');
  testsupport::FatImageSession session(image.Path(), engine::kFileSystemNtfs);
  EXPECT_EQ(session.QuickScan(), 0);
  EXPECT_EQ(session.ctx.MessageRequest.Text, engine::kParametersNotFoundText);
}

// $MFT's one run rewritten to 2^31 - 1 clusters; with and without its data size.
TEST(NtfsDamagedImage, DamagedMftRunIsBoundedByTheDataSizeAndTheVolume) {
  // Detection looks for the backup boot sector one past the image's end.
  const uint64_t unreadableWhole = ntfstest::ScannedImage(StandardImagePath()).Context().ReadStats.UnreadableSectors;
  for (const bool sizeDamagedToo : {false, true}) {
    DamagedImage image(StandardImagePath(), "ntfs-long-run");
    const uint64_t data = ntfstest::AttributesOf(image, PlaceOf(image).Mft, 0x80).at(0);
    const std::vector<uint8_t> header = image.Read(data + 32, 2);
    const uint64_t runlist = data + (header[0] | header[1] << 8);
    const uint8_t firstRunOffset = image.Read(runlist + 2, 1)[0];
    const uint8_t longRun[] = {0x14, 0xFF, 0xFF, 0xFF, 0x7F, firstRunOffset, 0x00};
    image.Write(runlist, longRun);
    if (sizeDamagedToo) image.PutU64(data + 48, uint64_t{1} << 40);

    ntfstest::ScannedImage scan(image.Path());
    ASSERT_TRUE(scan.Detected());
    std::map<uint32_t, ListedEntry> listing = scan.Listing();
    listing.erase(0xFFFFFFFE);
    EXPECT_EQ(listing, PristineListing()) << "the mirror's records are no files";
    EXPECT_EQ(scan.Context().ReadStats.UnreadableSectors.load(), unreadableWhole) << "nothing read beyond the volume";
  }
}

TEST(NtfsDamagedImage, StopDuringTheWalkListsWhatWasFound) {
  testsupport::FatImageSession whole(StandardImagePath(), engine::kFileSystemNtfs);
  ASSERT_EQ(whole.QuickScan(), 1);

  testsupport::FatImageSession session(StandardImagePath(), engine::kFileSystemNtfs);
  // The walk shows the sector it reads every 16 records: Stop at the third showing.
  session.host.StopCounter = engine::ScanCounter::CurrentSector;
  session.host.StopAfterItems = 3;
  EXPECT_EQ(session.QuickScan(), 1);
  const engine::ResultStore& results = session.ctx.Results;
  EXPECT_GT(results.FileCount, 0);
  EXPECT_LT(results.FileCount, whole.ctx.Results.FileCount);
  EXPECT_EQ(results.TreeFiles.size(), static_cast<size_t>(results.FileCount));
  EXPECT_EQ(session.host.CallsStartingWith("ResultTree.Insert Root").size(), 1u);
}

}  // namespace
