#include "ColorMath.h"

#include <algorithm>

namespace colors {
namespace {

int ChannelByte(double value) { return std::clamp(static_cast<int>(value), 0, 255); }

int AdjustByte(int value, int percent) {
  if (percent > 0) return value + (255 - value) * percent / 100;
  return value * (100 + percent) / 100;
}

}  // namespace

uint32_t RGBtoHLS(Colour colour) {
  const int r = Red(colour), g = Green(colour), b = Blue(colour);
  const int maxC = std::max({r, g, b}), minC = std::min({r, g, b});
  const double lightness = (maxC + minC) / 510.0;
  double hue = 0, saturation = 0;
  if (maxC != minC) {
    const double delta = maxC - minC;
    saturation = lightness <= 0.5 ? delta / (maxC + minC) : delta / (510.0 - maxC - minC);
    const double rc = (maxC - r) / delta, gc = (maxC - g) / delta, bc = (maxC - b) / delta;
    if (b == maxC) hue = (gc + 4 - rc) * 60;
    else if (g == maxC) hue = (rc + 2 - bc) * 60;
    else hue = (bc + 6 - gc) * 60;
    if (hue > 360) hue -= 360;  // exactly 360 stays, so pure red packs as 255
  }
  const uint32_t h = static_cast<uint32_t>(ChannelByte(hue * 255 / 360));
  const uint32_t l = static_cast<uint32_t>(ChannelByte(lightness * 255));
  const uint32_t s = static_cast<uint32_t>(ChannelByte(saturation * 255));
  return h | (l << 8) | (s << 16);
}

int HueToRGB(double m1, double m2, double hue) {
  if (hue > 360) hue -= 360;
  else if (hue < 0) hue += 360;
  double value;
  if (hue < 60) value = m1 + (m2 - m1) * hue / 60;
  else if (hue < 180) value = m2;
  else if (hue < 240) value = m1 + (m2 - m1) * (240 - hue) / 60;
  else value = m1;
  return ChannelByte(value * 255 + 1e-9);  // 1 - s + s must come out as 255
}

Colour HLStoRGB(uint32_t hls) {
  const int hueByte = hls & 0xFF, lightByte = (hls >> 8) & 0xFF, satByte = (hls >> 16) & 0xFF;
  if (satByte == 0) return MakeColour(lightByte, lightByte, lightByte);
  const double l = lightByte / 255.0, s = satByte / 255.0, hue = hueByte * 360.0 / 255.0;
  const double m2 = l <= 0.5 ? l * (1 + s) : l + s - l * s;
  const double m1 = 2 * l - m2;
  return MakeColour(HueToRGB(m1, m2, hue + 120), HueToRGB(m1, m2, hue), HueToRGB(m1, m2, hue - 120));
}

Colour AdjustColorHLS(Colour colour, int lightnessPercent, int saturationPercent) {
  const uint32_t hls = RGBtoHLS(colour);
  const int l = AdjustByte((hls >> 8) & 0xFF, std::clamp(lightnessPercent, -100, 100));
  const int s = AdjustByte((hls >> 16) & 0xFF, std::clamp(saturationPercent, -100, 100));
  return HLStoRGB((hls & 0xFF) | (static_cast<uint32_t>(l) << 8) | (static_cast<uint32_t>(s) << 16));
}

Colour BlendTowardWhite(Colour colour, double fraction) {
  if (!(fraction > 0 && fraction <= 1)) return colour;
  auto blend = [fraction](int c) { return static_cast<int>(c + fraction * (255 - c)); };
  return MakeColour(blend(Red(colour)), blend(Green(colour)), blend(Blue(colour)));
}

Colour BlendTowardBlack(Colour colour, double fraction) {
  if (!(fraction > 0 && fraction <= 1)) return colour;
  auto blend = [fraction](int c) { return static_cast<int>(c - fraction * c); };
  return MakeColour(blend(Red(colour)), blend(Green(colour)), blend(Blue(colour)));
}

Colour GreyOf(Colour colour) {
  const int g = static_cast<int>(0.299 * Red(colour) + 0.587 * Green(colour) + 0.114 * Blue(colour));
  return MakeColour(g, g, g);
}

Colour ShiftColour(Colour colour, int offset) {
  const int channels[3] = {Red(colour), Green(colour), Blue(colour)};
  int shift = offset;
  for (int c : channels) {
    if (offset > 0) shift = std::min(shift, c + offset > 255 ? 255 - c : offset);
    else shift = std::max(shift, c + offset < 0 ? -c : offset);
  }
  return MakeColour(channels[0] + shift, channels[1] + shift, channels[2] + shift);
}

ColourTolerance::ColourTolerance(Colour transparent) {
  const int channels[3] = {Red(transparent), Green(transparent), Blue(transparent)};
  for (int i = 0; i < 3; ++i) {
    if ((transparent & 0xFFFFFF) == 0) {
      low[i] = 0, high[i] = 16;
    } else if ((transparent & 0xFFFFFF) == 0xFFFFFF) {
      low[i] = 239, high[i] = 255;
    } else {
      low[i] = channels[i] <= 16 ? 0 : channels[i] - 17;
      high[i] = channels[i] >= 239 ? 255 : channels[i] + 17;
    }
  }
}

}  // namespace colors
