#include "FaultySectorSource.h"

#include <algorithm>
#include <cstring>

#include "EngineRecords.h"

namespace testsupport {

std::vector<uint8_t> FaultySectorSource::NumberedSectors(uint32_t sectorCount) {
  std::vector<uint8_t> bytes(static_cast<size_t>(sectorCount) * engine::kSectorSize);
  for (uint32_t s = 0; s < sectorCount; ++s) {
    for (uint32_t i = 0; i < engine::kSectorSize; i += 2) {
      bytes[s * engine::kSectorSize + i] = static_cast<uint8_t>(s & 0xFF);
      bytes[s * engine::kSectorSize + i + 1] = static_cast<uint8_t>((s >> 8) | 0x80);
    }
  }
  return bytes;
}

FaultySectorSource::FaultySectorSource(std::vector<uint8_t> bytes, std::shared_ptr<SourceCounters> counters)
    : bytes_(std::move(bytes)), counters_(counters ? std::move(counters) : std::make_shared<SourceCounters>()) {}

bool FaultySectorSource::Seek(int64_t distance, engine::SeekMethod method, uint64_t& newPosition) {
  ++counters_->Seeks;
  int64_t base = method == engine::SeekMethod::Begin     ? 0
                 : method == engine::SeekMethod::Current ? static_cast<int64_t>(position_)
                                                         : static_cast<int64_t>(bytes_.size());
  if (base + distance < 0) return false;
  position_ = static_cast<uint64_t>(base + distance);
  newPosition = position_;
  return true;
}

bool FaultySectorSource::Read(void* buffer, uint32_t byteCount, uint32_t& bytesRead) {
  ++counters_->Reads;
  bytesRead = 0;
  const uint64_t end = position_ + byteCount;
  if (end > ReadableEnd) return false;
  for (uint64_t sector = position_ / engine::kSectorSize; sector * engine::kSectorSize < end; ++sector) {
    if (BadSectors.count(sector) != 0) return false;
  }
  // Past the end of the bytes a read succeeds short, as a file read does.
  const uint64_t available = position_ < bytes_.size() ? std::min<uint64_t>(byteCount, bytes_.size() - position_) : 0;
  if (available != 0) std::memcpy(buffer, bytes_.data() + position_, available);
  bytesRead = static_cast<uint32_t>(available);
  position_ += available;
  return true;
}

std::unique_ptr<engine::SectorSource> FakeDeviceOpener::OpenForReading(const std::u16string& devicePath,
                                                                       engine::DeviceShare share) {
  Opened.emplace_back(devicePath, share);
  const auto found = Devices.find(devicePath);
  if (found == Devices.end()) return nullptr;
  auto source = std::make_unique<FaultySectorSource>(found->second.Bytes, found->second.Counters);
  source->BadSectors = found->second.BadSectors;
  return source;
}

}  // namespace testsupport
