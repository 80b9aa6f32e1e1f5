#include "PosixOutputFileSystem.h"

#include "Utf8Text.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace platform {
namespace {

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
  std::u16string slashed = path;
  for (char16_t& c : slashed) {
    if (c == u'\\') c = u'/';
  }
  return engine::Utf16ToUtf8(slashed);
}

std::u16string FromUtf8(const std::string& text) { return engine::Utf8ToUtf16(text); }

PosixOutputFileSystem::PosixOutputFileSystem(std::string tempFolder) : tempFolder_(std::move(tempFolder)) {
  if (tempFolder_.empty()) {
    const char* fromEnvironment = std::getenv("TMPDIR");
    tempFolder_ = fromEnvironment != nullptr && *fromEnvironment != '\0' ? fromEnvironment : "/tmp";
  }
}

// Links count as what they are, not as what they point to: a link planted in the
// target must never lead a recovered file or folder out of it.
bool PosixOutputFileSystem::FileExists(const std::u16string& path) {
  struct stat info {};
  return ::lstat(ToPosixPath(path).c_str(), &info) == 0;
}

bool PosixOutputFileSystem::FolderExists(const std::u16string& path) {
  struct stat info {};
  return ::lstat(ToPosixPath(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool PosixOutputFileSystem::LinkExists(const std::u16string& path) {
  struct stat info {};
  return ::lstat(ToPosixPath(path).c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

bool PosixOutputFileSystem::CreateFolder(const std::u16string& path) {
  if (::mkdir(ToPosixPath(path).c_str(), 0777) == 0) return true;
  return errno == EEXIST && FolderExists(path);
}

std::unique_ptr<engine::OutputFile> PosixOutputFileSystem::CreateFileForWriting(const std::u16string& path) {
  const int fd = ::open(ToPosixPath(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0666);
  if (fd < 0) return nullptr;
  return std::make_unique<PosixOutputFile>(fd);
}

bool PosixOutputFileSystem::RenameFile(const std::u16string& from, const std::u16string& to) {
  const std::string source = ToPosixPath(from);
  const std::string target = ToPosixPath(to);
#ifdef RENAME_NOREPLACE
  if (::renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
#endif
  // Without an exclusive rename: a hard link fails on an existing name too.
  if (::link(source.c_str(), target.c_str()) != 0) return false;
  return ::unlink(source.c_str()) == 0;
}

bool PosixOutputFileSystem::RenameFileOver(const std::u16string& from, const std::u16string& to) {
  return ::rename(ToPosixPath(from).c_str(), ToPosixPath(to).c_str()) == 0;
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
