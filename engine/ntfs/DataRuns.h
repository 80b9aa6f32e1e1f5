#pragma once
// Runlists: the mapping pairs of a non-resident attribute. Each run is a header
// byte h, (h & 0xF) bytes of length in clusters and (h >> 4) bytes of a signed
// offset from the previous run's first cluster; a header byte 0 ends the list and
// a run without offset bytes is sparse (it has no clusters on disk).

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace engine::ntfs {

struct DataRun {
  uint64_t FirstCluster = 0;  // LCN; 0 for a sparse run
  uint64_t Length = 0;        // clusters
  bool Sparse = false;
};

// Why a runlist could not be decoded; kept for a debug log.
enum class RunlistError {
  None,
  Empty,               // the list ends before its first run
  TruncatedRun,        // a run's bytes run past the attribute
  ZeroLength,          // a run of no clusters
  FieldTooWide,        // a length or offset field of more than 8 bytes
  ClusterOutOfRange,   // an offset that moves before cluster 0
};

struct DecodedRunlist {
  std::vector<DataRun> Runs;
  RunlistError Error = RunlistError::None;
  uint64_t ClusterCount() const;
};

// Decodes the runlist bytes up to the end mark. A list that reaches the end of its
// bytes without the end mark keeps the runs decoded so far when at least one was.
DecodedRunlist DecodeRunlist(std::span<const uint8_t> runlist);

// The first cluster of the first run that is not sparse, when there is one.
std::optional<uint64_t> FirstRunCluster(std::span<const uint8_t> runlist);

}  // namespace engine::ntfs
