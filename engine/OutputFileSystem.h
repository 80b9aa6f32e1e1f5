#pragma once
// Where the engine writes: recovered files, preview copies and their folders.
// Paths are UTF-16 and use '\' between their parts (the POSIX side turns it into
// '/'). Every result is checked by the callers: a file counts as saved only when
// all its writes and its Close succeeded.
//
// Method names keep clear of the CreateFile/DeleteFile macros of <windows.h>.

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace engine {

// Windows file times (100 ns units since 1601); a missing time is left as it is.
struct OutputFileTimes {
  std::optional<uint64_t> Creation;
  std::optional<uint64_t> LastAccess;
  std::optional<uint64_t> LastWrite;
};

// One piece of a volume on a disk, as the system's volume manager reports it.
struct DiskExtent {
  uint32_t DiskNumber = 0;  // N of "\\.\PhysicalDriveN"
  uint64_t StartingOffset = 0;  // bytes from the start of the disk
  uint64_t Length = 0;          // bytes
};

// One file opened for writing. Destroying it without Close closes it quietly.
class OutputFile {
 public:
  virtual ~OutputFile() = default;
  // Writes all the bytes at the end of the file; false unless every byte was written.
  virtual bool Write(std::span<const uint8_t> bytes) = 0;
  virtual bool SetTimes(const OutputFileTimes& times) = 0;
  // False when the file could not be completed (the data may be lost).
  virtual bool Close() = 0;
};

class OutputFileSystem {
 public:
  virtual ~OutputFileSystem() = default;
  // True when a file or folder exists at the path.
  virtual bool FileExists(const std::u16string& path) = 0;
  // True when a folder (not a link to one) exists at the path.
  virtual bool FolderExists(const std::u16string& /*path*/) { return false; }
  // True when a link (symbolic link, junction) stands at the path, wherever it leads.
  virtual bool LinkExists(const std::u16string& /*path*/) { return false; }
  // True when the folder was created or already exists as a folder. A link in
  // the way is no folder: following it could lead out of the target.
  virtual bool CreateFolder(const std::u16string& path) = 0;
  // Creates the file, or empties it when it exists; null on failure. A link at
  // the path is never followed.
  virtual std::unique_ptr<OutputFile> CreateFileForWriting(const std::u16string& path) = 0;
  virtual bool RemoveFile(const std::u16string& path) = 0;
  // Gives a file a new name in the same file system; false, changing nothing,
  // when a file or folder already has that name.
  virtual bool RenameFile(const std::u16string& /*from*/, const std::u16string& /*to*/) { return false; }
  // Puts a file in place of another in one step, so that a reader finds either
  // the old file or the new one whole; the old one is gone afterwards.
  virtual bool RenameFileOver(const std::u16string& /*from*/, const std::u16string& /*to*/) { return false; }
  // Removes a folder only when it is empty.
  virtual bool RemoveFolder(const std::u16string& path) = 0;
  // Names (not paths) of the files directly in a folder; empty when it cannot be read.
  virtual std::vector<std::u16string> FilesInFolder(const std::u16string& path) = 0;
  // The user's temporary folder, ending with '\'.
  virtual std::u16string TempFolder() = 0;
  // Where on the disks the volume holding the path lies; empty when the system
  // cannot tell.
  virtual std::vector<DiskExtent> DiskExtentsOf(const std::u16string& /*path*/) { return {}; }
};

}  // namespace engine
