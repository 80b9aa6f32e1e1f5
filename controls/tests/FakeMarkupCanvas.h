// A canvas with fixed metrics for layout tests and the fuzz target: every
// character is 10 pixels wide, a line is as high as the font size, and every
// drawing call is recorded.
#pragma once

#include <string>
#include <vector>

#include "MarkupCanvas.h"

namespace markup::testing {

struct DrawnText {
  int x = 0, y = 0;
  std::u16string text;
  MarkupFont font;
};

struct DrawnLine {
  int x1, y1, x2, y2;
  Color color;
  int type, width;
};

struct DrawnFill {
  int effect;
  Rect rect;
  Color c1;
};

struct DrawnFrame {
  Rect rect;
  Color topLeft, bottomRight;
  int type, width;
};

class FakeMarkupCanvas : public MarkupCanvas {
 public:
  static constexpr int kCharWidth = 10;
  // Characters passed to TextExtent: the work of laying text out.
  long long measuredCharacters = 0;

  void BeginPass() override { ++passes; }
  void EndPass() override {}
  void SelectFont(const MarkupFont& selected) override {
    font = selected;
    fonts.push_back(selected);
  }
  MarkupTextMetrics Metrics() override { return {font.size, font.size - font.size / 4}; }
  Size TextExtent(std::u16string_view text) override {
    measuredCharacters += static_cast<long long>(text.size());
    int width = static_cast<int>(text.size()) * kCharWidth;
    if (justifyBreaks > 0) {
      int blanks = 0;
      for (char16_t c : text) blanks += c == u' ';
      width += justifyExtra * blanks / justifyBreaks;
    }
    return {width, font.size};
  }
  int LogPixelsY() override { return 96; }
  void SetTextColors(int, Color text, Color) override { textColor = text; }
  void SetJustification(int extra, int breaks) override {
    justifyExtra = extra;
    justifyBreaks = breaks;
  }
  void DrawTextAt(int x, int y, std::u16string_view text) override { texts.push_back({x, y, std::u16string(text), font}); }
  void FillEffect(int effect, const Rect& rect, Color c1, Color, Color, int, int) override {
    fills.push_back({effect, rect, c1});
  }
  void DrawFrame(const Rect& rect, Color topLeft, Color bottomRight, int type, int width) override {
    if (type != 0 && width > 0) frames.push_back({rect, topLeft, bottomRight, type, width});
  }
  void DrawLine(int x1, int y1, int x2, int y2, Color color, int type, int width) override {
    lines.push_back({x1, y1, x2, y2, color, type, width});
  }
  void TileBackgroundImage(const Rect&, MarkupBackgroundSource, int, const std::u16string&) override {}

  // Images: a "handle" names a bitmap or icon of 16 x 16 pixels, or a strip of
  // 16 x 160 when the handle is 0x160.
  MarkupImage LoadBitmapImage(const MarkupImageSource& source) override {
    if (source.handle == 0) return {};
    return {source.handle, 16, source.handle == 0x160 ? 160 : 16, false};
  }
  MarkupImage LoadIconImage(const MarkupImageSource& source, int width, int height) override {
    iconRequests.push_back({width, height});
    return source.handle ? MarkupImage{source.handle, width, height, false} : MarkupImage{};
  }
  int ImageListCount(uintptr_t) override { return 0; }
  MarkupImage ImageListIcon(uintptr_t, int) override { return {}; }
  void ReleaseImage(const MarkupImage&, bool) override {}
  void DrawBitmap(const MarkupImage&, const MarkupImageDraw& how) override { images.push_back(how); }
  void DrawIcon(const MarkupImage&, const MarkupImageDraw& how) override { images.push_back(how); }
  void DrawStripImage(const MarkupImage&, int, int, int, const MarkupImageDraw& how) override { images.push_back(how); }
  std::u16string LoadStringResource(int id) override { return id == 7 ? u"seven" : u""; }
  Size SystemIconSize() override { return {32, 32}; }

  void ClearRecords() {
    texts.clear();
    lines.clear();
    fills.clear();
    frames.clear();
    images.clear();
    fonts.clear();
  }

  MarkupFont font;
  Color textColor = 0;
  int justifyExtra = 0, justifyBreaks = 0;
  int passes = 0;
  std::vector<DrawnText> texts;
  std::vector<DrawnLine> lines;
  std::vector<DrawnFill> fills;
  std::vector<DrawnFrame> frames;
  std::vector<MarkupImageDraw> images;
  std::vector<MarkupFont> fonts;
  std::vector<Size> iconRequests;
};

}  // namespace markup::testing
