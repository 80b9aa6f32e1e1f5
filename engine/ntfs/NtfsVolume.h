#pragma once
// Reading an NTFS volume through the sector reader: single MFT records, clusters,
// the bytes of small non-resident attributes, and the layout of a file's unnamed
// data stream gathered from its base record and all its extension records.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "EngineContext.h"
#include "ntfs/DataRuns.h"
#include "ntfs/RecordFields.h"

namespace engine::ntfs {

struct NtfsGeometry {
  uint64_t VolumeStart = 0;  // sector of cluster 0 (the boot sector)
  uint32_t SectorsPerCluster = 0;
  uint64_t ClusterBytes() const { return uint64_t{SectorsPerCluster} * 512; }
};
NtfsGeometry GeometryOf(const VolumeParameters& volume);

using RecordBuffer = std::array<uint8_t, kMftRecordSize>;

// Torn: the update sequence did not match (a write cut short); the record is
// fixed up and read, but what is saved from it is named as damaged.
enum class RecordRead { Ok, Torn, NotFileRecord, Damaged };
inline bool Usable(RecordRead read) { return read == RecordRead::Ok || read == RecordRead::Torn; }
RecordRead RecordReadOf(UpdateSequence fixup);

// Reads the record at a sector and fixes it up. NotFileRecord when it does not
// begin with "FILE"; Damaged when its update-sequence array is malformed.
RecordRead ReadMftRecord(EngineContext& ctx, uint64_t sector, RecordBuffer& record);
// The same checks and fix-up for a record's bytes read by other means.
RecordRead CheckMftRecord(RecordBuffer& record);

// Reads `count` clusters from `firstCluster`; unreadable sectors come back as zeros.
void ReadClusters(EngineContext& ctx, const NtfsGeometry& geometry, uint64_t firstCluster, uint32_t count,
                  std::span<uint8_t> buffer);

// The bytes of a non-resident value of at most `maxBytes` along its runs (sparse
// runs are zeros); nothing when the runs do not cover the size.
std::optional<std::vector<uint8_t>> ReadRunsToMemory(EngineContext& ctx, const NtfsGeometry& geometry,
                                                     const std::vector<DataRun>& runs, uint64_t size,
                                                     uint64_t maxBytes);

// The entries of a record's $ATTRIBUTE_LIST, resident or not; nothing without one.
std::optional<std::vector<AttributeListEntry>> ReadAttributeList(EngineContext& ctx, const NtfsGeometry& geometry,
                                                                 std::span<const uint8_t> record);

// The record numbers that hold a record's attributes: its own number first, then
// the other segments of its attribute list in list order, each once.
std::vector<uint32_t> SegmentRecords(uint32_t ownRecord, const std::vector<AttributeListEntry>& list);

// The record number a FILE record carries for itself (NTFS 3.1 headers), when present.
std::optional<uint32_t> OwnRecordNumber(std::span<const uint8_t> record);

// Why a data stream cannot be copied.
enum class StreamError { None, NoData, Compressed, Encrypted, BadRunlist, MissingExtent };

// The unnamed data stream of a file, assembled in VCN order from every record
// that holds a piece of its runlist.
struct DataStream {
  bool Resident = false;
  std::vector<uint8_t> ResidentBytes;
  std::vector<DataRun> Runs;
  uint64_t RealSize = 0;
  uint64_t InitializedSize = 0;
  StreamError Error = StreamError::None;
  bool FromTornRecord = false;  // a record that gave a piece of it was torn
};

// Maps a record number to its sector; 0 when it lies beyond the MFT.
using RecordLocator = std::function<uint64_t(uint32_t record)>;

// Gathers the data stream of the file whose base record is given. Extension
// records are found through `locate`, read, and accepted only when they name the
// base record as theirs.
DataStream CollectDataStream(EngineContext& ctx, const NtfsGeometry& geometry, std::span<const uint8_t> baseRecord,
                             uint32_t baseRecordNumber, const RecordLocator& locate);

}  // namespace engine::ntfs
