#include "extensive/NtfsRecordFiling.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "LeBytes.h"
#include "SectorReader.h"
#include "ntfs/IndexBlock.h"
#include "ntfs/MftRecord.h"
#include "ntfs/RecordFields.h"
#include "results/ResultStore.h"

namespace engine {
namespace {

constexpr uint32_t kIndexHeader = 24;
constexpr uint32_t kIndxVcn = 16;
constexpr uint32_t kKeyParentInEntry = 16;
constexpr uint8_t kFlagsDeletedFile = 0;
constexpr uint8_t kFlagsFile = 1;
constexpr uint8_t kFlagsDeletedFolder = 2;
constexpr uint8_t kFlagsFolder = 3;
constexpr uint32_t kLastSystemRecord = 4;

bool EqualsIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; };
  for (size_t i = 0; i < a.size(); ++i) {
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

uint32_t OwnIdOfFolder(std::span<const uint8_t> record, std::u16string_view name) {
  if (EqualsIgnoringAsciiCase(name, u".")) return ntfs::kRootRecord;
  if (EqualsIgnoringAsciiCase(name, u"$Extend")) return ntfs::kExtendRecord;
  return ntfs::FindIndexRootOwnId(record);
}

// The bytes of `byteCount` from `sector`: from what the caller has, else read.
std::vector<uint8_t> BlockBytes(EngineContext& ctx, uint32_t sector, std::span<const uint8_t> available,
                                uint32_t byteCount) {
  if (available.size() >= byteCount) return {available.begin(), available.begin() + byteCount};
  std::vector<uint8_t> bytes(byteCount);
  ReadSectors(ctx, sector, byteCount / kSectorSize, bytes);
  return bytes;
}

}  // namespace

void ProcessMftRecord(EngineContext& ctx, uint32_t sector, std::span<const uint8_t> record) {
  if (record.size() < ntfs::kMftRecordSize) return;
  std::vector<uint8_t> fixed(record.begin(), record.begin() + ntfs::kMftRecordSize);
  // A torn record is filed: its names and runs are there; the save names it damaged.
  if (!ntfs::Readable(ntfs::ApplyUpdateSequenceFixup(fixed))) return;
  const auto header = ntfs::ReadRecordHeader(fixed);
  if (!header) return;
  const auto name = ntfs::FindDisplayName(fixed);
  if (!name) return;

  if (header->Flags == kFlagsFolder || header->Flags == kFlagsDeletedFolder) {
    NtfsFolderNode folder;
    folder.Name = name->Name;
    folder.RecordSector = sector;
    folder.ParentId = name->ParentRecord;
    folder.OwnId = OwnIdOfFolder(fixed, name->Name);
    folder.Time1 = name->CreationTime;
    folder.Time2 = name->ModificationTime;
    const uint64_t indexCluster = ntfs::FirstIndexAllocationCluster(fixed);
    // A cluster beyond 32 bits cannot be a position we can claim; treat it as none.
    folder.IndexCluster = indexCluster <= UINT32_MAX ? static_cast<uint32_t>(indexCluster) : 0;
    folder.Deleted = header->Flags == kFlagsDeletedFolder ? 1 : 0;
    AddNtfsFolder(ctx, std::move(folder));
  } else if (header->Flags == kFlagsFile || header->Flags == kFlagsDeletedFile) {
    NtfsFileNode file;
    file.Name = name->Name;
    file.RecordSector = sector;
    file.ParentId = name->ParentRecord;
    file.Time1 = name->CreationTime;
    file.Time2 = name->ModificationTime;
    file.Size = ntfs::GetDataSize(fixed).value_or(0);
    file.Deleted = header->Flags == kFlagsDeletedFile ? 1 : 0;
    AddNtfsFile(ctx, std::move(file));
  }
}

bool AddIndxBlock(EngineContext& ctx, uint32_t sector, std::span<const uint8_t> available) {
  const auto size = ntfs::IndxBlockSize(available.first(std::min<size_t>(available.size(), kSectorSize)));
  if (!size) return false;
  const uint32_t byteCount = *size / kSectorSize * kSectorSize;
  std::vector<uint8_t> block = BlockBytes(ctx, sector, available, byteCount);
  if (!ntfs::Readable(ntfs::ApplyUpdateSequenceFixup(block))) return false;

  LeBytes view(block);
  const uint64_t firstEntry = uint64_t{kIndexHeader} + view.U32(kIndexHeader);
  const uint32_t owner = view.U32(firstEntry + kKeyParentInEntry);
  const uint32_t vcn = view.U32(kIndxVcn);
  if (!view.ok() || owner <= kLastSystemRecord || owner == 0xFFFFFFFF) return false;

  IndxBlockNode node;
  node.Sector = sector;
  node.OwnerId = owner;
  node.BlockVcn = vcn;
  node.SizeInSectors = static_cast<uint8_t>(byteCount / kSectorSize);
  AppendIndxBlock(ctx, node);
  ctx.Results.IndxBlockCount += 1;
  return true;
}

}  // namespace engine
