#include "extensive/FoundFatTree.h"

#include <algorithm>
#include <vector>

#include "SectorReader.h"
#include "extensive/DirectoryClusterOwners.h"
#include "extensive/DirectoryPiece.h"
#include "extensive/ProgressReporter.h"
#include "extensive/ScanText.h"
#include "fat/FatDirectoryEntry.h"
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

// What a walk of a directory's clusters read.
struct DirectoryWalk {
  std::vector<uint32_t> Clusters;  // read as the directory's
  bool ReachedEnd = false;         // its end mark was read
};

// Reads the clusters piece by piece and parses them. With `mustBeDirectory` the
// first piece is parsed only when it begins with "." and "..", from entry 2. The
// clusters from `trusted` on are guessed ones: each piece of them must still hold
// directory entries, and none may begin another folder ("." entry). With `readOn`
// (the chain broke before the folder's end mark) the clusters after the last are
// read too, as guessed ones.
DirectoryWalk ParseDirectoryClusters(EngineContext& ctx, const FatLayout& layout, std::vector<uint32_t> clusters,
                                     size_t trusted, uint32_t parentCluster, bool deleted, bool mustBeDirectory,
                                     bool readOn, uint64_t sectorBefore) {
  DirectoryWalk walk;
  const uint32_t pieceSectors = std::min(layout.SectorsPerCluster, kMaxPieceSectors);
  // The sector before the piece, then the piece: a long name may begin in the
  // sector before and end in the piece.
  std::vector<uint8_t> joined(size_t{pieceSectors + 1} * kSectorSize);
  const std::span<uint8_t> piece = std::span<uint8_t>(joined).subspan(kSectorSize);
  bool haveBefore = sectorBefore != 0;
  if (haveBefore) ReadSectors(ctx, sectorBefore, 1, std::span<uint8_t>(joined).first(kSectorSize));
  bool firstPiece = true;
  const uint32_t limit = DirectoryClusterLimit(layout);
  for (size_t i = 0; i < clusters.size(); ++i) {
    const uint32_t cluster = clusters[i];
    const bool guessed = i >= trusted;
    for (uint32_t offset = 0; offset < layout.SectorsPerCluster; offset += pieceSectors) {
      if (walk.ReachedEnd || StopRequested(ctx)) return walk;
      const uint64_t sector = ClusterFirstSector(layout, cluster) + offset;
      ReadSectors(ctx, sector, pieceSectors, piece);
      if (firstPiece && mustBeDirectory && !IsDirectoryStart(std::span<const uint8_t>(piece))) return walk;
      if (guessed && (!LooksLikeDirectoryEntries(piece.data(), piece.size()) ||
                      (offset == 0 && StartsDirectory(piece.data())))) {
        return walk;
      }
      if (offset == 0) walk.Clusters.push_back(cluster);
      DirectoryPieceRequest request;
      request.ParentCluster = parentCluster;
      request.InheritedDeleted = deleted;
      if (haveBefore && !(firstPiece && mustBeDirectory)) {
        request.FirstSector = sector - 1;
        request.SectorCount = pieceSectors + 1;
        request.FirstEntry = kSectorSize / kDirEntrySize;  // the sector before only lends its long names
        ParseDirectoryPiece(ctx, joined, request, walk.ReachedEnd);
      } else {
        request.FirstSector = sector;
        request.SectorCount = pieceSectors;
        request.FirstEntry = firstPiece && mustBeDirectory ? 2 : 0;
        ParseDirectoryPiece(ctx, piece, request, walk.ReachedEnd);
      }
      std::copy_n(piece.end() - kSectorSize, kSectorSize, joined.begin());
      haveBefore = true;
      firstPiece = false;
    }
    if (readOn && !walk.ReachedEnd && i + 1 == clusters.size() && clusters.size() < limit &&
        cluster < layout.MaxCluster) {
      clusters.push_back(cluster + 1);
    }
  }
  return walk;
}

// The highest cluster the walk read or the files it listed (from `firstFile` of
// the file list on) take.
uint32_t LastUsedCluster(const EngineContext& ctx, const FatLayout& layout, const DirectoryWalk& walk,
                         size_t firstFile) {
  uint32_t last = walk.Clusters.empty() ? 0 : *std::max_element(walk.Clusters.begin(), walk.Clusters.end());
  const uint64_t clusterBytes = uint64_t{layout.SectorsPerCluster} * kSectorSize;
  const RecordList<FatFileEntry>& files = ctx.Results.FatFiles;
  for (size_t i = firstFile; i < files.size(); ++i) {
    if (!IsDataCluster(layout, files[i].FirstCluster)) continue;
    const uint64_t span = std::max<uint64_t>(1, (uint64_t{files[i].Size} + clusterBytes - 1) / clusterBytes);
    const uint64_t end = std::min<uint64_t>(files[i].FirstCluster + span - 1, layout.MaxCluster);
    last = std::max(last, static_cast<uint32_t>(end));
  }
  return last;
}

// Walks a directory and notes in `owners` what it read and whether it still
// misses clusters (its chain broke and no end mark was read).
void WalkDirectory(EngineContext& ctx, const FatLayout& layout, DirectoryClusterOwners& owners,
                   std::vector<uint32_t> clusters, size_t trusted, uint32_t folderKey, bool deleted,
                   bool mustBeDirectory, bool broken, uint64_t sectorBefore = 0) {
  const size_t firstFile = ctx.Results.FatFiles.size();
  const DirectoryWalk walk = ParseDirectoryClusters(ctx, layout, std::move(clusters), trusted, folderKey, deleted,
                                                    mustBeDirectory, broken, sectorBefore);
  const bool open = broken && !walk.ReachedEnd && !walk.Clusters.empty();
  owners.NoteWalk(folderKey, walk.Clusters, open, LastUsedCluster(ctx, layout, walk, firstFile));
}

