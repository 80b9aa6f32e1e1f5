#include "Win32OutputFileSystem.h"

#include <windows.h>
#include <winioctl.h>

#include <vector>

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

bool Win32OutputFileSystem::FolderExists(const std::u16string& path) {
  const DWORD attributes = GetFileAttributesW(ApiPath(path, kFolderPathLimit).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
         (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0;
}

bool Win32OutputFileSystem::LinkExists(const std::u16string& path) {
  const DWORD attributes = GetFileAttributesW(ApiPath(path, kFolderPathLimit).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

bool Win32OutputFileSystem::CreateFolder(const std::u16string& path) {
  if (CreateDirectoryW(ApiPath(path, kFolderPathLimit).c_str(), nullptr)) return true;
  return FolderExists(path);
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

bool Win32OutputFileSystem::RenameFile(const std::u16string& from, const std::u16string& to) {
  return MoveFileExW(ApiPath(from).c_str(), ApiPath(to).c_str(), 0) != FALSE;
}

bool Win32OutputFileSystem::RenameFileOver(const std::u16string& from, const std::u16string& to) {
  return MoveFileExW(ApiPath(from).c_str(), ApiPath(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) !=
         FALSE;
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

std::vector<engine::DiskExtent> Win32OutputFileSystem::DiskExtentsOf(const std::u16string& path) {
  std::vector<engine::DiskExtent> extents;
  wchar_t mountPoint[MAX_PATH + 1] = {};
  if (!GetVolumePathNameW(ApiPath(path).c_str(), mountPoint, MAX_PATH + 1)) return extents;
  // "\\?\Volume{...}\" names the volume also where it has no letter; without its
  // last backslash it opens the volume itself rather than its root folder.
  wchar_t volumeName[MAX_PATH + 1] = {};
  std::wstring device;
  if (GetVolumeNameForVolumeMountPointW(mountPoint, volumeName, MAX_PATH + 1)) {
    device = volumeName;
  } else if (mountPoint[0] != 0 && mountPoint[1] == L':') {
    device = std::wstring(L"\\\\.\\") + mountPoint[0] + L':';
  } else {
    return extents;
  }
  if (!device.empty() && device.back() == L'\\') device.pop_back();
  // No access right is needed to ask where a volume lies.
  HANDLE volume = CreateFileW(device.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (volume == INVALID_HANDLE_VALUE) return extents;
  constexpr DWORD kRoomForExtents = 32;
  std::vector<uint8_t> buffer(sizeof(VOLUME_DISK_EXTENTS) + kRoomForExtents * sizeof(DISK_EXTENT));
  DWORD returned = 0;
  const BOOL asked = DeviceIoControl(volume, IOCTL_VOLUME_GET_VOLUME_DISK_EXTENTS, nullptr, 0, buffer.data(),
                                     static_cast<DWORD>(buffer.size()), &returned, nullptr);
  CloseHandle(volume);
  if (!asked || returned < sizeof(VOLUME_DISK_EXTENTS)) return extents;
  const auto* answer = reinterpret_cast<const VOLUME_DISK_EXTENTS*>(buffer.data());
  const DWORD count = answer->NumberOfDiskExtents;
  const size_t fits = (returned - offsetof(VOLUME_DISK_EXTENTS, Extents)) / sizeof(DISK_EXTENT);
  for (DWORD i = 0; i < count && i < fits; ++i) {
    const DISK_EXTENT& extent = answer->Extents[i];
    extents.push_back({extent.DiskNumber, static_cast<uint64_t>(extent.StartingOffset.QuadPart),
                       static_cast<uint64_t>(extent.ExtentLength.QuadPart)});
  }
  return extents;
}

}  // namespace platform
