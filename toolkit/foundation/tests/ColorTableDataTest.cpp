#include "core/ColorTableData.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

using kit::ColorRef;
using kit::MakeColor;

namespace {

// System colours by index; the rest stay black.
kit::SystemColors Palette(const std::map<int, ColorRef>& colors)
{
    kit::SystemColors system{};
    for (const auto& [index, color] : colors)
        system[index] = color;
    return system;
}

// Windows classic ("Windows Standard").
const std::map<int, ColorRef> kClassic = {
    {5, MakeColor(255, 255, 255)}, {13, MakeColor(10, 36, 106)},   {14, MakeColor(255, 255, 255)},
    {15, MakeColor(212, 208, 200)}, {16, MakeColor(128, 128, 128)}, {17, MakeColor(128, 128, 128)},
    {20, MakeColor(255, 255, 255)}, {21, MakeColor(64, 64, 64)},    {22, MakeColor(212, 208, 200)},
};
// The system colours that come with the XP blue visual style.
const std::map<int, ColorRef> kLunaSystem = {
    {5, MakeColor(255, 255, 255)}, {13, MakeColor(49, 106, 197)},   {14, MakeColor(255, 255, 255)},
    {15, MakeColor(236, 233, 216)}, {16, MakeColor(172, 168, 153)}, {17, MakeColor(172, 168, 153)},
    {20, MakeColor(255, 255, 255)}, {21, MakeColor(113, 111, 100)}, {22, MakeColor(241, 239, 226)},
};
// High contrast: black faces, white text; every contrast rule pushes here.
const std::map<int, ColorRef> kHighContrast = {
    {5, MakeColor(0, 0, 0)},          {7, MakeColor(255, 255, 255)}, {8, MakeColor(255, 255, 255)},
    {13, MakeColor(128, 0, 128)},     {14, MakeColor(255, 255, 255)}, {15, MakeColor(0, 0, 0)},
    {16, MakeColor(128, 128, 128)},   {17, MakeColor(0, 255, 0)},     {18, MakeColor(255, 255, 255)},
    {20, MakeColor(255, 255, 255)},   {21, MakeColor(255, 255, 255)}, {22, MakeColor(255, 255, 255)},
};

struct DerivedCase
{
    const char* name;
    const std::map<int, ColorRef>* system;
    // Slots 30 to 60.
    int expected[31][3];
};

// The derived slots, worked out independently in double precision; the
// contrast moves may differ by one step per channel from float arithmetic.
const DerivedCase kDerivedCases[] = {
    {"classic",
     &kClassic,
     {{219, 216, 209}, {182, 189, 210}, {10, 36, 106},   {133, 146, 181}, {136, 141, 157}, {166, 166, 166},
      {212, 213, 216}, {10, 36, 106},   {160, 160, 160}, {166, 166, 166}, {141, 141, 141}, {249, 248, 247},
      {204, 200, 193}, {102, 102, 102}, {0, 0, 0},       {0, 0, 0},       {0, 0, 0},       {255, 255, 255},
      {247, 242, 233}, {85, 85, 85},    {10, 36, 106},   {212, 208, 200}, {128, 128, 128}, {219, 216, 209},
      {128, 128, 128}, {212, 208, 200}, {212, 208, 200}, {128, 128, 128}, {141, 141, 141}, {0, 0, 0},
      {141, 141, 141}}},
    {"luna system colours",
     &kLunaSystem,
     {{239, 237, 222}, {193, 210, 238}, {49, 106, 197},  {152, 181, 226}, {144, 157, 178}, {197, 194, 184},
      {225, 230, 232}, {49, 106, 197},  {191, 188, 177}, {197, 194, 184}, {180, 177, 163}, {252, 252, 249},
      {230, 227, 210}, {138, 134, 122}, {0, 0, 0},       {0, 0, 0},       {0, 0, 0},       {73, 73, 73},
      {255, 251, 233}, {129, 126, 114}, {49, 106, 197},  {236, 233, 216}, {172, 168, 153}, {239, 237, 222},
      {172, 168, 153}, {236, 233, 216}, {236, 233, 216}, {172, 168, 153}, {180, 177, 163}, {0, 0, 0},
      {180, 177, 163}}},
    {"high contrast",
     &kHighContrast,
     {{0, 0, 0},       {80, 50, 80},    {174, 93, 174},  {72, 10, 72},    {60, 37, 60},    {0, 179, 0},
      {12, 0, 12},     {181, 107, 181}, {98, 98, 98},    {90, 90, 90},    {115, 115, 115}, {0, 0, 0},
      {13, 13, 13},    {153, 153, 153}, {255, 255, 255}, {255, 255, 255}, {255, 255, 255}, {255, 255, 255},
      {35, 35, 35},    {127, 127, 127}, {128, 0, 128},   {0, 0, 0},       {128, 128, 128}, {0, 0, 0},
      {128, 128, 128}, {0, 0, 0},       {0, 0, 0},       {128, 128, 128}, {115, 115, 115}, {0, 0, 0},
      {115, 115, 115}}},
};

void ExpectNear(ColorRef actual, const int expected[3], int slot, const char* name)
{
    const int channels[3] = {kit::RedOf(actual), kit::GreenOf(actual), kit::BlueOf(actual)};
    for (int c = 0; c < 3; ++c)
        EXPECT_LE(std::abs(channels[c] - expected[c]), 1)
            << name << ": slot " << slot << " channel " << c << " is " << channels[c] << ", expected "
            << expected[c];
}

}  // namespace

