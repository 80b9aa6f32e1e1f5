#include "signatures/CompoundFile.h"

#include <algorithm>
#include <unordered_set>

#include "LeBytes.h"

namespace engine {
namespace {

// Header fields (MS-CFB 2.2).
constexpr uint64_t kMajorVersionOffset = 26;
constexpr uint64_t kByteOrderOffset = 28;
constexpr uint64_t kSectorShiftOffset = 30;
constexpr uint64_t kMiniSectorShiftOffset = 32;
constexpr uint64_t kFatSectorCountOffset = 44;
constexpr uint64_t kFirstDirectorySectorOffset = 48;
constexpr uint64_t kMiniStreamCutoffOffset = 56;
constexpr uint64_t kFirstMiniFatSectorOffset = 60;
constexpr uint64_t kFirstDifatSectorOffset = 68;
constexpr uint64_t kDifatSectorCountOffset = 72;
constexpr uint64_t kHeaderDifatOffset = 76;
constexpr uint32_t kHeaderDifatEntries = 109;
constexpr uint32_t kMiniSectorSize = 64;

// Directory entries (MS-CFB 2.6).
constexpr uint32_t kEntrySize = 128;
constexpr uint64_t kEntryNameLengthOffset = 64;
constexpr uint64_t kEntryTypeOffset = 66;
constexpr uint64_t kEntryLeftOffset = 68;
constexpr uint64_t kEntryRightOffset = 72;
constexpr uint64_t kEntryChildOffset = 76;
constexpr uint64_t kEntryStartSectorOffset = 116;
constexpr uint64_t kEntrySizeOffset = 120;

constexpr uint32_t kMaxRegularSector = 0xFFFFFFFA;
constexpr uint32_t kNoStream = 0xFFFFFFFF;
constexpr uint8_t kTypeStorage = 1;
constexpr uint8_t kTypeStream = 2;
constexpr uint8_t kTypeRoot = 5;

}  // namespace

std::optional<CompoundFile> CompoundFile::Open(std::span<const uint8_t> bytes) {
  LeBytes header(bytes);
  const std::span<const uint8_t> magic = header.Span(0, sizeof kCompoundFileMagic);
  if (!header.ok() || !std::equal(magic.begin(), magic.end(), kCompoundFileMagic)) return std::nullopt;
  const uint16_t majorVersion = header.U16(kMajorVersionOffset);
  const uint16_t sectorShift = header.U16(kSectorShiftOffset);
  if (header.U16(kByteOrderOffset) != 0xFFFE || header.U16(kMiniSectorShiftOffset) != 6) return std::nullopt;
  if (!((majorVersion == 3 && sectorShift == 9) || (majorVersion == 4 && sectorShift == 12))) return std::nullopt;

  CompoundFile file(bytes);
  file.sectorSize_ = 1u << sectorShift;
  file.miniStreamCutoff_ = header.U32(kMiniStreamCutoffOffset);
  file.firstMiniFatSector_ = header.U32(kFirstMiniFatSectorOffset);
  const uint32_t fatSectors = header.U32(kFatSectorCountOffset);
  const uint32_t firstDirectorySector = header.U32(kFirstDirectorySectorOffset);
  const uint32_t firstDifatSector = header.U32(kFirstDifatSectorOffset);
  const uint32_t difatSectors = header.U32(kDifatSectorCountOffset);
  if (!header.ok() || !file.LoadFat(fatSectors, firstDifatSector, difatSectors)) return std::nullopt;

  // The directory's size is not recorded (version 3): read its chain to the end.
  const std::optional<std::vector<uint8_t>> directory = file.ReadChain(firstDirectorySector, UINT64_MAX);
  if (!directory || directory->size() < kEntrySize) return std::nullopt;
  LeBytes entries(*directory);
  for (uint64_t offset = 0; offset + kEntrySize <= entries.size(); offset += kEntrySize) {
    Entry entry;
    const uint16_t nameBytes = std::min<uint16_t>(entries.U16(offset + kEntryNameLengthOffset), 64);
    for (uint64_t i = 0; i + 1 < nameBytes; i += 2) {
      const char16_t c = entries.U16(offset + i);
      if (c == 0) break;
      entry.Name.push_back(c);
    }
    entry.Type = entries.U8(offset + kEntryTypeOffset);
    entry.Left = entries.U32(offset + kEntryLeftOffset);
    entry.Right = entries.U32(offset + kEntryRightOffset);
    entry.Child = entries.U32(offset + kEntryChildOffset);
    entry.StartSector = entries.U32(offset + kEntryStartSectorOffset);
    entry.Size = entries.U64(offset + kEntrySizeOffset);
    // Version 3 files may hold garbage in the high half of the size.
    if (majorVersion == 3) entry.Size &= 0xFFFFFFFF;
    file.entries_.push_back(std::move(entry));
  }
  if (file.entries_[0].Type != kTypeRoot) return std::nullopt;
  return file;
}

bool CompoundFile::LoadFat(uint32_t fatSectorCount, uint32_t firstDifatSector, uint32_t difatSectorCount) {
  // Only the FAT sectors that describe the sectors at hand matter: a chain that
  // leaves the bytes at hand cannot be read anyway. A FAT sector that lies outside
  // them reads as free sectors, which end every chain through it.
  const uint64_t sectorsAtHand = bytes_.size() / sectorSize_;
  const uint64_t entriesPerFatSector = sectorSize_ / 4;
  const uint64_t needed =
      std::min<uint64_t>(fatSectorCount, (sectorsAtHand + entriesPerFatSector - 1) / entriesPerFatSector);
  if (needed == 0) return false;
  std::vector<uint32_t> fatSectors;
  LeBytes header(bytes_);
  for (uint32_t i = 0; i < kHeaderDifatEntries && fatSectors.size() < needed; ++i) {
    fatSectors.push_back(header.U32(kHeaderDifatOffset + 4 * i));
  }
  // Further FAT sector numbers sit in a chain of DIFAT sectors, whose last entry
  // names the next DIFAT sector.
  uint32_t difatSector = firstDifatSector;
  const uint32_t entriesPerDifat = sectorSize_ / 4 - 1;
  for (uint32_t n = 0; n < difatSectorCount && fatSectors.size() < needed; ++n) {
    LeBytes difat(SectorBytes(difatSector));
    if (difat.size() == 0) break;
    for (uint32_t i = 0; i < entriesPerDifat && fatSectors.size() < needed; ++i) {
      fatSectors.push_back(difat.U32(4 * i));
    }
    difatSector = difat.U32(4 * entriesPerDifat);
  }
  fatSectors.resize(static_cast<std::size_t>(needed), kNoStream);
  for (uint32_t sector : fatSectors) {
    LeBytes fatSector(SectorBytes(sector));
    for (uint64_t i = 0; i < entriesPerFatSector; ++i) {
      fat_.push_back(fatSector.size() == 0 ? kNoStream : fatSector.U32(4 * i));
    }
  }
  return true;
}

std::span<const uint8_t> CompoundFile::SectorBytes(uint32_t sector) const {
  if (sector > kMaxRegularSector) return {};
  const uint64_t offset = (static_cast<uint64_t>(sector) + 1) * sectorSize_;
  if (offset > bytes_.size() || bytes_.size() - offset < sectorSize_) return {};
  return bytes_.subspan(static_cast<std::size_t>(offset), sectorSize_);
}

std::optional<std::vector<uint8_t>> CompoundFile::ReadChain(uint32_t firstSector, uint64_t size) const {
  std::vector<uint8_t> data;
  std::unordered_set<uint32_t> visited;
  uint32_t sector = firstSector;
  while (data.size() < size && sector <= kMaxRegularSector) {
    const std::span<const uint8_t> bytes = SectorBytes(sector);
    if (bytes.empty() || sector >= fat_.size() || !visited.insert(sector).second) return std::nullopt;
    data.insert(data.end(), bytes.begin(), bytes.end());
    sector = fat_[sector];
  }
  if (size == UINT64_MAX) return data;
  if (data.size() < size) return std::nullopt;
  data.resize(static_cast<std::size_t>(size));
  return data;
}

std::optional<std::vector<uint8_t>> CompoundFile::ReadMiniChain(uint32_t firstSector, uint64_t size) const {
  const Entry& root = entries_[0];
  if (root.Size > bytes_.size()) return std::nullopt;
  const std::optional<std::vector<uint8_t>> miniStream = ReadChain(root.StartSector, root.Size);
  const std::optional<std::vector<uint8_t>> miniFatBytes = ReadChain(firstMiniFatSector_, UINT64_MAX);
  if (!miniStream || !miniFatBytes) return std::nullopt;
  LeBytes miniFat(*miniFatBytes);
  std::vector<uint8_t> data;
  std::unordered_set<uint32_t> visited;
  uint32_t sector = firstSector;
  while (data.size() < size) {
    const uint64_t offset = static_cast<uint64_t>(sector) * kMiniSectorSize;
    if (sector > kMaxRegularSector || offset + kMiniSectorSize > miniStream->size() ||
        !visited.insert(sector).second) {
      return std::nullopt;
    }
    data.insert(data.end(), miniStream->begin() + static_cast<std::ptrdiff_t>(offset),
                miniStream->begin() + static_cast<std::ptrdiff_t>(offset + kMiniSectorSize));
    sector = miniFat.U32(static_cast<uint64_t>(sector) * 4);
    if (!miniFat.ok()) return std::nullopt;
  }
  data.resize(static_cast<std::size_t>(size));
  return data;
}

std::vector<const CompoundFile::Entry*> CompoundFile::RootChildren() const {
  // The children form a tree through the left and right links; walk it with a
  // visited set, as a damaged file may link in circles.
  std::vector<const Entry*> children;
  std::vector<uint32_t> pending{entries_[0].Child};
  std::unordered_set<uint32_t> visited;
  while (!pending.empty()) {
    const uint32_t id = pending.back();
    pending.pop_back();
    if (id == kNoStream || id >= entries_.size() || !visited.insert(id).second) continue;
    const Entry& entry = entries_[id];
    if (entry.Type != kTypeStorage && entry.Type != kTypeStream) continue;
    children.push_back(&entry);
    pending.push_back(entry.Right);
    pending.push_back(entry.Left);
  }
  std::sort(children.begin(), children.end());  // directory order
  return children;
}

const CompoundFile::Entry* CompoundFile::FindRootStream(std::u16string_view name) const {
  for (const Entry* entry : RootChildren()) {
    if (entry->Type == kTypeStream && entry->Name == name) return entry;
  }
  return nullptr;
}

std::optional<std::vector<uint8_t>> CompoundFile::ReadStream(const Entry& entry) const {
  if (entry.Size > bytes_.size()) return std::nullopt;
  if (entry.Type != kTypeRoot && entry.Size < miniStreamCutoff_) return ReadMiniChain(entry.StartSector, entry.Size);
  return ReadChain(entry.StartSector, entry.Size);
}

}  // namespace engine
