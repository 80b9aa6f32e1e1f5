#include "signatures/FileTrace.h"

#include <algorithm>
#include <string>
#include <unordered_set>
#include <vector>

#include "ReadErrorReport.h"
#include "SectorReader.h"
#include "listing/FileFilters.h"
#include "listing/ResultRows.h"  // DecimalText
#include "scans/FatParameterRebuild.h"
#include "scans/FileSystemDetection.h"
#include "signatures/CarvedFileListing.h"
#include "signatures/CompoundFile.h"
#include "signatures/OfficeDocumentType.h"
#include "signatures/SignatureMatcher.h"

namespace engine {
namespace {

void EndWorker(EngineContext& ctx) {
  ctx.ScanControl.Running = 0;
  ctx.ScanControl.StopOrDone = 1;
}

// Leaves the page on its scan step, idle again, after telling the user why.
void GiveUp(EngineContext& ctx, const char16_t* message) {
  EngineHost& host = *ctx.Host;
  host.KillScanTimer();
  ReportMessage(ctx, message, kMessageError);
  host.HideProgressBar();
  host.HideStatusText();
  host.SetButton(PageButton::ScanStop, ButtonAction::Hide);
  host.SetButton(PageButton::ScanStop, ButtonAction::Disable);
  for (PageButton button : {PageButton::ScanNext, PageButton::ScanBack}) {
    host.SetButton(button, ButtonAction::Enable);
    host.SetButton(button, ButtonAction::Show);
  }
  EndWorker(ctx);
}

bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() && UpperCaseText(a) == UpperCaseText(b);
}

bool IsCompoundFile(std::span<const uint8_t> sector) {
  return sector.size() >= sizeof kCompoundFileMagic &&
         std::equal(std::begin(kCompoundFileMagic), std::end(kCompoundFileMagic), sector.begin());
}

// Appends hits and re-types compound-file hits of Word signatures.
class HitRecorder {
 public:
  explicit HitRecorder(EngineContext& ctx) : ctx_(ctx) {
    for (const SelectedSignature& signature : ctx.Results.SelectedSignatures) {
      selectedExtensions_.insert(UpperCaseText(signature.Extension));
    }
  }

  uint32_t Hits() const { return hits_; }

  void Record(const SelectedSignature& signature, uint64_t sector, std::span<const uint8_t> sectorBytes) {
    const bool showDetails = ctx_.ScanControl.ShowDetails != 0;
    ++hits_;
    if (showDetails) ctx_.Host->SetCounterText(ScanCounter::FilesFound, DecimalText(hits_));
    std::u16string extension = signature.Extension;
    if ((EqualsIgnoringCase(extension, u".doc") || EqualsIgnoringCase(extension, u".docx")) &&
        IsCompoundFile(sectorBytes)) {
      const std::u16string detected = DetectOfficeType(ctx_, sector);
      if (selectedExtensions_.count(UpperCaseText(detected)) != 0) extension = detected;
    }
    CarvedFile file;
    file.DisplayName = DecimalText(hits_) + extension;
    file.Extension = extension;
    file.TypeName = signature.TypeName;
    file.StartSector = static_cast<uint32_t>(sector);
    file.RunningNumber = hits_;
    const CarvedFile& stored = AppendCarvedFile(ctx_, std::move(file));
    if (showDetails) ctx_.Host->SetCounterText(ScanCounter::LastItem, stored.DisplayName);
    ctx_.Results.FileCount = static_cast<int32_t>(hits_);
    ctx_.Results.FolderCount = static_cast<int32_t>(hits_);
  }

 private:
  EngineContext& ctx_;
  std::unordered_set<std::u16string> selectedExtensions_;
  uint32_t hits_ = 0;
};

void BuildCarvingResults(EngineContext& ctx) {
  EngineHost& host = *ctx.Host;
  host.SetButton(PageButton::ScanNext, ButtonAction::Disable);
  host.SetButton(PageButton::ScanBack, ButtonAction::Disable);
  host.ShowWaitCursor();
  const TreeItem root = host.ResultTreeInsertItem(u"Root", kTreeRootLevel);
  ctx.Results.TreeItemsBuilt = 0;
  host.SetStatusText(Panel::Scan, u"Please wait creating tree...");
  ctx.ScanControl.StopOrDone = 0;
  host.SetButton(PageButton::ScanStop, ButtonAction::Disable);
  host.SetButton(PageButton::ScanStop, ButtonAction::Hide);
  host.ResultTreeAddFileTypeFolders(root, u"Root");
  host.ResultTreeExpand(root);
  host.ListSetReportView();
  RefillCarvedFileList(ctx);
}

}  // namespace

