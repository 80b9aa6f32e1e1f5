// CString::Format and friends. The conversions are parsed here rather than
// handed to the C library, because the MinGW printf treats %s in wide
// formats as narrow text while the program's formats are written for the
// Windows convention (%s wide, %S narrow).
#include "CString.h"

#include "Exceptions.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>

namespace {

enum class ArgSize { Default, Short, Char, Long, LongLong, Pointer, LongDouble, Wide };

struct Spec
{
    std::string flags;
    int width = -1;
    int precision = -1;
    ArgSize size = ArgSize::Default;
    wchar_t conversion = 0;
};

void Pad(std::wstring& out, const std::wstring& body, const Spec& spec)
{
    const bool leftAlign = spec.flags.find('-') != std::string::npos;
    const size_t width = spec.width > 0 ? static_cast<size_t>(spec.width) : 0;
    if (body.size() >= width)
    {
        out += body;
        return;
    }
    const std::wstring padding(width - body.size(), L' ');
    out += leftAlign ? body + padding : padding + body;
}

// Numbers go through the narrow C library with a normalised conversion,
// which gives the standard rendering of every flag, width and precision.
std::wstring FormatNumber(const Spec& spec, const char* lengthModifier, char conversion, ...)
{
    std::string format = "%" + spec.flags;
    if (spec.width >= 0)
        format += std::to_string(spec.width);
    if (spec.precision >= 0)
        format += "." + std::to_string(spec.precision);
    format += lengthModifier;
    format += conversion;

    va_list args;
    va_start(args, conversion);
    va_list copy;
    va_copy(copy, args);
    const int needed = std::vsnprintf(nullptr, 0, format.c_str(), copy);
    va_end(copy);
    std::string text(static_cast<size_t>(needed > 0 ? needed : 0), '\0');
    if (needed > 0)
        std::vsnprintf(text.data(), text.size() + 1, format.c_str(), args);
    va_end(args);
    return std::wstring(text.begin(), text.end());
}

std::wstring NarrowToWide(const char* text, int maxChars)
{
    if (text == nullptr)
        return L"(null)";
    size_t length = std::strlen(text);
    if (maxChars >= 0 && static_cast<size_t>(maxChars) < length)
        length = static_cast<size_t>(maxChars);
    return AfxMultiByteToWide(text, static_cast<int>(length));
}

std::wstring WideText(const wchar_t* text, int maxChars)
{
    if (text == nullptr)
        return L"(null)";
    size_t length = std::wcslen(text);
    if (maxChars >= 0 && static_cast<size_t>(maxChars) < length)
        length = static_cast<size_t>(maxChars);
    return std::wstring(text, length);
}

// Reads the flags, width, precision and size of one conversion; p points
// just after the '%'. Returns the position after the conversion letter.
const wchar_t* ParseSpec(const wchar_t* p, Spec& spec, va_list& args)
{
    while (*p != L'\0' && std::wcschr(L"-+ #0", *p) != nullptr)
        spec.flags += static_cast<char>(*p++);
    if (*p == L'*')
    {
        spec.width = va_arg(args, int);
        if (spec.width < 0)
        {
            spec.flags += '-';
            spec.width = -spec.width;
        }
        ++p;
    }
    else if (iswdigit(*p))
    {
        spec.width = 0;
        while (iswdigit(*p))
            spec.width = spec.width * 10 + (*p++ - L'0');
    }
    if (*p == L'.')
    {
        ++p;
        spec.precision = 0;
        if (*p == L'*')
        {
            spec.precision = va_arg(args, int);
            ++p;
        }
        else
        {
            while (iswdigit(*p))
                spec.precision = spec.precision * 10 + (*p++ - L'0');
        }
    }

    if (p[0] == L'I' && p[1] == L'6' && p[2] == L'4')
        spec.size = ArgSize::LongLong, p += 3;
    else if (p[0] == L'I' && p[1] == L'3' && p[2] == L'2')
        spec.size = ArgSize::Default, p += 3;
    else if (p[0] == L'I')
        spec.size = ArgSize::Pointer, p += 1;
    else if (p[0] == L'h' && p[1] == L'h')
        spec.size = ArgSize::Char, p += 2;
    else if (p[0] == L'h')
        spec.size = ArgSize::Short, p += 1;
    else if (p[0] == L'l' && p[1] == L'l')
        spec.size = ArgSize::LongLong, p += 2;
    else if (p[0] == L'l')
        spec.size = ArgSize::Long, p += 1;
    else if (p[0] == L'w')
        spec.size = ArgSize::Wide, p += 1;
    else if (p[0] == L'L')
        spec.size = ArgSize::LongDouble, p += 1;
    else if (p[0] == L'z' || p[0] == L't' || p[0] == L'j')
        spec.size = ArgSize::Pointer, p += 1;

    spec.conversion = *p;
    return *p == L'\0' ? p : p + 1;
}

long long SignedArg(const Spec& spec, va_list& args)
{
    switch (spec.size)
    {
    case ArgSize::Char: return static_cast<signed char>(va_arg(args, int));
    case ArgSize::Short: return static_cast<short>(va_arg(args, int));
    case ArgSize::Long: return va_arg(args, long);
    case ArgSize::LongLong: return va_arg(args, long long);
    case ArgSize::Pointer: return va_arg(args, intptr_t);
    default: return va_arg(args, int);
    }
}

unsigned long long UnsignedArg(const Spec& spec, va_list& args)
{
    switch (spec.size)
    {
    case ArgSize::Char: return static_cast<unsigned char>(va_arg(args, unsigned int));
    case ArgSize::Short: return static_cast<unsigned short>(va_arg(args, unsigned int));
    case ArgSize::Long: return va_arg(args, unsigned long);
    case ArgSize::LongLong: return va_arg(args, unsigned long long);
    case ArgSize::Pointer: return va_arg(args, uintptr_t);
    default: return va_arg(args, unsigned int);
    }
}

void FormatOne(std::wstring& out, const Spec& spec, va_list& args)
{
    const wchar_t c = spec.conversion;
    // In wide formats an unsized %s/%c is wide and %S/%C narrow; h forces
    // narrow, l and w force wide.
    const bool narrowText = spec.size == ArgSize::Short ||
                            ((c == L'S' || c == L'C') && spec.size != ArgSize::Long && spec.size != ArgSize::Wide);
    switch (c)
    {
    case L'd':
    case L'i':
        out += FormatNumber(spec, "ll", 'd', SignedArg(spec, args));
        break;
    case L'u':
    case L'o':
    case L'x':
    case L'X':
        out += FormatNumber(spec, "ll", static_cast<char>(c), UnsignedArg(spec, args));
        break;
    case L'e':
    case L'E':
    case L'f':
    case L'F':
    case L'g':
    case L'G':
    case L'a':
    case L'A':
    {
        const double value = spec.size == ArgSize::LongDouble ? static_cast<double>(va_arg(args, long double))
                                                              : va_arg(args, double);
        out += FormatNumber(spec, "", static_cast<char>(c), value);
        break;
    }
    case L'p':
    {
        Spec pointerSpec;
        pointerSpec.flags = "0";
        pointerSpec.width = static_cast<int>(sizeof(void*) * 2);
        const auto value = reinterpret_cast<uintptr_t>(va_arg(args, void*));
        Pad(out, FormatNumber(pointerSpec, "ll", 'X', static_cast<unsigned long long>(value)), spec);
        break;
    }
    case L'c':
    case L'C':
    {
        const int value = va_arg(args, int);
        const std::wstring body = narrowText ? NarrowToWide(std::string(1, static_cast<char>(value)).c_str(), 1)
                                             : std::wstring(1, static_cast<wchar_t>(value));
        Pad(out, body, spec);
        break;
    }
    case L's':
    case L'S':
        if (narrowText)
            Pad(out, NarrowToWide(va_arg(args, const char*), spec.precision), spec);
        else
            Pad(out, WideText(va_arg(args, const wchar_t*), spec.precision), spec);
        break;
    case L'n':
        // Writing through a format argument is never wanted.
        (void)va_arg(args, void*);
        break;
    default:
        // %% and unknown letters stand for themselves.
        if (c != L'\0')
            out += c;
        break;
    }
}

} // namespace

