#include "HtmlParser.h"

#include <algorithm>
#include <climits>

#include "HtmlAttributes.h"
#include "HtmlFormFields.h"
#include "HtmlPrePass.h"
#include "HtmlTagTable.h"
#include "HtmlText.h"

namespace preview {

namespace {

constexpr std::size_t kNotFound = std::u16string_view::npos;
constexpr HtmlColour kLinkBlue = 0xFF0000;  // COLORREF of pure blue
constexpr int kTabColumns = 5;
constexpr std::u16string_view kFixedFace = u"Courier New";

bool IsWordEnd(char16_t c) { return IsHtmlSpace(c) || c == u'<'; }

int ClampFontHeight(long long height) { return static_cast<int>(std::clamp<long long>(height, 1, kMaxHtmlFontHeight)); }

// The position of the end tag that matches the construct opened before `from`,
// counting nested openings of the same construct; kNotFound when it is missing.
std::size_t FindMatchingEnd(std::u16string_view text, std::size_t from, HtmlTag open, HtmlTag close) {
  int depth = 0;
  for (std::size_t pos = text.find(u'<', from); pos != kNotFound; pos = text.find(u'<', pos + 1)) {
    const HtmlTag tag = MatchHtmlTag(text, pos);
    if (tag == open) ++depth;
    if (tag == close && depth-- == 0) return pos;
  }
  return kNotFound;
}

std::size_t FindIgnoringCase(std::u16string_view text, std::u16string_view needle, std::size_t from) {
  for (std::size_t pos = text.find(u'<', from); pos != kNotFound; pos = text.find(u'<', pos + 1))
    if (HtmlTextAt(text, pos, needle)) return pos;
  return kNotFound;
}

std::u16string_view AttributeOr(const CStringRowArray& attributes, std::u16string_view name,
                                std::u16string_view fallback) {
  const char16_t* value = FindHtmlAttribute(attributes, name);
  return value != nullptr ? std::u16string_view(value) : fallback;
}

// A width or height in pixels; nothing for a missing value or a percentage.
std::optional<int> PixelAttribute(const CStringRowArray& attributes, std::u16string_view name) {
  const char16_t* value = FindHtmlAttribute(attributes, name);
  if (value == nullptr || std::u16string_view(value).find(u'%') != kNotFound) return std::nullopt;
  return ReadHtmlInteger(value);
}

struct BaseStyle {
  std::u16string face;
  int size = 0;
  HtmlColour colour = 0;
};

class TagParser {
 public:
  TagParser(ParsedHtmlPage& page, const HtmlPageSettings& settings, HtmlTextMeasurer& measurer,
            HtmlImageRegistry& images, CMiniBrowserCallbacks* host)
      : page_(page), settings_(settings), measurer_(measurer), images_(images), host_(host) {
    page_.links.AddRow();
  }

  void Parse(std::u16string_view text, BrowserElementList& out, const BaseStyle& base, int depth,
             std::int32_t alignment, bool preformatted) {
    Level level(text, out, base, depth, alignment, preformatted);
    page_.deepestNesting = std::max(page_.deepestNesting, depth);
    const int length = static_cast<int>(std::min<std::size_t>(text.size(), INT_MAX));
    while (level.pos < text.size()) {
      if (depth == 0 && host_ != nullptr)
        host_->OnParseProgress(0, static_cast<int>(std::min<std::size_t>(level.pos, INT_MAX)), length);
      Step(level);
    }
  }

 private:
  // The state of one parse: its text, where its elements go and its running style.
  struct Level {
    Level(std::u16string_view text, BrowserElementList& out, const BaseStyle& base, int depth,
          std::int32_t alignment, bool preformatted)
        : text(text), out(out), base(base), depth(depth), alignment(alignment), preformatted(preformatted),
          face(base.face), size(base.size), colour(base.colour) {}

    std::u16string_view text;
    BrowserElementList& out;
    const BaseStyle& base;
    int depth;
    std::int32_t alignment;
    bool preformatted;
    std::size_t pos = 0;
    std::u16string face;
    int size = 0;
    HtmlColour colour = 0;
    bool bold = false, italic = false, underline = false, link = false, small = false, raised = false;
    bool strike = false, centring = false, afterWord = false;
    std::int32_t linkIndex = -1;
    std::size_t textSinceOtherElement = 0;  // characters of the trailing text runs, for tabs

    std::int32_t CurrentAlignment() const { return centring ? kAlignCentre : alignment; }
  };

  void Append(Level& level, std::unique_ptr<BrowserElement> element) {
    ++page_.elementCount;
    if (element->kind == kElementText) level.textSinceOtherElement += element->text.size();
    else level.textSinceOtherElement = 0;
    level.out.push_back(std::move(element));
  }

