#include "MountedImage.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace cli {
namespace {

namespace fs = std::filesystem;

std::string FirstLine(const fs::path& file) {
  std::ifstream in(file);
  std::string line;
  std::getline(in, line);
  return line;
}

bool SameFile(const std::string& path, const struct stat& image) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && info.st_dev == image.st_dev && info.st_ino == image.st_ino;
}

// "major:minor" as in /sys/block/*/dev.
bool DeviceNumberIs(const fs::path& devFile, dev_t device) {
  const std::string text = FirstLine(devFile);
  unsigned major = 0, minor = 0;
  char colon = 0;
  if (std::sscanf(text.c_str(), "%u%c%u", &major, &colon, &minor) != 3 || colon != ':') return false;
  return makedev(major, minor) == device;
}

// The device of the file system the folder would be made on.
std::optional<dev_t> DeviceOfFolder(fs::path folder) {
  std::error_code error;
  folder = fs::absolute(folder, error);
  for (; !folder.empty(); folder = folder.parent_path()) {
    struct stat info {};
    if (::stat(folder.c_str(), &info) == 0) return info.st_dev;
    if (folder == folder.parent_path()) break;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> LoopDeviceHoldingTarget(const std::string& imagePath, const std::string& targetFolder,
                                                   const std::string& sysRoot) {
  struct stat image {};
  if (::stat(imagePath.c_str(), &image) != 0) return std::nullopt;
  const std::optional<dev_t> target = DeviceOfFolder(targetFolder);
  if (!target) return std::nullopt;
  std::error_code error;
  for (const fs::directory_entry& block : fs::directory_iterator(fs::path(sysRoot) / "block", error)) {
    const std::string name = block.path().filename().string();
    if (!name.starts_with("loop")) continue;
    std::string backing = FirstLine(block.path() / "loop" / "backing_file");
    if (backing.empty() || !SameFile(backing, image)) continue;
    if (DeviceNumberIs(block.path() / "dev", *target)) return name;
    // Its partitions: loop0p1 and so on.
    for (const fs::directory_entry& part : fs::directory_iterator(block.path(), error)) {
      if (part.path().filename().string().starts_with(name + "p") && DeviceNumberIs(part.path() / "dev", *target)) {
        return part.path().filename().string();
      }
    }
  }
  return std::nullopt;
}

}  // namespace cli
