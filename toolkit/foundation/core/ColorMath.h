// Colour arithmetic of the toolkit: blends, the weighted colour space in which
// the contrast rules measure, and the moves that keep two colours apart. Kept
// free of <windows.h> so that it is checked natively; a ColorRef has the
// COLORREF layout (red in the low byte, then green, then blue).
#pragma once

#include <cstdint>

namespace kit {

using ColorRef = std::uint32_t;

// "No colour": unset style colours, override and scheme entries.
constexpr ColorRef kColorUnset = 0xFFFFFFFFu;

constexpr ColorRef MakeColor(int r, int g, int b)
{
    return static_cast<ColorRef>(r & 0xFF) | (static_cast<ColorRef>(g & 0xFF) << 8) |
           (static_cast<ColorRef>(b & 0xFF) << 16);
}
constexpr int RedOf(ColorRef c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(ColorRef c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(ColorRef c) { return static_cast<int>((c >> 16) & 0xFF); }
constexpr int ClampChannel(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }

// The colour table's blend: `weight` is the share of a in percent when below
// 100, in per mille from 100 on. Rounded to nearest per channel.
ColorRef BlendColors(ColorRef a, ColorRef b, int weight);

// The drawing tools' blend: x * a + (1 - x) * b per channel, truncated.
ColorRef BlendColorsFraction(ColorRef a, ColorRef b, float x);

// The weighted space of the contrast rules: red, green and blue scaled to
// 0..195, 0..390 and 0..65, so that distance follows perceived brightness.
struct WeightedColor
{
    float red = 0;
    float green = 0;
    float blue = 0;
};
WeightedColor ToWeighted(ColorRef c);
// Back to a colour, rounded and limited to 0..255 per channel.
ColorRef FromWeighted(const WeightedColor& w);
float ColorDistanceSquared(ColorRef a, ColorRef b);
float ColorDistance(ColorRef a, ColorRef b);

// A threshold doubled next to black and used unchanged from distance 220 on.
float AdjustContrastThreshold(int referenceDistance, int threshold);

// Whether a and b lie further apart than t (adjusted for a when `adjust`).
bool IsDistanceAbove(ColorRef a, ColorRef b, bool adjust, float threshold);
// b moved along the line towards a until it lies at the adjusted threshold
// distance from a.
ColorRef PullColorToward(ColorRef a, ColorRef b, int threshold);
// b, too close to a, moved along its ray from black (or from white when a is
// too dark to leave room) until it lies at the adjusted threshold from a.
ColorRef PushColorAway(ColorRef a, ColorRef b, int threshold);

// The toolkit's fixed colours.
constexpr ColorRef kColorBlack = MakeColor(0, 0, 0);
constexpr ColorRef kColorWhite = MakeColor(255, 255, 255);
constexpr ColorRef kColorDarkGray = MakeColor(64, 64, 64);
constexpr ColorRef kColorGray = MakeColor(128, 128, 128);
constexpr ColorRef kColorLightGray = MakeColor(192, 192, 192);

}  // namespace kit

// A colour value with the two in-place operations the list controls use.
class CColorValue
{
public:
    CColorValue() = default;
    CColorValue(kit::ColorRef value) : value(value) {}
    operator kit::ColorRef() const { return value; }

    // Per channel this minus other, limited to 0..255.
    CColorValue& Subtract(kit::ColorRef other);
    // Per channel (this * (100 - p) + other * p) / 100, limited to 0..255.
    CColorValue& BlendPercent(kit::ColorRef other, int percent);

    kit::ColorRef value = 0;
};
