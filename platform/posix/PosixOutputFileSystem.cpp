#include "PosixOutputFileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>

namespace platform {
namespace {

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// Windows file times count 100 ns from 1601; POSIX seconds count from 1970.
constexpr uint64_t kFileTimeUnixEpoch = 116444736000000000ULL;

timespec ToTimespec(const std::optional<uint64_t>& fileTime) {
  timespec spec{};
  if (!fileTime) {
    spec.tv_nsec = UTIME_OMIT;
  } else if (*fileTime <= kFileTimeUnixEpoch) {
    spec.tv_sec = 0;
  } else {
    const uint64_t units = *fileTime - kFileTimeUnixEpoch;
    spec.tv_sec = static_cast<time_t>(units / 10000000ULL);
    spec.tv_nsec = static_cast<long>((units % 10000000ULL) * 100);
  }
  return spec;
}

class PosixOutputFile final : public engine::OutputFile {
 public:
  explicit PosixOutputFile(int fd) : fd_(fd) {}
  ~PosixOutputFile() override {
    if (fd_ >= 0) ::close(fd_);
  }

  bool Write(std::span<const uint8_t> bytes) override {
    if (fd_ < 0) return false;
    while (!bytes.empty()) {
      const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
      if (written < 0 && errno == EINTR) continue;
      if (written <= 0) return false;
      bytes = bytes.subspan(static_cast<size_t>(written));
    }
    return true;
  }

  bool SetTimes(const engine::OutputFileTimes& times) override {
    if (fd_ < 0) return false;
    // POSIX keeps no creation time; access and modification are what it has.
    const timespec specs[2] = {ToTimespec(times.LastAccess), ToTimespec(times.LastWrite)};
    return ::futimens(fd_, specs) == 0;
  }

  bool Close() override {
    if (fd_ < 0) return false;
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

}  // namespace

std::string ToPosixPath(const std::u16string& path) {
  std::string out;
  out.reserve(path.size());
  for (size_t i = 0; i < path.size(); ++i) {
    char32_t code = path[i];
    if (code == u'\\') {
      out += '/';
      continue;
    }
    if (code >= 0xD800 && code <= 0xDBFF && i + 1 < path.size() && path[i + 1] >= 0xDC00 &&
        path[i + 1] <= 0xDFFF) {
      code = 0x10000 + ((code - 0xD800) << 10) + (path[i + 1] - 0xDC00);
      ++i;
    } else if (code >= 0xD800 && code <= 0xDFFF) {
      code = 0xFFFD;
    }
    AppendUtf8(out, code);
  }
  return out;
}

std::u16string FromUtf8(const std::string& text) {
  std::u16string out;
  size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    int extra = lead < 0x80 ? 0 : (lead >> 5) == 0x6 ? 1 : (lead >> 4) == 0xE ? 2 : (lead >> 3) == 0x1E ? 3 : -1;
    char32_t code = extra == 0 ? lead : extra == 1 ? (lead & 0x1F) : extra == 2 ? (lead & 0x0F) : (lead & 0x07);
    bool valid = extra >= 0;
    for (int k = 1; valid && k <= extra; ++k) {
      if (i + static_cast<size_t>(k) >= text.size()) {
        valid = false;
        break;
      }
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) valid = false;
      code = (code << 6) | (next & 0x3F);
    }
    if (!valid) {
      out += u'\uFFFD';
      ++i;
      continue;
    }
    i += static_cast<size_t>(extra) + 1;
    if (code >= 0x10000) {
      code -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (code >> 10));
      out += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
    } else {
      out += static_cast<char16_t>(code);
    }
  }
  return out;
}

PosixOutputFileSystem::PosixOutputFileSystem(std::string tempFolder) : tempFolder_(std::move(tempFolder)) {
  if (tempFolder_.empty()) {
    const char* fromEnvironment = std::getenv("TMPDIR");
    tempFolder_ = fromEnvironment != nullptr && *fromEnvironment != '\0' ? fromEnvironment : "/tmp";
  }
}

bool PosixOutputFileSystem::FileExists(const std::u16string& path) {
  struct stat info {};
  return ::stat(ToPosixPath(path).c_str(), &info) == 0;
}

bool PosixOutputFileSystem::CreateFolder(const std::u16string& path) {
  const std::string posixPath = ToPosixPath(path);
  if (::mkdir(posixPath.c_str(), 0777) == 0) return true;
  struct stat info {};
  return errno == EEXIST && ::stat(posixPath.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::unique_ptr<engine::OutputFile> PosixOutputFileSystem::CreateFileForWriting(const std::u16string& path) {
  const int fd = ::open(ToPosixPath(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return nullptr;
  return std::make_unique<PosixOutputFile>(fd);
}

bool PosixOutputFileSystem::RemoveFile(const std::u16string& path) {
  return ::unlink(ToPosixPath(path).c_str()) == 0;
}

bool PosixOutputFileSystem::RemoveFolder(const std::u16string& path) {
  return ::rmdir(ToPosixPath(path).c_str()) == 0;
}

std::vector<std::u16string> PosixOutputFileSystem::FilesInFolder(const std::u16string& path) {
  std::vector<std::u16string> names;
  const std::string folder = ToPosixPath(path);
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return names;
  while (const dirent* entry = ::readdir(dir)) {
    struct stat info {};
    const std::string full = folder + "/" + entry->d_name;
    if (::lstat(full.c_str(), &info) == 0 && S_ISREG(info.st_mode)) names.push_back(FromUtf8(entry->d_name));
  }
  ::closedir(dir);
  return names;
}

std::u16string PosixOutputFileSystem::TempFolder() {
  std::u16string folder = FromUtf8(tempFolder_);
  if (folder.empty() || (folder.back() != u'/' && folder.back() != u'\\')) folder += u'\\';
  return folder;
}

}  // namespace platform
