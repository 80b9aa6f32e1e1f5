#pragma once
// The records a scan finds. Sector numbers are absolute sectors of the source;
// "FILETIME" values are 64-bit Windows file times. Widths are the ones the
// snapshot file stores.

#include <cstdint>
#include <string>

#include "EngineHost.h"
#include "EngineRecords.h"
#include "fat/FatEntryTimes.h"

namespace engine {

// A file of a FAT directory.
struct FatFileEntry {
  std::u16string Name;         // long name when valid, else the 8.3 name ('x' for a deleted first char)
  uint32_t FirstCluster = 0;   // FAT32: high word at entry offset 20, low word at 26
  uint32_t ParentCluster = 0;  // first cluster of the holding directory; 0 for the root
  uint16_t WriteDate = 0;      // entry offset 24
  uint16_t AccessDate = 0;     // entry offset 18
  uint32_t Size = 0;           // entry offset 28
  uint32_t Deleted = 0;        // 1 when the entry began with 0xE5
  uint32_t FileIndex = 0;      // ResultStore.FileCount at append: ID column and checked-file key
  FatEntryTimes Times{};       // for the saved file's times; not kept in snapshots
};

// A folder of a FAT directory.
struct FatFolderEntry {
  std::u16string Name;
  uint32_t FirstCluster = 0;   // the key of its children's ParentCluster
  uint32_t ParentCluster = 0;
  uint16_t WriteDate = 0;
  uint16_t AccessDate = 0;
  engine::TreeItem TreeItem = 0;  // set through ResultStore::SetTreeItem
  uint32_t Deleted = 0;
};

// A folder of the displayed NTFS tree.
struct TreeFolderNode {
  std::u16string Name;
  uint32_t Id = 0;        // MFT record number: the key of its children's ParentId
  uint32_t ParentId = 0;  // low 32 bits of the parent reference
  uint64_t Time1 = 0;     // creation time ($FILE_NAME value offset 8)
  uint64_t Time2 = 0;     // MFT-change time ($FILE_NAME value offset 24)
  engine::TreeItem TreeItem = 0;  // set through ResultStore::SetTreeItem
  uint32_t Deleted = 0;   // 1 when the record was not in use
};

// A file of the displayed NTFS tree.
struct TreeFileNode {
  std::u16string Name;
  uint32_t Id = 0;
  uint32_t ParentId = 0;
  uint64_t Time1 = 0;
  uint64_t Time2 = 0;
  uint64_t Size = 0;              // size of the unnamed $DATA
  uint32_t Deleted = 0;
  uint32_t DataRecordSector = 0;  // sector of the record holding the unnamed $DATA: ID column and checked-file key
};

// A FILE record of a file found by the Extensive Scan.
struct NtfsFileNode {
  std::u16string Name;
  uint32_t RecordSector = 0;  // where the FILE record was found
  uint32_t ParentId = 0;
  uint64_t Time1 = 0;
  uint64_t Time2 = 0;
  uint64_t Size = 0;          // 0 when there is no unnamed $DATA
  uint32_t Deleted = 0;
};

// A FILE record of a directory found by the Extensive Scan.
struct NtfsFolderNode {
  std::u16string Name;
  uint32_t RecordSector = 0;
  uint32_t ParentId = 0;
  uint32_t OwnId = 0;          // 0 until known; the NTFS analysis fills it in
  uint16_t VolumeNumber = 0;   // 1-based found volume; 0 when appended, 0xFFFF when unclaimed
  uint64_t Time1 = 0;
  uint64_t Time2 = 0;
  uint32_t IndexCluster = 0;   // first LCN of the $I30 index allocation, 0 when none
  uint32_t Deleted = 0;
};

// An INDX block found by the Extensive Scan.
struct IndxBlockNode {
  uint32_t Sector = 0;
  uint32_t OwnerId = 0;       // record number of the folder that owns the block
  uint32_t BlockVcn = 0;      // low 32 bits of the VCN at INDX offset 16
  uint8_t SizeInSectors = 0;
};

// A sector holding a "." entry followed by a ".." entry.
struct DirClusterCandidate {
  uint32_t Sector = 0;
  uint32_t OwnCluster = 0;     // first cluster of "."
  uint32_t ParentCluster = 0;  // first cluster of ".."
  uint16_t Date1 = 0;          // write date of "."
  uint16_t Date2 = 0;          // access date of "."
  uint16_t VolumeNumber = 0;   // 0 until claimed; 0xFFFF when no volume claimed it
};

inline constexpr uint16_t kUnclaimedVolume = 0xFFFF;

// A boot-sector candidate of the raw scans.
struct SectorNode {
  uint32_t Sector = 0;
};

// A volume rebuilt by the Extensive Scan analysis: its geometry, then its item in
// the file-system page's tree. Assigning it to a VolumeParameters copies the geometry.
struct FoundVolume : VolumeParameters {
  engine::TreeItem TreeItem = 0;
};

// One link of the current FAT cluster chain.
struct ClusterNode {
  uint32_t Cluster = 0;
};

// One run of a decoded runlist.
struct DataRunNode {
  uint32_t FirstCluster = 0;  // LCN
  uint32_t Length = 0;        // in clusters
};

// A file type chosen for File Trace.
struct SelectedSignature {
  std::u16string Extension;      // e.g. ".doc"
  std::u16string TypeName;
  uint32_t SignatureLength = 0;  // signature bytes to compare
  std::string SignatureText;     // upper-case hexadecimal
  uint32_t FifthValue = 0;
};

// One File Trace hit.
struct CarvedFile {
  std::u16string DisplayName;  // running number and extension ("%d%s")
  std::u16string Extension;
  std::u16string TypeName;
  uint32_t StartSector = 0;
  uint32_t RunningNumber = 0;  // 1-based: ID column and checked-file key
};

}  // namespace engine
