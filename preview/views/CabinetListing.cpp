#include "CabinetListing.h"
#include "ViewerText.h"
#include "ViewerWindows.h"

#include <fcntl.h>
#include <fdi.h>
#include <io.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <new>

namespace {

using FdiCreateFn = HFDI(DIAMONDAPI*)(PFNALLOC, PFNFREE, PFNOPEN, PFNREAD, PFNWRITE, PFNCLOSE, PFNSEEK, int, PERF);
using FdiIsCabinetFn = BOOL(DIAMONDAPI*)(HFDI, INT_PTR, PFDICABINETINFO);
using FdiCopyFn = BOOL(DIAMONDAPI*)(HFDI, char*, char*, int, PFNFDINOTIFY, PFNFDIDECRYPT, void*);
using FdiDestroyFn = BOOL(DIAMONDAPI*)(HFDI);

// What one listing keeps while FDI walks the cabinet.
struct CabFdiContext
{
    std::vector<CCabEntry>* entries = nullptr;
    ERF error{};
};

// The library calls these; nothing may be thrown back into it.
FNALLOC(CabAlloc) { return std::malloc(cb); }
FNFREE(CabFree) { std::free(pv); }
FNOPEN(CabOpen) { return _open(pszFile, oflag | _O_BINARY, pmode); }
FNREAD(CabRead) { return static_cast<UINT>(_read(static_cast<int>(hf), pv, cb)); }
FNWRITE(CabWrite) { return static_cast<UINT>(_write(static_cast<int>(hf), pv, cb)); }
FNCLOSE(CabClose) { return _close(static_cast<int>(hf)); }
FNSEEK(CabSeek) { return _lseek(static_cast<int>(hf), dist, seektype); }

std::wstring Widen(const char* text)
{
    if (text == nullptr || *text == '\0')
        return {};
    const int count = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (count <= 1)
        return {};
    std::wstring wide(static_cast<size_t>(count), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), count);
    wide.resize(static_cast<size_t>(count - 1));
    return wide;
}

FNFDINOTIFY(CabNotify)
{
    auto* context = static_cast<CabFdiContext*>(pfdin->pv);
    switch (fdint)
    {
    case fdintCOPY_FILE:
        try
        {
            const std::wstring path = Widen(pfdin->psz1);
            const size_t slash = path.rfind(L'\\');
            CCabEntry entry;
            entry.folder = slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
            entry.name = slash == std::wstring::npos ? path : path.substr(slash + 1);
            entry.size = static_cast<int32_t>(pfdin->cb);
            entry.dosDateTime = (static_cast<uint32_t>(pfdin->date) << 16) | pfdin->time;
            entry.attributes = pfdin->attribs;
            context->entries->push_back(std::move(entry));
        }
        catch (...)
        {
            return -1;  // out of memory: FDI stops the listing
        }
        return 0;  // skip the member: nothing is extracted
    case fdintCLOSE_FILE_INFO:
        // Never reached, since every member is skipped.
        CabClose(pfdin->hf);
        return TRUE;
    default:
        return 0;
    }
}

}  // namespace

BOOL ListCabinet(const std::wstring& cabinetPath, std::vector<CCabEntry>& entries)
{
    entries.clear();
    HMODULE hLibrary = ::LoadLibraryA("Cabinet.dll");
    if (hLibrary == nullptr)
        return FALSE;
    auto fdiCreate = ProcAddress<FdiCreateFn>(hLibrary, "FDICreate");
    auto fdiCopy = ProcAddress<FdiCopyFn>(hLibrary, "FDICopy");
    auto fdiIsCabinet = ProcAddress<FdiIsCabinetFn>(hLibrary, "FDIIsCabinet");
    auto fdiDestroy = ProcAddress<FdiDestroyFn>(hLibrary, "FDIDestroy");
    BOOL listed = FALSE;
    CabFdiContext context;
    context.entries = &entries;
    if (fdiCreate != nullptr && fdiCopy != nullptr && fdiIsCabinet != nullptr && fdiDestroy != nullptr)
    {
        HFDI hContext = fdiCreate(CabAlloc, CabFree, CabOpen, CabRead, CabWrite, CabClose, CabSeek, cpu80386,
                                  &context.error);
        const std::string path = ToAnsi(cabinetPath.c_str());
        if (hContext != nullptr && !path.empty())
        {
            const size_t slash = path.rfind('\\');
            std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
            std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
            listed = fdiCopy(hContext, name.data(), folder.data(), 0, CabNotify, nullptr, &context);
        }
        if (hContext != nullptr)
            fdiDestroy(hContext);
    }
    ::FreeLibrary(hLibrary);
    if (listed)
        std::reverse(entries.begin(), entries.end());  // the last member first
    else
        entries.clear();
    return listed;
}
