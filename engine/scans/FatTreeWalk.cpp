#include "FatTreeWalk.h"

#include <algorithm>

#include "fat/FatDirectoryParser.h"
#include "fat/FatDirectoryReader.h"
#include "fat/FatGeometry.h"
#include "listing/FatListing.h"
#include "listing/ResultRows.h"
#include "results/ResultStore.h"
#include "scans/ResultsHandOver.h"

namespace engine {
namespace {

// Appends the items of one directory and reports them; false when Stop was asked.
bool AppendDirectoryItems(EngineContext& ctx, const FatDirectoryListing& listing, uint32_t parentCluster) {
  ResultStore& results = ctx.Results;
  EngineHost& host = *ctx.Host;
  const uint64_t clusterCount =
      std::max<uint64_t>(1, ctx.SourceSelection.SectorCount / std::max<uint32_t>(1, ctx.ActiveVolume.SectorsPerCluster));
  for (const FatDirectoryItem& item : listing.Items) {
    if (StopRequested(ctx)) return false;
    if (item.IsFolder) {
      FatFolderEntry folder;
      folder.Name = item.Name;
      folder.FirstCluster = item.FirstCluster;
      folder.ParentCluster = parentCluster;
      folder.WriteDate = item.WriteDate;
      folder.AccessDate = item.AccessDate;
      folder.Deleted = item.Deleted ? 1 : 0;
      if (AddFatFolder(ctx, std::move(folder)) != nullptr && results.FolderCount % 10 == 0) {
        host.SetCounterText(ScanCounter::FoldersFound, DecimalText(static_cast<uint64_t>(results.FolderCount)));
      }
    } else {
      FatFileEntry file;
      file.Name = item.Name;
      file.FirstCluster = item.FirstCluster;
      file.ParentCluster = parentCluster;
      file.WriteDate = item.WriteDate;
      file.AccessDate = item.AccessDate;
      file.Times = item.Times;
      file.Size = item.Size;
      file.Deleted = item.Deleted ? 1 : 0;
      AddFatFile(ctx, std::move(file));
      results.FileCount += 1;
      if (results.FileCount % 10 == 0) {
        host.SetCounterText(ScanCounter::FilesFound, DecimalText(static_cast<uint64_t>(results.FileCount)));
      }
    }
    results.DirEntriesParsed += 1;
    const uint64_t percent = static_cast<uint64_t>(results.DirEntriesParsed) * 100 / clusterCount;
    host.SetProgressPos(Panel::Scan, static_cast<int>(std::min<uint64_t>(99, percent)));
    host.SetCounterText(ScanCounter::LastItem, item.Name);
  }
  return true;
}

void ShowCurrentSector(EngineContext& ctx, uint64_t sector) {
  ctx.Host->SetCounterText(ScanCounter::CurrentSector, DecimalText(sector));
}

}  // namespace

void WalkFatVolume(EngineContext& ctx) {
  ReleaseFatAndTreeLists(ctx);
  const std::optional<FatLayout> layout = CurrentFatLayout(ctx);
  if (!layout) return;
  const VolumeParameters& volume = ctx.ActiveVolume;

  const FatDirectoryBytes root = layout->Is32 ? ReadFatDirectoryChain(ctx, *layout, volume.RootDirStart, false)
                                              : ReadFatRootRegion(ctx, volume.RootDirStart, volume.RootDirSectors);
  // An unreadable root must not look like an empty volume.
  if (root.Bytes.empty() || root.HasUnreadableSectors) {
    ReportMessage(ctx, kRootFolderUnreadableText, kMessageError);
  }
  ShowCurrentSector(ctx, root.FirstSector);
  if (!AppendDirectoryItems(ctx, ParseFatDirectory(root.Bytes, layout->Is32, 0, false), 0)) return;

  // The list grows while it is walked: folders found in a folder are walked later.
  // AddFatFolder keeps one entry per first cluster, so no directory is read twice.
  for (size_t i = 0; i < ctx.Results.FatFolders.size(); ++i) {
    if (StopRequested(ctx)) return;
    const FatFolderEntry& folder = ctx.Results.FatFolders[i];
    const uint32_t firstCluster = folder.FirstCluster;
    const bool deleted = folder.Deleted != 0;
    if (layout->Is32 && firstCluster == volume.RootDirStart) continue;  // the root was walked first
    const FatDirectoryBytes directory = ReadFatDirectoryChain(ctx, *layout, firstCluster, deleted);
    if (!IsDirectoryStart(directory.Bytes)) continue;
    ShowCurrentSector(ctx, directory.FirstSector);
    if (!AppendDirectoryItems(ctx, ParseFatDirectory(directory.Bytes, layout->Is32, 2, deleted), firstCluster)) return;
  }
}

TreeItem BuildFatTreeFromRoot(EngineContext& ctx, const FileFilterTable& filters) {
  WalkFatVolume(ctx);
  return HandOverToResultsPage(
      ctx, [&](TreeItem root) { ctx.Host->ResultTreeAddFatFolders(root, 0); },
      [&] { FillFileListFromFat(ctx, 0, filters); });
}

}  // namespace engine
