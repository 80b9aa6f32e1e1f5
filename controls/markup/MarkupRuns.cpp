// Plain runs: text chunks and tags of a stretch without tables, broken into
// lines, aligned, justified and drawn; links record their hot areas here.
#include "MarkupDrawer.h"
#include "MarkupScan.h"

namespace markup {
namespace {

constexpr std::u16string_view kBreakCharacters = u" -.,!:;)}]?";

void TransformText(std::u16string& text, int transform) {
  if (transform == 0) return;
  for (char16_t& c : text) {
    if (transform == 1 && c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    if (transform >= 2 && c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  }
  if (transform == 3) {
    for (size_t i = 0; i < text.size(); ++i) {
      if ((i == 0 || text[i - 1] == u' ') && text[i] >= u'a' && text[i] <= u'z') {
        text[i] = static_cast<char16_t>(text[i] - u'a' + u'A');
      }
    }
  }
}

void TrimBlanks(std::u16string& text, bool atEnd) {
  if (atEnd) {
    while (!text.empty() && text.back() == u' ') text.pop_back();
  } else {
    size_t first = text.find_first_not_of(u' ');
    text.erase(0, first == std::u16string::npos ? text.size() : first);
  }
}

int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

}  // namespace

Size CMarkupDrawer::DrawTextRun(std::u16string_view run, const Rect& rect) {
  std::u16string text = u"<body>";
  text += run;
  text += u"</body>";
  output_ = rect;
  y_ = rect.top;
  runLargestWidth_ = 0;
  const int firstLine = lineIndex_;
  x_ = StartLine(rect.left);

  size_t pos = 0;
  std::u16string tag;
  while (pos < text.size()) {
    std::u16string chunk = NextTextChunk(text, pos, tag);
    if (!chunk.empty()) PlaceChunk(std::move(chunk));
    if (!tag.empty()) HandleTag(tag);
  }
  if (x_ != lineStartX_) {
    line_.wrapped = 0;
    NewLine(1);
  }
  canvas_->SetJustification(0, 0);

  Size size{0, y_ - rect.top};
  for (int i = firstLine; i < lineIndex_ && i < static_cast<int>(lines_.size()); ++i) {
    const MarkupLine& line = lines_[i];
    int width = line.width + (line.rulePercent ? MulDiv(line.rulePercent, runLargestWidth_, 100) : 0);
    size.cx = std::max(size.cx, width);
  }
  return size;
}

// How much of `rest` needs measuring for a line `room` pixels wide: prefixes
// twice as long each time until one is wider than the room or all of it is
// measured. Lines so cost the text they hold, not the whole rest of a chunk.
size_t CMarkupDrawer::MeasureWindow(std::u16string_view rest, int room, Size& size) {
  size_t length = std::min<size_t>(rest.size(), 32);
  while (true) {
    size = canvas_->TextExtent(rest.substr(0, length));
    if (size.cx > room || length == rest.size()) return length;
    length = std::min(rest.size(), length * 2);
  }
}

void CMarkupDrawer::PlaceChunk(std::u16string chunk) {
  TransformText(chunk, style_.textTransform);
  size_t offset = 0;
  while (offset < chunk.size()) {
    const std::u16string_view rest = std::u16string_view(chunk).substr(offset);
    canvas_->SetJustification(0, 0);
    const int room = output_.Width() + output_.left - x_;
    const bool wrapping = maximumWidth_ != 0 && output_.Width() != 0;
    Size size;
    const size_t window = wrapping ? MeasureWindow(rest, room, size) : rest.size();
    if (!wrapping) size = canvas_->TextExtent(rest);
    int top = PlaceText(y_, size.cy);
    std::u16string part;
    int partWidth = 0;
    size_t consumed = rest.size();
    if (wrapping && size.cx > room) {
      part = WrapText(rest, window, room, partWidth, consumed);
    } else {
      part = std::u16string(rest);
      partWidth = size.cx;
    }
    offset += consumed;
    if (measuring_) {
      line_.alignment = style_.horizontalAlign;
      line_.blanks += CountChar(part, u' ');
    } else if (partWidth > 0) {
      if (partWidth == remainingWidth_ && part.back() == u' ') {
        // The line's last blank is not stretched by justification.
        part.pop_back();
        remainingBlanks_ = CountChar(part, u' ');
        remainingWidth_ -= canvas_->TextExtent(u" ").cx;
      }
      if (line_.alignment == 3 && line_.wrapped) canvas_->SetJustification(room - remainingWidth_, remainingBlanks_);
      remainingWidth_ -= partWidth;
      Size drawn = canvas_->TextExtent(part);
      partWidth = drawn.cx;
      AddHotArea(Rect{x_, top, x_ + partWidth, top + drawn.cy});
      canvas_->DrawTextAt(x_, top, part);
      remainingBlanks_ -= CountChar(part, u' ');
      if (style_.overline) {
        canvas_->DrawLine(x_, top, x_ + partWidth, top, style_.textColor, 1, style_.weight < 700 ? 1 : 2);
      }
    }
    x_ = SaturatingAdd(x_, partWidth);
    if (offset < chunk.size()) {
      line_.wrapped = 1;
      NewLine(1);
    }
  }
}

// The part of `rest` that goes on this line, its width, and how much of
// `rest` it uses up (with the blanks after a break). Only the first `window`
// characters can fit: nothing beyond them is looked at.
std::u16string CMarkupDrawer::WrapText(std::u16string_view rest, size_t window, int room, int& partWidth,
                                       size_t& consumed) {
  const std::u16string_view head = rest.substr(0, window);
  size_t lastFit = std::u16string::npos;
  for (size_t i = 1; i < head.size(); ++i) {
    if (kBreakCharacters.find(head[i]) == std::u16string_view::npos) continue;
    if (canvas_->TextExtent(head.substr(0, i)).cx > room) break;
    lastFit = i;
  }
  std::u16string part;
  consumed = 0;
  if (lastFit != std::u16string::npos) {
    part = std::u16string(rest.substr(0, lastFit + 1));
    TrimBlanks(part, true);
    const size_t next = rest.find_first_not_of(u' ', lastFit + 1);
    consumed = next == std::u16string_view::npos ? rest.size() : next;
  } else if (NothingPlacedOnLine()) {
    size_t cut = 1;
    while (cut < head.size() && canvas_->TextExtent(head.substr(0, cut + 1)).cx <= room) ++cut;
    part = std::u16string(rest.substr(0, cut));
    consumed = cut;
  }
  partWidth = part.empty() ? 0 : canvas_->TextExtent(part).cx;
  return part;
}

// "br=2" and "t=2": the parameter text after its first character is the count.
int CMarkupDrawer::RepeatCount(std::u16string_view params) {
  std::u16string_view count = params.empty() ? params : params.substr(1);
  return Clamp(ParseSize(count, 1), 0, limits::kMaxRepeat);
}

void CMarkupDrawer::HandleTag(std::u16string_view tagText) {
  style_.name.clear();
  std::u16string params;
  std::u16string name = SplitTag(tagText, params);
  bool closing = !name.empty() && name.front() == u'/';
  if (closing) name.erase(0, 1);
  auto found = tags_.find(name);
  if (found == tags_.end()) return;
  const MarkupTag& tag = found->second;
  style_.name = tag.value;

  if (!tag.value.empty()) {
    if (!PushPopStyle(closing)) return;
    if (!closing) ApplyElement(tag.id, params);
    SelectStyleFont();
    return;
  }
  // Empty elements: the closing form acts like the opening one.
  switch (tag.id) {
    case kTagRule:
      DrawRule(params);
      break;
    case kTagBreak: {
      line_.wrapped = 0;
      NewLine(RepeatCount(params));
      break;
    }
    case kTagTab:
      Tab(RepeatCount(params));
      break;
    case kTagBitmap:
    case kTagIcon:
    case kTagImageStrip:
      DrawImageTag(tag.id, params);
      break;
    case kTagString:
      DrawStringResource(params);
      break;
    default:
      break;
  }
}

void CMarkupDrawer::ApplyElement(int id, std::u16string_view params) {
  switch (id) {
    case kTagBold: style_.weight = std::min(style_.weight * 2, 900); break;
    case kTagItalic: style_.italic = !style_.italic; break;
    case kTagUnderline: style_.underline = !style_.underline; break;
    case kTagStrikeOut: style_.strikeOut = !style_.strikeOut; break;
    case kTagFont: ApplyFontAttributes(params); break;
    case kTagLeft: style_.horizontalAlign = 0; break;
    case kTagCenter: style_.horizontalAlign = 1; break;
    case kTagRight: style_.horizontalAlign = 2; break;
    case kTagJustify: style_.horizontalAlign = 3; break;
    case kTagBaseline: style_.verticalAlign = 3; break;
    case kTagTop: style_.verticalAlign = 0; break;
    case kTagVCenter: style_.verticalAlign = 1; break;
    case kTagBottom: style_.verticalAlign = 2; break;
    case kTagStyleRule: {
      std::u16string selector = style_.name;
      ApplyStyleRule(selector, style_);
      break;
    }
    case kTagSpan: {
      size_t pos = 0;
      std::u16string name;
      while (pos < params.size()) {
        std::u16string value = NextAttribute(params, pos, name);
        if (name == u"class") ApplyStyleRule(u"." + value, style_);
      }
      break;
    }
    case kTagLink: ApplyLinkAttributes(params); break;
    default: break;
  }
}

void CMarkupDrawer::ApplyFontAttributes(std::u16string_view params) {
  size_t pos = 0;
  std::u16string name;
  while (pos < params.size()) {
    std::u16string value = NextAttribute(params, pos, name);
    if (name == u"face") {
      if (!value.empty()) style_.face = value;
    } else if (name == u"size") {
      style_.size = ParseSize(value, style_.size, true);
    } else if (name == u"color") {
      style_.textColor = enabled_ ? ParseColor(value, style_.textColor) : disabledColor_;
    } else if (name == u"style") {
      ParseFontLetters(value, style_);
    } else if (name == u"weight") {
      style_.weight = ParseFontWeight(value);
    } else if (name == u"bkgnd") {
      if (value.empty() || value == u"transparent" || !enabled_) {
        style_.backgroundMode = 1;
      } else {
        style_.backgroundMode = 2;
        style_.backgroundColor = ParseColor(value, style_.backgroundColor);
      }
    }
  }
}

void CMarkupDrawer::ApplyLinkAttributes(std::u16string_view params) {
  style_.linkKind = 2;
  style_.linkTarget.clear();
  size_t pos = 0;
  std::u16string name;
  while (pos < params.size()) {
    std::u16string value = NextAttribute(params, pos, name);
    if (name == u"href") {
      style_.linkKind = 1;
      style_.linkTarget = value;
    } else if (name == u"msg") {
      style_.linkKind = 2;
      style_.linkTarget = value;
    }
  }
  style_.linkNumber = ++linkCounter_;
  ApplyStyleRule(style_.linkNumber == hotLink_ ? u"a:hover" : u"a:link", style_);
}

void CMarkupDrawer::DrawRule(std::u16string_view params) {
  MarkupStyle ruleStyle = style_;
  ApplyStyleRule(u"hr", ruleStyle);
  int thickness = 1;
  Color color = ruleStyle.textColor;
  int width = 100;
  bool percent = true;
  size_t pos = 0;
  std::u16string name;
  while (pos < params.size()) {
    std::u16string value = NextAttribute(params, pos, name);
    if (name == u"width") {
      percent = IsPercent(value);
      width = ParseSize(value, 100);
    } else if (name == u"size") {
      thickness = ParseSize(value, thickness);
    } else if (name == u"color") {
      color = enabled_ ? ParseColor(value, color) : disabledColor_;
    }
  }
  width = Clamp(width, 0, limits::kMaxBoxSize);
  thickness = Clamp(thickness, 0, 255);
  int drawWidth = width;
  if (percent) {
    if (measuring_) {
      line_.rulePercent = std::min(line_.rulePercent + width, 10000);
      drawWidth = 1;
    } else {
      drawWidth = MulDiv(output_.Width(), width, 100);
    }
  }
  if (measuring_) {
    line_.height = std::max(line_.height, thickness + 8);
    line_.alignment = style_.horizontalAlign;
  } else {
    int middle = y_ + line_.height / 2;
    canvas_->DrawLine(x_, middle, x_ + drawWidth, middle, color, 1, thickness);
  }
  x_ = SaturatingAdd(x_, drawWidth);
}

void CMarkupDrawer::DrawStringResource(std::u16string_view params) {
  int id = 0;
  size_t pos = 0;
  std::u16string name;
  while (pos < params.size()) {
    std::u16string value = NextAttribute(params, pos, name);
    if (name == u"idres" || name == u"iddll") id = ParseSize(value, id);
  }
  if (id == 0) return;
  std::u16string text = canvas_->LoadStringResource(id);
  Size size = canvas_->TextExtent(text);
  int top = PlaceText(y_, size.cy);
  if (measuring_) {
    line_.alignment = style_.horizontalAlign;
  } else {
    AddHotArea(Rect{x_, top, x_ + size.cx, top + size.cy});
    canvas_->DrawTextAt(x_, top, text);
  }
  x_ = SaturatingAdd(x_, size.cx);
}

int CMarkupDrawer::StartLine(int x) {
  if (measuring_) {
    line_ = MarkupLine{};
    line_.alignment = style_.horizontalAlign;
    if (lines_.size() <= static_cast<size_t>(lineIndex_)) lines_.resize(lineIndex_ + 1);
    lines_[lineIndex_] = line_;
    lineStartX_ = x;
    return x;
  }
  if (static_cast<size_t>(lineIndex_) < lines_.size()) {
    line_ = lines_[lineIndex_];
  } else {
    // More lines than measured (a narrower rectangle wrapped more): plain left lines.
    line_ = MarkupLine{};
    line_.height = metrics_.height;
  }
  const int available = output_.Width();
  if (line_.rulePercent) line_.width += MulDiv(available, line_.rulePercent, 100);
  remainingWidth_ = line_.width;
  remainingBlanks_ = line_.blanks;
  if (line_.wrapped && line_.alignment == 3) {
    canvas_->SetJustification(available - line_.width, line_.blanks);
  } else {
    canvas_->SetJustification(0, 0);
  }
  int start = x;
  if (line_.alignment == 1) start = output_.left + (available - line_.width) / 2;
  if (line_.alignment == 2) start = output_.left + available - line_.width;
  lineStartX_ = start;
  return start;
}

void CMarkupDrawer::NewLine(int count) {
  if (measuring_) {
    if (line_.height == 0) line_.height = metrics_.height;  // an empty line is as high as the font
    runLargestWidth_ = std::max(runLargestWidth_, x_ - output_.left);
    line_.width = x_ - output_.left;
    line_.height = SaturatingAdd(line_.height, line_.descent);
    if (lines_.size() <= static_cast<size_t>(lineIndex_)) lines_.resize(lineIndex_ + 1);
    lines_[lineIndex_] = line_;
  }
  ++lineIndex_;
  y_ = SaturatingAdd(y_, static_cast<long long>(std::max(count, 1)) * line_.height);
  x_ = StartLine(output_.left);
}

int CMarkupDrawer::PlaceText(int lineTop, int textHeight) {
  if (measuring_) {
    line_.height = std::max(line_.height, metrics_.ascent);
    line_.descent = std::max(line_.descent, textHeight - metrics_.ascent);
    return lineTop;
  }
  switch (style_.verticalAlign) {
    case 1: return lineTop + (line_.height - metrics_.height) / 2;
    case 2: return lineTop + line_.height - metrics_.ascent;
    case 3: return lineTop + line_.height - metrics_.ascent - line_.descent;
    default: return lineTop;
  }
}

int CMarkupDrawer::PlaceImage(int lineTop, int imageHeight) {
  if (measuring_) {
    line_.height = std::max(line_.height, imageHeight);
    return lineTop;
  }
  switch (style_.verticalAlign) {
    case 1: return lineTop + (line_.height - imageHeight) / 2;
    case 2: return lineTop + line_.height - imageHeight;
    case 3: return lineTop + line_.height - line_.descent - imageHeight;
    default: return lineTop;
  }
}

void CMarkupDrawer::Tab(int count) {
  if (count == 0) count = 1;
  int offset = x_ - output_.left;
  if (offset % tabWidth_ != 0) {
    x_ = output_.left + (FloorDiv(offset, tabWidth_) + 1) * tabWidth_;
    --count;
  }
  x_ = SaturatingAdd(x_, static_cast<long long>(count) * tabWidth_);
}

void CMarkupDrawer::AddHotArea(const Rect& rect) {
  if (style_.linkKind == 0) return;
  hotAreas_.push_back(MarkupHotArea{rect.left, rect.top, rect.right, rect.bottom, style_.linkKind,
                                    style_.linkNumber, style_.linkTarget});
}

}  // namespace markup
