// A property tree in memory for the stored-arrangement tests and the fuzz
// target: sections of named integers and texts, opened for writing (sections
// made on demand) or for reading (a missing section is null).
#pragma once

#include <map>
#include <memory>
#include <string>

#include "core/StoredArrangement.h"

struct MemorySection
{
    std::map<std::u16string, int32_t> longs;
    std::map<std::u16string, std::u16string> strings;
    std::map<std::u16string, std::shared_ptr<MemorySection>> sections;
};

class MemoryArrangementTree : public kit::docking::ArrangementSection
{
public:
    MemoryArrangementTree(std::shared_ptr<MemorySection> data, bool writing)
        : data_(std::move(data)), writing_(writing)
    {
    }

    std::optional<int32_t> ReadLong(std::u16string_view name) override;
    std::optional<std::u16string> ReadString(std::u16string_view name) override;
    void WriteLong(std::u16string_view name, int32_t value) override;
    void WriteString(std::u16string_view name, const std::u16string& value) override;
    std::unique_ptr<kit::docking::ArrangementSection> OpenSection(std::u16string_view name) override;

private:
    std::shared_ptr<MemorySection> data_;
    bool writing_;
};
