#pragma once
// The driver's commands, each over one image file. Every command returns the
// process exit code.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace cli {

struct OutputChoice {
  bool List = false;
  std::optional<std::string> SaveFolder;
  bool DeletedOnly = false;
};

struct RangeChoice {
  std::optional<uint64_t> Start;
  std::optional<uint64_t> Count;
};

int RunQuickScan(const std::string& image, const OutputChoice& output);
int RunExtensiveScan(const std::string& image, uint16_t fileSystemCode, const RangeChoice& range,
                     std::optional<int> volume, const OutputChoice& output);
// Built only when the engine has its signature area.
int RunFileTrace(const std::string& image, const std::vector<std::string>& extensions, const RangeChoice& range,
                 int hitSizeMB, const std::string& signatureFolder, const OutputChoice& output);
int RunPartitionSearch(const std::string& image);

}  // namespace cli
