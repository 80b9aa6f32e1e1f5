#include "core/MnemonicText.h"

#include <gtest/gtest.h>

#include <string>

TEST(MnemonicTextTest, StripAndRemoveSingleMarkers)
{
    struct
    {
        std::u16string text;
        std::u16string stripped;
        std::u16string singlesRemoved;
    } cases[] = {
        {u"&File && Folder", u"File & Folder", u"File && Folder"},
        {u"Save&", u"Save", u"Save&"},
        {u"&&&Open", u"&Open", u"&&Open"},
        {u"Plain", u"Plain", u"Plain"},
        {u"", u"", u""},
        {u"&", u"", u"&"},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(kit::StripMnemonicMarkers(test.text), test.stripped);
        EXPECT_EQ(kit::RemoveSingleAmpersandMarkers(test.text), test.singlesRemoved);
    }
}
