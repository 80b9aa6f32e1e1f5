#include "CarvedFileSaving.h"

#include <algorithm>
#include <vector>

#include "FileDataCopier.h"
#include "SavePaths.h"
#include "SectorReader.h"

namespace engine {
namespace {

constexpr int32_t kMaxCarvedFileSizeMB = 20;

// The sectors the source has, when the drive table knows them: a hit near the end
// of a logical drive ends with it rather than with zeros for sectors that are not there.
uint64_t SourceSectorCount(const EngineContext& ctx) {
  if (ctx.SourceDevice.SourceKind != kSourceLogicalDrive) return UINT64_MAX;
  const uint16_t index = ctx.SourceSelection.EntryIndex;
  if (index >= ctx.LogicalDriveTable.size() || ctx.LogicalDriveTable[index].SectorCount == 0) return UINT64_MAX;
  return ctx.LogicalDriveTable[index].SectorCount;
}

CopyResult CopyRun(EngineContext& ctx, SaveSession& session, uint64_t startSector, OutputFile& out, bool honourStop) {
  const uint64_t sourceSectors = SourceSectorCount(ctx);
  const uint64_t sectors = std::min(CarvedFileBytes(ctx) / kSectorSize, sourceSectors - std::min(sourceSectors, startSector));
  FileDataCopier copier(ctx, session.CopyBuffer, out, sectors * kSectorSize, false, honourStop);
  const CopyResult copied = copier.CopySectors(startSector, sectors * kSectorSize);
  return copied == CopyResult::Complete ? copier.Finish() : copied;
}

}  // namespace

uint64_t CarvedFileBytes(const EngineContext& ctx) {
  const int32_t megabytes = std::clamp(ctx.CarvedFileSizeMB, 1, kMaxCarvedFileSizeMB);
  return uint64_t(megabytes) * 1024 * 1024;
}

int SaveCarvedFile(EngineContext& ctx, SaveSession& session, const CarvedSaveRequest& request) {
  if (SaveStopRequested(ctx)) return 0;
  ctx.SaveControl.SkipRequested = 0;
  // A hit is neither deleted nor live: the deleted-files policy does not apply.
  const std::optional<SaveTarget> target =
      PrepareSaveTarget(ctx, session, request.TargetFolder, request.DisplayName, request.VisibleSave, std::nullopt);
  if (!target) return 0;
  std::unique_ptr<OutputFile> out = CreateSaveFile(ctx, session, target->Path);
  if (!out) return 0;
  if (request.VisibleSave) {
    const int processed = ReportSaveFile(ctx, request.TargetFolder, target->Name);
    const uint64_t ticked = std::max<uint64_t>(1, session.TickedFileCount);
    ctx.Host->SaveReportProgress(static_cast<int>(std::min<uint64_t>(100, uint64_t(processed) * 100 / ticked)));
  }
  const uint64_t unreadableBefore = UnreadableSectorCount(ctx);
  const CopyResult copied = CopyRun(ctx, session, request.StartSector, *out, true);
  return FinishSaveFile(ctx, session, target->Path, *out, copied, unreadableBefore) == FileSaveOutcome::Saved ? 1 : 0;
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
  SaveSession session;
  session.AskAfterFailures = false;
  std::unique_ptr<OutputFile> out = CreateSaveFile(ctx, session, path);
  if (!out) return 0;
  const uint64_t unreadableBefore = UnreadableSectorCount(ctx);
  const CopyResult copied = CopyRun(ctx, session, startSector, *out, false);
  // A copy with unreadable sectors is still at the path and can be shown.
  const FileSaveOutcome outcome = FinishSaveFile(ctx, session, path, *out, copied, unreadableBefore);
  return outcome == FileSaveOutcome::Saved || outcome == FileSaveOutcome::Damaged ? 1 : 0;
}

}  // namespace engine
