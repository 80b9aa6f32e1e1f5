#include "ConvertFile.h"
#include "ViewerWindows.h"

#include "ConverterDriverCore.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

using namespace preview::converter;

namespace {

constexpr const char* kProgram = "wordcnv";
constexpr const char* kDefaultFolder = "C:\\Program Files\\Common Files\\Microsoft Shared\\Textconv";
constexpr DWORD kReadChunk = 512;

using PfnRtf = long(WINAPI*)(int cchBuff, int nPercent);
using InitConverterFn = long(WINAPI*)(HANDLE, const char*);
using UninitConverterFn = void(WINAPI*)();
using RegisterAppFn = HGLOBAL(WINAPI*)(unsigned long, void*);
using ForeignToRtfFn = long(WINAPI*)(HANDLE, void*, HANDLE, HANDLE, HANDLE, PfnRtf);
using RtfToForeignFn = long(WINAPI*)(HANDLE, void*, HANDLE, HANDLE, PfnRtf);
using IsFormatCorrectFn = long(WINAPI*)(HANDLE, HANDLE);
using FetchErrorFn = long(WINAPI*)(long, char*, long);
using NamesFn = void(WINAPI*)(HANDLE, HANDLE, HANDLE);

struct ConverterEntry
{
    std::string library;
    std::string className;
    std::string description;
    std::string extensions;
    int direction = 0;  // 0 import, 1 export
};

struct ConverterLibrary
{
    HMODULE module = nullptr;
    InitConverterFn initConverter = nullptr;
    UninitConverterFn uninitConverter = nullptr;
    RegisterAppFn registerApp = nullptr;
    ForeignToRtfFn foreignToRtf = nullptr;
    RtfToForeignFn rtfToForeign = nullptr;
    IsFormatCorrectFn isFormatCorrect = nullptr;
    FetchErrorFn fetchError = nullptr;
    NamesFn getReadNames = nullptr;
    NamesFn getWriteNames = nullptr;
    std::string fileName;
};

// A moveable, zeroed global block: the form every string and buffer a converter gets takes.
class GlobalBlock
{
public:
    explicit GlobalBlock(SIZE_T size) : m_handle(::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size)) {}
    explicit GlobalBlock(const std::string& text) : GlobalBlock(text.size() + 1)
    {
        if (void* p = ::GlobalLock(m_handle))
        {
            std::memcpy(p, text.c_str(), text.size() + 1);
            ::GlobalUnlock(m_handle);
        }
    }
    ~GlobalBlock()
    {
        if (m_handle != nullptr)
            ::GlobalFree(m_handle);
    }
    GlobalBlock(const GlobalBlock&) = delete;
    GlobalBlock& operator=(const GlobalBlock&) = delete;
    HGLOBAL get() const { return m_handle; }
    // The block's bytes as text, read no further than the block (a converter may have resized it).
    std::vector<char> Bytes() const
    {
        std::vector<char> bytes;
        const SIZE_T size = m_handle != nullptr ? ::GlobalSize(m_handle) : 0;
        if (const void* p = size != 0 ? ::GlobalLock(m_handle) : nullptr)
        {
            bytes.assign(static_cast<const char*>(p), static_cast<const char*>(p) + size);
            ::GlobalUnlock(m_handle);
        }
        return bytes;
    }

private:
    HGLOBAL m_handle;
};

// One run of the driver. The converters' data callbacks carry no context, so the
// run in progress on this thread is found through `current`.
class ConverterRun
{
public:
    static thread_local ConverterRun* current;

    ConverterRun() = default;
    ~ConverterRun();
    ConverterRun(const ConverterRun&) = delete;
    ConverterRun& operator=(const ConverterRun&) = delete;

