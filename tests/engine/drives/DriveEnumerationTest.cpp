#include <gtest/gtest.h>

#include <cstring>

#include "EngineContext.h"
#include "FaultySectorSource.h"
#include "RecordingHost.h"
#include "SectorReader.h"
#include "TableDriveCatalogue.h"
#include "drives/DriveEnumeration.h"

namespace {

using namespace engine;
using testsupport::TableDriveCatalogue;

// A one-sector volume whose boot sector carries `text` at `offset` and 8 sectors per cluster.
std::vector<uint8_t> BootSectorWith(size_t offset, const char* text) {
  std::vector<uint8_t> sector(kSectorSize, 0);
  std::memcpy(sector.data() + offset, text, std::strlen(text));
  sector[13] = 8;
  sector[510] = 0x55;
  sector[511] = 0xAA;
  return sector;
}

class DriveEnumerationTest : public ::testing::Test {
 protected:
  testsupport::RecordingHost host;
  testsupport::FakeDeviceOpener opener;
  EngineContext ctx{host, opener};
  TableDriveCatalogue catalogue;

  void AddVolume(char16_t letter, std::vector<uint8_t> bootSector, TableDriveCatalogue::Letter drive) {
    catalogue.Letters[letter] = drive;
    opener.Devices[VolumeDevicePath(letter)].Bytes = std::move(bootSector);
  }
};

TEST_F(DriveEnumerationTest, DisksAreListedWithModelGeometryAndTheirOwnDeviceNumbers) {
  catalogue.Disks[0] = {.BusType = 11, .ProductId = "VBOX HARDDISK", .Cylinders = 1000, .TracksPerCylinder = 255,
                        .SectorsPerTrack = 63};
  // PhysicalDrive1 is missing: the later disks keep their device numbers.
  catalogue.Disks[2] = {.BusType = kBusTypeUsb, .ProductId = "Flash Disk", .Cylinders = 30,
                        .TracksPerCylinder = 64, .SectorsPerTrack = 32};
  catalogue.Disks[3] = {.BusType = kBusTypeUsb, .ProductId = "Card Reader"};  // no medium

  InitDiskAccess(ctx, catalogue);

  ASSERT_EQ(ctx.PhysicalDriveCount, 3);
  const PhysicalDriveEntry& hdd = ctx.PhysicalDriveTable[0];
  EXPECT_EQ(hdd.Model, "VBOX HARDDISK");
  EXPECT_EQ(hdd.TotalSectors, 1000u * 255 * 63);
  EXPECT_EQ(hdd.DeviceNumber, 0);
  EXPECT_EQ(ctx.PhysicalDriveTable[1].Model, "USB Device");
  EXPECT_EQ(ctx.PhysicalDriveTable[1].DeviceNumber, 2);
  EXPECT_EQ(ctx.PhysicalDriveTable[1].Heads, 64u);
  EXPECT_EQ(ctx.PhysicalDriveTable[2].Model, "Media missing or not inserted");
  EXPECT_EQ(ctx.PhysicalDriveTable[2].TotalSectors, 0u);
  EXPECT_EQ(FindPhysicalDrive(ctx, 2), &ctx.PhysicalDriveTable[1]);
  EXPECT_EQ(FindPhysicalDrive(ctx, 1), nullptr);

  EXPECT_EQ(ctx.RecoverySettings.SectorsPerRead, 60);
  EXPECT_EQ(ctx.RecoverySettings.BadSectorRetries, 3);
  EXPECT_EQ(host.Calls(), std::vector<std::string>{"DriveTree.ExpandRoot"});
}

TEST_F(DriveEnumerationTest, LogicalDrivesAreListedInLetterOrderWithTheirTreePaths) {
  using Kind = DriveKind;
  AddVolume(u'A', BootSectorWith(54, "FAT12   "), {Kind::Removable, 1474560, u"FLOPPY"});
  AddVolume(u'C', BootSectorWith(3, "NTFS    "), {Kind::Fixed, 40ULL << 30, u"System"});
  AddVolume(u'D', BootSectorWith(54, "FAT16   "), {Kind::Removable, 64ULL << 20, u"PELMOTEST"});
  AddVolume(u'E', BootSectorWith(82, "FAT32   "), {Kind::Remote, 8ULL << 30, u"share"});
  AddVolume(u'F', BootSectorWith(82, "FAT32   "), {Kind::Other, 1ULL << 30, u"cdrom"});
  AddVolume(u'G', BootSectorWith(82, "FAT32   "), {Kind::Fixed, std::nullopt, u"gone"});
  ApplyDefaultRecoverySettings(ctx.RecoverySettings);

  EnumerateLogicalDrives(ctx, catalogue);

  ASSERT_EQ(ctx.LogicalDriveCount, 4);
  struct Expected {
    const char16_t* root;
    uint16_t code;
    uint64_t sectors;
    uint16_t perCluster;
    const char16_t* label;
  };
  const Expected expected[] = {{u"C:\\", kFileSystemNtfs, (40ULL << 30) / 512, 8, u"System"},
                               {u"D:\\", kFileSystemFat16, (64ULL << 20) / 512, 8, u"PELMOTEST"},
                               {u"E:\\", kFileSystemFat32, (8ULL << 30) / 512, 8, u"share"},
                               {u"G:\\", kFileSystemUnknown, 0, 0, u""}};
  for (size_t i = 0; i < std::size(expected); ++i) {
    SCOPED_TRACE(i);
    const LogicalDriveEntry& entry = ctx.LogicalDriveTable[i];
    EXPECT_EQ(entry.RootPath, expected[i].root);
    EXPECT_EQ(entry.FileSystemCode, expected[i].code);
    EXPECT_EQ(entry.SectorCount, expected[i].sectors);
    EXPECT_EQ(entry.SectorsPerCluster, expected[i].perCluster);
    EXPECT_EQ(entry.Label, expected[i].label);
    EXPECT_EQ(ctx.PartitionTable[i].FileSystemCode, expected[i].code);
    EXPECT_EQ(ctx.PartitionTable[i].SectorCount, static_cast<uint32_t>(expected[i].sectors));
  }
  EXPECT_EQ(host.Calls(), (std::vector<std::string>{
                              "DriveTree.AddPath My Computer\\Logical Devices\\Logical Drives C: \\",
                              "DriveTree.AddPath My Computer\\Logical Devices\\Logical Drives D: \\",
                              "DriveTree.AddPath My Computer\\Logical Devices\\Logical Drives E: \\",
                              "DriveTree.AddPath My Computer\\Logical Devices\\Logical Drives G: \\",
                              "DriveTree.ExpandRoot"}));
  EXPECT_EQ(ctx.SourceDevice.VolumeHandle, nullptr);  // each probe closes its volume
}

TEST_F(DriveEnumerationTest, AnUnreadableOrUnknownBootSectorLeavesTheDriveUnknown) {
  ApplyDefaultRecoverySettings(ctx.RecoverySettings);
  AddVolume(u'C', BootSectorWith(54, "FAT12   "), {DriveKind::Fixed, 1ULL << 20, u"small"});
  catalogue.Letters[u'D'] = {DriveKind::Fixed, 1ULL << 30, u"locked"};  // no device to open
  AddVolume(u'E', BootSectorWith(3, "NTFS    "), {DriveKind::Fixed, 1ULL << 30, u"bad"});
  opener.Devices[VolumeDevicePath(u'E')].BadSectors = {0};

  EnumerateLogicalDrives(ctx, catalogue);

  ASSERT_EQ(ctx.LogicalDriveCount, 3);
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(ctx.LogicalDriveTable[i].FileSystemCode, kFileSystemUnknown);
    EXPECT_EQ(ctx.LogicalDriveTable[i].SectorsPerCluster, 0);
  }
  EXPECT_EQ(ctx.LogicalDriveTable[1].SectorCount, (1ULL << 30) / 512);  // the size is still known
}

TEST(BootSectorClassification, ByTextsOnly) {
  struct Case {
    size_t offset;
    const char* text;
    uint16_t code;
  };
  const Case cases[] = {{3, "NTFS    ", kFileSystemNtfs},   {54, "FAT16   ", kFileSystemFat16},
                        {82, "FAT32   ", kFileSystemFat32},  {54, "FAT12   ", kFileSystemUnknown},
                        {3, "EXFAT   ", kFileSystemUnknown}, {0, "", kFileSystemUnknown}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ClassifyBootSector(BootSectorWith(c.offset, c.text)), c.code);
  }
  EXPECT_EQ(ClassifyBootSector({}), kFileSystemUnknown);
}

}  // namespace
