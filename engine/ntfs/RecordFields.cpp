#include "ntfs/RecordFields.h"

#include "ntfs/DataRuns.h"

namespace engine::ntfs {
namespace {

// $FILE_NAME value fields.
constexpr uint32_t kNameParent = 0;
constexpr uint32_t kNameCreation = 8;
constexpr uint32_t kNameModification = 16;
constexpr uint32_t kNameMftChange = 24;
constexpr uint32_t kNameAccess = 32;
constexpr uint32_t kNameFileFlags = 56;
constexpr uint32_t kNameLength = 64;
constexpr uint32_t kNameNamespace = 65;
constexpr uint32_t kNameChars = 66;

// $ATTRIBUTE_LIST entry fields.
constexpr uint32_t kListEntryLength = 4;
constexpr uint32_t kListNameLength = 6;
constexpr uint32_t kListStartingVcn = 8;
constexpr uint32_t kListSegment = 16;
constexpr uint32_t kListEntryMinimum = 26;

// $INDEX_ROOT value: the index header at 16, its first-entry offset counted from there.
constexpr uint32_t kRootIndexHeader = 16;
// Index entry: length at 8, flags at 12 (0x02 the last entry, which has no key), key at 16.
constexpr uint32_t kEntryLength = 8;
constexpr uint32_t kEntryFlags = 12;
constexpr uint32_t kEntryKey = 16;
constexpr uint16_t kEntryIsLast = 0x02;

const std::u16string kI30 = u"$I30";

}  // namespace

std::optional<FileNameInfo> ParseFileName(std::span<const uint8_t> value) {
  LeBytes view(value);
  FileNameInfo info;
  info.ParentRecord = view.U32(kNameParent);
  info.CreationTime = view.U64(kNameCreation);
  info.ModificationTime = view.U64(kNameModification);
  info.MftChangeTime = view.U64(kNameMftChange);
  info.AccessTime = view.U64(kNameAccess);
  info.FileFlags = view.U32(kNameFileFlags);
  const uint8_t length = view.U8(kNameLength);
  info.Namespace = view.U8(kNameNamespace);
  const auto chars = view.Span(kNameChars, uint64_t{length} * 2);
  if (!view.ok()) return std::nullopt;
  LeBytes name(chars);
  for (uint32_t i = 0; i < length; ++i) info.Name.push_back(static_cast<char16_t>(name.U16(i * 2)));
  return info;
}

std::vector<FileNameInfo> AllFileNames(std::span<const uint8_t> record) {
  std::vector<FileNameInfo> names;
  for (const Attribute& attribute : ListAttributes(record)) {
    if (attribute.Type != kAttrFileName || !attribute.Name.empty()) continue;
    const auto value = ResidentValue(attribute);
    if (!value) continue;
    if (auto name = ParseFileName(*value)) names.push_back(std::move(*name));
  }
  return names;
}

namespace {
bool NamespaceAccepted(uint8_t found, uint8_t wanted) {
  if (wanted == kNamespaceWin32) return found == kNamespacePosix || found == kNamespaceWin32;
  return found == wanted;
}
}  // namespace

std::optional<FileNameInfo> ChooseDisplayName(const std::vector<FileNameInfo>& names) {
  for (uint8_t wanted : {kNamespaceWin32, kNamespaceWin32AndDos, kNamespaceDos}) {
    for (const FileNameInfo& name : names) {
      if (NamespaceAccepted(name.Namespace, wanted)) return name;
    }
  }
  return std::nullopt;
}

std::optional<FileNameInfo> FindFileName(std::span<const uint8_t> record, uint8_t wantedNamespace) {
  for (FileNameInfo& name : AllFileNames(record)) {
    if (NamespaceAccepted(name.Namespace, wantedNamespace)) return std::move(name);
  }
  return std::nullopt;
}

std::optional<FileNameInfo> FindDisplayName(std::span<const uint8_t> record) {
  return ChooseDisplayName(AllFileNames(record));
}

std::vector<Attribute> DataAttributeExtents(std::span<const uint8_t> record) {
  std::vector<Attribute> extents;
  for (Attribute& attribute : ListAttributes(record)) {
    if (attribute.Type == kAttrData && attribute.Name.empty()) extents.push_back(std::move(attribute));
  }
  return extents;
}

std::optional<Attribute> FindDataAttribute(std::span<const uint8_t> record) {
  for (Attribute& attribute : DataAttributeExtents(record)) {
    if (!attribute.NonResident) return std::move(attribute);
    const auto info = ReadNonResident(attribute);
    if (info && info->LowestVcn == 0) return std::move(attribute);
  }
  return std::nullopt;
}

std::optional<uint64_t> GetDataSize(std::span<const uint8_t> record) {
  const auto data = FindDataAttribute(record);
  if (!data) return std::nullopt;
  if (!data->NonResident) {
    const auto value = ResidentValue(*data);
    if (!value) return std::nullopt;
    return value->size();
  }
  const auto info = ReadNonResident(*data);
  if (!info) return std::nullopt;
  return info->RealSize;
}

std::vector<AttributeListEntry> ParseAttributeList(std::span<const uint8_t> list) {
  std::vector<AttributeListEntry> entries;
  LeBytes view(list);
  uint64_t offset = 0;
  while (view.Has(offset, kListEntryMinimum)) {
    LeBytes entry(list.subspan(static_cast<std::size_t>(offset)));
    AttributeListEntry parsed;
    parsed.Type = entry.U32(0);
    const uint16_t length = entry.U16(kListEntryLength);
    if (parsed.Type == 0 || parsed.Type == kAttrEnd) break;
    if (length < kListEntryMinimum || !view.Has(offset, length)) break;
    parsed.Named = entry.U8(kListNameLength) != 0;
    parsed.StartingVcn = entry.U64(kListStartingVcn);
    parsed.SegmentRecord = entry.U32(kListSegment);
    entries.push_back(parsed);
    offset += length;
  }
  return entries;
}

std::optional<std::vector<AttributeListEntry>> ResidentAttributeList(std::span<const uint8_t> record) {
  for (const Attribute& attribute : ListAttributes(record)) {
    if (attribute.Type != kAttrAttributeList) continue;
    const auto value = ResidentValue(attribute);
    if (!value) return std::nullopt;
    return ParseAttributeList(*value);
  }
  return std::nullopt;
}

uint32_t FindIndexRootOwnId(std::span<const uint8_t> record) {
  for (const Attribute& attribute : ListAttributes(record)) {
    if (attribute.Type != kAttrIndexRoot || attribute.Name != kI30) continue;
    const auto value = ResidentValue(attribute);
    if (!value) return 0;
    LeBytes root(*value);
    const uint64_t firstEntry = uint64_t{kRootIndexHeader} + root.U32(kRootIndexHeader);
    const uint16_t entryLength = root.U16(firstEntry + kEntryLength);
    const uint16_t entryFlags = root.U16(firstEntry + kEntryFlags);
    if (!root.ok() || (entryFlags & kEntryIsLast) != 0 || entryLength <= kEntryKey) return 0;
    const auto entry = root.Span(firstEntry, entryLength);
    if (!root.ok()) return 0;
    const auto key = ParseFileName(entry.subspan(kEntryKey));
    if (!key || key->Name.empty() || key->ParentRecord == 0xFFFFFFFF) return 0;
    return key->ParentRecord;
  }
  return 0;
}

uint64_t FirstIndexAllocationCluster(std::span<const uint8_t> record) {
  for (const Attribute& attribute : ListAttributes(record)) {
    if (attribute.Type != kAttrIndexAllocation || attribute.Name != kI30) continue;
    const auto info = ReadNonResident(attribute);
    if (!info) return 0;
    return FirstRunCluster(info->Runlist).value_or(0);
  }
  return 0;
}

}  // namespace engine::ntfs
