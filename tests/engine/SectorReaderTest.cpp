#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>

#include "EngineContext.h"
#include "FaultySectorSource.h"
#include "ReadErrorReport.h"
#include "RecordingHost.h"
#include "SectorReader.h"

namespace {

using engine::kSectorSize;
using testsupport::FaultySectorSource;
using testsupport::SourceCounters;

constexpr uint32_t kImageSectors = 16;
constexpr uint64_t kNoEnd = UINT64_MAX;

struct ReadCase {
  const char* Name;
  uint16_t SourceKind;
  uint16_t Retries;
  std::set<uint64_t> BadSectors;
  uint64_t ReadableEndSector;  // kNoEnd for none
  uint64_t FirstSector;
  uint32_t Count;
  bool ExpectedResult;
  std::set<uint64_t> ExpectedZeroSectors;  // sectors of the source read back as zeros
  int ExpectedReadCalls;
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.Name; }

class SectorReaderTable : public ::testing::TestWithParam<ReadCase> {};

TEST_P(SectorReaderTable, ReadsRetriesAndZeroFills) {
  const ReadCase& c = GetParam();
  testsupport::RecordingHost host;
  testsupport::FakeDeviceOpener opener;
  engine::EngineContext ctx(host, opener);
  ctx.RecoverySettings.BadSectorRetries = c.Retries;
  ctx.SourceDevice.SourceKind = c.SourceKind;

  const std::vector<uint8_t> image = FaultySectorSource::NumberedSectors(kImageSectors);
  auto usedCounters = std::make_shared<SourceCounters>();
  auto otherCounters = std::make_shared<SourceCounters>();
  auto used = std::make_unique<FaultySectorSource>(image, usedCounters);
  used->BadSectors = c.BadSectors;
  if (c.ReadableEndSector != kNoEnd) used->ReadableEnd = c.ReadableEndSector * kSectorSize;
  // Both handles are open; only the one of the source kind may be touched.
  auto other = std::make_unique<FaultySectorSource>(image, otherCounters);
  if (c.SourceKind == engine::kSourceLogicalDrive) {
    ctx.SourceDevice.VolumeHandle = std::move(used);
    ctx.SourceDevice.DiskHandle = std::move(other);
  } else {
    ctx.SourceDevice.DiskHandle = std::move(used);
    ctx.SourceDevice.VolumeHandle = std::move(other);
  }

  std::vector<uint8_t> buffer(static_cast<size_t>(c.Count) * kSectorSize, 0xEE);  // stale bytes
  EXPECT_EQ(engine::ReadSectors(ctx, c.FirstSector, c.Count, buffer), c.ExpectedResult);

  const std::vector<uint8_t> zeros(kSectorSize, 0);
  for (uint32_t i = 0; i < c.Count; ++i) {
    const uint64_t sector = c.FirstSector + i;
    const uint8_t* got = buffer.data() + i * kSectorSize;
    if (c.ExpectedZeroSectors.count(sector) != 0) {
      EXPECT_EQ(std::memcmp(got, zeros.data(), kSectorSize), 0) << "sector " << sector << " should be zeros";
    } else {
      EXPECT_EQ(std::memcmp(got, image.data() + sector * kSectorSize, kSectorSize), 0)
          << "sector " << sector << " should hold its bytes";
    }
  }
  EXPECT_EQ(ctx.ReadStats.UnreadableSectors.load(), c.ExpectedZeroSectors.size());
  EXPECT_EQ(usedCounters->Reads, c.ExpectedReadCalls);
  EXPECT_EQ(otherCounters->Reads + otherCounters->Seeks, 0) << "the other handle was touched";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SectorReaderTable,
    ::testing::Values(
        ReadCase{"CleanRun", 1, 3, {}, kNoEnd, 2, 8, true, {}, 1},
        // One bad sector mid-run: the run read fails, then 8 sector reads, 3 tries on the bad one.
        ReadCase{"BadMiddleSectorRetried", 1, 3, {5}, kNoEnd, 2, 8, true, {5}, 1 + 7 + 3},
        ReadCase{"UnreadableLastSectorFails", 1, 3, {9}, kNoEnd, 2, 8, false, {9}, 1 + 7 + 3},
        ReadCase{"NoRetriesNothingReRead", 1, 0, {5}, kNoEnd, 2, 8, false, {2, 3, 4, 5, 6, 7, 8, 9}, 1},
        ReadCase{"CutOffEnd", 1, 3, {}, 8, 4, 6, false, {8, 9}, 1 + 4 + 3 + 3},
        ReadCase{"LogicalDriveReadsVolumeOnly", 2, 3, {}, kNoEnd, 0, 4, true, {}, 1},
        // A volume is read without retries, whatever the setting: each sector once on its own.
        ReadCase{"LogicalDriveSectorsReadOnceEach", 2, 3, {1}, kNoEnd, 0, 4, true, {1}, 1 + 4}),
    [](const ::testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.Name); });