void CString::FormatV(LPCWSTR lpszFormat, va_list argList)
{
    std::wstring out;
    va_list args;
    va_copy(args, argList);
    for (const wchar_t* p = lpszFormat != nullptr ? lpszFormat : L""; *p != L'\0';)
    {
        if (*p != L'%')
        {
            out += *p++;
            continue;
        }
        Spec spec;
        p = ParseSpec(p + 1, spec, args);
        FormatOne(out, spec, args);
    }
    va_end(args);
    m_text = std::move(out);
}

void CString::Format(LPCWSTR lpszFormat, ...)
{
    va_list args;
    va_start(args, lpszFormat);
    FormatV(lpszFormat, args);
    va_end(args);
}

void CString::Format(UINT nFormatID, ...)
{
    CString format;
    if (!format.LoadString(nFormatID))
        AfxThrowResourceException();
    va_list args;
    va_start(args, nFormatID);
    FormatV(format, args);
    va_end(args);
}

void CString::AppendFormat(LPCWSTR lpszFormat, ...)
{
    CString appended;
    va_list args;
    va_start(args, lpszFormat);
    appended.FormatV(lpszFormat, args);
    va_end(args);
    *this += appended;
}

namespace {

std::wstring FormatMessageText(LPCWSTR format, va_list* args)
{
    LPWSTR buffer = nullptr;
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ALLOCATE_BUFFER, format, 0, 0,
                                        reinterpret_cast<LPWSTR>(&buffer), 0, args);
    if (length == 0 || buffer == nullptr)
        return {};
    std::wstring text(buffer, length);
    LocalFree(buffer);
    return text;
}

} // namespace

void CString::FormatMessage(LPCWSTR lpszFormat, ...)
{
    va_list args;
    va_start(args, lpszFormat);
    m_text = FormatMessageText(lpszFormat, &args);
    va_end(args);
}

void CString::FormatMessage(UINT nFormatID, ...)
{
    CString format;
    if (!format.LoadString(nFormatID))
        AfxThrowResourceException();
    va_list args;
    va_start(args, nFormatID);
    m_text = FormatMessageText(format, &args);
    va_end(args);
}
