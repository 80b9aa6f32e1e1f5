// A volume's length read from its boot sector: NTFS counts one sector fewer than
// the volume holds (the backup boot sector), FAT gives one of two totals.

#include <gtest/gtest.h>

#include <array>
#include <cstring>

#include "drives/BootSectorLength.h"

namespace {

using Sector = std::array<uint8_t, 512>;

void PutLe(Sector& sector, size_t offset, uint64_t value, int width) {
  for (int i = 0; i < width; ++i) sector[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

Sector NtfsBoot(uint16_t bytesPerSector, uint64_t counted) {
  Sector sector{};
  std::memcpy(sector.data() + 3, "NTFS    ", 8);
  PutLe(sector, 11, bytesPerSector, 2);
  PutLe(sector, 0x28, counted, 8);
  return sector;
}

Sector FatBoot(size_t typeOffset, uint16_t small, uint32_t large) {
  Sector sector{};
  std::memcpy(sector.data() + typeOffset, "FAT", 3);
  PutLe(sector, 11, 512, 2);
  PutLe(sector, 0x13, small, 2);
  PutLe(sector, 0x20, large, 4);
  return sector;
}

TEST(BootSectorLengthTest, GivesTheBytesEachFileSystemRecords) {
  struct Case {
    const char* name;
    Sector sector;
    std::optional<uint64_t> bytes;
  };
  const Case cases[] = {
      {"NTFS of 256 MiB counts 524287 sectors", NtfsBoot(512, 524287), 256ull << 20},
      {"NTFS with 4 KiB sectors", NtfsBoot(4096, 65535), 65536ull * 4096},
      {"FAT16 uses its 16-bit total", FatBoot(54, 32768, 0), 16ull << 20},
      {"FAT32 uses its 32-bit total", FatBoot(82, 0, 8388608), 4ull << 30},
      {"a sector size of 300 is refused", [] { Sector s = NtfsBoot(300, 100); return s; }(), std::nullopt},
      {"a count of zero is refused", FatBoot(54, 0, 0), std::nullopt},
      {"a count whose bytes overflow is refused", NtfsBoot(4096, UINT64_MAX - 1), std::nullopt},
      {"the all-ones count is refused", NtfsBoot(512, UINT64_MAX), std::nullopt},
      {"no known text", Sector{}, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(engine::VolumeBytesFromBootSector(c.sector), c.bytes) << c.name;
}

TEST(BootSectorLengthTest, AShortSectorIsRefused) {
  const Sector sector = NtfsBoot(512, 524287);
  EXPECT_EQ(engine::VolumeBytesFromBootSector(std::span(sector).first(0x28 + 4)), std::nullopt);
  EXPECT_EQ(engine::VolumeBytesFromBootSector(std::span(sector).first(10)), std::nullopt);
}

}  // namespace
