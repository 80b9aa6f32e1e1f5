#pragma once
// An archive opened for the document view's listing: a ZIP archive (through
// CZipAccess), or a gzip stream whose content is either one plain file or a tar
// archive. Failures set a message and return 0 or -1; nothing is shown or thrown.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace preview {

struct ZipHandle;

// What GetEntry reports. A field a kind of archive does not give keeps the value
// the caller put there.
struct ArchiveEntry {
  const uint8_t* data = nullptr;  // owned by the CArchiveFile
  uint64_t size = 0;              // bytes at `data`
  bool isFile = false;
  std::u16string name;
  std::u16string kindText;
  uint64_t accessTime = 0, creationTime = 0, modificationTime = 0;  // ZIP only (FILETIME, UTC)
  uint32_t tarTime = 0;                                            // tar only (seconds since 1970)
  bool truncated = false;         // the data stops short of the size the archive gives
};

class CArchiveFile {
 public:
  enum Kind : int32_t { kNotOpened = 0, kZip = 1, kGzip = 2, kTarInGzip = 3 };
  // Entries larger than this are read only to this length.
  static constexpr uint64_t kEntryCap = 64ull * 1024 * 1024;

  CArchiveFile() = default;
  ~CArchiveFile();
  CArchiveFile(const CArchiveFile&) = delete;
  CArchiveFile& operator=(const CArchiveFile&) = delete;

  int Open(const std::filesystem::path& path);
  int32_t GetEntryCount();
  int GetEntry(int32_t index, ArchiveEntry& entry);
  void Close();

  Kind GetKind() const { return kind_; }
  const std::string& GetLastErrorText() const { return lastError_; }
  // The content held for gzip and tar was cut at the preview cap.
  bool IsContentCapped() const { return capped_; }

 private:
  int GetZipEntry(int32_t index, ArchiveEntry& entry);
  int GetTarEntry(int32_t index, ArchiveEntry& entry);
  bool EnsureContent();

  std::filesystem::path path_;
  ZipHandle* zip_ = nullptr;
  std::vector<uint8_t> content_;
  bool contentHeld_ = false;
  bool capped_ = false;
  std::string lastError_;
  Kind kind_ = kNotOpened;
};

}  // namespace preview