    int Run(const char* importClass, const char* exportClass, const char* inputFile, const char* outputFile);
    static long WINAPI WriteCallback(int count, int percent);
    static long WINAPI ReadCallback(int, int);
    // Whether the folder offered both classes of the run (RTF needs none).
    bool HasConverters() const
    {
        auto offered = [this](const std::string& className, int direction) {
            return SameClass(className, kRtfClass) || FindEntry(className, direction) != nullptr;
        };
        return offered(m_options.importClass, 0) && offered(m_options.exportClass, 1);
    }

private:
    int FindConverters();
    int LoadConverter(ConverterLibrary& library, const std::string& fileName);
    void UnloadConverter(ConverterLibrary& library);
    int GetConverterNames(ConverterLibrary& library, int direction, std::vector<std::string>& classes,
                          std::vector<std::string>& descriptions, std::vector<std::string>& extensions);
    // The first converter of the class in the direction, loaded into `library`; null after its diagnostic.
    const ConverterEntry* LoadConverterOfClass(const std::string& className, int direction,
                                               ConverterLibrary& library);
    int ConversionResult(long result, const ConverterLibrary& library);
    int ImportToRtf(const std::string& inputFile, const std::string& importClass);
    int ExportFromRtf(const std::string& outputFile, const std::string& exportClass);
    int DetectConverterClass(const std::string& file, std::string* className);
    void RegisterConverterApp(ConverterLibrary& library);
    void ReportConverterError(int code, const ConverterLibrary& library);
    void ListConverters();
    const ConverterEntry* FindEntry(const std::string& className, int direction) const;

    ConverterOptions m_options;
    std::string m_folder;
    std::vector<ConverterEntry> m_entries;
    // The loaded libraries of the conversions, freed with the run.
    std::vector<ConverterLibrary> m_conversionLibraries;
    HANDLE m_input = INVALID_HANDLE_VALUE;
    HANDLE m_output = INVALID_HANDLE_VALUE;
    HGLOBAL m_writeBuffer = nullptr;
    HGLOBAL m_readBuffer = nullptr;
    int m_lastPercent = 0;
};

thread_local ConverterRun* ConverterRun::current = nullptr;

ConverterRun::~ConverterRun()
{
    for (ConverterLibrary& library : m_conversionLibraries)
        UnloadConverter(library);
}

long WINAPI ConverterRun::WriteCallback(int count, int percent)
{
    ConverterRun* run = current;
    if (run == nullptr)
        return -1;
    run->m_lastPercent = percent;
    if (count == 0)
        return 1;
    // The count is the converter's word: never more than its buffer holds.
    const SIZE_T size = ::GlobalSize(run->m_writeBuffer);
    if (count < 0 || static_cast<SIZE_T>(count) > size)
    {
        std::fprintf(stderr, "%s: error: %d of %d bytes written\n", run->m_options.outputFile.c_str(), 0, count);
        return -1;
    }
    const void* bytes = ::GlobalLock(run->m_writeBuffer);
    if (bytes == nullptr)
        return -1;
    DWORD written = 0;
    const BOOL ok = ::WriteFile(run->m_output, bytes, static_cast<DWORD>(count), &written, nullptr);
    ::GlobalUnlock(run->m_writeBuffer);
    if (!ok)
    {
        std::fprintf(stderr, "%s: error: cannot write: %lx\n", run->m_options.outputFile.c_str(), ::GetLastError());
        return -1;
    }
    if (written != static_cast<DWORD>(count))
    {
        std::fprintf(stderr, "%s: error: %lu of %d bytes written\n", run->m_options.outputFile.c_str(), written,
                     count);
        return -1;
    }
    return 1;
}

