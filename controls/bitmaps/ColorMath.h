// Colour arithmetic of the skinned controls: the XP hue-lightness-saturation
// model, blending toward white or black, the hue-keeping shift of a button's
// state colours, and the tolerance with which a skin's transparent colour is
// matched. Colours are COLORREF values (0x00BBGGRR).
#pragma once

#include <cstdint>

namespace colors {

using Colour = uint32_t;

constexpr int Red(Colour c) { return c & 0xFF; }
constexpr int Green(Colour c) { return (c >> 8) & 0xFF; }
constexpr int Blue(Colour c) { return (c >> 16) & 0xFF; }
constexpr Colour MakeColour(int r, int g, int b) {
  return static_cast<Colour>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

// HLS packed as hue in bits 0-7, lightness 8-15, saturation 16-23 (each 0-255).
uint32_t RGBtoHLS(Colour colour);
Colour HLStoRGB(uint32_t hls);
int HueToRGB(double m1, double m2, double hue);
Colour AdjustColorHLS(Colour colour, int lightnessPercent, int saturationPercent);

// c + f (255 - c) per channel for 0 < f <= 1, else unchanged.
Colour BlendTowardWhite(Colour colour, double fraction);
// c - f c per channel for 0 < f <= 1, else unchanged.
Colour BlendTowardBlack(Colour colour, double fraction);
// trunc(0.299 R + 0.587 G + 0.114 B) in all three channels.
Colour GreyOf(Colour colour);

// Moves all three channels by one amount so that none leaves 0..255: the hue
// stays. The offset must lie in -255..255.
Colour ShiftColour(Colour colour, int offset);

// Whether a pixel counts as the transparent colour of a skin: within 17 per
// channel (0..16 for black, 239..255 for white).
struct ColourTolerance {
  int low[3];   // red, green, blue
  int high[3];
  explicit ColourTolerance(Colour transparent);
  bool Matches(int red, int green, int blue) const {
    return red >= low[0] && red <= high[0] && green >= low[1] && green <= high[1] && blue >= low[2] &&
           blue <= high[2];
  }
};

}  // namespace colors
