// Stores into and loads from byte vectors through a CMemFile.
#pragma once

#include "Framework.h"

#include <functional>
#include <vector>

using Bytes = std::vector<BYTE>;

inline Bytes StoreBytes(const std::function<void(CArchive&)>& store)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        store(ar);
        ar.Close();
    }
    const auto length = static_cast<size_t>(file.GetLength());
    Bytes bytes(length);
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(length));
    return bytes;
}

inline void LoadBytes(Bytes bytes, const std::function<void(CArchive&)>& load)
{
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    load(ar);
}

// Little-endian helpers for writing expected bytes.
inline void Append(Bytes& bytes, std::initializer_list<BYTE> more)
{
    bytes.insert(bytes.end(), more);
}

inline void AppendAscii(Bytes& bytes, const char* text)
{
    while (*text != '\0')
        bytes.push_back(static_cast<BYTE>(*text++));
}
