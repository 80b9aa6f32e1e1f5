// The 62 colour slots of the toolkit and the rules that derive them from the
// system colours: blends, minimum contrasts, the gradients and the colours of
// the three visual-style schemes (1 blue, 2 olive, 3 silver). Portable: the
// Windows colour table feeds it the system colours and the detected scheme.
#pragma once

#include <array>

#include "ColorMath.h"
#include "StyleColor.h"

namespace kit {

constexpr int kColorSlotCount = 62;
// Slots 1 to 28 mirror the system colours of the same index.
constexpr int kSystemColorCount = 29;
constexpr int kStyleGradientCount = 10;

enum LunaScheme
{
    kSchemeNone = 0,
    kSchemeBlue = 1,
    kSchemeOlive = 2,
    kSchemeSilver = 3,
    kSchemeAutomatic = 4,
};

using SystemColors = std::array<ColorRef, kSystemColorCount>;

class ColorTableData
{
public:
    ColorTableData();

    // The override when one is set, else the slot. Anything above 61 is a
    // literal colour and comes back unchanged.
    ColorRef GetColor(ColorRef index) const
    {
        if (index >= static_cast<ColorRef>(kColorSlotCount))
            return index;
        return overrides[index] != kColorUnset ? overrides[index] : slots[index];
    }
    // The scheme's own colour for slots 30 to 61 when it has one.
    ColorRef GetLunaColor(ColorRef index) const;
    // The setting, or the detected scheme when the setting asks for detection.
    int GetLunaScheme() const;
    bool AreLunaColorsDisabled() const { return lunaDisabled; }

    static ColorRef BlendColors(ColorRef a, ColorRef b, int weight) { return kit::BlendColors(a, b, weight); }
    static bool IsDistanceAbove(ColorRef a, ColorRef b, bool adjust, float threshold)
    {
        return kit::IsDistanceAbove(a, b, adjust, threshold);
    }
    static ColorRef PushColorAway(ColorRef a, ColorRef b, int threshold) { return kit::PushColorAway(a, b, threshold); }
    static ColorRef PullColorToward(ColorRef a, ColorRef b, int threshold)
    {
        return kit::PullColorToward(a, b, threshold);
    }

    // Everything below the scheme detection: system colours into slots 1 to
    // 28, the derived slots, the scheme colours and gradients 1 to 7. On a
    // low-colour display the blends and contrast rules are skipped.
    void DeriveColors(const SystemColors& systemColors, bool lowColor);
    void SetLunaColors();
    void SetStyleGradients();
    // Gradients 8 to 10: fixed orange fills of pressed and hot buttons.
    void SetFixedGradients();

    // Gradients 1 to 10 of the Parts that paint with them are gradients[0..9].
    std::array<CStyleGradient, kStyleGradientCount> gradients;
    bool lunaDisabled = false;
    std::array<ColorRef, kColorSlotCount> slots{};
    std::array<ColorRef, kColorSlotCount> overrides;
    std::array<ColorRef, kColorSlotCount> lunaColors;
    int schemeSetting = kSchemeAutomatic;
    int detectedScheme = kSchemeNone;

private:
    void SetDefaultDerivedColors();
    void ApplyBlendsAndContrasts();
};

// The scheme a visual style names: "luna.msstyles" with the colours
// "normalcolor", "homestead" and "metallic", or "royale.msstyles" with
// "normalcolor"; compared without regard to case.
int SchemeFromThemeName(const char16_t* fileName, const char16_t* colorName);

}  // namespace kit
