// The bookkeeping of icon sets and stores: values keyed by a width or a command
// id, walked in the order of the framework's hash map (17 buckets chosen by
// key / 16, the most recently filed first within a bucket), because the nearest
// icon on a tie and the order of stored sets follow that walk.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <utility>
#include <vector>

namespace kit {

template <class Value>
class IconKeyMap
{
public:
    static constexpr uint32_t kBuckets = 17;

    Value* Find(uint32_t key)
    {
        for (auto& entry : buckets_[Bucket(key)])
        {
            if (entry.first == key) return &entry.second;
        }
        return nullptr;
    }

    // Files the value under the key; a value already there is handed back.
    std::pair<bool, Value> Set(uint32_t key, Value value)
    {
        if (Value* existing = Find(key))
        {
            Value previous = std::move(*existing);
            *existing = std::move(value);
            return {true, std::move(previous)};
        }
        auto& bucket = buckets_[Bucket(key)];
        bucket.insert(bucket.begin(), {key, std::move(value)});
        ++count_;
        return {false, Value{}};
    }

    bool Remove(uint32_t key)
    {
        auto& bucket = buckets_[Bucket(key)];
        for (auto it = bucket.begin(); it != bucket.end(); ++it)
        {
            if (it->first == key)
            {
                bucket.erase(it);
                --count_;
                return true;
            }
        }
        return false;
    }

    // Calls visit(key, value) in walk order.
    template <class Visit>
    void ForEach(Visit visit) const
    {
        for (const auto& bucket : buckets_)
        {
            for (const auto& entry : bucket) visit(entry.first, entry.second);
        }
    }

    // Removes every entry for which drop(key, value) is true, in walk order.
    template <class Drop>
    void RemoveIf(Drop drop)
    {
        for (auto& bucket : buckets_)
        {
            for (auto it = bucket.begin(); it != bucket.end();)
            {
                if (drop(it->first, it->second))
                {
                    it = bucket.erase(it);
                    --count_;
                }
                else
                {
                    ++it;
                }
            }
        }
    }

    // The key nearest to `key` (smallest distance; the first met on a tie).
    const uint32_t* FindNearestKey(uint32_t key) const
    {
        const uint32_t* best = nullptr;
        uint64_t bestDistance = 0;
        for (const auto& bucket : buckets_)
        {
            for (const auto& entry : bucket)
            {
                const uint64_t distance = entry.first > key ? entry.first - key : key - entry.first;
                if (best == nullptr || distance < bestDistance)
                {
                    best = &entry.first;
                    bestDistance = distance;
                }
            }
        }
        return best;
    }

    size_t Count() const { return count_; }
    void Clear()
    {
        for (auto& bucket : buckets_) bucket.clear();
        count_ = 0;
    }

private:
    static uint32_t Bucket(uint32_t key) { return (key >> 4) % kBuckets; }

    std::vector<std::pair<uint32_t, Value>> buckets_[kBuckets];
    size_t count_ = 0;
};

// The icon a set gives for a width: the one filed under it; else, when `closest`,
// the nearest one, returned as it is for width 0 or when it cannot be scaled
// (`scale` returns null), else a scaled copy that is filed under the width.
// `Icon` is a pointer type; `scale(icon, width)` makes the copy.
template <class Icon, class Scale>
Icon ResolveIconForWidth(IconKeyMap<Icon>& icons, uint32_t width, bool closest, Scale scale)
{
    if (Icon* exact = icons.Find(width)) return *exact;
    if (!closest) return nullptr;
    const uint32_t* nearestKey = icons.FindNearestKey(width);
    if (nearestKey == nullptr) return nullptr;
    Icon nearest = *icons.Find(*nearestKey);
    if (width == 0) return nearest;
    Icon scaled = scale(nearest, width);
    if (scaled == nullptr) return nearest;
    icons.Set(width, scaled);
    return scaled;
}

} // namespace kit
