#include "RarHeaderWalk.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <limits>

#include "DosTime.h"
#include "RarDosTime.h"
#include "RarHeaderCursor.h"

namespace preview {

namespace {

constexpr uint8_t kRar4Signature[7] = {0x52, 0x61, 0x72, 0x21, 0x1A, 0x07, 0x00};
constexpr uint8_t kRar5Signature[8] = {0x52, 0x61, 0x72, 0x21, 0x1A, 0x07, 0x01, 0x00};

// RAR 4 block types and flags.
constexpr uint8_t kRar4MainHeader = 0x73;
constexpr uint8_t kRar4FileHeader = 0x74;
constexpr uint8_t kRar4EndOfArchive = 0x7B;
constexpr uint16_t kRar4MainVolume = 0x0001;
constexpr uint16_t kRar4MainSolid = 0x0008;
constexpr uint16_t kRar4MainEncryptedHeaders = 0x0080;
constexpr size_t kRar4BaseHeaderSize = 7;
constexpr size_t kRar4FileFixedSize = 32;  // base header and the file fields before the name

// RAR 5 block types and flags.
constexpr uint64_t kRar5MainHeader = 1;
constexpr uint64_t kRar5FileHeader = 2;
constexpr uint64_t kRar5EncryptionHeader = 4;
constexpr uint64_t kRar5EndOfArchive = 5;
constexpr uint64_t kRar5HasExtraArea = 0x0001;
constexpr uint64_t kRar5HasDataArea = 0x0002;
constexpr uint64_t kRar5SplitBefore = 0x0008;
constexpr uint64_t kRar5SplitAfter = 0x0010;
constexpr uint64_t kRar5MainVolume = 0x0001;
constexpr uint64_t kRar5MainSolid = 0x0004;
constexpr uint64_t kRar5FileDirectory = 0x0001;
constexpr uint64_t kRar5FileHasTime = 0x0002;
constexpr uint64_t kRar5FileHasCrc = 0x0004;
constexpr uint64_t kRar5ExtraEncryption = 1;
constexpr uint64_t kRar5ExtraFileTime = 3;
constexpr uint64_t kRar5TimeUnix = 0x0001;
constexpr uint64_t kRar5TimeHasModified = 0x0002;
constexpr uint64_t kRar5MaxHeaderSize = 2 * 1024 * 1024;

// a + b, or false when the sum does not fit.
bool AddOffsets(uint64_t a, uint64_t b, uint64_t& sum) {
  if (b > std::numeric_limits<uint64_t>::max() - a) return false;
  sum = a + b;
  return true;
}

uint32_t Crc32(const uint8_t* data, size_t size) {
  uLong crc = crc32(0L, Z_NULL, 0);
  while (size > 0) {
    const uInt chunk = static_cast<uInt>(std::min<size_t>(size, 1u << 30));
    crc = crc32(crc, data, chunk);
    data += chunk;
    size -= chunk;
  }
  return static_cast<uint32_t>(crc);
}

// A name ends at its first NUL: RAR 4 puts the 8-bit name before a NUL and its
// Unicode form after it, and a NUL inside a RAR 5 name would cut it short anyway.
std::string UpToNul(std::string name) {
  const size_t nul = name.find('\0');
  if (nul != std::string::npos) name.resize(nul);
  return name;
}

// The RAR 4 dictionary code of a RAR 5 dictionary of 128 KB << n.
uint32_t Rar4DictionaryBits(uint64_t n) { return static_cast<uint32_t>(std::min<uint64_t>(n + 1, 6)) << 5; }

}  // namespace

RarStatus CRarHeaderWalk::Fail(RarStatus status) {
  failed_ = status;
  return status;
}

RarStatus CRarHeaderWalk::Open() {
  uint8_t signature[8] = {};
  if (source_.Length() < sizeof(kRar4Signature) || !source_.ReadAt(0, signature, sizeof(kRar4Signature)))
    return Fail(kRarUnknownFormat);
  if (std::memcmp(signature, kRar4Signature, sizeof(kRar4Signature)) == 0) {
    format_ = 4;
    offset_ = sizeof(kRar4Signature);
    uint8_t type = 0;
    std::vector<uint8_t> header;
    const RarStatus status = ReadRar4Block(type, header);
    if (status != kRarSuccess) return Fail(status == kRarEndArchive ? kRarBadArchive : status);
    if (type != kRar4MainHeader) return Fail(kRarBadArchive);
    const uint16_t flags = static_cast<uint16_t>(header[3] | (header[4] << 8));
    if (flags & kRar4MainEncryptedHeaders) return Fail(kRarMissingPassword);
    volume_ = (flags & kRar4MainVolume) != 0;
    solidArchive_ = (flags & kRar4MainSolid) != 0;
    return kRarSuccess;
  }
  if (!source_.ReadAt(0, signature, sizeof(kRar5Signature)) ||
      std::memcmp(signature, kRar5Signature, sizeof(kRar5Signature)) != 0)
    return Fail(kRarUnknownFormat);
  format_ = 5;
  offset_ = sizeof(kRar5Signature);
  std::vector<uint8_t> header;
  uint64_t headerEnd = 0;
  const RarStatus status = ReadRar5Block(header, headerEnd);
  if (status != kRarSuccess) return Fail(status == kRarEndArchive ? kRarBadArchive : status);
  RarHeaderCursor cursor(header.data(), header.size());
  const uint64_t type = cursor.Vint();
  const uint64_t blockFlags = cursor.Vint();
  if (blockFlags & kRar5HasExtraArea) cursor.Vint();
  if (blockFlags & kRar5HasDataArea) cursor.Vint();
  if (type == kRar5EncryptionHeader) return Fail(kRarMissingPassword);
  if (type != kRar5MainHeader) return Fail(kRarBadArchive);
  const uint64_t archiveFlags = cursor.Vint();
  if (!cursor.Ok()) return Fail(kRarBadData);
  volume_ = (archiveFlags & kRar5MainVolume) != 0;
  solidArchive_ = (archiveFlags & kRar5MainSolid) != 0;
  return kRarSuccess;
}

RarStatus CRarHeaderWalk::Next(RarMember& member) {
  if (failed_ != kRarSuccess) return failed_;
  if (format_ == 4) return NextRar4(member);
  if (format_ == 5) return NextRar5(member);
  return Fail(kRarOpenError);
}

// Reads the block at offset_ whole, checks its checksum and moves offset_ past its
// header and its added data. `header` holds the whole header, base fields included.
RarStatus CRarHeaderWalk::ReadRar4Block(uint8_t& type, std::vector<uint8_t>& header) {
  if (offset_ == source_.Length()) return kRarEndArchive;  // archives made before end blocks existed
  uint8_t base[kRar4BaseHeaderSize];
  if (!source_.ReadAt(offset_, base, sizeof(base))) return kRarReadError;
  const uint16_t crc = static_cast<uint16_t>(base[0] | (base[1] << 8));
  type = base[2];
  const uint16_t flags = static_cast<uint16_t>(base[3] | (base[4] << 8));
  const uint16_t size = static_cast<uint16_t>(base[5] | (base[6] << 8));
  if (size < kRar4BaseHeaderSize) return kRarBadData;
  header.assign(size, 0);
  if (!source_.ReadAt(offset_, header.data(), size)) return kRarReadError;
  if (verifyChecksums_ && (Crc32(header.data() + 2, size - 2) & 0xFFFF) != crc) return kRarBadData;

  uint64_t added = 0;
  if (type == kRar4FileHeader) {
    // The packed size, with its high half for members of 4 GB and more.
    if (size < kRar4FileFixedSize) return kRarBadData;
    RarHeaderCursor cursor(header.data(), header.size());
    cursor.Skip(kRar4BaseHeaderSize);
    added = cursor.U32();
    if (flags & kRarFlagLargeSizes) {
      cursor.Skip(kRar4FileFixedSize - kRar4BaseHeaderSize - 4);
      added |= static_cast<uint64_t>(cursor.U32()) << 32;
      if (!cursor.Ok()) return kRarBadData;
    }
  } else if (flags & kRarFlagLongBlock) {
    if (size < kRar4BaseHeaderSize + 4) return kRarBadData;
    added = header[7] | (header[8] << 8) | (header[9] << 16) | (static_cast<uint64_t>(header[10]) << 24);
  }
  uint64_t next = 0;
  if (!AddOffsets(offset_, size, next) || !AddOffsets(next, added, next)) return kRarBadData;
  offset_ = next;
  return kRarSuccess;
}

RarStatus CRarHeaderWalk::NextRar4(RarMember& member) {
  for (;;) {
    uint8_t type = 0;
    std::vector<uint8_t> header;
    const RarStatus status = ReadRar4Block(type, header);
    if (status != kRarSuccess) return Fail(status);
    if (type == kRar4EndOfArchive) return Fail(kRarEndArchive);
    if (type != kRar4FileHeader) continue;  // comments, recovery records, service blocks

    RarHeaderCursor cursor(header.data(), header.size());
    cursor.Skip(3);
    const uint16_t flags = cursor.U16();
    cursor.Skip(2);
    RarMember entry;
    entry.Flags = flags;
    entry.PackedSize = cursor.U32();
    entry.UnpackedSize = cursor.U32();
    entry.HostOs = cursor.U8();
    entry.FileCrc = cursor.U32();
    entry.DosTime = cursor.U32();
    entry.UnpackVersion = cursor.U8();
    entry.Method = cursor.U8();
    const uint16_t nameSize = cursor.U16();
    entry.Attributes = cursor.U32();
    if (flags & kRarFlagLargeSizes) {
      entry.PackedSize |= static_cast<uint64_t>(cursor.U32()) << 32;
      entry.UnpackedSize |= static_cast<uint64_t>(cursor.U32()) << 32;
    }
    entry.Name = UpToNul(cursor.Bytes(nameSize));
    if (!cursor.Ok()) return Fail(kRarBadData);
    entry.IsDirectory = (flags & kRarFlagDictionaryMask) == kRarFlagDictionaryMask;
    entry.DictionaryKb = entry.IsDirectory ? 0 : 64u << ((flags & kRarFlagDictionaryMask) >> 5);
    entry.ModifiedUtc = DosLocalTimeToUtcFileTime(entry.DosTime);
    member = std::move(entry);
    return kRarSuccess;
  }
}

// Reads the block at offset_: its checksum over the size field and the header,
// then moves offset_ past the header and its data area. `header` holds the bytes
// after the size field; `headerEnd` is the file offset just after them.
RarStatus CRarHeaderWalk::ReadRar5Block(std::vector<uint8_t>& header, uint64_t& headerEnd) {
  if (offset_ == source_.Length()) return kRarEndArchive;
  uint8_t prefix[4 + 3] = {};  // checksum and a header size of at most three bytes
  const uint64_t available = source_.Length() > offset_ ? source_.Length() - offset_ : 0;
  const size_t prefixSize = static_cast<size_t>(std::min<uint64_t>(sizeof(prefix), available));
  if (prefixSize < 5 || !source_.ReadAt(offset_, prefix, prefixSize)) return kRarReadError;
  RarHeaderCursor sizeCursor(prefix + 4, prefixSize - 4);
  const uint64_t size = sizeCursor.Vint();
  if (!sizeCursor.Ok()) return prefixSize < sizeof(prefix) ? kRarReadError : kRarBadData;
  if (size == 0 || size > kRar5MaxHeaderSize) return kRarBadData;
  const size_t sizeFieldLength = sizeCursor.Position();

  std::vector<uint8_t> checked(sizeFieldLength + static_cast<size_t>(size));
  if (!source_.ReadAt(offset_ + 4, checked.data(), checked.size())) return kRarReadError;
  const uint32_t crc = prefix[0] | (prefix[1] << 8) | (prefix[2] << 16) | (static_cast<uint32_t>(prefix[3]) << 24);
  if (verifyChecksums_ && Crc32(checked.data(), checked.size()) != crc) return kRarBadData;
  header.assign(checked.begin() + static_cast<std::ptrdiff_t>(sizeFieldLength), checked.end());
  headerEnd = offset_ + 4 + checked.size();

  RarHeaderCursor cursor(header.data(), header.size());
  cursor.Vint();  // type
  const uint64_t flags = cursor.Vint();
  if (flags & kRar5HasExtraArea) cursor.Vint();
  const uint64_t dataSize = (flags & kRar5HasDataArea) ? cursor.Vint() : 0;
  if (!cursor.Ok()) return kRarBadData;
  uint64_t next = 0;
  if (!AddOffsets(headerEnd, dataSize, next)) return kRarBadData;
  offset_ = next;
  return kRarSuccess;
}

RarStatus CRarHeaderWalk::NextRar5(RarMember& member) {
  for (;;) {
    std::vector<uint8_t> header;
    uint64_t headerEnd = 0;
    const RarStatus status = ReadRar5Block(header, headerEnd);
    if (status != kRarSuccess) return Fail(status);

    RarHeaderCursor cursor(header.data(), header.size());
    const uint64_t type = cursor.Vint();
    const uint64_t blockFlags = cursor.Vint();
    const uint64_t extraSize = (blockFlags & kRar5HasExtraArea) ? cursor.Vint() : 0;
    const uint64_t dataSize = (blockFlags & kRar5HasDataArea) ? cursor.Vint() : 0;
    if (type == kRar5EndOfArchive) return Fail(kRarEndArchive);
    if (type != kRar5FileHeader) continue;  // service headers: comments, recovery records

    RarMember entry;
    const uint64_t fileFlags = cursor.Vint();
    entry.UnpackedSize = cursor.Vint();
    entry.Attributes = static_cast<uint32_t>(cursor.Vint());
    if (fileFlags & kRar5FileHasTime) entry.ModifiedUtc = UnixTimeToFileTime(cursor.U32());
    if (fileFlags & kRar5FileHasCrc) entry.FileCrc = cursor.U32();
    const uint64_t compression = cursor.Vint();
    entry.HostOs = static_cast<uint32_t>(cursor.Vint());
    const uint64_t nameSize = cursor.Vint();
    entry.Name = UpToNul(cursor.Bytes(nameSize));
    if (!cursor.Ok() || extraSize > cursor.Remaining()) return Fail(kRarBadData);

    bool encrypted = false;
    RarHeaderCursor extra(header.data() + header.size() - extraSize, static_cast<size_t>(extraSize));
    while (extra.Remaining() > 0) {
      const uint64_t recordSize = extra.Vint();
      if (!extra.Ok() || recordSize == 0 || recordSize > extra.Remaining()) return Fail(kRarBadData);
      RarHeaderCursor record(header.data() + header.size() - extra.Remaining(), static_cast<size_t>(recordSize));
      extra.Skip(recordSize);
      const uint64_t recordType = record.Vint();
      if (recordType == kRar5ExtraEncryption) encrypted = true;
      if (recordType == kRar5ExtraFileTime) {
        const uint64_t timeFlags = record.Vint();
        if (timeFlags & kRar5TimeHasModified) {
          const uint64_t modified = (timeFlags & kRar5TimeUnix) ? UnixTimeToFileTime(record.U32()) : record.U64();
          if (!record.Ok()) return Fail(kRarBadData);
          entry.ModifiedUtc = modified;
        }
      }
    }

    entry.PackedSize = dataSize;
    entry.IsDirectory = (fileFlags & kRar5FileDirectory) != 0;
    entry.UnpackVersion = static_cast<uint32_t>(compression & 0x3F);
    entry.Method = static_cast<uint32_t>((compression >> 7) & 0x7);
    const uint64_t dictionaryShift = (compression >> 10) & 0x1F;
    entry.DictionaryKb = entry.IsDirectory ? 0
        : static_cast<uint32_t>(std::min<uint64_t>(128ULL << std::min<uint64_t>(dictionaryShift, 25), 0xFFFFFFFFu));
    entry.Flags = kRarFlagLongBlock | (entry.IsDirectory ? kRarFlagDictionaryMask : Rar4DictionaryBits(dictionaryShift));
    if (blockFlags & kRar5SplitBefore) entry.Flags |= kRarFlagSplitBefore;
    if (blockFlags & kRar5SplitAfter) entry.Flags |= kRarFlagSplitAfter;
    if (encrypted) entry.Flags |= kRarFlagEncrypted;
    if (compression & 0x40) entry.Flags |= kRarFlagSolid;
    entry.DosTime = entry.ModifiedUtc != 0 ? FileTimeToLocalDosTime(entry.ModifiedUtc) : 0;
    member = std::move(entry);
    return kRarSuccess;
  }
}

}  // namespace preview
