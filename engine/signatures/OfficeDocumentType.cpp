#include "signatures/OfficeDocumentType.h"

#include <algorithm>
#include <vector>

#include "EngineContext.h"
#include "LeBytes.h"
#include "SectorReader.h"
#include "signatures/CompoundFile.h"

namespace engine {
namespace {

// The summary-information property set {F29F85E0-4FF9-1068-AB91-08002B27B3D9}
// as its GUID lies on disk (MS-OLEPS).
constexpr uint8_t kSummaryInformationId[16] = {0xE0, 0x85, 0x9F, 0xF2, 0xF9, 0x4F, 0x68, 0x10,
                                               0xAB, 0x91, 0x08, 0x00, 0x2B, 0x27, 0xB3, 0xD9};
constexpr char16_t kSummaryInformationStream[] = u"\u0005SummaryInformation";
constexpr uint32_t kAppNameProperty = 18;
constexpr uint16_t kTypeLpstr = 0x1E;
constexpr uint16_t kTypeLpwstr = 0x1F;

// Property set stream: byte order, version, system, CLSID, section count, then
// the first section's FMTID and offset.
constexpr uint64_t kSectionCountOffset = 24;
constexpr uint64_t kFirstSectionIdOffset = 28;
constexpr uint64_t kFirstSectionOffsetOffset = 44;

std::string ReadAppNameValue(LeBytes& stream, uint64_t offset) {
  const uint16_t type = stream.U16(offset);
  const uint32_t count = stream.U32(offset + 4);
  if (!stream.ok()) return {};
  std::string text;
  if (type == kTypeLpstr) {
    for (uint8_t c : stream.Span(offset + 8, count)) {
      if (c == 0) break;
      text.push_back(static_cast<char>(c));
    }
  } else if (type == kTypeLpwstr) {
    LeBytes units(stream.Span(offset + 8, static_cast<uint64_t>(count) * 2));
    for (std::size_t i = 0; i + 1 < units.size(); i += 2) {
      const char16_t c = units.U16(i);
      if (c == 0) break;
      text.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    }
  }
  return text;
}

bool Contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

}  // namespace

std::string ReadSummaryAppName(const CompoundFile& file) {
  const CompoundFile::Entry* entry = file.FindRootStream(kSummaryInformationStream);
  if (entry == nullptr) return {};
  const std::optional<std::vector<uint8_t>> bytes = file.ReadStream(*entry);
  if (!bytes) return {};
  LeBytes stream(*bytes);
  const std::span<const uint8_t> sectionId = stream.Span(kFirstSectionIdOffset, sizeof kSummaryInformationId);
  const uint64_t section = stream.U32(kFirstSectionOffsetOffset);
  if (stream.U16(0) != 0xFFFE || stream.U32(kSectionCountOffset) == 0 || !stream.ok() ||
      !std::equal(sectionId.begin(), sectionId.end(), kSummaryInformationId)) {
    return {};
  }
  // Section: size, property count, then (id, offset from the section) pairs.
  const uint32_t properties = stream.U32(section + 4);
  if (!stream.ok()) return {};
  for (uint64_t i = 0; i < properties; ++i) {
    const uint64_t pair = section + 8 + 8 * i;
    const uint32_t id = stream.U32(pair);
    const uint32_t offset = stream.U32(pair + 4);
    if (!stream.ok()) return {};
    if (id == kAppNameProperty) return ReadAppNameValue(stream, section + offset);
  }
  return {};
}

std::u16string ClassifyOfficeDocument(std::span<const uint8_t> bytes) {
  const std::optional<CompoundFile> file = CompoundFile::Open(bytes);
  if (!file) return u".pub";
  const std::string appName = ReadSummaryAppName(*file);
  if (Contains(appName, "PowerPoint")) return u".ppt";
  if (Contains(appName, "Excel")) return u".xls";
  if (Contains(appName, "Word")) return u".doc";
  const std::vector<const CompoundFile::Entry*> children = file->RootChildren();
  const auto has = [&](std::u16string_view name) {
    return std::any_of(children.begin(), children.end(), [&](const CompoundFile::Entry* e) { return e->Name == name; });
  };
  if (has(u"PowerPoint Document")) return u".ppt";
  if (has(u"Workbook") || has(u"Book")) return u".xls";
  if (has(u"WordDocument")) return u".doc";
  // Publisher files (the "Quill" storage) and anything else.
  return u".pub";
}

std::u16string DetectOfficeType(EngineContext& ctx, uint64_t sector) {
  // Unreadable sectors arrive as zeros, which the reader treats as missing parts.
  std::vector<uint8_t> copy(static_cast<std::size_t>(kOfficeCheckChunks) * kOfficeCheckChunkSectors * kSectorSize);
  // Never past the chosen range: what lies beyond it is no part of the hit.
  const uint64_t end = ctx.SourceSelection.EndSector >= sector ? ctx.SourceSelection.EndSector : UINT64_MAX;
  for (uint32_t chunk = 0; chunk < kOfficeCheckChunks; ++chunk) {
    const uint64_t first = sector + static_cast<uint64_t>(chunk) * kOfficeCheckChunkSectors;
    if (first > end) break;
    const auto count = static_cast<uint32_t>(std::min<uint64_t>(kOfficeCheckChunkSectors, end - first + 1));
    const std::span<uint8_t> part(copy.data() + static_cast<std::size_t>(chunk) * kOfficeCheckChunkSectors * kSectorSize,
                                  static_cast<std::size_t>(kOfficeCheckChunkSectors) * kSectorSize);
    ReadSectors(ctx, first, count, part);
  }
  return ClassifyOfficeDocument(copy);
}

}  // namespace engine