TEST(ColorTableDataTest, DerivesTheSlotsFromTheSystemColours)
{
    for (const DerivedCase& test : kDerivedCases) {
        kit::ColorTableData table;
        table.DeriveColors(Palette(*test.system), false);
        for (int slot = 30; slot <= 60; ++slot)
            ExpectNear(table.GetColor(slot), test.expected[slot - 30], slot, test.name);
        // 3D light follows the button face; 28, 29 and 61 stay black.
        const ColorRef face = table.GetColor(15);
        EXPECT_EQ(table.GetColor(22), MakeColor(std::min(kit::RedOf(face) + 15, 255),
                                                std::min(kit::GreenOf(face) + 15, 255),
                                                std::min(kit::BlueOf(face) + 15, 255)))
            << test.name;
        EXPECT_EQ(table.GetColor(29), 0u);
        EXPECT_EQ(table.GetColor(61), 0u);
    }
}

TEST(ColorTableDataTest, ContrastRulesLeaveTheirMinimumDistance)
{
    for (const DerivedCase& test : kDerivedCases) {
        kit::ColorTableData table;
        table.DeriveColors(Palette(*test.system), false);
        // Text on the menu, on the hot item and on the face stays readable.
        EXPECT_GT(kit::ColorDistance(table.GetColor(41), table.GetColor(44)) + 1.0f,
                  kit::AdjustContrastThreshold(static_cast<int>(kit::ColorDistance(table.GetColor(41), 0)), 180))
            << test.name;
        EXPECT_GT(kit::ColorDistance(table.GetColor(30), table.GetColor(46)) + 1.0f,
                  kit::AdjustContrastThreshold(static_cast<int>(kit::ColorDistance(table.GetColor(30), 0)), 180))
            << test.name;
    }
}

TEST(ColorTableDataTest, BlackButtonFaceGivesFixedGreys)
{
    kit::ColorTableData table;
    table.DeriveColors(Palette(kHighContrast), false);
    EXPECT_EQ(table.GetColor(49), MakeColor(127, 127, 127));
    EXPECT_EQ(table.GetColor(48), MakeColor(35, 35, 35));
}

TEST(ColorTableDataTest, LowColourDisplaySkipsBlendsAndKeeps3dLight)
{
    kit::ColorTableData table;
    table.DeriveColors(Palette(kClassic), true);
    EXPECT_EQ(table.GetColor(22), MakeColor(212, 208, 200));
    EXPECT_EQ(table.GetColor(30), MakeColor(212, 208, 200));  // c15, unblended
    EXPECT_EQ(table.GetColor(31), MakeColor(255, 255, 255));  // c5
    EXPECT_EQ(table.GetColor(44), 0u);                        // c8
    // The gradients are still set.
    EXPECT_EQ(table.gradients[2].light.GetValue(), MakeColor(212, 208, 200));
    EXPECT_EQ(table.gradients[2].dark.GetValue(), MakeColor(128, 128, 128));
}

