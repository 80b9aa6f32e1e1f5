// pelmo-cli: runs the recovery engine headless over an image file, for the
// benchmarks and integration tests. Not part of the program's user interface.

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "Commands.h"
#include "EngineRecords.h"

namespace {

constexpr char kUsage[] =
    "usage:\n"
    "  pelmo-cli quick IMAGE [--list] [--save DIR [--deleted-only]]\n"
    "  pelmo-cli extensive IMAGE --fs fat16|fat32|ntfs [--start S] [--count N] [--volume K]\n"
    "            [--list] [--save DIR [--deleted-only]]\n"
#ifdef PELMO_CLI_FILE_TRACE
    "  pelmo-cli trace IMAGE --types jpg,png,... [--start S] [--count N] [--size-mb M]\n"
    "            [--signatures DIR] [--list] [--save DIR]\n"
#endif
    "  pelmo-cli partitions IMAGE\n";

int Usage() {
  std::fputs(kUsage, stderr);
  return 2;
}

// "--name value" and "--flag" arguments after the command and the image.
class Options {
 public:
  Options(int argc, char** argv, int first) {
    for (int i = first; i < argc; ++i) {
      std::string name = argv[i];
      if (!name.starts_with("--")) throw std::invalid_argument("unexpected argument " + name);
      if (IsFlag(name)) {
        values_[name] = "";
      } else if (i + 1 < argc) {
        values_[name] = argv[++i];
      } else {
        throw std::invalid_argument(name + " needs a value");
      }
    }
  }
  bool Has(const std::string& name) const { return values_.contains(name); }
  std::optional<std::string> Text(const std::string& name) const {
    const auto it = values_.find(name);
    return it == values_.end() ? std::nullopt : std::optional<std::string>(it->second);
  }
  std::optional<uint64_t> Number(const std::string& name) const {
    const auto text = Text(name);
    if (!text) return std::nullopt;
    return std::stoull(*text);
  }

 private:
  static bool IsFlag(const std::string& name) { return name == "--list" || name == "--deleted-only"; }
  std::map<std::string, std::string> values_;
};

cli::OutputChoice OutputOf(const Options& options) {
  return {options.Has("--list"), options.Text("--save"), options.Has("--deleted-only")};
}

cli::RangeChoice RangeOf(const Options& options) { return {options.Number("--start"), options.Number("--count")}; }

uint16_t FileSystemCode(const std::string& name) {
  if (name == "fat16") return engine::kFileSystemFat16;
  if (name == "fat32") return engine::kFileSystemFat32;
  if (name == "ntfs") return engine::kFileSystemNtfs;
  throw std::invalid_argument("unknown file system " + name);
}

std::vector<std::string> SplitList(const std::string& text) {
  std::vector<std::string> parts;
  std::istringstream in(text);
  std::string part;
  while (std::getline(in, part, ',')) {
    if (part.starts_with(".")) part.erase(0, 1);
    if (!part.empty()) parts.push_back(part);
  }
  return parts;
}

int Run(int argc, char** argv) {
  if (argc < 3) return Usage();
  const std::string command = argv[1];
  const std::string image = argv[2];
  const Options options(argc, argv, 3);
  if (command == "quick") return cli::RunQuickScan(image, OutputOf(options));
  if (command == "extensive") {
    const auto fs = options.Text("--fs");
    if (!fs) return Usage();
    std::optional<int> volume;
    if (const auto k = options.Number("--volume")) volume = static_cast<int>(*k);
    return cli::RunExtensiveScan(image, FileSystemCode(*fs), RangeOf(options), volume, OutputOf(options));
  }
#ifdef PELMO_CLI_FILE_TRACE
  if (command == "trace") {
    const auto types = options.Text("--types");
    if (!types) return Usage();
    const int sizeMB = static_cast<int>(options.Number("--size-mb").value_or(1));
    return cli::RunFileTrace(image, SplitList(*types), RangeOf(options), sizeMB,
                             options.Text("--signatures").value_or(PELMO_CLI_SIGNATURE_FOLDER), OutputOf(options));
  }
#endif
  if (command == "partitions") return cli::RunPartitionSearch(image);
  return Usage();
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(argc, argv);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "pelmo-cli: %s\n", error.what());
    return 2;
  }
}
