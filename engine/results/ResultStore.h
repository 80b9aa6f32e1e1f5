#pragma once
// Everything a scan finds, in the order it was found. Workers append through the
// appenders below; the listing, tree building, copy-out and snapshot code walk the
// lists afterwards in append order. Beside the lists the store keeps hash indexes
// for the lookups made by key (folder by first cluster or id, children by parent,
// file by ID, record by tree item), so work stays near-linear at a million files.
//
// No locks: one worker appends at a time and the user interface reads after it
// ends. The release routines run only while no worker runs.

#include <cstdint>
#include <deque>
#include <functional>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "results/RecordList.h"
#include "results/ResultRecords.h"

namespace engine {

struct EngineContext;

class ResultStore {
 public:
  ResultStore() = default;
  // The indexes point into the lists, so a store is never copied.
  ResultStore(const ResultStore&) = delete;
  ResultStore& operator=(const ResultStore&) = delete;

  // Lists in append order.
  RecordList<FatFileEntry> FatFiles;
  RecordList<FatFolderEntry> FatFolders;
  RecordList<TreeFolderNode> TreeFolders;
  RecordList<TreeFileNode> TreeFiles;
  RecordList<NtfsFileNode> NtfsFiles;
  RecordList<NtfsFolderNode> NtfsFolders;
  RecordList<CarvedFile> CarvedFiles;
  // Lists without an index; callers may also keep lists of these types of their own.
  std::deque<IndxBlockNode> IndxBlocks;
  std::deque<DirClusterCandidate> DirClusterCandidates;
  std::deque<SectorNode> BootSectors;
  // Sectors of directory entries that begin no folder (a folder's later clusters),
  // in scan order: what a zeroed FAT no longer links to their folder.
  std::vector<uint32_t> DirEntrySectors;
  std::deque<FoundVolume> FoundVolumes;
  std::vector<ClusterNode> ClusterChain;
  std::vector<DataRunNode> DataRuns;
  int32_t DataRunCount = 0;
  std::deque<SelectedSignature> SelectedSignatures;
  int32_t SelectedSignatureCount = 0;

  // Counters. Who adds to each is stated at the appenders.
  int32_t FolderCount = 0;
  int32_t FileCount = 0;
  int32_t DirEntriesParsed = 0;
  int32_t TreeItemsBuilt = 0;
  int32_t ProgressPercent = 0;
  int32_t CandidateFolderCount = 0;
  int32_t NtfsFileCount = 0;
  int32_t BootSectorCount = 0;
  uint16_t FoundVolumeCount = 0;
  int32_t IndxBlockCount = 0;
  int32_t AnalysisProgress = 0;

  // Lookups by key; null or an empty list when nothing matches. Where a key occurs
  // more than once the first appended record is found. Children come in append order.
  FatFolderEntry* FindFatFolder(uint32_t firstCluster);
  FatFolderEntry* FindFatFolderByTreeItem(TreeItem item);
  FatFileEntry* FindFatFile(uint32_t fileIndex);
  const std::vector<FatFolderEntry*>& FatFoldersIn(uint32_t parentCluster) const;
  const std::vector<FatFileEntry*>& FatFilesIn(uint32_t parentCluster) const;

  TreeFolderNode* FindTreeFolder(uint32_t id);
  TreeFolderNode* FindTreeFolderByTreeItem(TreeItem item);
  TreeFileNode* FindTreeFile(uint32_t dataRecordSector);
  const std::vector<TreeFolderNode*>& TreeFoldersIn(uint32_t parentId) const;
  const std::vector<TreeFileNode*>& TreeFilesIn(uint32_t parentId) const;

  NtfsFileNode* FindNtfsFile(uint32_t recordSector);
  const std::vector<NtfsFileNode*>& NtfsFilesIn(uint32_t parentId) const;
  const std::vector<NtfsFolderNode*>& NtfsFoldersIn(uint32_t parentId) const;

  CarvedFile* FindCarvedFile(uint32_t runningNumber);

