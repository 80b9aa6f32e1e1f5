#pragma once
// The driver's commands, each over one image file. Every command returns the
// process exit code.

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace cli {

struct ImageChoice {
  std::string Path;
  std::set<uint64_t> BadSectors;  // reads touching these fail (testing)
};

struct OutputChoice {
  bool List = false;
  std::optional<std::string> SaveFolder;
  bool DeletedOnly = false;
};

struct RangeChoice {
  std::optional<uint64_t> Start;
  std::optional<uint64_t> Count;
};

int RunQuickScan(const ImageChoice& image, const OutputChoice& output);
int RunExtensiveScan(const ImageChoice& image, uint16_t fileSystemCode, const RangeChoice& range,
                     std::optional<int> volume, const OutputChoice& output);
// Built only when the engine has its signature area.
int RunFileTrace(const ImageChoice& image, const std::vector<std::string>& extensions, const RangeChoice& range,
                 int hitSizeMB, const std::string& signatureFolder, const OutputChoice& output);
int RunPartitionSearch(const ImageChoice& image);

}  // namespace cli
