// The members of a RAR archive, listed through "unrar.dll" (loaded for one
// listing) with its open, read-header, skip and close calls.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct RarEntry
{
    std::wstring name;
    uint64_t flags = 0;
    uint64_t packedSize = 0;
    uint64_t unpackedSize = 0;
    uint32_t dosDateTime = 0;
    uint32_t attributes = 0;
};

class CUnrarLibrary
{
public:
    CUnrarLibrary() { Load(); }
    ~CUnrarLibrary() { Unload(); }
    CUnrarLibrary(const CUnrarLibrary&) = delete;
    CUnrarLibrary& operator=(const CUnrarLibrary&) = delete;

    bool Load();
    bool IsLoaded() const { return m_hLibrary != nullptr; }
    void Unload();
    // The members in archive order; false when the library is missing or the
    // archive cannot be opened. A header that cannot be read ends the list.
    bool ListEntries(const std::wstring& archivePath);

    const std::vector<RarEntry>& GetEntries() const { return m_entries; }
    const std::wstring& GetLastError() const { return m_lastError; }

private:
    std::wstring m_lastError;
    std::wstring m_archivePath;
    HMODULE m_hLibrary = nullptr;
    std::vector<RarEntry> m_entries;
};
