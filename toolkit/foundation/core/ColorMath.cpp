#include "ColorMath.h"

#include <algorithm>
#include <cmath>

namespace kit {

namespace {

constexpr float kRedWeight = 0.7647058823529411f;    // 195 / 255
constexpr float kGreenWeight = 1.5294117647058822f;  // 390 / 255
constexpr float kBlueWeight = 0.2549019607843137f;   // 65 / 255
constexpr float kRedRange = 195.0f;
constexpr float kGreenRange = 390.0f;
constexpr float kBlueRange = 65.0f;

int BlendChannel(int a, int b, int weight, int denominator)
{
    return ClampChannel((a * weight + b * (denominator - weight) + denominator / 2) / denominator);
}

int ToChannel(float weighted, float range)
{
    const float value = weighted * 255.0f / range + 0.5f;
    if (!(value > 0.0f)) // also NaN
        return 0;
    return ClampChannel(static_cast<int>(std::min(value, 255.0f)));
}

WeightedColor Limit(WeightedColor w)
{
    w.red = std::clamp(w.red, 0.0f, kRedRange);
    w.green = std::clamp(w.green, 0.0f, kGreenRange);
    w.blue = std::clamp(w.blue, 0.0f, kBlueRange);
    return w;
}

WeightedColor Mirror(const WeightedColor& w)
{
    return {kRedRange - w.red, kGreenRange - w.green, kBlueRange - w.blue};
}

float Dot(const WeightedColor& a, const WeightedColor& b)
{
    return a.red * b.red + a.green * b.green + a.blue * b.blue;
}

int DistanceFromBlack(ColorRef c)
{
    return static_cast<int>(ColorDistance(c, kColorBlack));
}

}  // namespace

ColorRef BlendColors(ColorRef a, ColorRef b, int weight)
{
    const int denominator = weight < 100 ? 100 : 1000;
    return MakeColor(BlendChannel(RedOf(a), RedOf(b), weight, denominator),
                     BlendChannel(GreenOf(a), GreenOf(b), weight, denominator),
                     BlendChannel(BlueOf(a), BlueOf(b), weight, denominator));
}

ColorRef BlendColorsFraction(ColorRef a, ColorRef b, float x)
{
    auto channel = [x](int ca, int cb) {
        const float value = x * static_cast<float>(ca) + (1.0f - x) * static_cast<float>(cb);
        return value > 0.0f ? ClampChannel(static_cast<int>(std::min(value, 255.0f))) : 0;
    };
    return MakeColor(channel(RedOf(a), RedOf(b)), channel(GreenOf(a), GreenOf(b)), channel(BlueOf(a), BlueOf(b)));
}

WeightedColor ToWeighted(ColorRef c)
{
    return {static_cast<float>(RedOf(c)) * kRedWeight, static_cast<float>(GreenOf(c)) * kGreenWeight,
            static_cast<float>(BlueOf(c)) * kBlueWeight};
}

ColorRef FromWeighted(const WeightedColor& w)
{
    const WeightedColor limited = Limit(w);
    return MakeColor(ToChannel(limited.red, kRedRange), ToChannel(limited.green, kGreenRange),
                     ToChannel(limited.blue, kBlueRange));
}

float ColorDistanceSquared(ColorRef a, ColorRef b)
{
    const WeightedColor wa = ToWeighted(a);
    const WeightedColor wb = ToWeighted(b);
    const float dr = wa.red - wb.red;
    const float dg = wa.green - wb.green;
    const float db = wa.blue - wb.blue;
    return dr * dr + dg * dg + db * db;
}

float ColorDistance(ColorRef a, ColorRef b)
{
    return std::sqrt(ColorDistanceSquared(a, b));
}

float AdjustContrastThreshold(int referenceDistance, int threshold)
{
    return static_cast<float>(threshold) * (2.0f - static_cast<float>(std::min(referenceDistance, 220)) * 0.0045454544f);
}

bool IsDistanceAbove(ColorRef a, ColorRef b, bool adjust, float threshold)
{
    if (adjust)
        threshold = AdjustContrastThreshold(DistanceFromBlack(a), static_cast<int>(threshold));
    return ColorDistanceSquared(a, b) > threshold * threshold;
}

ColorRef PullColorToward(ColorRef a, ColorRef b, int threshold)
{
    const float adjusted = AdjustContrastThreshold(DistanceFromBlack(a), threshold);
    const float distance = ColorDistance(a, b);
    if (distance <= 0.0f)
        return b;
    const float h = (distance - adjusted) / distance;
    const WeightedColor wa = ToWeighted(a);
    const WeightedColor wb = ToWeighted(b);
    return FromWeighted({wb.red + (wa.red - wb.red) * h, wb.green + (wa.green - wb.green) * h,
                         wb.blue + (wa.blue - wb.blue) * h});
}

ColorRef PushColorAway(ColorRef a, ColorRef b, int threshold)
{
    const float da = ColorDistance(a, kColorBlack);
    const float adjusted = AdjustContrastThreshold(static_cast<int>(da), threshold);
    const float db = ColorDistance(b, kColorBlack);
    const bool mirror = db > da ? da <= 442.0f - adjusted : da <= adjusted;

    WeightedColor wa = ToWeighted(a);
    WeightedColor wb = ToWeighted(b);
    if (mirror) {
        wa = Mirror(wa);
        wb = Mirror(wb);
    }
    const float n = std::max(std::sqrt(Dot(wb, wb)), 0.001f);
    const float dot = Dot(wa, wb);
    const float k = dot / (n * n);
    const float p = dot / n;
    const WeightedColor foot{wa.red - k * wb.red, wa.green - k * wb.green, wa.blue - k * wb.blue};
    const float h2 = Dot(foot, foot);
    // Rounding can leave h a hair beyond the threshold; the point is then the foot itself.
    const float s = std::sqrt(std::max(adjusted * adjusted - h2, 0.0f));
    const float m = p - s;
    WeightedColor result{wb.red * m / n, wb.green * m / n, wb.blue * m / n};
    if (mirror)
        result = Mirror(Limit(result));
    return FromWeighted(result);
}

}  // namespace kit

using namespace kit;

CColorValue& CColorValue::Subtract(kit::ColorRef other)
{
    value = MakeColor(ClampChannel(RedOf(value) - RedOf(other)), ClampChannel(GreenOf(value) - GreenOf(other)),
                      ClampChannel(BlueOf(value) - BlueOf(other)));
    return *this;
}

CColorValue& CColorValue::BlendPercent(kit::ColorRef other, int percent)
{
    auto channel = [percent](int mine, int theirs) {
        return ClampChannel((mine * (100 - percent) + theirs * percent) / 100);
    };
    value = MakeColor(channel(RedOf(value), RedOf(other)), channel(GreenOf(value), GreenOf(other)),
                      channel(BlueOf(value), BlueOf(other)));
    return *this;
}
