#pragma once
// Writes small compound files (structured storage, version 3, 512-byte sectors)
// for tests: streams and empty storages directly below the root. Streams under
// 4096 bytes go to the mini stream, as real writers put them.

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

struct CompoundItem {
  std::u16string Name;
  bool IsStorage = false;
  std::vector<uint8_t> Bytes;
};

std::vector<uint8_t> WriteCompoundFile(const std::vector<CompoundItem>& items);

// A "\005SummaryInformation" stream whose application name (property 18) is `appName`.
std::vector<uint8_t> SummaryInformationStream(const std::string& appName);

// An Office-like document: a summary with `appName` (none when empty), a main
// stream of `bodyBytes` pseudo-random bytes named `mainStream` and, for
// Publisher's main stream "Contents", a "Quill" storage.
std::vector<uint8_t> OfficeDocument(const std::string& appName, const std::u16string& mainStream,
                                    std::size_t bodyBytes, uint32_t seed);

}  // namespace testsupport
