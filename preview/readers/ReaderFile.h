#pragma once
// A file opened for reading only, shared with other readers but not with writers.
// The readers of the preview open the temporary copies through this and never
// write to them.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace preview {

class ReaderFile {
 public:
  ReaderFile() = default;
  explicit ReaderFile(const std::filesystem::path& path);
  ~ReaderFile();
  ReaderFile(const ReaderFile&) = delete;
  ReaderFile& operator=(const ReaderFile&) = delete;

  bool IsOpen() const { return file_ != nullptr; }
  // Bytes read, short at the end of the file or on an error.
  size_t Read(void* buffer, size_t count);
  bool Seek(uint64_t offset);
  uint64_t Length() const { return length_; }
  void Close();

 private:
  std::FILE* file_ = nullptr;
  uint64_t length_ = 0;
};

// A C file opened for binary reading, shared with readers only; null when it cannot be.
std::FILE* OpenSharedForReading(const std::filesystem::path& path);

// The first `limit` bytes of a file at most; false when it cannot be opened.
bool ReadFileBytes(const std::filesystem::path& path, uint64_t limit, std::vector<uint8_t>& bytes);

}  // namespace preview
