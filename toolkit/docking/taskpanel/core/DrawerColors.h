// Colour arithmetic of the task panel's drawing styles: the weighted mix of
// two colours, hue-lightness-saturation conversion, and the recolouring of
// the expand-button pictures into a caption colour. Portable, so that the
// edge cases (black, grey and uniform pictures) are checked natively.
#pragma once

#include <cstdint>
#include <vector>

#include "core/ColorMath.h"

namespace kit::taskpanel {

// Per channel (a * weight + b * (255 - weight)) / 255, limited to 0..255.
ColorRef MixColors(ColorRef a, ColorRef b, int weight);

struct Hls
{
    double hue = 0;         // 0..1
    double lightness = 0;   // 0..1
    double saturation = 0;  // 0..1
};
// Greys (black and white included) have hue and saturation 0.
Hls ColorToHls(ColorRef color);
ColorRef HlsToColor(const Hls& hls);

// The pure green that marks the transparent part of a recoloured picture.
constexpr ColorRef kRecolorMask = MakeColor(0, 255, 0);

// Recolours a picture (pixels in COLORREF order, the first is the top-left
// background): the background becomes the mask colour, every other pixel
// takes the colour's hue and saturation and a lightness scaled by the
// colour's against the background's. A black background has no lightness to
// scale against, so the pixel's own lightness is scaled by the colour's.
void RecolorPixels(std::vector<ColorRef>& pixels, ColorRef color);

}  // namespace kit::taskpanel
