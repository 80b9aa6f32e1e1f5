#include "snapshot/SnapshotSaving.h"

#include <optional>
#include <vector>

#include "snapshot/SnapshotEncoder.h"
#include "snapshot/SnapshotFormat.h"
#include "snapshot/SnapshotMessages.h"
#include "snapshot/SnapshotPaths.h"

namespace engine::snapshot {
namespace {

// Added to the snapshot's name while it is being written.
constexpr char16_t kNewSnapshotEnding[] = u".new";

std::optional<std::u16string> ChooseTarget(EngineContext& ctx) {
  const std::optional<std::u16string> chosen = ctx.Host->AskSnapshotPath(false);
  if (!chosen) return std::nullopt;
  std::u16string path = WithSnapshotExtension(*chosen);
  if (ctx.Files != nullptr && ctx.Files->FileExists(path) && !AskYesNo(ctx, path + kReplaceQuestionSuffix)) {
    ctx.MessageRequest.Text.clear();
    return std::nullopt;
  }
  return path;
}

// Writes the snapshot beside its place and then puts it there in one step, so
// that a snapshot being replaced survives a write that fails.
bool WriteSnapshotFile(EngineContext& ctx, const std::u16string& path, const std::vector<uint8_t>& bytes) {
  const std::u16string newPath = path + kNewSnapshotEnding;
  std::unique_ptr<OutputFile> file = ctx.Files != nullptr ? ctx.Files->CreateFileForWriting(newPath) : nullptr;
  if (file == nullptr) {
    ReportMessage(ctx, kCannotOpenText, kMessageError);
    return false;
  }
  const bool written = file->Write(bytes);
  const bool closed = file->Close();
  file.reset();
  if (written && closed && ctx.Files->RenameFileOver(newPath, path)) return true;
  // A snapshot cut short would load as damaged; do not leave one behind.
  ctx.Files->RemoveFile(newPath);
  ReportMessage(ctx, kCannotWriteText, kMessageError);
  return false;
}

}  // namespace

bool SaveSnapshot(EngineContext& ctx) {
  return ctx.RecoveryMode == kModeFileTrace ? SaveFileTraceSnapshot(ctx) : SaveScanSnapshot(ctx);
}

bool SaveScanSnapshot(EngineContext& ctx) {
  const std::optional<std::u16string> path = ChooseTarget(ctx);
  if (!path) return false;
  const char16_t marker = ctx.RecoveryMode == kModeExtensiveScan ? kMarkerExtensiveScan : kMarkerQuickScan;
  if (marker == kMarkerExtensiveScan && ctx.ActiveVolume.FileSystemCode == kFileSystemNtfs) {
    int32_t inVolume = 0;
    for (const NtfsFileNode& file : ctx.Results.NtfsFiles) inVolume += IsNtfsFileInActiveVolume(ctx, file) ? 1 : 0;
    ctx.Results.FileCount = inVolume;
  }
  return WriteSnapshotFile(ctx, *path, EncodeScanSnapshot(ctx, marker));
}

bool SaveFileTraceSnapshot(EngineContext& ctx) {
  const std::optional<std::u16string> path = ChooseTarget(ctx);
  if (!path) return false;
  return WriteSnapshotFile(ctx, *path, EncodeFileTraceSnapshot(ctx));
}

}  // namespace engine::snapshot
