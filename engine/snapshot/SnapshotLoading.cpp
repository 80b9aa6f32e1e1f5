#include "snapshot/SnapshotLoading.h"

#include <span>
#include <vector>

#include "snapshot/SnapshotDecoder.h"
#include "snapshot/SnapshotListRebuild.h"
#include "snapshot/SnapshotMessages.h"
#include "snapshot/SnapshotPaths.h"
#include "snapshot/SnapshotSource.h"

namespace engine::snapshot {
namespace {

// The modeless progress dialog of a load, closed on every way out.
class ProgressDialog {
 public:
  explicit ProgressDialog(EngineHost& host) : host_(host) {
    host_.BeginProgressDialog(kProgressCaption);
    host_.SetProgressDialogPos(0);
  }
  ~ProgressDialog() { Close(); }
  ProgressDialog(const ProgressDialog&) = delete;
  ProgressDialog& operator=(const ProgressDialog&) = delete;
  void Close() {
    if (open_) host_.EndProgressDialog();
    open_ = false;
  }

 private:
  EngineHost& host_;
  bool open_ = true;
};

void ReleaseAllResults(EngineContext& ctx) {
  ReleaseFatAndTreeLists(ctx);
  ReleaseCandidateLists(ctx);
  ReleaseCarvedFileList(ctx);
  ReleaseSelectedSignatureList(ctx);
}

int32_t ModeOfMarker(char16_t marker) {
  if (marker == kMarkerFileTrace) return kModeFileTrace;
  return marker == kMarkerExtensiveScan ? kModeExtensiveScan : kModeQuickScan;
}

const char16_t* MessageForDefect(SnapshotDefect defect) {
  switch (defect) {
    case SnapshotDefect::BadTag: return kBadTagText;
    case SnapshotDefect::BadVersion: return kBadVersionText;
    default: return kInvalidFileText;
  }
}

// Reads and decodes the file; after a message (the dialog closed first), nothing.
std::optional<SnapshotContents> ReadSnapshot(EngineContext& ctx, const std::u16string& path, InputFileReader& reader,
                                             bool fileTrace, ProgressDialog& dialog) {
  const std::optional<std::vector<uint8_t>> bytes = reader.ReadWholeFile(SnapshotPathForLoading(path),
                                                                         kMaxSnapshotBytes);
  if (!bytes) {
    dialog.Close();
    ReportMessage(ctx, kCannotOpenText, kMessageError);
    return std::nullopt;
  }
  DecodedSnapshot decoded = DecodeSnapshot(*bytes);
  if (decoded.Contents && (decoded.Contents->Header.Marker == kMarkerFileTrace) != fileTrace) {
    decoded = {std::nullopt, SnapshotDefect::UnknownMarker};  // the other loader's kind
  }
  if (!decoded.Contents) {
    dialog.Close();
    ReportMessage(ctx, MessageForDefect(decoded.Defect), kMessageError);
    return std::nullopt;
  }
  return std::move(decoded.Contents);
}

void FinishLoad(EngineContext& ctx, ProgressDialog& dialog) {
  EngineHost& host = *ctx.Host;
  ctx.ScanControl.StopOrDone = 0;
  ctx.ScanControl.Running = 1;
  host.SetProgressDialogPos(100);
  dialog.Close();
  host.ResultTreeFocus();
  host.ShowWizardPage(4);
}

}  // namespace

std::optional<std::u16string> ChooseSnapshotToLoad(EngineContext& ctx, InputFileReader& reader) {
  const std::optional<std::u16string> chosen = ctx.Host->AskSnapshotPath(true);
  if (!chosen) return std::nullopt;
  const std::u16string path = SnapshotPathForLoading(*chosen);
  if (!FileExists(ctx, path)) {
    ReportMessage(ctx, path + kMissingFileSuffix, kMessageQuestion);
    return std::nullopt;
  }
  const std::optional<std::vector<uint8_t>> bytes = reader.ReadWholeFile(path, kMaxSnapshotBytes);
  const std::optional<char16_t> marker = bytes ? SnapshotMarker(*bytes) : std::nullopt;
  if (!marker) {
    ReportMessage(ctx, kInvalidFileText, kMessageQuestion);
    return std::nullopt;
  }
  ctx.RecoveryMode = ModeOfMarker(*marker);
  return path;
}

bool LoadScanSnapshot(EngineContext& ctx, const std::u16string& path, InputFileReader& reader,
                      const FileFilterTable& filters) {
  ReleaseAllResults(ctx);
  ProgressDialog dialog(*ctx.Host);
  std::optional<SnapshotContents> contents = ReadSnapshot(ctx, path, reader, false, dialog);
  if (!contents) return false;

  // The source the snapshot names must hold the volume it describes.
  SnapshotSourceSwitch source(ctx, contents->Header, contents->Trailer);
  if (!SourceMatchesActiveVolume(ctx, *contents)) {
    dialog.Close();
    ReportMessage(ctx, kMismatchText, kMessageError);
    return false;
  }
  source.Keep();

  // The appenders follow the mode (one NTFS folder per id in Extensive Scan).
  ctx.RecoveryMode = ModeOfMarker(contents->Header.Marker);
  LoadProgress progress(*ctx.Host);
  const uint16_t code = ctx.ActiveVolume.FileSystemCode;
  if (IsFatCode(code)) {
    AppendFatRecords(ctx, *contents, progress);
    BuildFatResults(ctx, filters);
  } else if (code == kFileSystemNtfs) {
    AppendNtfsRecords(ctx, *contents, progress);
    BuildNtfsResults(ctx, filters);
  }
  FinishLoad(ctx, dialog);
  return true;
}

bool LoadFileTraceSnapshot(EngineContext& ctx, const std::u16string& path, InputFileReader& reader) {
  ReleaseAllResults(ctx);
  ProgressDialog dialog(*ctx.Host);
  std::optional<SnapshotContents> contents = ReadSnapshot(ctx, path, reader, true, dialog);
  if (!contents) return false;
  SnapshotSourceSwitch source(ctx, contents->Header, contents->Trailer);
  source.Keep();
  ctx.RecoveryMode = kModeFileTrace;
  LoadProgress progress(*ctx.Host);
  AppendFileTraceRecords(ctx, *contents, progress);
  BuildFileTraceResults(ctx);
  FinishLoad(ctx, dialog);
  return true;
}

}  // namespace engine::snapshot
