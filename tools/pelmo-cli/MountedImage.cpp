#include "MountedImage.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

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

// A mountinfo field with its octal escapes ("\040" for a space) undone.
std::string Unescaped(const std::string& field) {
  auto isOctal = [](char c) { return c >= '0' && c <= '7'; };
  std::string text;
  for (size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size() &&
        isOctal(field[i + 1]) && isOctal(field[i + 2]) && isOctal(field[i + 3])) {
      text += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0'));
      i += 3;
    } else {
      text += field[i];
    }
  }
  return text;
}

}  // namespace

std::optional<std::string> MountFromImageHoldingTarget(const std::string& imagePath, const std::string& targetFolder,
                                                       const std::string& mountInfoPath) {
  struct stat image {};
  if (::stat(imagePath.c_str(), &image) != 0) return std::nullopt;
  const std::optional<dev_t> target = DeviceOfFolder(targetFolder);
  if (!target) return std::nullopt;
  std::ifstream in(mountInfoPath);
  std::string line;
  std::optional<std::string> found;
  // "ID PARENT MAJOR:MINOR ROOT MOUNTPOINT OPTIONS [TAGS...] - FSTYPE SOURCE OPTIONS";
  // a later mount over the same device number hides an earlier one.
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string id, parent, device, field;
    if (!(fields >> id >> parent >> device)) continue;
    unsigned major = 0, minor = 0;
    char colon = 0;
    if (std::sscanf(device.c_str(), "%u%c%u", &major, &colon, &minor) != 3 || colon != ':') continue;
    if (makedev(major, minor) != *target) continue;
    while (fields >> field && field != "-") {
    }
    std::string type, source;
    if (!(fields >> type >> source)) continue;
    source = Unescaped(source);
    found = SameFile(source, image) ? std::optional<std::string>(source) : std::nullopt;
  }
  return found;
}

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
