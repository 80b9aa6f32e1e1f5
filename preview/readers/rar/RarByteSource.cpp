#include "RarByteSource.h"

#include <cstring>

namespace preview {

bool RarMemorySource::ReadAt(uint64_t offset, void* buffer, size_t count) {
  if (offset > bytes_.size() || count > bytes_.size() - offset) return false;
  if (count != 0) std::memcpy(buffer, bytes_.data() + offset, count);
  return true;
}

bool RarFileSource::ReadAt(uint64_t offset, void* buffer, size_t count) {
  if (!file_.IsOpen() || offset > file_.Length() || count > file_.Length() - offset) return false;
  return file_.Seek(offset) && file_.Read(buffer, count) == count;
}

}  // namespace preview
