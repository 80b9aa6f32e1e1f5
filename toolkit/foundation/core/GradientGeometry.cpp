#include "GradientGeometry.h"

#include <algorithm>

namespace kit {

std::optional<GradientSpan> ClipGradient(const KitRect& rect, ColorRef a, ColorRef b, bool horizontal,
                                         const KitRect* clip)
{
    GradientSpan span{rect, a, b};
    if (!clip)
        return span;

    // The fill runs along x (horizontal) or y; across it the clip simply limits.
    const int start = horizontal ? rect.left : rect.top;
    const int end = horizontal ? rect.right : rect.bottom;
    const int clipStart = horizontal ? clip->left : clip->top;
    const int clipEnd = horizontal ? clip->right : clip->bottom;
    if (clipEnd <= start || clipStart >= end)
        return std::nullopt;

    int& spanStart = horizontal ? span.rect.left : span.rect.top;
    int& spanEnd = horizontal ? span.rect.right : span.rect.bottom;
    const float length = static_cast<float>(end - start);
    if (clipStart > start) {
        span.from = BlendColorsFraction(a, b, static_cast<float>(end - clipStart) / length);
        spanStart = clipStart;
    }
    if (clipEnd < end) {
        span.to = BlendColorsFraction(a, b, static_cast<float>(end - clipEnd) / length);
        spanEnd = clipEnd;
    }
    if (horizontal) {
        span.rect.top = std::max(rect.top, clip->top);
        span.rect.bottom = std::min(rect.bottom, clip->bottom);
    } else {
        span.rect.left = std::max(rect.left, clip->left);
        span.rect.right = std::min(rect.right, clip->right);
    }
    return span;
}

std::vector<GradientSpan> SplitStyleGradient(const KitRect& rect, const CStyleGradient& gradient, bool horizontal)
{
    const ColorRef light = gradient.light.GetValue();
    const ColorRef dark = gradient.dark.GetValue();
    if (gradient.factor == 0.5f)
        return {{rect, light, dark}};

    const ColorRef middle = BlendColorsFraction(light, dark, gradient.factor);
    GradientSpan first{rect, light, middle};
    GradientSpan second{rect, middle, dark};
    if (horizontal) {
        const int split = rect.right - (rect.right - rect.left) / 2;
        first.rect.right = split;
        second.rect.left = split;
    } else {
        const int split = rect.bottom - (rect.bottom - rect.top) / 2;
        first.rect.bottom = split;
        second.rect.top = split;
    }
    return {first, second};
}

ColorRef StripColorAt(int position, int start, int end, ColorRef a, ColorRef b)
{
    const float length = static_cast<float>(std::max(end - start, 1));
    return BlendColorsFraction(a, b, 1.0f - static_cast<float>(position - start) / length);
}

}  // namespace kit
