#include "DrawerColors.h"

#include <algorithm>

namespace kit::taskpanel {

ColorRef MixColors(ColorRef a, ColorRef b, int weight)
{
    const auto mix = [weight](int x, int y) { return ClampChannel((x * weight + y * (255 - weight)) / 255); };
    return MakeColor(mix(RedOf(a), RedOf(b)), mix(GreenOf(a), GreenOf(b)), mix(BlueOf(a), BlueOf(b)));
}

Hls ColorToHls(ColorRef color)
{
    const double r = RedOf(color) / 255.0;
    const double g = GreenOf(color) / 255.0;
    const double b = BlueOf(color) / 255.0;
    const double max = std::max({r, g, b});
    const double min = std::min({r, g, b});
    Hls hls;
    hls.lightness = (max + min) / 2;
    const double d = max - min;
    if (d <= 0)
        return hls;  // a grey: no hue, no saturation (and no division by zero)
    hls.saturation = hls.lightness < 0.5 ? d / (max + min) : d / (2 - max - min);
    double hue;
    if (max == r)
        hue = (g - b) / d;
    else if (max == g)
        hue = 2 + (b - r) / d;
    else
        hue = 4 + (r - g) / d;
    hue /= 6;
    if (hue < 0)
        hue += 1;
    hls.hue = hue;
    return hls;
}

namespace {

double HueToChannel(double m1, double m2, double hue)
{
    if (hue < 0)
        hue += 1;
    if (hue > 1)
        hue -= 1;
    if (6 * hue < 1)
        return m1 + (m2 - m1) * hue * 6;
    if (2 * hue < 1)
        return m2;
    if (3 * hue < 2)
        return m1 + (m2 - m1) * (2.0 / 3 - hue) * 6;
    return m1;
}

int ToChannel(double value) { return ClampChannel(static_cast<int>(value * 255)); }

}  // namespace

ColorRef HlsToColor(const Hls& hls)
{
    if (hls.saturation == 0)
    {
        const int grey = ToChannel(hls.lightness);
        return MakeColor(grey, grey, grey);
    }
    const double m2 = hls.lightness <= 0.5 ? hls.lightness * (1 + hls.saturation)
                                           : hls.lightness + hls.saturation - hls.lightness * hls.saturation;
    const double m1 = 2 * hls.lightness - m2;
    return MakeColor(ToChannel(HueToChannel(m1, m2, hls.hue + 1.0 / 3)), ToChannel(HueToChannel(m1, m2, hls.hue)),
                     ToChannel(HueToChannel(m1, m2, hls.hue - 1.0 / 3)));
}

void RecolorPixels(std::vector<ColorRef>& pixels, ColorRef color)
{
    if (pixels.empty())
        return;
    const ColorRef background = pixels.front();
    const Hls target = ColorToHls(color);
    const double backgroundLightness = ColorToHls(background).lightness;
    for (ColorRef& pixel : pixels)
    {
        if (pixel == background)
        {
            pixel = kRecolorMask;
            continue;
        }
        Hls hls = ColorToHls(pixel);
        if (!(hls.lightness > 0.9 && target.lightness <= 0.9))
        {
            const double scale = backgroundLightness > 0 ? backgroundLightness : 1.0;
            hls.lightness = std::min(1.0, target.lightness * hls.lightness / scale);
        }
        hls.hue = target.hue;
        hls.saturation = target.saturation;
        pixel = HlsToColor(hls);
    }
}

}  // namespace kit::taskpanel
