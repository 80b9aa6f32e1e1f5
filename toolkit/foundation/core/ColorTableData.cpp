#include "ColorTableData.h"

#include <algorithm>
#include <string>

namespace kit {

namespace {

struct GradientValue
{
    ColorRef light;
    ColorRef dark;
    float factor;
};

// Gradients 1 to 7 of the blue, olive and silver schemes.
constexpr GradientValue kSchemeGradients[3][7] = {
    {
        {MakeColor(89, 135, 214), MakeColor(0, 45, 150), 0.50f},
        {MakeColor(158, 190, 245), MakeColor(196, 218, 250), 0.50f},
        {MakeColor(89, 135, 214), MakeColor(0, 45, 150), 0.50f},
        {MakeColor(221, 236, 254), MakeColor(129, 169, 226), 0.75f},
        {MakeColor(227, 239, 255), MakeColor(135, 173, 228), 0.50f},
        {MakeColor(203, 221, 246), MakeColor(121, 161, 220), 0.50f},
        {MakeColor(227, 239, 255), MakeColor(147, 181, 231), 0.50f},
    },
    {
        {MakeColor(175, 192, 130), MakeColor(99, 122, 68), 0.50f},
        {MakeColor(217, 217, 167), MakeColor(242, 241, 228), 0.50f},
        {MakeColor(120, 142, 111), MakeColor(73, 91, 67), 0.50f},
        {MakeColor(244, 247, 222), MakeColor(183, 198, 145), 0.30f},
        {MakeColor(255, 255, 237), MakeColor(184, 199, 146), 0.30f},
        {MakeColor(230, 230, 209), MakeColor(164, 180, 120), 0.30f},
        {MakeColor(236, 240, 213), MakeColor(194, 206, 159), 0.50f},
    },
    {
        {MakeColor(168, 167, 191), MakeColor(112, 111, 145), 0.50f},
        {MakeColor(215, 215, 229), MakeColor(243, 243, 247), 0.50f},
        {MakeColor(168, 167, 191), MakeColor(119, 118, 151), 0.50f},
        {MakeColor(249, 249, 255), MakeColor(156, 155, 183), 0.75f},
        {MakeColor(249, 249, 255), MakeColor(159, 157, 185), 0.75f},
        {MakeColor(215, 215, 226), MakeColor(128, 126, 158), 0.75f},
        {MakeColor(233, 231, 241), MakeColor(186, 185, 205), 0.50f},
    },
};

constexpr ColorRef kSchemeSlot54[3] = {MakeColor(0, 45, 150), MakeColor(96, 128, 88), MakeColor(124, 124, 148)};

struct SchemeSlotColors
{
    int slot;
    ColorRef colors[3];
};

constexpr SchemeSlotColors kSchemeSlots[] = {
    {30, {MakeColor(158, 190, 245), MakeColor(217, 217, 167), MakeColor(215, 215, 229)}},
    {31, {MakeColor(255, 238, 194), MakeColor(255, 238, 194), MakeColor(255, 238, 194)}},
    {32, {MakeColor(0, 0, 128), MakeColor(63, 93, 56), MakeColor(75, 75, 111)}},
    {33, {MakeColor(254, 128, 62), MakeColor(254, 128, 62), MakeColor(254, 128, 62)}},
    {36, {MakeColor(255, 192, 111), MakeColor(255, 192, 111), MakeColor(255, 192, 111)}},
    {37, {MakeColor(0, 0, 128), MakeColor(63, 93, 56), MakeColor(75, 75, 111)}},
    {38, {MakeColor(39, 65, 118), MakeColor(81, 94, 51), MakeColor(84, 84, 117)}},
    {39, {MakeColor(106, 140, 203), MakeColor(96, 128, 88), MakeColor(110, 109, 143)}},
    {40, {MakeColor(109, 150, 208), MakeColor(159, 174, 122), MakeColor(168, 167, 190)}},
    {41, {MakeColor(246, 246, 246), MakeColor(244, 244, 238), MakeColor(253, 250, 255)}},
    {43, {MakeColor(0, 45, 150), MakeColor(117, 141, 94), MakeColor(124, 124, 148)}},
    {47, {MakeColor(0, 0, 0), MakeColor(0, 0, 0), MakeColor(0, 0, 0)}},
    {50, {MakeColor(0, 0, 128), MakeColor(63, 93, 56), MakeColor(75, 75, 111)}},
    {59, {MakeColor(22, 30, 54), MakeColor(31, 34, 25), MakeColor(36, 32, 41)}},
};

struct BlendRule
{
    int target;
    int a;
    int b;
    int weight;
};

constexpr BlendRule kBlends[] = {
    {30, 5, 15, 165}, {31, 13, 5, 30}, {33, 13, 5, 50}, {41, 15, 5, 143}, {35, 17, 5, 70},
    {38, 16, 5, 75},  {39, 16, 5, 70}, {43, 46, 16, 20}, {40, 16, 5, 90}, {42, 15, 16, 90},
};

struct ContrastRule
{
    int target;
    int a;
    int b;
    int threshold;
};

constexpr ContrastRule kMinimumContrasts[] = {
    {31, 30, 31, 50},  {32, 30, 13, 100}, {33, 30, 33, 30},  {35, 41, 35, 80},  {37, 33, 37, 100},
    {38, 30, 38, 85},  {39, 30, 39, 50},  {43, 47, 43, 100}, {40, 30, 40, 80},  {44, 41, 44, 180},
    {45, 31, 45, 180}, {46, 30, 46, 180}, {47, 33, 47, 180},
};

bool IsKnownScheme(int scheme)
{
    return scheme >= kSchemeBlue && scheme <= kSchemeSilver;
}

int LargestChannel(ColorRef c)
{
    return std::max({RedOf(c), GreenOf(c), BlueOf(c)});
}

ColorRef ScaleChannels(ColorRef c, int numerator, int denominator)
{
    return MakeColor(ClampChannel(RedOf(c) * numerator / denominator),
                     ClampChannel(GreenOf(c) * numerator / denominator),
                     ClampChannel(BlueOf(c) * numerator / denominator));
}

std::u16string Lowered(const char16_t* text)
{
    std::u16string result = text ? text : u"";
    for (char16_t& c : result)
        if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c - u'A' + u'a');
    return result;
}

}  // namespace

