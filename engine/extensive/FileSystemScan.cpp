#include "extensive/FileSystemScan.h"

#include "extensive/FoundFatTree.h"
#include "extensive/FoundNtfsTree.h"
#include "listing/FatListing.h"
#include "ntfs/NtfsListing.h"
#include "ntfs/RecordFields.h"

namespace engine {

namespace {

int BuildVolumeTree(EngineContext& ctx, const FileFilterTable& filters) {
  ctx.ScanControl.StopOrDone.store(0);
  ctx.ScanControl.Running.store(1);
  const uint16_t code = ctx.ActiveVolume.FileSystemCode;
  if (code == kFileSystemFat16 || code == kFileSystemFat32) {
    BuildFoundFatTree(ctx);
    FillFileListFromFat(ctx, 0, filters);
  } else if (code == kFileSystemNtfs) {
    BuildFoundNtfsTree(ctx);
    FillFileListFromTree(ctx, ntfs::kRootRecord, filters);
  } else {
    // Nothing to build; the page must still learn that the worker ended.
    ctx.ScanControl.StopOrDone.store(1);
    ctx.ScanControl.Running.store(0);
  }
  return 0;
}

}  // namespace

int FileSystemScanThreadProc(EngineContext& ctx, const FileFilterTable& filters) {
  return RunOrExitOutOfMemory(ctx, [&] { return BuildVolumeTree(ctx, filters); });
}

}  // namespace engine
