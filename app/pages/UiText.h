// UTF-16 texts of the engine as window texts and back (wchar_t is 16-bit on Windows).
#pragma once

#include <string>
#include <string_view>

#include "Framework.h"

inline CString ToCString(std::u16string_view text) {
  return CString(reinterpret_cast<const wchar_t*>(text.data()), static_cast<int>(text.size()));
}

inline std::u16string ToU16(const CString& text) {
  return std::u16string(reinterpret_cast<const char16_t*>(static_cast<LPCWSTR>(text)),
                        static_cast<size_t>(text.GetLength()));
}
