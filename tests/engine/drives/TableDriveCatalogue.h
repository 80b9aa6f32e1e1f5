#pragma once
// A drive catalogue fed from tables, standing in for what Windows would report.

#include <map>

#include "drives/DriveCatalogue.h"

namespace testsupport {

class TableDriveCatalogue final : public engine::DriveCatalogue {
 public:
  struct Letter {
    engine::DriveKind Kind = engine::DriveKind::Fixed;
    std::optional<uint64_t> TotalBytes;
    std::u16string Label;
  };
  std::map<uint16_t, engine::PhysicalDiskReport> Disks;  // by device number
  std::map<char16_t, Letter> Letters;

  std::optional<engine::PhysicalDiskReport> QueryPhysicalDisk(uint16_t deviceNumber) override {
    auto found = Disks.find(deviceNumber);
    if (found == Disks.end()) return std::nullopt;
    return found->second;
  }
  uint32_t LogicalDriveMask() override {
    uint32_t mask = 0;
    for (const auto& [letter, drive] : Letters) mask |= uint32_t{1} << (letter - u'A');
    return mask;
  }
  engine::DriveKind KindOf(char16_t letter) override { return Letters.at(letter).Kind; }
  std::optional<uint64_t> TotalBytes(char16_t letter) override { return Letters.at(letter).TotalBytes; }
  std::u16string VolumeLabel(char16_t letter) override { return Letters.at(letter).Label; }
};

}  // namespace testsupport
