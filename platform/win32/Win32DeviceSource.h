#pragma once
// Windows disk and volume devices as sector sources, opened read-only.

#include <memory>
#include <string>

#include "SectorSource.h"

namespace platform {

class Win32DeviceSource final : public engine::SectorSource {
 public:
  // CreateFileW with GENERIC_READ and OPEN_EXISTING; null when it fails.
  static std::unique_ptr<Win32DeviceSource> Open(const std::u16string& devicePath, engine::DeviceShare share);
  ~Win32DeviceSource() override;

  bool Seek(int64_t distance, engine::SeekMethod method, uint64_t& newPosition) override;
  bool Read(void* buffer, uint32_t byteCount, uint32_t& bytesRead) override;

 private:
  explicit Win32DeviceSource(void* handle) : handle_(handle) {}
  void* handle_;
};

class Win32DeviceOpener final : public engine::DeviceOpener {
 public:
  std::unique_ptr<engine::SectorSource> OpenForReading(const std::u16string& devicePath,
                                                       engine::DeviceShare share) override;
};

}  // namespace platform
