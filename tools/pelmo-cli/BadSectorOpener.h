#pragma once
// Unreadable sectors on demand, for testing the engine end to end over a real
// image: every device opened through this opener fails any read that touches
// one of the given sectors, as a failing disk does.

#include <cstdint>
#include <memory>
#include <set>
#include <string>

#include "SectorSource.h"

namespace cli {

// Sector numbers from "A-B,C,...": inclusive ranges and single sectors. Throws
// std::invalid_argument on anything else.
std::set<uint64_t> ParseSectorList(const std::string& text);

class BadSectorOpener final : public engine::DeviceOpener {
 public:
  BadSectorOpener(engine::DeviceOpener& inner, std::set<uint64_t> badSectors)
      : inner_(inner), badSectors_(std::move(badSectors)) {}

  std::unique_ptr<engine::SectorSource> OpenForReading(const std::u16string& devicePath,
                                                       engine::DeviceShare share) override;

 private:
  engine::DeviceOpener& inner_;
  std::set<uint64_t> badSectors_;
};

}  // namespace cli
