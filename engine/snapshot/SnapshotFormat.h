#pragma once
// The recovery snapshot (".vbrx"): a header with the chosen range and the geometry
// of the volume in work, the result lists of one scan, and a trailer naming the
// source device. All values little-endian, names UTF-16LE, no padding. This byte
// layout is a stored format: files written by earlier versions must keep loading.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "EngineRecords.h"
#include "results/ResultRecords.h"

namespace engine::snapshot {

// The first two bytes: the UTF-16LE character of the kind.
inline constexpr char16_t kMarkerExtensiveScan = u'A';
inline constexpr char16_t kMarkerQuickScan = u'D';
inline constexpr char16_t kMarkerFileTrace = u'R';

// Bytes 2 to 8: the first 7 bytes of UTF-16LE "brx4.03"; bytes 9 to 11: the first
// 3 bytes of UTF-16LE "1.0". Both were written cut short and are compared as such.
inline constexpr std::array<uint8_t, 7> kTagBytes = {0x62, 0x00, 0x72, 0x00, 0x78, 0x00, 0x34};
inline constexpr std::array<uint8_t, 3> kVersionBytes = {0x31, 0x00, 0x2E};

inline constexpr std::size_t kTagOffset = 2;
inline constexpr std::size_t kVersionOffset = 9;
inline constexpr std::size_t kSelectionOffset = 12;  // SourceSelection, 16 bytes
inline constexpr std::size_t kVolumeOffset = 28;     // ActiveVolume without RootDirStart, 50 bytes
inline constexpr std::size_t kVolumeNumberOffset = 78;
inline constexpr std::size_t kHeaderSize = 80;
inline constexpr std::size_t kTrailerSize = 4;

// The 16-bit value in front of a record or text, minus the byte count of the name
// field that follows, is the size of the record's fixed fields.
inline constexpr uint16_t kFatFolderFixedBytes = 15;
inline constexpr uint16_t kFatFileFixedBytes = 21;
inline constexpr uint16_t kNtfsFolderFixedBytes = 27;
inline constexpr uint16_t kNtfsFileFixedBytes = 37;
inline constexpr uint16_t kSignatureTextBias = 15;
inline constexpr uint16_t kHitTextBias = 21;

// Longest name the writer stores: the largest whose 16-bit value (2n + 41 for an
// NTFS file record) still fits. Names from disks stay far below it.
inline constexpr std::size_t kMaxStoredNameUnits = 32000;

// Folder keys of the rebuilt trees.
inline constexpr uint32_t kFatRootCluster = 0;
inline constexpr uint32_t kNtfsRootFolderId = 5;
inline constexpr uint32_t kLostDirKey = 0xFFFFFFFE;
inline constexpr char16_t kLostDirName[] = u"Lost Dir";

struct SnapshotHeader {
  char16_t Marker = 0;
  SourceSelectionRecord Selection;
  VolumeParameters Volume;  // RootDirStart is not stored
  uint16_t VolumeNumber = 0;
};

struct SnapshotTrailer {
  uint16_t DriveNumber = 0;
  uint16_t SourceKind = 0;
};

// Everything a snapshot holds, as the records it is loaded into. Only the lists
// of the snapshot's kind and file system are filled. NTFS files of an "A"
// snapshot come as tree files with id 0 and the record sector as their sector.
struct SnapshotContents {
  SnapshotHeader Header;
  std::vector<FatFolderEntry> FatFolders;
  std::vector<FatFileEntry> FatFiles;
  std::vector<TreeFolderNode> NtfsFolders;
  std::vector<TreeFileNode> NtfsFiles;
  std::vector<SelectedSignature> Signatures;
  std::vector<CarvedFile> Hits;
  SnapshotTrailer Trailer;
};

inline bool IsFatCode(uint16_t code) { return code == kFileSystemFat16 || code == kFileSystemFat32; }

}  // namespace engine::snapshot
