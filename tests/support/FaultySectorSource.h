#pragma once
// An in-memory sector source that fails where a test says: unreadable sectors, and a
// cut-off end past which nothing can be read. A read fails as a whole when it touches
// any unreadable byte, as a disk's multi-sector read does. Counts every call.

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "SectorSource.h"

namespace testsupport {

struct SourceCounters {
  int Seeks = 0;
  int Reads = 0;
};

class FaultySectorSource final : public engine::SectorSource {
 public:
  // Each sector holds its own number in every byte pair, so misplaced data shows.
  static std::vector<uint8_t> NumberedSectors(uint32_t sectorCount);

  FaultySectorSource(std::vector<uint8_t> bytes, std::shared_ptr<SourceCounters> counters = nullptr);

  std::set<uint64_t> BadSectors;
  uint64_t ReadableEnd = UINT64_MAX;  // byte offset where the medium stops answering

  bool Seek(int64_t distance, engine::SeekMethod method, uint64_t& newPosition) override;
  bool Read(void* buffer, uint32_t byteCount, uint32_t& bytesRead) override;

 private:
  std::vector<uint8_t> bytes_;
  std::shared_ptr<SourceCounters> counters_;
  uint64_t position_ = 0;
};

// Opens in-memory sources by device path; each open makes a fresh copy of the bytes.
class FakeDeviceOpener final : public engine::DeviceOpener {
 public:
  struct Device {
    std::vector<uint8_t> Bytes;
    std::set<uint64_t> BadSectors;
    std::shared_ptr<SourceCounters> Counters = std::make_shared<SourceCounters>();
  };
  std::map<std::u16string, Device> Devices;
  std::vector<std::pair<std::u16string, engine::DeviceShare>> Opened;

  std::unique_ptr<engine::SectorSource> OpenForReading(const std::u16string& devicePath,
                                                       engine::DeviceShare share) override;
};

}  // namespace testsupport