bool CarvingRangeFits(uint64_t startSector, uint64_t endSector) {
  const uint64_t sectors = endSector >= startSector ? endSector - startSector + 1 : 1;
  const uint64_t chunks = (sectors + kCarvingChunkSectors - 1) / kCarvingChunkSectors;
  return startSector + chunks * kCarvingChunkSectors - 1 <= UINT32_MAX;
}

void CarveFiles(EngineContext& ctx) {
  ReleaseCarvedFileList(ctx);
  ctx.Results.FileCount = 0;
  ctx.Results.FolderCount = 0;
  const uint64_t start = ctx.SourceSelection.StartSector;
  const uint64_t end = ctx.SourceSelection.EndSector;
  const uint64_t rangeSectors = end >= start ? end - start + 1 : 1;
  const std::vector<SelectedSignature> signatures(ctx.Results.SelectedSignatures.begin(),
                                                  ctx.Results.SelectedSignatures.end());
  const SignatureMatcher matcher(signatures);
  HitRecorder recorder(ctx);
  std::vector<uint8_t> chunk(static_cast<std::size_t>(kCarvingChunkSectors) * kSectorSize);
  uint64_t sector = start;
  uint64_t examined = 0;
  int lastPercent = -1;

  while (sector <= end && !StopRequested(ctx)) {
    // Never a sector past the range: the last chunk is as long as what is left.
    const auto count = static_cast<uint32_t>(std::min<uint64_t>(kCarvingChunkSectors, end - sector + 1));
    // An unreadable sector arrives as zeros and matches nothing; the range, not a
    // read error, ends carving.
    std::fill(chunk.begin(), chunk.end(), 0);
    ReadSectors(ctx, sector, count, chunk);
    if (ctx.ScanControl.ShowDetails != 0) {
      ctx.Host->SetCounterText(ScanCounter::CurrentSector, DecimalText(sector));
      ctx.Host->SetCounterText(ScanCounter::FoldersFound, u"0");
    }
    for (uint32_t i = 0; i < count && ctx.ScanControl.StopOrDone.load() != 1; ++i) {
      const int percent = static_cast<int>(std::min<uint64_t>(examined * 100 / rangeSectors, 99));
      if (percent != lastPercent) {
        ctx.Host->SetProgressPos(Panel::Scan, percent);
        lastPercent = percent;
      }
      const std::span<const uint8_t> bytes(chunk.data() + static_cast<std::size_t>(i) * kSectorSize, kSectorSize);
      if (const std::optional<std::size_t> match = matcher.Match(bytes)) {
        recorder.Record(signatures[*match], sector, bytes);
      }
      ++sector;
      ++examined;
    }
  }

  BuildCarvingResults(ctx);
  EndWorker(ctx);
}

namespace {

int TraceFiles(EngineContext& ctx) {
  if (ctx.SourceDevice.SourceKind == kSourceLogicalDrive && !OpenChosenLogicalDrive(ctx)) {
    GiveUp(ctx, kFileTraceVolumeNotOpenedText);
    return 0;
  }
  const ReadErrorCounts readErrorsAtStart = BeginReadErrorCount(ctx);
  const int detected = DetectFileSystem(ctx);
  ctx.ScanControl.StopOrDone = 0;
  ctx.ScanControl.Running = 1;
  // A range of no known file system is carved as raw sectors.
  const uint16_t code = ctx.SourceSelection.FileSystemCode;
  const bool knownFileSystem = code == kFileSystemFat16 || code == kFileSystemFat32 || code == kFileSystemNtfs;
  if (detected == 0 && knownFileSystem) {
    ctx.Host->SetStatusText(Panel::Scan, u"Please wait, Calculating partition parameters...");
    if (RebuildFatParameters(ctx) == 0) {
      ctx.ScanControl.ParametersNotFound = 1;
      GiveUp(ctx, kFileTraceParametersNotFoundText);
      return 0;
    }
  }
  // Detection may move the start of a logical drive's range to its sector 0.
  if (!CarvingRangeFits(ctx.SourceSelection.StartSector, ctx.SourceSelection.EndSector)) {
    GiveUp(ctx, kFileTraceRangeTooLargeText);
    return 0;
  }
  ctx.Host->ResetCounterCaptions();
  ctx.Host->SetStatusText(Panel::Scan, u"Please wait, Searching for Data...");
  CarveFiles(ctx);
  ReportUnreadableSectorsSince(ctx, readErrorsAtStart);
  return 1;
}

}  // namespace

int FileTraceThreadProc(EngineContext& ctx) {
  return RunOrExitOutOfMemory(ctx, [&] { return TraceFiles(ctx); });
}

}  // namespace engine
