#include "ViewerText.h"

std::string ToAnsi(LPCWSTR text)
{
    if (text == nullptr)
        return {};
    BOOL lossy = FALSE;
    const int count = ::WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, &lossy);
    if (count <= 1 || lossy)
        return {};
    std::string ansi(static_cast<size_t>(count), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text, -1, ansi.data(), count, nullptr, nullptr);
    ansi.resize(static_cast<size_t>(count - 1));
    return ansi;
}
