#include "QuickScan.h"

#include "FatParameterRebuild.h"
#include "FatTreeWalk.h"
#include "FileSystemDetection.h"
#include "ReadErrorReport.h"
#include "SectorReader.h"
#include "drives/SectorRange.h"
#include "ntfs/NtfsQuickScan.h"
#include "signatures/FileTrace.h"

namespace engine {
namespace {

int EndEarly(EngineContext& ctx) {
  ctx.ScanControl.Running = 0;
  ctx.ScanControl.StopOrDone = 1;
  return 0;
}

// Leaves the page on its scan step, idle again, after telling the user why.
void GiveUp(EngineContext& ctx, const char16_t* message) {
  EngineHost& host = *ctx.Host;
  ctx.ScanControl.Running = 1;
  ctx.ScanControl.StopOrDone = 0;
  host.KillScanTimer();
  ReportMessage(ctx, message, kMessageError);
  host.HideProgressBar();
  host.HideStatusText();
  host.SetButton(PageButton::ScanStop, ButtonAction::Hide);
  for (PageButton button : {PageButton::ScanNext, PageButton::ScanBack}) {
    host.SetButton(button, ButtonAction::Enable);
    host.SetButton(button, ButtonAction::Show);
  }
}

int QuickScan(EngineContext& ctx, const FileFilterTable& filters) {
  ctx.ScanControl.Running = 1;
  ctx.ScanControl.StopOrDone = 0;
  if (ctx.SourceDevice.SourceKind == kSourceLogicalDrive) {
    if (!OpenChosenLogicalDrive(ctx)) {
      ReportMessage(ctx, kFileTraceVolumeNotOpenedText, kMessageError);
      return EndEarly(ctx);
    }
    if (StopRequested(ctx)) return EndEarly(ctx);
  }
  if (ChosenRangeBeyond32Bits(ctx)) {
    ReportMessage(ctx, kRangeBeyond32BitsText, kMessageError);
    return EndEarly(ctx);
  }
  const ReadErrorCounts readErrorsAtStart = BeginReadErrorCount(ctx);

  const int detected = DetectFileSystem(ctx);
  if (StopRequested(ctx)) return EndEarly(ctx);
  if (detected == 0) {
    ctx.Host->SetStatusText(Panel::Scan, u"Please wait, Calculating partition parameters...");
    if (RebuildFatParameters(ctx) == 0) {
      ctx.ScanControl.ParametersNotFound = 1;
      GiveUp(ctx, kParametersNotFoundText);
      return 0;
    }
  }
  if (StopRequested(ctx)) return EndEarly(ctx);

  ctx.Host->ResetCounterCaptions();
  switch (ctx.SourceSelection.FileSystemCode) {
    case kFileSystemFat16:
    case kFileSystemFat32:
      ctx.Host->SetStatusText(Panel::Scan, u"Please wait, Searching for Data...");
      BuildFatTreeFromRoot(ctx, filters);
      break;
    case kFileSystemNtfs:
      if (!WalkMft(ctx, filters)) {
        ctx.ScanControl.ParametersNotFound = 1;
        GiveUp(ctx, kParametersNotFoundText);
        return 0;
      }
      break;
    default:
      break;
  }
  ReportUnreadableSectorsSince(ctx, readErrorsAtStart);
  ctx.ScanControl.Running = 0;
  ctx.ScanControl.StopOrDone = 1;
  return 1;
}

}  // namespace

int QuickScanThreadProc(EngineContext& ctx, const FileFilterTable& filters) {
  return RunOrExitOutOfMemory(ctx, [&] { return QuickScan(ctx, filters); });
}

}  // namespace engine
