// The per-pixel arithmetic of command icons on 32-bit pixels (bytes blue, green,
// red, alpha; colours 0x00BBGGRR), apart from GDI. Every routine keeps the alpha
// byte of the pixels it changes, and every conversion of a floating value to a
// byte truncates.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "ColorMath.h"

namespace kit {

// Each channel (1 - factor) * c + factor * 255.
ColorRef LightenColor(ColorRef colour, double factor);
// Each channel of colour slot 31 scaled by 0.75.
ColorRef ShadowColor(ColorRef slot31);
// The automatic disabled form of one colour: grey (√L × 255 in every channel)
// when light or dark is kColorUnset, else tinted between dark and light by L.
ColorRef DisabledColor(ColorRef pixel, ColorRef light, ColorRef dark);

// Whole buffers of 32-bit pixels. `mask` (same length, or empty) limits a change
// to the pixels whose mask pixel is black, as the opaque pixels of an icon are.
void FadePixels(std::span<uint8_t> pixels); // alpha pictures: 0.7c + 76.5
void LightenPixels(std::span<uint8_t> pixels, std::span<const uint8_t> mask, double factor);
void FillPixels(std::span<uint8_t> pixels, std::span<const uint8_t> mask, ColorRef colour);
void DisablePixels(std::span<uint8_t> pixels, std::span<const uint8_t> mask, ColorRef light, ColorRef dark);
// Colour channels multiplied by alpha (c × a / 255).
void PreMultiplyPixels(std::span<uint8_t> pixels);

// An alpha picture as 24-bit rows (padded to four bytes, same row order): pixels
// with alpha 120 or more keep c × 255 >> 8 per channel, the others take `mask`.
std::vector<uint8_t> AlphaToMasked24(std::span<const uint8_t> pixels, int width, int height, ColorRef mask);

// A strip of `count` equal pictures side by side, dealt out row by row: the first
// width / count pixels of each row to picture 0, the next to picture 1, and so on.
// Empty when the width is not a multiple of count or the buffer is too short.
std::vector<std::vector<uint8_t>> SplitPixelRows(std::span<const uint8_t> pixels, int width, int height, int count);

} // namespace kit
