#include "ResultSaving.h"

#include <filesystem>

#include "PosixOutputFileSystem.h"
#include "copyout/CarvedFileSaving.h"
#include "copyout/FatFileSaving.h"
#include "copyout/SaveSession.h"
#include "listing/FileFilters.h"
#include "ntfs/NtfsCopyOut.h"

namespace cli {
namespace {

constexpr uint32_t kFatRootKey = 0;
constexpr uint32_t kNtfsRootId = 5;
// Policy values of RecoverySettings.DeletedFilesPolicy.
constexpr uint16_t kAllFiles = 1;
constexpr uint16_t kDeletedOnly = 2;

uint64_t SaveFat(engine::EngineContext& ctx, const std::u16string& target) {
  engine::SaveSession session;
  session.TickedFileCount = ctx.Results.FatFiles.size();
  uint64_t written = engine::SaveFatFolderFiles(ctx, session, kFatRootKey, target);
  // Copy the list first: saving never changes it, but the walk should not depend on that.
  const std::vector<engine::FatFolderEntry*> folders = ctx.Results.FatFoldersIn(kFatRootKey);
  for (const engine::FatFolderEntry* folder : folders) {
    written += engine::SaveFatFolder(ctx, session, folder->FirstCluster, target, folder->Name);
  }
  return written;
}

uint64_t SaveNtfs(engine::EngineContext& ctx, const std::u16string& target) {
  const engine::FileFilterTable noFilters;
  engine::SaveNtfsFolderFiles(ctx, kNtfsRootId, target + u'\\', noFilters);
  const std::vector<engine::TreeFolderNode*> folders = ctx.Results.TreeFoldersIn(kNtfsRootId);
  for (const engine::TreeFolderNode* folder : folders) {
    engine::SaveNtfsFolder(ctx, folder->Id, target, folder->Name, noFilters);
  }
  return ctx.RecoveryMode == engine::kModeExtensiveScan ? ctx.Results.NtfsFiles.size() : ctx.Results.TreeFiles.size();
}

uint64_t SaveCarved(engine::EngineContext& ctx, const std::u16string& target) {
  engine::SaveSession session;
  session.TickedFileCount = ctx.Results.CarvedFiles.size();
  uint64_t written = 0;
  for (const engine::CarvedFile& hit : ctx.Results.CarvedFiles) {
    const engine::CarvedSaveRequest request{target, hit.RunningNumber, true, hit.StartSector, hit.DisplayName};
    written += static_cast<uint64_t>(engine::SaveCarvedFile(ctx, session, request));
  }
  return written;
}

}  // namespace

uint64_t SaveAllResults(engine::EngineContext& ctx, const std::string& targetFolder, bool deletedOnly) {
  std::filesystem::create_directories(targetFolder);
  const std::u16string target = platform::FromUtf8(std::filesystem::absolute(targetFolder).string());
  ctx.RecoverySettings.DeletedFilesPolicy = deletedOnly ? kDeletedOnly : kAllFiles;
  ctx.SaveControl.TargetFolder = target;
  if (ctx.RecoveryMode == engine::kModeFileTrace) return SaveCarved(ctx, target);
  const uint16_t code = ctx.ActiveVolume.FileSystemCode;
  if (code == engine::kFileSystemFat16 || code == engine::kFileSystemFat32) return SaveFat(ctx, target);
  if (code == engine::kFileSystemNtfs) return SaveNtfs(ctx, target);
  return 0;
}

}  // namespace cli
