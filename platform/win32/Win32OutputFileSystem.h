#pragma once
// The output file system over the Win32 file calls.

#include <cstddef>
#include <string>

#include "OutputFileSystem.h"

namespace platform {

// Win32 refuses paths of MAX_PATH (260) characters and more unless they come in the
// \\?\ form: from `limit` characters on, "C:\..." becomes "\\?\C:\..." and
// "\\server\share\..." becomes "\\?\UNC\server\share\...". Shorter and relative
// paths, and those already in a \\?\ or \\.\ form, are left alone.
std::u16string LongPathForm(const std::u16string& path, std::size_t limit = 260);

class Win32OutputFileSystem final : public engine::OutputFileSystem {
 public:
  bool FileExists(const std::u16string& path) override;
  // A folder that is a reparse point (a junction or a link) is no folder to save into.
  bool FolderExists(const std::u16string& path) override;
  bool LinkExists(const std::u16string& path) override;
  bool CreateFolder(const std::u16string& path) override;
  std::unique_ptr<engine::OutputFile> CreateFileForWriting(const std::u16string& path) override;
  bool RemoveFile(const std::u16string& path) override;
  bool RenameFile(const std::u16string& from, const std::u16string& to) override;
  bool RenameFileOver(const std::u16string& from, const std::u16string& to) override;
  bool RemoveFolder(const std::u16string& path) override;
  std::vector<std::u16string> FilesInFolder(const std::u16string& path) override;
  std::u16string TempFolder() override;
  // The volume holding the path (also one mounted in a folder) asked for its
  // disk extents (IOCTL_VOLUME_GET_VOLUME_DISK_EXTENTS).
  std::vector<engine::DiskExtent> DiskExtentsOf(const std::u16string& path) override;
};

}  // namespace platform