  void StyledRun(Level& level, std::u16string_view text) {
    TextRunStyle style;
    const bool lined = level.underline || level.link;
    style.edges = lined ? kEdgeBottom : 0;
    style.edgeWidth = lined ? 1 : 0;
    style.edgeColour = level.link ? static_cast<std::int32_t>(kLinkBlue) : 0;
    style.face = level.face;
    style.fontHeight = level.small ? level.size * 2 / 3 : level.size;
    style.bold = level.bold;
    style.italic = level.italic;
    style.textColour = level.link ? kLinkBlue : level.colour;
    style.alignment = level.CurrentAlignment();
    style.link = level.linkIndex;
    style.preformatted = level.preformatted;
    auto run = MakeTextElement(text, style, measurer_);
    // Superscript keeps the full-size extent but is drawn smaller.
    if (level.raised) run->fontHeight = level.size * 2 / 3;
    if (level.strike) {
      run->edges |= kEdgeMiddle;
      run->edgeWidth = 1;
    }
    Append(level, std::move(run));
  }

  void EmptyLine(Level& level) { StyledRun(level, u" "); }

  void Break(Level& level, std::int32_t alignment, bool clear = false) {
    Append(level, MakeBreakElement(0, 0, alignment, clear));
  }

  void Step(Level& level) {
    const char16_t c = level.text[level.pos];
    if (c == u'\t') {
      Tab(level);
      ++level.pos;
    } else if (c == u' ' || c == u'\n' || c == u'\r') {
      if (level.afterWord || level.preformatted) StyledRun(level, u" ");
      if (c != u' ') {
        Break(level, level.alignment);
        if (c == u'\r' && level.pos + 1 < level.text.size() && level.text[level.pos + 1] == u'\n') ++level.pos;
      }
      ++level.pos;
    } else if (c == u'<') {
      Tag(level);
    } else {
      std::size_t end = level.pos;
      while (end < level.text.size() && !IsWordEnd(level.text[end])) ++end;
      StyledRun(level, level.text.substr(level.pos, end - level.pos));
      level.afterWord = true;
      level.pos = end;
    }
  }

  // Spaces up to the next multiple of five columns, counted over the text runs since
  // the last element that is not one.
  void Tab(Level& level) {
    const std::size_t column = level.textSinceOtherElement;
    StyledRun(level, std::u16string(kTabColumns - column % kTabColumns, u' '));
  }

  void Tag(Level& level) {
    const std::u16string_view text = level.text;
    const HtmlTag tag = MatchHtmlTag(text, level.pos);
    if (tag == kNotATag) {  // the pre-pass drops these; the rest reads as text
      ++level.pos;
      return;
    }
    const std::size_t tagEnd = PastTagEnd(text, level.pos);
    CStringRowArray attributes;
    ParseHtmlAttributes(text.substr(level.pos, tagEnd - level.pos), attributes);
    const bool mayNest = level.depth + 1 < kMaxHtmlNesting;

    if ((tag == kTagDiv || tag == kTagP) && mayNest && AlignedBlock(level, tag, attributes, tagEnd)) return;
    if (tag == kTagPre && mayNest) return Preformatted(level, tagEnd);
    if (tag == kTagBlockquote && mayNest) return BlockQuote(level, tagEnd);
    if ((tag == kTagUl || tag == kTagOl) && mayNest) return List(level, tag, tagEnd);
    if (tag == kTagTable && mayNest) return Table(level, attributes, tagEnd);

    const std::size_t tagStart = level.pos;
    level.pos = tagEnd;
    switch (tag) {
      case kTagI: level.italic = true; break;
      case kTagEndI: level.italic = false; break;
      case kTagB: case kTagStrong: level.bold = true; break;
      case kTagEndB: case kTagEndStrong: level.bold = false; break;
      case kTagU: level.underline = true; break;
      case kTagEndU: level.underline = false; break;
      case kTagA: Link(level, attributes); break;
      case kTagEndA: level.link = false; level.linkIndex = -1; break;
      case kTagSmall: level.size = ClampFontHeight(level.size - level.size / 3); break;
      case kTagBig: level.size = ClampFontHeight(level.size + level.size / 3); break;
      case kTagEndSmall: case kTagEndBig: level.size = level.base.size; break;
      case kTagFont: Font(level, attributes); break;
      case kTagEndFont:
        level.size = level.base.size;
        level.colour = level.base.colour;
        level.face = level.base.face;
        break;
      case kTagSub: level.small = true; break;
      case kTagEndSub: level.small = false; break;
      case kTagSup: level.raised = true; break;
      case kTagEndSup: level.raised = false; break;
      case kTagStrike: level.strike = true; break;
      case kTagEndStrike: level.strike = false; break;
      case kTagCenter: level.centring = true; LineBreakGroup(level, tag, attributes); break;
      case kTagEndCenter: level.centring = false; LineBreakGroup(level, tag, attributes); break;
      case kTagH1: case kTagH2: case kTagH3: {
        level.bold = true;
        const int grow = tag == kTagH1 ? level.size : tag == kTagH2 ? level.size / 2 : level.size / 3;
        level.size = ClampFontHeight(static_cast<long long>(level.size) + grow);
        LineBreakGroup(level, tag, attributes);
        break;
      }
      case kTagEndH1: case kTagEndH2: case kTagEndH3:
        level.size = level.base.size;
        level.bold = false;
        LineBreakGroup(level, tag, attributes);
        break;
      case kTagBr: case kTagP: case kTagDiv: case kTagEndDiv: case kTagHr:
        LineBreakGroup(level, tag, attributes);
        break;
      case kTagImg: Image(level, attributes, text.substr(tagStart, tagEnd - tagStart), mayNest); break;
      case kTagForm: StartForm(attributes); break;
      case kTagEndForm: currentForm_ = -1; break;
      case kTagInput: Input(level, attributes); break;
      case kTagSelect: case kTagTextarea: FieldWithContent(level, tag, attributes); break;
      default: break;  // tags whose constructs are read elsewhere, and end tags that change nothing
    }
  }