long WINAPI ConverterRun::ReadCallback(int, int)
{
    ConverterRun* run = current;
    if (run == nullptr)
        return -1;
    // The converter may have shrunk the buffer: it gets room for a whole chunk again.
    if (::GlobalSize(run->m_readBuffer) < kReadChunk)
    {
        HGLOBAL grown = ::GlobalReAlloc(run->m_readBuffer, kBlockBytes, GMEM_MOVEABLE | GMEM_ZEROINIT);
        if (grown == nullptr)
            return -1;
        run->m_readBuffer = grown;
    }
    void* bytes = ::GlobalLock(run->m_readBuffer);
    if (bytes == nullptr)
        return -1;
    DWORD read = 0;
    const BOOL ok = ::ReadFile(run->m_input, bytes, kReadChunk, &read, nullptr);
    ::GlobalUnlock(run->m_readBuffer);
    if (!ok)
    {
        std::fprintf(stderr, "%s: error: cannot read file: %lx\n", run->m_options.inputFile.c_str(), ::GetLastError());
        return -1;
    }
    return static_cast<long>(read);
}

int ConverterRun::LoadConverter(ConverterLibrary& library, const std::string& fileName)
{
    library = ConverterLibrary{};
    library.fileName = fileName;
    const std::string path = m_folder + "/" + fileName;
    library.module = ::LoadLibraryA(path.c_str());
    if (library.module == nullptr)
    {
        if (m_options.verbosity >= 2)
            std::fprintf(stderr, "%s: error: LoadLibrary failed\n", fileName.c_str());
        return 1;
    }
    library.initConverter = ProcAddress<InitConverterFn>(library.module, "InitConverter32");
    library.isFormatCorrect = ProcAddress<IsFormatCorrectFn>(library.module, "IsFormatCorrect32");
    library.foreignToRtf = ProcAddress<ForeignToRtfFn>(library.module, "ForeignToRtf32");
    library.rtfToForeign = ProcAddress<RtfToForeignFn>(library.module, "RtfToForeign32");
    library.fetchError = ProcAddress<FetchErrorFn>(library.module, "CchFetchLpszError");
    library.uninitConverter = ProcAddress<UninitConverterFn>(library.module, "UninitConverter");
    library.getReadNames = ProcAddress<NamesFn>(library.module, "GetReadNames");
    library.getWriteNames = ProcAddress<NamesFn>(library.module, "GetWriteNames");
    library.registerApp = ProcAddress<RegisterAppFn>(library.module, "RegisterApp");
    if (library.initConverter == nullptr)
    {
        std::fprintf(stderr, "%s: error: InitConverter32 could not be resolved\n", fileName.c_str());
        ::FreeLibrary(library.module);
        library.module = nullptr;
        return 1;
    }
    const long ready = library.initConverter(nullptr, "WORDCNV");
    if (ready == 1)
        return 0;
    ReportConverterError(static_cast<int>(ready), library);
    ::FreeLibrary(library.module);
    library.module = nullptr;
    return 1;
}

void ConverterRun::UnloadConverter(ConverterLibrary& library)
{
    if (library.module == nullptr)
        return;
    if (library.uninitConverter != nullptr)
        library.uninitConverter();
    ::FreeLibrary(library.module);
    library.module = nullptr;
}

int ConverterRun::GetConverterNames(ConverterLibrary& library, int direction, std::vector<std::string>& classes,
                                    std::vector<std::string>& descriptions, std::vector<std::string>& extensions)
{
    if (direction != 0 && direction != 1)
    {
        std::fprintf(stderr, "%s: error: internal error\n", kProgram);
        return 2;
    }
    NamesFn names = direction == 0 ? library.getReadNames : library.getWriteNames;
    if (names == nullptr)
        return 1;
    GlobalBlock classBlock(kBlockBytes), descriptionBlock(kBlockBytes), extensionBlock(kBlockBytes);
    names(classBlock.get(), descriptionBlock.get(), extensionBlock.get());
    const std::vector<char> classBytes = classBlock.Bytes(), descriptionBytes = descriptionBlock.Bytes(),
                            extensionBytes = extensionBlock.Bytes();
    classes = ReadNameList(classBytes.data(), classBytes.size());
    descriptions = ReadNameList(descriptionBytes.data(), descriptionBytes.size());
    extensions = ReadNameList(extensionBytes.data(), extensionBytes.size());
    return 0;
}

