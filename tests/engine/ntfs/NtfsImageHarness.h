#pragma once
// Runs the NTFS Quick Scan over an image file as drive D: and compares what it
// found with The Sleuth Kit (fls for the listing, icat for the bytes).

#include <cstdint>
#include <map>
#include <set>
#include <memory>
#include <string>
#include <vector>

#include "DamagedImage.h"
#include "EngineContext.h"
#include "ImageFileSource.h"
#include "PosixOutputFileSystem.h"
#include "RecordingHost.h"

namespace ntfstest {

// One entry of the volume: its path from the root ("/"-separated), kind and state.
struct ListedEntry {
  std::string Path;
  bool IsFolder = false;
  bool Deleted = false;
  bool operator==(const ListedEntry&) const = default;
};

class ScannedImage {
 public:
  // Scans at once; reads touching `badSectors` fail.
  explicit ScannedImage(const std::string& imagePath, const std::set<uint64_t>& badSectors = {});
  engine::EngineContext& Context() { return *ctx_; }
  testsupport::RecordingHost& Host() { return host_; }
  bool Detected() const { return detected_; }

  // Every record the scan listed, by record number, with its path from the root;
  // folders gathered under "Lost Dir" carry that path.
  std::map<uint32_t, ListedEntry> Listing();

 private:
  std::string imagePath_;
  testsupport::FaultyImageOpener opener_;
  testsupport::RecordingHost host_;
  std::unique_ptr<platform::PosixOutputFileSystem> files_;
  std::unique_ptr<engine::EngineContext> ctx_;
  bool detected_ = false;
};

// `fls -r -p` by inode: the path of the record's unnamed data or index (named
// streams of system files folded into their file), without $OrphanFiles.
std::map<uint32_t, ListedEntry> FlsListing(const std::string& imagePath);

// `icat IMAGE INODE`.
std::vector<uint8_t> IcatBytes(const std::string& imagePath, uint32_t inode);

std::vector<uint8_t> ReadHostFile(const std::string& path);
std::string FreshTempFolder(const std::string& name);

}  // namespace ntfstest
