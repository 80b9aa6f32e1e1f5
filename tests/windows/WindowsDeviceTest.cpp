// Reads a FAT image through the volume device of a drive letter under Wine.
// Before this runs, map-test-drive.sh links the prefix's dosdevices "d::" to the
// image (the device) and "d:" to a folder (the mounted drive).

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

#include "EngineContext.h"
#include "RecordingHost.h"
#include "SectorReader.h"
#include "Win32DeviceSource.h"

namespace {

TEST(WindowsDeviceTest, ReadsTheBootSectorOfADriveLetterReadOnly) {
  testsupport::RecordingHost host;
  platform::Win32DeviceOpener opener;
  engine::EngineContext ctx(host, opener);
  engine::ApplyDefaultRecoverySettings(ctx.RecoverySettings);

  ASSERT_NE(engine::OpenLogicalVolume(ctx, u'D'), nullptr) << "\\\\.\\D: did not open, error " << GetLastError();
  ctx.SourceDevice.SourceKind = engine::kSourceLogicalDrive;

  std::vector<uint8_t> boot(engine::kSectorSize);
  ASSERT_TRUE(engine::ReadSectors(ctx, 0, 1, boot));
  EXPECT_EQ(boot[510], 0x55);
  EXPECT_EQ(boot[511], 0xAA);
  EXPECT_EQ(std::memcmp(boot.data() + 54, "FAT16   ", 8), 0) << "the image is a FAT16 volume";
  EXPECT_EQ(std::memcmp(boot.data() + 43, "PELMOTEST  ", 11), 0) << "the label mkfs.fat wrote";

  // Reads further in and past the end behave like any source.
  std::vector<uint8_t> run(64 * engine::kSectorSize);
  EXPECT_TRUE(engine::ReadSectors(ctx, 1, 64, run));
  EXPECT_FALSE(engine::ReadSectors(ctx, 32767, 2, run)) << "the last sector lies past the end of the volume";
}

TEST(WindowsDeviceTest, TheVolumeIsOpenedForReadingOnly) {
  HANDLE device = CreateFileW(L"\\\\.\\D:", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              0, nullptr);
  ASSERT_NE(device, INVALID_HANDLE_VALUE);
  char sector[512] = {};
  DWORD written = 0;
  EXPECT_FALSE(WriteFile(device, sector, sizeof sector, &written, nullptr)) << "a read-only handle accepted a write";
  CloseHandle(device);
}

// Our own opener holds the device without write access: a second opener that lets
// no one else write can still open it (the system refuses that while any handle
// may write), and one asking to write is refused (we let no one else write).
TEST(WindowsDeviceTest, OurDeviceSourceHoldsTheDeviceReadOnly) {
  auto exclusiveReader = [] {
    return CreateFileW(L"\\\\.\\D:", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  };
  // The control: a handle that may write keeps the exclusive reader out.
  HANDLE writer = CreateFileW(L"\\\\.\\D:", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  if (writer == INVALID_HANDLE_VALUE) GTEST_SKIP() << "the test drive cannot be opened for writing here";
  HANDLE blocked = exclusiveReader();
  const bool sharingEnforced = blocked == INVALID_HANDLE_VALUE;
  if (blocked != INVALID_HANDLE_VALUE) CloseHandle(blocked);
  CloseHandle(writer);
  if (!sharingEnforced) GTEST_SKIP() << "this system does not enforce sharing on the test drive";

  for (engine::DeviceShare share : {engine::DeviceShare::ReadOnly, engine::DeviceShare::ReadWrite}) {
    platform::Win32DeviceOpener opener;
    std::unique_ptr<engine::SectorSource> ours = opener.OpenForReading(u"\\\\.\\D:", share);
    ASSERT_NE(ours, nullptr);
    HANDLE reader = exclusiveReader();
    EXPECT_NE(reader, INVALID_HANDLE_VALUE) << "our handle may write (error " << GetLastError() << ")";
    if (reader != INVALID_HANDLE_VALUE) CloseHandle(reader);
    if (share == engine::DeviceShare::ReadOnly) {
      HANDLE second = CreateFileW(L"\\\\.\\D:", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, 0, nullptr);
      EXPECT_EQ(second, INVALID_HANDLE_VALUE) << "a writer got in beside a read-only share";
      if (second != INVALID_HANDLE_VALUE) CloseHandle(second);
    }
  }
}

TEST(WindowsDeviceTest, AMissingDiskDoesNotOpen) {
  testsupport::RecordingHost host;
  platform::Win32DeviceOpener opener;
  engine::EngineContext ctx(host, opener);
  ctx.SourceDevice.DriveNumber = 9;
  EXPECT_EQ(engine::OpenPhysicalDrive(ctx), nullptr);
  ctx.SourceDevice.SourceKind = engine::kSourceWholeDisk;
  std::vector<uint8_t> boot(engine::kSectorSize);
  EXPECT_FALSE(engine::ReadSectors(ctx, 0, 1, boot));
}

}  // namespace
