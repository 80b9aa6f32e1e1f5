#include "results/ResultStore.h"

#include <new>
#include <utility>

#include "EngineContext.h"

namespace engine {
namespace {

template <class Key, class Record>
Record* FindIn(const std::unordered_map<Key, Record*>& index, Key key) {
  auto found = index.find(key);
  return found == index.end() ? nullptr : found->second;
}

template <class Record>
const std::vector<Record*>& ChildrenIn(const std::unordered_map<uint32_t, std::vector<Record*>>& index,
                                       uint32_t parent) {
  static const std::vector<Record*> kNone;
  auto found = index.find(parent);
  return found == index.end() ? kNone : found->second;
}

// Moves a record's tree-item key in an index of tree items.
template <class Record>
void Reindex(std::unordered_map<TreeItem, Record*>& index, Record& record, TreeItem item) {
  if (record.TreeItem != 0) {
    auto found = index.find(record.TreeItem);
    if (found != index.end() && found->second == &record) index.erase(found);
  }
  record.TreeItem = item;
  if (item != 0) index.insert_or_assign(item, &record);
}

}  // namespace

// ---- lookups

FatFolderEntry* ResultStore::FindFatFolder(uint32_t firstCluster) { return FindIn(FatFolderByCluster, firstCluster); }
FatFolderEntry* ResultStore::FindFatFolderByTreeItem(TreeItem item) {
  return item == 0 ? nullptr : FindIn(FatFolderByItem, item);
}
FatFileEntry* ResultStore::FindFatFile(uint32_t fileIndex) { return FindIn(FatFileByIndex, fileIndex); }
const std::vector<FatFolderEntry*>& ResultStore::FatFoldersIn(uint32_t parentCluster) const {
  return ChildrenIn(FatFoldersByParent, parentCluster);
}
const std::vector<FatFileEntry*>& ResultStore::FatFilesIn(uint32_t parentCluster) const {
  return ChildrenIn(FatFilesByParent, parentCluster);
}
TreeFolderNode* ResultStore::FindTreeFolder(uint32_t id) { return FindIn(TreeFolderById, id); }
TreeFolderNode* ResultStore::FindTreeFolderByTreeItem(TreeItem item) {
  return item == 0 ? nullptr : FindIn(TreeFolderByItem, item);
}
TreeFileNode* ResultStore::FindTreeFile(uint32_t dataRecordSector) {
  return FindIn(TreeFileBySector, dataRecordSector);
}
const std::vector<TreeFolderNode*>& ResultStore::TreeFoldersIn(uint32_t parentId) const {
  return ChildrenIn(TreeFoldersByParent, parentId);
}
const std::vector<TreeFileNode*>& ResultStore::TreeFilesIn(uint32_t parentId) const {
  return ChildrenIn(TreeFilesByParent, parentId);
}
NtfsFileNode* ResultStore::FindNtfsFile(uint32_t recordSector) { return FindIn(NtfsFileBySector, recordSector); }
const std::vector<NtfsFileNode*>& ResultStore::NtfsFilesIn(uint32_t parentId) const {
  return ChildrenIn(NtfsFilesByParent, parentId);
}
const std::vector<NtfsFolderNode*>& ResultStore::NtfsFoldersIn(uint32_t parentId) const {
  return ChildrenIn(NtfsFoldersByParent, parentId);
}
CarvedFile* ResultStore::FindCarvedFile(uint32_t runningNumber) {
  return FindIn(CarvedFileByNumber, runningNumber);
}

void ResultStore::SetTreeItem(FatFolderEntry& folder, TreeItem item) { Reindex(FatFolderByItem, folder, item); }
void ResultStore::SetTreeItem(TreeFolderNode& folder, TreeItem item) { Reindex(TreeFolderByItem, folder, item); }

std::size_t ResultStore::RemoveIndxBlocks(const std::function<bool(const IndxBlockNode&)>& unused) {
  return std::erase_if(IndxBlocks, unused);
}

// ---- pushes: append, then index the record where it now lives

FatFileEntry& ResultStore::PushFatFile(FatFileEntry&& entry) {
  FatFileEntry& stored = FatFiles.Items.emplace_back(std::move(entry));
  FatFileByIndex.try_emplace(stored.FileIndex, &stored);
  FatFilesByParent[stored.ParentCluster].push_back(&stored);
  return stored;
}

FatFolderEntry& ResultStore::PushFatFolder(FatFolderEntry&& entry) {
  FatFolderEntry& stored = FatFolders.Items.emplace_back(std::move(entry));
  FatFolderByCluster.try_emplace(stored.FirstCluster, &stored);
  FatFoldersByParent[stored.ParentCluster].push_back(&stored);
  if (stored.TreeItem != 0) FatFolderByItem.insert_or_assign(stored.TreeItem, &stored);
  return stored;
}

TreeFolderNode& ResultStore::PushTreeFolder(TreeFolderNode&& node) {
  TreeFolderNode& stored = TreeFolders.Items.emplace_back(std::move(node));
  TreeFolderById.try_emplace(stored.Id, &stored);
  TreeFoldersByParent[stored.ParentId].push_back(&stored);
  if (stored.TreeItem != 0) TreeFolderByItem.insert_or_assign(stored.TreeItem, &stored);
  return stored;
}

TreeFileNode& ResultStore::PushTreeFile(TreeFileNode&& node) {
  TreeFileNode& stored = TreeFiles.Items.emplace_back(std::move(node));
  TreeFileBySector.try_emplace(stored.DataRecordSector, &stored);
  TreeFilesByParent[stored.ParentId].push_back(&stored);
  return stored;
}

NtfsFileNode& ResultStore::PushNtfsFile(NtfsFileNode&& node) {
  NtfsFileNode& stored = NtfsFiles.Items.emplace_back(std::move(node));
  NtfsFileBySector.try_emplace(stored.RecordSector, &stored);
  NtfsFilesByParent[stored.ParentId].push_back(&stored);
  return stored;
}

NtfsFolderNode& ResultStore::PushNtfsFolder(NtfsFolderNode&& node) {
  NtfsFolderNode& stored = NtfsFolders.Items.emplace_back(std::move(node));
  NtfsFoldersByParent[stored.ParentId].push_back(&stored);
  return stored;
}

CarvedFile& ResultStore::PushCarvedFile(CarvedFile&& file) {
  CarvedFile& stored = CarvedFiles.Items.emplace_back(std::move(file));
  CarvedFileByNumber.try_emplace(stored.RunningNumber, &stored);
  return stored;
}

// ---- clears: swap with empty containers so the memory goes back at once

template <class Container>
static void Empty(Container& container) {
  Container().swap(container);
}

void ResultStore::ClearFatLists() {
  Empty(FatFiles.Items);
  Empty(FatFolders.Items);
  Empty(FatFolderByCluster);
  Empty(FatFolderByItem);
  Empty(FatFileByIndex);
  Empty(FatFoldersByParent);
  Empty(FatFilesByParent);
}

void ResultStore::ClearTreeLists() {
  Empty(TreeFolders.Items);
  Empty(TreeFiles.Items);
  Empty(TreeFolderById);
  Empty(TreeFolderByItem);
  Empty(TreeFileBySector);
  Empty(TreeFoldersByParent);
  Empty(TreeFilesByParent);
}

void ResultStore::ClearNtfsCandidateLists() {
  Empty(NtfsFiles.Items);
  Empty(NtfsFolders.Items);
  Empty(NtfsFileBySector);
  Empty(NtfsFilesByParent);
  Empty(NtfsFoldersByParent);
}

void ResultStore::ClearCarvedFiles() {
  Empty(CarvedFiles.Items);
  Empty(CarvedFileByNumber);
}

// ---- appenders

FatFileEntry& AddFatFile(EngineContext& ctx, FatFileEntry entry) {
  ResultStore& store = ctx.Results;
  entry.FileIndex = static_cast<uint32_t>(store.FileCount);
  return RunOrExitOutOfMemory(ctx, [&]() -> FatFileEntry& { return store.PushFatFile(std::move(entry)); });
}

FatFolderEntry* AddFatFolder(EngineContext& ctx, FatFolderEntry entry) {
  ResultStore& store = ctx.Results;
  if (FatFolderEntry* existing = store.FindFatFolder(entry.FirstCluster)) {
    // A folder is listed once per first cluster; a live sighting wins over a deleted one.
    if (entry.Deleted == 0 && existing->Deleted != 0) {
      RunOrExitOutOfMemory(ctx, [&] { existing->Name = std::move(entry.Name); });
      existing->Deleted = 0;
    }
    return nullptr;
  }
  FatFolderEntry& stored =
      RunOrExitOutOfMemory(ctx, [&]() -> FatFolderEntry& { return store.PushFatFolder(std::move(entry)); });
  ++store.FolderCount;
  return &stored;
}

TreeFolderNode* AddTreeFolderUnique(EngineContext& ctx, TreeFolderNode node) {
  ResultStore& store = ctx.Results;
  if (store.FindTreeFolder(node.Id) != nullptr) return nullptr;
  TreeFolderNode& stored =
      RunOrExitOutOfMemory(ctx, [&]() -> TreeFolderNode& { return store.PushTreeFolder(std::move(node)); });
  ++store.FolderCount;
  return &stored;
}

TreeFolderNode* AddTreeFolder(EngineContext& ctx, TreeFolderNode node) {
  // The Extensive Scan meets the same folder record more than once.
  if (ctx.RecoveryMode == kModeExtensiveScan) return AddTreeFolderUnique(ctx, std::move(node));
  ResultStore& store = ctx.Results;
  TreeFolderNode& stored =
      RunOrExitOutOfMemory(ctx, [&]() -> TreeFolderNode& { return store.PushTreeFolder(std::move(node)); });
  ++store.FolderCount;
  return &stored;
}

TreeFileNode& AddTreeFile(EngineContext& ctx, TreeFileNode node) {
  return RunOrExitOutOfMemory(ctx, [&]() -> TreeFileNode& { return ctx.Results.PushTreeFile(std::move(node)); });
}

NtfsFileNode& AddNtfsFile(EngineContext& ctx, NtfsFileNode node) {
  NtfsFileNode& stored =
      RunOrExitOutOfMemory(ctx, [&]() -> NtfsFileNode& { return ctx.Results.PushNtfsFile(std::move(node)); });
  ++ctx.Results.NtfsFileCount;
  return stored;
}

NtfsFolderNode& AddNtfsFolder(EngineContext& ctx, NtfsFolderNode node) {
  node.VolumeNumber = 0;
  NtfsFolderNode& stored =
      RunOrExitOutOfMemory(ctx, [&]() -> NtfsFolderNode& { return ctx.Results.PushNtfsFolder(std::move(node)); });
  ++ctx.Results.CandidateFolderCount;
  return stored;
}

IndxBlockNode& AppendIndxBlock(EngineContext& ctx, IndxBlockNode block) {
  return RunOrExitOutOfMemory(ctx, [&]() -> IndxBlockNode& { return ctx.Results.IndxBlocks.emplace_back(block); });
}

DirClusterCandidate& AddDirClusterCandidate(EngineContext& ctx, DirClusterCandidate candidate) {
  candidate.VolumeNumber = 0;
  return RunOrExitOutOfMemory(ctx, [&]() -> DirClusterCandidate& {
    return ctx.Results.DirClusterCandidates.emplace_back(candidate);
  });
}

void AppendSectorNumber(EngineContext& ctx, std::deque<SectorNode>& list, uint32_t sector) {
  RunOrExitOutOfMemory(ctx, [&] { list.push_back(SectorNode{sector}); });
}

FoundVolume& AddFoundVolume(EngineContext& ctx, std::deque<FoundVolume>& list, const FoundVolume& volume) {
  return RunOrExitOutOfMemory(ctx, [&]() -> FoundVolume& { return list.emplace_back(volume); });
}

void AppendCluster(EngineContext& ctx, uint32_t cluster) {
  RunOrExitOutOfMemory(ctx, [&] { ctx.Results.ClusterChain.push_back(ClusterNode{cluster}); });
}

void AppendDataRun(EngineContext& ctx, std::vector<DataRunNode>& list, uint32_t firstCluster, uint32_t length) {
  RunOrExitOutOfMemory(ctx, [&] { list.push_back(DataRunNode{firstCluster, length}); });
}

SelectedSignature& AppendSelectedSignature(EngineContext& ctx, SelectedSignature signature) {
  return RunOrExitOutOfMemory(ctx, [&]() -> SelectedSignature& {
    return ctx.Results.SelectedSignatures.emplace_back(std::move(signature));
  });
}

CarvedFile& AppendCarvedFile(EngineContext& ctx, CarvedFile file) {
  return RunOrExitOutOfMemory(ctx, [&]() -> CarvedFile& { return ctx.Results.PushCarvedFile(std::move(file)); });
}

// ---- release routines

void ReleaseFatAndTreeLists(EngineContext& ctx) {
  ResultStore& store = ctx.Results;
  store.ClearFatLists();
  store.ClearTreeLists();
  store.FolderCount = 0;
  store.FileCount = 0;
  store.DirEntriesParsed = 0;
}

void ReleaseTreeLists(EngineContext& ctx) {
  ResultStore& store = ctx.Results;
  store.ClearTreeLists();
  store.FolderCount = 0;
  store.FileCount = 0;
}

void ReleaseCandidateLists(EngineContext& ctx) {
  ResultStore& store = ctx.Results;
  Empty(store.IndxBlocks);
  Empty(store.DirClusterCandidates);
  Empty(store.BootSectors);
  Empty(store.DirEntrySectors);
  Empty(store.FoundVolumes);
  store.ClearNtfsCandidateLists();
  store.CandidateFolderCount = 0;
  store.NtfsFileCount = 0;
  store.BootSectorCount = 0;
  store.FoundVolumeCount = 0;
  store.IndxBlockCount = 0;
}

void ReleaseCarvedFileList(EngineContext& ctx) { ctx.Results.ClearCarvedFiles(); }

void ReleaseSelectedSignatureList(EngineContext& ctx) {
  Empty(ctx.Results.SelectedSignatures);
  ctx.Results.SelectedSignatureCount = 0;
}

}  // namespace engine
