// Quick Scan and FAT copy-out through the Win32 side under Wine: the volume of
// drive D: (a FAT16 image, see tests/windows/map-test-drive.sh) and files written
// with the Win32 file calls.

#include <gtest/gtest.h>

#include <windows.h>

#include "EngineContext.h"
#include "MemoryFatVolume.h"
#include "RecordingHost.h"
#include "Win32DeviceSource.h"
#include "copyout/FatFileSaving.h"
#include "results/ResultStore.h"
#include "scans/QuickScan.h"
#include "win32/Win32OutputFileSystem.h"

namespace {

TEST(WindowsQuickScanTest, DriveDIsDetectedAndWalked) {
  testsupport::RecordingHost host;
  platform::Win32DeviceOpener opener;
  engine::EngineContext ctx(host, opener);
  engine::ApplyDefaultRecoverySettings(ctx.RecoverySettings);
  ctx.RecoveryMode = engine::kModeQuickScan;
  ctx.SourceDevice.SourceKind = engine::kSourceLogicalDrive;
  ctx.LogicalDriveTable[3].RootPath = u"D:\\";
  ctx.SourceSelection.EntryIndex = 3;
  ctx.SourceSelection.FileSystemCode = engine::kFileSystemFat16;
  ctx.SourceSelection.SectorCount = 32768;
  ctx.SourceSelection.EndSector = 32767;

  ASSERT_EQ(engine::QuickScanThreadProc(ctx, {}), 1);
  EXPECT_EQ(ctx.ActiveVolume.FileSystemCode, engine::kFileSystemFat16);
  EXPECT_EQ(ctx.ActiveVolume.Fat2Start, ctx.ActiveVolume.Fat1Start + ctx.ActiveVolume.SectorsPerFat);
  EXPECT_EQ(ctx.ActiveVolume.RootDirSectors, 32u);  // 512 root entries
  EXPECT_EQ(ctx.ScanControl.Running.load(), 0);
  EXPECT_EQ(host.CallsStartingWith("ResultTree.AddFatFolders").size(), 1u);
}

TEST(WindowsQuickScanTest, FilesAreWrittenWithSafeNamesAndTheirDate) {
  testsupport::RecordingHost host;
  testsupport::FakeDeviceOpener opener;
  engine::EngineContext ctx(host, opener);
  testsupport::MemoryFatVolume volume;
  std::fill_n(volume.Cluster(2), 512, uint8_t{'p'});
  volume.Install(ctx, opener);
  platform::Win32OutputFileSystem files;
  ctx.Files = &files;

  wchar_t temp[MAX_PATH + 1] = {};
  ASSERT_GT(GetTempPathW(MAX_PATH + 1, temp), 0u);
  const std::wstring folder = std::wstring(temp) + L"pelmo-fat-save";
  CreateDirectoryW(folder.c_str(), nullptr);
  engine::SaveSession session;
  engine::FatFileSaveRequest request;
  request.TargetFolder = std::u16string(folder.begin(), folder.end());
  request.FirstCluster = 2;
  request.Size = 300;
  request.Name = u"CON";
  request.WriteDate = 0x3A64;  // 4 March 2009
  ASSERT_EQ(engine::SaveFatFile(ctx, session, request), 1);

  const std::wstring path = folder + L"\\_CON";
  WIN32_FILE_ATTRIBUTE_DATA data{};
  ASSERT_TRUE(GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data));
  EXPECT_EQ(data.nFileSizeLow, 300u);
  SYSTEMTIME written{};
  FileTimeToSystemTime(&data.ftLastWriteTime, &written);
  EXPECT_EQ(written.wYear, 2009);
  EXPECT_EQ(written.wMonth, 3);
  EXPECT_EQ(written.wDay, 4);
  DeleteFileW(path.c_str());
  RemoveDirectoryW(folder.c_str());
}

}  // namespace
