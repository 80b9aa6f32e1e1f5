// A task-panel group as it is kept in the registry or an archive: the group's
// keys, then one "Item%i" section per item with its class under "Class" and
// the item's keys, the number of sections under "Count". Later keys are read
// only from stores of the schema that has them. A store can be damaged or
// edited by hand: a count beyond the sections, a section of an unknown class
// or a missing store end the load with a named reason and keep the items read
// until then, and nothing is ever read from a count before it is checked.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "TaskPanelModel.h"

namespace kit::taskpanel {

constexpr int32_t kDefaultSchema = 16;
// The largest stored margin side or size taken as it is.
constexpr int32_t kMaxStoredExtent = 32000;

// The class names written under "Class".
inline constexpr std::u16string_view kGroupClass = u"CKitTaskPanelGroup";
inline constexpr std::u16string_view kGroupItemClass = u"CKitTaskPanelGroupItem";

// One section of the property tree (the property exchange on Windows, memory
// in tests). Reads answer nothing for a missing value.
class PanelSection
{
public:
    virtual ~PanelSection() = default;
    virtual std::optional<int32_t> ReadLong(std::u16string_view name) = 0;
    virtual std::optional<std::u16string> ReadString(std::u16string_view name) = 0;
    virtual std::optional<KitRect> ReadRect(std::u16string_view name) = 0;
    virtual std::optional<KitSize> ReadSize(std::u16string_view name) = 0;
    virtual void WriteLong(std::u16string_view name, int32_t value) = 0;
    virtual void WriteString(std::u16string_view name, const std::u16string& value) = 0;
    virtual void WriteRect(std::u16string_view name, const KitRect& value) = 0;
    virtual void WriteSize(std::u16string_view name, const KitSize& value) = 0;
    // Null when the section is not there (loading) or cannot be made.
    virtual std::unique_ptr<PanelSection> OpenSection(std::u16string_view name) = 0;
    // The number of numbered sections: a "Count" value here, the compact count
    // of an archive.
    virtual std::optional<int32_t> ReadCount() { return ReadLong(u"Count"); }
    virtual void WriteCount(int32_t count) { WriteLong(u"Count", count); }
};

// Why a load stopped; each has a name that a debug log can print.
enum class PanelLoadError
{
    None,
    NoPanel,          // nothing to load into, or no store at all
    BadCount,         // a negative item count
    CountBeyondData,  // fewer item sections (with a class) than the count says
    BadClass,         // an item section of a class that does not belong in the list
};
const char* PanelLoadErrorName(PanelLoadError error);

// The keys every item shares, then those of its kind.
void ExchangeItemKeys(PanelItem& item, PanelSection& section, bool loading, int32_t schema);
void ExchangeGroupItemKeys(GroupItem& item, PanelSection& section, bool loading, int32_t schema);

// A group with its items (one code path stores and loads, so storing takes
// the group as the loader does and changes nothing). Loading first empties the group's items and keeps
// those read before a fault.
void StoreGroup(Group& group, PanelSection& section, int32_t schema = kDefaultSchema);
PanelLoadError LoadGroup(Group* group, PanelSection* section, int32_t schema = kDefaultSchema);

// One group item alone, as a drag carries it.
void StoreGroupItem(GroupItem& item, PanelSection& section);
std::unique_ptr<GroupItem> LoadGroupItem(PanelSection& section);

}  // namespace kit::taskpanel
