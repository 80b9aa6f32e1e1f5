#pragma once
// The engine's shared records: what the wizard pages choose, what the workers read
// and write, and the control flags of the one worker that runs at a time.
// Widths are the ones the snapshot file stores; do not widen them.

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "PauseGate.h"
#include "SectorRanges.h"
#include "SectorSource.h"

namespace engine {

// A file system is named by one 16-bit code everywhere, snapshots included.
inline constexpr uint16_t kFileSystemFat16 = 100;
inline constexpr uint16_t kFileSystemFat32 = 200;
inline constexpr uint16_t kFileSystemNtfs = 300;
inline constexpr uint16_t kFileSystemUnknown = 400;

// RecoveryMode values; the mode also selects the result lists and the snapshot marker.
inline constexpr int32_t kModeExtensiveScan = 0;
inline constexpr int32_t kModeFileTrace = 1;
inline constexpr int32_t kModeQuickScan = 2;

// SourceDevice.SourceKind values.
inline constexpr uint16_t kSourceWholeDisk = 1;
inline constexpr uint16_t kSourceLogicalDrive = 2;
inline constexpr uint16_t kSourceNone = 3;

// MessageRequest.Kind values; the kind selects the dialog's icon.
inline constexpr int32_t kMessageInformation = 1;
inline constexpr int32_t kMessageError = 2;
inline constexpr int32_t kMessageQuestion = 3;

inline constexpr uint32_t kSectorSize = 512;

// Sectors per cluster a FAT or NTFS boot sector may give: 1, 2, 4 ... 128.
inline constexpr bool IsValidSectorsPerCluster(uint64_t sectorsPerCluster) {
  return sectorsPerCluster >= 1 && sectorsPerCluster <= 128 && (sectorsPerCluster & (sectorsPerCluster - 1)) == 0;
}
inline constexpr int kPartitionTableSize = 25;
inline constexpr int kMaxPhysicalDrives = 10;

// The opened source. A handle is null when it is closed or could not be opened.
struct SourceDeviceRecord {
  uint16_t DriveNumber = 0;  // physical disk 0..9
  uint16_t SourceKind = 0;   // kSourceWholeDisk, kSourceLogicalDrive or kSourceNone
  std::unique_ptr<SectorSource> DiskHandle;    // "\\.\PhysicalDriveN", read only
  std::unique_ptr<SectorSource> VolumeHandle;  // "\\.\X:", read only
};

// The sector range to scan (16 bytes in a snapshot, in this order).
struct SourceSelectionRecord {
  uint16_t FileSystemCode = 0;
  uint32_t StartSector = 0;
  uint32_t SectorCount = 0;
  uint32_t EndSector = 0;  // last sector of the range
  uint16_t EntryIndex = 0;
};

// The geometry of one volume (54 bytes in a snapshot, in this order).
// Sector numbers are absolute sectors of the source.
struct VolumeParameters {
  uint16_t FileSystemCode = 0;
  uint32_t SectorsPerFat = 0;
  uint32_t SectorsPerCluster = 0;
  uint32_t RootDirSectors = 0;
  uint32_t RootDirStart = 0;  // FAT16: first root sector; FAT32: root cluster
  uint32_t ReservedSectors = 0;
  uint32_t ClusterBase = 0;   // cluster n starts at ClusterBase + n * SectorsPerCluster
  uint32_t Fat1Start = 0;
  uint32_t Fat2Start = 0;
  uint32_t MftStart = 0;
  uint32_t MftMirrorStart = 0;
  uint32_t SectorsPerMftRecord = 0;
  uint32_t SectorsPerIndexRecord = 0;
  uint32_t EndSector = 0;
};

struct PartitionEntry {
  uint32_t StartSector = 0;
  uint32_t SectorCount = 0;
  uint16_t FileSystemCode = 0;
};

// Kept in memory only. Zero until InitDiskAccess applies the defaults.
struct RecoverySettingsRecord {
  int32_t SectorsPerRead = 0;
  uint16_t ExistingNamePolicy = 0;  // 1 rename "Copy (n ) of", 2 overwrite, 3 skip
  uint16_t DeletedFilesPolicy = 0;  // 1 all, 2 deleted only, 3 not deleted
  uint16_t BadSectorRetries = 0;    // attempts per sector after a failed run read
};

void ApplyDefaultRecoverySettings(RecoverySettingsRecord& settings);

// Shared by a page and the one worker it runs. Workers are never suspended from
// outside: a page's Stop closes the pause gate while it asks, and the worker
// waits there at its next poll or report.
struct ScanControlRecord {
  std::atomic<int32_t> StopOrDone{0};
  std::atomic<uint8_t> Running{0};
  PauseGate Pause;
  std::atomic<int32_t> ShowDetails{1};
  std::atomic<int32_t> ParametersNotFound{0};
  std::atomic<int32_t> AnalysisPart1Done{0};
  std::atomic<int32_t> AnalysisPart2Done{0};
};

// Shared by the save progress dialog and the copy-out routines.
struct SaveControlRecord {
  std::atomic<int32_t> SaveFinished{0};
  std::atomic<int32_t> StopRequested{0};
  std::atomic<int32_t> SkipRequested{0};
  std::atomic<int32_t> FilesProcessed{0};
  int32_t SaveFromFindResults = 0;
  std::u16string TargetFolder;
};

// The one message handed to the message dialogs.
struct MessageRequestRecord {
  std::u16string Text;
  int32_t Kind = 0;
};

// Where the sector reader stands inside an area of consecutive unreadable
// sectors, so that a read continuing where the last one ended goes on skipping.
// Only the thread that reads touches it.
struct BadAreaPosition {
  uint64_t NextSector = UINT64_MAX;  // the sector after the last one handled in the area
  uint32_t Failures = 0;             // unreadable sectors in a row so far
  uint64_t Skip = 0;                 // sectors passed over at the last skip
};

// Sectors that could not be read and were handed back as zeros.
struct ReadStatistics {
  // Every sector handed back as zeros, once per read: a file whose copy moved
  // this count holds zeros.
  std::atomic<uint64_t> UnreadableSectors{0};
  // Of those, the sectors passed over without a read inside a bad area.
  std::atomic<uint64_t> SkippedSectors{0};
  // The same sectors each counted once, since the scan or save in work began:
  // what the user is told.
  SectorRanges UnreadableSet;
  SectorRanges SkippedSet;
  BadAreaPosition BadArea;
};

}  // namespace engine
