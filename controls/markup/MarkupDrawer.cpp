#include "MarkupDrawer.h"

#include "MarkupScan.h"

namespace markup {

CMarkupDrawer::CMarkupDrawer(SystemColorSource systemColor)
    : disabledColor_(systemColor(16 /* COLOR_BTNSHADOW */)),
      colors_(MakeColorTable(systemColor)),
      entities_(MakeEntityTable()),
      tags_(MakeTagTable()) {
  SetImageShadow(4, 4, 50, true, 7, 7);
}

void CMarkupDrawer::SetImageList(uintptr_t list, int imageWidth, int imageHeight) {
  imageList_ = list;
  imageListWidth_ = Clamp(imageWidth, 0, limits::kMaxBoxSize);
  imageListHeight_ = Clamp(imageHeight, 0, limits::kMaxBoxSize);
}

int CMarkupDrawer::SetImageShadow(int offsetX, int offsetY, int darknessPercent, bool soft, int blurWidth,
                                  int blurHeight) {
  shadow_.offsetX = Clamp(offsetX, -64, 64);
  shadow_.offsetY = Clamp(offsetY, -64, 64);
  shadow_.darkness = Clamp(darknessPercent & 0xFF, 0, 100);
  shadow_.soft = soft;
  shadow_.blurWidth = Clamp(blurWidth, 0, 64);
  shadow_.blurHeight = Clamp(blurHeight, 0, 64);
  int grey = MulDiv(255, 100 - shadow_.darkness, 100);
  shadow_.color = Rgb(grey, grey, grey);
  return grey;
}

void CMarkupDrawer::SetStyleSheet(const std::u16string* text) {
  if (text == nullptr) {
    styleSheet_.SetDefault();
  } else {
    styleSheet_.Set(*text);
  }
}

Size CMarkupDrawer::PrepareOutput(MarkupCanvas& canvas, std::u16string_view text) {
  canvas_ = &canvas;
  canvas.SetJustification(0, 0);
  prepared_ = ExpandText(std::u16string(text), entities_, newlineMode_);
  if (prepared_.empty()) return {};
  measuring_ = true;
  tableLayouts_.clear();
  Size size = LayoutText(Rect{0, 0, maximumWidth_, 0});
  if (size.cx == 0 && size.cy == 0) prepared_.clear();
  if (maximumWidth_ != 0 && maximumWidth_ < size.cx) size.cx = maximumWidth_;
  return Size{size.cx + 1, size.cy + 1};
}

void CMarkupDrawer::DrawPreparedOutput(MarkupCanvas& canvas, const Rect& rect) {
  if (prepared_.empty()) return;
  canvas_ = &canvas;
  measuring_ = false;
  LayoutText(rect);
}

Size CMarkupDrawer::LayoutText(const Rect& rect) {
  // Every pass starts its hot areas afresh: areas of an earlier paint would grow
  // without end and win hit tests after the layout changed.
  hotAreas_.clear();
  if (measuring_) {
    lines_.clear();
    animations_.clear();
  }
  lineIndex_ = 0;
  tableIndex_ = -1;
  tableDepth_ = 0;
  linkCounter_ = -1;
  animationCounter_ = -1;
  styleStack_.clear();
  ResetStyle(style_);
  ApplyStyleRule(u"body", style_);

  canvas_->BeginPass();
  SelectStyleFont();

  Rect block = rect;
  Size total;
  auto account = [&](Size size) {
    total.cx = std::max(total.cx, size.cx);
    total.cy = SaturatingAdd(total.cy, size.cy);
    if (!measuring_) block.top = SaturatingAdd(block.top, size.cy);
  };
  std::u16string_view text = prepared_;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t tableStart = pos;
    bool hasTable = FindMarkupTag(text, u"table", tableStart);
    if (tableStart > pos) account(DrawTextRun(text.substr(pos, tableStart - pos), block));
    if (!hasTable) break;
    // The closing "</table" starts the next run, which passes over it as an unknown tag.
    size_t tableEnd = FindTableEnd(text, tableStart);
    account(DrawTable(text.substr(tableStart, tableEnd - tableStart), block));
    pos = tableEnd;
  }

  canvas_->EndPass();
  styleStack_.clear();
  return total;
}

bool CMarkupDrawer::PushPopStyle(bool closing) {
  if (!closing) {
    if (styleStack_.size() >= limits::kMaxStyleDepth) return false;
    styleStack_.push_back(style_);
    return true;
  }
  bool matched = !styleStack_.empty() && styleStack_.back().name == style_.name;
  if (matched) {
    style_ = std::move(styleStack_.back());
    styleStack_.pop_back();
  }
  style_.name.clear();
  return matched;
}

void CMarkupDrawer::SelectStyleFont() {
  MarkupFont font;
  font.size = Clamp(style_.size, 1, limits::kMaxFontSize);
  font.weight = Clamp(style_.weight, 0, 1000);
  font.italic = style_.italic != 0;
  font.underline = style_.underline != 0;
  font.strikeOut = style_.strikeOut != 0;
  font.face = style_.face;
  canvas_->SelectFont(font);
  metrics_ = canvas_->Metrics();
  canvas_->SetTextColors(style_.backgroundMode, style_.textColor, style_.backgroundColor);
}

int CMarkupDrawer::HitTest(Point point) const {
  for (size_t i = 0; i < hotAreas_.size(); ++i) {
    const MarkupHotArea& area = hotAreas_[i];
    if (Rect{area.left, area.top, area.right, area.bottom}.ContainsInclusive(point)) return static_cast<int>(i);
  }
  return -1;
}

