// Conversions the viewers share between the readers' UTF-16 text, the framework's
// strings and paths, and the ANSI code page that outside libraries take.
#pragma once

#include "Framework.h"

#include <filesystem>
#include <string>

inline CString ToCString(const std::u16string& text)
{
    return CString(std::wstring(text.begin(), text.end()).c_str());
}

inline std::filesystem::path ToPath(const CString& path)
{
    return std::filesystem::path(std::wstring(path.GetString(), static_cast<size_t>(path.GetLength())));
}

// The text in the ANSI code page; empty when it has characters the code page
// cannot hold (a path so converted would name another file).
std::string ToAnsi(LPCWSTR text);