int ConverterRun::FindConverters()
{
    char folder[MAX_PATH] = {};
    const DWORD length = ::GetEnvironmentVariableA("WORDCNV_DIR", folder, MAX_PATH);
    m_folder = length > 0 && length < MAX_PATH ? folder : kDefaultFolder;
    if (m_options.verbosity >= 1)
        std::fprintf(stderr, "%s: info: searching '%s' for converter dlls...\n", kProgram, m_folder.c_str());
    WIN32_FIND_DATAA found{};
    HANDLE search = ::FindFirstFileA((m_folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
    {
        std::fprintf(stderr, "%s: error: FindFirstFile failed with error %lx\n", kProgram, ::GetLastError());
        return 1;
    }
    do
    {
        if (!IsConverterLibraryName(found.cFileName))
            continue;
        ConverterLibrary library;
        if (LoadConverter(library, found.cFileName) != 0)
            continue;
        for (int direction = 0; direction < 2; ++direction)
        {
            std::vector<std::string> classes, descriptions, extensions;
            if (GetConverterNames(library, direction, classes, descriptions, extensions) != 0)
                continue;
            // One entry per position at which all three lists still have a name.
            for (size_t i = 0; i < classes.size() && i < descriptions.size() && i < extensions.size(); ++i)
                m_entries.push_back({found.cFileName, classes[i], descriptions[i], extensions[i], direction});
        }
        UnloadConverter(library);
    } while (::FindNextFileA(search, &found));
    const DWORD error = ::GetLastError();
    if (error != ERROR_NO_MORE_FILES)
        std::fprintf(stderr, "%s: error: FindNextFile returned %lx\n", kProgram, error);
    ::FindClose(search);
    return 0;
}

const ConverterEntry* ConverterRun::FindEntry(const std::string& className, int direction) const
{
    for (const ConverterEntry& entry : m_entries)
    {
        if (entry.direction == direction && SameClass(entry.className, className))
            return &entry;
    }
    return nullptr;
}

void ConverterRun::RegisterConverterApp(ConverterLibrary& library)
{
    const bool verbose = m_options.verbosity >= 1;
    if (verbose)
        std::fprintf(stderr, "%s: info: calling RegisterApp\n", library.fileName.c_str());
    if (library.registerApp == nullptr)
        return;
    HGLOBAL preferences = library.registerApp(8, nullptr);
    if (preferences == nullptr)
    {
        if (verbose)
            std::fprintf(stderr, "%s: info: converter has no preferences\n", library.fileName.c_str());
        return;
    }
    const SIZE_T size = ::GlobalSize(preferences);
    if (verbose)
    {
        if (const void* bytes = size != 0 ? ::GlobalLock(preferences) : nullptr)
        {
            for (const ConverterPreference& preference : ReadPreferences(static_cast<const uint8_t*>(bytes), size))
                std::fprintf(stderr, "%s: info: converter preference %02x\n", library.fileName.c_str(),
                             preference.opcode);
            ::GlobalUnlock(preferences);
        }
    }
    ::GlobalFree(preferences);
}

void ConverterRun::ReportConverterError(int code, const ConverterLibrary& library)
{
    if (library.fetchError != nullptr)
    {
        char text[513] = {};
        const long count = library.fetchError(code, text, 512);
        if (count > 0)
        {
            std::fprintf(stderr, "%s: converter error %d: %s\n", library.fileName.c_str(), code, text);
            return;
        }
    }
    const ConverterErrorText message = ConverterErrorTextOf(code);
    switch (message.fill)
    {
    case ConverterErrorText::kProgram: std::fprintf(stderr, message.format, kProgram); break;
    case ConverterErrorText::kProgramAndInput:
        std::fprintf(stderr, message.format, kProgram, m_options.inputFile.c_str());
        break;
    case ConverterErrorText::kProgramAndOutput:
        std::fprintf(stderr, message.format, kProgram, m_options.outputFile.c_str());
        break;
    case ConverterErrorText::kLibraryAndCode:
        std::fprintf(stderr, message.format, library.fileName.c_str(), code);
        break;
    }
}

const ConverterEntry* ConverterRun::LoadConverterOfClass(const std::string& className, int direction,
                                                         ConverterLibrary& library)
{
    const ConverterEntry* entry = FindEntry(className, direction);
    if (entry == nullptr)
    {
        if (direction == 0)
            std::fprintf(stderr, "%s: error: Import class %s not found\n", kProgram, className.c_str());
        else
            std::fprintf(stderr, "Export class %s not found\n", className.c_str());
        return nullptr;
    }
    if (m_options.verbosity >= 1)
        std::fprintf(stderr, "%s: info: using %s\n", kProgram, entry->library.c_str());
    if (LoadConverter(library, entry->library) != 0)
        return nullptr;
    m_conversionLibraries.push_back(library);  // unloaded with the run
    RegisterConverterApp(library);
    return entry;
}

int ConverterRun::ConversionResult(long result, const ConverterLibrary& library)
{
    if ((result & 0xFFFF) == 0)
        return 0;
    ReportConverterError(static_cast<int16_t>(result & 0xFFFF), library);
    return 1;
}

int ConverterRun::ImportToRtf(const std::string& inputFile, const std::string& importClass)
{
    ConverterLibrary library;
    const ConverterEntry* entry = LoadConverterOfClass(importClass, 0, library);
    if (entry == nullptr)
        return 1;
    if (library.foreignToRtf == nullptr)
    {
        std::fprintf(stderr, "%s: error: ForeignToRtf could not be resolved\n", library.fileName.c_str());
        return 1;
    }
    GlobalBlock fileName(inputFile), className(entry->className), subset{std::string()}, buffer(kBlockBytes);
    m_writeBuffer = buffer.get();
    const long result = library.foreignToRtf(fileName.get(), nullptr, buffer.get(), className.get(), subset.get(),
                                             &ConverterRun::WriteCallback);
    m_writeBuffer = nullptr;
    return ConversionResult(result, library);
}

int ConverterRun::ExportFromRtf(const std::string& outputFile, const std::string& exportClass)
{
    ConverterLibrary library;
    const ConverterEntry* entry = LoadConverterOfClass(exportClass, 1, library);
    if (entry == nullptr)
        return 1;
    if (library.rtfToForeign == nullptr)
    {
        std::fprintf(stderr, "%s: RtfToForeign could not be resolved\n", library.fileName.c_str());
        return 1;
    }
    GlobalBlock fileName(outputFile), className(entry->className);
    m_readBuffer = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, kBlockBytes);
    const long result = library.rtfToForeign(fileName.get(), nullptr, m_readBuffer, className.get(),
                                             &ConverterRun::ReadCallback);
    ::GlobalFree(m_readBuffer);
    m_readBuffer = nullptr;
    return ConversionResult(result, library);
}

int ConverterRun::DetectConverterClass(const std::string& file, std::string* className)
{
    HANDLE handle = ::CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
    char head[5] = {};
    DWORD read = 0;
    if (handle == INVALID_HANDLE_VALUE || !::ReadFile(handle, head, sizeof(head), &read, nullptr))
    {
        std::fprintf(stderr, "%s: error: %lx\n", file.c_str(), ::GetLastError());
        if (handle != INVALID_HANDLE_VALUE)
            ::CloseHandle(handle);
        return 2;
    }
    ::CloseHandle(handle);
    if (read == 5 && std::memcmp(head, "{\\rtf", 5) == 0)
    {
        std::fprintf(stderr, "%s recognised as RTF\n", file.c_str());
        if (className != nullptr)
            *className = kRtfClass;
        return 0;
    }
    GlobalBlock fileName(file), classBlock(kBlockBytes);
    std::string lastLibrary;
    for (const ConverterEntry& entry : m_entries)
    {
        if (entry.direction != 0 || entry.library == lastLibrary)
            continue;
        lastLibrary = entry.library;
        ConverterLibrary library;
        if (LoadConverter(library, entry.library) != 0)
            continue;
        bool recognised = false;
        if (library.isFormatCorrect != nullptr)
        {
            const long answer = library.isFormatCorrect(fileName.get(), classBlock.get());
            recognised = answer == 1;
            if (answer != 1 && answer != 0 && answer != -1)
                ReportConverterError(static_cast<int>(answer), library);
        }
        if (recognised)
        {
            std::fprintf(stderr, "%s: info: sss recognised %s as class %s, %s\n", entry.library.c_str(),
                         file.c_str(), entry.className.c_str(), entry.description.c_str());
            if (className != nullptr)
                *className = entry.className;
            UnloadConverter(library);
            return 0;
        }
        UnloadConverter(library);
    }
    std::fprintf(stderr, "%s: error: none of the converters recognised your file\n", kProgram);
    return -1;
}

void ConverterRun::ListConverters()
{
    size_t widths[3] = {0, 0, 0};
    for (const ConverterEntry& entry : m_entries)
    {
        widths[0] = std::max(widths[0], entry.library.size());
        widths[1] = std::max(widths[1], entry.className.size());
        widths[2] = std::max(widths[2], entry.description.size());
    }
    for (int direction = 0; direction < 2; ++direction)
    {
        for (const ConverterEntry& entry : m_entries)
        {
            if (entry.direction != direction)
                continue;
            std::printf("%-*s %-*s %-*s\n", static_cast<int>(widths[0]), entry.library.c_str(),
                        static_cast<int>(widths[1]), entry.className.c_str(), static_cast<int>(widths[2]),
                        entry.description.c_str());
        }
    }
}

int ConverterRun::Run(const char* importClass, const char* exportClass, const char* inputFile,
                      const char* outputFile)
{
    m_options = ConverterOptions{};
    m_options.exportClass = kRtfClass;
    const std::vector<std::string> entries = {"-x", exportClass != nullptr ? exportClass : "",
                                              "-i", importClass != nullptr ? importClass : "",
                                              inputFile != nullptr ? inputFile : "",
                                              outputFile != nullptr ? outputFile : ""};
    char badLetter = 0;
    switch (ParseConverterArguments(entries, m_options, badLetter))
    {
    case ParseResult::kRun: break;
    case ParseResult::kHelp: return 0;
    case ParseResult::kUnknownOption:
        std::fprintf(stderr, "%s: error: unknown option '-%c'\n", kProgram, badLetter);
        return 1;
    default: return 1;  // usage error or a name beyond 259 characters
    }
    if (m_options.verbosity >= 1)
        std::fprintf(stderr, "%s: info: wordcnv 1.1\n", kProgram);
    if (FindConverters() != 0)
        return 1;
    if (m_options.list)
    {
        ListConverters();
        return 0;
    }
    if (m_options.format)
    {
        if (m_options.fileCount != 1)
            return 2;
        DetectConverterClass(m_options.inputFile, nullptr);
        return 0;
    }
    if (m_options.fileCount != 2)
        return 2;
    if (!m_options.outputFile.empty())
    {
        char directory[MAX_PATH] = {};
        ::GetCurrentDirectoryA(MAX_PATH, directory);
        const std::string resolved = ResolveOutputPath(m_options.outputFile, directory);
        if (resolved != m_options.outputFile && m_options.verbosity >= 1)
            std::fprintf(stderr, "%s: info: output file %s\n", kProgram, resolved.c_str());
        m_options.outputFile = resolved;
    }
    if (m_options.importClass.empty() && DetectConverterClass(m_options.inputFile, &m_options.importClass) != 0)
        return 1;
    if (SameClass(m_options.importClass, m_options.exportClass))
    {
        std::fprintf(stderr, "%s: error: Nothing to do; import and export class are the same\n", kProgram);
        return 1;
    }
    auto openInput = [](const std::string& path) {
        return ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    };
    auto createOutput = [](const std::string& path) {
        return ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    };
    if (SameClass(m_options.importClass, kRtfClass))
    {
        m_input = openInput(m_options.inputFile);
        if (m_input == INVALID_HANDLE_VALUE)
        {
            std::fprintf(stderr, "%s: error: cannot open file: %lx\n", m_options.inputFile.c_str(), ::GetLastError());
            return 1;
        }
        ExportFromRtf(m_options.outputFile, m_options.exportClass);
        ::CloseHandle(m_input);
        return 0;
    }
    if (SameClass(m_options.exportClass, kRtfClass))
    {
        m_output = createOutput(m_options.outputFile);
        if (m_output == INVALID_HANDLE_VALUE)
        {
            std::fprintf(stderr, "%s: error: cannot open file: %lx\n", m_options.outputFile.c_str(), ::GetLastError());
            return 1;
        }
        ImportToRtf(m_options.inputFile, m_options.importClass);
        ::CloseHandle(m_output);
        return 0;
    }

    char folder[MAX_PATH + 1] = {};
    const DWORD folderLength = ::GetTempPathA(MAX_PATH, folder);
    if (folderLength == 0 || folderLength > MAX_PATH)
    {
        std::fprintf(stderr, "%s: error: GetTempPath returned %lx\n", kProgram, ::GetLastError());
        return 1;
    }
    // Unique number 0: the system picks a name no file has and creates the file.
    char temporary[MAX_PATH] = {};
    if (::GetTempFileNameA(folder, "cnv", 0, temporary) == 0)
    {
        std::fprintf(stderr, "%s: error: GetTempFileName returned %lx\n", kProgram, ::GetLastError());
        return 1;
    }
    m_output = createOutput(temporary);
    if (m_output == INVALID_HANDLE_VALUE)
    {
        std::fprintf(stderr, "%s: error: cannot open temporary file %lx\n", temporary, ::GetLastError());
        ::DeleteFileA(temporary);
        return 1;
    }
    if (m_options.verbosity >= 1)
        std::fprintf(stderr, "%s: info: using '%s' as temporary file\n", kProgram, temporary);
    const int imported = ImportToRtf(m_options.inputFile, m_options.importClass);
    ::CloseHandle(m_output);
    m_output = INVALID_HANDLE_VALUE;
    if (imported == 0)
    {
        m_input = openInput(temporary);
        if (m_input == INVALID_HANDLE_VALUE)
        {
            std::fprintf(stderr, "%s: error: cannot open temporary file %lx\n", temporary, ::GetLastError());
            ::DeleteFileA(temporary);
            return 1;
        }
        ExportFromRtf(m_options.outputFile, m_options.exportClass);
        ::CloseHandle(m_input);
        m_input = INVALID_HANDLE_VALUE;
    }
    ::DeleteFileA(temporary);
    return 0;
}

}  // namespace

int ConvertFile(CConverterContext& context, const char* importClass, const char* exportClass, const char* inputFile,
                const char* outputFile)
{
    return ConvertFile(context, importClass, exportClass, inputFile, outputFile, nullptr);
}

int ConvertFile(CConverterContext&, const char* importClass, const char* exportClass, const char* inputFile,
                const char* outputFile, ConverterOutcome* outcome)
{
    ConverterRun run;
    ConverterRun* previous = ConverterRun::current;
    ConverterRun::current = &run;
    int result = 1;
    try
    {
        result = run.Run(importClass, exportClass, inputFile, outputFile);
        if (outcome != nullptr)
            outcome->convertersFound = run.HasConverters();
    }
    catch (...)
    {
        std::fprintf(stderr, "%s: error: out of memory\n", kProgram);
        result = 1;
    }
    ConverterRun::current = previous;
    return result;
}
