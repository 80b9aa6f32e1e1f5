#pragma once
// A readable source of bytes: a disk or volume device, or an image file.
// Shaped like a file handle (a position, then a read) so the sector reader
// behaves the same over a Windows device and a POSIX image.

#include <cstdint>
#include <memory>
#include <string>

namespace engine {

enum class SeekMethod { Begin, Current, End };

class SectorSource {
 public:
  virtual ~SectorSource() = default;
  // Moves the read position. Returns false when it cannot be set.
  virtual bool Seek(int64_t distance, SeekMethod method, uint64_t& newPosition) = 0;
  // Reads up to byteCount bytes at the position and advances past them.
  // Returns false on a read error; bytesRead says how many bytes arrived.
  virtual bool Read(void* buffer, uint32_t byteCount, uint32_t& bytesRead) = 0;
};

// How other openers may share a device we open (the devices are only ever read).
enum class DeviceShare { ReadOnly, ReadWrite };

// Opens devices by their Windows path ("\\.\PhysicalDrive0", "\\.\D:") for reading only.
class DeviceOpener {
 public:
  virtual ~DeviceOpener() = default;
  // Returns null when the device cannot be opened.
  virtual std::unique_ptr<SectorSource> OpenForReading(const std::u16string& devicePath,
                                                       DeviceShare share) = 0;
};

}  // namespace engine
