#include "BadSectorOpener.h"

#include <stdexcept>

#include "SectorReader.h"

namespace cli {
namespace {

class BadSectorSource final : public engine::SectorSource {
 public:
  BadSectorSource(std::unique_ptr<engine::SectorSource> inner, const std::set<uint64_t>& badSectors)
      : inner_(std::move(inner)), badSectors_(badSectors) {}

  bool Seek(int64_t distance, engine::SeekMethod method, uint64_t& newPosition) override {
    if (!inner_->Seek(distance, method, newPosition)) return false;
    position_ = newPosition;
    return true;
  }

  bool Read(void* buffer, uint32_t byteCount, uint32_t& bytesRead) override {
    bytesRead = 0;
    if (byteCount != 0) {
      const uint64_t first = position_ / engine::kSectorSize;
      const uint64_t last = (position_ + byteCount - 1) / engine::kSectorSize;
      const auto bad = badSectors_.lower_bound(first);
      if (bad != badSectors_.end() && *bad <= last) return false;
    }
    const bool read = inner_->Read(buffer, byteCount, bytesRead);
    position_ += bytesRead;
    return read;
  }

 private:
  std::unique_ptr<engine::SectorSource> inner_;
  const std::set<uint64_t>& badSectors_;
  uint64_t position_ = 0;
};

uint64_t ParseSectorNumber(const std::string& text) {
  if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos || text.size() > 19) {
    throw std::invalid_argument("not a sector number: \"" + text + "\"");
  }
  return std::stoull(text);
}

}  // namespace

std::set<uint64_t> ParseSectorList(const std::string& text) {
  // A range of more sectors than this is a typing error, not a test.
  constexpr uint64_t kMostSectors = 1 << 20;
  std::set<uint64_t> sectors;
  size_t start = 0;
  while (start <= text.size()) {
    const size_t comma = text.find(',', start);
    const std::string part = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    const size_t dash = part.find('-');
    const uint64_t first = ParseSectorNumber(part.substr(0, dash));
    const uint64_t last = dash == std::string::npos ? first : ParseSectorNumber(part.substr(dash + 1));
    if (last < first || last - first >= kMostSectors - sectors.size()) {
      throw std::invalid_argument("not a sector range: \"" + part + "\"");
    }
    for (uint64_t sector = first; sector <= last; ++sector) sectors.insert(sector);
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return sectors;
}

std::unique_ptr<engine::SectorSource> BadSectorOpener::OpenForReading(const std::u16string& devicePath,
                                                                     engine::DeviceShare share) {
  std::unique_ptr<engine::SectorSource> source = inner_.OpenForReading(devicePath, share);
  if (!source) return nullptr;
  return std::make_unique<BadSectorSource>(std::move(source), badSectors_);
}

}  // namespace cli