ColorTableData::ColorTableData()
{
    overrides.fill(kColorUnset);
    lunaColors.fill(kColorUnset);
}

ColorRef ColorTableData::GetLunaColor(ColorRef index) const
{
    if (index >= 30 && index <= 61 && lunaColors[index] != kColorUnset)
        return lunaColors[index];
    return GetColor(index);
}

int ColorTableData::GetLunaScheme() const
{
    if (schemeSetting == kSchemeAutomatic || schemeSetting == kSchemeAutomatic + 1)
        return detectedScheme;
    return schemeSetting;
}

void ColorTableData::DeriveColors(const SystemColors& systemColors, bool lowColor)
{
    slots[0] = 0;
    for (int i = 1; i < kSystemColorCount; ++i)
        slots[i] = systemColors[i];
    SetDefaultDerivedColors();
    SetLunaColors();
    if (!lowColor)
        ApplyBlendsAndContrasts();
    SetStyleGradients();
}

void ColorTableData::SetDefaultDerivedColors()
{
    // Each derived slot starts as the system colour it stands for.
    static constexpr int kSources[][2] = {
        {30, 15}, {31, 5},  {32, 13}, {33, 13}, {34, 16}, {35, 17}, {36, 5},  {37, 13}, {38, 16}, {39, 16},
        {40, 16}, {41, 5},  {42, 16}, {43, 16}, {44, 8},  {45, 7},  {46, 18}, {47, 14}, {48, 15}, {49, 18},
        {50, 13}, {51, 15}, {52, 16}, {53, 15}, {54, 16}, {55, 15}, {56, 15}, {57, 16}, {58, 17}, {60, 16},
    };
    for (const auto& [target, source] : kSources)
        slots[target] = GetColor(source);
    slots[59] = 0;
}

