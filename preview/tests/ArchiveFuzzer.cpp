// The archive readers over arbitrary bytes: a ZIP archive from memory (every entry
// listed and extracted), the tar walk, and gzip-or-tar through a file.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "CArchiveFile.h"
#include "CZipAccess.h"
#include "TarArchive.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace preview;
  if (ZipHandle* zip = CZipAccess::OpenArchive(data, size, kZipSourceMemory)) {
    ZipItemInfo item;
    CZipAccess::GetItemInfo(zip, -1, item);
    std::vector<uint8_t> buffer(4096);
    for (int32_t i = 0; i < item.index && i < 64; ++i) {
      ZipItemInfo entry;
      CZipAccess::GetItemInfo(zip, i, entry);
      for (int step = 0; step < 16 && CZipAccess::ExtractItem(zip, i, buffer.data(), 4096) == kZipBufferFull; ++step) {
      }
    }
    CZipAccess::CloseArchive(zip);
  }
  const int32_t tarMembers = WalkTar(std::span<const uint8_t>(data, size), [](const TarMember&) { return true; });
  // The file road adds something only for gzip streams and tar archives.
  const bool gzip = size >= 2 && data[0] == 0x1F && data[1] == 0x8B;
  if (!gzip && tarMembers == 0) return 0;

  static const std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("pelmo-archive-fuzz-" + std::to_string(::getpid()));
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  CArchiveFile archive;
  if (archive.Open(path)) {
    const int32_t count = archive.GetEntryCount();
    for (int32_t i = 0; i < count && i < 64; ++i) {
      ArchiveEntry entry;
      if (archive.GetEntry(i, entry) && entry.size > 0) {
        volatile uint8_t last = entry.data[entry.size - 1];
        (void)last;
      }
    }
  }
  return 0;
}
