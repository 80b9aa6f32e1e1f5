#pragma once
// An output file system in memory for copy-out tests: files with their bytes and
// times, folders, planted links, where volumes lie on the disks, and paths that
// cannot be created or written.

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "OutputFileSystem.h"
#include "listing/FileFilters.h"

namespace testsupport {

class MemoryOutputFileSystem final : public engine::OutputFileSystem {
 public:
  struct StoredFile {
    std::vector<uint8_t> Bytes;
    engine::OutputFileTimes Times;
    bool Closed = false;
    int Writes = 0;
  };
  std::map<std::u16string, StoredFile> Files;
  std::set<std::u16string> Folders;
  std::set<std::u16string> Uncreatable;  // CreateFileForWriting fails
  std::set<std::u16string> Unwritable;   // every Write fails
  std::set<std::u16string> Links;        // links planted in the target: neither file nor folder to us
  std::map<std::u16string, std::vector<engine::DiskExtent>> Extents;  // by path prefix
  bool RenamesFail = false;
  int Creations = 0;

  bool FileExists(const std::u16string& path) override {
    return Files.count(path) != 0 || Folders.count(path) != 0 || Links.count(path) != 0;
  }
  bool FolderExists(const std::u16string& path) override { return Folders.count(path) != 0; }
  bool CreateFolder(const std::u16string& path) override {
    if (Files.count(path) != 0 || Links.count(path) != 0) return false;
    Folders.insert(path);
    return true;
  }
  bool RenameFile(const std::u16string& from, const std::u16string& to) override {
    if (RenamesFail || Files.count(from) == 0 || FileExists(to)) return false;
    Files[to] = std::move(Files[from]);
    Files.erase(from);
    return true;
  }
  bool RenameFileOver(const std::u16string& from, const std::u16string& to) override {
    if (Files.count(from) == 0) return false;
    Files[to] = std::move(Files[from]);
    Files.erase(from);
    return true;
  }
  std::vector<engine::DiskExtent> DiskExtentsOf(const std::u16string& path) override {
    const std::vector<engine::DiskExtent>* found = nullptr;
    size_t longest = 0;
    for (const auto& [prefix, extents] : Extents) {
      const bool under = path.size() >= prefix.size() && engine::UpperCaseText(path.substr(0, prefix.size())) ==
                                                             engine::UpperCaseText(prefix);
      if (under && prefix.size() >= longest) {
        found = &extents;
        longest = prefix.size();
      }
    }
    return found != nullptr ? *found : std::vector<engine::DiskExtent>{};
  }
  std::unique_ptr<engine::OutputFile> CreateFileForWriting(const std::u16string& path) override {
    if (Uncreatable.count(path) != 0 || Folders.count(path) != 0 || Links.count(path) != 0) return nullptr;
    ++Creations;
    Files[path] = StoredFile{};
    return std::make_unique<File>(Files[path], Unwritable.count(path) != 0);
  }
  bool RemoveFile(const std::u16string& path) override { return Files.erase(path) != 0; }
  bool RemoveFolder(const std::u16string& path) override { return Folders.erase(path) != 0; }
  std::vector<std::u16string> FilesInFolder(const std::u16string&) override { return {}; }
  std::u16string TempFolder() override { return u"T:\\"; }

 private:
  class File final : public engine::OutputFile {
   public:
    File(StoredFile& stored, bool failing) : stored_(stored), failing_(failing) {}
    bool Write(std::span<const uint8_t> bytes) override {
      ++stored_.Writes;
      if (failing_) return false;
      stored_.Bytes.insert(stored_.Bytes.end(), bytes.begin(), bytes.end());
      return true;
    }
    bool SetTimes(const engine::OutputFileTimes& times) override {
      stored_.Times = times;
      return true;
    }
    bool Close() override {
      stored_.Closed = true;
      return true;
    }

   private:
    StoredFile& stored_;
    bool failing_;
  };
};

}  // namespace testsupport
