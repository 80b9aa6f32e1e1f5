#include "ntfs/DataRuns.h"

#include "LeBytes.h"

namespace engine::ntfs {

uint64_t DecodedRunlist::ClusterCount() const {
  uint64_t total = 0;
  for (const DataRun& run : Runs) total += run.Length;
  return total;
}

DecodedRunlist DecodeRunlist(std::span<const uint8_t> runlist) {
  DecodedRunlist decoded;
  LeBytes view(runlist);
  uint64_t position = 0;
  int64_t previousCluster = 0;
  while (true) {
    if (!view.Has(position, 1)) {
      // No end mark before the attribute ends.
      if (decoded.Runs.empty()) decoded.Error = RunlistError::Empty;
      return decoded;
    }
    const uint8_t header = view.U8(position);
    if (header == 0) {
      if (decoded.Runs.empty()) decoded.Error = RunlistError::Empty;
      return decoded;
    }
    const unsigned lengthBytes = header & 0x0F;
    const unsigned offsetBytes = header >> 4;
    if (lengthBytes == 0 || lengthBytes > 8 || offsetBytes > 8) {
      decoded.Error = lengthBytes == 0 ? RunlistError::ZeroLength : RunlistError::FieldTooWide;
      decoded.Runs.clear();
      return decoded;
    }
    if (!view.Has(position + 1, uint64_t{lengthBytes} + offsetBytes)) {
      decoded.Error = RunlistError::TruncatedRun;
      decoded.Runs.clear();
      return decoded;
    }
    DataRun run;
    run.Length = view.Unsigned(position + 1, lengthBytes);
    if (run.Length == 0 || run.Length > (uint64_t{1} << 48)) {
      decoded.Error = run.Length == 0 ? RunlistError::ZeroLength : RunlistError::ClusterOutOfRange;
      decoded.Runs.clear();
      return decoded;
    }
    if (offsetBytes == 0) {
      run.Sparse = true;
    } else {
      const int64_t delta = view.Signed(position + 1 + lengthBytes, offsetBytes);
      // Clusters are 48-bit numbers on any real volume: a sum outside that range is damage.
      constexpr int64_t kLimit = int64_t{1} << 48;
      const bool deltaInRange = delta >= -kLimit && delta <= kLimit;
      const int64_t cluster = deltaInRange ? previousCluster + delta : -1;
      if (cluster < 0 || cluster > kLimit) {
        decoded.Error = RunlistError::ClusterOutOfRange;
        decoded.Runs.clear();
        return decoded;
      }
      run.FirstCluster = static_cast<uint64_t>(cluster);
      previousCluster = cluster;
    }
    decoded.Runs.push_back(run);
    position += 1 + lengthBytes + offsetBytes;
  }
}

std::optional<uint64_t> FirstRunCluster(std::span<const uint8_t> runlist) {
  const DecodedRunlist decoded = DecodeRunlist(runlist);
  for (const DataRun& run : decoded.Runs) {
    if (!run.Sparse) return run.FirstCluster;
  }
  return std::nullopt;
}

}  // namespace engine::ntfs
