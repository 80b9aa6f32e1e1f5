#pragma once
// One image file opened the way the program opens a drive: as logical drive D:
// (its sector 0 is a boot sector) or as physical disk 0 (for partition work),
// with the engine context, the console host and a POSIX output file system.

#include <cstdint>
#include <memory>
#include <set>
#include <string>

#include "BadSectorOpener.h"
#include "ConsoleHost.h"
#include "EngineContext.h"
#include "ImageFileSource.h"
#include "PosixOutputFileSystem.h"

namespace cli {

enum class ImageRole { LogicalDrive, PhysicalDisk };

class ImageSession {
 public:
  // Throws std::runtime_error, saying why, when the image cannot be opened.
  // Reads touching `badSectors` fail, as on a failing disk.
  ImageSession(const std::string& imagePath, ImageRole role, std::set<uint64_t> badSectors = {});
  ImageSession(const ImageSession&) = delete;
  ImageSession& operator=(const ImageSession&) = delete;

  engine::EngineContext& Context() { return *ctx_; }
  ConsoleHost& Host() { return host_; }
  uint64_t SectorCount() const { return sectorCount_; }
  const std::string& ImagePath() const { return imagePath_; }

  // Chooses the sector range [start, start + count) with the given file-system code.
  void ChooseRange(uint16_t fileSystemCode, uint64_t start, uint64_t count);

 private:
  std::string imagePath_;
  platform::ImageDeviceOpener images_;
  BadSectorOpener opener_;
  ConsoleHost host_;
  platform::PosixOutputFileSystem files_;
  std::unique_ptr<engine::EngineContext> ctx_;
  uint64_t sectorCount_ = 0;
};

// The file system whose boot sector opens the image: FAT16, FAT32, NTFS or unknown.
uint16_t SniffFileSystem(const std::string& imagePath);

}  // namespace cli
