#include "CArchiveFile.h"

#include "AnsiText.h"
#include "CZipAccess.h"
#include "GzipContent.h"
#include "TarArchive.h"

namespace preview {

namespace {
constexpr const char* kNotOpenedText = "Archive not opened";
constexpr const char* kNoGzipDataText = "Could not read data from gzip archive !";
}  // namespace

CArchiveFile::~CArchiveFile() { Close(); }

void CArchiveFile::Close() {
  if (zip_ != nullptr) CZipAccess::CloseArchive(zip_);
  zip_ = nullptr;
  content_.clear();
  content_.shrink_to_fit();
  contentHeld_ = false;
  capped_ = false;
  lastError_.clear();
}

bool CArchiveFile::EnsureContent() {
  if (contentHeld_) return true;
  const GzipRead outcome = ReadGzipContent(path_, content_);
  if (outcome != GzipRead::kOk && outcome != GzipRead::kCapped) {
    lastError_ = kNoGzipDataText;
    return false;
  }
  capped_ = outcome == GzipRead::kCapped;
  contentHeld_ = true;
  return true;
}

int CArchiveFile::Open(const std::filesystem::path& path) {
  Close();
  path_ = path;
  zip_ = CZipAccess::OpenArchive(&path_, 0, kZipSourceFileName);
  if (zip_ != nullptr) {
    kind_ = kZip;
    return 1;
  }
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) {
    lastError_ = "Could not determine archive type !";
    return 0;
  }
  if (!EnsureContent()) return 0;
  kind_ = IsValidTarHeader(content_, 0) ? kTarInGzip : kGzip;
  return 1;
}

int32_t CArchiveFile::GetEntryCount() {
  switch (kind_) {
    case kNotOpened:
      lastError_ = kNotOpenedText;
      return -1;
    case kZip: {
      if (zip_ == nullptr) return -1;
      ZipItemInfo info;
      if (CZipAccess::GetItemInfo(zip_, -1, info) != kZipOk) {
        lastError_ = "Could not get files from the archive !";
        return -1;
      }
      return info.index;
    }
    case kGzip:
      return 1;
    case kTarInGzip:
      if (!EnsureContent()) return -1;
      return WalkTar(content_, [](const TarMember&) { return true; });
  }
  return -1;
}

int CArchiveFile::GetEntry(int32_t index, ArchiveEntry& entry) {
  switch (kind_) {
    case kNotOpened:
      lastError_ = kNotOpenedText;
      return 0;
    case kZip:
      return GetZipEntry(index, entry);
    case kGzip:
      if (!EnsureContent()) return 0;
      entry.data = content_.data();
      entry.size = content_.size();
      entry.truncated = capped_;
      entry.isFile = true;
      entry.name = u"unknown";
      return 1;
    case kTarInGzip:
      return GetTarEntry(index, entry);
  }
  return 0;
}

int CArchiveFile::GetZipEntry(int32_t index, ArchiveEntry& entry) {
  if (zip_ == nullptr) return 0;
  ZipItemInfo info;
  if (CZipAccess::GetItemInfo(zip_, index, info) != kZipOk) {
    lastError_ = "Could not get file at the specified position from the archive !";
    return 0;
  }
  // The size in the directory is only a claim: take no more than the cap, and
  // report the bytes that actually came out of the entry.
  const uint64_t claimed = static_cast<uint32_t>(info.uncompressedSize);
  const uint64_t room = claimed < kEntryCap ? claimed : kEntryCap;
  content_.assign(static_cast<size_t>(room) + 10, 0);
  contentHeld_ = false;
  uint64_t produced = 0;
  uint32_t result = kZipOk;
  do {
    uint32_t written = 0;
    result = CZipAccess::ExtractItem(zip_, index, content_.data() + produced,
                                     static_cast<uint32_t>(room - produced), &written);
    produced += written;
  } while (result == kZipBufferFull && produced < room);
  if (result != kZipOk && result != kZipBufferFull) {
    content_.clear();
    lastError_ = "Could not unzip file at the specified position from the archive !";
    return 0;
  }
  content_[static_cast<size_t>(produced)] = 0;
  entry.data = content_.data();
  entry.size = produced;
  entry.truncated = produced < claimed;
  entry.isFile = (info.attributes & kAttrNormal) != 0;
  if (entry.isFile) entry.kindText = u"FILE_ATTRIBUTE_NORMAL";
  if (info.attributes & kAttrDirectory) entry.kindText = u"FILE_ATTRIBUTE_DIRECTORY";
  else if (info.attributes & kAttrArchive) entry.kindText = u"FILE_ATTRIBUTE_ARCHIVE";
  else if (info.attributes & kAttrHidden) entry.kindText = u"FILE_ATTRIBUTE_HIDDEN";
  else if (info.attributes & kAttrReadOnly) entry.kindText = u"FILE_ATTRIBUTE_READONLY";
  else if (info.attributes & kAttrSystem) entry.kindText = u"FILE_ATTRIBUTE_SYSTEM";
  entry.name = info.name;
  entry.accessTime = info.accessTime;
  entry.creationTime = info.creationTime;
  entry.modificationTime = info.modificationTime;
  return 1;
}

int CArchiveFile::GetTarEntry(int32_t index, ArchiveEntry& entry) {
  if (!EnsureContent()) return 0;
  if (index < 0) {
    lastError_ = "Invalid file position !";
    return 0;
  }
  TarMember found;
  bool reached = false;
  int32_t toPass = index;
  const int32_t valid = WalkTar(content_, [&](const TarMember& member) {
    if (toPass-- > 0) return true;
    found = member;
    reached = true;
    return false;
  });
  if (!reached) {
    // A damaged header before the member is reported; a damaged member itself is not.
    if (valid < index) lastError_ = "Invalid file position !";
    return 0;
  }
  entry.data = content_.data() + found.dataOffset;
  entry.size = found.available;
  entry.truncated = found.available < found.size;
  entry.isFile = found.type == '0' || found.type == 0;
  switch (found.type) {
    case '0': case 0: entry.kindText = u"regular file"; break;
    case '1': entry.kindText = u"link"; break;
    case '2': case '7': entry.kindText = u"reserved"; break;
    case '3': entry.kindText = u"character special"; break;
    case '4': entry.kindText = u"block special"; break;
    case '5': entry.kindText = u"directory"; break;
    case '6': entry.kindText = u"FIFO special"; break;
    default: break;
  }
  entry.name = AnsiToWide(found.name);
  entry.tarTime = found.modificationTime;
  return 1;
}

}  // namespace preview