class SectorReaderTest : public ::testing::Test {
 protected:
  testsupport::RecordingHost host;
  testsupport::FakeDeviceOpener opener;
  engine::EngineContext ctx{host, opener};
};

// A read that the device answers short has met its end: the sectors past it are
// zeros, but they are not unreadable sectors, not read again and not counted.
TEST_F(SectorReaderTest, ReadingPastTheEndIsTheEndNotUnreadableSectors) {
  for (const uint16_t kind : {engine::kSourceWholeDisk, engine::kSourceLogicalDrive}) {
    ctx.ReadStats.UnreadableSectors = 0;
    ctx.ReadStats.UnreadableSet.Clear();
    ctx.SourceDevice.SourceKind = kind;
    ctx.RecoverySettings.BadSectorRetries = 3;
    const std::vector<uint8_t> image = FaultySectorSource::NumberedSectors(kImageSectors);
    auto counters = std::make_shared<SourceCounters>();
    auto source = std::make_unique<FaultySectorSource>(image, counters);
    if (kind == engine::kSourceLogicalDrive) {
      ctx.SourceDevice.VolumeHandle = std::move(source);
    } else {
      ctx.SourceDevice.DiskHandle = std::move(source);
    }
    std::vector<uint8_t> buffer(4 * kSectorSize, 0xEE);
    EXPECT_FALSE(engine::ReadSectors(ctx, 14, 4, buffer)) << "the last sector of the run was not read";
    EXPECT_EQ(std::memcmp(buffer.data(), image.data() + 14 * kSectorSize, 2 * kSectorSize), 0);
    EXPECT_EQ(std::count(buffer.begin() + 2 * kSectorSize, buffer.end(), 0), 2 * kSectorSize);
    EXPECT_EQ(ctx.ReadStats.UnreadableSectors.load(), 0u);
    EXPECT_EQ(ctx.ReadStats.UnreadableSet.Count(), 0u);
    EXPECT_EQ(counters->Reads, 1) << "nothing past the end is tried again";
    buffer.assign(2 * kSectorSize, 0xEE);
    EXPECT_FALSE(engine::ReadSectors(ctx, 16, 2, buffer)) << "wholly past the end";
    EXPECT_EQ(std::count(buffer.begin(), buffer.end(), 0), 2 * kSectorSize);
    EXPECT_EQ(ctx.ReadStats.UnreadableSectors.load(), 0u);
  }
}

TEST_F(SectorReaderTest, MissingHandleFailsWithZeros) {
  ctx.SourceDevice.SourceKind = engine::kSourceWholeDisk;
  std::vector<uint8_t> buffer(kSectorSize, 0xEE);
  EXPECT_FALSE(engine::ReadSectors(ctx, 0, 1, buffer));
  EXPECT_EQ(buffer, std::vector<uint8_t>(kSectorSize, 0));
  ctx.SourceDevice.SourceKind = engine::kSourceLogicalDrive;
  EXPECT_FALSE(engine::ReadSectors(ctx, 0, 1, buffer));
}

TEST_F(SectorReaderTest, BufferSmallerThanCountIsRefusedUntouched) {
  ctx.SourceDevice.SourceKind = engine::kSourceWholeDisk;
  ctx.SourceDevice.DiskHandle = std::make_unique<FaultySectorSource>(FaultySectorSource::NumberedSectors(4));
  std::vector<uint8_t> buffer(kSectorSize * 2 - 1, 0xEE);
  EXPECT_FALSE(engine::ReadSectors(ctx, 0, 2, buffer));
  EXPECT_EQ(buffer, std::vector<uint8_t>(kSectorSize * 2 - 1, 0xEE));
  EXPECT_FALSE(engine::ReadSectors(ctx, UINT64_MAX / 2, 1, buffer)) << "byte offset beyond 64 bits";
}

