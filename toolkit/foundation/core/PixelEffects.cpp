#include "PixelEffects.h"

#include <algorithm>
#include <cmath>

namespace kit {
namespace {

constexpr double kInverse255 = 0.00392156862745098;

bool Masked(std::span<const uint8_t> mask, size_t offset)
{
    if (mask.empty()) return true;
    return offset + 2 < mask.size() && mask[offset] == 0 && mask[offset + 1] == 0 && mask[offset + 2] == 0;
}

ColorRef PixelColor(std::span<const uint8_t> pixels, size_t offset)
{
    return MakeColor(pixels[offset + 2], pixels[offset + 1], pixels[offset]);
}

void SetPixelColor(std::span<uint8_t> pixels, size_t offset, ColorRef colour)
{
    pixels[offset] = BlueOf(colour);
    pixels[offset + 1] = GreenOf(colour);
    pixels[offset + 2] = RedOf(colour);
}

template <class Change>
void ForEachPixel(std::span<uint8_t> pixels, std::span<const uint8_t> mask, Change change)
{
    for (size_t offset = 0; offset + 3 < pixels.size(); offset += 4)
    {
        if (Masked(mask, offset)) SetPixelColor(pixels, offset, change(PixelColor(pixels, offset)));
    }
}

} // namespace

ColorRef LightenColor(ColorRef colour, double factor)
{
    auto lighten = [factor](uint8_t c) { return static_cast<uint8_t>((1.0 - factor) * c + factor * 255.0); };
    return MakeColor(lighten(RedOf(colour)), lighten(GreenOf(colour)), lighten(BlueOf(colour)));
}

ColorRef ShadowColor(ColorRef slot31)
{
    auto scale = [](uint8_t c) { return static_cast<uint8_t>(c * 0.75); };
    return MakeColor(scale(RedOf(slot31)), scale(GreenOf(slot31)), scale(BlueOf(slot31)));
}

ColorRef DisabledColor(ColorRef pixel, ColorRef light, ColorRef dark)
{
    const double luminance = (0.299 * RedOf(pixel) + 0.587 * GreenOf(pixel) + 0.114 * BlueOf(pixel)) * kInverse255;
    if (light == kColorUnset || dark == kColorUnset)
    {
        const auto grey = static_cast<uint8_t>(std::pow(luminance, 0.5) * 255.0);
        return MakeColor(grey, grey, grey);
    }
    auto tint = [luminance](uint8_t d, uint8_t l) {
        return static_cast<uint8_t>((1.0 - luminance) * d + luminance * l);
    };
    return MakeColor(tint(RedOf(dark), RedOf(light)), tint(GreenOf(dark), GreenOf(light)),
                     tint(BlueOf(dark), BlueOf(light)));
}

void FadePixels(std::span<uint8_t> pixels)
{
    for (size_t offset = 0; offset + 3 < pixels.size(); offset += 4)
    {
        for (size_t c = 0; c < 3; ++c) pixels[offset + c] = static_cast<uint8_t>(0.7 * pixels[offset + c] + 76.5);
    }
}

void LightenPixels(std::span<uint8_t> pixels, std::span<const uint8_t> mask, double factor)
{
    ForEachPixel(pixels, mask, [factor](ColorRef c) { return LightenColor(c, factor); });
}

void FillPixels(std::span<uint8_t> pixels, std::span<const uint8_t> mask, ColorRef colour)
{
    ForEachPixel(pixels, mask, [colour](ColorRef) { return colour; });
}

void DisablePixels(std::span<uint8_t> pixels, std::span<const uint8_t> mask, ColorRef light, ColorRef dark)
{
    ForEachPixel(pixels, mask, [light, dark](ColorRef c) { return DisabledColor(c, light, dark); });
}

void PreMultiplyPixels(std::span<uint8_t> pixels)
{
    for (size_t offset = 0; offset + 3 < pixels.size(); offset += 4)
    {
        const unsigned alpha = pixels[offset + 3];
        for (size_t c = 0; c < 3; ++c) pixels[offset + c] = static_cast<uint8_t>(pixels[offset + c] * alpha / 255);
    }
}

std::vector<uint8_t> AlphaToMasked24(std::span<const uint8_t> pixels, int width, int height, ColorRef mask)
{
    if (width <= 0 || height <= 0) return {};
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
    if (pixels.size() / 4 / static_cast<size_t>(width) < static_cast<size_t>(height)) return {};
    std::vector<uint8_t> rows(stride * static_cast<size_t>(height), 0);
    for (size_t y = 0; y < static_cast<size_t>(height); ++y)
    {
        for (size_t x = 0; x < static_cast<size_t>(width); ++x)
        {
            const uint8_t* in = &pixels[(y * width + x) * 4];
            uint8_t* out = &rows[y * stride + x * 3];
            if (in[3] >= 120)
            {
                for (size_t c = 0; c < 3; ++c) out[c] = static_cast<uint8_t>(in[c] * 255 >> 8);
            }
            else
            {
                out[0] = BlueOf(mask);
                out[1] = GreenOf(mask);
                out[2] = RedOf(mask);
            }
        }
    }
    return rows;
}

std::vector<std::vector<uint8_t>> SplitPixelRows(std::span<const uint8_t> pixels, int width, int height, int count)
{
    if (width <= 0 || height <= 0 || count <= 0 || width % count != 0) return {};
    const size_t rowBytes = static_cast<size_t>(width) * 4;
    if (pixels.size() / rowBytes < static_cast<size_t>(height)) return {};
    const size_t partBytes = rowBytes / static_cast<size_t>(count);
    std::vector<std::vector<uint8_t>> parts(count, std::vector<uint8_t>(partBytes * height));
    for (size_t y = 0; y < static_cast<size_t>(height); ++y)
    {
        for (size_t i = 0; i < static_cast<size_t>(count); ++i)
        {
            const uint8_t* row = &pixels[y * rowBytes + i * partBytes];
            std::copy(row, row + partBytes, parts[i].begin() + static_cast<std::ptrdiff_t>(y * partBytes));
        }
    }
    return parts;
}

} // namespace kit
