#pragma once
// Where the RAR listing reads its bytes from: a file opened for reading only, or
// bytes already in memory. Reads are positioned, so a damaged length in one header
// can never move a shared file position under the next.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "ReaderFile.h"

namespace preview {

class RarByteSource {
 public:
  virtual ~RarByteSource() = default;
  virtual uint64_t Length() const = 0;
  // True only when all `count` bytes at `offset` were read.
  virtual bool ReadAt(uint64_t offset, void* buffer, size_t count) = 0;
};

class RarMemorySource final : public RarByteSource {
 public:
  explicit RarMemorySource(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}
  uint64_t Length() const override { return bytes_.size(); }
  bool ReadAt(uint64_t offset, void* buffer, size_t count) override;

 private:
  std::vector<uint8_t> bytes_;
};

class RarFileSource final : public RarByteSource {
 public:
  explicit RarFileSource(const std::filesystem::path& path) : file_(path) {}
  bool IsOpen() const { return file_.IsOpen(); }
  uint64_t Length() const override { return file_.Length(); }
  bool ReadAt(uint64_t offset, void* buffer, size_t count) override;

 private:
  ReaderFile file_;
};

}  // namespace preview