bool CMarkupDrawer::OnMouseOver(Point point) {
  int hit = HitTest(point);
  if (hit >= 0) {
    const MarkupHotArea& area = hotAreas_[hit];
    if (area.linkNumber != hotLink_) {
      hotLink_ = area.linkNumber;
      if (linkSink_) linkSink_->OnHotLinkChanged(hotLink_);
    }
    return !area.target.empty() && linkSink_ && linkSink_->ShowLinkCursor();
  }
  if (hotLink_ != -2) {
    hotLink_ = -2;
    if (linkSink_) linkSink_->OnHotLinkChanged(-2);
  }
  return false;
}

void CMarkupDrawer::OnClick(Point point) {
  int hit = HitTest(point);
  if (hit < 0 || linkSink_ == nullptr) return;
  const MarkupHotArea area = hotAreas_[hit];  // the sink may repaint and refill the areas
  if (area.target.empty()) return;
  if (area.kind == 1) linkSink_->OpenUrl(area.target);
  if (area.kind == 2) linkSink_->OnLinkMessage(area.target);
}

int CMarkupDrawer::ParseSize(std::u16string_view text, int current, bool fontSize) {
  return markup::ParseSize(text, current, fontSize, canvas_);
}

Color CMarkupDrawer::GetColorByName(std::u16string_view name, Color fallback) const {
  if (!enabled_) return disabledColor_;
  auto found = colors_.find(std::u16string(name));
  return found == colors_.end() ? fallback : found->second;
}

Color CMarkupDrawer::ParseColor(std::u16string_view text, Color current) {
  return markup::ParseColor(text, current, [this](std::u16string_view name) -> std::optional<Color> {
    if (!enabled_) return disabledColor_;
    auto found = colors_.find(std::u16string(name));
    if (found == colors_.end()) return std::nullopt;
    return found->second;
  });
}

void CMarkupDrawer::ApplyStyleRule(std::u16string_view selector, MarkupStyle& style) {
  if (const std::u16string* declarations = styleSheet_.FindRule(selector)) {
    std::u16string copy = *declarations;  // the sheet stays untouched while applying
    ApplyDeclarations(copy, style);
  }
}

void CMarkupDrawer::ApplyDeclarations(std::u16string_view declarations, MarkupStyle& style) {
  const std::u16string text = ToLower(declarations);
  std::u16string_view view = text;
  size_t pos = 0;
  while (SkipToWordChar(view, pos)) {
    size_t nameStart = pos;
    FindAnyOf(view, pos, u" :");
    std::u16string property(view.substr(nameStart, pos - nameStart));
    std::u16string value = NextDeclarationValue(view, pos);
    if (property == u"font-size") {
      style.size = ParseSize(value, style.size, true);
    } else if (property == u"font-family") {
      if (!value.empty()) style.face = value;
    } else if (property == u"font-style") {
      style.italic = ParseFontStyle(value, style.italic);
    } else if (property == u"font-weight") {
      style.weight = ParseFontWeight(value);
    } else if (property == u"text-align") {
      style.horizontalAlign = ParseHAlign(value, style.horizontalAlign);
    } else if (property == u"text-transform") {
      style.textTransform = ParseTextTransform(value, style.textTransform);
    } else if (property == u"color") {
      style.textColor = enabled_ ? ParseColor(value, style.textColor) : disabledColor_;
    } else if (property == u"background-color") {
      if (value.empty() || value == u"transparent" || !enabled_) {
        style.backgroundMode = 1;
      } else {
        style.backgroundMode = 2;
        style.backgroundColor = ParseColor(value, style.backgroundColor);
      }
    } else if (property == u"text-decoration") {
      ParseTextDecoration(value, style);
    } else if (property == u"vertical-align") {
      style.verticalAlign = ParseVAlign(value, style.verticalAlign);
    } else if (property == u"border-color") {
      style.borderLight = style.borderDark = enabled_ ? ParseColor(value, style.borderLight) : disabledColor_;
    } else if (property == u"border-width" || property == u"size") {
      style.borderWidth = ParseBorderWidth(value, style.borderWidth, canvas_);
      if (style.borderWidth == 0) {
        style.borderStyle = 0;
      } else if (style.borderStyle == 0) {
        style.borderStyle = 1;
      }
    } else if (property == u"border-style") {
      style.borderStyle = ParseBorderStyle(value, style.borderStyle);
      if (style.borderStyle != 0 && style.borderWidth == 0) style.borderWidth = 1;
    } else if (property == u"margin") {
      style.padding = Clamp(ParseSize(value, style.padding), 0, limits::kMaxCellPadding);
    } else if (property == u"padding") {
      style.spacing = Clamp(ParseSize(value, style.spacing), 0, limits::kMaxCellPadding);
    }
  }
}

int CMarkupDrawer::ParseImageStyle(std::u16string_view text) const {
  int bits = 0;
  for (char16_t c : text) {
    if (c == u'g') bits |= 0x0001;
    if (c == u'd') bits |= 0x0002;
    if (c == u'l') bits |= 0x0004;
    if (c == u's' && (shadow_.offsetX != 0 || shadow_.offsetY != 0)) bits |= shadow_.soft ? 0x0200 : 0x0100;
  }
  return bits;
}

}  // namespace markup
