#include "ZipFileBackEnd.h"

#include <cstdio>
#include <cstring>

#include "ReaderFile.h"

namespace preview {

namespace {

struct BackEnd {
  std::FILE* file = nullptr;
  const uint8_t* base = nullptr;
  uint64_t length = 0;
  uint64_t position = 0;
  bool error = false;
};

voidpf ZCALLBACK Open(voidpf, const void* name, int mode) {
  const auto* source = static_cast<const ZipSource*>(name);
  if (source == nullptr || (mode & ZLIB_FILEFUNC_MODE_WRITE) != 0) return nullptr;
  auto* backEnd = new BackEnd;
  if (source->kind == ZipSource::kMemory && source->base != nullptr) {
    backEnd->base = source->base;
    backEnd->length = source->length;
    return backEnd;
  }
  if (source->kind == ZipSource::kFileName) {
    backEnd->file = OpenSharedForReading(source->path);
    if (backEnd->file != nullptr) return backEnd;
  }
  delete backEnd;
  return nullptr;
}

uLong ZCALLBACK Read(voidpf, voidpf stream, void* buffer, uLong size) {
  auto* backEnd = static_cast<BackEnd*>(stream);
  if (backEnd->file != nullptr) {
    const size_t got = std::fread(buffer, 1, size, backEnd->file);
    if (got < size && std::ferror(backEnd->file)) backEnd->error = true;
    return static_cast<uLong>(got);
  }
  const uint64_t left = backEnd->position < backEnd->length ? backEnd->length - backEnd->position : 0;
  const uint64_t count = size < left ? size : left;
  if (count > 0) std::memcpy(buffer, backEnd->base + backEnd->position, static_cast<size_t>(count));
  backEnd->position += count;
  return static_cast<uLong>(count);
}

uLong ZCALLBACK Write(voidpf, voidpf, const void*, uLong) { return 0; }

ZPOS64_T ZCALLBACK Tell(voidpf, voidpf stream) {
  auto* backEnd = static_cast<BackEnd*>(stream);
  if (backEnd->file == nullptr) return backEnd->position;
#ifdef _WIN32
  const __int64 at = _ftelli64(backEnd->file);
#else
  const off_t at = ftello(backEnd->file);
#endif
  return at < 0 ? 0 : static_cast<ZPOS64_T>(at);
}

long ZCALLBACK Seek(voidpf, voidpf stream, ZPOS64_T offset, int origin) {
  auto* backEnd = static_cast<BackEnd*>(stream);
  if (backEnd->file != nullptr) {
    int whence = SEEK_SET;
    if (origin == ZLIB_FILEFUNC_SEEK_CUR) whence = SEEK_CUR;
    else if (origin == ZLIB_FILEFUNC_SEEK_END) whence = SEEK_END;
    else if (origin != ZLIB_FILEFUNC_SEEK_SET) return 19;
#ifdef _WIN32
    return _fseeki64(backEnd->file, static_cast<__int64>(offset), whence) == 0 ? 0 : -1;
#else
    return fseeko(backEnd->file, static_cast<off_t>(offset), whence) == 0 ? 0 : -1;
#endif
  }
  uint64_t target = 0;
  switch (origin) {
    case ZLIB_FILEFUNC_SEEK_SET: target = offset; break;
    case ZLIB_FILEFUNC_SEEK_CUR: target = backEnd->position + offset; break;
    case ZLIB_FILEFUNC_SEEK_END: target = backEnd->length + offset; break;
    default: return 19;
  }
  if (target > backEnd->length) return -1;  // nothing lies beyond the block
  backEnd->position = target;
  return 0;
}

int ZCALLBACK Close(voidpf, voidpf stream) {
  auto* backEnd = static_cast<BackEnd*>(stream);
  if (backEnd->file != nullptr) std::fclose(backEnd->file);
  delete backEnd;
  return 0;
}

int ZCALLBACK Error(voidpf, voidpf stream) { return static_cast<BackEnd*>(stream)->error ? 1 : 0; }

}  // namespace

void FillZipBackEnd(zlib_filefunc64_def& functions) {
  functions.zopen64_file = Open;
  functions.zread_file = Read;
  functions.zwrite_file = Write;
  functions.ztell64_file = Tell;
  functions.zseek64_file = Seek;
  functions.zclose_file = Close;
  functions.zerror_file = Error;
  functions.opaque = nullptr;
}

}  // namespace preview