  void LineBreakGroup(Level& level, HtmlTag tag, const CStringRowArray& attributes) {
    if (tag == kTagH1 || tag == kTagH2 || tag == kTagH3) {
      EmptyLine(level);
      Break(level, level.CurrentAlignment());
      EmptyLine(level);
    }
    if (level.afterWord || tag == kTagBr) EmptyLine(level);
    if (tag == kTagHr) {
      auto rule = MakeBreakElement(2, 1, level.CurrentAlignment(), false);
      Append(level, std::move(rule));
    } else {
      Break(level, level.CurrentAlignment(), tag == kTagBr && FindHtmlAttribute(attributes, u"clear") != nullptr);
    }
    if (tag == kTagHr || (tag == kTagP && level.afterWord)) {
      EmptyLine(level);
      Break(level, level.CurrentAlignment());
    }
    if (!level.preformatted && (tag == kTagBr || tag == kTagP)) level.afterWord = false;
  }

  void StartForm(const CStringRowArray& attributes) {
    if (host_ == nullptr) return;
    const std::u16string action = ResolveUrl(AttributeOr(attributes, u"action", u""), settings_.baseUrl);
    currentForm_ = host_->AddForm(action, AttributeOr(attributes, u"method", u"get"));
  }

  FormFieldContext FieldContext(const Level& level) {
    return FormFieldContext{measurer_, host_, currentForm_, level.face, level.size, level.CurrentAlignment(),
                            level.preformatted};
  }

  void Input(Level& level, const CStringRowArray& attributes) {
    if (InputType(attributes) != u"image") {
      if (auto field = MakeInputField(attributes, FieldContext(level))) Append(level, std::move(field));
      return;
    }
    // An image button submits its form: its link names the form.
    const std::u16string submit = u"Submit(" + AsciiNumber(currentForm_) + u")";
    const std::int32_t link = LinkIndex(submit);
    const ResourceUrl url = ResolveResourceUrl(AttributeOr(attributes, u"src", u""), settings_.baseUrl, settings_.origin);
    auto image = MakeImageElement(images_.FindOrAddImage(url.url, false, url.mayFetch), level.CurrentAlignment(), link,
                                  level.preformatted, 0);
    RequestSize(*image, PixelAttribute(attributes, u"width"), PixelAttribute(attributes, u"height"));
    Append(level, std::move(image));
  }

  // "<select" and "<textarea": the field reads its content up to its end tag, and
  // parsing resumes after that tag.
  void FieldWithContent(Level& level, HtmlTag tag, const CStringRowArray& attributes) {
    const bool select = tag == kTagSelect;
    const std::size_t end = FindIgnoringCase(level.text, select ? u"</select" : u"</textarea", level.pos);
    const std::size_t contentEnd = end == kNotFound ? level.text.size() : end;
    const std::u16string_view content = level.text.substr(level.pos, contentEnd - level.pos);
    Append(level, select ? MakeSelectField(attributes, content, FieldContext(level))
                         : MakeTextAreaField(attributes, content, FieldContext(level)));
    level.pos = PastTagEnd(level.text, contentEnd);
  }

