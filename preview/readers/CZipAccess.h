#pragma once
// The program's ZIP access layer over minizip: open an archive from a file name or
// a memory block, report its entries one by one, extract an entry into memory.
// Every operation returns a result code and leaves it in CZipAccess::LastError.

#include <cstdint>
#include <filesystem>
#include <string>

namespace preview {

enum ZipResult : uint32_t {
  kZipOk = 0,
  kZipHandleNotDuplicated = 0x100,
  kZipCannotOpenFile = 0x200,
  kZipWriteFailed = 0x400,
  kZipBufferFull = 0x600,
  kZipLocalHeaderBad = 0x700,
  kZipExtraFieldBad = 0x800,
  kZipBadArgument = 0x10000,
  kZipWriterFull = 0x30000,
  kZipWrongHandleKind = 0x80000,
  kZipAlreadyOpen = 0x1000000,
  kZipNotDiskFile = 0x2000000,
  kZipInflateFailed = 0x5000000,
  kZipNotAnArchive = 0x9000000,  // minizip found no ZIP structure in the source
};

enum ZipSourceKind : int { kZipSourceHandle = 1, kZipSourceFileName = 2, kZipSourceMemory = 3 };

// Windows file-attribute bits of an item record.
constexpr uint32_t kAttrReadOnly = 0x1, kAttrHidden = 0x2, kAttrSystem = 0x4, kAttrDirectory = 0x10,
                   kAttrArchive = 0x20, kAttrNormal = 0x80;

struct ZipItemInfo {
  int32_t index = 0;          // for index -1: the number of entries
  std::u16string name;        // at most 259 characters
  uint32_t attributes = 0;
  uint64_t accessTime = 0;    // FILETIMEs, UTC
  uint64_t creationTime = 0;
  uint64_t modificationTime = 0;
  int32_t compressedSize = 0;
  int32_t uncompressedSize = 0;
};

struct ZipHandle;

class CZipAccess {
 public:
  static inline uint32_t LastError = 0;

  // kZipSourceFileName: `source` is a std::filesystem::path; kZipSourceMemory: a byte
  // block of `length` bytes that must outlive the handle.
  static ZipHandle* OpenArchive(const void* source, uint64_t length, int sourceKind);
  static uint32_t GetItemInfo(ZipHandle* handle, int32_t index, ZipItemInfo& item);
  // Into memory only: `target` is a buffer of `length` bytes. 0x600 when the buffer
  // filled (call again with the same index to go on), 0 at the end of the entry.
  // `written` receives the bytes produced by this call.
  static uint32_t ExtractItem(ZipHandle* handle, int32_t index, void* target, uint32_t length,
                              uint32_t* written = nullptr);
  static uint32_t CloseArchive(ZipHandle* handle);
  static bool IsReaderHandle(const ZipHandle* handle);
};

}  // namespace preview
