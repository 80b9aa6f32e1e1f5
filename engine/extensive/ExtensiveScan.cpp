#include "extensive/ExtensiveScan.h"

#include "ReadErrorReport.h"
#include "drives/SectorRange.h"
#include "extensive/FatVolumeAnalysis.h"
#include "extensive/NtfsIndexCompletion.h"
#include "extensive/NtfsVolumeAnalysis.h"
#include "extensive/ProgressReporter.h"
#include "extensive/RawFatScan.h"
#include "extensive/RawNtfsScan.h"
#include "results/ResultStore.h"

namespace engine {
namespace {

bool IsFat(uint16_t code) { return code == kFileSystemFat16 || code == kFileSystemFat32; }

void EndWorker(EngineContext& ctx) {
  ctx.ScanControl.StopOrDone.store(1);
  ctx.ScanControl.Running.store(0);
}

// Folders no volume claimed are filed with the volume of the folder before them
// (the first with volume 1): the MFT keeps a volume's records together.
void AssignUnclaimedFolders(EngineContext& ctx) {
  ctx.Host->SetStatusText(Panel::Scan, kSearchingUnassignedText);
  ProgressReporter progress(ctx, Panel::Scan);
  uint16_t previous = 1;
  uint64_t done = 0;
  for (NtfsFolderNode& folder : ctx.Results.NtfsFolders) {
    if (folder.VolumeNumber == kUnclaimedVolume) folder.VolumeNumber = previous;
    previous = folder.VolumeNumber;
    progress.Show(++done, ctx.Results.CandidateFolderCount);
  }
}

}  // namespace

void PrepareExtensiveScan(EngineContext& ctx) {
  ctx.ScanControl.StopOrDone.store(0);
  ctx.ScanControl.Running.store(1);
  ReleaseCandidateLists(ctx);
}

namespace {

int ScanAndAnalyze(EngineContext& ctx) {
  const SourceSelectionRecord& range = ctx.SourceSelection;
  const ReadErrorCounts readErrorsAtStart = BeginReadErrorCount(ctx);
  if (ChosenRangeBeyond32Bits(ctx)) {
    ReportMessage(ctx, kRangeBeyond32BitsText, kMessageError);
  } else if (IsFat(range.FileSystemCode)) {
    ScanRawFat(ctx);
    PostProcessExtensiveScan(ctx);
  } else if (range.FileSystemCode == kFileSystemNtfs) {
    ScanRawNtfs(ctx);
    PostProcessExtensiveScan(ctx);
  }
  ReportUnreadableSectorsSince(ctx, readErrorsAtStart);
  ctx.ScanControl.AnalysisPart1Done.store(1);
  ctx.ScanControl.AnalysisPart2Done.store(1);
  EndWorker(ctx);
  return 1;
}

}  // namespace

int ExtensiveScanThreadProc(EngineContext& ctx) {
  return RunOrExitOutOfMemory(ctx, [&] { return ScanAndAnalyze(ctx); });
}

void PostProcessExtensiveScan(EngineContext& ctx) {
  if (IsFat(ctx.SourceSelection.FileSystemCode)) {
    AnalyzeFatVolumes(ctx);
    return;
  }
  if (ctx.SourceSelection.FileSystemCode != kFileSystemNtfs) return;
  ScanIndxRecords(ctx);
  DeleteUnusedIndexEntries(ctx);
  ctx.Results.AnalysisProgress = 0;
  // A Stop during the raw scan ends the raw scan only; the analysis runs on what it found.
  ctx.ScanControl.StopOrDone.store(0);
  const TreeItem root = AnalyzeNtfsVolumes(ctx);
  ctx.Host->SetButton(PageButton::ScanStop, ButtonAction::Enable);
  ctx.Host->SetButton(PageButton::ScanStop, ButtonAction::Show);
  FinishNtfsCandidates(ctx, root);
  ctx.Host->SetButton(PageButton::ScanStop, ButtonAction::Hide);
  ctx.Host->SetButton(PageButton::ScanStop, ButtonAction::Disable);
  AssignUnclaimedFolders(ctx);
  EndWorker(ctx);
}

}  // namespace engine