// The first clusters of the directory sectors the raw scan found that no walk
// read, in cluster order.
std::vector<uint32_t> OrphanedDirectoryClusters(const EngineContext& ctx, const FatLayout& layout,
                                                const DirectoryClusterOwners& owners) {
  std::vector<uint32_t> orphans;
  for (const uint32_t sector : ctx.Results.DirEntrySectors) {
    if (sector < layout.ClusterBase) continue;
    const uint64_t offset = sector - layout.ClusterBase;
    if (offset % layout.SectorsPerCluster != 0) continue;
    const uint64_t cluster = offset / layout.SectorsPerCluster;
    if (cluster > layout.MaxCluster || !IsDataCluster(layout, static_cast<uint32_t>(cluster))) continue;
    if (!owners.WasRead(static_cast<uint32_t>(cluster))) orphans.push_back(static_cast<uint32_t>(cluster));
  }
  std::sort(orphans.begin(), orphans.end());
  orphans.erase(std::unique(orphans.begin(), orphans.end()), orphans.end());
  return orphans;
}

// The folder whose subfolder an entry of the piece names: the subfolder's ".."
// (its found folder's parent) tells whose entries these are.
std::optional<uint32_t> OwnerBySubfolders(EngineContext& ctx, std::span<const uint8_t> piece) {
  const bool fat32 = ctx.ActiveVolume.FileSystemCode == kFileSystemFat32;
  for (size_t offset = 0; offset + kDirEntrySize <= piece.size(); offset += kDirEntrySize) {
    const auto entry = DecodeShortEntry(piece, offset, fat32);
    if (!entry || entry->FirstByte == 0) break;
    if (entry->Attributes == kAttrLongName || (entry->Attributes & kAttrDirectory) == 0) continue;
    const FatFolderEntry* subfolder = ctx.Results.FindFatFolder(entry->FirstCluster);
    if (subfolder == nullptr || subfolder->FirstCluster == kLostDirKey || subfolder->ParentCluster == kLostDirKey) {
      continue;
    }
    if (subfolder->ParentCluster == 0 || ctx.Results.FindFatFolder(subfolder->ParentCluster) != nullptr) {
      return subfolder->ParentCluster;
    }
  }
  return std::nullopt;
}

// Takes the directory clusters that no chain led to into the tree: each goes to
// the folder a subfolder entry in it names, else to the open folder whose known
// clusters end last before it, else it becomes a folder of its own below "Lost Dir".
void AttachOrphanedDirectoryClusters(EngineContext& ctx, const FatLayout& layout, DirectoryClusterOwners& owners) {
  const uint32_t pieceSectors = std::min(layout.SectorsPerCluster, kMaxPieceSectors);
  std::vector<uint8_t> piece(size_t{pieceSectors} * kSectorSize);
  for (const uint32_t cluster : OrphanedDirectoryClusters(ctx, layout, owners)) {
    if (StopRequested(ctx)) return;
    if (owners.WasRead(cluster)) continue;  // an earlier one read on into it
    ReadSectors(ctx, ClusterFirstSector(layout, cluster), pieceSectors, piece);
    // The raw scan judged one sector; a cluster that does not hold entries
    // throughout is file data, and must neither become a folder nor close one.
    if (!LooksLikeDirectoryEntries(piece.data(), piece.size())) continue;
    std::optional<uint32_t> owner = OwnerBySubfolders(ctx, piece);
    if (!owner) owner = owners.OwnerByPlace(cluster);
    bool deleted = false;
    uint64_t sectorBefore = 0;
    if (owner) {
      const FatFolderEntry* folder = *owner == 0 ? nullptr : ctx.Results.FindFatFolder(*owner);
      deleted = folder != nullptr && folder->Deleted != 0;
      const uint32_t before = owners.LastDirectoryCluster(*owner);
      if (IsDataCluster(layout, before)) sectorBefore = ClusterFirstSector(layout, before + 1) - 1;
    } else {
      AddFatFolder(ctx, FolderRecord(u"Dir" + DecimalText(cluster), cluster, kLostDirKey));
      owner = cluster;
    }
    WalkDirectory(ctx, layout, owners, {cluster}, 0, *owner, deleted, false, true, sectorBefore);
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
  DirectoryClusterOwners owners;
  if (!layout->Is32) {
    ParseFat16Root(ctx);
  } else {
    const uint32_t rootCluster = ctx.ActiveVolume.RootDirStart != 0 ? ctx.ActiveVolume.RootDirStart : 2;
    bool broken = false;
    std::vector<uint32_t> clusters = DirectoryClusters(ctx, *layout, rootCluster, broken);
    const size_t trusted = clusters.size();
    WalkDirectory(ctx, *layout, owners, std::move(clusters), trusted, 0, false, false, broken);
  }

  ProgressReporter progress(ctx, Panel::FileSystem);
  RecordList<FatFolderEntry>& folders = ctx.Results.FatFolders;
  for (size_t i = 0; i < folders.size() && !StopRequested(ctx); ++i) {
    const uint32_t firstCluster = folders[i].FirstCluster;
    const bool deleted = folders[i].Deleted != 0;
    bool broken = false;
    std::vector<uint32_t> clusters = DirectoryClusters(ctx, *layout, firstCluster, broken);
    const size_t trusted = clusters.size();
    WalkDirectory(ctx, *layout, owners, std::move(clusters), trusted, firstCluster, deleted, true, broken);
    progress.Show(i + 1, ctx.Results.FolderCount);
  }
  AttachOrphanedDirectoryClusters(ctx, *layout, owners);
}

}  // namespace engine
