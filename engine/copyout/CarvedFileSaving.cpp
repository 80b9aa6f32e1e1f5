#include "CarvedFileSaving.h"

#include <algorithm>
#include <vector>

#include "SavePaths.h"
#include "SectorReader.h"

namespace engine {
namespace {

constexpr uint32_t kSectorsPerChunk = 128;  // 64 KiB
constexpr int32_t kMaxCarvedFileSizeMB = 20;

enum class CopyResult { Complete, Interrupted, WriteFailed };

CopyResult CopyRun(EngineContext& ctx, uint64_t startSector, OutputFile& out, bool honourStop) {
  const uint64_t chunks = CarvedFileBytes(ctx) / (kSectorsPerChunk * kSectorSize);
  std::vector<uint8_t> buffer(size_t{kSectorsPerChunk} * kSectorSize);
  for (uint64_t i = 0; i < chunks; ++i) {
    if (honourStop && (SaveStopRequested(ctx) || SaveSkipRequested(ctx))) return CopyResult::Interrupted;
    std::fill(buffer.begin(), buffer.end(), 0);
    ReadSectors(ctx, startSector + kSectorsPerChunk * i, kSectorsPerChunk, buffer);
    if (!out.Write(buffer)) return CopyResult::WriteFailed;
  }
  return CopyResult::Complete;
}

}  // namespace

uint64_t CarvedFileBytes(const EngineContext& ctx) {
  const int32_t megabytes = std::clamp(ctx.CarvedFileSizeMB, 1, kMaxCarvedFileSizeMB);
  return uint64_t(megabytes) * 1024 * 1024;
}

int SaveCarvedFile(EngineContext& ctx, SaveSession& session, const CarvedSaveRequest& request) {
  if (SaveStopRequested(ctx)) return 0;
  ctx.SaveControl.SkipRequested = 0;
  const std::u16string safeName = SanitizeFileName(request.DisplayName);
  SaveTarget target{JoinPath(request.TargetFolder, safeName), safeName};
  if (request.VisibleSave) {
    if (!PassesFileFilters(session.Filters, request.DisplayName)) return 0;
    const std::optional<SaveTarget> chosen = ChooseSaveTarget(ctx, session, request.TargetFolder, safeName);
    if (!chosen) return 0;
    target = *chosen;
  }
  std::unique_ptr<OutputFile> out = CreateSaveFile(ctx, session, target.Path);
  if (!out) return 0;
  if (request.VisibleSave) {
    const int processed = ++ctx.SaveControl.FilesProcessed;
    ctx.Host->SaveReportFile(request.TargetFolder, target.Name, processed);
    const uint64_t ticked = std::max<uint64_t>(1, session.TickedFileCount);
    ctx.Host->SaveReportProgress(static_cast<int>(std::min<uint64_t>(100, uint64_t(processed) * 100 / ticked)));
  }
  const CopyResult copied = CopyRun(ctx, request.StartSector, *out, true);
  const bool closed = out->Close();
  if (copied == CopyResult::WriteFailed || !closed) {
    AskAfterWriteFailure(ctx, target.Path);
    return 0;
  }
  return copied == CopyResult::Complete ? 1 : 0;
}

int SaveCarvedFile(EngineContext& ctx, const FileFilterTable& filters, const CarvedSaveRequest& request,
                   uint64_t tickedFileCount) {
  SaveSession session;
  session.Filters = filters;
  session.TickedFileCount = tickedFileCount;
  return SaveCarvedFile(ctx, session, request);
}

int SaveCarvedRange(EngineContext& ctx, const std::u16string& folderText, const std::u16string& nameText,
                    uint32_t startSector) {
  const std::u16string path = folderText + SanitizeFileName(nameText);
  std::unique_ptr<OutputFile> out = ctx.Files->CreateFileForWriting(path);
  if (!out) return 0;
  const CopyResult copied = CopyRun(ctx, startSector, *out, false);
  const bool closed = out->Close();
  return copied == CopyResult::Complete && closed ? 1 : 0;
}

}  // namespace engine
