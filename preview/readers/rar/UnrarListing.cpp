#include "UnrarListing.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <memory>
#include <new>
#include <string>

#include "AnsiText.h"
#include "RarHeaderWalk.h"

namespace preview {

namespace {

constexpr int kRarClosingError = 17;
constexpr int kRarOutOfMemory = 11;

struct ListingArchive {
  std::string Name;
  std::unique_ptr<RarFileSource> Source;
  std::unique_ptr<CRarHeaderWalk> Walk;
};

// Copies a text into a fixed record field, cut short to fit, always NUL-ended.
template <size_t N>
void CopyBounded(char (&field)[N], const std::string& text) {
  const size_t length = std::min(text.size(), N - 1);
  std::memcpy(field, text.data(), length);
  field[length] = '\0';
}

// UTF-8 to wide characters; bytes that are not UTF-8 (8-bit RAR 4 names) are
// taken one character each.
template <size_t N>
void CopyBoundedWide(wchar_t (&field)[N], const std::string& text, bool utf8) {
  size_t out = 0;
  for (size_t i = 0; i < text.size() && out + 1 < N;) {
    const auto lead = static_cast<uint8_t>(text[i]);
    uint32_t code = lead;
    size_t length = 1;
    if (utf8 && lead >= 0xC0) {
      length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
      if (i + length > text.size()) length = 1;
      else {
        code = lead & (0x3F >> (length - 1));
        for (size_t k = 1; k < length; ++k) {
          const auto next = static_cast<uint8_t>(text[i + k]);
          if ((next & 0xC0) != 0x80) { length = 1; code = lead; break; }
          code = (code << 6) | (next & 0x3F);
        }
      }
    }
    if (sizeof(wchar_t) == 2 && code > 0xFFFF) {
      if (out + 2 >= N) break;
      code -= 0x10000;
      field[out++] = static_cast<wchar_t>(0xD800 + (code >> 10));
      field[out++] = static_cast<wchar_t>(0xDC00 + (code & 0x3FF));
    } else {
      field[out++] = static_cast<wchar_t>(code);
    }
    i += length;
  }
  field[out] = L'\0';
}

// The wide name when the caller gave one, else the ANSI name in the system code page.
std::filesystem::path ArchivePath(const RAROpenArchiveDataEx& data) {
  if (data.ArcNameW != nullptr && data.ArcNameW[0] != L'\0') return std::filesystem::path(std::wstring(data.ArcNameW));
#ifdef _WIN32
  return std::filesystem::path(AnsiToWide(data.ArcName));
#else
  return std::filesystem::path(std::string(data.ArcName));
#endif
}

}  // namespace

RarHandle RAROpenArchiveEx(RAROpenArchiveDataEx* data) {
  if (data == nullptr) return nullptr;
  data->Flags = 0;
  data->CmtSize = 0;
  data->CmtState = 0;
  const bool hasWideName = data->ArcNameW != nullptr && data->ArcNameW[0] != L'\0';
  if (!hasWideName && (data->ArcName == nullptr || data->ArcName[0] == '\0')) {
    data->OpenResult = kRarOpenError;
    return nullptr;
  }
  auto archive = std::unique_ptr<ListingArchive>(new (std::nothrow) ListingArchive);
  if (!archive) {
    data->OpenResult = kRarOutOfMemory;
    return nullptr;
  }
  if (data->ArcName != nullptr) archive->Name = data->ArcName;
  archive->Source = std::make_unique<RarFileSource>(ArchivePath(*data));
  if (!archive->Source->IsOpen()) {
    data->OpenResult = kRarOpenError;
    return nullptr;
  }
  archive->Walk = std::make_unique<CRarHeaderWalk>(*archive->Source);
  const RarStatus status = archive->Walk->Open();
  data->OpenResult = static_cast<unsigned>(status);
  if (status != kRarSuccess) return nullptr;
  if (archive->Walk->IsVolume()) data->Flags |= kRarArchiveVolume;
  if (archive->Walk->IsSolidArchive()) data->Flags |= kRarArchiveSolid;
  return archive.release();
}

int RARReadHeaderEx(RarHandle handle, RARHeaderDataEx* header) {
  auto* archive = static_cast<ListingArchive*>(handle);
  if (archive == nullptr || header == nullptr) return kRarBadData;
  RarMember member;
  const RarStatus status = archive->Walk->Next(member);
  if (status != kRarSuccess) return status;

  // The caller's comment buffer is kept; members carry no comments here.
  char* const commentBuffer = header->CmtBuf;
  const unsigned commentBufferSize = header->CmtBufSize;
  std::memset(header, 0, sizeof(*header));
  header->CmtBuf = commentBuffer;
  header->CmtBufSize = commentBufferSize;

  const bool utf8Names = archive->Walk->FormatVersion() == 5;
  CopyBounded(header->ArcName, archive->Name);
  CopyBoundedWide(header->ArcNameW, archive->Name, false);
  CopyBounded(header->FileName, member.Name);
  CopyBoundedWide(header->FileNameW, member.Name, utf8Names);
  header->Flags = member.Flags;
  header->PackSize = static_cast<uint32_t>(member.PackedSize);
  header->PackSizeHigh = static_cast<uint32_t>(member.PackedSize >> 32);
  header->UnpSize = static_cast<uint32_t>(member.UnpackedSize);
  header->UnpSizeHigh = static_cast<uint32_t>(member.UnpackedSize >> 32);
  header->HostOS = member.HostOs;
  header->FileCRC = member.FileCrc;
  header->FileTime = member.DosTime;
  header->UnpVer = member.UnpackVersion;
  header->Method = member.Method;
  header->FileAttr = member.Attributes;
  header->DictSize = member.DictionaryKb;
  header->DirTarget = 0;
  header->MtimeLow = static_cast<uint32_t>(member.ModifiedUtc);
  header->MtimeHigh = static_cast<uint32_t>(member.ModifiedUtc >> 32);
  return kRarSuccess;
}

int RARProcessFile(RarHandle handle, int operation, char* /*destinationPath*/, char* /*destinationName*/) {
  auto* archive = static_cast<ListingArchive*>(handle);
  if (archive == nullptr) return kRarBadData;
  if (operation != kRarSkip) return kRarNotSupported;
  return kRarSuccess;  // the walk already stands after the member's packed data
}

int RARCloseArchive(RarHandle handle) {
  if (handle == nullptr) return kRarClosingError;
  delete static_cast<ListingArchive*>(handle);
  return kRarSuccess;
}

}  // namespace preview
