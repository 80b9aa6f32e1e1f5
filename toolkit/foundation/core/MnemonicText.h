// The ampersand markers of menu and button texts. Templates over the string
// type, so that the window code uses them on CString and the tests on
// std::u16string.
#pragma once

#include <cstddef>

namespace kit {

// Every '&' that is not followed by another '&' goes; "&&" becomes '&'.
template <class Text>
Text StripMnemonicMarkers(const Text& text)
{
    Text result;
    const std::size_t length = text.size();
    for (std::size_t i = 0; i < length; ++i) {
        if (text[i] == '&') {
            if (i + 1 < length && text[i + 1] == '&') {
                result.push_back(text[i]);
                ++i;
            }
            continue;
        }
        result.push_back(text[i]);
    }
    return result;
}

// Every single '&' with a character after it goes; "&&" pairs stay as they
// are and a final '&' stays, so that text drawn with prefix processing later
// underlines no letter.
template <class Text>
Text RemoveSingleAmpersandMarkers(const Text& text)
{
    Text result;
    const std::size_t length = text.size();
    for (std::size_t i = 0; i < length; ++i) {
        if (text[i] == '&' && i + 1 < length) {
            if (text[i + 1] == '&') {
                result.push_back(text[i]);
                result.push_back(text[i + 1]);
                ++i;
            }
            continue;
        }
        result.push_back(text[i]);
    }
    return result;
}

}  // namespace kit
