#include "CUnrarLibrary.h"
#include "ViewerText.h"
#include "ViewerWindows.h"

#include "UnrarListing.h"

#include <memory>

namespace {

using OpenFn = HANDLE(WINAPI*)(preview::RAROpenArchiveDataEx*);
using CloseFn = int(WINAPI*)(HANDLE);
using ReadHeaderFn = int(WINAPI*)(HANDLE, preview::RARHeaderDataEx*);
using ProcessFn = int(WINAPI*)(HANDLE, int, char*, char*);

constexpr unsigned kCommentBufferSize = 16384;

}  // namespace

bool CUnrarLibrary::Load()
{
    if (m_hLibrary == nullptr)
        m_hLibrary = ::LoadLibraryW(L"unrar.dll");
    if (m_hLibrary == nullptr)
        m_lastError = L"Load Error: unrar.dll could not be loaded";
    return m_hLibrary != nullptr;
}

void CUnrarLibrary::Unload()
{
    if (m_hLibrary != nullptr)
        ::FreeLibrary(m_hLibrary);
    m_hLibrary = nullptr;
}

bool CUnrarLibrary::ListEntries(const std::wstring& archivePath)
{
    if (m_hLibrary == nullptr)
        return false;
    auto open = ProcAddress<OpenFn>(m_hLibrary, "RAROpenArchiveEx");
    auto close = ProcAddress<CloseFn>(m_hLibrary, "RARCloseArchive");
    auto process = ProcAddress<ProcessFn>(m_hLibrary, "RARProcessFile");
    auto readHeader = ProcAddress<ReadHeaderFn>(m_hLibrary, "RARReadHeaderEx");
    if (open == nullptr || close == nullptr || process == nullptr || readHeader == nullptr)
    {
        m_lastError = L"Load Error: unrar.dll lacks the calls of the listing";
        return false;
    }
    m_archivePath = archivePath;

    // The library takes the name in the ANSI code page.
    std::string ansiName = ToAnsi(archivePath.c_str());
    if (ansiName.empty())
        return false;
    preview::RAROpenArchiveDataEx openData{};
    openData.ArcName = ansiName.data();
    openData.OpenMode = preview::kRarOpenList;
    HANDLE hArchive = open(&openData);
    if (hArchive == nullptr || openData.OpenResult != 0)
    {
        if (hArchive != nullptr)
            close(hArchive);
        m_lastError = L"Open Error: Failed to open RAR file";
        return false;
    }

    m_entries.clear();
    // The header record is large (about 8 KB): kept off the stack.
    auto header = std::make_unique<preview::RARHeaderDataEx>();
    std::string comment(kCommentBufferSize, '\0');
    header->CmtBuf = comment.data();
    header->CmtBufSize = kCommentBufferSize;
    while (readHeader(hArchive, header.get()) == 0)
    {
        RarEntry entry;
        header->FileName[sizeof(header->FileName) - 1] = '\0';
        header->FileNameW[(sizeof(header->FileNameW) / sizeof(wchar_t)) - 1] = L'\0';
        if (header->FileNameW[0] != L'\0')
        {
            entry.name = header->FileNameW;
        }
        else
        {
            wchar_t wide[1024] = {};
            ::MultiByteToWideChar(CP_ACP, 0, header->FileName, -1, wide, 1023);
            entry.name = wide;
        }
        entry.flags = header->Flags;
        entry.packedSize = (static_cast<uint64_t>(header->PackSizeHigh) << 32) | header->PackSize;
        entry.unpackedSize = (static_cast<uint64_t>(header->UnpSizeHigh) << 32) | header->UnpSize;
        entry.dosDateTime = header->FileTime;
        entry.attributes = header->FileAttr;
        m_entries.push_back(std::move(entry));
        if (process(hArchive, preview::kRarSkip, nullptr, nullptr) != 0)
            break;
    }
    close(hArchive);
    return true;
}
