#include "ResultSaving.h"

#include <filesystem>

#include "PosixOutputFileSystem.h"
#include "ReadErrorReport.h"
#include "copyout/CarvedFileSaving.h"
#include "copyout/FatFileSaving.h"
#include "copyout/SaveSession.h"
#include "ntfs/NtfsCopyOut.h"

namespace cli {
namespace {

constexpr uint32_t kFatRootKey = 0;
constexpr uint32_t kNtfsRootId = 5;
// Policy values of RecoverySettings.DeletedFilesPolicy.
constexpr uint16_t kAllFiles = 1;
constexpr uint16_t kDeletedOnly = 2;

void SaveFat(engine::EngineContext& ctx, engine::SaveSession& session, const std::u16string& target) {
  session.TickedFileCount = ctx.Results.FatFiles.size();
  engine::SaveFatFolderFiles(ctx, session, kFatRootKey, target);
  // Copy the list first: saving never changes it, but the walk should not depend on that.
  const std::vector<engine::FatFolderEntry*> folders = ctx.Results.FatFoldersIn(kFatRootKey);
  for (const engine::FatFolderEntry* folder : folders) {
    engine::SaveFatFolder(ctx, session, folder->FirstCluster, target, folder->Name);
  }
}

void SaveNtfs(engine::EngineContext& ctx, engine::SaveSession& session, const std::u16string& target) {
  engine::SaveNtfsFolderFiles(ctx, session, kNtfsRootId, target);
  const std::vector<engine::TreeFolderNode*> folders = ctx.Results.TreeFoldersIn(kNtfsRootId);
  for (const engine::TreeFolderNode* folder : folders) {
    engine::SaveNtfsFolder(ctx, session, folder->Id, target, folder->Name);
  }
}

void SaveCarved(engine::EngineContext& ctx, engine::SaveSession& session, const std::u16string& target) {
  session.TickedFileCount = ctx.Results.CarvedFiles.size();
  for (const engine::CarvedFile& hit : ctx.Results.CarvedFiles) {
    const engine::CarvedSaveRequest request{target, hit.RunningNumber, true, hit.StartSector, hit.DisplayName};
    engine::SaveCarvedFile(ctx, session, request);
  }
}

}  // namespace

engine::SaveTally SaveAllResults(engine::EngineContext& ctx, const std::string& targetFolder, bool deletedOnly) {
  std::filesystem::create_directories(targetFolder);
  const std::u16string target = platform::FromUtf8(std::filesystem::absolute(targetFolder).string());
  ctx.RecoverySettings.DeletedFilesPolicy = deletedOnly ? kDeletedOnly : kAllFiles;
  ctx.SaveControl.TargetFolder = target;
  const engine::ReadErrorCounts readErrorsAtStart = engine::BeginReadErrorCount(ctx);
  engine::SaveSession session;
  const uint16_t code = ctx.ActiveVolume.FileSystemCode;
  if (ctx.RecoveryMode == engine::kModeFileTrace) {
    SaveCarved(ctx, session, target);
  } else if (code == engine::kFileSystemFat16 || code == engine::kFileSystemFat32) {
    SaveFat(ctx, session, target);
  } else if (code == engine::kFileSystemNtfs) {
    SaveNtfs(ctx, session, target);
  }
  session.Tally.UnreadableSectors = engine::CurrentReadErrors(ctx).Unreadable - readErrorsAtStart.Unreadable;
  return std::move(session.Tally);
}

}  // namespace cli
