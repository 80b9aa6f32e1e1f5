// The arithmetic of the effect painter's gradients and textures, kept apart from
// GDI so that it can be checked without a display.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "MarkupTypes.h"

namespace markup {

constexpr int kGradientBands = 64;

struct GradientBand {
  int start = 0;  // along the gradient's direction, end exclusive
  int end = 0;
  Color color = 0;
};

// Band k (0 to 63) of a gradient over `size` pixels from `origin`; the last band
// stops one sixty-fourth short of `to`.
GradientBand GradientBandAt(int k, int origin, int size, Color from, Color to);

// An 8-bit palette texture: pixels row by row in storage order, the bottom row
// of the image first, as a bottom-up device-independent bitmap holds them.
struct TexturePixels {
  int width = 0;
  int height = 0;
  std::array<Color, 256> palette{};
  std::vector<uint8_t> pixels;
  uint8_t& At(int x, int storedRow) { return pixels[static_cast<size_t>(storedRow) * width + x]; }
};

// rand()-like source of numbers 0 to 32767.
using TextureRandom = std::function<int()>;

constexpr long long kMaxTexturePixels = 4096LL * 4096LL;

// Builds texture effects 7 to 15. Returns false for sizes on which the texture
// has no meaning (empty, too small for the bevels or scratches, or too large);
// the painter then fills with colour 1.
bool BuildTexture(int effect, int width, int height, Color c1, Color c2, Color c3, int granularity, int blendPercent,
                  const TextureRandom& random, TexturePixels& out);

}  // namespace markup
