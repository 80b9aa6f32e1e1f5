#pragma once
// The output file system over the Win32 file calls.

#include "OutputFileSystem.h"

namespace platform {

class Win32OutputFileSystem final : public engine::OutputFileSystem {
 public:
  bool FileExists(const std::u16string& path) override;
  bool CreateFolder(const std::u16string& path) override;
  std::unique_ptr<engine::OutputFile> CreateFileForWriting(const std::u16string& path) override;
  bool RemoveFile(const std::u16string& path) override;
  bool RemoveFolder(const std::u16string& path) override;
  std::vector<std::u16string> FilesInFolder(const std::u16string& path) override;
  std::u16string TempFolder() override;
};

}  // namespace platform