  static std::u16string AsciiNumber(int value) {
    std::u16string number;
    for (char c : std::to_string(value)) number += static_cast<char16_t>(c);
    return number;
  }

  static void RequestSize(BrowserElement& image, std::optional<int> width, std::optional<int> height) {
    if (width) image.width = image.requestedWidth = std::max(*width, 0);
    if (height) image.height = image.requestedHeight = std::max(*height, 0);
  }

  void Link(Level& level, const CStringRowArray& attributes) {
    const char16_t* href = FindHtmlAttribute(attributes, u"href");
    if (href == nullptr) return;  // a named anchor is no link
    level.linkIndex = LinkIndex(ResolveUrl(href, settings_.baseUrl));
    level.link = true;
  }

  std::int32_t LinkIndex(const std::u16string& target) {
    const CStringRow& targets = page_.links.GetRow(0);
    for (int i = 0; i < targets.GetCount(); ++i)
      if (HtmlEqualsIgnoringCase(targets.Get(i), target)) return i;
    return page_.links.AppendToRow(0, target.c_str(), static_cast<int>(target.size())) - 1;
  }

  void Font(Level& level, const CStringRowArray& attributes) {
    if (const char16_t* face = FindHtmlAttribute(attributes, u"face")) level.face = face;
    if (const char16_t* colour = FindHtmlAttribute(attributes, u"color")) level.colour = LookupHtmlColour(colour);
    if (const char16_t* sizeText = FindHtmlAttribute(attributes, u"size")) {
      const long long size = ReadHtmlInteger(sizeText);
      if (size == 0) return;
      const bool relative = sizeText[0] == u'+' || sizeText[0] == u'-';
      level.size = ClampFontHeight(relative ? level.base.size + size : size * 4 + 8);
    }
  }

  void Image(Level& level, const CStringRowArray& attributes, std::u16string_view tagText, bool mayNest) {
    const std::optional<int> width = PixelAttribute(attributes, u"width");
    const std::optional<int> height = PixelAttribute(attributes, u"height");
    if ((width && *width == 0) || (height && *height == 0)) return;
    const std::u16string_view align = AttributeOr(attributes, u"align", u"");
    const bool floatLeft = HtmlEqualsIgnoringCase(align, u"left");
    if ((floatLeft || HtmlEqualsIgnoringCase(align, u"right")) && mayNest) {
      const std::int32_t side = floatLeft ? 0 : 1;
      Break(level, side);
      BoxSettings box;
      box.padding = 4;
      box.floatSide = side;
      box.alignment = side;
      auto floating = MakeBoxElement(box);
      // The same tag once more, with every "align" made inert so it does not float again.
      std::u16string inner(tagText);
      for (std::size_t at = 0; (at = FindIgnoringCaseAnywhere(inner, u"align", at)) != kNotFound; at += 5)
        inner[at] = u'x';
      BaseStyle base{level.face, level.size, level.colour};
      Parse(inner, floating->children, base, level.depth + 1, level.CurrentAlignment(), level.preformatted);
      Append(level, std::move(floating));
      Break(level, level.CurrentAlignment());
      Break(level, level.CurrentAlignment());
      return;
    }
    const char16_t* src = FindHtmlAttribute(attributes, u"src");
    if (src == nullptr) return;
    const ResourceUrl url = ResolveResourceUrl(src, settings_.baseUrl, settings_.origin);
    const int index = images_.FindOrAddImage(url.url, false, url.mayFetch);
    auto image = MakeImageElement(index, level.CurrentAlignment(), level.linkIndex, level.preformatted,
                                  ReadHtmlInteger(AttributeOr(attributes, u"border", u"0")));
    RequestSize(*image, width, height);
    Append(level, std::move(image));
  }

  static std::size_t FindIgnoringCaseAnywhere(std::u16string_view text, std::u16string_view needle, std::size_t from) {
    for (std::size_t pos = from; pos + needle.size() <= text.size(); ++pos)
      if (HtmlTextAt(text, pos, needle)) return pos;
    return kNotFound;
  }

