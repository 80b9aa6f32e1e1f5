#include "DriveSnapshot.h"

#include "EngineContext.h"
#include "RecordingHost.h"
#include "Win32DeviceSource.h"
#include "Win32DriveCatalogue.h"
#include "Win32OutputFileSystem.h"
#include "drives/DriveEnumeration.h"
#include "scans/QuickScan.h"
#include "signatures/FileTrace.h"
#include "signatures/SignatureDatabase.h"
#include "signatures/SignatureSelection.h"
#include "snapshot/SnapshotSaving.h"

namespace programtest {

namespace {

// Keeps the File Types records newest first, as the program's dialog lists them.
class SnapshotHost : public testsupport::RecordingHost {
 public:
  std::vector<engine::SignatureRecord> RecordsHeadFirst;
  void FileTypeTreeAddSignature(const engine::SignatureRecord& record) override {
    RecordsHeadFirst.insert(RecordsHeadFirst.begin(), record);
  }
};

int FindDrive(engine::EngineContext& ctx, const std::u16string& rootPath) {
  platform::Win32DriveCatalogue catalogue;
  engine::InitDiskAccess(ctx, catalogue);
  engine::EnumerateLogicalDrives(ctx, catalogue);
  for (int i = 0; i < ctx.LogicalDriveCount; ++i)
    if (ctx.LogicalDriveTable[i].RootPath == rootPath) return i;
  return -1;
}

std::wstring SaveOrTell(SnapshotHost& host, engine::EngineContext& ctx, const std::wstring& snapshotPath,
                        bool (*save)(engine::EngineContext&)) {
  host.SnapshotPaths.push_back(std::u16string(snapshotPath.begin(), snapshotPath.end()));
  host.QuestionAnswers.push_back(true);  // replace the file of an earlier run
  if (save(ctx)) return L"";
  std::wstring failure = L"the snapshot could not be saved:";
  for (const std::string& call : host.CallsStartingWith("Message"))
    failure += L" " + std::wstring(call.begin(), call.end());
  return failure;
}

}  // namespace

std::wstring MakeFileTraceSnapshot(const std::u16string& rootPath, const std::vector<std::u16string>& extensions,
                                   uint32_t endSector, const std::u16string& programFolder,
                                   const std::wstring& snapshotPath) {
  SnapshotHost host;
  platform::Win32DeviceOpener opener;
  engine::EngineContext ctx(host, opener);
  platform::Win32OutputFileSystem files;
  ctx.Files = &files;
  ctx.ProgramFolder = programFolder;
  engine::ApplyDefaultRecoverySettings(ctx.RecoverySettings);
  const int drive = FindDrive(ctx, rootPath);
  if (drive < 0) return L"the drive is not listed";
  ctx.RecoveryMode = engine::kModeFileTrace;
  engine::LoadSignatureDatabase(ctx);
  if (host.RecordsHeadFirst.empty()) return L"no signature was read from Raw.dat";
  std::vector<engine::FileTypeTreeItem> ticked;
  for (const std::u16string& extension : extensions) ticked.push_back({extension, 2});
  engine::AddCheckedSignatures(ctx, host.RecordsHeadFirst, ticked);
  ctx.SourceDevice.SourceKind = engine::kSourceLogicalDrive;
  ctx.SourceSelection.EntryIndex = static_cast<uint16_t>(drive);
  ctx.SourceSelection.FileSystemCode = ctx.LogicalDriveTable[drive].FileSystemCode;
  ctx.SourceSelection.SectorCount = endSector + 1;
  ctx.SourceSelection.StartSector = 0;
  ctx.SourceSelection.EndSector = endSector;
  if (engine::FileTraceThreadProc(ctx) != 1) return L"the File Trace failed";
  if (ctx.Results.CarvedFiles.empty()) return L"the File Trace found nothing";
  return SaveOrTell(host, ctx, snapshotPath, engine::snapshot::SaveFileTraceSnapshot);
}

namespace {

// Reads the drive's own file system as a Quick Scan does and saves the result
// under the snapshot marker of `mode`.
std::wstring ScanAndSave(const std::u16string& rootPath, const std::wstring& snapshotPath, int32_t mode) {
  SnapshotHost host;
  platform::Win32DeviceOpener opener;
  engine::EngineContext ctx(host, opener);
  platform::Win32OutputFileSystem files;
  ctx.Files = &files;
  const int drive = FindDrive(ctx, rootPath);
  if (drive < 0) return L"the drive is not listed";
  const engine::LogicalDriveEntry& entry = ctx.LogicalDriveTable[drive];
  ctx.RecoveryMode = engine::kModeQuickScan;
  ctx.SourceDevice.SourceKind = engine::kSourceLogicalDrive;
  ctx.SourceSelection.EntryIndex = static_cast<uint16_t>(drive);
  ctx.SourceSelection.FileSystemCode = entry.FileSystemCode;
  ctx.SourceSelection.SectorCount = static_cast<uint32_t>(entry.SectorCount);
  ctx.SourceSelection.EndSector = static_cast<uint32_t>(entry.SectorCount - 1);
  if (engine::QuickScanThreadProc(ctx, {}) != 1) return L"the Quick Scan failed";
  ctx.RecoveryMode = mode;
  return SaveOrTell(host, ctx, snapshotPath, engine::snapshot::SaveScanSnapshot);
}

}  // namespace

std::wstring MakeQuickScanSnapshot(const std::u16string& rootPath, const std::wstring& snapshotPath) {
  return ScanAndSave(rootPath, snapshotPath, engine::kModeQuickScan);
}

std::wstring MakeExtensiveScanSnapshot(const std::u16string& rootPath, const std::wstring& snapshotPath) {
  return ScanAndSave(rootPath, snapshotPath, engine::kModeExtensiveScan);
}

}  // namespace programtest
