#pragma once
// The one copy loop of every saved file. A file's data comes as runs of
// contiguous sectors (clusters of a FAT chain that follow each other, an NTFS
// data run, a carved hit) and stretches of zeros (sparse runs, bytes past the
// initialised size). A run is read in pieces of up to the settings' sectors per
// read straight into one large buffer, which goes to the file in one write when
// it fills and at the end. A piece whose read fails is read again sector by
// sector by the sector reader, so only the sectors that really failed become
// (counted) zeros.

#include <cstdint>
#include <vector>

#include "EngineContext.h"
#include "OutputFileSystem.h"
#include "SaveSession.h"

namespace engine {

// What one output write carries at most: large enough that a file of usual size
// is one write, small enough to keep a save's memory flat.
inline constexpr uint64_t kCopyBufferBytes = uint64_t{1} << 20;

// The sectors read at a time while copying: the settings' sectors per read, at
// least 1 and at most what the copy buffer holds.
uint32_t SectorsPerCopyRead(const RecoverySettingsRecord& settings);

class FileDataCopier {
 public:
  // `buffer` is reused from file to file (it grows to kCopyBufferBytes once).
  // `fileSize` is what the progress counts against; progress goes to the save
  // dialog only with `visibleSave`; Stop and Skip end the copy only with `honourStop`.
  FileDataCopier(EngineContext& ctx, std::vector<uint8_t>& buffer, OutputFile& out, uint64_t fileSize,
                 bool visibleSave, bool honourStop = true);
  FileDataCopier(const FileDataCopier&) = delete;
  FileDataCopier& operator=(const FileDataCopier&) = delete;

  // Appends the first `byteCount` bytes of the sectors from `firstSector` on.
  // Complete while the copy may go on; Interrupted (Stop or Skip) or WriteFailed.
  CopyResult CopySectors(uint64_t firstSector, uint64_t byteCount);
  // Appends `byteCount` zero bytes.
  CopyResult AppendZeros(uint64_t byteCount);
  // Writes what the buffer still holds: call once at the end of the file.
  CopyResult Finish();

  // Bytes appended so far (written or waiting in the buffer).
  uint64_t Appended() const { return appended_; }

 private:
  CopyResult BeforePiece();
  bool WriteBuffered();

  EngineContext& ctx_;
  std::vector<uint8_t>& buffer_;
  OutputFile& out_;
  uint64_t fileSize_;
  bool visibleSave_;
  bool honourStop_;
  uint32_t sectorsPerRead_;
  size_t filled_ = 0;
  uint64_t appended_ = 0;
  int shownPercent_ = -1;
};

}  // namespace engine
