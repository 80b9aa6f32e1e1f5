#include "ReaderFile.h"

#ifdef _WIN32
#include <share.h>
#endif

namespace preview {

std::FILE* OpenSharedForReading(const std::filesystem::path& path) {
#ifdef _WIN32
  return _wfsopen(path.c_str(), L"rb", _SH_DENYWR);
#else
  return std::fopen(path.c_str(), "rb");
#endif
}

ReaderFile::ReaderFile(const std::filesystem::path& path) {
  file_ = OpenSharedForReading(path);
  if (file_ == nullptr) return;
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  length_ = error ? 0 : static_cast<uint64_t>(size);
}

ReaderFile::~ReaderFile() { Close(); }

size_t ReaderFile::Read(void* buffer, size_t count) {
  if (file_ == nullptr || count == 0) return 0;
  return std::fread(buffer, 1, count, file_);
}

bool ReaderFile::Seek(uint64_t offset) {
  if (file_ == nullptr) return false;
#ifdef _WIN32
  return _fseeki64(file_, static_cast<__int64>(offset), SEEK_SET) == 0;
#else
  return fseeko(file_, static_cast<off_t>(offset), SEEK_SET) == 0;
#endif
}

void ReaderFile::Close() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
}

bool ReadFileBytes(const std::filesystem::path& path, uint64_t limit, std::vector<uint8_t>& bytes) {
  bytes.clear();
  ReaderFile file(path);
  if (!file.IsOpen()) return false;
  const uint64_t wanted = file.Length() < limit ? file.Length() : limit;
  bytes.resize(static_cast<size_t>(wanted));
  bytes.resize(file.Read(bytes.data(), bytes.size()));
  return true;
}

}  // namespace preview
