// Handle-to-object maps of one thread. Permanent entries belong to objects
// the program made and attached; temporary entries wrap foreign handles for
// the moment (FromHandle) and are dropped at idle time.
#pragma once

#include "../core/FrameworkBase.h"

#include <memory>
#include <unordered_map>

template <class TObject, class THandle>
class CHandleMap
{
public:
    // How an object's handle is reached, set by the owning family.
    typedef THandle TObject::*HandleMember;
    explicit CHandleMap(HandleMember member) : m_member(member) {}

    TObject* LookupPermanent(THandle h) const
    {
        auto it = m_permanent.find(h);
        return it == m_permanent.end() ? nullptr : it->second;
    }

    TObject* Lookup(THandle h) const
    {
        if (TObject* object = LookupPermanent(h))
            return object;
        auto it = m_temporary.find(h);
        return it == m_temporary.end() ? nullptr : it->second.get();
    }

    TObject* FromHandle(THandle h)
    {
        if (h == nullptr)
            return nullptr;
        if (TObject* object = Lookup(h))
            return object;
        auto object = std::make_unique<TObject>();
        object.get()->*m_member = h;
        TObject* result = object.get();
        m_temporary.emplace(h, std::move(object));
        return result;
    }

    template <class F>
    TObject* FindPermanent(F predicate) const
    {
        for (const auto& entry : m_permanent)
            if (predicate(entry.second))
                return entry.second;
        return nullptr;
    }

    void SetPermanent(THandle h, TObject* object) { m_permanent[h] = object; }
    // Unbinds a permanent object. A temporary wrapper of the same handle is
    // left alone: whoever got it from FromHandle may still hold it, and it
    // lives until the temporary objects are dropped at idle time.
    void RemoveHandle(THandle h) { m_permanent.erase(h); }

    void DeleteTemp()
    {
        for (auto& entry : m_temporary)
            entry.second.get()->*m_member = nullptr; // wrappers never destroy what they wrap
        m_temporary.clear();
    }

    ~CHandleMap() { DeleteTemp(); }

private:
    HandleMember m_member;
    std::unordered_map<THandle, TObject*> m_permanent;
    std::unordered_map<THandle, std::unique_ptr<TObject>> m_temporary;
};
