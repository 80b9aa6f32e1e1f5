#include "extensive/NtfsIndexCompletion.h"

#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "SectorReader.h"
#include "extensive/ProgressReporter.h"
#include "ntfs/IndexBlock.h"
#include "ntfs/MftRecord.h"
#include "results/ResultStore.h"

namespace engine {
namespace {

constexpr uint32_t kDirectoryEntryFlag = 0x10000000;

// What an index entry and a folder's FILE record have in common.
struct FolderKey {
  uint32_t ParentId = 0;
  uint64_t CreationTime = 0;
  std::u16string Name;
  bool operator==(const FolderKey&) const = default;
};

struct FolderKeyHash {
  size_t operator()(const FolderKey& key) const {
    size_t hash = std::hash<std::u16string>()(key.Name);
    hash ^= std::hash<uint64_t>()(key.CreationTime) + 0x9e3779b97f4a7c15ULL + (hash << 6) + (hash >> 2);
    hash ^= std::hash<uint32_t>()(key.ParentId) + 0x9e3779b97f4a7c15ULL + (hash << 6) + (hash >> 2);
    return hash;
  }
};

// The folders still without an own id, by key, each key's folders in list order.
class FoldersWithoutId {
 public:
  explicit FoldersWithoutId(RecordList<NtfsFolderNode>& folders) {
    for (NtfsFolderNode& folder : folders) {
      if (folder.OwnId == 0) byKey_[{folder.ParentId, folder.Time1, folder.Name}].Folders.push_back(&folder);
    }
  }

  // The first folder of that key whose own id is still 0.
  NtfsFolderNode* First(const FolderKey& key) {
    const auto found = byKey_.find(key);
    if (found == byKey_.end()) return nullptr;
    Queue& queue = found->second;
    while (queue.Next < queue.Folders.size() && queue.Folders[queue.Next]->OwnId != 0) ++queue.Next;
    return queue.Next < queue.Folders.size() ? queue.Folders[queue.Next] : nullptr;
  }

 private:
  struct Queue {
    std::vector<NtfsFolderNode*> Folders;
    size_t Next = 0;
  };
  std::unordered_map<FolderKey, Queue, FolderKeyHash> byKey_;
};

void NameFoldersFromIndexBlocks(EngineContext& ctx) {
  FoldersWithoutId folders(ctx.Results.NtfsFolders);
  std::vector<uint8_t> block;
  for (const IndxBlockNode& node : ctx.Results.IndxBlocks) {
    block.assign(size_t{node.SizeInSectors} * kSectorSize, 0);
    if (block.empty()) continue;
    ReadSectors(ctx, node.Sector, node.SizeInSectors, block);
    if (!ntfs::HasSignature(block, "INDX") || !ntfs::Readable(ntfs::ApplyUpdateSequenceFixup(block))) continue;
    const auto parsed = ntfs::ParseIndxBlock(block);
    if (!parsed) continue;
    for (const ntfs::IndexEntry& entry : parsed->Entries) {
      if ((entry.Key.FileFlags & kDirectoryEntryFlag) == 0 || entry.Key.Name.empty()) continue;
      if (NtfsFolderNode* folder = folders.First({entry.Key.ParentRecord, entry.Key.CreationTime, entry.Key.Name})) {
        folder->OwnId = entry.FileRecord;
      }
    }
  }
}

// Records are two sectors long and numbered in MFT order, so a folder without an
// id is numbered from the folder before it by the sectors between them.
void NumberRemainingFolders(EngineContext& ctx) {
  ProgressReporter progress(ctx, Panel::Scan);
  uint64_t previousId = 1;
  std::optional<uint32_t> previousSector;
  uint64_t done = 0;
  for (NtfsFolderNode& folder : ctx.Results.NtfsFolders) {
    if (folder.OwnId == 0) {
      const bool evenDistance = previousSector && folder.RecordSector >= *previousSector &&
                                (folder.RecordSector - *previousSector) % 2 == 0;
      const uint64_t id = evenDistance ? previousId + (folder.RecordSector - *previousSector) / 2 : previousId + 1;
      folder.OwnId = static_cast<uint32_t>(id);
    }
    previousId = folder.OwnId;
    previousSector = folder.RecordSector;
    progress.Show(++done, ctx.Results.CandidateFolderCount);
  }
}

}  // namespace

void ScanIndxRecords(EngineContext& ctx) {
  ctx.Host->SetProgressPos(Panel::Scan, 0);
  ctx.Host->SetStatusText(Panel::Scan, kIndxStep1Text);
  NameFoldersFromIndexBlocks(ctx);
  ctx.Host->SetStatusText(Panel::Scan, kIndxStep2Text);
  NumberRemainingFolders(ctx);
}

void DeleteUnusedIndexEntries(EngineContext& ctx) {
  ctx.Host->SetStatusText(Panel::Scan, kDeletingIndexEntriesText);
  ProgressReporter progress(ctx, Panel::Scan);
  progress.Reset(0);
  const auto initialCount = static_cast<int64_t>(ctx.Results.IndxBlocks.size());
  uint64_t done = 0;
  const size_t removed = ctx.Results.RemoveIndxBlocks([&](const IndxBlockNode& block) {
    progress.Show(++done, initialCount);
    return block.BlockVcn != 0;
  });
  ctx.Results.IndxBlockCount -= static_cast<int32_t>(removed);
}

}  // namespace engine
