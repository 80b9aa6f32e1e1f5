// Lays out and paints HTML-like markup on a canvas in two passes: a measuring
// pass that sizes the text and records line and table geometry, and a drawing
// pass that paints into a rectangle with that geometry. Drawn links become hot
// areas for hit tests, hover tracking and clicks.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "MarkupCanvas.h"
#include "MarkupLayoutRecords.h"
#include "MarkupStyle.h"
#include "MarkupStyleSheet.h"
#include "MarkupVocabulary.h"

namespace markup {

// What a drawer reports about its links; the Windows side sends window messages.
class MarkupLinkSink {
 public:
  virtual ~MarkupLinkSink() = default;
  virtual void OnHotLinkChanged(int linkNumber) = 0;  // -2: the mouse left all links
  virtual void OnLinkMessage(const std::u16string& target) = 0;
  virtual void OpenUrl(const std::u16string& target) = 0;
  // Shows the link cursor; false when there is none.
  virtual bool ShowLinkCursor() = 0;
};

struct MarkupImageShadow {
  bool soft = true;
  int offsetX = 4, offsetY = 4;
  int blurWidth = 7, blurHeight = 7;
  int darkness = 50;
  Color color = Rgb(128, 128, 128);
};

class CMarkupDrawer {
 public:
  explicit CMarkupDrawer(SystemColorSource systemColor = ClassicSystemColor);
  virtual ~CMarkupDrawer() = default;
  CMarkupDrawer(const CMarkupDrawer&) = delete;
  CMarkupDrawer& operator=(const CMarkupDrawer&) = delete;

  // Settings.
  void SetLinkSink(MarkupLinkSink* sink) { linkSink_ = sink; }
  void SetEnabled(bool enabled) { enabled_ = enabled; }
  void SetDisabledColor(Color color) { disabledColor_ = color; }
  void SetNewlineMode(bool on) { newlineMode_ = on; }
  void SetMaximumWidth(int width) { maximumWidth_ = Clamp(width, 0, limits::kMaxBoxSize); }
  void SetImageList(uintptr_t list, int imageWidth, int imageHeight);
  int SetImageShadow(int offsetX, int offsetY, int darknessPercent, bool soft, int blurWidth, int blurHeight);
  void SetStyleSheet(const std::u16string* text);
  void SetDefaultStyleSheet() { styleSheet_.SetDefault(); }
  const MarkupStyleSheet& StyleSheet() const { return styleSheet_; }

  // Passes.
  Size PrepareOutput(MarkupCanvas& canvas, std::u16string_view text);
  void DrawPreparedOutput(MarkupCanvas& canvas, const Rect& rect);
  const std::u16string& PreparedText() const { return prepared_; }

  // Links.
  int HitTest(Point point) const;
  bool OnMouseOver(Point point);
  void OnClick(Point point);
  const std::vector<MarkupHotArea>& HotAreas() const { return hotAreas_; }
  const std::vector<MarkupLine>& LineRecords() const { return lines_; }
  const std::vector<MarkupTableLayout>& TableLayouts() const { return tableLayouts_; }
  std::vector<MarkupAnimation>& Animations() { return animations_; }

  // Value parsing as tags and declarations see it (colour names follow the
  // enabled state; sizes use the canvas of the pass, 96 dpi outside one).
  int ParseSize(std::u16string_view text, int current, bool fontSize = false);
  Color ParseColor(std::u16string_view text, Color current);
  Color GetColorByName(std::u16string_view name, Color fallback) const;
  void ApplyDeclarations(std::u16string_view declarations, MarkupStyle& style);
  void ApplyStyleRule(std::u16string_view selector, MarkupStyle& style);
  int ParseImageStyle(std::u16string_view text) const;

 private:
  Size LayoutText(const Rect& rect);
  bool PushPopStyle(bool closing);
  void SelectStyleFont();
  bool Measuring() const { return measuring_; }

  // Plain runs (MarkupRuns.cpp).
  Size DrawTextRun(std::u16string_view run, const Rect& rect);
  void PlaceChunk(std::u16string chunk);
  void HandleTag(std::u16string_view tagText);
  int RepeatCount(std::u16string_view params);
  void ApplyElement(int id, std::u16string_view params);
  void ApplyFontAttributes(std::u16string_view params);
  void ApplyLinkAttributes(std::u16string_view params);
  void DrawRule(std::u16string_view params);
  void DrawStringResource(std::u16string_view params);
  int StartLine(int x);
  void NewLine(int count);
  int PlaceText(int lineTop, int textHeight);
  int PlaceImage(int lineTop, int imageHeight);
  void Tab(int count);
  size_t MeasureWindow(std::u16string_view rest, int room, Size& size);
  std::u16string WrapText(std::u16string_view rest, size_t window, int room, int& partWidth, size_t& consumed);
  void AddHotArea(const Rect& rect);
  bool NothingPlacedOnLine() const { return x_ == lineStartX_; }

  // Images (MarkupImages.cpp).
  void DrawImageTag(int id, std::u16string_view params);
  MarkupImageParams ParseImageAttributes(std::u16string_view params);
  void PlaceImageSpace(int spaceWidth, int spaceHeight, int& top);
  MarkupImageDraw ImageDrawArguments(const MarkupImageParams& params, int top, int width, int height, bool shadow) const;

  // Tables (MarkupTables.cpp).
  Size DrawTable(std::u16string_view table, const Rect& rect);
  void DrawTableRow(std::u16string_view row, const Rect& inner, MarkupTableLayout& layout, int rowNumber);
  void DrawTableCell(std::u16string_view cell, const Rect& rect, MarkupCell* record);
  std::pair<int, int> ParseBoxAttributes(std::u16string_view params, MarkupStyle& style, bool table);
  std::pair<int, int> GetTableSize(std::u16string_view table);
  void CloseElement(const char16_t* name);
  void DrawBackgroundImage(const Rect& rect, std::u16string_view backgroundValue);

  MarkupCanvas* canvas_ = nullptr;
  MarkupLinkSink* linkSink_ = nullptr;

  std::vector<MarkupTableLayout> tableLayouts_;
  int tableIndex_ = -1;
  int tableDepth_ = 0;

  MarkupStyle style_;
  MarkupLine line_;
  MarkupTextMetrics metrics_;

  uintptr_t imageList_ = 0;
  int imageListWidth_ = 0, imageListHeight_ = 0;

  bool enabled_ = true;
  Color disabledColor_;
  Rect output_;
  std::u16string prepared_;
  bool measuring_ = true;
  int tabWidth_ = 32;
  int maximumWidth_ = 0;
  int lineIndex_ = 0;
  int hotLink_ = -2;
  int linkCounter_ = -1;
  int animationCounter_ = -1;
  bool newlineMode_ = true;
  MarkupImageShadow shadow_;

  // Working state of the run being laid out.
  int x_ = 0, y_ = 0;
  int lineStartX_ = 0;
  int runLargestWidth_ = 0;
  int remainingWidth_ = 0;
  int remainingBlanks_ = 0;

  MarkupStyleSheet styleSheet_;
  std::vector<MarkupLine> lines_;
  std::vector<MarkupStyle> styleStack_;
  std::vector<MarkupHotArea> hotAreas_;
  std::vector<MarkupAnimation> animations_;

  ColorTable colors_;
  EntityTable entities_;
  TagTable tags_;
};

}  // namespace markup