  // A folder's tree item is a lookup key: set it here, not by assigning the field.
  void SetTreeItem(FatFolderEntry& folder, TreeItem item);
  void SetTreeItem(TreeFolderNode& folder, TreeItem item);

  // Drops the index blocks `unused` picks, keeping the order of the others; the
  // caller lowers IndxBlockCount. Returns how many were dropped.
  std::size_t RemoveIndxBlocks(const std::function<bool(const IndxBlockNode&)>& unused);

 private:
  template <class Record>
  using KeyIndex = std::unordered_map<uint32_t, Record*>;
  template <class Record>
  using ItemIndex = std::unordered_map<TreeItem, Record*>;
  template <class Record>
  using ChildIndex = std::unordered_map<uint32_t, std::vector<Record*>>;

  friend FatFileEntry& AddFatFile(EngineContext&, FatFileEntry);
  friend FatFolderEntry* AddFatFolder(EngineContext&, FatFolderEntry);
  friend TreeFolderNode* AddTreeFolderUnique(EngineContext&, TreeFolderNode);
  friend TreeFolderNode* AddTreeFolder(EngineContext&, TreeFolderNode);
  friend TreeFileNode& AddTreeFile(EngineContext&, TreeFileNode);
  friend NtfsFileNode& AddNtfsFile(EngineContext&, NtfsFileNode);
  friend NtfsFolderNode& AddNtfsFolder(EngineContext&, NtfsFolderNode);
  friend CarvedFile& AppendCarvedFile(EngineContext&, CarvedFile);
  friend void ReleaseFatAndTreeLists(EngineContext&);
  friend void ReleaseTreeLists(EngineContext&);
  friend void ReleaseCandidateLists(EngineContext&);
  friend void ReleaseCarvedFileList(EngineContext&);

  FatFileEntry& PushFatFile(FatFileEntry&& entry);
  FatFolderEntry& PushFatFolder(FatFolderEntry&& entry);
  TreeFolderNode& PushTreeFolder(TreeFolderNode&& node);
  TreeFileNode& PushTreeFile(TreeFileNode&& node);
  NtfsFileNode& PushNtfsFile(NtfsFileNode&& node);
  NtfsFolderNode& PushNtfsFolder(NtfsFolderNode&& node);
  CarvedFile& PushCarvedFile(CarvedFile&& file);
  void ClearFatLists();
  void ClearTreeLists();
  void ClearNtfsCandidateLists();
  void ClearCarvedFiles();