TEST(ColorTableDataTest, SystemGradientsWithoutScheme)
{
    kit::ColorTableData table;
    table.DeriveColors(Palette(kClassic), false);
    const ColorRef face = MakeColor(212, 208, 200);
    const ColorRef window = MakeColor(255, 255, 255);
    const ColorRef shadow = MakeColor(128, 128, 128);
    struct
    {
        ColorRef light;
        ColorRef dark;
    } expected[7] = {
        {shadow, shadow},
        {face, kit::BlendColors(face, window, 215)},
        {face, shadow},
        {kit::BlendColors(face, window, 205), face},
        {kit::BlendColors(face, window, 145), kit::BlendColors(face, window, 93)},
        {kit::BlendColors(face, window, 40), kit::BlendColors(face, shadow, 95)},
        {kit::BlendColors(face, window, 165), kit::BlendColors(face, window, 42)},
    };
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(table.gradients[i].light.GetValue(), expected[i].light) << "gradient " << i + 1;
        EXPECT_EQ(table.gradients[i].dark.GetValue(), expected[i].dark) << "gradient " << i + 1;
        EXPECT_FLOAT_EQ(table.gradients[i].factor, 0.5f);
    }
    // Blend(face, window, 215) per mille: 21.5 % face.
    EXPECT_EQ(expected[1].dark, MakeColor(246, 245, 243));
    EXPECT_EQ(table.GetColor(54), shadow);
    for (int slot = 0; slot < kit::kColorSlotCount; ++slot)
        EXPECT_EQ(table.lunaColors[slot], kit::kColorUnset);
}

struct SchemeCase
{
    int scheme;
    ColorRef gradient1Light, gradient1Dark;
    ColorRef gradient4Light, gradient4Dark;
    float gradient4Factor;
    ColorRef gradient7Dark;
    ColorRef slot54;
    ColorRef luna30, luna32, luna59;
};

const SchemeCase kSchemes[] = {
    {1, MakeColor(89, 135, 214), MakeColor(0, 45, 150), MakeColor(221, 236, 254), MakeColor(129, 169, 226), 0.75f,
     MakeColor(147, 181, 231), MakeColor(0, 45, 150), MakeColor(158, 190, 245), MakeColor(0, 0, 128),
     MakeColor(22, 30, 54)},
    {2, MakeColor(175, 192, 130), MakeColor(99, 122, 68), MakeColor(244, 247, 222), MakeColor(183, 198, 145), 0.30f,
     MakeColor(194, 206, 159), MakeColor(96, 128, 88), MakeColor(217, 217, 167), MakeColor(63, 93, 56),
     MakeColor(31, 34, 25)},
    {3, MakeColor(168, 167, 191), MakeColor(112, 111, 145), MakeColor(249, 249, 255), MakeColor(156, 155, 183), 0.75f,
     MakeColor(186, 185, 205), MakeColor(124, 124, 148), MakeColor(215, 215, 229), MakeColor(75, 75, 111),
     MakeColor(36, 32, 41)},
};

TEST(ColorTableDataTest, SchemesTakeTheirOwnGradientsAndColours)
{
    for (const SchemeCase& test : kSchemes) {
        kit::ColorTableData table;
        table.detectedScheme = test.scheme;  // the setting asks for detection
        table.DeriveColors(Palette(kLunaSystem), false);
        EXPECT_EQ(table.GetLunaScheme(), test.scheme);
        EXPECT_EQ(table.gradients[0].light.GetValue(), test.gradient1Light) << test.scheme;
        EXPECT_EQ(table.gradients[0].dark.GetValue(), test.gradient1Dark) << test.scheme;
        EXPECT_EQ(table.gradients[3].light.GetValue(), test.gradient4Light) << test.scheme;
        EXPECT_EQ(table.gradients[3].dark.GetValue(), test.gradient4Dark) << test.scheme;
        EXPECT_FLOAT_EQ(table.gradients[3].factor, test.gradient4Factor) << test.scheme;
        EXPECT_EQ(table.gradients[6].dark.GetValue(), test.gradient7Dark) << test.scheme;
        EXPECT_EQ(table.GetColor(54), test.slot54) << test.scheme;
        EXPECT_EQ(table.GetLunaColor(30), test.luna30) << test.scheme;
        EXPECT_EQ(table.GetLunaColor(32), test.luna32) << test.scheme;
        EXPECT_EQ(table.GetLunaColor(59), test.luna59) << test.scheme;
        EXPECT_EQ(table.GetLunaColor(31), MakeColor(255, 238, 194));
        EXPECT_EQ(table.GetLunaColor(47), 0u);
        // Slots without a scheme colour, and the system slots, come from the table.
        EXPECT_EQ(table.GetLunaColor(34), table.GetColor(34));
        EXPECT_EQ(table.GetLunaColor(15), table.GetColor(15));
    }
}

