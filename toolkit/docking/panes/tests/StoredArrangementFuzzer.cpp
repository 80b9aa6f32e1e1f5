// The stored arrangement over hostile property trees: the bytes become the
// numbers of a small tree of node sections, which is loaded and, when it is
// accepted, stored and loaded again to the same tree.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "MemoryArrangementTree.h"

namespace {

const char16_t* const kKeys[] = {u"Type", u"Panes", u"Selected", u"Horiz", u"Direction", u"ID", u"TopContaner",
                                 u"Pane-1", u"Pane-2", u"Pane-3", u"DockingHolder", u"LastHolder",
                                 u"WindowRectTopPos", u"WindowRectBottomPos", u"WindowRectLeftPos",
                                 u"WindowRectRightPos"};

std::u16string Section(int index)
{
    std::u16string name = u"Pane-";
    for (char c : std::to_string(index))
        name.push_back(static_cast<char16_t>(c));
    return name;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    auto root = std::make_shared<MemorySection>();
    auto summary = std::make_shared<MemorySection>();
    root->sections[u"Summary"] = summary;
    size_t at = 0;
    auto next = [&]() -> int32_t { return at < size ? static_cast<int8_t>(data[at++]) : 0; };
    const int count = (next() & 15);
    summary->longs[u"Panes"] = count;
    summary->longs[u"TopContainer"] = next();
    summary->longs[u"Client"] = next();
    for (int index = 1; index <= count; ++index)
    {
        auto section = std::make_shared<MemorySection>();
        section->longs[u"Type"] = next() & 7;
        const int keys = next() & 7;
        for (int k = 0; k < keys; ++k)
        {
            const int key = (next() & 0x7F) % static_cast<int>(std::size(kKeys));
            section->longs[kKeys[key]] = next();
        }
        root->sections[Section(index)] = section;
    }
    MemoryArrangementTree reader(root, false);
    const kit::docking::ArrangementLoad load = kit::docking::LoadArrangement(reader);
    if (load.error != kit::docking::ArrangementError::None)
        return 0;
    auto copy = std::make_shared<MemorySection>();
    MemoryArrangementTree writer(copy, true);
    if (kit::docking::StoreArrangement(load.arrangement, writer) != kit::docking::ArrangementError::None)
        std::abort();
    MemoryArrangementTree again(copy, false);
    const kit::docking::ArrangementLoad reload = kit::docking::LoadArrangement(again);
    if (reload.error != kit::docking::ArrangementError::None || !(reload.arrangement == load.arrangement))
        std::abort();
    return 0;
}
