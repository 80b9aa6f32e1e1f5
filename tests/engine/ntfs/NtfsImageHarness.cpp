#include "NtfsImageHarness.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

#include <gtest/gtest.h>

#include "SectorReader.h"
#include "ntfs/NtfsQuickScan.h"

namespace ntfstest {
namespace {

std::string RunCommand(const std::string& command) {
  std::string output;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) throw std::runtime_error("cannot run " + command);
  char buffer[65536];
  std::size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
  ::pclose(pipe);
  return output;
}

std::string Quoted(const std::string& text) { return "'" + text + "'"; }

}  // namespace

ScannedImage::ScannedImage(const std::string& imagePath, const std::set<uint64_t>& badSectors)
    : imagePath_(imagePath) {
  opener_.Map(u"\\\\.\\D:", imagePath);
  opener_.BadSectors = badSectors;
  files_ = std::make_unique<platform::PosixOutputFileSystem>();
  ctx_ = std::make_unique<engine::EngineContext>(host_, opener_);
  engine::EngineContext& ctx = *ctx_;
  engine::ApplyDefaultRecoverySettings(ctx.RecoverySettings);
  ctx.Files = files_.get();
  ctx.RecoveryMode = engine::kModeQuickScan;
  ctx.SourceDevice.SourceKind = engine::kSourceLogicalDrive;
  if (engine::OpenLogicalVolume(ctx, u'D') == nullptr) throw std::runtime_error("cannot open " + imagePath);
  const auto sectors = static_cast<uint32_t>(std::filesystem::file_size(imagePath) / 512);
  ctx.SourceSelection = {engine::kFileSystemNtfs, 0, sectors, sectors, 0};
  ctx.ActiveVolume.FileSystemCode = engine::kFileSystemNtfs;
  detected_ = engine::DetectNtfsParameters(ctx, 0);
  if (detected_) engine::WalkMft(ctx);
}

std::map<uint32_t, ListedEntry> ScannedImage::Listing() {
  engine::ResultStore& results = ctx_->Results;
  std::map<uint32_t, std::pair<std::string, uint32_t>> folders;  // id -> name, parent
  for (const engine::TreeFolderNode& folder : results.TreeFolders) {
    folders.try_emplace(folder.Id, testsupport::ToUtf8(folder.Name), folder.ParentId);
  }
  auto pathOf = [&](uint32_t parent, const std::string& name) {
    std::string path = "/" + name;
    for (int depth = 0; parent != 5 && depth < 64; ++depth) {
      const auto it = folders.find(parent);
      if (it == folders.end()) return "?" + path;
      path = "/" + it->second.first + path;
      parent = it->second.second;
    }
    return path;
  };
  std::map<uint32_t, ListedEntry> listing;
  for (const engine::TreeFolderNode& folder : results.TreeFolders) {
    listing[folder.Id] = {pathOf(folder.ParentId, testsupport::ToUtf8(folder.Name)), true, folder.Deleted != 0};
  }
  for (const engine::TreeFileNode& file : results.TreeFiles) {
    listing[file.Id] = {pathOf(file.ParentId, testsupport::ToUtf8(file.Name)), false, file.Deleted != 0};
  }
  return listing;
}

std::map<uint32_t, ListedEntry> FlsListing(const std::string& imagePath) {
  std::map<uint32_t, ListedEntry> listing;
  std::istringstream lines(RunCommand("fls -r -p " + Quoted(imagePath)));
  std::string line;
  while (std::getline(lines, line)) {
    // "r/r * 94-128-2:\tDocuments/x.txt"
    const std::size_t tab = line.find(":\t");
    if (tab == std::string::npos) continue;
    std::string path = line.substr(tab + 2);
    if (path.starts_with("$OrphanFiles")) continue;
    std::istringstream head(line.substr(0, tab));
    std::string type, token;
    head >> type >> token;
    const bool deleted = token == "*";
    if (deleted) head >> token;
    const uint32_t inode = static_cast<uint32_t>(std::stoul(token.substr(0, token.find('-'))));
    const bool isFolder = type.ends_with("/d");
    // Named streams and indexes of the system files ("$Secure:$SDS") are one file to us.
    if (inode < 64 && path.rfind(':') != std::string::npos && path.rfind(':') > path.rfind('/') + 1) {
      path = path.substr(0, path.rfind(':'));
    }
    ListedEntry entry{"/" + path, isFolder, deleted};
    const auto it = listing.find(inode);
    if (it == listing.end() || entry.Path.size() < it->second.Path.size()) listing[inode] = entry;
  }
  return listing;
}

std::vector<uint8_t> IcatBytes(const std::string& imagePath, uint32_t inode) {
  const std::string bytes = RunCommand("icat " + Quoted(imagePath) + " " + std::to_string(inode));
  return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

std::vector<uint8_t> ReadHostFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

std::string FreshTempFolder(const std::string& name) {
  const std::filesystem::path folder = std::filesystem::path(::testing::TempDir()) / name;
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return folder.string();
}

}  // namespace ntfstest
