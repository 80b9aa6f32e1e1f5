// pelmo-cli: runs the recovery engine headless over an image file, for the
// benchmarks and integration tests. Not part of the program's user interface.

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "BadSectorOpener.h"
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
    "  pelmo-cli partitions IMAGE\n"
    "every command also takes --bad-sectors A-B,C,...: reads touching those sectors fail\n";

// A mistake in the command line: shown with the usage, exit code 2.
class UsageError : public std::invalid_argument {
 public:
  using std::invalid_argument::invalid_argument;
};

int Usage() {
  std::fputs(kUsage, stderr);
  return 2;
}

// The options each command takes; "--name" takes a value, "--name!" is a flag.
const std::map<std::string, std::set<std::string>>& KnownOptions() {
  static const std::map<std::string, std::set<std::string>> known = {
      {"quick", {"--list!", "--save", "--deleted-only!", "--bad-sectors"}},
      {"extensive",
       {"--fs", "--start", "--count", "--volume", "--list!", "--save", "--deleted-only!", "--bad-sectors"}},
      {"trace",
       {"--types", "--start", "--count", "--size-mb", "--signatures", "--list!", "--save", "--bad-sectors"}},
      {"partitions", {"--bad-sectors"}},
  };
  return known;
}

// "--name value" and "--flag" arguments after the command and the image.
class Options {
 public:
  Options(const std::set<std::string>& known, int argc, char** argv, int first) {
    for (int i = first; i < argc; ++i) {
      const std::string name = argv[i];
      const bool flag = known.contains(name + "!");
      if (!flag && !known.contains(name)) throw UsageError("unknown option or argument \"" + name + "\"");
      if (flag) {
        values_[name] = "";
      } else if (i + 1 < argc) {
        values_[name] = argv[++i];
      } else {
        throw UsageError(name + " needs a value");
      }
    }
  }
  bool Has(const std::string& name) const { return values_.contains(name); }
  std::optional<std::string> Text(const std::string& name) const {
    const auto it = values_.find(name);
    return it == values_.end() ? std::nullopt : std::optional<std::string>(it->second);
  }
  // A whole decimal number within [least, most]; anything else is a usage error.
  std::optional<uint64_t> Number(const std::string& name, uint64_t least = 0, uint64_t most = UINT64_MAX) const {
    const auto text = Text(name);
    if (!text) return std::nullopt;
    uint64_t value = 0;
    const char* end = text->data() + text->size();
    const auto [stop, error] = std::from_chars(text->data(), end, value);
    if (text->empty() || error != std::errc() || stop != end || value < least || value > most) {
      throw UsageError(name + " takes a number from " + std::to_string(least) + " to " + std::to_string(most) +
                       ", not \"" + *text + "\"");
    }
    return value;
  }

 private:
  std::map<std::string, std::string> values_;
};

cli::OutputChoice OutputOf(const Options& options) {
  return {options.Has("--list"), options.Text("--save"), options.Has("--deleted-only")};
}

cli::RangeChoice RangeOf(const Options& options) { return {options.Number("--start", 0, UINT32_MAX), options.Number("--count", 1, UINT32_MAX)}; }

uint16_t FileSystemCode(const std::string& name) {
  if (name == "fat16") return engine::kFileSystemFat16;
  if (name == "fat32") return engine::kFileSystemFat32;
  if (name == "ntfs") return engine::kFileSystemNtfs;
  throw UsageError("unknown file system \"" + name + "\"");
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

cli::ImageChoice ImageOf(const std::string& path, const Options& options) {
  cli::ImageChoice image{path, {}};
  if (const auto list = options.Text("--bad-sectors")) {
    try {
      image.BadSectors = cli::ParseSectorList(*list);
    } catch (const std::invalid_argument& error) {
      throw UsageError(std::string("--bad-sectors: ") + error.what());
    }
  }
  return image;
}

int Run(int argc, char** argv) {
  if (argc < 3) return Usage();
  const std::string command = argv[1];
  const auto known = KnownOptions().find(command);
  if (known == KnownOptions().end()) throw UsageError("unknown command \"" + command + "\"");
#ifndef PELMO_CLI_FILE_TRACE
  if (command == "trace") throw UsageError("this pelmo-cli was built without File Trace");
#endif
  const Options options(known->second, argc, argv, 3);
  const cli::ImageChoice image = ImageOf(argv[2], options);
  if (options.Has("--deleted-only") && !options.Has("--save")) throw UsageError("--deleted-only goes with --save");
  if (command == "quick") return cli::RunQuickScan(image, OutputOf(options));
  if (command == "extensive") {
    const auto fs = options.Text("--fs");
    if (!fs) throw UsageError("extensive needs --fs");
    std::optional<int> volume;
    if (const auto k = options.Number("--volume", 1, INT32_MAX)) volume = static_cast<int>(*k);
    return cli::RunExtensiveScan(image, FileSystemCode(*fs), RangeOf(options), volume, OutputOf(options));
  }
#ifdef PELMO_CLI_FILE_TRACE
  if (command == "trace") {
    const auto types = options.Text("--types");
    if (!types) throw UsageError("trace needs --types");
    const int sizeMB = static_cast<int>(options.Number("--size-mb", 1, 20).value_or(1));
    return cli::RunFileTrace(image, SplitList(*types), RangeOf(options), sizeMB,
                             options.Text("--signatures").value_or(PELMO_CLI_SIGNATURE_FOLDER), OutputOf(options));
  }
#endif
  return cli::RunPartitionSearch(image);
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(argc, argv);
  } catch (const UsageError& error) {
    std::fprintf(stderr, "pelmo-cli: %s\n", error.what());
    return Usage();
  } catch (const std::exception& error) {
    std::fprintf(stderr, "pelmo-cli: %s\n", error.what());
    return 2;
  }
}
