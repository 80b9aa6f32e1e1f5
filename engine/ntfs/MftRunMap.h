#pragma once
// Where the MFT lies: its own runlist, taken from record 0 and, when the MFT is
// fragmented beyond one record, from the extension records its attribute list
// names, turned into sector fragments. A record number maps to a sector by a walk
// over the fragments.

#include <array>
#include <cstdint>
#include <vector>

#include "EngineContext.h"
#include "SectorWindow.h"
#include "ntfs/NtfsVolume.h"

namespace engine::ntfs {

struct MftRunMap {
  std::vector<uint64_t> Starts;   // first sector of each fragment; 0 for a sparse run
  std::vector<uint64_t> Lengths;  // sectors
  uint64_t DataSize = 0;          // bytes of $MFT's data, as record 0 gives it
  std::size_t RunCount() const { return Starts.size(); }
  uint64_t TotalSectors() const;
  // The sectors that hold records: the fragments, no further than the data size.
  uint64_t RecordSectors() const;
};

// The sector of a record through the given fragments; 0 when it lies beyond them
// or in a sparse fragment.
uint64_t MapThroughRuns(uint64_t record, const std::vector<uint64_t>& lengths, const std::vector<uint64_t>& starts);
uint64_t MftRecordToSector(const MftRunMap& map, uint64_t record);

// Reads record `record` through the map, sector by sector where a fragment ends
// inside it, and fixes it up; `firstSector` gets the record's first sector (0 when
// it lies beyond the map).
RecordRead ReadMappedRecord(EngineContext& ctx, const MftRunMap& map, uint64_t record,
                            RecordBuffer& buffer, uint64_t& firstSector);
// The same for a walk over many records: records that follow each other come
// from windows read in one call (SectorWindow.h), never past their fragment.
RecordRead ReadMappedRecordAhead(EngineContext& ctx, SectorWindow& window, const MftRunMap& map, uint64_t record,
                                 RecordBuffer& buffer, uint64_t& firstSector);

// Builds the map of the volume's MFT from record 0, read from the MFT or, when it
// is damaged there or its runs do not lead back to record 0 (a run sent beyond the
// volume), from its copy in $MFTMirr; a torn copy serves when no whole one does.
// Fragments end at the chosen range's end: a damaged run cannot send the walk
// beyond the volume. The map is empty when no copy of record 0 gives the MFT's runs.
MftRunMap BuildMftRunMap(EngineContext& ctx, const VolumeParameters& volume);

}  // namespace engine::ntfs
