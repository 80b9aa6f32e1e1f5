#pragma once
// A read-only compound-file (OLE structured storage) reader over bytes in memory,
// enough to tell Office documents apart: the names of the root's streams and
// storages, and the content of a stream. Every sector number, chain and size comes
// from the file and is checked against the bytes at hand; a damaged or cut-off
// file gives nothing rather than a wrong answer.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace engine {

inline constexpr uint8_t kCompoundFileMagic[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};

class CompoundFile {
 public:
  struct Entry {
    std::u16string Name;
    uint8_t Type = 0;  // 1 storage, 2 stream, 5 root
    uint32_t Left = 0, Right = 0, Child = 0;
    uint32_t StartSector = 0;
    uint64_t Size = 0;
  };

  // Nothing when the bytes do not begin with a readable compound-file header and
  // directory. The reader keeps a view of the bytes: they must outlive it.
  static std::optional<CompoundFile> Open(std::span<const uint8_t> bytes);

  // The entries directly below the root, in directory order.
  std::vector<const Entry*> RootChildren() const;
  // A stream directly below the root by exact name.
  const Entry* FindRootStream(std::u16string_view name) const;
  // The stream's bytes; nothing when a sector of it lies outside the bytes at hand
  // or its chain is broken.
  std::optional<std::vector<uint8_t>> ReadStream(const Entry& entry) const;

 private:
  explicit CompoundFile(std::span<const uint8_t> bytes) : bytes_(bytes) {}
  bool LoadFat(uint32_t fatSectorCount, uint32_t firstDifatSector, uint32_t difatSectorCount);
  std::optional<std::vector<uint8_t>> ReadChain(uint32_t firstSector, uint64_t size) const;
  std::optional<std::vector<uint8_t>> ReadMiniChain(uint32_t firstSector, uint64_t size) const;
  std::span<const uint8_t> SectorBytes(uint32_t sector) const;

  std::span<const uint8_t> bytes_;
  uint32_t sectorSize_ = 512;
  uint32_t miniStreamCutoff_ = 4096;
  uint32_t firstMiniFatSector_ = 0;
  std::vector<uint32_t> fat_;
  std::vector<Entry> entries_;
};

}  // namespace engine