  // "<div ...>" or "<p ...>" whose alignment differs from the one around it: its content
  // is parsed with that alignment between breaks. False when the tag is an ordinary one.
  bool AlignedBlock(Level& level, HtmlTag tag, const CStringRowArray& attributes, std::size_t contentStart) {
    const std::size_t nameEnd = level.pos + HtmlTagText(tag).size();
    if (nameEnd >= level.text.size() || level.text[nameEnd] != u' ') return false;
    const std::int32_t blockAlignment = ReadBlockAlignment(attributes, level.CurrentAlignment());
    if (blockAlignment == level.alignment && !(level.centring && blockAlignment != kAlignCentre)) return false;

    const std::size_t end = AlignedBlockEnd(level.text, tag, contentStart);
    const bool paragraph = tag == kTagP;
    Break(level, blockAlignment);
    if (paragraph) Break(level, blockAlignment);
    BaseStyle base{level.face, level.size, level.colour};
    Parse(level.text.substr(contentStart, end - contentStart), level.out, base, level.depth + 1, blockAlignment,
          level.preformatted);
    Break(level, level.CurrentAlignment());
    const HtmlTag ending = end < level.text.size() ? MatchHtmlTag(level.text, end) : kNotATag;
    level.pos = ending == kTagEndDiv || ending == kTagEndP ? PastTagEnd(level.text, end) : end;
    return true;
  }

  static std::int32_t ReadBlockAlignment(const CStringRowArray& attributes, std::int32_t fallback) {
    const std::u16string_view align = AttributeOr(attributes, u"align", u"");
    if (HtmlEqualsIgnoringCase(align, u"left")) return kAlignLeft;
    return ReadCellAlignment(attributes, fallback);
  }

  // A division ends at its matching "</div" (divisions and tables counted together), a
  // paragraph at the next "</p", "<p" or "<hr" outside tables; both end at a "</table"
  // that closes an enclosing table. Without an end the block runs to the end of the text.
  static std::size_t AlignedBlockEnd(std::u16string_view text, HtmlTag tag, std::size_t from) {
    int nested = 0;
    for (std::size_t pos = text.find(u'<', from); pos != kNotFound; pos = text.find(u'<', pos + 1)) {
      const HtmlTag inner = MatchHtmlTag(text, pos);
      if (inner == kTagTable || (tag == kTagDiv && inner == kTagDiv)) {
        ++nested;
      } else if (inner == kTagEndTable || (tag == kTagDiv && inner == kTagEndDiv)) {
        if (nested-- == 0) return pos;
      } else if (tag == kTagP && nested == 0 && (inner == kTagEndP || inner == kTagP || inner == kTagHr)) {
        return pos;
      }
    }
    return text.size();
  }

  // "<pre>": a box of fixed-pitch text that keeps its white space.
  void Preformatted(Level& level, std::size_t contentStart) {
    std::size_t end = FindMatchingEnd(level.text, contentStart, kTagPre, kTagEndPre);
    const std::size_t contentEnd = end == kNotFound ? level.text.size() : end;
    Break(level, level.CurrentAlignment());
    BoxSettings box;
    auto block = MakeBoxElement(box);
    BaseStyle base{std::u16string(kFixedFace), level.base.size, level.base.colour};
    Parse(level.text.substr(contentStart, contentEnd - contentStart), block->children, base, level.depth + 1,
          kAlignLeft, true);
    Append(level, std::move(block));
    Break(level, level.CurrentAlignment());
    level.pos = PastTagEnd(level.text, contentEnd);
    while (level.pos < level.text.size() && level.text[level.pos] == u' ') ++level.pos;
  }

  // "<blockquote>": an indented box up to the first end tag.
  void BlockQuote(Level& level, std::size_t contentStart) {
    std::size_t end = FindIgnoringCase(level.text, u"</blockquote", contentStart);
    const std::size_t contentEnd = end == kNotFound ? level.text.size() : end;
    Break(level, level.CurrentAlignment());
    BoxSettings box;
    box.padding = 15;
    box.alignment = level.CurrentAlignment();
    auto quote = MakeBoxElement(box);
    Parse(level.text.substr(contentStart, contentEnd - contentStart), quote->children, level.base, level.depth + 1,
          level.alignment, level.preformatted);
    Append(level, std::move(quote));
    Break(level, level.CurrentAlignment());
    level.afterWord = false;
    level.pos = contentEnd;
  }

