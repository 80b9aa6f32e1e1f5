#include "ImageFileSource.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

std::unique_ptr<ImageFileSource> ImageFileSource::Open(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  return std::unique_ptr<ImageFileSource>(new ImageFileSource(fd));
}

ImageFileSource::~ImageFileSource() { ::close(fd_); }

bool ImageFileSource::Seek(int64_t distance, engine::SeekMethod method, uint64_t& newPosition) {
  int64_t base = 0;
  if (method == engine::SeekMethod::Current) {
    base = static_cast<int64_t>(position_);
  } else if (method == engine::SeekMethod::End) {
    const off_t end = ::lseek(fd_, 0, SEEK_END);  // also the size of a block device
    if (end < 0) return false;
    base = end;
  }
  if ((distance < 0 && base < -distance) || (distance > 0 && base > INT64_MAX - distance)) return false;
  position_ = static_cast<uint64_t>(base + distance);
  newPosition = position_;
  return true;
}

bool ImageFileSource::Read(void* buffer, uint32_t byteCount, uint32_t& bytesRead) {
  bytesRead = 0;
  auto* out = static_cast<uint8_t*>(buffer);
  while (bytesRead < byteCount) {
    const ssize_t got = ::pread(fd_, out + bytesRead, byteCount - bytesRead,
                                static_cast<off_t>(position_ + bytesRead));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return false;
    if (got == 0) break;  // end of the image
    bytesRead += static_cast<uint32_t>(got);
  }
  position_ += bytesRead;
  return true;
}

void ImageDeviceOpener::Map(const std::u16string& devicePath, const std::string& imagePath) {
  images_[devicePath] = imagePath;
}

std::unique_ptr<engine::SectorSource> ImageDeviceOpener::OpenForReading(const std::u16string& devicePath,
                                                                        engine::DeviceShare) {
  const auto found = images_.find(devicePath);
  if (found == images_.end()) return nullptr;
  return ImageFileSource::Open(found->second);
}

}  // namespace platform
