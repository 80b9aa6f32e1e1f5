#include "MarkupVocabulary.h"

#include <array>
#include <utility>

namespace markup {
namespace {

struct NamedColor {
  const char16_t* name;
  Color value;
};

// The HTML named colours (with "lightgrey", without the "grey" spellings); darkseagreen
// keeps the value #8FBC8B that the program has always shown.
constexpr NamedColor kNamedColors[] = {
    {u"aliceblue", Rgb(240, 248, 255)}, {u"antiquewhite", Rgb(250, 235, 215)}, {u"aqua", Rgb(0, 255, 255)},
    {u"aquamarine", Rgb(127, 255, 212)}, {u"azure", Rgb(240, 255, 255)}, {u"beige", Rgb(245, 245, 220)},
    {u"bisque", Rgb(255, 228, 196)}, {u"black", Rgb(0, 0, 0)}, {u"blanchedalmond", Rgb(255, 235, 205)},
    {u"blue", Rgb(0, 0, 255)}, {u"blueviolet", Rgb(138, 43, 226)}, {u"brown", Rgb(165, 42, 42)},
    {u"burlywood", Rgb(222, 184, 135)}, {u"cadetblue", Rgb(95, 158, 160)}, {u"chartreuse", Rgb(127, 255, 0)},
    {u"chocolate", Rgb(210, 105, 30)}, {u"coral", Rgb(255, 127, 80)}, {u"cornflowerblue", Rgb(100, 149, 237)},
    {u"cornsilk", Rgb(255, 248, 220)}, {u"crimson", Rgb(220, 20, 60)}, {u"cyan", Rgb(0, 255, 255)},
    {u"darkblue", Rgb(0, 0, 139)}, {u"darkcyan", Rgb(0, 139, 139)}, {u"darkgoldenrod", Rgb(184, 134, 11)},
    {u"darkgray", Rgb(169, 169, 169)}, {u"darkgreen", Rgb(0, 100, 0)}, {u"darkkhaki", Rgb(189, 183, 107)},
    {u"darkmagenta", Rgb(139, 0, 139)}, {u"darkolivegreen", Rgb(85, 107, 47)}, {u"darkorange", Rgb(255, 140, 0)},
    {u"darkorchid", Rgb(153, 50, 204)}, {u"darkred", Rgb(139, 0, 0)}, {u"darksalmon", Rgb(233, 150, 122)},
    {u"darkseagreen", Rgb(143, 188, 139)}, {u"darkslateblue", Rgb(72, 61, 139)},
    {u"darkslategray", Rgb(47, 79, 79)}, {u"darkturquoise", Rgb(0, 206, 209)}, {u"darkviolet", Rgb(148, 0, 211)},
    {u"deeppink", Rgb(255, 20, 147)}, {u"deepskyblue", Rgb(0, 191, 255)}, {u"dimgray", Rgb(105, 105, 105)},
    {u"dodgerblue", Rgb(30, 144, 255)}, {u"firebrick", Rgb(178, 34, 34)}, {u"floralwhite", Rgb(255, 250, 240)},
    {u"forestgreen", Rgb(34, 139, 34)}, {u"fuchsia", Rgb(255, 0, 255)}, {u"gainsboro", Rgb(220, 220, 220)},
    {u"ghostwhite", Rgb(248, 248, 255)}, {u"gold", Rgb(255, 215, 0)}, {u"goldenrod", Rgb(218, 165, 32)},
    {u"gray", Rgb(128, 128, 128)}, {u"green", Rgb(0, 128, 0)}, {u"greenyellow", Rgb(173, 255, 47)},
    {u"honeydew", Rgb(240, 255, 240)}, {u"hotpink", Rgb(255, 105, 180)}, {u"indianred", Rgb(205, 92, 92)},
    {u"indigo", Rgb(75, 0, 130)}, {u"ivory", Rgb(255, 255, 240)}, {u"khaki", Rgb(240, 230, 140)},
    {u"lavender", Rgb(230, 230, 250)}, {u"lavenderblush", Rgb(255, 240, 245)}, {u"lawngreen", Rgb(124, 252, 0)},
    {u"lemonchiffon", Rgb(255, 250, 205)}, {u"lightblue", Rgb(173, 216, 230)}, {u"lightcoral", Rgb(240, 128, 128)},
    {u"lightcyan", Rgb(224, 255, 255)}, {u"lightgoldenrodyellow", Rgb(250, 250, 210)},
    {u"lightgreen", Rgb(144, 238, 144)}, {u"lightgrey", Rgb(211, 211, 211)}, {u"lightpink", Rgb(255, 182, 193)},
    {u"lightsalmon", Rgb(255, 160, 122)}, {u"lightseagreen", Rgb(32, 178, 170)},
    {u"lightskyblue", Rgb(135, 206, 250)}, {u"lightslategray", Rgb(119, 136, 153)},
    {u"lightsteelblue", Rgb(176, 196, 222)}, {u"lightyellow", Rgb(255, 255, 224)}, {u"lime", Rgb(0, 255, 0)},
    {u"limegreen", Rgb(50, 205, 50)}, {u"linen", Rgb(250, 240, 230)}, {u"magenta", Rgb(255, 0, 255)},
    {u"maroon", Rgb(128, 0, 0)}, {u"mediumaquamarine", Rgb(102, 205, 170)}, {u"mediumblue", Rgb(0, 0, 205)},
    {u"mediumorchid", Rgb(186, 85, 211)}, {u"mediumpurple", Rgb(147, 112, 219)},
    {u"mediumseagreen", Rgb(60, 179, 113)}, {u"mediumslateblue", Rgb(123, 104, 238)},
    {u"mediumspringgreen", Rgb(0, 250, 154)}, {u"mediumturquoise", Rgb(72, 209, 204)},
    {u"mediumvioletred", Rgb(199, 21, 133)}, {u"midnightblue", Rgb(25, 25, 112)}, {u"mintcream", Rgb(245, 255, 250)},
    {u"mistyrose", Rgb(255, 228, 225)}, {u"moccasin", Rgb(255, 228, 181)}, {u"navajowhite", Rgb(255, 222, 173)},
    {u"navy", Rgb(0, 0, 128)}, {u"oldlace", Rgb(253, 245, 230)}, {u"olive", Rgb(128, 128, 0)},
    {u"olivedrab", Rgb(107, 142, 35)}, {u"orange", Rgb(255, 165, 0)}, {u"orangered", Rgb(255, 69, 0)},
    {u"orchid", Rgb(218, 112, 214)}, {u"palegoldenrod", Rgb(238, 232, 170)}, {u"palegreen", Rgb(152, 251, 152)},
    {u"paleturquoise", Rgb(175, 238, 238)}, {u"palevioletred", Rgb(219, 112, 147)},
    {u"papayawhip", Rgb(255, 239, 213)}, {u"peachpuff", Rgb(255, 218, 185)}, {u"peru", Rgb(205, 133, 63)},
    {u"pink", Rgb(255, 192, 203)}, {u"plum", Rgb(221, 160, 221)}, {u"powderblue", Rgb(176, 224, 230)},
    {u"purple", Rgb(128, 0, 128)}, {u"red", Rgb(255, 0, 0)}, {u"rosybrown", Rgb(188, 143, 143)},
    {u"royalblue", Rgb(65, 105, 225)}, {u"saddlebrown", Rgb(139, 69, 19)}, {u"salmon", Rgb(250, 128, 114)},
    {u"sandybrown", Rgb(244, 164, 96)}, {u"seagreen", Rgb(46, 139, 87)}, {u"seashell", Rgb(255, 245, 238)},
    {u"sienna", Rgb(160, 82, 45)}, {u"silver", Rgb(192, 192, 192)}, {u"skyblue", Rgb(135, 206, 235)},
    {u"slateblue", Rgb(106, 90, 205)}, {u"slategray", Rgb(112, 128, 144)}, {u"snow", Rgb(255, 250, 250)},
    {u"springgreen", Rgb(0, 255, 127)}, {u"steelblue", Rgb(70, 130, 180)}, {u"tan", Rgb(210, 180, 140)},
    {u"teal", Rgb(0, 128, 128)}, {u"thistle", Rgb(216, 191, 216)}, {u"tomato", Rgb(255, 99, 71)},
    {u"turquoise", Rgb(64, 224, 208)}, {u"violet", Rgb(238, 130, 238)}, {u"wheat", Rgb(245, 222, 179)},
    {u"white", Rgb(255, 255, 255)}, {u"whitesmoke", Rgb(245, 245, 245)}, {u"yellow", Rgb(255, 255, 0)},
    {u"yellowgreen", Rgb(154, 205, 50)},
};
static_assert(std::size(kNamedColors) == 140);

// Win32 COLOR_* indexes.
constexpr std::pair<const char16_t*, int> kSystemColorNames[] = {
    {u"activeborder", 10}, {u"activecaption", 2}, {u"appworkspace", 12}, {u"background", 1},
    {u"buttonface", 15}, {u"buttonhighlight", 20}, {u"buttonshadow", 16}, {u"buttontext", 18},
    {u"captiontext", 9}, {u"graytext", 17}, {u"highlight", 13}, {u"highlighttext", 14},
    {u"inactiveborder", 11}, {u"inactivecaption", 3}, {u"inactivecaptiontext", 19}, {u"infobackground", 24},
    {u"infotext", 23}, {u"menu", 4}, {u"menutext", 7}, {u"scrollbar", 0},
    {u"threeddarkshadow", 21}, {u"threedface", 15}, {u"threedhighlight", 20}, {u"threedlightshadow", 22},
    {u"threedshadow", 16}, {u"window", 5}, {u"windowframe", 6}, {u"windowtext", 8},
};
static_assert(std::size(kSystemColorNames) == 28);

}  // namespace

Color ClassicSystemColor(int index) {
  static constexpr Color kClassic[] = {
      Rgb(212, 208, 200), Rgb(58, 110, 165), Rgb(10, 36, 106), Rgb(128, 128, 128), Rgb(212, 208, 200),
      Rgb(255, 255, 255), Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(255, 255, 255),
      Rgb(212, 208, 200), Rgb(212, 208, 200), Rgb(128, 128, 128), Rgb(10, 36, 106), Rgb(255, 255, 255),
      Rgb(212, 208, 200), Rgb(128, 128, 128), Rgb(128, 128, 128), Rgb(0, 0, 0), Rgb(212, 208, 200),
      Rgb(255, 255, 255), Rgb(64, 64, 64), Rgb(212, 208, 200), Rgb(0, 0, 0), Rgb(255, 255, 225),
  };
  return index >= 0 && index < static_cast<int>(std::size(kClassic)) ? kClassic[index] : 0;
}

TagTable MakeTagTable() {
  TagTable tags;
  auto add = [&](const char16_t* name, int id, const char16_t* value) { tags[name] = MarkupTag{id, value}; };
  add(u"b", kTagBold, u"bold");
  add(u"i", kTagItalic, u"italic");
  add(u"em", kTagItalic, u"italic");
  add(u"u", kTagUnderline, u"underline");
  add(u"s", kTagStrikeOut, u"strikeout");
  add(u"strike", kTagStrikeOut, u"strikeout");
  add(u"font", kTagFont, u"font");
  add(u"hr", kTagRule, u"");
  add(u"br", kTagBreak, u"");
  add(u"\n", kTagBreak, u"");
  add(u"t", kTagTab, u"");
  add(u"\t", kTagTab, u"");
  add(u"left", kTagLeft, u"left");
  add(u"center", kTagCenter, u"center");
  add(u"right", kTagRight, u"right");
  add(u"justify", kTagJustify, u"justify");
  add(u"baseline", kTagBaseline, u"baseline");
  add(u"top", kTagTop, u"top");
  add(u"vcenter", kTagVCenter, u"vcenter");
  add(u"middle", kTagVCenter, u"vcenter");
  add(u"bottom", kTagBottom, u"vcenter");
  add(u"bmp", kTagBitmap, u"");
  add(u"icon", kTagIcon, u"");
  add(u"ilst", kTagImageStrip, u"");
  add(u"string", kTagString, u"");
  for (const char16_t* name : {u"body", u"h1", u"h2", u"h3", u"h4", u"h5", u"h6", u"code", u"pre", u"big",
                               u"small", u"sub", u"sup"}) {
    add(name, kTagStyleRule, name);
  }
  add(u"span", kTagSpan, u"span");
  add(u"a", kTagLink, u"link");
  return tags;
}

EntityTable MakeEntityTable() {
  return EntityTable{
      {u"&amp;", u"&"},       {u"&bull;", u"\u2022"}, {u"&copy;", u"\u00A9"},  {u"&euro;", u"\u20AC"},
      {u"&gt;", u">"},        {u"&iquest;", u"\u00BF"}, {u"&lt;", u"<<"},       {u"&nbsp;", u" "},
      {u"&para;", u"\u00B6"}, {u"&pound;", u"\u00A3"}, {u"&quot;", u"\""},      {u"&reg;", u"\u00AE"},
      {u"&trade;", u"\u2122"},
  };
}

ColorTable MakeColorTable(SystemColorSource systemColor) {
  ColorTable colors;
  for (const NamedColor& named : kNamedColors) colors[named.name] = named.value;
  for (const auto& [name, index] : kSystemColorNames) colors[name] = systemColor(index);
  return colors;
}

bool StartsWithEntity(std::u16string_view text) {
  static const EntityTable entities = MakeEntityTable();
  for (const auto& [name, replacement] : entities) {
    if (text.starts_with(name)) return true;
  }
  return false;
}

std::u16string ExpandText(std::u16string text, const EntityTable& entities, bool newlineMode) {
  for (const auto& [name, replacement] : entities) {
    std::u16string expanded;
    size_t pos = 0;
    while (true) {
      size_t found = text.find(name, pos);
      if (found == std::u16string::npos) break;
      expanded.append(text, pos, found - pos);
      expanded += replacement;
      pos = found + name.size();
    }
    if (pos == 0) continue;
    expanded.append(text, pos, std::u16string::npos);
    text = std::move(expanded);
  }
  std::u16string result;
  result.reserve(text.size());
  for (char16_t c : text) {
    if (c == u'\r') continue;
    if (c == u'\n' || c == u'\t') {
      if (newlineMode) result += c == u'\n' ? u"<br>" : u"<t>";
      continue;
    }
    result += c;
  }
  return result;
}

}  // namespace markup