  // "<ul>" and "<ol>": a two-column table of markers and items.
  void List(Level& level, HtmlTag tag, std::size_t contentStart) {
    const HtmlTag close = tag == kTagUl ? kTagEndUl : kTagEndOl;
    const std::size_t end = FindMatchingEnd(level.text, contentStart, tag, close);
    const std::size_t listEnd = end == kNotFound ? level.text.size() : end;
    Break(level, level.CurrentAlignment());
    const bool oddLevel = listLevel_ % 2 != 0;
    std::int32_t item = 0;
    for (std::size_t itemStart = NextListItem(level.text, contentStart, listEnd); itemStart < listEnd; ++item) {
      const std::size_t contentBegin = std::min(PastTagEnd(level.text, itemStart), listEnd);
      const std::size_t next = NextListItem(level.text, contentBegin, listEnd);

      BoxSettings markerBox;
      markerBox.row = item;
      markerBox.padding = 2;
      auto marker = MakeBoxElement(markerBox);
      std::u16string markerText;
      BaseStyle markerStyle{level.base.face, level.base.size, level.base.colour};
      if (tag == kTagUl) {
        markerStyle.face = u"Wingdings";  // "l" is its filled round bullet, "m" the hollow one
        markerText = oddLevel ? u" m " : u" l ";
      } else {
        markerText = u"   ";
        if (oddLevel) markerText += static_cast<char16_t>(u'a' + item % 26);
        else for (char c : std::to_string(item + 1)) markerText += static_cast<char16_t>(c);
        markerText += u".    ";
      }
      Parse(markerText, marker->children, markerStyle, level.depth + 1, kAlignLeft, true);
      Append(level, std::move(marker));

      ++listLevel_;
      BoxSettings itemBox;
      itemBox.row = item;
      itemBox.column = 1;
      itemBox.padding = 2;
      auto content = MakeBoxElement(itemBox);
      Parse(level.text.substr(contentBegin, next - contentBegin), content->children, level.base, level.depth + 1, level.alignment, level.preformatted);
      Append(level, std::move(content));
      Break(level, level.CurrentAlignment());
      level.afterWord = false;
      --listLevel_;
      itemStart = next;
    }
    level.pos = PastTagEnd(level.text, listEnd);
  }

  // "<table>": a break that frames the table, then one box per cell and a break after
  // each row; layout recognises the run of boxes as the table.
  void Table(Level& level, const CStringRowArray& attributes, std::size_t contentStart) {
    const bool centringBefore = level.centring;
    const std::int32_t alignmentBefore = level.alignment;

    TableSettings table;
    if (const char16_t* colour = FindHtmlAttribute(attributes, u"bgcolor"))
      table.backgroundColour = static_cast<std::int32_t>(LookupHtmlColour(colour));
    if (const char16_t* colour = FindHtmlAttribute(attributes, u"bordercolor"))
      table.borderColour = static_cast<std::int32_t>(LookupHtmlColour(colour));
    if (const char16_t* width = FindHtmlAttribute(attributes, u"width")) {
      const int value = ReadHtmlInteger(width);
      table.width = std::u16string_view(width).find(u'%') != kNotFound ? -value : value;
    }
    table.height = PixelAttribute(attributes, u"height").value_or(0);
    table.border = ReadHtmlInteger(AttributeOr(attributes, u"border", u"0"));
    table.padding = ReadHtmlInteger(AttributeOr(attributes, u"cellpadding", u"4"));
    table.spacing = ReadHtmlInteger(AttributeOr(attributes, u"cellspacing", u"4"));
    table.backgroundImage = BackgroundImage(attributes);
    const std::u16string_view align = AttributeOr(attributes, u"align", u"");
    if (HtmlEqualsIgnoringCase(align, u"center") || HtmlEqualsIgnoringCase(align, u"middle")) {
      level.centring = true;
    } else if (HtmlEqualsIgnoringCase(align, u"right")) {
      table.floatSide = 1;
      level.alignment = kAlignRight;
    } else if (HtmlEqualsIgnoringCase(align, u"left")) {
      table.floatSide = 0;
      level.alignment = kAlignLeft;
    }
    table.alignment = level.CurrentAlignment();

    auto frame = MakeBreakElement(0, 0, table.alignment, false);
    frame->backgroundColour = table.backgroundColour;
    frame->backgroundImage = table.backgroundImage;
    Append(level, std::move(frame));

    const std::size_t end = FindMatchingEnd(level.text, contentStart, kTagTable, kTagEndTable);
    const std::size_t tableEnd = end == kNotFound ? level.text.size() : end;
    TableRows(level, table, contentStart, tableEnd);

    level.centring = centringBefore;
    level.alignment = alignmentBefore;
    Break(level, level.CurrentAlignment());
    level.pos = PastTagEnd(level.text, tableEnd);
    while (level.pos < level.text.size() && level.text[level.pos] == u' ') ++level.pos;
  }

  struct TableSettings {
    std::int32_t backgroundColour = kNoColour, borderColour = 0;
    std::int32_t width = 0, height = 0, border = 0, padding = 4, spacing = 4;
    std::int32_t backgroundImage = -1, floatSide = -1, alignment = kAlignLeft;
  };

