#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <string>

#include "EngineContext.h"
#include "ImageFileSource.h"
#include "RecordingHost.h"
#include "SectorReader.h"
#include "partitions/LostPartitionSearch.h"
#include "partitions/PartitionTable.h"

namespace {

using namespace engine;

const std::string kImages = PELMO_PARTITION_IMAGE_DIR;

struct Listed {
  uint32_t start;
  uint32_t count;
  uint16_t code;
  bool operator==(const Listed&) const = default;
};

void PrintTo(const Listed& l, std::ostream* os) { *os << "{" << l.start << ", " << l.count << ", " << l.code << "}"; }

// The partitions mmls read, as this program lists them: data slots only, with the
// code their type gives (the test disk's volumes agree with their types).
std::vector<Listed> FromMmls(const std::string& path) {
  std::ifstream in(path);
  const std::regex row(R"(^\d+:\s+\d+:\d+\s+(\d+)\s+\d+\s+(\d+)\s+.*\(0x([0-9a-f]{2})\)\s*$)");
  std::vector<Listed> listed;
  for (std::string line; std::getline(in, line);) {
    std::smatch m;
    if (!std::regex_match(line, m, row)) continue;
    const int type = std::stoi(m[3], nullptr, 16);
    const uint16_t code = (type == 0x04 || type == 0x06 || type == 0x0E) ? kFileSystemFat16
                          : (type == 0x0B || type == 0x0C)                ? kFileSystemFat32
                          : type == 0x07                                  ? kFileSystemNtfs
                                                                          : 0;
    if (code != 0) listed.push_back({static_cast<uint32_t>(std::stoul(m[1])), static_cast<uint32_t>(std::stoul(m[2])), code});
  }
  return listed;
}

class PartitionImageTest : public ::testing::Test {
 protected:
  testsupport::RecordingHost host;
  platform::ImageDeviceOpener opener;
  EngineContext ctx{host, opener};

  void UseImage(const std::string& name, uint32_t cylinders) {
    opener.Map(u"\\\\.\\PhysicalDrive0", kImages + "/" + name);
    ApplyDefaultRecoverySettings(ctx.RecoverySettings);
    ctx.SourceDevice.SourceKind = kSourceWholeDisk;
    ctx.PhysicalDriveTable[0] = {.Cylinders = cylinders, .Heads = 255, .SectorsPerTrack = 63};
    ctx.PhysicalDriveCount = 1;
  }
  std::vector<Listed> Table() const {
    std::vector<Listed> listed;
    for (int i = 0; i < ctx.PartitionCount; ++i)
      listed.push_back({ctx.PartitionTable[i].StartSector, ctx.PartitionTable[i].SectorCount,
                        ctx.PartitionTable[i].FileSystemCode});
    return listed;
  }
};

TEST_F(PartitionImageTest, TheMbrAndExtendedChainAgreeWithMmls) {
  UseImage("chain.img", 3);
  ASSERT_TRUE(ReadPartitionTable(ctx, 0));
  const std::vector<Listed> expected = FromMmls(kImages + "/chain.mmls");
  ASSERT_EQ(expected.size(), 5u);  // the Linux partition is not one of ours
  EXPECT_EQ(Table(), expected);
}

TEST_F(PartitionImageTest, AfterTheTableIsWipedTheSearchFindsTheVolumes) {
  UseImage("lost.img", 3);  // 50,000 sectors: three whole cylinders
  ASSERT_TRUE(ReadPartitionTable(ctx, 0));
  ASSERT_EQ(ctx.PartitionCount, 0);

  SearchLostPartitions(ctx);

  // mkfs.fat gives volumes under 65,536 sectors their size in the 16-bit field;
  // mkntfs leaves the last sector for the backup boot sector.
  EXPECT_EQ(Table(), (std::vector<Listed>{{63, 8000, kFileSystemFat16},
                                          {8192, 7679, kFileSystemNtfs},
                                          {16128, 8000, kFileSystemFat32},
                                          {34816, 8000, kFileSystemFat16}}));
}

}  // namespace
