#include "FileDataCopier.h"

#include <algorithm>
#include <cstring>
#include <span>

#include "SectorReader.h"

namespace engine {

uint32_t SectorsPerCopyRead(const RecoverySettingsRecord& settings) {
  constexpr auto kMost = static_cast<int32_t>(kCopyBufferBytes / kSectorSize);
  return static_cast<uint32_t>(std::clamp<int32_t>(settings.SectorsPerRead, 1, kMost));
}

FileDataCopier::FileDataCopier(EngineContext& ctx, std::vector<uint8_t>& buffer, OutputFile& out, uint64_t fileSize,
                               bool visibleSave, bool honourStop)
    : ctx_(ctx),
      buffer_(buffer),
      out_(out),
      fileSize_(fileSize),
      visibleSave_(visibleSave),
      honourStop_(honourStop),
      sectorsPerRead_(SectorsPerCopyRead(ctx.RecoverySettings)) {
  // Grown once per save and never cleared: every byte handed to the file was read or zeroed first.
  if (buffer_.size() < kCopyBufferBytes) buffer_.resize(kCopyBufferBytes);
}

CopyResult FileDataCopier::BeforePiece() {
  if (visibleSave_ && fileSize_ != 0) {
    const int percent = static_cast<int>(std::min<uint64_t>(99, appended_ * 100 / fileSize_));
    if (percent != shownPercent_) ctx_.Host->SaveReportProgress(shownPercent_ = percent);
  }
  if (!honourStop_ || !(SaveStopRequested(ctx_) || SaveSkipRequested(ctx_))) return CopyResult::Complete;
  // What was read before Stop or Skip is the file's data: it stays in the partial file.
  return WriteBuffered() ? CopyResult::Interrupted : CopyResult::WriteFailed;
}

bool FileDataCopier::WriteBuffered() {
  if (filled_ == 0) return true;
  const bool written = out_.Write(std::span<const uint8_t>(buffer_.data(), filled_));
  filled_ = 0;
  return written;
}

CopyResult FileDataCopier::CopySectors(uint64_t firstSector, uint64_t byteCount) {
  const uint64_t pieceBytes = uint64_t{sectorsPerRead_} * kSectorSize;
  while (byteCount > 0) {
    if (const CopyResult state = BeforePiece(); state != CopyResult::Complete) return state;
    if (buffer_.size() - filled_ < pieceBytes && !WriteBuffered()) return CopyResult::WriteFailed;
    const uint64_t bytes = std::min(byteCount, pieceBytes);
    const auto sectors = static_cast<uint32_t>((bytes + kSectorSize - 1) / kSectorSize);
    // The reader fills every sector it could not read with zeros and counts it.
    ReadSectors(ctx_, firstSector, sectors, std::span<uint8_t>(buffer_.data() + filled_, size_t{sectors} * kSectorSize));
    filled_ += static_cast<size_t>(bytes);
    appended_ += bytes;
    byteCount -= bytes;
    firstSector += sectors;
  }
  return CopyResult::Complete;
}

CopyResult FileDataCopier::AppendZeros(uint64_t byteCount) {
  while (byteCount > 0) {
    if (const CopyResult state = BeforePiece(); state != CopyResult::Complete) return state;
    if (filled_ == buffer_.size() && !WriteBuffered()) return CopyResult::WriteFailed;
    const size_t bytes = static_cast<size_t>(std::min<uint64_t>(byteCount, buffer_.size() - filled_));
    std::memset(buffer_.data() + filled_, 0, bytes);
    filled_ += bytes;
    appended_ += bytes;
    byteCount -= bytes;
  }
  return CopyResult::Complete;
}

CopyResult FileDataCopier::Finish() { return WriteBuffered() ? CopyResult::Complete : CopyResult::WriteFailed; }

}  // namespace engine
