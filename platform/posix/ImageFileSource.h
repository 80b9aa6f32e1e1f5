#pragma once
// Image files and block devices as sector sources for the native build, and an
// opener that maps Windows device paths to image files.

#include <map>
#include <memory>
#include <string>

#include "SectorSource.h"

namespace platform {

class ImageFileSource final : public engine::SectorSource {
 public:
  // Opens the file read-only; null when it cannot be opened.
  static std::unique_ptr<ImageFileSource> Open(const std::string& path);
  ~ImageFileSource() override;

  bool Seek(int64_t distance, engine::SeekMethod method, uint64_t& newPosition) override;
  bool Read(void* buffer, uint32_t byteCount, uint32_t& bytesRead) override;

 private:
  explicit ImageFileSource(int fd) : fd_(fd) {}
  int fd_;
  uint64_t position_ = 0;
};

// Serves "\\.\PhysicalDriveN" and "\\.\X:" from the image files mapped to them.
class ImageDeviceOpener final : public engine::DeviceOpener {
 public:
  void Map(const std::u16string& devicePath, const std::string& imagePath);
  std::unique_ptr<engine::SectorSource> OpenForReading(const std::u16string& devicePath,
                                                       engine::DeviceShare share) override;

 private:
  std::map<std::u16string, std::string> images_;
};

}  // namespace platform
