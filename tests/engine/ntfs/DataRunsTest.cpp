#include <gtest/gtest.h>

#include "ntfs/DataRuns.h"
#include "ntfs/MftRunMap.h"

using namespace engine::ntfs;

namespace {

struct RunCase {
  const char* label;
  std::vector<uint8_t> runlist;
  std::vector<DataRun> expected;  // empty: not decodable
};

class RunlistTest : public testing::TestWithParam<RunCase> {};

TEST_P(RunlistTest, Decodes) {
  const DecodedRunlist decoded = DecodeRunlist(GetParam().runlist);
  ASSERT_EQ(decoded.Runs.size(), GetParam().expected.size());
  EXPECT_EQ(decoded.Error == RunlistError::None, !GetParam().expected.empty());
  for (std::size_t i = 0; i < decoded.Runs.size(); ++i) {
    EXPECT_EQ(decoded.Runs[i].FirstCluster, GetParam().expected[i].FirstCluster) << i;
    EXPECT_EQ(decoded.Runs[i].Length, GetParam().expected[i].Length) << i;
    EXPECT_EQ(decoded.Runs[i].Sparse, GetParam().expected[i].Sparse) << i;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Runs, RunlistTest,
    testing::Values(
        RunCase{"OneRun", {0x21, 0x18, 0x34, 0x56, 0x00}, {{0x5634, 0x18, false}}},
        // 0xF0 0xFF: a delta of -16 clusters.
        RunCase{"NegativeTwoByteOffset", {0x21, 0x04, 0x00, 0x01, 0x21, 0x04, 0xF0, 0xFF, 0x00},
                {{0x100, 4, false}, {0xF0, 4, false}}},
        // A 3-byte 0xFF 0xFF 0xFF moves back one cluster.
        RunCase{"NegativeThreeByteOffset",
                {0x11, 0x02, 0x40, 0x11, 0x02, 0x10, 0x31, 0x01, 0xFF, 0xFF, 0xFF, 0x00},
                {{0x40, 2, false}, {0x50, 2, false}, {0x4F, 1, false}}},
        // A sparse run does not move the next run's origin.
        RunCase{"SparseBetweenRuns", {0x11, 0x04, 0x20, 0x01, 0x08, 0x11, 0x02, 0x10, 0x00},
                {{0x20, 4, false}, {0, 8, true}, {0x30, 2, false}}},
        RunCase{"EightByteLength", {0x18, 1, 0, 0, 0, 0, 0, 0, 0, 0x05, 0x00}, {{5, 1, false}}},
        RunCase{"EndsWithoutEndMark", {0x11, 0x04, 0x20}, {{0x20, 4, false}}},
        RunCase{"Empty", {0x00}, {}},
        RunCase{"NoBytes", {}, {}},
        RunCase{"TruncatedRun", {0x11, 0x04, 0x20, 0x31, 0x01, 0x00}, {}},
        RunCase{"ZeroLength", {0x10, 0x05, 0x00}, {}},
        RunCase{"FieldTooWide", {0x19, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0x00}, {}},
        RunCase{"BeforeClusterZero", {0x11, 0x01, 0x05, 0x11, 0x01, 0xF0, 0x00}, {}}),
    [](const auto& info) { return info.param.label; });

struct MapCase {
  const char* label;
  uint64_t record;
  uint64_t sector;
};

class MapThroughRunsTest : public testing::TestWithParam<MapCase> {};

// Three fragments: 16 sectors at 1000, a sparse stretch of 8, 8 sectors at 500.
TEST_P(MapThroughRunsTest, MapsRecordsToSectors) {
  const std::vector<uint64_t> lengths{16, 8, 8};
  const std::vector<uint64_t> starts{1000, 0, 500};
  EXPECT_EQ(MapThroughRuns(GetParam().record, lengths, starts), GetParam().sector);
}

INSTANTIATE_TEST_SUITE_P(Records, MapThroughRunsTest,
                         testing::Values(MapCase{"First", 0, 1000}, MapCase{"LastOfFirstRun", 7, 1014},
                                         MapCase{"InSparseRun", 9, 0}, MapCase{"ThirdRun", 12, 500},
                                         MapCase{"LastRecord", 15, 506}, MapCase{"PastTheMap", 16, 0},
                                         MapCase{"Huge", UINT64_MAX, 0}),
                         [](const auto& info) { return info.param.label; });

TEST(MftRunMap, OneFragmentPlacesRecordsTwoSectorsApart) {
  MftRunMap map;
  map.Starts = {6000};
  map.Lengths = {64};
  EXPECT_EQ(map.RunCount(), 1u);
  EXPECT_EQ(MftRecordToSector(map, 0), 6000u);
  EXPECT_EQ(MftRecordToSector(map, 31), 6062u);
  EXPECT_EQ(MftRecordToSector(map, 32), 0u);
}

}  // namespace
