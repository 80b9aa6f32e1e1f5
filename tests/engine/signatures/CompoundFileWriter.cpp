#include "CompoundFileWriter.h"

#include <algorithm>

namespace testsupport {
namespace {

constexpr uint32_t kSector = 512;
constexpr uint32_t kMiniSector = 64;
constexpr uint32_t kCutoff = 4096;
constexpr uint32_t kFree = 0xFFFFFFFF, kEnd = 0xFFFFFFFE, kFatSector = 0xFFFFFFFD, kNone = 0xFFFFFFFF;

void Put16(std::vector<uint8_t>& b, std::size_t at, uint32_t v) {
  b[at] = static_cast<uint8_t>(v);
  b[at + 1] = static_cast<uint8_t>(v >> 8);
}
void Put32(std::vector<uint8_t>& b, std::size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}
void Append32(std::vector<uint8_t>& b, uint32_t v) {
  b.resize(b.size() + 4);
  Put32(b, b.size() - 4, v);
}

uint32_t SectorsFor(std::size_t bytes, uint32_t unit) { return static_cast<uint32_t>((bytes + unit - 1) / unit); }

// Chains `count` consecutive units from `first` in `table`.
void Chain(std::vector<uint32_t>& table, uint32_t first, uint32_t count) {
  for (uint32_t i = 0; i < count; ++i) table[first + i] = (i + 1 == count) ? kEnd : first + i + 1;
}

void PutEntry(std::vector<uint8_t>& dir, uint32_t id, const std::u16string& name, uint8_t type, uint32_t right,
              uint32_t child, uint32_t start, uint32_t size) {
  const std::size_t at = static_cast<std::size_t>(id) * 128;
  for (std::size_t i = 0; i < name.size(); ++i) Put16(dir, at + 2 * i, name[i]);
  Put16(dir, at + 64, name.empty() ? 0 : static_cast<uint32_t>((name.size() + 1) * 2));
  dir[at + 66] = type;
  dir[at + 67] = 1;  // black
  Put32(dir, at + 68, kNone);
  Put32(dir, at + 72, right);
  Put32(dir, at + 76, child);
  Put32(dir, at + 116, start);
  Put32(dir, at + 120, size);
}

}  // namespace

std::vector<uint8_t> WriteCompoundFile(const std::vector<CompoundItem>& items) {
  // Mini stream: the small streams, each padded to whole mini sectors.
  std::vector<uint8_t> miniStream;
  std::vector<uint32_t> miniFat;
  std::vector<uint32_t> itemStart(items.size(), kEnd);
  std::vector<uint8_t> large;
  std::vector<std::pair<std::size_t, uint32_t>> largeRuns;  // item, sector count
  for (std::size_t i = 0; i < items.size(); ++i) {
    const CompoundItem& item = items[i];
    if (item.IsStorage || item.Bytes.empty()) continue;
    if (item.Bytes.size() < kCutoff) {
      const uint32_t first = static_cast<uint32_t>(miniStream.size() / kMiniSector);
      const uint32_t count = SectorsFor(item.Bytes.size(), kMiniSector);
      itemStart[i] = first;
      miniStream.insert(miniStream.end(), item.Bytes.begin(), item.Bytes.end());
      miniStream.resize(static_cast<std::size_t>(first + count) * kMiniSector, 0);
      miniFat.resize(first + count, kFree);
      Chain(miniFat, first, count);
    } else {
      largeRuns.emplace_back(i, SectorsFor(item.Bytes.size(), kSector));
    }
  }
  const uint32_t directorySectors = SectorsFor((items.size() + 1) * 128, kSector);
  const uint32_t miniFatSectors = SectorsFor(miniFat.size() * 4, kSector);
  const uint32_t miniStreamSectors = SectorsFor(miniStream.size(), kSector);
  uint32_t dataSectors = directorySectors + miniFatSectors + miniStreamSectors;
  for (const auto& run : largeRuns) dataSectors += run.second;
  uint32_t fatSectors = 1;
  while ((fatSectors + dataSectors) > fatSectors * (kSector / 4)) ++fatSectors;

  const uint32_t total = fatSectors + dataSectors;
  std::vector<uint32_t> fat(static_cast<std::size_t>(fatSectors) * (kSector / 4), kFree);
  std::fill(fat.begin(), fat.begin() + fatSectors, kFatSector);
  uint32_t next = fatSectors;
  const uint32_t directoryStart = next;
  Chain(fat, next, directorySectors);
  next += directorySectors;
  const uint32_t miniFatStart = miniFatSectors ? next : kEnd;
  Chain(fat, next, miniFatSectors);
  next += miniFatSectors;
  const uint32_t miniStreamStart = miniStreamSectors ? next : kEnd;
  Chain(fat, next, miniStreamSectors);
  next += miniStreamSectors;
  for (const auto& [index, count] : largeRuns) {
    itemStart[index] = next;
    Chain(fat, next, count);
    next += count;
  }

  std::vector<uint8_t> file(static_cast<std::size_t>(total + 1) * kSector, 0);
  const uint8_t magic[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
  std::copy(std::begin(magic), std::end(magic), file.begin());
  Put16(file, 24, 0x3E);
  Put16(file, 26, 3);
  Put16(file, 28, 0xFFFE);
  Put16(file, 30, 9);
  Put16(file, 32, 6);
  Put32(file, 44, fatSectors);
  Put32(file, 48, directoryStart);
  Put32(file, 56, kCutoff);
  Put32(file, 60, miniFatStart);
  Put32(file, 64, miniFatSectors);
  Put32(file, 68, kEnd);
  for (uint32_t i = 0; i < 109; ++i) Put32(file, 76 + 4 * i, i < fatSectors ? i : kFree);

  auto sectorAt = [&](uint32_t sector) { return static_cast<std::size_t>(sector + 1) * kSector; };
  for (std::size_t i = 0; i < fat.size(); ++i) Put32(file, sectorAt(0) + 4 * i, fat[i]);

  std::vector<uint8_t> directory(static_cast<std::size_t>(directorySectors) * kSector, 0);
  for (uint32_t id = 0; id < directorySectors * 4; ++id) {
    Put32(directory, id * 128 + 68, kNone);
    Put32(directory, id * 128 + 72, kNone);
    Put32(directory, id * 128 + 76, kNone);
  }
  PutEntry(directory, 0, u"Root Entry", 5, kNone, items.empty() ? kNone : 1, miniStreamStart,
           static_cast<uint32_t>(miniStream.size()));
  for (std::size_t i = 0; i < items.size(); ++i) {
    const uint32_t right = i + 1 < items.size() ? static_cast<uint32_t>(i + 2) : kNone;
    PutEntry(directory, static_cast<uint32_t>(i + 1), items[i].Name, items[i].IsStorage ? 1 : 2, right, kNone,
             items[i].IsStorage ? 0 : itemStart[i], static_cast<uint32_t>(items[i].Bytes.size()));
  }
  std::copy(directory.begin(), directory.end(), file.begin() + static_cast<std::ptrdiff_t>(sectorAt(directoryStart)));
  for (std::size_t i = 0; i < miniFat.size(); ++i) Put32(file, sectorAt(miniFatStart) + 4 * i, miniFat[i]);
  if (miniStreamSectors) {
    std::copy(miniStream.begin(), miniStream.end(),
              file.begin() + static_cast<std::ptrdiff_t>(sectorAt(miniStreamStart)));
  }
  for (const auto& [index, count] : largeRuns) {
    const std::vector<uint8_t>& bytes = items[index].Bytes;
    std::copy(bytes.begin(), bytes.end(), file.begin() + static_cast<std::ptrdiff_t>(sectorAt(itemStart[index])));
  }
  return file;
}

std::vector<uint8_t> SummaryInformationStream(const std::string& appName) {
  std::vector<uint8_t> s(28, 0);
  Put16(s, 0, 0xFFFE);
  Put32(s, 4, 0x00020105);
  Put32(s, 24, 1);
  const uint8_t id[16] = {0xE0, 0x85, 0x9F, 0xF2, 0xF9, 0x4F, 0x68, 0x10,
                          0xAB, 0x91, 0x08, 0x00, 0x2B, 0x27, 0xB3, 0xD9};
  s.insert(s.end(), std::begin(id), std::end(id));
  Append32(s, 48);  // the section follows
  // Section: size, two properties (code page, then the application name).
  const std::size_t section = s.size();
  const uint32_t textBytes = static_cast<uint32_t>(appName.size() + 1);
  const uint32_t paddedText = (textBytes + 3) / 4 * 4;
  Append32(s, 8 + 16 + 8 + 8 + paddedText);
  Append32(s, 2);
  Append32(s, 1);
  Append32(s, 24);
  Append32(s, 18);
  Append32(s, 32);
  Append32(s, 2);  // VT_I2
  Append32(s, 1252);
  Append32(s, 0x1E);  // VT_LPSTR
  Append32(s, textBytes);
  s.insert(s.end(), appName.begin(), appName.end());
  s.resize(section + 8 + 16 + 8 + 8 + paddedText, 0);
  return s;
}

std::vector<uint8_t> OfficeDocument(const std::string& appName, const std::u16string& mainStream,
                                    std::size_t bodyBytes, uint32_t seed) {
  std::vector<CompoundItem> items;
  if (!appName.empty()) items.push_back({u"\u0005SummaryInformation", false, SummaryInformationStream(appName)});
  std::vector<uint8_t> body(bodyBytes);
  uint32_t x = seed ? seed : 1;
  for (uint8_t& byte : body) {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    byte = static_cast<uint8_t>(x);
  }
  items.push_back({mainStream, false, std::move(body)});
  if (mainStream == u"Contents") items.push_back({u"Quill", true, {}});
  return WriteCompoundFile(items);
}

}  // namespace testsupport
