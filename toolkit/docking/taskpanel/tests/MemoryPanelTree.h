// A property tree in memory for the stored-panel tests: sections of named
// values, opened for writing (made on demand) or for reading (a missing
// section is null).
#pragma once

#include <map>
#include <memory>
#include <string>

#include "core/StoredTaskPanel.h"

struct MemoryPanelData
{
    std::map<std::u16string, int32_t> longs;
    std::map<std::u16string, std::u16string> strings;
    std::map<std::u16string, kit::KitRect> rects;
    std::map<std::u16string, kit::taskpanel::KitSize> sizes;
    std::map<std::u16string, std::shared_ptr<MemoryPanelData>> sections;
};

class MemoryPanelTree : public kit::taskpanel::PanelSection
{
public:
    MemoryPanelTree(std::shared_ptr<MemoryPanelData> data, bool writing) : data_(std::move(data)), writing_(writing)
    {
    }

    std::optional<int32_t> ReadLong(std::u16string_view name) override { return Find(data_->longs, name); }
    std::optional<std::u16string> ReadString(std::u16string_view name) override
    {
        return Find(data_->strings, name);
    }
    std::optional<kit::KitRect> ReadRect(std::u16string_view name) override { return Find(data_->rects, name); }
    std::optional<kit::taskpanel::KitSize> ReadSize(std::u16string_view name) override
    {
        return Find(data_->sizes, name);
    }
    void WriteLong(std::u16string_view name, int32_t value) override { data_->longs[std::u16string(name)] = value; }
    void WriteString(std::u16string_view name, const std::u16string& value) override
    {
        data_->strings[std::u16string(name)] = value;
    }
    void WriteRect(std::u16string_view name, const kit::KitRect& value) override
    {
        data_->rects[std::u16string(name)] = value;
    }
    void WriteSize(std::u16string_view name, const kit::taskpanel::KitSize& value) override
    {
        data_->sizes[std::u16string(name)] = value;
    }
    std::unique_ptr<kit::taskpanel::PanelSection> OpenSection(std::u16string_view name) override
    {
        const std::u16string key(name);
        auto found = data_->sections.find(key);
        if (found == data_->sections.end())
        {
            if (!writing_)
                return nullptr;
            found = data_->sections.emplace(key, std::make_shared<MemoryPanelData>()).first;
        }
        return std::make_unique<MemoryPanelTree>(found->second, writing_);
    }

private:
    template <typename Map>
    static std::optional<typename Map::mapped_type> Find(const Map& map, std::u16string_view name)
    {
        const auto found = map.find(std::u16string(name));
        if (found == map.end())
            return std::nullopt;
        return found->second;
    }

    std::shared_ptr<MemoryPanelData> data_;
    bool writing_;
};
