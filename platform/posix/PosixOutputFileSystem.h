#pragma once
// The output file system over POSIX calls. Engine paths use '\' between their
// parts; here it becomes '/', and the UTF-16 text becomes UTF-8. Symbolic links
// are never followed: one in the way is neither a folder nor a file to write.

#include <string>

#include "OutputFileSystem.h"

namespace platform {

class PosixOutputFileSystem final : public engine::OutputFileSystem {
 public:
  // tempFolder: where preview copies go; empty means $TMPDIR, else /tmp.
  explicit PosixOutputFileSystem(std::string tempFolder = {});

  bool FileExists(const std::u16string& path) override;
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

 private:
  std::string tempFolder_;
};

// UTF-16 to UTF-8 with '\' turned into '/'; unpaired surrogates become U+FFFD.
std::string ToPosixPath(const std::u16string& path);
std::u16string FromUtf8(const std::string& text);

}  // namespace platform
