#pragma once
// The file functions minizip reads an archive through: a file opened by name or a
// block of memory, so that minizip never opens anything by itself.

#include <cstdint>
#include <filesystem>

#include <ioapi.h>

namespace preview {

// What the back end is asked to open (handed to minizip as its "file name").
struct ZipSource {
  enum Kind : int { kWin32Handle = 1, kFileName = 2, kMemory = 3 };
  int kind = kFileName;
  std::filesystem::path path;        // kFileName
  const uint8_t* base = nullptr;     // kMemory
  uint64_t length = 0;               // kMemory
};

// Fills the minizip function table with the back end's functions.
void FillZipBackEnd(zlib_filefunc64_def& functions);

}  // namespace preview