void ColorTableData::ApplyBlendsAndContrasts()
{
    for (const BlendRule& rule : kBlends)
        slots[rule.target] = BlendColors(GetColor(rule.a), GetColor(rule.b), rule.weight);

    if (IsDistanceAbove(GetColor(15), GetColor(30), true, 35.0f))
        slots[30] = PullColorToward(GetColor(15), GetColor(30), 35);

    for (const ContrastRule& rule : kMinimumContrasts)
        if (!IsDistanceAbove(GetColor(rule.a), GetColor(rule.b), true, static_cast<float>(rule.threshold)))
            slots[rule.target] = PushColorAway(GetColor(rule.a), GetColor(rule.b), rule.threshold);

    if (IsDistanceAbove(GetColor(41), GetColor(35), true, 145.0f))
        slots[35] = PullColorToward(GetColor(41), GetColor(35), 145);

    const ColorRef c30 = GetColor(30);
    const ColorRef c5 = GetColor(5);
    const ColorRef c13 = GetColor(13);
    auto mix = [](int x, int y, int z) { return ClampChannel(x * 50 / 100 + y * 40 / 100 + z * 10 / 100); };
    slots[36] = MakeColor(mix(RedOf(c30), RedOf(c5), RedOf(c13)), mix(GreenOf(c30), GreenOf(c5), GreenOf(c13)),
                          mix(BlueOf(c30), BlueOf(c5), BlueOf(c13)));

    const ColorRef c15 = GetColor(15);
    const int faceLargest = LargestChannel(c15);
    if (faceLargest == 0)
        slots[48] = MakeColor(35, 35, 35);
    else
        slots[48] = ScaleChannels(c15, faceLargest + std::min(255 - faceLargest, 35), faceLargest);

    const ColorRef c16 = GetColor(16);
    if (c15 == 0) {
        slots[49] = MakeColor(127, 127, 127);
    } else {
        const int shadowLargest = LargestChannel(c16);
        slots[49] = shadowLargest == 0 ? 0 : ScaleChannels(c16, std::max(shadowLargest - 43, 0), shadowLargest);
    }

    const ColorRef s31 = slots[31];
    slots[34] = MakeColor(static_cast<int>(RedOf(s31) * 0.75), static_cast<int>(GreenOf(s31) * 0.75),
                          static_cast<int>(BlueOf(s31) * 0.75));
    slots[22] = MakeColor(std::min(RedOf(c15) + 15, 255), std::min(GreenOf(c15) + 15, 255),
                          std::min(BlueOf(c15) + 15, 255));
    slots[53] = GetColor(30);
    slots[58] = GetColor(40);
    slots[60] = slots[40];
}

void ColorTableData::SetLunaColors()
{
    const int scheme = GetLunaScheme();
    if (lunaDisabled || !IsKnownScheme(scheme)) {
        lunaColors.fill(kColorUnset);
        return;
    }
    for (const SchemeSlotColors& entry : kSchemeSlots)
        lunaColors[entry.slot] = entry.colors[scheme - 1];
}

void ColorTableData::SetStyleGradients()
{
    const int scheme = lunaDisabled ? kSchemeNone : GetLunaScheme();
    if (IsKnownScheme(scheme)) {
        for (int i = 0; i < 7; ++i) {
            const GradientValue& value = kSchemeGradients[scheme - 1][i];
            gradients[i].SetStandardValue(value.light, value.dark, value.factor);
        }
        slots[54] = kSchemeSlot54[scheme - 1];
        return;
    }
    const ColorRef c5 = GetColor(5);
    const ColorRef c15 = GetColor(15);
    const ColorRef c16 = GetColor(16);
    gradients[0].SetStandardValue(c16, c16);
    gradients[1].SetStandardValue(c15, BlendColors(c15, c5, 215));
    gradients[2].SetStandardValue(c15, c16);
    gradients[3].SetStandardValue(BlendColors(c15, c5, 205), c15);
    gradients[4].SetStandardValue(BlendColors(c15, c5, 145), BlendColors(c15, c5, 93));
    gradients[5].SetStandardValue(BlendColors(c15, c5, 40), BlendColors(c15, c16, 95));
    gradients[6].SetStandardValue(BlendColors(c15, c5, 165), BlendColors(c15, c5, 42));
}

void ColorTableData::SetFixedGradients()
{
    gradients[7].SetStandardValue(MakeColor(255, 213, 140), MakeColor(255, 173, 85));
    gradients[8].SetStandardValue(MakeColor(254, 142, 75), MakeColor(255, 207, 139));
    gradients[9].SetStandardValue(MakeColor(255, 242, 200), MakeColor(255, 212, 151));
}

int SchemeFromThemeName(const char16_t* fileName, const char16_t* colorName)
{
    const std::u16string file = Lowered(fileName);
    const std::u16string color = Lowered(colorName);
    if (file.find(u"luna.msstyles") != std::u16string::npos) {
        if (color == u"normalcolor")
            return kSchemeBlue;
        if (color == u"homestead")
            return kSchemeOlive;
        if (color == u"metallic")
            return kSchemeSilver;
        return kSchemeNone;
    }
    if (file.find(u"royale.msstyles") != std::u16string::npos && color == u"normalcolor")
        return kSchemeBlue;
    return kSchemeNone;
}

}  // namespace kit
