#pragma once
// The members of a tar archive held in memory. Each member is a 512-byte header
// followed by its data, padded with zeros to a multiple of 512 bytes. A header is
// valid when its checksum matches; the walk stops at the first one that does not,
// and at a member whose data would run past the end of the bytes held.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace preview {

constexpr size_t kTarBlock = 512;

// An unsigned octal text field: leading white space skipped, ends at the first
// character that is not an octal digit.
uint64_t ParseOctal(const uint8_t* field, size_t width);

// True when 512 bytes lie at `offset` and their checksum matches.
bool IsValidTarHeader(std::span<const uint8_t> content, size_t offset);

struct TarMember {
  size_t headerOffset = 0;
  size_t dataOffset = 0;
  uint64_t size = 0;       // as the header gives it
  uint64_t available = 0;  // the bytes of it that are held
  uint8_t type = 0;
  std::string name;        // ANSI bytes, at most 100
  uint32_t modificationTime = 0;
};

// Walks the members. `visit` is called for each valid header in turn and returns
// false to stop. Returns the number of members visited.
template <typename Visit>
int32_t WalkTar(std::span<const uint8_t> content, Visit visit);

bool ReadTarMember(std::span<const uint8_t> content, size_t offset, TarMember& member);

template <typename Visit>
int32_t WalkTar(std::span<const uint8_t> content, Visit visit) {
  int32_t count = 0;
  size_t offset = 0;
  TarMember member;
  while (ReadTarMember(content, offset, member)) {
    ++count;
    if (!visit(member)) break;
    // A member cut short by the end of the bytes is the last one.
    if (member.available < member.size) break;
    const uint64_t padded = (member.size + kTarBlock - 1) / kTarBlock * kTarBlock;
    if (padded > content.size() - member.dataOffset) break;
    offset = member.dataOffset + static_cast<size_t>(padded);
  }
  return count;
}

}  // namespace preview
