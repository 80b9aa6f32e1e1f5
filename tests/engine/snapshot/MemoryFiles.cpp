#include "MemoryFiles.h"

namespace snapshottest {
namespace {

class MemoryFile final : public engine::OutputFile {
 public:
  MemoryFile(std::vector<uint8_t>& bytes, bool failWrite) : bytes_(bytes), failWrite_(failWrite) {}
  bool Write(std::span<const uint8_t> bytes) override {
    if (failWrite_) {
      bytes_.insert(bytes_.end(), bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(bytes.size() / 2));
      return false;
    }
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    return true;
  }
  bool SetTimes(const engine::OutputFileTimes&) override { return true; }
  bool Close() override { return true; }

 private:
  std::vector<uint8_t>& bytes_;
  bool failWrite_;
};

}  // namespace

std::unique_ptr<engine::OutputFile> MemoryFiles::CreateFileForWriting(const std::u16string& path) {
  if (FailCreate) return nullptr;
  std::vector<uint8_t>& bytes = Files[path];
  bytes.clear();
  return std::make_unique<MemoryFile>(bytes, FailWrite);
}

std::optional<std::vector<uint8_t>> MemoryFiles::ReadWholeFile(const std::u16string& path, uint64_t maxBytes) {
  ReadPaths.push_back(path);
  const auto found = Files.find(path);
  if (found == Files.end() || found->second.size() > maxBytes) return std::nullopt;
  return found->second;
}

}  // namespace snapshottest
