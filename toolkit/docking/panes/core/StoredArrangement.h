// The stored form of a docking arrangement: one "Summary" section and one
// "Pane-%d" section per node, read back only after the whole tree has been
// checked. A store can come from an old version, a damaged registry or an
// archive that someone edited, so node types, counts, directions, references
// and cycles are validated before anything is built from it; a store that
// fails gives the default arrangement (the view alone) instead.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/GradientGeometry.h"

namespace kit::docking {

enum NodeType : int32_t
{
    kNodePane = 0,
    kNodeTabbedContainer = 1,
    kNodeSplit = 2,
    kNodeFloatingWindow = 3,
    kNodeClient = 4,
    kNodeSideStrip = 5,
};

constexpr int32_t kDefaultSchema = 16;
constexpr int32_t kMaxTrackSize = 32000;

// One node as it is stored; indexes are 1-based, 0 names nothing.
struct StoredNode
{
    int32_t type = -1;
    int32_t dockingCx = 0;
    int32_t dockingCy = 0;

    // Pane.
    std::u16string title;
    int32_t id = 0;
    int32_t iconId = -1;
    int32_t options = 0;
    int32_t dockingHolder = 0;
    int32_t floatingHolder = 0;
    int32_t lastHolder = 0;
    int32_t minTrackX = 0;
    int32_t minTrackY = 0;
    int32_t maxTrackX = kMaxTrackSize;
    int32_t maxTrackY = kMaxTrackSize;
    int32_t tabColor = -1;
    int32_t helpId = 0;
    int32_t tag = 0;

    // Tabbed container, split node and side strip: their children in order.
    std::vector<int32_t> children;
    int32_t selected = 0;     // tabbed container
    bool horizontal = false;  // split node
    int32_t direction = 0;    // side strip: 0 left, 1 right, 2 top, 3 bottom

    // Floating window.
    KitRect windowRect;
    bool collapsed = false;
    int32_t expandedHeight = 0;
    int32_t topContainer = 0;

    bool operator==(const StoredNode&) const = default;
};

struct StoredArrangement
{
    std::vector<StoredNode> nodes;  // node i is nodes[i - 1]
    int32_t topContainer = 0;
    int32_t client = 0;

    const StoredNode* Node(int32_t index) const;
    StoredNode* Node(int32_t index);
    bool operator==(const StoredArrangement&) const = default;
};

// Why a store was refused; each has a name that a debug log can print.
enum class ArrangementError
{
    None,
    MissingSummary,
    TooFewNodes,
    BadNodeType,
    PaneWithoutId,
    BadChildCount,
    ChildMissing,
    ChildOfWrongKind,
    ChildWithTwoParents,
    Cycle,
    BadSelection,
    BadHolder,
    BadDirection,
    DuplicateSideStrip,
    BadFloatingContainer,
    BadTopContainer,
    BadClient,
    ClientOutsideTree,
};
const char* ArrangementErrorName(ArrangementError error);

// The view alone: a client node inside a horizontal top split.
StoredArrangement DefaultArrangement();

// Checks every rule that building the live tree relies on.
ArrangementError ValidateArrangement(const StoredArrangement& arrangement);

// A side strip's tab that names nothing must not take the rest down with
// it: strip entries that name no group, and pane entries of a strip's group
// that name no pane, are dropped; a group left without panes leaves its strip
// and a group left outside every tree gives its panes up (they are closed).
void DropStaleSideStripEntries(StoredArrangement& arrangement);

// One section of the property tree the arrangement is kept in (the registry
// or an archive through the property exchange, or memory in tests).
class ArrangementSection
{
public:
    virtual ~ArrangementSection() = default;
    virtual std::optional<int32_t> ReadLong(std::u16string_view name) = 0;
    virtual std::optional<std::u16string> ReadString(std::u16string_view name) = 0;
    virtual void WriteLong(std::u16string_view name, int32_t value) = 0;
    virtual void WriteString(std::u16string_view name, const std::u16string& value) = 0;
    // Null when the section is not there (loading) or cannot be made.
    virtual std::unique_ptr<ArrangementSection> OpenSection(std::u16string_view name) = 0;
};

// Writes a valid arrangement; an invalid one is refused and nothing is written.
ArrangementError StoreArrangement(const StoredArrangement& arrangement, ArrangementSection& root,
                                  int32_t schema = kDefaultSchema);

struct ArrangementLoad
{
    StoredArrangement arrangement;
    ArrangementError error = ArrangementError::None;
};

// Reads and validates; `schema` gates the keys added in later versions.
ArrangementLoad LoadArrangement(ArrangementSection& root, int32_t schema = kDefaultSchema);

// The stored arrangement when it is sound, else the default one.
StoredArrangement LoadArrangementOrDefault(ArrangementSection& root, int32_t schema = kDefaultSchema);

}  // namespace kit::docking
