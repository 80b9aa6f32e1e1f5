#include "BrowserElement.h"

#include <algorithm>

#include "HtmlEntities.h"

namespace preview {

namespace {

constexpr std::int32_t kMaxSpan = 1000;

std::int32_t ClampSpan(std::int32_t span) { return std::clamp(span, 1, kMaxSpan); }

}  // namespace

std::unique_ptr<BrowserElement> MakeTextElement(std::u16string_view text, const TextRunStyle& style,
                                                HtmlTextMeasurer& measurer) {
  auto element = std::make_unique<BrowserElement>();
  element->kind = kElementText;
  element->text = text;
  DecodeHtmlEntities(element->text);
  DecodeUtf8Latin1(element->text);
  element->face = style.face.substr(0, std::min(style.face.find(u','), kMaxFaceLength));
  element->edges = style.edges;
  element->edgeWidth = style.edgeWidth;
  element->edgeColour = style.edgeColour;
  element->fontHeight = style.fontHeight;
  element->bold = style.bold ? 1 : 0;
  element->italic = style.italic ? 1 : 0;
  element->textColour = style.textColour;
  element->backgroundColour = style.backgroundColour;
  element->alignment = style.alignment;
  element->verticalAlignment = style.verticalAlignment;
  element->link = style.link;
  element->preformatted = style.preformatted ? 1 : 0;
  const TextExtent extent =
      measurer.MeasureText(element->face, element->fontHeight, style.bold, style.italic, element->text);
  element->width = extent.width;
  element->height = extent.height;
  return element;
}

std::unique_ptr<BrowserElement> MakeImageElement(int imageIndex, std::int32_t alignment, std::int32_t link,
                                                 bool preformatted, std::int32_t border) {
  auto element = std::make_unique<BrowserElement>();
  element->kind = kElementImage;
  element->image = imageIndex;
  element->alignment = alignment;
  element->link = link;
  element->preformatted = preformatted ? 1 : 0;
  if (border != 0) {
    element->edges = kEdgeFrame;
    element->edgeWidth = border;
  }
  return element;
}

std::unique_ptr<BrowserElement> MakeBreakElement(std::int32_t height, std::int32_t width, std::int32_t alignment,
                                                 bool clear) {
  auto element = std::make_unique<BrowserElement>();
  element->kind = kElementBreak;
  element->height = height;
  element->width = width;
  element->alignment = alignment;
  element->edgeWidth = 1;
  element->edgeColour = kEdgeSunken;
  if (width != 0) element->edges = kEdgeFrame;
  element->clear = clear ? 1 : 0;
  return element;
}

std::unique_ptr<BrowserElement> MakeBoxElement(const BoxSettings& settings) {
  auto element = std::make_unique<BrowserElement>();
  element->kind = kElementBox;
  element->row = settings.row;
  element->column = settings.column;
  element->cellWidth = settings.cellWidth;
  element->alignment = settings.alignment;
  element->verticalAlignment = settings.verticalAlignment;
  element->backgroundColour = settings.backgroundColour;
  element->border = settings.border;
  element->columnSpan = ClampSpan(settings.columnSpan);
  element->rowSpan = ClampSpan(settings.rowSpan);
  element->padding = settings.padding + (settings.border != 0 ? 1 : 0);
  element->spacing = settings.spacing;
  element->tableWidth = settings.tableWidth;
  element->backgroundImage = settings.backgroundImage;
  element->cellHeight = settings.cellHeight;
  element->tableHeight = settings.tableHeight;
  element->edgeColour = settings.edgeColour;
  element->floatSide = settings.floatSide;
  if (settings.border != 0) {
    element->edges = kEdgeFrame;
    element->edgeWidth = 1;
  }
  return element;
}

}  // namespace preview