TEST_F(SectorReaderTest, VolumeReadsAreLimitedTo65535Sectors) {
  ctx.SourceDevice.SourceKind = engine::kSourceLogicalDrive;
  ctx.SourceDevice.VolumeHandle = std::make_unique<FaultySectorSource>(FaultySectorSource::NumberedSectors(4));
  std::vector<uint8_t> buffer(static_cast<size_t>(65536) * kSectorSize);
  EXPECT_FALSE(engine::ReadVolumeSectors(ctx, 0, 65536, buffer));
  EXPECT_TRUE(engine::ReadVolumeSectors(ctx, 0, 4, buffer));
}

TEST_F(SectorReaderTest, OpenersUseTheDevicePathsAndShareModes) {
  opener.Devices[u"\\\\.\\PhysicalDrive3"].Bytes = FaultySectorSource::NumberedSectors(2);
  opener.Devices[u"\\\\.\\E:"].Bytes = FaultySectorSource::NumberedSectors(2);

  ctx.SourceDevice.DriveNumber = 3;
  EXPECT_NE(engine::OpenPhysicalDrive(ctx), nullptr);
  EXPECT_NE(engine::OpenLogicalVolume(ctx, u'E'), nullptr);
  ctx.SourceDevice.DriveNumber = 4;  // nothing behind it: the old handle is closed, null stored
  EXPECT_EQ(engine::OpenPhysicalDrive(ctx), nullptr);
  EXPECT_EQ(ctx.SourceDevice.DiskHandle, nullptr);
  ctx.SourceDevice.DriveNumber = 10;  // beyond the table of ten disks
  EXPECT_EQ(engine::OpenPhysicalDrive(ctx), nullptr);

  ASSERT_EQ(opener.Opened.size(), 3u);
  EXPECT_EQ(opener.Opened[0].first, u"\\\\.\\PhysicalDrive3");
  EXPECT_EQ(opener.Opened[0].second, engine::DeviceShare::ReadOnly);
  EXPECT_EQ(opener.Opened[1].first, u"\\\\.\\E:");
  EXPECT_EQ(opener.Opened[1].second, engine::DeviceShare::ReadWrite);
}

// The same 16 bad sectors met by three reads are 16 sectors to the user, and a
// new count forgets them.
TEST_F(SectorReaderTest, SectorsReadAgainAreCountedOnce) {
  ctx.RecoverySettings.BadSectorRetries = 3;
  ctx.SourceDevice.SourceKind = engine::kSourceWholeDisk;
  auto source = std::make_unique<FaultySectorSource>(FaultySectorSource::NumberedSectors(64));
  for (uint64_t sector = 20; sector < 36; ++sector) source->BadSectors.insert(sector);
  ctx.SourceDevice.DiskHandle = std::move(source);
  const engine::ReadErrorCounts atStart = engine::BeginReadErrorCount(ctx);
  std::vector<uint8_t> buffer(size_t{32} * kSectorSize);
  engine::ReadSectors(ctx, 16, 32, buffer);
  engine::ReadSectors(ctx, 18, 8, buffer);
  engine::ReadSectors(ctx, 30, 10, buffer);
  EXPECT_EQ(engine::CurrentReadErrors(ctx).Unreadable - atStart.Unreadable, 16u);
  EXPECT_EQ(engine::UnreadableSectorsText(engine::CurrentReadErrors(ctx)).rfind(u"16 sectors of the drive", 0), 0u);
  engine::BeginReadErrorCount(ctx);
  engine::ReadSectors(ctx, 35, 1, buffer);
  EXPECT_EQ(engine::CurrentReadErrors(ctx).Unreadable, 1u);
}

