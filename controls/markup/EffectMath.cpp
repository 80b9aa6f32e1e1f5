#include "EffectMath.h"

namespace markup {
namespace {

Color MixChannels(Color a, int weightA, Color b, int weightB, int divisor) {
  auto mix = [&](int shift) { return ((((a >> shift) & 0xFF) * weightA + ((b >> shift) & 0xFF) * weightB) / divisor) & 0xFF; };
  return static_cast<Color>(mix(0) | (mix(8) << 8) | (mix(16) << 16));
}

int Cube(int c) { return (c * c * c / 128) / 128; }

}  // namespace

GradientBand GradientBandAt(int k, int origin, int size, Color from, Color to) {
  GradientBand band;
  band.start = origin + static_cast<int>(static_cast<long long>(k) * size / kGradientBands);
  band.end = origin + static_cast<int>(static_cast<long long>(k + 1) * size / kGradientBands);
  band.color = MixChannels(from, kGradientBands - k, to, k, kGradientBands);
  return band;
}

bool BuildTexture(int effect, int W, int H, Color c1, Color c2, Color c3, int granularity, int blendPercent,
                  const TextureRandom& random, TexturePixels& out) {
  if (W < 1 || H < 1 || static_cast<long long>(W) * H > kMaxTexturePixels) return false;
  if (effect == 14 && (H < 2 || W / 6 < 1)) return false;  // the bevels divide by H² / 4 and by W / 6
  if (W > 32767 || H > 32767) return false;  // the scratches divide by 32767 / W
  if (effect < 7 || effect > 15) return false;

  out.width = W;
  out.height = H;
  out.pixels.assign(static_cast<size_t>(W) * H, 0);
  for (int i = 0; i <= 128; ++i) out.palette[i] = MixChannels(c3, 128 - i, c2, i, 128);
  for (int j = 1; j <= 128; ++j) out.palette[127 + j] = MixChannels(c2, 128 - j, c1, j, 128);
  int percent = std::min(blendPercent & 0xFF, 100);
  for (Color& entry : out.palette) entry = MixChannels(c1, percent, entry, 100 - percent, 100);

  const int G = granularity & 0xFF;
  const int Q = 2 * G < 1 ? 1 : 2 * G;
  const int I = 32767 / Q;
  auto noise = [&] { return random() / I - G; };
  auto put = [&](int x, int y, long long value) { out.At(x, y) = static_cast<uint8_t>(value & 0xFF); };

  switch (effect) {
    case 7:
      for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) put(x, y, 128 + noise());
      break;
    case 8: {
      const int n = (255 - 2 * G) / 2;
      for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) put(x, y, G + y * n / H + (n * W - x * n) / W + noise());
      break;
    }
    case 9:
      for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) put(x, y, G + y * (255 - 2 * G) / H + noise());
      break;
    case 10:
      for (int x = 0; x < W; ++x)
        for (int y = 0; y < H; ++y) put(x, y, G + ((255 - 2 * G) * W - x * (255 - 2 * G)) / W + noise());
      break;
    case 11:
      for (int y = 0; y < H; ++y) {
        int c = y * 255 / H - 127;
        for (int x = 0; x < W; ++x) put(x, y, 128 + Cube(c) * (128 - G) / 128 + noise());
      }
      break;
    case 12:
      for (int x = 0; x < W; ++x) {
        int c = (255 * W - 255 * x) / W - 127;
        for (int y = 0; y < H; ++y) put(x, y, 128 + Cube(c) * (128 - G) / 128 + noise());
      }
      break;
    case 13:
      for (int y = 0; y < H; ++y) {
        int cy = y * 255 / H - 127;
        for (int x = 0; x < W; ++x) {
          int cx = (255 * W - 255 * x) / W - 127;
          int v = 128 + (Cube(cx) + Cube(cy)) * (128 - G) / 128;
          v = std::min(std::max(v, G), 255 - G);
          put(x, y, v + noise());
        }
      }
      break;
    case 14: {
      for (int y = 0; y < H; ++y) {
        int c = y * 255 / H - 127;
        for (int x = 0; x < W; ++x) put(x, y, 128 + Cube(c) * (64 - G) * 2 / 128 + noise());
      }
      const int B = std::min(W / 6, 16);
      const long long m = static_cast<long long>(H) * H / 4;
      for (int y = 0; y < H; ++y) {
        long long d = y - H / 2;
        long long M = (static_cast<long long>(y) * B - (H / 2) * B) * d / m - B + W / 2;
        for (int x = 0; x < W; ++x) {
          int value = out.At(x, y);
          if (x - W / 2 > M) {
            value = G + (W - x) * 128 / B;
          } else if (M + x - W / 2 < 0) {
            value = (255 - G) - x * 128 / B;
          }
          put(x, y, value + noise());
        }
      }
      break;
    }
    case 15: {
      const int side = std::min(W, H);
      for (int scratch = 0; scratch < 200; ++scratch) {
        int x0 = random() / (32767 / W);
        int y0 = random() / (32767 / H);
        int length = random() / (32767 / side);
        int value = random() / 819;
        // Points count y from the top; those outside the texture are ignored.
        auto setFromTop = [&](int x, int yTop) {
          if (x >= 0 && yTop >= 0 && x < W && yTop < H) put(x, H - 1 - yTop, value);
        };
        for (int k = 0; k < length / 2; ++k) {
          if (x0 - k > 0 && y0 + k < H) setFromTop(x0 - k, y0 + k);
          if (x0 + k < W && y0 - k > 0) setFromTop(W - x0 + k, y0 - k);
        }
      }
      const int n = (255 - 2 * G - 40) / 2;
      for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
          int value = out.At(x, y) + y * n / H + (n * W - x * n) / W;
          put(x, y, value + random() / I);
        }
      }
      break;
    }
  }
  return true;
}

}  // namespace markup
