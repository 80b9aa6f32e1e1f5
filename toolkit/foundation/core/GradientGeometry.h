// Where a two-colour fill goes and which colours its ends get: the clipping of
// a gradient to a part of its rectangle, the two halves of a style gradient
// whose middle colour is moved, and the colour of one strip of the own fill
// used where the system's GradientFill is missing.
#pragma once

#include <optional>
#include <vector>

#include "ColorMath.h"
#include "StyleColor.h"

namespace kit {

struct KitRect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool operator==(const KitRect&) const = default;
};

struct GradientSpan
{
    KitRect rect;
    ColorRef from = 0;  // at the left (horizontal) or top edge of rect
    ColorRef to = 0;    // at the far edge
};

// The part of the fill of `rect` from a to b that lies in `clip`, with its end
// colours as the whole fill has them there. Nothing when the clip misses the
// rectangle along the fill's direction. Without a clip, the whole fill.
std::optional<GradientSpan> ClipGradient(const KitRect& rect, ColorRef a, ColorRef b, bool horizontal,
                                         const KitRect* clip);

// A style gradient as one fill (factor exactly 0.5) or two fills that meet at
// the middle colour BlendColorsFraction(light, dark, factor).
std::vector<GradientSpan> SplitStyleGradient(const KitRect& rect, const CStyleGradient& gradient, bool horizontal);

// The colour of the strip at `position` (a column or a row) of a fill from
// `start` (colour a) to `end` (colour b).
ColorRef StripColorAt(int position, int start, int end, ColorRef a, ColorRef b);

}  // namespace kit
