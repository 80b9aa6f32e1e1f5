// A colour with an optional override, and a two-colour fill with the place of
// its middle colour. Bars, buttons and captions describe their backgrounds
// with these; the colour table fills its gradients with them.
#pragma once

#include "ColorMath.h"

class CStyleColor
{
public:
    CStyleColor() = default;
    explicit CStyleColor(kit::ColorRef standardValue) : standard(standardValue) {}

    // The override when one is set, else the standard value.
    kit::ColorRef GetValue() const { return custom != kit::kColorUnset ? custom : standard; }
    operator kit::ColorRef() const { return GetValue(); }

    void SetStandardValue(kit::ColorRef value) { standard = value; }
    void SetCustomValue(kit::ColorRef value) { custom = value; }
    kit::ColorRef GetStandardValue() const { return standard; }
    bool IsStandardValue() const { return custom == kit::kColorUnset; }
    bool IsSet() const { return GetValue() != kit::kColorUnset; }

    kit::ColorRef standard = kit::kColorUnset;
    kit::ColorRef custom = kit::kColorUnset;
};

class CStyleGradient
{
public:
    CStyleGradient() = default;
    explicit CStyleGradient(kit::ColorRef color) { SetStandardValue(color); }
    CStyleGradient(kit::ColorRef lightColor, kit::ColorRef darkColor, float split = 0.5f)
    {
        SetStandardValue(lightColor, darkColor, split);
    }

    void SetStandardValue(kit::ColorRef color) { SetStandardValue(color, color, 0.5f); }
    void SetStandardValue(kit::ColorRef lightColor, kit::ColorRef darkColor, float split = 0.5f)
    {
        light.standard = lightColor;
        dark.standard = darkColor;
        factor = split;
    }
    // Takes the other gradient's effective colours as this one's standard values.
    void SetStandardFrom(const CStyleGradient& other)
    {
        SetStandardValue(other.light.GetValue(), other.dark.GetValue(), other.factor);
    }

    CStyleColor light;
    CStyleColor dark;
    // Where the fill's middle colour lies; 0.5 is a plain two-colour fill.
    float factor = 0.5f;
};