  void TableRows(Level& level, const TableSettings& table, std::size_t pos, std::size_t tableEnd) {
    const std::u16string_view text = level.text;
    std::int32_t row = 0, column = 0;
    std::int32_t rowColour = kNoColour;
    std::int32_t rowAlignment = kAlignLeft;
    bool rowHasCells = false;
    const auto endRow = [&] {
      if (rowHasCells) {
        Break(level, level.CurrentAlignment());
        ++row;
      }
      rowHasCells = false;
      column = 0;
    };
    for (pos = text.find(u'<', pos); pos < tableEnd; pos = text.find(u'<', pos)) {
      const HtmlTag tag = MatchHtmlTag(text, pos);
      const std::size_t tagEnd = std::min(PastTagEnd(text, pos), tableEnd);
      CStringRowArray attributes;
      if (tag == kTagTr || tag == kTagTd || tag == kTagTh)
        ParseHtmlAttributes(text.substr(pos, tagEnd - pos), attributes);
      if (tag == kTagTable) {  // a table outside any cell: passed over whole
        const std::size_t nestedEnd = FindMatchingEnd(text, tagEnd, kTagTable, kTagEndTable);
        pos = nestedEnd == kNotFound || nestedEnd >= tableEnd ? tableEnd : PastTagEnd(text, nestedEnd);
        continue;
      }
      if (tag == kTagForm || tag == kTagEndForm) {
        CStringRowArray formAttributes;
        ParseHtmlAttributes(text.substr(pos, tagEnd - pos), formAttributes);
        if (tag == kTagForm) StartForm(formAttributes);
        else currentForm_ = -1;
      } else if (tag == kTagTr) {
        endRow();
        rowColour = kNoColour;
        if (const char16_t* colour = FindHtmlAttribute(attributes, u"bgcolor"))
          rowColour = static_cast<std::int32_t>(LookupHtmlColour(colour));
        rowAlignment = ReadCellAlignment(attributes, rowAlignment);
      } else if (tag == kTagEndTr) {
        endRow();
      } else if (tag == kTagTd || tag == kTagTh) {
        const std::size_t contentEnd = CellEnd(text, tagEnd, tableEnd);
        Cell(level, table, attributes, tag == kTagTh, row, column, rowColour, rowAlignment,
             text.substr(tagEnd, contentEnd - tagEnd));
        rowHasCells = true;
        pos = contentEnd;
        continue;
      }
      pos = tagEnd;
    }
    endRow();
  }

  void Cell(Level& level, const TableSettings& table, const CStringRowArray& attributes, bool heading,
            std::int32_t row, std::int32_t& column, std::int32_t rowColour, std::int32_t rowAlignment,
            std::u16string_view content) {
    BoxSettings box;
    box.row = row;
    box.column = column;
    if (const char16_t* width = FindHtmlAttribute(attributes, u"width")) {
      const int value = ReadHtmlInteger(width);
      if (std::u16string_view(width).find(u'%') == kNotFound) box.cellWidth = value;
      else if (table.width > 0) box.cellWidth = static_cast<std::int32_t>(static_cast<long long>(table.width) * value / 100);
    }
    box.cellHeight = PixelAttribute(attributes, u"height").value_or(0);
    box.backgroundColour = rowColour;
    if (const char16_t* colour = FindHtmlAttribute(attributes, u"bgcolor"))
      box.backgroundColour = static_cast<std::int32_t>(LookupHtmlColour(colour));
    box.columnSpan = ReadHtmlInteger(AttributeOr(attributes, u"colspan", u"1"));
    box.rowSpan = ReadHtmlInteger(AttributeOr(attributes, u"rowspan", u"1"));
    const std::int32_t cellAlignment = ReadCellAlignment(attributes, heading ? kAlignCentre : rowAlignment);
    const std::u16string_view valign = AttributeOr(attributes, u"valign", u"");
    if (HtmlEqualsIgnoringCase(valign, u"bottom")) box.verticalAlignment = 1;
    else if (HtmlEqualsIgnoringCase(valign, u"center") || HtmlEqualsIgnoringCase(valign, u"middle")) box.verticalAlignment = 2;
    box.backgroundImage = BackgroundImage(attributes);
    box.alignment = table.alignment;
    box.border = table.border;
    box.padding = table.padding;
    box.spacing = table.spacing;
    box.tableWidth = table.width;
    box.tableHeight = table.height;
    box.edgeColour = table.borderColour;
    box.floatSide = table.floatSide;
    const bool noWrap = (FindHtmlAttribute(attributes, u"nowrap") != nullptr ||
                         FindHtmlAttribute(attributes, u"nobreak") != nullptr) && box.cellWidth == 0;

    auto cell = MakeBoxElement(box);
    while (!content.empty() && content.front() == u' ') content.remove_prefix(1);
    BaseStyle base{level.base.face, ClampFontHeight(level.base.size + (heading ? 4 : 0)), level.base.colour};
    Parse(content, cell->children, base, level.depth + 1, cellAlignment, noWrap);
    // Spans beyond the clamp would push later columns out of any table.
    column = static_cast<std::int32_t>(std::min<long long>(static_cast<long long>(column) + cell->columnSpan, INT32_MAX / 2));
    Append(level, std::move(cell));
  }

