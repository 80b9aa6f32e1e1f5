// Fuzzes the NTFS Quick Scan over a whole small volume: detection from the boot
// sector, the MFT's run map from record 0 (or its copy in $MFTMirr), the walk of
// every record with attribute lists and names, the lost-folder search and the
// hand-over to the results list. Whatever the records say, the folders filed must
// form a tree below the root: every folder's parents lead to the root or "Lost Dir".
//
// Byte 0 chooses the run: bit 0 a prepared volume (a root, a folder with a file, a
// cycle of two folders and a folder that is its own parent), bits 1-7 the sector
// where the rest of the input begins. Byte 1 names an unreadable sector (0xFF:
// none). The rest is XORed over the disk from that sector on, so unchanged bytes
// keep the prepared structures.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <unordered_set>
#include <vector>

#include "MemoryDisk.h"
#include "RecordBuilder.h"
#include "ntfs/NtfsQuickScan.h"
#include "results/ResultStore.h"

namespace {

constexpr uint32_t kPreparedSectors = 64;
constexpr uint32_t kMaxSectors = 1024;
constexpr uint32_t kMftSector = 16;
constexpr uint32_t kMirrorSector = 8;
constexpr uint32_t kRootId = 5;
constexpr uint32_t kLostDirId = 0xFFFFFFFE;

using testsupport::MemoryDisk;

void Place(MemoryDisk& disk, uint32_t sector, const std::vector<uint8_t>& bytes) {
  for (size_t i = 0; i < bytes.size(); ++i) disk.Sector(sector + static_cast<uint32_t>(i / 512))[i % 512] = bytes[i];
}

// A finished record that names itself `id`, as NTFS 3.1 records do.
std::vector<uint8_t> Numbered(ntfstest::RecordBuilder& builder, uint32_t id) {
  std::vector<uint8_t> record = builder.Finish();
  ntfstest::Put32(record, 44, id);
  return record;
}

void PlaceFolder(MemoryDisk& disk, uint32_t id, const std::u16string& name, uint32_t parent) {
  ntfstest::RecordBuilder folder(3);
  folder.Resident(0x30, ntfstest::FileNameValue(name, 1, parent, 1, 2, 3));
  Place(disk, kMftSector + 2 * id, Numbered(folder, id));
}

// One sector per cluster; the MFT's 16 records at sector 16, record 0's copy at 8.
void PrepareNtfs(MemoryDisk& disk) {
  disk.Write(0, 3, "NTFS    ");
  disk.WriteU16(0, 11, 512);
  disk.Sector(0)[13] = 1;
  disk.WriteU32(0, 40, kPreparedSectors - 1);
  disk.WriteU32(0, 48, kMftSector);
  disk.WriteU32(0, 56, kMirrorSector);
  disk.Sector(0)[64] = 0xF6;  // 1,024-byte records
  disk.Sector(0)[68] = 8;
  disk.MarkBoot(0);

  ntfstest::RecordBuilder mft(1);
  mft.Resident(0x30, ntfstest::FileNameValue(u"$MFT", 3, kRootId));
  mft.NonResident(0x80, {0x11, 0x20, 0x10, 0x00}, 16 * 1024);  // 32 clusters at cluster 16
  const std::vector<uint8_t> recordZero = Numbered(mft, 0);
  Place(disk, kMftSector, recordZero);
  Place(disk, kMirrorSector, recordZero);

  PlaceFolder(disk, kRootId, u".", kRootId);
  PlaceFolder(disk, 10, u"Docs", kRootId);
  ntfstest::RecordBuilder file(1);
  file.Resident(0x30, ntfstest::FileNameValue(u"a.txt", 1, 10, 4, 5, 6));
  file.Resident(0x80, {'h', 'e', 'l', 'l', 'o'});
  Place(disk, kMftSector + 2 * 11, Numbered(file, 11));
  PlaceFolder(disk, 12, u"Loop", 13);
  PlaceFolder(disk, 13, u"Back", 12);
  PlaceFolder(disk, 14, u"Self", 14);
}

// Every folder's parents lead to the root or "Lost Dir" without coming back.
void ExpectFolderTree(engine::ResultStore& results) {
  for (const engine::TreeFolderNode& folder : results.TreeFolders) {
    std::unordered_set<uint32_t> seen;
    uint32_t id = folder.Id;
    while (id != kRootId && id != kLostDirId) {
      if (!seen.insert(id).second) std::abort();  // a cycle hides these folders
      const engine::TreeFolderNode* parent = results.FindTreeFolder(id);
      if (parent == nullptr) break;  // gathered under "Lost Dir" by its missing parent
      id = parent->ParentId;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const bool prepared = (data[0] & 1) != 0;
  const uint8_t badSector = data[1];
  const uint32_t firstSector = static_cast<uint32_t>(data[0] >> 1);
  const size_t sectorBytes = std::min<size_t>(size - 2, size_t{kMaxSectors} * 512);
  const uint32_t sectorCount = std::max<uint32_t>(prepared ? kPreparedSectors : 1,
                                                  firstSector + static_cast<uint32_t>((sectorBytes + 511) / 512));

  MemoryDisk disk(sectorCount, engine::kFileSystemNtfs);
  if (prepared) PrepareNtfs(disk);
  for (size_t i = 0; i < sectorBytes; ++i) {
    disk.Sector(firstSector + static_cast<uint32_t>(i / 512))[i % 512] ^= data[2 + i];
  }
  if (badSector != 0xFF) disk.BadSectors.insert(badSector);
  disk.Attach();

  engine::EngineContext& ctx = disk.ctx;
  ctx.RecoveryMode = engine::kModeQuickScan;
  ctx.SourceSelection = {engine::kFileSystemNtfs, 0, sectorCount, sectorCount - 1, 0};
  if (!engine::DetectNtfsParameters(ctx, 0)) return 0;
  if (engine::WalkMft(ctx)) ExpectFolderTree(ctx.Results);
  return 0;
}
