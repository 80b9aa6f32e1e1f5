#include "AnsiText.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace preview {

namespace {

constexpr char16_t kReplacement = u'\xFFFD';

#ifndef _WIN32
// 0x80..0x9F of Windows-1252; 0 marks the five bytes it leaves undefined.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
#endif

}  // namespace

std::u16string AnsiToWide(std::string_view bytes, unsigned codePage) {
  std::u16string text;
  if (bytes.empty()) return text;
#ifdef _WIN32
  const int count = MultiByteToWideChar(codePage == 0 ? CP_ACP : codePage, 0, bytes.data(),
                                        static_cast<int>(bytes.size()), nullptr, 0);
  if (count <= 0) return text;
  text.resize(static_cast<size_t>(count));
  MultiByteToWideChar(codePage == 0 ? CP_ACP : codePage, 0, bytes.data(),
                      static_cast<int>(bytes.size()), reinterpret_cast<wchar_t*>(text.data()), count);
#else
  (void)codePage;
  text.reserve(bytes.size());
  for (char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x80 && byte < 0xA0) {
      const char16_t mapped = kCp1252High[byte - 0x80];
      text.push_back(mapped != 0 ? mapped : kReplacement);
    } else {
      text.push_back(static_cast<char16_t>(byte));
    }
  }
#endif
  for (char16_t& unit : text) {
    if (unit == 0) unit = kReplacement;
  }
  return text;
}

}  // namespace preview