  // Where a cell's content ends: the next cell or row tag outside nested tables.
  static std::size_t CellEnd(std::u16string_view text, std::size_t from, std::size_t tableEnd) {
    int nested = 0;
    for (std::size_t pos = text.find(u'<', from); pos < tableEnd; pos = text.find(u'<', pos + 1)) {
      const HtmlTag tag = MatchHtmlTag(text, pos);
      if (tag == kTagTable) ++nested;
      else if (tag == kTagEndTable && nested > 0) --nested;
      else if (nested == 0 && (tag == kTagTd || tag == kTagEndTd || tag == kTagTh || tag == kTagEndTh ||
                               tag == kTagTr || tag == kTagEndTr))
        return pos;
    }
    return tableEnd;
  }

  static std::int32_t ReadCellAlignment(const CStringRowArray& attributes, std::int32_t fallback) {
    const std::u16string_view align = AttributeOr(attributes, u"align", u"");
    if (HtmlEqualsIgnoringCase(align, u"right")) return kAlignRight;
    if (HtmlEqualsIgnoringCase(align, u"center") || HtmlEqualsIgnoringCase(align, u"middle")) return kAlignCentre;
    if (HtmlEqualsIgnoringCase(align, u"justify")) return kAlignJustify;
    return fallback;
  }

  // A non-empty "background" registered as a background-only image; -1 for none.
  std::int32_t BackgroundImage(const CStringRowArray& attributes) {
    const char16_t* background = FindHtmlAttribute(attributes, u"background");
    if (background == nullptr || *background == u'\0') return -1;
    const ResourceUrl url = ResolveResourceUrl(background, settings_.baseUrl, settings_.origin);
    return images_.FindOrAddImage(url.url, true, url.mayFetch);
  }

  // The next "<li" at the level of this list (nested lists of either kind counted), or `listEnd`.
  static std::size_t NextListItem(std::u16string_view text, std::size_t from, std::size_t listEnd) {
    int nested = 0;
    for (std::size_t pos = text.find(u'<', from); pos < listEnd; pos = text.find(u'<', pos + 1)) {
      const HtmlTag tag = MatchHtmlTag(text, pos);
      if (tag == kTagUl || tag == kTagOl) ++nested;
      if ((tag == kTagEndUl || tag == kTagEndOl) && nested > 0) --nested;
      if (tag == kTagLi && nested == 0) return pos;
    }
    return listEnd;
  }

  ParsedHtmlPage& page_;
  const HtmlPageSettings& settings_;
  HtmlTextMeasurer& measurer_;
  HtmlImageRegistry& images_;
  CMiniBrowserCallbacks* host_;
  int currentForm_ = -1;
  int listLevel_ = 0;  // lists open around the one being read: even levels get filled bullets
};

}  // namespace

ParsedHtmlPage ParseHtmlPage(std::u16string_view page, const HtmlPageSettings& settings,
                             HtmlTextMeasurer& measurer, HtmlImageRegistry& images, CMiniBrowserCallbacks* host) {
  ParsedHtmlPage parsed;
  const bool plainText = IsPlainTextPage(settings.baseUrl);
  PreparedHtmlPage prepared = PrepareHtmlPage(page, settings.baseUrl);
  parsed.title = std::move(prepared.title);
  if (prepared.backgroundColour) parsed.backgroundColour = *prepared.backgroundColour;
  if (!prepared.backgroundUrl.empty()) {
    const bool mayFetch = settings.origin == PageOrigin::Browsing || IsLocalFileUrl(prepared.backgroundUrl);
    parsed.backgroundImage = images.FindOrAddImage(prepared.backgroundUrl, true, mayFetch);
  }
  BaseStyle base{plainText ? std::u16string(kFixedFace) : settings.face, ClampFontHeight(settings.fontHeight),
                 settings.textColour};
  TagParser parser(parsed, settings, measurer, images, host);
  parser.Parse(prepared.text, parsed.elements, base, 0, kAlignLeft, plainText);
  return parsed;
}

}  // namespace preview
