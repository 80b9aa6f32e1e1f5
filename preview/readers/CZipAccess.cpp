#include "CZipAccess.h"

#include <unzip.h>

#include <vector>

#include "AnsiText.h"
#include "DosTime.h"
#include "ZipFileBackEnd.h"

namespace preview {

namespace {

constexpr int kHandleReader = 1;
// Entries beyond this are not listed: a damaged end record can claim billions.
constexpr uint64_t kMaxEntries = 1000000;
constexpr size_t kMaxNameBytes = 259;

}  // namespace

struct ZipHandle {
  int kind = kHandleReader;
  unzFile archive = nullptr;
  int32_t openEntry = -1;      // the entry open for reading
  int32_t position = -1;       // the entry minizip stands on; -1 unknown
  int32_t cachedIndex = -1;
  ZipItemInfo cached;
  int32_t entryCount = 0;
};

namespace {

uint32_t Store(uint32_t result) {
  CZipAccess::LastError = result;
  return result;
}

void CloseOpenEntry(ZipHandle& h) {
  if (h.openEntry >= 0) unzCloseCurrentFile(h.archive);
  h.openEntry = -1;
}

// Positions minizip on entry `index`: forward from where it stands, or from the
// first entry when going back. Fails on a directory that ends early.
bool GoToEntry(ZipHandle& h, int32_t index) {
  if (h.position < 0 || index < h.position) {
    if (unzGoToFirstFile(h.archive) != UNZ_OK) {
      h.position = -1;
      return false;
    }
    h.position = 0;
  }
  while (h.position < index) {
    if (unzGoToNextFile(h.archive) != UNZ_OK) {
      h.position = -1;
      return false;
    }
    ++h.position;
  }
  return true;
}

uint32_t AttributesOf(uint32_t external) {
  uint32_t attributes = kAttrNormal;
  if ((external & 0x40000000) != 0 || (external & 0x10) != 0) attributes = kAttrNormal | kAttrDirectory;
  if (external & 0x20) attributes |= kAttrArchive;
  if (external & 0x2) attributes |= kAttrHidden;
  if ((external & 0x00800000) == 0 || (external & 0x1) != 0) attributes |= kAttrReadOnly;
  if (external & 0x4) attributes |= kAttrSystem;
  return attributes;
}

// The extended timestamp block ("UT") of a local extra field, when there is one.
void ApplyExtendedTimes(const std::vector<uint8_t>& extra, ZipItemInfo& item) {
  if (extra.size() <= 4) return;
  size_t position = 0;
  while (position + 4 < extra.size()) {
    const size_t dataSize = extra[position + 2] | (extra[position + 3] << 8);
    if (extra[position] == 'U' && extra[position + 1] == 'T') {
      const uint8_t flags = extra[position + 4];
      size_t at = position + 5;
      const size_t end = std::min(extra.size(), position + 4 + dataSize);
      auto next = [&](uint64_t& time) {
        if (at + 4 > end) return;
        const int32_t seconds = static_cast<int32_t>(extra[at] | (extra[at + 1] << 8) | (extra[at + 2] << 16) |
                                                     (static_cast<uint32_t>(extra[at + 3]) << 24));
        time = UnixTimeToFileTime(seconds);
        at += 4;
      };
      if (flags & 1) next(item.modificationTime);
      if (flags & 2) next(item.accessTime);
      if (flags & 4) next(item.creationTime);
      return;
    }
    position += 4 + dataSize;
  }
}

}  // namespace

ZipHandle* CZipAccess::OpenArchive(const void* source, uint64_t length, int sourceKind) {
  ZipSource zipSource;
  zipSource.kind = sourceKind;
  if (sourceKind == kZipSourceFileName && source != nullptr) {
    zipSource.path = *static_cast<const std::filesystem::path*>(source);
  } else if (sourceKind == kZipSourceMemory && source != nullptr) {
    zipSource.base = static_cast<const uint8_t*>(source);
    zipSource.length = length;
  } else {
    // Handles are not taken: the preview opens its copies by name.
    Store(kZipBadArgument);
    return nullptr;
  }
  zlib_filefunc64_def functions{};
  FillZipBackEnd(functions);
  unzFile archive = unzOpen2_64(&zipSource, &functions);
  if (archive == nullptr) {
    // Tell a file that cannot be opened from one that is not an archive.
    if (sourceKind == kZipSourceFileName) {
      std::error_code error;
      if (!std::filesystem::is_regular_file(zipSource.path, error)) {
        Store(kZipCannotOpenFile);
        return nullptr;
      }
    }
    Store(kZipNotAnArchive);
    return nullptr;
  }
  unz_global_info64 global{};
  unzGetGlobalInfo64(archive, &global);
  auto* handle = new ZipHandle;
  handle->archive = archive;
  handle->entryCount = static_cast<int32_t>(global.number_entry < kMaxEntries ? global.number_entry : kMaxEntries);
  handle->position = 0;
  Store(kZipOk);
  return handle;
}

uint32_t CZipAccess::GetItemInfo(ZipHandle* handle, int32_t index, ZipItemInfo& item) {
  if (handle == nullptr) return Store(kZipBadArgument);
  if (handle->kind != kHandleReader) return Store(kZipWrongHandleKind);
  ZipHandle& h = *handle;
  if (index < -1 || index >= h.entryCount) return Store(kZipBadArgument);
  CloseOpenEntry(h);
  if (index != -1 && index == h.cachedIndex) {
    item = h.cached;
    return Store(kZipOk);
  }
  if (index == -1) {
    item = ZipItemInfo{};
    item.index = h.entryCount;
    return Store(kZipOk);
  }
  h.cachedIndex = -1;
  unz_file_info64 info{};
  char name[kMaxNameBytes + 1] = {};
  if (!GoToEntry(h, index) ||
      unzGetCurrentFileInfo64(h.archive, &info, name, sizeof name, nullptr, 0, nullptr, 0) != UNZ_OK) {
    return Store(kZipLocalHeaderBad);
  }
  ZipItemInfo record;
  record.index = index;
  record.attributes = AttributesOf(static_cast<uint32_t>(info.external_fa));
  record.compressedSize = static_cast<int32_t>(info.compressed_size);
  record.uncompressedSize = static_cast<int32_t>(info.uncompressed_size);
  const uint64_t dosTime = DosLocalTimeToUtcFileTime(static_cast<uint32_t>(info.dosDate));
  record.accessTime = record.creationTime = record.modificationTime = dosTime;
  name[kMaxNameBytes] = 0;
  record.name = AnsiToWide(std::string_view(name));

  // The local header must agree with the directory; its extra field may carry UTC times.
  uint32_t result = kZipOk;
  int method = 0, level = 0;
  if (unzOpenCurrentFile2(h.archive, &method, &level, 1) != UNZ_OK) {
    result = kZipLocalHeaderBad;
  } else {
    const int extraSize = unzGetLocalExtrafield(h.archive, nullptr, 0);
    if (extraSize < 0) {
      result = kZipExtraFieldBad;
    } else if (extraSize > 0) {
      std::vector<uint8_t> extra(static_cast<size_t>(extraSize));
      if (unzGetLocalExtrafield(h.archive, extra.data(), static_cast<unsigned>(extra.size())) != extraSize) {
        result = kZipExtraFieldBad;
      } else {
        ApplyExtendedTimes(extra, record);
      }
    }
    unzCloseCurrentFile(h.archive);
  }
  // The record is always that of the entry asked for, also when its local header is damaged.
  item = record;
  if (result == kZipOk) {
    h.cached = record;
    h.cachedIndex = index;
  }
  return Store(result);
}

uint32_t CZipAccess::ExtractItem(ZipHandle* handle, int32_t index, void* target, uint32_t length,
                                 uint32_t* written) {
  if (written != nullptr) *written = 0;
  if (handle == nullptr || target == nullptr) return Store(kZipBadArgument);
  if (handle->kind != kHandleReader) return Store(kZipWrongHandleKind);
  ZipHandle& h = *handle;
  if (index != h.openEntry) {
    CloseOpenEntry(h);
    if (index < 0 || index >= h.entryCount) return Store(kZipBadArgument);
    // An entry that cannot be opened (damaged, unsupported method) gives nothing,
    // never the bytes of another entry.
    if (!GoToEntry(h, index) || unzOpenCurrentFile(h.archive) != UNZ_OK) return Store(kZipInflateFailed);
    h.openEntry = index;
  }
  const int got = unzReadCurrentFile(h.archive, target, length);
  if (got > 0) {
    if (written != nullptr) *written = static_cast<uint32_t>(got);
    return Store(kZipBufferFull);
  }
  // The check sum is tested when the entry is closed at its end.
  const int closed = unzCloseCurrentFile(h.archive);
  h.openEntry = -1;
  if (got < 0 || closed != UNZ_OK) return Store(kZipInflateFailed);
  return Store(kZipOk);
}

uint32_t CZipAccess::CloseArchive(ZipHandle* handle) {
  if (handle == nullptr) return Store(kZipBadArgument);
  if (handle->kind != kHandleReader) return Store(kZipWrongHandleKind);
  CloseOpenEntry(*handle);
  unzClose(handle->archive);
  delete handle;
  return Store(kZipOk);
}

bool CZipAccess::IsReaderHandle(const ZipHandle* handle) { return handle == nullptr || handle->kind == kHandleReader; }

}  // namespace preview
