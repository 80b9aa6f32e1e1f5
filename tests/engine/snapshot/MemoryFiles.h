#pragma once
// Files kept in memory for the snapshot tests: written through the output file
// system, read back through the input reader. Failures can be scripted.

#include <map>
#include <string>
#include <vector>

#include "OutputFileSystem.h"
#include "snapshot/InputFileReader.h"

namespace snapshottest {

class MemoryFiles final : public engine::OutputFileSystem, public engine::InputFileReader {
 public:
  std::map<std::u16string, std::vector<uint8_t>> Files;
  bool FailCreate = false;
  bool FailWrite = false;
  std::vector<std::u16string> ReadPaths;

  bool FileExists(const std::u16string& path) override { return Files.count(path) != 0; }
  bool CreateFolder(const std::u16string&) override { return true; }
  std::unique_ptr<engine::OutputFile> CreateFileForWriting(const std::u16string& path) override;
  bool RemoveFile(const std::u16string& path) override { return Files.erase(path) != 0; }
  bool RenameFileOver(const std::u16string& from, const std::u16string& to) override {
    if (Files.count(from) == 0) return false;
    Files[to] = std::move(Files[from]);
    Files.erase(from);
    return true;
  }
  bool RemoveFolder(const std::u16string&) override { return true; }
  std::vector<std::u16string> FilesInFolder(const std::u16string&) override { return {}; }
  std::u16string TempFolder() override { return u"T:\\"; }

  std::optional<std::vector<uint8_t>> ReadWholeFile(const std::u16string& path, uint64_t maxBytes) override;
};

}  // namespace snapshottest
