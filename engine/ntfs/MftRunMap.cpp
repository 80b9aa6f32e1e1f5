#include "ntfs/MftRunMap.h"

#include <algorithm>

#include "SectorReader.h"
#include "ntfs/NtfsVolume.h"

namespace engine::ntfs {
namespace {

// Appends the runs as sector fragments, cut at `rangeEnd`; false when a run was cut
// (nothing after it can be placed).
bool AppendRuns(MftRunMap& map, const std::vector<DataRun>& runs, const NtfsGeometry& geometry, uint64_t rangeEnd) {
  const uint64_t perCluster = geometry.SectorsPerCluster;
  for (const DataRun& run : runs) {
    uint64_t start = 0;
    if (!run.Sparse) {
      if (run.FirstCluster >= (rangeEnd - geometry.VolumeStart) / perCluster) return false;
      start = geometry.VolumeStart + run.FirstCluster * perCluster;
    }
    const uint64_t room = rangeEnd - std::max(start, geometry.VolumeStart);
    const bool cut = run.Length > room / perCluster;
    map.Starts.push_back(start);
    map.Lengths.push_back(cut ? room : run.Length * perCluster);
    if (cut) return false;
  }
  return true;
}

// The unnamed $DATA piece of a record that starts at `vcn`, decoded.
struct DataPiece {
  std::vector<DataRun> Runs;
  uint64_t RealSize = 0;  // of the whole stream; given by the piece at VCN 0
};

std::optional<DataPiece> DataPieceAt(std::span<const uint8_t> record, uint64_t vcn) {
  for (const Attribute& attribute : DataAttributeExtents(record)) {
    const auto info = ReadNonResident(attribute);
    if (!info || info->LowestVcn != vcn) continue;
    DecodedRunlist runs = DecodeRunlist(info->Runlist);
    if (runs.Error != RunlistError::None) return std::nullopt;
    return DataPiece{std::move(runs.Runs), info->RealSize};
  }
  return std::nullopt;
}

// One past the last sector the volume can use: the end of the chosen range.
uint64_t RangeEnd(const EngineContext& ctx) {
  const SourceSelectionRecord& range = ctx.SourceSelection;
  if (range.SectorCount == 0) return UINT64_MAX;
  const uint64_t start = ctx.SourceDevice.SourceKind == kSourceLogicalDrive ? 0 : range.StartSector;
  return start + range.SectorCount;
}

// The copies of record 0 to map the MFT from, best first: whole ones before torn
// ones, the MFT's before $MFTMirr's; each with the first piece of its data.
struct RecordZero {
  RecordBuffer Record{};
  DataPiece Piece;
};
std::vector<RecordZero> ReadRecordZeroCopies(EngineContext& ctx, const VolumeParameters& volume) {
  std::vector<RecordZero> whole;
  std::vector<RecordZero> torn;
  for (const uint32_t sector : {volume.MftStart, volume.MftMirrorStart}) {
    if (sector == 0) continue;
    RecordZero copy;
    const RecordRead read = ReadMftRecord(ctx, sector, copy.Record);
    if (!Usable(read)) continue;
    if (OwnRecordNumber(copy.Record).value_or(0) != 0) continue;  // another record: a damaged start
    auto piece = DataPieceAt(copy.Record, 0);
    if (!piece) continue;
    copy.Piece = std::move(*piece);
    (read == RecordRead::Ok ? whole : torn).push_back(std::move(copy));
  }
  for (RecordZero& copy : torn) whole.push_back(std::move(copy));
  return whole;
}

// True when the map leads to record 0 itself: a run sent beyond the volume or
// onto other data maps nothing that is the MFT.
bool MapFindsRecordZero(EngineContext& ctx, const MftRunMap& map) {
  RecordBuffer record{};
  uint64_t sector = 0;
  if (!Usable(ReadMappedRecord(ctx, map, 0, record, sector))) return false;
  return OwnRecordNumber(record).value_or(0) == 0 && DataPieceAt(record, 0).has_value();
}

// The fragments that record 0's own runs and its extension records give.
MftRunMap MapFromRecordZero(EngineContext& ctx, const VolumeParameters& volume, const RecordZero& zero,
                            uint64_t rangeEnd) {
  MftRunMap map;
  const uint32_t sectorsPerCluster = volume.SectorsPerCluster;
  const NtfsGeometry geometry{volume.ClusterBase, sectorsPerCluster};
  map.DataSize = zero.Piece.RealSize;
  if (!AppendRuns(map, zero.Piece.Runs, geometry, rangeEnd)) return map;

  // A fragmented MFT continues in extension records named by record 0's attribute list.
  const auto list = ReadAttributeList(ctx, geometry, zero.Record);
  if (!list) return map;
  std::vector<AttributeListEntry> pieces;
  for (const AttributeListEntry& entry : *list) {
    if (entry.Type == kAttrData && !entry.Named && entry.StartingVcn != 0 && entry.SegmentRecord != 0) {
      pieces.push_back(entry);
    }
  }
  std::stable_sort(pieces.begin(), pieces.end(),
                   [](const auto& a, const auto& b) { return a.StartingVcn < b.StartingVcn; });
  uint64_t nextVcn = map.TotalSectors() / sectorsPerCluster;
  for (const AttributeListEntry& piece : pieces) {
    if (piece.StartingVcn != nextVcn) break;  // a gap: later fragments cannot be placed
    const uint64_t sector = MftRecordToSector(map, piece.SegmentRecord);
    RecordBuffer segment{};
    if (sector == 0 || !Usable(ReadMftRecord(ctx, sector, segment))) break;
    const auto runs = DataPieceAt(segment, piece.StartingVcn);
    if (!runs || !AppendRuns(map, runs->Runs, geometry, rangeEnd)) break;
    nextVcn = map.TotalSectors() / sectorsPerCluster;
  }
  return map;
}

}  // namespace

uint64_t MftRunMap::TotalSectors() const {
  uint64_t total = 0;
  for (uint64_t length : Lengths) total += length;
  return total;
}

uint64_t MftRunMap::RecordSectors() const {
  const uint64_t total = TotalSectors();
  if (DataSize == 0) return total;
  return std::min(total, DataSize / kSectorSize);
}

namespace {
// The sector at `offset` sectors into the MFT; 0 beyond the map or in a sparse run.
uint64_t SectorAtOffset(uint64_t offset, const std::vector<uint64_t>& lengths, const std::vector<uint64_t>& starts) {
  uint64_t passed = 0;
  const std::size_t runs = std::min(lengths.size(), starts.size());
  for (std::size_t i = 0; i < runs; ++i) {
    if (offset - passed < lengths[i]) return starts[i] == 0 ? 0 : starts[i] + (offset - passed);
    passed += lengths[i];
  }
  return 0;
}
}  // namespace

namespace {
// The last sector of the fragment holding the sector `offset` sectors into the
// MFT; 0 beyond the map or in a sparse run.
uint64_t FragmentLastSector(uint64_t offset, const std::vector<uint64_t>& lengths,
                            const std::vector<uint64_t>& starts) {
  uint64_t passed = 0;
  const std::size_t runs = std::min(lengths.size(), starts.size());
  for (std::size_t i = 0; i < runs; ++i) {
    if (offset - passed < lengths[i]) return starts[i] == 0 ? 0 : starts[i] + lengths[i] - 1;
    passed += lengths[i];
  }
  return 0;
}
}  // namespace

uint64_t MapThroughRuns(uint64_t record, const std::vector<uint64_t>& lengths, const std::vector<uint64_t>& starts) {
  if (record > UINT64_MAX / kSectorsPerMftRecord) return 0;
  return SectorAtOffset(record * kSectorsPerMftRecord, lengths, starts);
}

uint64_t MftRecordToSector(const MftRunMap& map, uint64_t record) {
  return MapThroughRuns(record, map.Lengths, map.Starts);
}

RecordRead ReadMappedRecord(EngineContext& ctx, const MftRunMap& map, uint64_t record, RecordBuffer& buffer,
                            uint64_t& firstSector) {
  firstSector = MftRecordToSector(map, record);
  if (firstSector == 0) return RecordRead::NotFileRecord;
  const uint64_t secondSector = SectorAtOffset(record * kSectorsPerMftRecord + 1, map.Lengths, map.Starts);
  if (secondSector == firstSector + 1) return ReadMftRecord(ctx, firstSector, buffer);
  // The record's two sectors lie in different fragments (512-byte clusters).
  buffer.fill(0);
  std::span<uint8_t> bytes(buffer);
  ReadSectors(ctx, firstSector, 1, bytes.first(512));
  if (secondSector != 0) ReadSectors(ctx, secondSector, 1, bytes.subspan(512));
  if (!HasSignature(buffer, "FILE")) return RecordRead::NotFileRecord;
  return RecordReadOf(ApplyUpdateSequenceFixup(buffer));
}

RecordRead ReadMappedRecordAhead(EngineContext& ctx, SectorWindow& window, const MftRunMap& map, uint64_t record,
                                 RecordBuffer& buffer, uint64_t& firstSector) {
  firstSector = MftRecordToSector(map, record);
  if (firstSector == 0) return RecordRead::NotFileRecord;
  // The window stays inside the record's fragment: what lies after it is no record.
  const uint64_t fragmentLast = FragmentLastSector(record * kSectorsPerMftRecord, map.Lengths, map.Starts);
  if (fragmentLast > firstSector && window.Read(ctx, firstSector, kSectorsPerMftRecord, fragmentLast, buffer)) {
    return CheckMftRecord(buffer);
  }
  return ReadMappedRecord(ctx, map, record, buffer, firstSector);
}

MftRunMap BuildMftRunMap(EngineContext& ctx, const VolumeParameters& volume) {
  const uint64_t rangeEnd = RangeEnd(ctx);
  if (volume.SectorsPerCluster == 0 || volume.ClusterBase >= rangeEnd) return {};
  for (const RecordZero& zero : ReadRecordZeroCopies(ctx, volume)) {
    MftRunMap map = MapFromRecordZero(ctx, volume, zero, rangeEnd);
    if (map.RunCount() != 0 && MapFindsRecordZero(ctx, map)) return map;
  }
  return {};
}

}  // namespace engine::ntfs
