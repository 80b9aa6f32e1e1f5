#pragma once
// Writes small RAR 4 and RAR 5 archives for the listing's tests: real headers with
// real checksums, and filler bytes in place of packed data. The block builders
// are public so a test can put together damaged archives whose checksums still
// hold, and so reach the field checks behind them.

#include <cstdint>
#include <string>
#include <vector>

namespace rartest {

using Bytes = std::vector<uint8_t>;

struct Member {
  std::string Name;
  uint64_t PackedSize = 0;    // filler bytes written after the header
  uint64_t UnpackedSize = 0;
  uint32_t Attributes = 0x20;
  bool Directory = false;
  // RAR 4
  uint32_t DosTime = 0;
  uint16_t ExtraFlags = 0x00C0;  // dictionary 4 MB; solid, encrypted... as needed
  // RAR 5
  uint64_t ModifiedFileTime = 0;  // written as a file-time record when nonzero
  uint32_t ModifiedUnixTime = 0;  // written in the file header when nonzero
  bool Encrypted = false;
  bool Solid = false;
  unsigned DictionaryShift = 5;   // 128 KB << 5 = 4 MB
};

Member File(const std::string& name, uint64_t packedSize, uint64_t unpackedSize);

void PutLe(Bytes& out, uint64_t value, int bytes);
void PutVint(Bytes& out, uint64_t value);

// RAR 4: a block with its checksum; `body` follows the seven base bytes.
Bytes Rar4Block(uint8_t type, uint16_t flags, const Bytes& body);
Bytes Rar4FileHeader(const Member& member, uint8_t type = 0x74);
Bytes Rar4Archive(const std::vector<Member>& members, uint16_t mainFlags = 0, bool endBlock = true);

// RAR 5: a block with its checksum and size; `fields` follow type, flags and the area sizes.
Bytes Rar5Block(uint64_t type, uint64_t flags, const Bytes& fields, const Bytes& extra = {},
                uint64_t dataSize = 0, bool hasData = false);
// The checksum and size field put in front of a RAR 5 header.
Bytes Rar5Sealed(const Bytes& header);
Bytes Rar5FileHeader(const Member& member, uint64_t type = 2);
Bytes Rar5Archive(const std::vector<Member>& members, uint64_t archiveFlags = 0, bool endBlock = true);

extern const Bytes kRar4Signature;
extern const Bytes kRar5Signature;

Bytes Concat(std::initializer_list<Bytes> parts);

}  // namespace rartest
