#include "ntfs/IndexBlock.h"

namespace engine::ntfs {
namespace {

constexpr uint32_t kIndxVcn = 16;
constexpr uint32_t kIndexHeader = 24;  // offsets of the index header count from here
constexpr uint32_t kFirstEntry = kIndexHeader + 0;
constexpr uint32_t kEntriesSize = kIndexHeader + 4;
constexpr uint32_t kAllocatedSize = kIndexHeader + 8;
constexpr uint32_t kEntryHeaderSize = 16;
constexpr uint16_t kEntryIsLast = 0x02;

}  // namespace

std::optional<uint32_t> IndxBlockSize(std::span<const uint8_t> firstSector) {
  if (!HasSignature(firstSector, "INDX")) return std::nullopt;
  LeBytes view(firstSector);
  const uint64_t size = uint64_t{kIndexHeader} + view.U32(kAllocatedSize);
  if (!view.ok() || size > kMaxIndxBlockBytes || size < 512) return std::nullopt;
  return static_cast<uint32_t>(size);
}

std::optional<IndxBlock> ParseIndxBlock(std::span<const uint8_t> block) {
  if (!HasSignature(block, "INDX")) return std::nullopt;
  LeBytes view(block);
  IndxBlock parsed;
  parsed.Vcn = view.U64(kIndxVcn);
  const uint64_t first = uint64_t{kIndexHeader} + view.U32(kFirstEntry);
  const uint64_t end = uint64_t{kIndexHeader} + view.U32(kEntriesSize);
  if (!view.ok() || first > end || end > block.size()) return std::nullopt;

  LeBytes entries(block.first(static_cast<std::size_t>(end)));
  uint64_t offset = first;
  while (entries.Has(offset, kEntryHeaderSize)) {
    const uint32_t fileRecord = entries.U32(offset);
    const uint16_t length = entries.U16(offset + 8);
    const uint16_t keyLength = entries.U16(offset + 10);
    const uint16_t flags = entries.U16(offset + 12);
    if ((flags & kEntryIsLast) != 0 || length < kEntryHeaderSize || !entries.Has(offset, length)) break;
    if (keyLength > length - kEntryHeaderSize) break;
    const auto key = ParseFileName(entries.Span(offset + kEntryHeaderSize, keyLength));
    if (!key) break;
    parsed.Entries.push_back({fileRecord, *key});
    offset += length;
  }
  return parsed;
}

}  // namespace engine::ntfs
