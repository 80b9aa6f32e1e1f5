// The item list's template members; included by TaskPanelModel.h.
#pragma once

#include <algorithm>

namespace kit::taskpanel {

template <typename Item>
Item* ItemList<Item>::GetAt(int index) const
{
    if (index < 0 || index >= GetCount())
        return nullptr;
    return items_[static_cast<size_t>(index)].get();
}

template <typename Item>
int ItemList<Item>::IndexOf(const PanelItem* item) const
{
    for (int i = 0; i < GetCount(); ++i)
        if (items_[static_cast<size_t>(i)].get() == item)
            return i;
    return -1;
}

template <typename Item>
Item* ItemList<Item>::InsertAt(int index, std::unique_ptr<Item> item)
{
    if (!item)
        return nullptr;
    index = std::clamp(index, 0, GetCount());
    Item* inserted = item.get();
    items_.insert(items_.begin() + index, std::move(item));
    return inserted;
}

template <typename Item>
void ItemList<Item>::Move(const PanelItem* item, int index)
{
    const int from = IndexOf(item);
    if (from < 0 || from == index)
        return;
    std::unique_ptr<Item> moving = std::move(items_[static_cast<size_t>(from)]);
    items_.erase(items_.begin() + from);
    index = std::clamp(index, 0, GetCount());
    items_.insert(items_.begin() + index, std::move(moving));
}

template <typename Item>
std::unique_ptr<Item> ItemList<Item>::Unlink(int index)
{
    std::unique_ptr<Item> item = std::move(items_[static_cast<size_t>(index)]);
    items_.erase(items_.begin() + index);
    if (references_)
        references_->Forget(item.get());
    return item;
}

template <typename Item>
void ItemList<Item>::RemoveAt(int index)
{
    if (index < 0 || index >= GetCount())
        return;
    Unlink(index);  // destroyed here, after it left the list and the panel
}

template <typename Item>
void ItemList<Item>::RemoveAll()
{
    while (!items_.empty())
        Unlink(GetCount() - 1);
}

template <typename Item>
int ItemList<Item>::GetNextVisibleIndex(int index, int step) const
{
    if (step == 0)
        return -1;
    for (int i = index + step; i >= 0 && i < GetCount(); i += step)
        if (items_[static_cast<size_t>(i)]->visible)
            return i;
    return -1;
}

template <typename Item>
Item* ItemList<Item>::GetFirstVisibleItem() const
{
    return GetAt(GetNextVisibleIndex(-1, 1));
}

template <typename Item>
Item* ItemList<Item>::GetLastVisibleItem() const
{
    return GetAt(GetNextVisibleIndex(GetCount(), -1));
}

}  // namespace kit::taskpanel
