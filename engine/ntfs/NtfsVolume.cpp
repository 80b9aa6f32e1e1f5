#include "ntfs/NtfsVolume.h"

#include <algorithm>
#include <unordered_set>

#include "SectorReader.h"

namespace engine::ntfs {
namespace {

// NTFS 3.1 headers keep the record's own number at 44 and the update sequence
// from 48; older ones put the update sequence at 42, over where the number would be.
constexpr uint32_t kOwnNumberOffset = 44;
constexpr uint32_t kOwnNumberHeaderEnd = 48;
constexpr uint32_t kUpdateSequenceOffsetField = 4;
// A file's list of segments is never this long on a real volume.
constexpr std::size_t kMaxSegments = 65536;
// Non-resident attribute lists are small; anything larger is damage.
constexpr uint64_t kMaxAttributeListBytes = 16 * 1024 * 1024;

struct Extent {
  uint64_t LowestVcn = 0;
  std::vector<DataRun> Runs;
};

}  // namespace

NtfsGeometry GeometryOf(const VolumeParameters& volume) {
  return NtfsGeometry{volume.ClusterBase, volume.SectorsPerCluster};
}

RecordRead RecordReadOf(UpdateSequence fixup) {
  switch (fixup) {
    case UpdateSequence::Whole: return RecordRead::Ok;
    case UpdateSequence::Torn: return RecordRead::Torn;
    case UpdateSequence::Malformed: break;
  }
  return RecordRead::Damaged;
}

RecordRead ReadMftRecord(EngineContext& ctx, uint64_t sector, RecordBuffer& record) {
  record.fill(0);
  ReadSectors(ctx, sector, kSectorsPerMftRecord, record);
  return CheckMftRecord(record);
}

RecordRead CheckMftRecord(RecordBuffer& record) {
  if (!HasSignature(record, "FILE")) return RecordRead::NotFileRecord;
  return RecordReadOf(ApplyUpdateSequenceFixup(record));
}

void ReadClusters(EngineContext& ctx, const NtfsGeometry& geometry, uint64_t firstCluster, uint32_t count,
                  std::span<uint8_t> buffer) {
  const uint64_t sectors = uint64_t{count} * geometry.SectorsPerCluster;
  std::fill(buffer.begin(), buffer.end(), 0);
  if (sectors == 0 || sectors > UINT32_MAX || buffer.size() < sectors * 512) return;
  ReadSectors(ctx, geometry.VolumeStart + firstCluster * geometry.SectorsPerCluster, static_cast<uint32_t>(sectors),
              buffer);
}

std::optional<std::vector<uint8_t>> ReadRunsToMemory(EngineContext& ctx, const NtfsGeometry& geometry,
                                                     const std::vector<DataRun>& runs, uint64_t size,
                                                     uint64_t maxBytes) {
  if (size > maxBytes || geometry.SectorsPerCluster == 0) return std::nullopt;
  std::vector<uint8_t> bytes(static_cast<std::size_t>(size), 0);
  std::vector<uint8_t> cluster(static_cast<std::size_t>(geometry.ClusterBytes()));
  uint64_t written = 0;
  for (const DataRun& run : runs) {
    for (uint64_t i = 0; i < run.Length && written < size; ++i) {
      const uint64_t take = std::min<uint64_t>(cluster.size(), size - written);
      if (!run.Sparse) {
        ReadClusters(ctx, geometry, run.FirstCluster + i, 1, cluster);
        std::copy_n(cluster.begin(), take, bytes.begin() + static_cast<std::ptrdiff_t>(written));
      }
      written += take;
    }
  }
  if (written < size) return std::nullopt;
  return bytes;
}

std::optional<std::vector<AttributeListEntry>> ReadAttributeList(EngineContext& ctx, const NtfsGeometry& geometry,
                                                                 std::span<const uint8_t> record) {
  for (const Attribute& attribute : ListAttributes(record)) {
    if (attribute.Type != kAttrAttributeList) continue;
    if (!attribute.NonResident) return ResidentAttributeList(record);
    const auto info = ReadNonResident(attribute);
    if (!info) return std::nullopt;
    const DecodedRunlist runs = DecodeRunlist(info->Runlist);
    if (runs.Error != RunlistError::None) return std::nullopt;
    const auto bytes = ReadRunsToMemory(ctx, geometry, runs.Runs, info->RealSize, kMaxAttributeListBytes);
    if (!bytes) return std::nullopt;
    return ParseAttributeList(*bytes);
  }
  return std::nullopt;
}

std::vector<uint32_t> SegmentRecords(uint32_t ownRecord, const std::vector<AttributeListEntry>& list) {
  std::vector<uint32_t> segments{ownRecord};
  std::unordered_set<uint32_t> seen{ownRecord};
  for (const AttributeListEntry& entry : list) {
    if (segments.size() >= kMaxSegments) break;
    if (seen.insert(entry.SegmentRecord).second) segments.push_back(entry.SegmentRecord);
  }
  return segments;
}

std::optional<uint32_t> OwnRecordNumber(std::span<const uint8_t> record) {
  const auto header = ReadRecordHeader(record);
  if (!header || header->FirstAttribute < kOwnNumberHeaderEnd) return std::nullopt;
  LeBytes view(record);
  if (view.U16(kUpdateSequenceOffsetField) < kOwnNumberHeaderEnd) return std::nullopt;
  return view.U32(kOwnNumberOffset);
}

namespace {

// Takes the unnamed $DATA pieces of one record into `extents`; the piece at VCN 0
// also gives the sizes and the stream's kind.
void TakeDataPieces(std::span<const uint8_t> record, std::vector<Extent>& extents, DataStream& stream,
                    bool& foundStart) {
  for (const Attribute& attribute : DataAttributeExtents(record)) {
    if (!attribute.NonResident) {
      if (foundStart) continue;
      const auto value = ResidentValue(attribute);
      if (!value) continue;
      foundStart = true;
      stream.Resident = true;
      stream.ResidentBytes.assign(value->begin(), value->end());
      stream.RealSize = stream.InitializedSize = value->size();
      continue;
    }
    const auto info = ReadNonResident(attribute);
    if (!info) continue;
    if (info->LowestVcn == 0) {
      if (foundStart) continue;
      foundStart = true;
      stream.RealSize = info->RealSize;
      stream.InitializedSize = std::min(info->InitializedSize, info->RealSize);
      if ((attribute.Flags & kAttrFlagEncrypted) != 0) stream.Error = StreamError::Encrypted;
      // Only the flag says compressed: ntfs-3g gives sparse streams a compression
      // unit too, and their runs are plain clusters and holes.
      if ((attribute.Flags & kAttrFlagCompressed) != 0) stream.Error = StreamError::Compressed;
    }
    DecodedRunlist runs = DecodeRunlist(info->Runlist);
    // A stream emptied to no clusters keeps an empty runlist.
    if (runs.Error == RunlistError::Empty && info->AllocatedSize == 0) runs.Error = RunlistError::None;
    if (runs.Error != RunlistError::None) {
      if (stream.Error == StreamError::None) stream.Error = StreamError::BadRunlist;
      continue;
    }
    extents.push_back(Extent{info->LowestVcn, std::move(runs.Runs)});
  }
}

}  // namespace

DataStream CollectDataStream(EngineContext& ctx, const NtfsGeometry& geometry, std::span<const uint8_t> baseRecord,
                             uint32_t baseRecordNumber, const RecordLocator& locate) {
  DataStream stream;
  std::vector<Extent> extents;
  bool foundStart = false;
  TakeDataPieces(baseRecord, extents, stream, foundStart);

  if (const auto list = ReadAttributeList(ctx, geometry, baseRecord)) {
    std::vector<AttributeListEntry> dataEntries;
    for (const AttributeListEntry& entry : *list) {
      if (entry.Type == kAttrData && !entry.Named) dataEntries.push_back(entry);
    }
    const std::vector<uint32_t> segments = SegmentRecords(baseRecordNumber, dataEntries);
    RecordBuffer segment{};
    for (std::size_t i = 1; i < segments.size(); ++i) {
      const uint64_t sector = locate(segments[i]);
      if (sector == 0) continue;
      const RecordRead read = ReadMftRecord(ctx, sector, segment);
      if (!Usable(read)) continue;
      const auto header = ReadRecordHeader(segment);
      if (!header || header->BaseRecord != baseRecordNumber) continue;  // reused for another file
      if (read == RecordRead::Torn) stream.FromTornRecord = true;
      TakeDataPieces(segment, extents, stream, foundStart);
    }
  }

  if (!foundStart) {
    if (stream.Error == StreamError::None) stream.Error = StreamError::NoData;
    return stream;
  }
  if (stream.Resident || stream.Error != StreamError::None) return stream;

  std::stable_sort(extents.begin(), extents.end(),
                   [](const Extent& a, const Extent& b) { return a.LowestVcn < b.LowestVcn; });
  uint64_t nextVcn = 0;
  for (Extent& extent : extents) {
    if (extent.LowestVcn < nextVcn) continue;  // the same piece listed twice
    if (extent.LowestVcn > nextVcn) break;     // a piece is missing: the rest cannot be placed
    for (const DataRun& run : extent.Runs) {
      stream.Runs.push_back(run);
      nextVcn += run.Length;
    }
  }
  const uint64_t clusterBytes = geometry.ClusterBytes();
  const uint64_t needed = clusterBytes == 0 ? 0 : (stream.InitializedSize + clusterBytes - 1) / clusterBytes;
  if (nextVcn < needed) stream.Error = StreamError::MissingExtent;
  return stream;
}

}  // namespace engine::ntfs
