// A text converter of our own for the tests, with the entry points of the Office
// text converters: it imports its class "MSWord8" by taking the file's bytes as
// plain text and handing them back as RTF in pieces, and exports "MSWord6RTFExp"
// by writing the RTF it is given unchanged. Enough to drive the driver's calls,
// its callbacks and its buffers through the real view code.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

using PfnRtf = long(WINAPI*)(int cchBuff, int nPercent);

constexpr long kErrorOpenIn = -1;
constexpr long kErrorWrite = -4;

std::string TextOf(HANDLE handle)
{
    const SIZE_T size = handle != nullptr ? ::GlobalSize(handle) : 0;
    const char* text = size != 0 ? static_cast<const char*>(::GlobalLock(handle)) : nullptr;
    std::string value = text != nullptr ? std::string(text, strnlen(text, size)) : std::string();
    if (text != nullptr)
        ::GlobalUnlock(handle);
    return value;
}

// Puts a list of NUL-terminated names ended by an empty one into a block.
void PutNames(HANDLE handle, const char* names, size_t length)
{
    if (handle == nullptr || ::GlobalSize(handle) < length)
        return;
    if (void* block = ::GlobalLock(handle))
    {
        std::memcpy(block, names, length);
        ::GlobalUnlock(handle);
    }
}

}  // namespace

extern "C" {

__declspec(dllexport) long WINAPI InitConverter32(HANDLE, const char* module)
{
    return module != nullptr && std::strcmp(module, "WORDCNV") == 0 ? 1 : 0;
}

__declspec(dllexport) void WINAPI UninitConverter() {}

__declspec(dllexport) HGLOBAL WINAPI RegisterApp(unsigned long, void*)
{
    // Word 8.0 RTF, and files without OLE storage.
    static const unsigned char preferences[] = {9, 0, 4, 1, 8, 0, 3, 2, 2};
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, sizeof(preferences));
    if (void* bytes = block != nullptr ? ::GlobalLock(block) : nullptr)
    {
        std::memcpy(bytes, preferences, sizeof(preferences));
        ::GlobalUnlock(block);
    }
    return block;
}

__declspec(dllexport) void WINAPI GetReadNames(HANDLE classes, HANDLE descriptions, HANDLE extensions)
{
    PutNames(classes, "MSWord8\0\0", 9);
    PutNames(descriptions, "Stand-in Word\0\0", 15);
    PutNames(extensions, "*.doc\0\0", 7);
}

__declspec(dllexport) void WINAPI GetWriteNames(HANDLE classes, HANDLE descriptions, HANDLE extensions)
{
    PutNames(classes, "MSWord6RTFExp\0\0", 15);
    PutNames(descriptions, "Stand-in RTF\0\0", 14);
    PutNames(extensions, "*.rtf\0\0", 7);
}

__declspec(dllexport) long WINAPI IsFormatCorrect32(HANDLE, HANDLE) { return 0; }

__declspec(dllexport) long WINAPI CchFetchLpszError(long, char*, long) { return 0; }

__declspec(dllexport) long WINAPI ForeignToRtf32(HANDLE fileName, void*, HANDLE buffer, HANDLE, HANDLE,
                                                 PfnRtf output)
{
    FILE* input = std::fopen(TextOf(fileName).c_str(), "rb");
    if (input == nullptr)
        return kErrorOpenIn;
    std::string rtf = "{\\rtf1\\ansi ";
    int c = 0;
    while ((c = std::fgetc(input)) != EOF)
    {
        if (c == '\\' || c == '{' || c == '}')
            rtf += '\\';
        rtf += static_cast<char>(c);
    }
    std::fclose(input);
    rtf += "}";
    // A file beginning "#sizes" asks how the driver takes counts a converter should
    // not give: nothing at all, more than its buffer, less than nothing. The answers
    // are written back as the document's text.
    if (rtf.compare(12, 6, "#sizes") == 0)
    {
        const long empty = output(0, 0);
        const long beyond = output(static_cast<int>(::GlobalSize(buffer)) + 1, 0);
        const long negative = output(-5, 0);
        rtf = "{\\rtf1 " + std::to_string(empty) + " " + std::to_string(beyond) + " " + std::to_string(negative) + "}";
    }
    // Handed back in pieces of 100 bytes, as a converter fills its buffer.
    for (size_t done = 0; done < rtf.size(); done += 100)
    {
        const size_t piece = std::min<size_t>(100, rtf.size() - done);
        void* bytes = ::GlobalLock(buffer);
        if (bytes == nullptr)
            return kErrorWrite;
        std::memcpy(bytes, rtf.data() + done, piece);
        ::GlobalUnlock(buffer);
        if (output(static_cast<int>(piece), static_cast<int>(100 * (done + piece) / rtf.size())) < 0)
            return kErrorWrite;
    }
    return 0;
}

__declspec(dllexport) long WINAPI RtfToForeign32(HANDLE fileName, void*, HANDLE buffer, HANDLE, PfnRtf input)
{
    FILE* out = std::fopen(TextOf(fileName).c_str(), "wb");
    if (out == nullptr)
        return kErrorWrite;
    long count = 0;
    while ((count = input(0, 0)) > 0)
    {
        const void* bytes = ::GlobalLock(buffer);
        const bool written = bytes != nullptr &&
                             std::fwrite(bytes, 1, static_cast<size_t>(count), out) == static_cast<size_t>(count);
        ::GlobalUnlock(buffer);
        if (!written)
            break;
    }
    std::fclose(out);
    return count < 0 ? kErrorWrite : 0;
}

}  // extern "C"
