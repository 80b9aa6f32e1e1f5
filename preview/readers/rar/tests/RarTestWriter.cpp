#include "RarTestWriter.h"

#include <zlib.h>

namespace rartest {

const Bytes kRar4Signature = {0x52, 0x61, 0x72, 0x21, 0x1A, 0x07, 0x00};
const Bytes kRar5Signature = {0x52, 0x61, 0x72, 0x21, 0x1A, 0x07, 0x01, 0x00};

namespace {
uint32_t Crc(const uint8_t* data, size_t size) {
  return static_cast<uint32_t>(crc32(crc32(0L, Z_NULL, 0), data, static_cast<uInt>(size)));
}
Bytes Filler(uint64_t size) { return Bytes(static_cast<size_t>(size), 0xA5); }
}  // namespace

Member File(const std::string& name, uint64_t packedSize, uint64_t unpackedSize) {
  Member member;
  member.Name = name;
  member.PackedSize = packedSize;
  member.UnpackedSize = unpackedSize;
  return member;
}

void PutLe(Bytes& out, uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void PutVint(Bytes& out, uint64_t value) {
  do {
    uint8_t byte = value & 0x7F;
    value >>= 7;
    if (value != 0) byte |= 0x80;
    out.push_back(byte);
  } while (value != 0);
}

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

Bytes Rar4Block(uint8_t type, uint16_t flags, const Bytes& body) {
  Bytes block = {0, 0, type};
  PutLe(block, flags, 2);
  PutLe(block, 7 + body.size(), 2);
  block.insert(block.end(), body.begin(), body.end());
  const uint32_t crc = Crc(block.data() + 2, block.size() - 2);
  block[0] = static_cast<uint8_t>(crc);
  block[1] = static_cast<uint8_t>(crc >> 8);
  return block;
}

Bytes Rar4FileHeader(const Member& member, uint8_t type) {
  uint16_t flags = 0x8000 | (member.Directory ? 0x00E0 : member.ExtraFlags);
  const bool large = member.PackedSize > 0xFFFFFFFFu || member.UnpackedSize > 0xFFFFFFFFu;
  if (large) flags |= 0x0100;
  Bytes body;
  PutLe(body, member.PackedSize, 4);
  PutLe(body, member.UnpackedSize, 4);
  body.push_back(2);  // Windows
  PutLe(body, 0x12345678, 4);
  PutLe(body, member.DosTime, 4);
  body.push_back(29);
  body.push_back(0x33);
  PutLe(body, member.Name.size(), 2);
  PutLe(body, member.Attributes, 4);
  if (large) {
    PutLe(body, member.PackedSize >> 32, 4);
    PutLe(body, member.UnpackedSize >> 32, 4);
  }
  body.insert(body.end(), member.Name.begin(), member.Name.end());
  return Rar4Block(type, flags, body);
}

Bytes Rar4Archive(const std::vector<Member>& members, uint16_t mainFlags, bool endBlock) {
  Bytes out = Concat({kRar4Signature, Rar4Block(0x73, mainFlags, Bytes(6, 0))});
  for (const Member& member : members) {
    out = Concat({out, Rar4FileHeader(member)});
    if (member.PackedSize <= 0xFFFFFFFFu) out = Concat({out, Filler(member.PackedSize)});
  }
  if (endBlock) out = Concat({out, Rar4Block(0x7B, 0x4000, {})});
  return out;
}

Bytes Rar5Block(uint64_t type, uint64_t flags, const Bytes& fields, const Bytes& extra, uint64_t dataSize,
                bool hasData) {
  Bytes header;
  PutVint(header, type);
  PutVint(header, flags | (extra.empty() ? 0 : 1) | (hasData ? 2 : 0));
  if (!extra.empty()) PutVint(header, extra.size());
  if (hasData) PutVint(header, dataSize);
  header.insert(header.end(), fields.begin(), fields.end());
  header.insert(header.end(), extra.begin(), extra.end());
  return Rar5Sealed(header);
}

Bytes Rar5Sealed(const Bytes& header) {
  Bytes sized;
  PutVint(sized, header.size());
  sized.insert(sized.end(), header.begin(), header.end());
  Bytes block;
  PutLe(block, Crc(sized.data(), sized.size()), 4);
  block.insert(block.end(), sized.begin(), sized.end());
  return block;
}

Bytes Rar5FileHeader(const Member& member, uint64_t type) {
  Bytes fields;
  PutVint(fields, (member.Directory ? 1 : 0) | (member.ModifiedUnixTime != 0 ? 2 : 0) | 4);
  PutVint(fields, member.UnpackedSize);
  PutVint(fields, member.Attributes);
  if (member.ModifiedUnixTime != 0) PutLe(fields, member.ModifiedUnixTime, 4);
  PutLe(fields, 0x12345678, 4);
  PutVint(fields, 0x2 | (member.Solid ? 0x40 : 0) | (static_cast<uint64_t>(member.DictionaryShift) << 10));
  PutVint(fields, 0);  // Windows
  PutVint(fields, member.Name.size());
  fields.insert(fields.end(), member.Name.begin(), member.Name.end());

  Bytes extra;
  if (member.ModifiedFileTime != 0) {
    Bytes record;
    PutVint(record, 3);
    PutVint(record, 0x2);
    PutLe(record, member.ModifiedFileTime, 8);
    PutVint(extra, record.size());
    extra.insert(extra.end(), record.begin(), record.end());
  }
  if (member.Encrypted) {
    Bytes record;
    PutVint(record, 1);
    record.insert(record.end(), 40, 0);
    PutVint(extra, record.size());
    extra.insert(extra.end(), record.begin(), record.end());
  }
  return Rar5Block(type, 0, fields, extra, member.PackedSize, true);
}

Bytes Rar5Archive(const std::vector<Member>& members, uint64_t archiveFlags, bool endBlock) {
  Bytes mainFields;
  PutVint(mainFields, archiveFlags);
  Bytes out = Concat({kRar5Signature, Rar5Block(1, 0, mainFields)});
  for (const Member& member : members) out = Concat({out, Rar5FileHeader(member), Filler(member.PackedSize)});
  if (endBlock) {
    Bytes endFields;
    PutVint(endFields, 0);
    out = Concat({out, Rar5Block(5, 0, endFields)});
  }
  return out;
}

}  // namespace rartest