TEST(ReadErrorText, OneSectorWasTakenAsEmpty) {
  const std::u16string one = engine::UnreadableSectorsText({1, 1});
  EXPECT_EQ(one.rfind(u"1 sector of the drive could not be read and was taken as empty.", 0), 0u);
  EXPECT_NE(one.find(u" 1 sector of them lies in damaged areas"), std::u16string::npos);
  EXPECT_EQ(engine::UnreadableSectorsText({2, 0}).rfind(u"2 sectors of the drive could not be read and were", 0), 0u);
  EXPECT_EQ(engine::SectorCountText(1), u"1 sector");
}

TEST_F(SectorReaderTest, SeekHandleReportsPositionOrMinusOne) {
  FaultySectorSource source(FaultySectorSource::NumberedSectors(4));
  EXPECT_EQ(engine::SeekHandle(source, 1024, engine::SeekMethod::Begin), 1024);
  EXPECT_EQ(engine::SeekHandle(source, 512, engine::SeekMethod::Current), 1536);
  EXPECT_EQ(engine::SeekHandle(source, 0, engine::SeekMethod::End), 2048);
  EXPECT_EQ(engine::SeekHandle(source, -4096, engine::SeekMethod::Current), -1);
}

}  // namespace

// A failing disk's bad area: thousands of sectors in a row, read the way the
// Extensive Scan reads (one run after another) and as one long run.
struct BadAreaCase {
  const char* Name;
  uint32_t SectorsPerCall;
};

void PrintTo(const BadAreaCase& c, std::ostream* os) { *os << c.Name; }

class SectorReaderBadArea : public ::testing::TestWithParam<BadAreaCase> {};

TEST_P(SectorReaderBadArea, SkipsAheadReadsBackAndCountsWhatWasPassedOver) {
  constexpr uint32_t kSectors = 8192;
  constexpr uint64_t kBadFrom = 1000;
  constexpr uint64_t kBadTo = 4000;  // one past the last bad sector
  testsupport::RecordingHost host;
  testsupport::FakeDeviceOpener opener;
  engine::EngineContext ctx(host, opener);
  ctx.RecoverySettings.BadSectorRetries = 3;
  ctx.SourceDevice.SourceKind = engine::kSourceWholeDisk;
  const std::vector<uint8_t> image = FaultySectorSource::NumberedSectors(kSectors);
  auto counters = std::make_shared<SourceCounters>();
  auto source = std::make_unique<FaultySectorSource>(image, counters);
  for (uint64_t sector = kBadFrom; sector < kBadTo; ++sector) source->BadSectors.insert(sector);
  ctx.SourceDevice.DiskHandle = std::move(source);

  const uint32_t perCall = GetParam().SectorsPerCall;
  const std::vector<uint8_t> zeros(kSectorSize, 0);
  std::vector<uint8_t> buffer(size_t{perCall} * kSectorSize);
  for (uint64_t first = 0; first < kSectors; first += perCall) {
    std::fill(buffer.begin(), buffer.end(), 0xEE);
    engine::ReadSectors(ctx, first, perCall, buffer);
    for (uint32_t i = 0; i < perCall; ++i) {
      const uint64_t sector = first + i;
      const uint8_t* got = buffer.data() + size_t{i} * kSectorSize;
      const bool bad = sector >= kBadFrom && sector < kBadTo;
      const uint8_t* expected = bad ? zeros.data() : image.data() + sector * kSectorSize;
      ASSERT_EQ(std::memcmp(got, expected, kSectorSize), 0) << "sector " << sector;
    }
  }
  const uint64_t badSectors = kBadTo - kBadFrom;
  EXPECT_EQ(ctx.ReadStats.UnreadableSectors.load(), badSectors);
  EXPECT_GT(ctx.ReadStats.SkippedSectors.load(), badSectors / 2);
  EXPECT_LT(ctx.ReadStats.SkippedSectors.load(), badSectors);
  // After a failed run read the good sectors before the bad area are read one by
  // one (at most kBadFrom reads); trying every bad sector three times would add 9000.
  EXPECT_LT(counters->Reads, static_cast<int>(kBadFrom) + 100);
}

INSTANTIATE_TEST_SUITE_P(Cases, SectorReaderBadArea,
                         ::testing::Values(BadAreaCase{"RunAfterRun", 64}, BadAreaCase{"OneLongRun", 8192}),
                         [](const auto& info) { return std::string(info.param.Name); });
