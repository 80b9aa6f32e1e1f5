#include "ntfs/MftRunMap.h"

#include <algorithm>

#include "SectorReader.h"
#include "ntfs/NtfsVolume.h"

namespace engine::ntfs {
namespace {

constexpr uint32_t kRootRecordOffsetSectors = kRootRecord * kSectorsPerMftRecord;

void AppendRuns(MftRunMap& map, const std::vector<DataRun>& runs, const NtfsGeometry& geometry) {
  for (const DataRun& run : runs) {
    map.Starts.push_back(run.Sparse ? 0 : geometry.VolumeStart + run.FirstCluster * geometry.SectorsPerCluster);
    map.Lengths.push_back(run.Length * geometry.SectorsPerCluster);
  }
}

// The decoded runs of the unnamed $DATA piece of a record that starts at `vcn`.
std::optional<std::vector<DataRun>> DataPieceAt(std::span<const uint8_t> record, uint64_t vcn) {
  for (const Attribute& attribute : DataAttributeExtents(record)) {
    const auto info = ReadNonResident(attribute);
    if (!info || info->LowestVcn != vcn) continue;
    DecodedRunlist runs = DecodeRunlist(info->Runlist);
    if (runs.Error != RunlistError::None) return std::nullopt;
    return std::move(runs.Runs);
  }
  return std::nullopt;
}

}  // namespace

uint64_t MftRunMap::TotalSectors() const {
  uint64_t total = 0;
  for (uint64_t length : Lengths) total += length;
  return total;
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
  return ApplyUpdateSequenceFixup(buffer) ? RecordRead::Ok : RecordRead::Damaged;
}

MftRunMap BuildMftRunMap(EngineContext& ctx, uint64_t volumeStart, uint64_t mftStart, uint32_t sectorsPerCluster) {
  MftRunMap map;
  const NtfsGeometry geometry{volumeStart, sectorsPerCluster};
  if (sectorsPerCluster == 0) return map;
  RecordBuffer record{};
  // Record 5 always lies in the MFT's first fragment: a cheap test that this is an MFT.
  if (ReadMftRecord(ctx, mftStart + kRootRecordOffsetSectors, record) != RecordRead::Ok) return map;
  if (ReadMftRecord(ctx, mftStart, record) != RecordRead::Ok) return map;

  const auto first = DataPieceAt(record, 0);
  if (!first) return map;
  AppendRuns(map, *first, geometry);

  // A fragmented MFT continues in extension records named by record 0's attribute list.
  const auto list = ReadAttributeList(ctx, geometry, record);
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
    if (sector == 0 || ReadMftRecord(ctx, sector, segment) != RecordRead::Ok) break;
    const auto runs = DataPieceAt(segment, piece.StartingVcn);
    if (!runs) break;
    AppendRuns(map, *runs, geometry);
    nextVcn = map.TotalSectors() / sectorsPerCluster;
  }
  return map;
}

}  // namespace engine::ntfs