TEST(ColorTableDataTest, DisabledSchemeColoursBehaveAsNoScheme)
{
    kit::ColorTableData table;
    table.detectedScheme = kit::kSchemeBlue;
    table.lunaDisabled = true;
    table.DeriveColors(Palette(kClassic), false);
    EXPECT_EQ(table.GetLunaColor(30), table.GetColor(30));
    EXPECT_EQ(table.gradients[0].light.GetValue(), MakeColor(128, 128, 128));
    EXPECT_EQ(table.GetColor(54), MakeColor(128, 128, 128));
}

TEST(ColorTableDataTest, SchemeSettingWinsUnlessItAsksForDetection)
{
    kit::ColorTableData table;
    table.detectedScheme = kit::kSchemeOlive;
    EXPECT_EQ(table.GetLunaScheme(), kit::kSchemeOlive);
    table.schemeSetting = 5;
    EXPECT_EQ(table.GetLunaScheme(), kit::kSchemeOlive);
    table.schemeSetting = kit::kSchemeSilver;
    EXPECT_EQ(table.GetLunaScheme(), kit::kSchemeSilver);
    table.schemeSetting = kit::kSchemeNone;
    EXPECT_EQ(table.GetLunaScheme(), kit::kSchemeNone);
}

TEST(ColorTableDataTest, GetColorPassesLiteralColoursThrough)
{
    kit::ColorTableData table;
    table.DeriveColors(Palette(kClassic), false);
    EXPECT_EQ(table.GetColor(62), 62u);
    EXPECT_EQ(table.GetColor(MakeColor(0, 128, 255)), MakeColor(0, 128, 255));
    EXPECT_EQ(table.GetColor(61), 0u);
    EXPECT_EQ(table.GetColor(0), 0u);
    table.overrides[15] = MakeColor(1, 2, 3);
    EXPECT_EQ(table.GetColor(15), MakeColor(1, 2, 3));
}

TEST(ColorTableDataTest, OverridesFeedTheDerivedSlots)
{
    kit::ColorTableData table;
    table.overrides[15] = MakeColor(0, 0, 0);
    table.DeriveColors(Palette(kClassic), false);
    // The face reads as black everywhere the rules read it.
    EXPECT_EQ(table.GetColor(48), MakeColor(35, 35, 35));
    EXPECT_EQ(table.GetColor(49), MakeColor(127, 127, 127));
}

TEST(ColorTableDataTest, FixedGradients)
{
    kit::ColorTableData table;
    table.SetFixedGradients();
    EXPECT_EQ(table.gradients[7].light.GetValue(), MakeColor(255, 213, 140));
    EXPECT_EQ(table.gradients[7].dark.GetValue(), MakeColor(255, 173, 85));
    EXPECT_EQ(table.gradients[8].light.GetValue(), MakeColor(254, 142, 75));
    EXPECT_EQ(table.gradients[9].dark.GetValue(), MakeColor(255, 212, 151));
}

TEST(ColorTableDataTest, SchemeFromThemeName)
{
    struct
    {
        const char16_t* file;
        const char16_t* color;
        int scheme;
    } cases[] = {
        {u"C:\\WINDOWS\\Resources\\Themes\\Luna\\LUNA.MSSTYLES", u"NORMALCOLOR", 1},
        {u"c:\\themes\\luna.msstyles", u"HomeStead", 2},
        {u"c:\\themes\\luna.msstyles", u"metallic", 3},
        {u"c:\\themes\\luna.msstyles", u"other", 0},
        {u"c:\\themes\\Royale.msstyles", u"NormalColor", 1},
        {u"c:\\themes\\royale.msstyles", u"metallic", 0},
        {u"c:\\themes\\aero.msstyles", u"NormalColor", 0},
        {nullptr, nullptr, 0},
    };
    for (const auto& test : cases)
        EXPECT_EQ(kit::SchemeFromThemeName(test.file, test.color), test.scheme);
}
