#include "SampleArrangement.h"

using namespace kit::docking;

StoredNode SamplePane(int32_t id, std::u16string title, int32_t holder)
{
    StoredNode node;
    node.type = kNodePane;
    node.id = id;
    node.title = std::move(title);
    node.dockingHolder = holder;
    node.lastHolder = holder;
    return node;
}

StoredNode SampleContainer(int32_t type, std::vector<int32_t> children)
{
    StoredNode node;
    node.type = type;
    node.children = std::move(children);
    return node;
}

StoredArrangement SampleArrangement()
{
    StoredArrangement a;
    a.nodes.resize(15);
    a.nodes[0] = SampleContainer(kNodeClient, {});
    a.nodes[1] = SampleContainer(kNodeSplit, {3, 4});
    a.nodes[1].horizontal = true;
    a.nodes[2] = SampleContainer(kNodeTabbedContainer, {6});
    a.nodes[2].selected = 6;
    a.nodes[2].dockingCx = 200;
    a.nodes[3] = SampleContainer(kNodeSplit, {1, 5});
    a.nodes[4] = SampleContainer(kNodeTabbedContainer, {7, 8});
    a.nodes[4].selected = 8;
    a.nodes[4].dockingCy = 150;
    a.nodes[5] = SamplePane(101, u"Folders", 3);
    a.nodes[5].options = 0x10;
    a.nodes[5].minTrackX = 60;
    a.nodes[6] = SamplePane(102, u"Output\nOut", 5);
    a.nodes[6].tabColor = 0x00FF00;
    a.nodes[7] = SamplePane(103, u"Find Results", 5);
    a.nodes[7].helpId = 7;
    a.nodes[7].tag = -4;
    a.nodes[8] = SampleContainer(kNodeSideStrip, {10});
    a.nodes[8].direction = 1;
    a.nodes[9] = SampleContainer(kNodeTabbedContainer, {11});
    a.nodes[10] = SamplePane(104, u"Properties", 10);
    a.nodes[11] = SampleContainer(kNodeFloatingWindow, {});
    a.nodes[11].windowRect = {300, 200, 500, 420};
    a.nodes[11].collapsed = true;
    a.nodes[11].expandedHeight = 220;
    a.nodes[11].topContainer = 13;
    a.nodes[12] = SampleContainer(kNodeSplit, {14});
    a.nodes[13] = SampleContainer(kNodeTabbedContainer, {15});
    a.nodes[14] = SamplePane(105, u"Log", 3);
    a.nodes[14].floatingHolder = 14;
    a.nodes[14].lastHolder = 14;
    a.topContainer = 2;
    a.client = 1;
    return a;
}
