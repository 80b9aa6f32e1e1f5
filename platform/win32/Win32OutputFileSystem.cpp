#include "Win32OutputFileSystem.h"

#include <windows.h>

namespace platform {
namespace {

// CreateDirectoryW stops at MAX_PATH - 12: room left for an 8.3 name below the folder.
constexpr std::size_t kFolderPathLimit = MAX_PATH - 12;

// A path as the Win32 calls are given it; lives to the end of the call's expression.
class ApiPath {
 public:
  explicit ApiPath(const std::u16string& path, std::size_t limit = MAX_PATH) : path_(LongPathForm(path, limit)) {}
  const wchar_t* c_str() const { return reinterpret_cast<const wchar_t*>(path_.c_str()); }

 private:
  std::u16string path_;
};

FILETIME ToFileTime(uint64_t value) {
  FILETIME time;
  time.dwLowDateTime = static_cast<DWORD>(value);
  time.dwHighDateTime = static_cast<DWORD>(value >> 32);
  return time;
}

class Win32OutputFile final : public engine::OutputFile {
 public:
  explicit Win32OutputFile(HANDLE handle) : handle_(handle) {}
  ~Win32OutputFile() override {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }

  bool Write(std::span<const uint8_t> bytes) override {
    if (handle_ == INVALID_HANDLE_VALUE) return false;
    while (!bytes.empty()) {
      const DWORD chunk = bytes.size() > 0x40000000u ? 0x40000000u : static_cast<DWORD>(bytes.size());
      DWORD written = 0;
      if (!WriteFile(handle_, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
      bytes = bytes.subspan(written);
    }
    return true;
  }

  bool SetTimes(const engine::OutputFileTimes& times) override {
    if (handle_ == INVALID_HANDLE_VALUE) return false;
    FILETIME creation{}, access{}, write{};
    if (times.Creation) creation = ToFileTime(*times.Creation);
    if (times.LastAccess) access = ToFileTime(*times.LastAccess);
    if (times.LastWrite) write = ToFileTime(*times.LastWrite);
    return SetFileTime(handle_, times.Creation ? &creation : nullptr, times.LastAccess ? &access : nullptr,
                       times.LastWrite ? &write : nullptr) != FALSE;
  }

  bool Close() override {
    if (handle_ == INVALID_HANDLE_VALUE) return false;
    HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    return CloseHandle(handle) != FALSE;
  }

 private:
  HANDLE handle_;
};

}  // namespace

std::u16string LongPathForm(const std::u16string& path, std::size_t limit) {
  if (path.size() < limit || path.starts_with(u"\\\\?\\") || path.starts_with(u"\\\\.\\")) return path;
  std::u16string prefixed;
  const bool drivePath = path.size() >= 3 && path[1] == u':' && (path[2] == u'\\' || path[2] == u'/');
  const bool uncPath = path.starts_with(u"\\\\");
  if (drivePath) {
    prefixed = u"\\\\?\\" + path;
  } else if (uncPath) {
    prefixed = u"\\\\?\\UNC\\" + path.substr(2);
  } else {
    return path;  // relative: the prefix only takes absolute paths
  }
  // Windows no longer turns '/' into '\' once a path carries the prefix.
  for (char16_t& c : prefixed) {
    if (c == u'/') c = u'\\';
  }
  return prefixed;
}

bool Win32OutputFileSystem::FileExists(const std::u16string& path) {
  return GetFileAttributesW(ApiPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Win32OutputFileSystem::CreateFolder(const std::u16string& path) {
  const ApiPath folder(path, kFolderPathLimit);
  if (CreateDirectoryW(folder.c_str(), nullptr)) return true;
  const DWORD attributes = GetFileAttributesW(folder.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::unique_ptr<engine::OutputFile> Win32OutputFileSystem::CreateFileForWriting(const std::u16string& path) {
  HANDLE handle =
      CreateFileW(ApiPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32OutputFile>(handle);
}

bool Win32OutputFileSystem::RemoveFile(const std::u16string& path) {
  return DeleteFileW(ApiPath(path).c_str()) != FALSE;
}

bool Win32OutputFileSystem::RemoveFolder(const std::u16string& path) {
  return RemoveDirectoryW(ApiPath(path).c_str()) != FALSE;
}

std::vector<std::u16string> Win32OutputFileSystem::FilesInFolder(const std::u16string& path) {
  std::vector<std::u16string> names;
  const ApiPath pattern(path + u"\\*");
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
      names.emplace_back(reinterpret_cast<const char16_t*>(found.cFileName));
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

std::u16string Win32OutputFileSystem::TempFolder() {
  wchar_t buffer[MAX_PATH + 2] = {};
  const DWORD length = GetTempPathW(MAX_PATH + 1, buffer);
  if (length == 0 || length > MAX_PATH + 1) return u".\\";
  std::u16string folder(reinterpret_cast<const char16_t*>(buffer), length);
  if (folder.back() != u'\\') folder += u'\\';
  return folder;
}

}  // namespace platform
