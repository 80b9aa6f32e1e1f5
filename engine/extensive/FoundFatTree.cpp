#include "extensive/FoundFatTree.h"

#include <algorithm>
#include <vector>

#include "SectorReader.h"
#include "extensive/DirectoryPiece.h"
#include "extensive/ProgressReporter.h"
#include "extensive/ScanText.h"
#include "fat/FatDirectoryParser.h"
#include "fat/FatDirectoryReader.h"
#include "fat/FatGeometry.h"
#include "fat/FatTable.h"
#include "results/ResultStore.h"

namespace engine {
namespace {

constexpr uint32_t kMaxPieceSectors = 8;
constexpr uint32_t kFat16RootSectorLimit = 32;
// A folder holds at most 65,536 entries of 32 bytes: no legal chain is longer.
constexpr uint64_t kLargestDirectoryBytes = uint64_t{65536} * 32;
constexpr uint64_t kFat16FatSearchSpan = 550;
constexpr uint64_t kFat32FatSearchSpan = 30000;
constexpr uint64_t kFirstSearchSector = 63;

FatFolderEntry FolderRecord(std::u16string name, uint32_t firstCluster, uint32_t parentCluster) {
  FatFolderEntry folder;
  folder.Name = std::move(name);
  folder.FirstCluster = firstCluster;
  folder.ParentCluster = parentCluster;
  return folder;
}

uint32_t DirectoryClusterLimit(const FatLayout& layout) {
  const uint64_t clusterBytes = uint64_t{layout.SectorsPerCluster} * kSectorSize;
  return static_cast<uint32_t>(kLargestDirectoryBytes / std::max<uint64_t>(clusterBytes, 1) + 1);
}

// The clusters of a directory: its chain when the FAT's place is known, else
// (a volume found without its FAT) its first cluster alone. `broken` when the FAT
// gives no end: a format zeroed the FATs, and the folder goes on after them.
std::vector<uint32_t> DirectoryClusters(EngineContext& ctx, const FatLayout& layout, uint32_t firstCluster,
                                        bool& broken) {
  broken = true;
  if (!IsDataCluster(layout, firstCluster)) return {};
  if (layout.Fat1Start == 0) return {firstCluster};
  ChainEnd ended = ChainEnd::Broken;
  std::vector<uint32_t> chain = BuildClusterChain(ctx, layout, firstCluster, DirectoryClusterLimit(layout), &ended);
  broken = ended == ChainEnd::Broken;
  return chain;
}

// Reads the clusters piece by piece and parses them. With `mustBeDirectory` the
// first piece is parsed only when it begins with "." and "..", from entry 2. With
// `readOn` (the chain broke before the folder's end mark) the clusters after the
// last are read too, while every piece still holds directory entries and no other
// folder's "." entry begins one.
void ParseDirectoryClusters(EngineContext& ctx, const FatLayout& layout, std::vector<uint32_t> clusters,
                            uint32_t parentCluster, bool deleted, bool mustBeDirectory, bool readOn) {
  const uint32_t pieceSectors = std::min(layout.SectorsPerCluster, kMaxPieceSectors);
  std::vector<uint8_t> piece(size_t{pieceSectors} * kSectorSize);
  bool firstPiece = true;
  bool reachedEnd = false;
  const size_t listed = clusters.size();
  const uint32_t limit = DirectoryClusterLimit(layout);
  for (size_t i = 0; i < clusters.size(); ++i) {
    const uint32_t cluster = clusters[i];
    const bool guessed = i >= listed;
    for (uint32_t offset = 0; offset < layout.SectorsPerCluster; offset += pieceSectors) {
      if (reachedEnd || StopRequested(ctx)) return;
      const uint64_t sector = ClusterFirstSector(layout, cluster) + offset;
      ReadSectors(ctx, sector, pieceSectors, piece);
      if (firstPiece && mustBeDirectory && !IsDirectoryStart(piece)) return;
      if (guessed && (!LooksLikeDirectoryEntries(piece.data(), piece.size()) ||
                      (offset == 0 && StartsDirectory(piece.data())))) {
        return;
      }
      DirectoryPieceRequest request;
      request.ParentCluster = parentCluster;
      request.FirstSector = sector;
      request.SectorCount = pieceSectors;
      request.InheritedDeleted = deleted;
      request.FirstEntry = firstPiece && mustBeDirectory ? 2 : 0;
      ParseDirectoryPiece(ctx, piece, request, reachedEnd);
      firstPiece = false;
    }
    if (readOn && !reachedEnd && i + 1 == clusters.size() && clusters.size() < limit && cluster < layout.MaxCluster) {
      clusters.push_back(cluster + 1);
    }
  }
}

void ParseFat16Root(EngineContext& ctx) {
  const uint32_t rootStart = ctx.ActiveVolume.RootDirStart;
  if (rootStart == 0 || rootStart >= 0xFFFFFFE0) return;
  std::vector<uint8_t> piece(size_t{kMaxPieceSectors} * kSectorSize);
  bool reachedEnd = false;
  for (uint32_t done = 0; done < kFat16RootSectorLimit && !reachedEnd && !StopRequested(ctx);
       done += kMaxPieceSectors) {
    ReadSectors(ctx, uint64_t{rootStart} + done, kMaxPieceSectors, piece);
    DirectoryPieceRequest request;
    request.FirstSector = uint64_t{rootStart} + done;
    request.SectorCount = kMaxPieceSectors;
    ParseDirectoryPiece(ctx, piece, request, reachedEnd);
  }
}

}  // namespace

void BuildFoundFatTree(EngineContext& ctx) {
  ResultStore& results = ctx.Results;
  ProgressReporter progress(ctx, Panel::FileSystem);
  progress.Reset(0);
  ctx.Host->SetStatusText(Panel::FileSystem, kFatStep1Text);
  ReleaseFatAndTreeLists(ctx);
  for (const DirClusterCandidate& candidate : results.DirClusterCandidates) {
    if (candidate.VolumeNumber != ctx.ActiveVolumeNumber) continue;
    FatFolderEntry folder = FolderRecord(u"Dir" + DecimalText(candidate.OwnCluster), candidate.OwnCluster,
                                         candidate.ParentCluster);
    folder.WriteDate = candidate.Date1;
    folder.AccessDate = candidate.Date2;
    AddFatFolder(ctx, std::move(folder));
    progress.Show(static_cast<uint64_t>(results.FolderCount), results.CandidateFolderCount);
  }

  AddLostFatParents(ctx);
  if (ctx.ActiveVolume.Fat1Start == 0) FindFatCopies(ctx);
  ctx.Host->SetStatusText(Panel::FileSystem, kFatStep4Text);
  ParseFoundFatDirectories(ctx);

  const TreeItem root = ctx.Host->ResultTreeInsertItem(u"Root", kTreeRootLevel);
  ctx.Host->SetStatusText(Panel::FileSystem, kFatStep5Text);
  ctx.ScanControl.StopOrDone.store(0);
  ctx.Host->SetButton(PageButton::FileSystemStop, ButtonAction::Disable);
  ctx.Host->SetButton(PageButton::FileSystemStop, ButtonAction::Hide);
  ctx.Host->ResultTreeAddFatFolders(root, 0);
  ctx.Host->ResultTreeExpand(root);
  ctx.Host->ListSetReportView();
  ctx.ScanControl.StopOrDone.store(1);
  ctx.ScanControl.Running.store(0);
}

void AddLostFatParents(EngineContext& ctx) {
  ctx.Host->SetStatusText(Panel::FileSystem, kFatStep2Text);
  ctx.Host->SetProgressPos(Panel::FileSystem, 0);
  AddFatFolder(ctx, FolderRecord(kLostDirName, kLostDirKey, 0));
  RecordList<FatFolderEntry>& folders = ctx.Results.FatFolders;
  // The list grows while it is walked: the parents added are walked too.
  for (size_t i = 0; i < folders.size() && !StopRequested(ctx); ++i) {
    const uint32_t parent = folders[i].ParentCluster;
    if (parent == 0 || ctx.Results.FindFatFolder(parent) != nullptr) continue;
    AddFatFolder(ctx, FolderRecord(u"Dir" + DecimalText(parent), parent, kLostDirKey));
  }
}

std::optional<uint64_t> FatCopySearchStart(uint16_t fileSystemCode, uint32_t clusterBase) {
  const uint64_t span = fileSystemCode == kFileSystemFat32 ? kFat32FatSearchSpan : kFat16FatSearchSpan;
  uint64_t start = clusterBase > span ? clusterBase - span : 0;
  if (start == 0) start = kFirstSearchSector;
  if (start >= clusterBase) return std::nullopt;
  return start;
}

void FindFatCopies(EngineContext& ctx) {
  VolumeParameters& volume = ctx.ActiveVolume;
  ctx.Host->SetStatusText(Panel::FileSystem, kFatStep3Text);
  ProgressReporter progress(ctx, Panel::FileSystem);
  progress.Reset(0);
  const auto start = FatCopySearchStart(volume.FileSystemCode, volume.ClusterBase);
  if (!start) return;

  // Read in runs for speed; each sector is still tested on its own, in order.
  constexpr uint32_t kRun = 64;
  std::vector<uint8_t> run(size_t{kRun} * kSectorSize);
  std::vector<uint64_t> copies;
  for (uint64_t first = *start; first < volume.ClusterBase && copies.size() < 2; first += kRun) {
    if (StopRequested(ctx)) return;
    const auto count = static_cast<uint32_t>(std::min<uint64_t>(kRun, volume.ClusterBase - first));
    ReadSectors(ctx, first, count, std::span<uint8_t>(run).first(size_t{count} * kSectorSize));
    for (uint32_t i = 0; i < count && copies.size() < 2; ++i) {
      const uint8_t* bytes = run.data() + size_t{i} * kSectorSize;
      if (bytes[0] == 0xF8 && bytes[1] == 0xFF && bytes[2] == 0xFF) copies.push_back(first + i);
      progress.Show(first + i, volume.ClusterBase);
    }
  }
  if (!copies.empty()) volume.Fat1Start = static_cast<uint32_t>(copies[0]);
  if (copies.size() < 2) return;
  volume.Fat2Start = static_cast<uint32_t>(copies[1]);
  volume.SectorsPerFat = volume.Fat2Start - volume.Fat1Start;
  if (volume.FileSystemCode == kFileSystemFat16) volume.RootDirStart = volume.Fat2Start + volume.SectorsPerFat;
}

void ParseFoundFatDirectories(EngineContext& ctx) {
  const auto layout = CurrentFatLayout(ctx);
  if (!layout) return;
  if (!layout->Is32) {
    ParseFat16Root(ctx);
  } else {
    const uint32_t rootCluster = ctx.ActiveVolume.RootDirStart != 0 ? ctx.ActiveVolume.RootDirStart : 2;
    bool broken = false;
    std::vector<uint32_t> clusters = DirectoryClusters(ctx, *layout, rootCluster, broken);
    ParseDirectoryClusters(ctx, *layout, std::move(clusters), 0, false, false, broken);
  }

  ProgressReporter progress(ctx, Panel::FileSystem);
  RecordList<FatFolderEntry>& folders = ctx.Results.FatFolders;
  for (size_t i = 0; i < folders.size() && !StopRequested(ctx); ++i) {
    const uint32_t firstCluster = folders[i].FirstCluster;
    const bool deleted = folders[i].Deleted != 0;
    bool broken = false;
    std::vector<uint32_t> clusters = DirectoryClusters(ctx, *layout, firstCluster, broken);
    ParseDirectoryClusters(ctx, *layout, std::move(clusters), firstCluster, deleted, true, broken);
    progress.Show(i + 1, ctx.Results.FolderCount);
  }
}

}  // namespace engine