  KeyIndex<FatFolderEntry> FatFolderByCluster;
  ItemIndex<FatFolderEntry> FatFolderByItem;
  KeyIndex<FatFileEntry> FatFileByIndex;
  ChildIndex<FatFolderEntry> FatFoldersByParent;
  ChildIndex<FatFileEntry> FatFilesByParent;
  KeyIndex<TreeFolderNode> TreeFolderById;
  ItemIndex<TreeFolderNode> TreeFolderByItem;
  KeyIndex<TreeFileNode> TreeFileBySector;
  ChildIndex<TreeFolderNode> TreeFoldersByParent;
  ChildIndex<TreeFileNode> TreeFilesByParent;
  KeyIndex<NtfsFileNode> NtfsFileBySector;
  ChildIndex<NtfsFileNode> NtfsFilesByParent;
  ChildIndex<NtfsFolderNode> NtfsFoldersByParent;
  KeyIndex<CarvedFile> CarvedFileByNumber;
};

// Appenders. Each copies the record to the tail of its list. A failed allocation
// ends the program through ExitOutOfMemory.

// FileIndex is taken from ResultStore.FileCount; the caller then adds 1 to FileCount.
FatFileEntry& AddFatFile(EngineContext& ctx, FatFileEntry entry);
// A folder whose first cluster is already listed is not appended: a live folder
// over a deleted one renames that entry and makes it live; otherwise nothing
// changes. Returns the appended entry, or null when none was appended.
// Adds 1 to FolderCount when it appends.
FatFolderEntry* AddFatFolder(EngineContext& ctx, FatFolderEntry entry);
// In Extensive Scan mode hands over to AddTreeFolderUnique; otherwise appends
// (an id may then occur twice). Adds 1 to FolderCount when it appends; null when not.
TreeFolderNode* AddTreeFolder(EngineContext& ctx, TreeFolderNode node);
// Appends unless a folder with the same id is listed; adds 1 to FolderCount when it does.
TreeFolderNode* AddTreeFolderUnique(EngineContext& ctx, TreeFolderNode node);
// Counts nothing; the caller adds 1 to FileCount.
TreeFileNode& AddTreeFile(EngineContext& ctx, TreeFileNode node);
// Adds 1 to NtfsFileCount.
NtfsFileNode& AddNtfsFile(EngineContext& ctx, NtfsFileNode node);
// VolumeNumber starts at 0; adds 1 to CandidateFolderCount.
NtfsFolderNode& AddNtfsFolder(EngineContext& ctx, NtfsFolderNode node);
// The raw append behind AddIndxBlock (which reads and checks the block itself);
// counts nothing, the caller adds 1 to IndxBlockCount.
IndxBlockNode& AppendIndxBlock(EngineContext& ctx, IndxBlockNode block);
// VolumeNumber starts at 0; counts nothing (the caller adds 1 to CandidateFolderCount).
DirClusterCandidate& AddDirClusterCandidate(EngineContext& ctx, DirClusterCandidate candidate);
// Appends to the given list; counts nothing (the caller adds 1 to BootSectorCount).
void AppendSectorNumber(EngineContext& ctx, std::deque<SectorNode>& list, uint32_t sector);
// Appends to the given list; counts nothing (the caller adds 1 to FoundVolumeCount).
FoundVolume& AddFoundVolume(EngineContext& ctx, std::deque<FoundVolume>& list, const FoundVolume& volume);
// Appends to ResultStore.ClusterChain; a chain walk clears the chain first.
void AppendCluster(EngineContext& ctx, uint32_t cluster);
// Appends to the given list; the caller counts runs.
void AppendDataRun(EngineContext& ctx, std::vector<DataRunNode>& list, uint32_t firstCluster, uint32_t length);
// Appends to ResultStore.SelectedSignatures; counts nothing.
SelectedSignature& AppendSelectedSignature(EngineContext& ctx, SelectedSignature signature);
// Appends to ResultStore.CarvedFiles; counts nothing.
CarvedFile& AppendCarvedFile(EngineContext& ctx, CarvedFile file);

// Release routines: empty the lists named and zero the counters named.
// FatFiles, FatFolders, TreeFolders, TreeFiles; FolderCount, FileCount, DirEntriesParsed.
void ReleaseFatAndTreeLists(EngineContext& ctx);
// TreeFolders, TreeFiles; FolderCount, FileCount.
void ReleaseTreeLists(EngineContext& ctx);
// IndxBlocks, DirClusterCandidates, BootSectors, DirEntrySectors, FoundVolumes, NtfsFolders, NtfsFiles;
// CandidateFolderCount, NtfsFileCount, BootSectorCount, FoundVolumeCount, IndxBlockCount.
void ReleaseCandidateLists(EngineContext& ctx);
// CarvedFiles.
void ReleaseCarvedFileList(EngineContext& ctx);
// SelectedSignatures (and their count).
void ReleaseSelectedSignatureList(EngineContext& ctx);

// The temporary preview folder's name inside the user's temporary folder.
inline constexpr char16_t kPreviewFolderName[] = u"ssss";

// Deletes the preview copies the results page made (their paths), then every file
// left in the preview folder, then the folder itself. Does nothing without
// EngineContext.Files.
void DeleteTempPreviewFiles(EngineContext& ctx, std::span<const std::u16string> previewCopies);

// True when something exists at the path (false without EngineContext.Files).
bool FileExists(EngineContext& ctx, const std::u16string& path);

}  // namespace engine
