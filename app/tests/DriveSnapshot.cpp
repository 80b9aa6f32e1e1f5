#include "DriveSnapshot.h"

#include "EngineContext.h"
#include "RecordingHost.h"
#include "Win32DeviceSource.h"
#include "Win32DriveCatalogue.h"
#include "Win32OutputFileSystem.h"
#include "drives/DriveEnumeration.h"
#include "scans/QuickScan.h"
#include "snapshot/SnapshotSaving.h"

namespace programtest {

std::wstring MakeQuickScanSnapshot(const std::u16string& rootPath, const std::wstring& snapshotPath) {
  testsupport::RecordingHost host;
  platform::Win32DeviceOpener opener;
  engine::EngineContext ctx(host, opener);
  platform::Win32DriveCatalogue catalogue;
  platform::Win32OutputFileSystem files;
  ctx.Files = &files;
  engine::InitDiskAccess(ctx, catalogue);
  engine::EnumerateLogicalDrives(ctx, catalogue);
  int drive = -1;
  for (int i = 0; i < ctx.LogicalDriveCount; ++i)
    if (ctx.LogicalDriveTable[i].RootPath == rootPath) drive = i;
  if (drive < 0) return L"the drive is not listed";
  const engine::LogicalDriveEntry& entry = ctx.LogicalDriveTable[drive];
  ctx.RecoveryMode = engine::kModeQuickScan;
  ctx.SourceDevice.SourceKind = engine::kSourceLogicalDrive;
  ctx.SourceSelection.EntryIndex = static_cast<uint16_t>(drive);
  ctx.SourceSelection.FileSystemCode = entry.FileSystemCode;
  ctx.SourceSelection.SectorCount = static_cast<uint32_t>(entry.SectorCount);
  ctx.SourceSelection.EndSector = static_cast<uint32_t>(entry.SectorCount - 1);
  if (engine::QuickScanThreadProc(ctx, {}) != 1) return L"the Quick Scan failed";
  host.SnapshotPaths.push_back(std::u16string(snapshotPath.begin(), snapshotPath.end()));
  host.QuestionAnswers.push_back(true);  // replace the file of an earlier run
  if (engine::snapshot::SaveScanSnapshot(ctx)) return L"";
  std::wstring failure = L"the snapshot could not be saved:";
  for (const std::string& call : host.CallsStartingWith("Message"))
    failure += L" " + std::wstring(call.begin(), call.end());
  return failure;
}

}  // namespace programtest
