#include "Win32InputFileReader.h"

#include <windows.h>

namespace platform {
namespace {

class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

}  // namespace

std::optional<std::vector<uint8_t>> Win32InputFileReader::ReadWholeFile(const std::u16string& path,
                                                                        uint64_t maxBytes) {
  // Read access only, so a read-only snapshot loads.
  FileHandle file(CreateFileW(reinterpret_cast<const wchar_t*>(path.c_str()), GENERIC_READ, FILE_SHARE_READ,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) return std::nullopt;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0) return std::nullopt;
  if (static_cast<uint64_t>(size.QuadPart) > maxBytes) return std::nullopt;
  std::vector<uint8_t> bytes(static_cast<size_t>(size.QuadPart));
  size_t done = 0;
  while (done < bytes.size()) {
    const size_t left = bytes.size() - done;
    const DWORD chunk = left > 0x40000000u ? 0x40000000u : static_cast<DWORD>(left);
    DWORD got = 0;
    if (!ReadFile(file.get(), bytes.data() + done, chunk, &got, nullptr) || got == 0) return std::nullopt;
    done += got;
  }
  return bytes;
}

}  // namespace platform
