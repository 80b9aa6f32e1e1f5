#pragma once
// The source a snapshot was taken from: reopening its devices, and checking that
// the volume found there is the one the snapshot describes before its results are
// shown (copying from another volume would save the wrong bytes).

#include <cstdint>
#include <memory>

#include "EngineContext.h"
#include "snapshot/SnapshotFormat.h"

namespace engine::snapshot {

// For a logical-drive source: sets SourceSelection.EntryIndex and reopens the
// volume device of that logical drive (an index beyond the drive table, or a
// drive no longer listed, leaves the volume closed).
void ReopenSnapshotVolume(EngineContext& ctx, uint16_t entryIndex);

// True when the volume in work, read from the source now open, matches
// ActiveVolume: for FAT the boot sector's geometry (or, for a volume rebuilt
// without one, a FAT where the snapshot puts it); for a FAT volume an Extensive
// Scan found ("A"), one of the snapshot's folders starting where its cluster
// lies, since a format may since have put another boot sector over the volume;
// for NTFS an MFT run map can be built. Other file systems always match.
bool SourceMatchesActiveVolume(EngineContext& ctx, const SnapshotContents& contents);

// Takes over a snapshot's selection, geometry and source device, opening the
// devices; puts the earlier state back on destruction unless kept.
class SnapshotSourceSwitch {
 public:
  SnapshotSourceSwitch(EngineContext& ctx, const SnapshotHeader& header, const SnapshotTrailer& trailer);
  ~SnapshotSourceSwitch();
  SnapshotSourceSwitch(const SnapshotSourceSwitch&) = delete;
  SnapshotSourceSwitch& operator=(const SnapshotSourceSwitch&) = delete;
  void Keep() { kept_ = true; }

 private:
  EngineContext& ctx_;
  bool kept_ = false;
  SourceSelectionRecord selection_;
  VolumeParameters volume_;
  uint16_t volumeNumber_;
  uint16_t driveNumber_;
  uint16_t sourceKind_;
  std::unique_ptr<SectorSource> diskHandle_;
  std::unique_ptr<SectorSource> volumeHandle_;
  bool volumeReplaced_ = false;
};

}  // namespace engine::snapshot
