#include "MemoryArrangementTree.h"

std::optional<int32_t> MemoryArrangementTree::ReadLong(std::u16string_view name)
{
    const auto found = data_->longs.find(std::u16string(name));
    if (found == data_->longs.end())
        return std::nullopt;
    return found->second;
}

std::optional<std::u16string> MemoryArrangementTree::ReadString(std::u16string_view name)
{
    const auto found = data_->strings.find(std::u16string(name));
    if (found == data_->strings.end())
        return std::nullopt;
    return found->second;
}

void MemoryArrangementTree::WriteLong(std::u16string_view name, int32_t value)
{
    data_->longs[std::u16string(name)] = value;
}

void MemoryArrangementTree::WriteString(std::u16string_view name, const std::u16string& value)
{
    data_->strings[std::u16string(name)] = value;
}

std::unique_ptr<kit::docking::ArrangementSection> MemoryArrangementTree::OpenSection(std::u16string_view name)
{
    std::shared_ptr<MemorySection>& section = data_->sections[std::u16string(name)];
    if (!section)
    {
        if (!writing_)
        {
            data_->sections.erase(std::u16string(name));
            return nullptr;
        }
        section = std::make_shared<MemorySection>();
    }
    return std::make_unique<MemoryArrangementTree>(section, writing_);
}
