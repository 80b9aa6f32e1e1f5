#include "SaveSession.h"

#include "SavePaths.h"

namespace engine {

bool PassesDeletedFilesPolicy(uint16_t policy, std::optional<uint32_t> deletedFlag) {
  if (!deletedFlag) return true;
  if (policy == 2) return *deletedFlag != 0;
  if (policy == 3) return *deletedFlag != 1;
  return true;
}

std::optional<SaveTarget> ChooseSaveTarget(EngineContext& ctx, SaveSession& session, const std::u16string& folder,
                                           const std::u16string& sanitizedName) {
  OutputFileSystem& files = *ctx.Files;
  SaveTarget target{JoinPath(folder, sanitizedName), sanitizedName};
  if (!files.FileExists(target.Path)) return target;
  const uint16_t policy = ctx.RecoverySettings.ExistingNamePolicy;
  if (policy == 3) return std::nullopt;
  const bool createdByThisRun = session.CreatedPaths.count(target.Path) != 0;
  if (policy == 1 || createdByThisRun) {
    for (uint64_t n = 1;; ++n) {
      const std::u16string name = CopyOfName(sanitizedName, n);
      const std::u16string path = JoinPath(folder, name);
      if (!files.FileExists(path)) return SaveTarget{path, name};
    }
  }
  return target;  // overwrite
}

std::optional<SaveTarget> PrepareSaveTarget(EngineContext& ctx, SaveSession& session, const std::u16string& folder,
                                            const std::u16string& diskName, bool visibleSave,
                                            std::optional<uint32_t> deletedFlag) {
  const std::u16string safeName = SanitizeFileName(diskName);
  if (!visibleSave) return SaveTarget{JoinPath(folder, safeName), safeName};
  // The filters match the name as the list shows it, not the one written.
  if (!PassesFileFilters(session.Filters, diskName)) return std::nullopt;
  if (!PassesDeletedFilesPolicy(ctx.RecoverySettings.DeletedFilesPolicy, deletedFlag)) return std::nullopt;
  return ChooseSaveTarget(ctx, session, folder, safeName);
}

int ReportSaveFile(EngineContext& ctx, const std::u16string& folder, const std::u16string& name) {
  const int processed = ++ctx.SaveControl.FilesProcessed;
  ctx.Host->SaveReportFile(folder, name, processed);
  return processed;
}

namespace {

void AskWhetherToContinue(EngineContext& ctx, const std::u16string& text) {
  ctx.MessageRequest.Text = text;
  ctx.MessageRequest.Kind = kMessageError;
  if (!ctx.Host->AskQuestion(text, kMessageError)) ctx.SaveControl.StopRequested = 1;
}

}  // namespace

void AskAfterCreateFailure(EngineContext& ctx, const std::u16string& path) {
  AskWhetherToContinue(ctx, u"Error creating file : " + path + u".  Continue Recovery ? ");
}

void AskAfterWriteFailure(EngineContext& ctx, const std::u16string& path) {
  AskWhetherToContinue(ctx, u"Error writing file : " + path + u".  Continue Recovery ? ");
}

std::unique_ptr<OutputFile> CreateSaveFile(EngineContext& ctx, SaveSession& session, const std::u16string& path) {
  std::unique_ptr<OutputFile> file = ctx.Files->CreateFileForWriting(path);
  if (!file) {
    AskAfterCreateFailure(ctx, path);
    return nullptr;
  }
  session.CreatedPaths.insert(path);
  return file;
}

bool CloseSaveFile(EngineContext& ctx, const std::u16string& path, OutputFile& file, CopyResult copied) {
  const bool closed = file.Close();
  if (copied == CopyResult::WriteFailed || !closed) {
    AskAfterWriteFailure(ctx, path);
    return false;
  }
  return copied == CopyResult::Complete;
}

bool SaveStopRequested(const EngineContext& ctx) { return ctx.SaveControl.StopRequested.load() == 1; }
bool SaveSkipRequested(const EngineContext& ctx) { return ctx.SaveControl.SkipRequested.load() == 1; }

uint32_t SectorsPerCopyPiece(uint32_t sectorsPerCluster) {
  if (sectorsPerCluster <= 7) return 1;
  if (sectorsPerCluster == 8) return 8;
  return 16;
}

}  // namespace engine
