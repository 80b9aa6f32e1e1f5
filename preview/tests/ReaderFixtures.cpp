#include "ReaderFixtures.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace preview::test {

namespace {
struct Folder {
  std::filesystem::path path;
  Folder() {
    path = std::filesystem::temp_directory_path() / ("pelmo-preview-" + std::to_string(::getpid()));
    std::filesystem::create_directories(path);
  }
  ~Folder() {
    std::error_code error;
    std::filesystem::remove_all(path, error);
  }
};
}  // namespace

const std::filesystem::path& FixtureFolder() {
  static Folder folder;
  return folder.path;
}

bool RunInFixtureFolder(const std::string& command) {
  const std::string line = "cd '" + FixtureFolder().string() + "' && { " + command + "; } >/dev/null 2>&1";
  return std::system(line.c_str()) == 0;
}

std::filesystem::path WriteFixture(const std::string& name, const std::vector<uint8_t>& bytes) {
  const auto path = FixtureFolder() / name;
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return path;
}

std::filesystem::path WriteFixture(const std::string& name, const std::string& bytes) {
  return WriteFixture(name, std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

std::vector<uint8_t> ReadFixture(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace preview::test
