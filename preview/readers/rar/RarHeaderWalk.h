#pragma once
// Walks the headers of a RAR archive (format 4 and format 5) to list its members:
// names, sizes, times, attributes and flags. Nothing is unpacked; the packed data
// of each member is stepped over. Every length and offset taken from the archive
// is checked against the header it sits in and against the end of the file, and
// every header's checksum is verified before any of its fields is used.

#include <cstdint>
#include <string>
#include <vector>

#include "RarByteSource.h"

namespace preview {

// Results in the numbering of the unrar library's error codes.
enum RarStatus : int {
  kRarSuccess = 0,
  kRarEndArchive = 10,
  kRarBadData = 12,        // a header whose checksum or fields are damaged
  kRarBadArchive = 13,     // a RAR signature without a usable archive header
  kRarUnknownFormat = 14,  // not a RAR archive
  kRarOpenError = 15,
  kRarReadError = 18,      // a header cut off by the end of the file
  kRarNotSupported = 21,   // asked to unpack: this reader only lists
  kRarMissingPassword = 22 // the headers themselves are encrypted
};

// RAR 4 file-header flag bits; members of RAR 5 archives are described with them too.
constexpr uint32_t kRarFlagSplitBefore = 0x0001;
constexpr uint32_t kRarFlagSplitAfter = 0x0002;
constexpr uint32_t kRarFlagEncrypted = 0x0004;
constexpr uint32_t kRarFlagSolid = 0x0010;
constexpr uint32_t kRarFlagDictionaryMask = 0x00E0;  // 0xE0 marks a directory
constexpr uint32_t kRarFlagLargeSizes = 0x0100;
constexpr uint32_t kRarFlagUnicodeName = 0x0200;
constexpr uint32_t kRarFlagLongBlock = 0x8000;

struct RarMember {
  std::string Name;         // RAR 4: the stored 8-bit name; RAR 5: UTF-8
  uint32_t Flags = 0;       // RAR 4 file-header flags
  uint64_t PackedSize = 0;
  uint64_t UnpackedSize = 0;
  uint32_t HostOs = 0;
  uint32_t FileCrc = 0;
  uint32_t DosTime = 0;        // MS-DOS date (high 16 bits) and time, local time; 0 when unknown
  uint64_t ModifiedUtc = 0;    // FILETIME, 0 when unknown
  uint32_t UnpackVersion = 0;
  uint32_t Method = 0;
  uint32_t Attributes = 0;
  uint32_t DictionaryKb = 0;
  bool IsDirectory = false;
};

class CRarHeaderWalk {
 public:
  // Checksums are verified unless a fuzzer asks to reach the field checks behind them.
  explicit CRarHeaderWalk(RarByteSource& source, bool verifyChecksums = true)
      : source_(source), verifyChecksums_(verifyChecksums) {}

  // Reads the signature and the archive header.
  RarStatus Open();
  // The next member; kRarEndArchive after the last. After any other failure the
  // walk stays failed with the same status.
  RarStatus Next(RarMember& member);

  int FormatVersion() const { return format_; }  // 4 or 5, 0 before a successful Open
  bool IsSolidArchive() const { return solidArchive_; }
  bool IsVolume() const { return volume_; }

 private:
  RarStatus NextRar4(RarMember& member);
  RarStatus NextRar5(RarMember& member);
  RarStatus ReadRar4Block(uint8_t& type, std::vector<uint8_t>& header);
  RarStatus ReadRar5Block(std::vector<uint8_t>& header, uint64_t& headerEnd);
  RarStatus Fail(RarStatus status);

  RarByteSource& source_;
  bool verifyChecksums_ = true;
  int format_ = 0;
  uint64_t offset_ = 0;  // start of the next block
  RarStatus failed_ = kRarSuccess;
  bool solidArchive_ = false;
  bool volume_ = false;
};

}  // namespace preview
