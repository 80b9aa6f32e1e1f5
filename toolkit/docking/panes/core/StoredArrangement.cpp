#include "StoredArrangement.h"

#include <string>

namespace kit::docking {

namespace {

std::u16string Numbered(std::u16string_view name, int32_t number)
{
    std::u16string text(name);
    for (char c : std::to_string(number))
        text.push_back(static_cast<char16_t>(c));
    return text;
}

int32_t ReadLong(ArrangementSection& section, std::u16string_view name, int32_t fallback)
{
    return section.ReadLong(name).value_or(fallback);
}

bool IsContainerOf(int32_t parentType, int32_t childType)
{
    switch (parentType)
    {
    case kNodeTabbedContainer:
        return childType == kNodePane;
    case kNodeSplit:
        return childType == kNodeTabbedContainer || childType == kNodeSplit || childType == kNodeClient;
    case kNodeSideStrip:
        return childType == kNodeTabbedContainer || childType == kNodeSplit;
    default:
        return false;
    }
}

ArrangementError CheckNode(const StoredArrangement& arrangement, const StoredNode& node,
                           std::vector<int32_t>& parents, int32_t index)
{
    const int32_t count = static_cast<int32_t>(arrangement.nodes.size());
    auto adopt = [&](int32_t child) {
        const StoredNode* target = arrangement.Node(child);
        if (!target)
            return ArrangementError::ChildMissing;
        if (parents[child] != 0)
            return ArrangementError::ChildWithTwoParents;
        parents[child] = index;
        return ArrangementError::None;
    };
    if (node.type < kNodePane || node.type > kNodeSideStrip)
        return ArrangementError::BadNodeType;
    if (static_cast<int64_t>(node.children.size()) > count)
        return ArrangementError::BadChildCount;
    for (int32_t child : node.children)
    {
        const StoredNode* target = arrangement.Node(child);
        if (target && !IsContainerOf(node.type, target->type))
            return ArrangementError::ChildOfWrongKind;
        if (const ArrangementError error = adopt(child); error != ArrangementError::None)
            return error;
    }
    switch (node.type)
    {
    case kNodePane:
    {
        if (node.id <= 0)
            return ArrangementError::PaneWithoutId;
        for (int32_t holder : {node.dockingHolder, node.floatingHolder, node.lastHolder})
        {
            const StoredNode* target = arrangement.Node(holder);
            if (holder != 0 && (!target || target->type != kNodeTabbedContainer))
                return ArrangementError::BadHolder;
        }
        return ArrangementError::None;
    }
    case kNodeTabbedContainer:
        if (node.selected != 0)
        {
            for (int32_t child : node.children)
                if (child == node.selected)
                    return ArrangementError::None;
            return ArrangementError::BadSelection;
        }
        return ArrangementError::None;
    case kNodeSideStrip:
        return node.direction >= 0 && node.direction <= 3 ? ArrangementError::None : ArrangementError::BadDirection;
    case kNodeFloatingWindow:
    {
        const StoredNode* top = arrangement.Node(node.topContainer);
        if (!top || top->type != kNodeSplit)
            return ArrangementError::BadFloatingContainer;
        return adopt(node.topContainer);
    }
    default:
        return ArrangementError::None;
    }
}

// The keys after "Type", which all sections receive first in a pass of their own.
void WriteNode(const StoredNode& node, ArrangementSection& section, int32_t schema)
{
    section.WriteLong(u"DockingCX", node.dockingCx);
    section.WriteLong(u"DockingCY", node.dockingCy);
    switch (node.type)
    {
    case kNodePane:
        section.WriteString(u"Title", node.title);
        section.WriteLong(u"ID", node.id);
        section.WriteLong(u"IconID", node.iconId);
        section.WriteLong(u"Options", node.options);
        section.WriteLong(u"DockingHolder", node.dockingHolder);
        section.WriteLong(u"FloatingHolder", node.floatingHolder);
        section.WriteLong(u"LastHolder", node.lastHolder);
        section.WriteLong(u"MinTrackX", node.minTrackX);
        section.WriteLong(u"MinTrackY", node.minTrackY);
        section.WriteLong(u"MaxTrackX", node.maxTrackX);
        section.WriteLong(u"MaxTrackY", node.maxTrackY);
        if (schema > 9)
        {
            section.WriteLong(u"TabColor", node.tabColor);
            section.WriteLong(u"HelpId", node.helpId);
            section.WriteLong(u"Tag", node.tag);
        }
        return;
    case kNodeTabbedContainer:
        section.WriteLong(u"Panes", static_cast<int32_t>(node.children.size()));
        section.WriteLong(u"Selected", node.selected);
        break;
    case kNodeSplit:
        section.WriteLong(u"Horiz", node.horizontal ? 1 : 0);
        section.WriteLong(u"Panes", static_cast<int32_t>(node.children.size()));
        break;
    case kNodeSideStrip:
        section.WriteLong(u"Direction", node.direction);
        section.WriteLong(u"Panes", static_cast<int32_t>(node.children.size()));
        break;
    case kNodeFloatingWindow:
        section.WriteLong(u"WindowRectTopPos", node.windowRect.top);
        section.WriteLong(u"WindowRectBottomPos", node.windowRect.bottom);
        section.WriteLong(u"WindowRectLeftPos", node.windowRect.left);
        section.WriteLong(u"WindowRectRightPos", node.windowRect.right);
        section.WriteLong(u"Collapsed", node.collapsed ? 1 : 0);
        section.WriteLong(u"ExpandedHeight", node.expandedHeight);
        // The older stores spell the key so; readers depend on it.
        section.WriteLong(u"TopContaner", node.topContainer);
        return;
    default:
        return;
    }
    for (size_t i = 0; i < node.children.size(); ++i)
        section.WriteLong(Numbered(u"Pane-", static_cast<int32_t>(i + 1)), node.children[i]);
}

// The child count of a container; a count that cannot be real (more children
// than the tree has nodes) is refused before any entry is read.
std::optional<int32_t> ReadChildCount(ArrangementSection& section, int32_t nodeCount)
{
    const int32_t count = ReadLong(section, u"Panes", 0);
    if (count < 0 || count > nodeCount)
        return std::nullopt;
    return count;
}

ArrangementError ReadChildEntries(ArrangementSection& section, std::optional<int32_t> count, StoredNode& node)
{
    if (!count)
        return ArrangementError::BadChildCount;
    for (int32_t i = 1; i <= *count; ++i)
        node.children.push_back(ReadLong(section, Numbered(u"Pane-", i), 0));
    return ArrangementError::None;
}

ArrangementError ReadNode(ArrangementSection& section, int32_t nodeCount, int32_t schema, StoredNode& node)
{
    node.dockingCx = ReadLong(section, u"DockingCX", 0);
    node.dockingCy = ReadLong(section, u"DockingCY", 0);
    switch (node.type)
    {
    case kNodePane:
        node.title = section.ReadString(u"Title").value_or(std::u16string());
        node.id = ReadLong(section, u"ID", 0);
        node.iconId = ReadLong(section, u"IconID", -1);
        node.options = ReadLong(section, u"Options", 0);
        node.dockingHolder = ReadLong(section, u"DockingHolder", 0);
        node.floatingHolder = ReadLong(section, u"FloatingHolder", 0);
        node.lastHolder = ReadLong(section, u"LastHolder", 0);
        node.minTrackX = ReadLong(section, u"MinTrackX", 0);
        node.minTrackY = ReadLong(section, u"MinTrackY", 0);
        node.maxTrackX = ReadLong(section, u"MaxTrackX", kMaxTrackSize);
        node.maxTrackY = ReadLong(section, u"MaxTrackY", kMaxTrackSize);
        if (schema > 9)
        {
            node.tabColor = ReadLong(section, u"TabColor", -1);
            node.helpId = ReadLong(section, u"HelpId", 0);
            node.tag = ReadLong(section, u"Tag", 0);
        }
        return node.id > 0 ? ArrangementError::None : ArrangementError::PaneWithoutId;
    case kNodeTabbedContainer:
    {
        const std::optional<int32_t> count = ReadChildCount(section, nodeCount);
        node.selected = ReadLong(section, u"Selected", 0);
        return ReadChildEntries(section, count, node);
    }
    case kNodeSplit:
    {
        node.horizontal = ReadLong(section, u"Horiz", 0) != 0;
        const std::optional<int32_t> count = ReadChildCount(section, nodeCount);
        return ReadChildEntries(section, count, node);
    }
    case kNodeSideStrip:
    {
        const std::optional<int32_t> direction = section.ReadLong(u"Direction");
        if (!direction || *direction < 0 || *direction > 3)
            return ArrangementError::BadDirection;
        node.direction = *direction;
        const std::optional<int32_t> count = ReadChildCount(section, nodeCount);
        return ReadChildEntries(section, count, node);
    }
    case kNodeFloatingWindow:
    {
        const std::optional<int32_t> top = section.ReadLong(u"WindowRectTopPos");
        const std::optional<int32_t> bottom = section.ReadLong(u"WindowRectBottomPos");
        const std::optional<int32_t> left = section.ReadLong(u"WindowRectLeftPos");
        const std::optional<int32_t> right = section.ReadLong(u"WindowRectRightPos");
        node.collapsed = ReadLong(section, u"Collapsed", 0) != 0;
        node.expandedHeight = ReadLong(section, u"ExpandedHeight", 0);
        const std::optional<int32_t> container = section.ReadLong(u"TopContaner");
        if (!top || !bottom || !left || !right || !container || *container == 0)
            return ArrangementError::BadFloatingContainer;
        node.windowRect = {*left, *top, *right, *bottom};
        node.topContainer = *container;
        return ArrangementError::None;
    }
    default:
        return ArrangementError::None;
    }
}

}  // namespace

const StoredNode* StoredArrangement::Node(int32_t index) const
{
    if (index < 1 || index > static_cast<int64_t>(nodes.size()))
        return nullptr;
    return &nodes[static_cast<size_t>(index) - 1];
}

StoredNode* StoredArrangement::Node(int32_t index)
{
    return const_cast<StoredNode*>(static_cast<const StoredArrangement&>(*this).Node(index));
}

const char* ArrangementErrorName(ArrangementError error)
{
    switch (error)
    {
    case ArrangementError::None: return "sound";
    case ArrangementError::MissingSummary: return "no summary section";
    case ArrangementError::TooFewNodes: return "fewer than two nodes";
    case ArrangementError::BadNodeType: return "node type outside 0 to 5";
    case ArrangementError::PaneWithoutId: return "pane without an id above 0";
    case ArrangementError::BadChildCount: return "child count out of range";
    case ArrangementError::ChildMissing: return "child index names no node";
    case ArrangementError::ChildOfWrongKind: return "child of a kind its container cannot hold";
    case ArrangementError::ChildWithTwoParents: return "node named as child twice";
    case ArrangementError::Cycle: return "node is its own ancestor";
    case ArrangementError::BadSelection: return "selected pane is not a tab of its container";
    case ArrangementError::BadHolder: return "holder is not a tabbed container";
    case ArrangementError::BadDirection: return "side strip direction outside 0 to 3";
    case ArrangementError::DuplicateSideStrip: return "two side strips on one side";
    case ArrangementError::BadFloatingContainer: return "floating window without a split node";
    case ArrangementError::BadTopContainer: return "top container missing or not a split node";
    case ArrangementError::BadClient: return "client missing or not a client node";
    case ArrangementError::ClientOutsideTree: return "client not inside the top container";
    }
    return "unknown";
}

StoredArrangement DefaultArrangement()
{
    StoredArrangement arrangement;
    StoredNode client;
    client.type = kNodeClient;
    StoredNode top;
    top.type = kNodeSplit;
    top.horizontal = true;
    top.children = {1};
    arrangement.nodes = {client, top};
    arrangement.topContainer = 2;
    arrangement.client = 1;
    return arrangement;
}

ArrangementError ValidateArrangement(const StoredArrangement& arrangement)
{
    const int32_t count = static_cast<int32_t>(arrangement.nodes.size());
    if (count < 2)
        return ArrangementError::TooFewNodes;
    std::vector<int32_t> parents(static_cast<size_t>(count) + 1, 0);
    bool sides[4] = {};
    for (int32_t index = 1; index <= count; ++index)
    {
        const StoredNode& node = *arrangement.Node(index);
        if (const ArrangementError error = CheckNode(arrangement, node, parents, index);
            error != ArrangementError::None)
            return error;
        if (node.type == kNodeSideStrip)
        {
            if (sides[node.direction])
                return ArrangementError::DuplicateSideStrip;
            sides[node.direction] = true;
        }
    }
    const StoredNode* top = arrangement.Node(arrangement.topContainer);
    if (!top || top->type != kNodeSplit)
        return ArrangementError::BadTopContainer;
    const StoredNode* client = arrangement.Node(arrangement.client);
    if (!client || client->type != kNodeClient)
        return ArrangementError::BadClient;

    // Every node has at most one parent, so a walk upwards that takes more
    // steps than there are nodes has gone round a cycle.
    for (int32_t index = 1; index <= count; ++index)
    {
        int32_t at = index;
        for (int32_t steps = 0; parents[at] != 0; ++steps)
        {
            if (steps > count)
                return ArrangementError::Cycle;
            at = parents[at];
        }
    }
    if (parents[arrangement.topContainer] != 0)
        return ArrangementError::BadTopContainer;
    int32_t at = arrangement.client;
    while (parents[at] != 0)
        at = parents[at];
    if (at != arrangement.topContainer)
        return ArrangementError::ClientOutsideTree;
    return ArrangementError::None;
}

void DropStaleSideStripEntries(StoredArrangement& arrangement)
{
    for (StoredNode& strip : arrangement.nodes)
    {
        if (strip.type != kNodeSideStrip)
            continue;
        std::vector<int32_t> kept;
        for (int32_t child : strip.children)
        {
            StoredNode* group = arrangement.Node(child);
            if (!group || (group->type != kNodeTabbedContainer && group->type != kNodeSplit))
                continue;
            if (group->type == kNodeTabbedContainer)
            {
                std::vector<int32_t> panes;
                for (int32_t pane : group->children)
                    if (const StoredNode* target = arrangement.Node(pane); target && target->type == kNodePane)
                        panes.push_back(pane);
                group->children = std::move(panes);
                bool selectedKept = false;
                for (int32_t pane : group->children)
                    selectedKept = selectedKept || pane == group->selected;
                if (group->selected != 0 && !selectedKept)
                    group->selected = group->children.empty() ? 0 : group->children.front();
                if (group->children.empty())
                    continue;
            }
            kept.push_back(child);
        }
        strip.children = std::move(kept);
    }
    // A group that lost its place that way is in no tree any more: its panes
    // load as closed panes, which can be shown again where they were docked.
    std::vector<bool> held(arrangement.nodes.size() + 1, false);
    for (const StoredNode& node : arrangement.nodes)
    {
        for (int32_t child : node.children)
            if (arrangement.Node(child))
                held[static_cast<size_t>(child)] = true;
        if (node.type == kNodeFloatingWindow && arrangement.Node(node.topContainer))
            held[static_cast<size_t>(node.topContainer)] = true;
    }
    for (size_t index = 1; index < held.size(); ++index)
    {
        StoredNode& group = arrangement.nodes[index - 1];
        if (group.type == kNodeTabbedContainer && !held[index])
        {
            group.children.clear();
            group.selected = 0;
        }
    }
}

ArrangementError StoreArrangement(const StoredArrangement& arrangement, ArrangementSection& root, int32_t schema)
{
    if (const ArrangementError error = ValidateArrangement(arrangement); error != ArrangementError::None)
        return error;
    std::unique_ptr<ArrangementSection> summary = root.OpenSection(u"Summary");
    if (!summary)
        return ArrangementError::MissingSummary;
    summary->WriteLong(u"Panes", static_cast<int32_t>(arrangement.nodes.size()));
    summary->WriteLong(u"Schema", schema);
    // Types first, then the keys of every node: an archive reads in the order
    // it was written, and the reader creates all nodes before any of them
    // resolves its children.
    const int32_t count = static_cast<int32_t>(arrangement.nodes.size());
    for (int32_t index = 1; index <= count; ++index)
    {
        if (std::unique_ptr<ArrangementSection> section = root.OpenSection(Numbered(u"Pane-", index)))
            section->WriteLong(u"Type", arrangement.Node(index)->type);
    }
    for (int32_t index = 1; index <= count; ++index)
    {
        if (std::unique_ptr<ArrangementSection> section = root.OpenSection(Numbered(u"Pane-", index)))
            WriteNode(*arrangement.Node(index), *section, schema);
    }
    summary->WriteLong(u"TopContainer", arrangement.topContainer);
    summary->WriteLong(u"Client", arrangement.client);
    return ArrangementError::None;
}

ArrangementLoad LoadArrangement(ArrangementSection& root, int32_t schema)
{
    ArrangementLoad load;
    std::unique_ptr<ArrangementSection> summary = root.OpenSection(u"Summary");
    if (!summary)
    {
        load.error = ArrangementError::MissingSummary;
        return load;
    }
    const int32_t count = ReadLong(*summary, u"Panes", 0);
    if (count < 2)
    {
        load.error = ArrangementError::TooFewNodes;
        return load;
    }
    ReadLong(*summary, u"Schema", kDefaultSchema);
    // Nodes are read until the count or the first section that is not a
    // node, so a count that promises more than the store holds costs nothing.
    for (int32_t index = 1; index <= count; ++index)
    {
        std::unique_ptr<ArrangementSection> section = root.OpenSection(Numbered(u"Pane-", index));
        StoredNode node;
        node.type = section ? ReadLong(*section, u"Type", -1) : -1;
        if (node.type < kNodePane || node.type > kNodeSideStrip)
        {
            load.error = ArrangementError::BadNodeType;
            return load;
        }
        load.arrangement.nodes.push_back(std::move(node));
    }
    for (int32_t index = 1; index <= count; ++index)
    {
        std::unique_ptr<ArrangementSection> section = root.OpenSection(Numbered(u"Pane-", index));
        load.error = section ? ReadNode(*section, count, schema, *load.arrangement.Node(index))
                             : ArrangementError::BadNodeType;
        if (load.error != ArrangementError::None)
            return load;
    }
    const std::optional<int32_t> top = summary->ReadLong(u"TopContainer");
    const std::optional<int32_t> client = summary->ReadLong(u"Client");
    if (!top)
        load.error = ArrangementError::BadTopContainer;
    else if (!client)
        load.error = ArrangementError::BadClient;
    else
    {
        load.arrangement.topContainer = *top;
        load.arrangement.client = *client;
        DropStaleSideStripEntries(load.arrangement);
        load.error = ValidateArrangement(load.arrangement);
    }
    return load;
}

StoredArrangement LoadArrangementOrDefault(ArrangementSection& root, int32_t schema)
{
    ArrangementLoad load = LoadArrangement(root, schema);
    if (load.error != ArrangementError::None)
        return DefaultArrangement();
    return std::move(load.arrangement);
}

}  // namespace kit::docking
