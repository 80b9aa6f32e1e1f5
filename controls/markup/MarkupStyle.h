// The style record of the markup drawer and the value grammar that tags and
// style-sheet declarations share (sizes with units, colours, keywords, effects).
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "MarkupTypes.h"

namespace markup {

class MarkupCanvas;

struct MarkupStyle {
  std::u16string name;  // value of the tag that opened the element
  int size = 16;
  int weight = 400;
  int italic = 0;
  int underline = 0;
  int strikeOut = 0;
  int overline = 0;
  std::u16string face = u"Verdana";
  Color textColor = 0;
  Color backgroundColor = 0xFFFFFF;
  Color borderLight = 0;
  Color borderDark = 0;
  Color backgroundMiddle = 0xFFFFFF;
  Color backgroundEnd = 0xFFFFFF;
  int backgroundMode = 1;  // 1 transparent, 2 opaque
  int backgroundEffect = -1;
  std::u16string backgroundImage;
  int horizontalAlign = 0;  // 0 left, 1 center, 2 right, 3 justify
  int verticalAlign = 3;    // 0 top, 1 middle, 2 bottom, 3 baseline
  int borderStyle = 0;      // 0 none, 1 solid, 2 dashed, 3 dotted, 6 double
  int borderWidth = 0;
  int width = 0;  // not part of the defaults
  int height = 0;
  int textTransform = 0;
  int padding = 2;
  int spacing = 0;
  int linkKind = 0;  // 0 none, 1 href, 2 msg
  std::u16string linkTarget;
  int linkNumber = -1;  // the "a" element the style belongs to
};

// Sets every field that has a default back to it; width and height stay.
void ResetStyle(MarkupStyle& style);

enum class BorderStyle : int { None = 0, Solid = 1, Dashed = 2, Dotted = 3, Double = 6 };

// Sizes: "%" of the current value, px ex em in cm mm pt pc, or a bare C number
// (1 to 7 are the HTML font sizes with `fontSize`). The canvas supplies the
// resolution and font metrics; without one 96 dpi and no font are assumed.
int ParseSize(std::u16string_view text, int current, bool fontSize, MarkupCanvas* canvas);
// "#rrggbb", a C number taken as a COLORREF, or a name through `lookup`.
Color ParseColor(std::u16string_view text, Color current,
                 const std::function<std::optional<Color>(std::u16string_view)>& lookup);
int ParseFontStyle(std::u16string_view text, int current);
int ParseFontWeight(std::u16string_view text);
int ParseHAlign(std::u16string_view text, int current);
int ParseVAlign(std::u16string_view text, int current);
int ParseTextTransform(std::u16string_view text, int current);
int ParseBorderStyle(std::u16string_view text, int current);
int ParseBorderWidth(std::u16string_view text, int current, MarkupCanvas* canvas);
int ParseEffect(std::u16string_view text, int current, MarkupCanvas* canvas);
void ParseTextDecoration(std::u16string_view text, MarkupStyle& style);
void ParseFontLetters(std::u16string_view text, MarkupStyle& style);
bool IsPercent(std::u16string_view text);
// A C-notation unsigned number at the start of the text (decimal, 0x hex, 0 octal), saturated.
unsigned long long ParseCNumber(std::u16string_view text);

}  // namespace markup
