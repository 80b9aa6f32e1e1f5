#include "ntfs/RecordTimes.h"

#include "LeBytes.h"
#include "ntfs/MftRecord.h"
#include "ntfs/RecordFields.h"

namespace engine::ntfs {
namespace {

constexpr uint32_t kStandardCreation = 0;
constexpr uint32_t kStandardLastWrite = 8;
constexpr uint32_t kStandardLastAccess = 24;
constexpr uint32_t kStandardTimesBytes = 32;

std::optional<RecordTimes> StandardInformationTimes(std::span<const uint8_t> record) {
  for (const Attribute& attribute : ListAttributes(record)) {
    if (attribute.Type != kAttrStandardInformation || !attribute.Name.empty() || attribute.NonResident) continue;
    const auto value = ResidentValue(attribute);
    if (!value || value->size() < kStandardTimesBytes) continue;
    LeBytes view(*value);
    RecordTimes times{view.U64(kStandardCreation), view.U64(kStandardLastWrite), view.U64(kStandardLastAccess)};
    if (view.ok()) return times;
  }
  return std::nullopt;
}

}  // namespace

std::optional<RecordTimes> ReadRecordTimes(std::span<const uint8_t> record) {
  if (std::optional<RecordTimes> standard = StandardInformationTimes(record)) return standard;
  const std::optional<FileNameInfo> name = FindDisplayName(record);
  if (!name) return std::nullopt;
  return RecordTimes{name->CreationTime, name->ModificationTime, name->AccessTime};
}

}  // namespace engine::ntfs
