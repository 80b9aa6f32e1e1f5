// The drive page's enumeration over what Wine reports. Drive D: of the test prefix
// is backed by a FAT16 image labelled PELMOTEST (see tests/windows/map-test-drive.sh).

#include <gtest/gtest.h>

#include <windows.h>
#include <winioctl.h>

#include <cstring>

#include "EngineContext.h"
#include "RecordingHost.h"
#include "Win32DeviceSource.h"
#include "Win32DriveCatalogue.h"
#include "drives/DriveEnumeration.h"

namespace {

TEST(Win32DriveCatalogueTest, ListsDriveDAsTheFat16VolumeBehindIt) {
  testsupport::RecordingHost host;
  platform::Win32DeviceOpener opener;
  engine::EngineContext ctx(host, opener);
  platform::Win32DriveCatalogue catalogue;

  engine::InitDiskAccess(ctx, catalogue);
  engine::EnumerateLogicalDrives(ctx, catalogue);

  const engine::LogicalDriveEntry* driveD = nullptr;
  for (uint16_t i = 0; i < ctx.LogicalDriveCount; ++i)
    if (ctx.LogicalDriveTable[i].RootPath == u"D:\\") driveD = &ctx.LogicalDriveTable[i];
  ASSERT_NE(driveD, nullptr);
  EXPECT_EQ(driveD->FileSystemCode, engine::kFileSystemFat16);
  // The 16 MiB of the image behind the letter, not the disk the image lies on.
  EXPECT_EQ(driveD->SectorCount, 32768u);
  EXPECT_GT(driveD->SectorsPerCluster, 0);
  EXPECT_EQ(ctx.SourceDevice.VolumeHandle, nullptr);
  EXPECT_FALSE(host.CallsStartingWith("DriveTree.AddPath My Computer\\Logical Devices\\Logical Drives D: \\").empty());
  EXPECT_LE(ctx.PhysicalDriveCount, engine::kMaxPhysicalDrives);
}

TEST(Win32DriveCatalogueTest, AProductIdOutsideTheDescriptorIsIgnored) {
  alignas(STORAGE_DEVICE_DESCRIPTOR) uint8_t buffer[64] = {};
  auto* descriptor = reinterpret_cast<STORAGE_DEVICE_DESCRIPTOR*>(buffer);
  descriptor->ProductIdOffset = sizeof(buffer) - 4;
  std::memcpy(buffer + sizeof(buffer) - 4, "DISK", 4);  // no terminator: cut at the end
  EXPECT_EQ(platform::ProductIdFromDescriptor(buffer, sizeof(buffer)), "DISK");
  descriptor->ProductIdOffset = 4000;
  EXPECT_EQ(platform::ProductIdFromDescriptor(buffer, sizeof(buffer)), "");
  EXPECT_EQ(platform::ProductIdFromDescriptor(buffer, 8), "");  // the offset field itself is missing
}

}  // namespace
