// The Extensive Scan over a small in-memory disk made from the input: the raw FAT
// or NTFS scan (boot sectors, directory starts, FILE records, INDX blocks), the
// found-volume analysis, and the tree build of every volume it found.
//
// Byte 0 chooses the run: bits 0-1 the file system (FAT16, FAT32, NTFS), bit 2 a
// prepared disk, bits 3-4 the sectors per read. Byte 1 names an unreadable sector
// (0xFF: none). The rest is laid over the disk from sector 0 on: XORed into the
// prepared disk (so unchanged bytes keep its structures and mutations start past
// the magic numbers), or taken as it is.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "MemoryDisk.h"
#include "extensive/ExtensiveScan.h"
#include "extensive/FileSystemScan.h"
#include "listing/FileFilters.h"
#include "../ntfs/RecordBuilder.h"

namespace {

constexpr uint32_t kPreparedSectors = 128;
constexpr uint32_t kMaxSectors = 2048;
constexpr size_t kMaxTreeBuilds = 4;

using testsupport::MemoryDisk;

// An 8.3 directory entry at `offset` of `sector`.
void WriteEntry(MemoryDisk& disk, uint32_t sector, size_t offset, const std::string& name83, uint8_t attributes,
                uint32_t cluster, uint32_t size) {
  disk.Write(sector, offset, name83);
  disk.Sector(sector)[offset + 11] = attributes;
  disk.WriteU16(sector, offset + 20, static_cast<uint16_t>(cluster >> 16));
  disk.WriteU16(sector, offset + 24, 0x5021);
  disk.WriteU16(sector, offset + 26, static_cast<uint16_t>(cluster));
  disk.WriteU32(sector, offset + 28, size);
}

// One sector per cluster, two one-sector FATs, cluster 2 at sector 4 (FAT16: a
// one-sector root at 3; FAT32: the root at cluster 2). Folder DOCS at cluster 8
// holds A.TXT and folder SUB (cluster 9), which holds B.TXT.
void PrepareFat(MemoryDisk& disk, bool fat32) {
  disk.WriteU16(0, 11, 512);
  disk.Sector(0)[13] = 1;
  disk.WriteU16(0, 14, fat32 ? 2 : 1);
  disk.Sector(0)[16] = 2;
  disk.Sector(0)[21] = 0xF8;
  if (fat32) {
    disk.WriteU32(0, 32, kPreparedSectors);
    disk.WriteU32(0, 36, 1);
    disk.WriteU32(0, 44, 2);
    disk.Write(0, 82, "FAT32   ");
  } else {
    disk.WriteU16(0, 17, 16);
    disk.WriteU16(0, 19, kPreparedSectors);
    disk.WriteU16(0, 22, 1);
    disk.Write(0, 54, "FAT16   ");
  }
  disk.MarkBoot(0);
  const uint32_t firstFat = fat32 ? 2 : 1;
  for (uint32_t fat = firstFat; fat < firstFat + 2; ++fat) {
    disk.WriteU32(fat, 0, fat32 ? 0x0FFFFFF8 : 0xFFFFFFF8);
    for (uint32_t cluster : {2u, 8u, 9u, 12u, 13u}) {
      if (fat32) disk.WriteU32(fat, cluster * 4, 0x0FFFFFFF);
      else disk.WriteU16(fat, cluster * 2, 0xFFFF);
    }
  }
  const uint32_t root = fat32 ? 4 : 3;
  WriteEntry(disk, root, 0, "DOCS       ", 0x10, 8, 0);
  disk.WriteDirectoryStart(2 + 8, 8, 0);
  WriteEntry(disk, 2 + 8, 64, "A       TXT", 0x20, 12, 300);
  WriteEntry(disk, 2 + 8, 96, "SUB        ", 0x10, 9, 0);
  disk.WriteDirectoryStart(2 + 9, 9, 8);
  WriteEntry(disk, 2 + 9, 64, "\xE5       TXT", 0x20, 13, 700);
}

void Place(MemoryDisk& disk, uint32_t sector, const std::vector<uint8_t>& bytes) {
  for (size_t i = 0; i < bytes.size(); ++i) disk.Sector(sector + static_cast<uint32_t>(i / 512))[i % 512] = bytes[i];
}

std::vector<uint8_t> Utf16(const std::u16string& text) {
  std::vector<uint8_t> bytes;
  for (char16_t unit : text) bytes.insert(bytes.end(), {static_cast<uint8_t>(unit), static_cast<uint8_t>(unit >> 8)});
  return bytes;
}

// One sector per cluster, the MFT at sector 16: record 40 the folder "Docs" with
// its index block at cluster 64, record 41 its file "a.txt". The index block
// lists the file.
void PrepareNtfs(MemoryDisk& disk) {
  disk.Write(0, 3, "NTFS    ");
  disk.WriteU16(0, 11, 512);
  disk.Sector(0)[13] = 1;
  disk.WriteU32(0, 40, kPreparedSectors - 1);
  disk.WriteU32(0, 48, 16);
  disk.WriteU32(0, 56, 100);
  disk.Sector(0)[64] = 0xF6;  // 1,024-byte records
  disk.Sector(0)[68] = 8;     // 8 clusters per index block
  disk.MarkBoot(0);

  const std::vector<uint8_t> folderName = ntfstest::FileNameValue(u"Docs", 1, 5, 1, 2, 3);
  ntfstest::RecordBuilder folder(3);
  folder.Resident(0x30, folderName);
  folder.NonResident(0xA0, {0x11, 0x08, 0x40, 0x00}, 4096, 0, u"$I30");
  Place(disk, 16 + 2 * 40, folder.Finish());

  const std::vector<uint8_t> fileName = ntfstest::FileNameValue(u"a.txt", 1, 40, 4, 5, 6);
  ntfstest::RecordBuilder file(1);
  file.Resident(0x30, fileName);
  file.Resident(0x80, Utf16(u"hello"));
  Place(disk, 16 + 2 * 41, file.Finish());

  // INDX: the update sequence at 0x28 (value 1 at each sector's end), VCN 0, the
  // node header at 0x18 with entries from 0x40; one entry for record 41, the end.
  std::vector<uint8_t> block(4096, 0);
  block[0] = 'I', block[1] = 'N', block[2] = 'D', block[3] = 'X';
  ntfstest::Put16(block, 4, 0x28);
  ntfstest::Put16(block, 6, 9);
  ntfstest::Put16(block, 0x28, 1);
  for (size_t end = 510; end < block.size(); end += 512) ntfstest::Put16(block, end, 1);
  const size_t entry = 0x18 + 0x40;
  const uint16_t entryLength = static_cast<uint16_t>((16 + fileName.size() + 7) & ~size_t{7});
  ntfstest::Put64(block, entry, 41);
  ntfstest::Put16(block, entry + 8, entryLength);
  ntfstest::Put16(block, entry + 10, static_cast<uint16_t>(fileName.size()));
  std::copy(fileName.begin(), fileName.end(), block.begin() + static_cast<std::ptrdiff_t>(entry + 16));
  const size_t last = entry + entryLength;
  ntfstest::Put16(block, last + 8, 16);
  ntfstest::Put16(block, last + 12, 2);
  ntfstest::Put32(block, 0x18, 0x40);
  ntfstest::Put32(block, 0x18 + 4, static_cast<uint32_t>(last + 16 - 0x18));
  ntfstest::Put32(block, 0x18 + 8, 4096 - 0x18);
  Place(disk, 64, block);
}

uint16_t FileSystemOf(uint8_t choice) {
  switch (choice & 3) {
    case 0: return engine::kFileSystemFat16;
    case 1: return engine::kFileSystemFat32;
    default: return engine::kFileSystemNtfs;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const uint8_t choice = data[0];
  const uint8_t badSector = data[1];
  const uint8_t* sectors = data + 2;
  const size_t sectorBytes = std::min<size_t>(size - 2, size_t{kMaxSectors} * 512);
  const bool prepared = (choice & 4) != 0;
  const uint32_t sectorCount = std::max<uint32_t>(prepared ? kPreparedSectors : 1,
                                                  static_cast<uint32_t>((sectorBytes + 511) / 512));

  const uint16_t code = FileSystemOf(choice);
  MemoryDisk disk(sectorCount, code);
  if (prepared) {
    if (code == engine::kFileSystemNtfs) PrepareNtfs(disk);
    else PrepareFat(disk, code == engine::kFileSystemFat32);
  }
  for (size_t i = 0; i < sectorBytes; ++i) disk.Sector(static_cast<uint32_t>(i / 512))[i % 512] ^= sectors[i];
  if (badSector != 0xFF) disk.BadSectors.insert(badSector);
  disk.Attach();
  constexpr int32_t kSectorsPerRead[] = {1, 7, 64, 100};
  disk.ctx.RecoverySettings.SectorsPerRead = kSectorsPerRead[(choice >> 3) & 3];

  engine::EngineContext& ctx = disk.ctx;
  engine::PrepareExtensiveScan(ctx);
  engine::ExtensiveScanThreadProc(ctx);

  // The file-system page: each found volume chosen in turn and its tree built.
  const engine::FileFilterTable filters;
  const size_t volumes = std::min(ctx.Results.FoundVolumes.size(), kMaxTreeBuilds);
  for (size_t i = 0; i < volumes; ++i) {
    ctx.ActiveVolume = ctx.Results.FoundVolumes[i];
    ctx.ActiveVolumeNumber = static_cast<uint16_t>(i + 1);
    engine::FileSystemScanThreadProc(ctx, filters);
  }
  return 0;
}
