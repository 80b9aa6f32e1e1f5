#include "HtmlFormFields.h"

#include <algorithm>
#include <string>

#include "HtmlAttributes.h"
#include "HtmlEntities.h"
#include "HtmlTagTable.h"
#include "HtmlText.h"

namespace preview {

namespace {

constexpr std::u16string_view kFieldFace = u"MS Sans serif";
constexpr std::u16string_view kTextAreaFace = u"Courier New";
constexpr int kFieldFontHeight = 15;
constexpr std::int32_t kWhite = 0xFFFFFF;
constexpr std::int32_t kSilver = 0xC0C0C0;
constexpr int kTickSize = 13;

std::u16string_view AttributeOr(const CStringRowArray& attributes, std::u16string_view name,
                                std::u16string_view fallback) {
  const char16_t* value = FindHtmlAttribute(attributes, name);
  return value != nullptr ? std::u16string_view(value) : fallback;
}

int ClampedAttribute(const CStringRowArray& attributes, std::u16string_view name, int fallback, int maximum) {
  const char16_t* value = FindHtmlAttribute(attributes, name);
  if (value == nullptr) return fallback;
  return std::clamp(ReadHtmlInteger(value), 1, maximum);
}

TextRunStyle FieldStyle(const FormFieldContext& context, std::u16string_view face, int height,
                        std::int32_t edgeColour, std::int32_t background) {
  TextRunStyle style;
  style.edges = kEdgeFrame;
  style.edgeWidth = 2;
  style.edgeColour = edgeColour;
  style.face = face;
  style.fontHeight = height;
  style.backgroundColour = background;
  style.alignment = context.alignment;
  style.preformatted = context.preformatted;
  return style;
}

void SetControl(BrowserElement& field, HtmlControlHandle control) { field.control = control; }

std::u16string Trimmed(std::u16string_view text) {
  while (!text.empty() && IsHtmlSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsHtmlSpace(text.back())) text.remove_suffix(1);
  return std::u16string(text);
}

}  // namespace

std::u16string InputType(const CStringRowArray& attributes) {
  std::u16string type(AttributeOr(attributes, u"type", u"text"));
  for (char16_t& c : type) c = HtmlAsciiLower(c);
  return type;
}

std::unique_ptr<BrowserElement> MakeInputField(const CStringRowArray& attributes, const FormFieldContext& context) {
  const std::u16string type = InputType(attributes);
  const int size = ClampedAttribute(attributes, u"size", 10, kMaxFieldCharacters);
  const std::u16string_view value = AttributeOr(attributes, u"value", u"");
  const std::u16string_view name = AttributeOr(attributes, u"name", u"");
  CMiniBrowserCallbacks* host = context.host;

  if (type == u"text" || type == u"password") {
    const bool password = type == u"password";
    auto field = MakeTextElement(std::u16string(static_cast<std::size_t>(size), u'0'),
                                 FieldStyle(context, kFieldFace, kFieldFontHeight, kEdgeSunken, kWhite),
                                 context.measurer);
    field->width += 8;
    field->height += 4;
    field->text = value;
    if (host != nullptr) {
      const char16_t* maximum = FindHtmlAttribute(attributes, u"maxlength");
      const int maximumLength = maximum != nullptr ? std::max(ReadHtmlInteger(maximum), 0) : 0;
      SetControl(*field, host->CreateEditControl(size, maximumLength, field->width, field->height, value, false,
                                                 name, context.form, password));
    }
    return field;
  }
  if (type == u"button" || type == u"submit") {
    auto field = MakeTextElement(value, FieldStyle(context, kFieldFace, kFieldFontHeight, kEdgeRaised, kSilver),
                                 context.measurer);
    field->width += 8;
    field->height += 4;
    if (host != nullptr)
      SetControl(*field, host->CreatePushButton(field->width, field->height, value, name, context.form));
    return field;
  }
  if (type == u"radio" || type == u"checkbox") {
    auto field = MakeTextElement(u"    ", FieldStyle(context, context.face, context.fontHeight, kEdgeSunken, kWhite),
                                 context.measurer);
    field->width = kTickSize;
    field->height = kTickSize;
    if (host != nullptr)
      SetControl(*field, type == u"radio" ? host->CreateRadioButton(kTickSize, kTickSize, value, name, context.form)
                                          : host->CreateCheckBox(kTickSize, kTickSize, value, name, context.form));
    return field;
  }
  if (type == u"hidden") {
    TextRunStyle style;
    style.face = context.face;
    style.fontHeight = context.fontHeight;
    style.backgroundColour = kWhite;
    style.alignment = context.alignment;
    style.preformatted = context.preformatted;
    auto field = MakeTextElement(value, style, context.measurer);
    field->width = 0;
    field->height = 0;
    if (host != nullptr)
      SetControl(*field, host->CreateEditControl(size, 0, 0, 0, value, false, name, context.form, false));
    return field;
  }
  return nullptr;
}

std::unique_ptr<BrowserElement> MakeSelectField(const CStringRowArray& attributes, std::u16string_view content,
                                                const FormFieldContext& context) {
  CStringRowArray options;
  int selected = 0;
  std::size_t pos = content.find(u'<');
  while (pos != std::u16string_view::npos && MatchHtmlTag(content, pos) != kTagOption) pos = content.find(u'<', pos + 1);
  while (pos != std::u16string_view::npos) {
    const std::size_t textStart = PastTagEnd(content, pos);
    CStringRowArray optionAttributes;
    ParseHtmlAttributes(content.substr(pos, textStart - pos), optionAttributes);
    std::size_t next = content.find(u'<', textStart);
    while (next != std::u16string_view::npos && MatchHtmlTag(content, next) != kTagOption) next = content.find(u'<', next + 1);
    std::u16string text = Trimmed(content.substr(textStart, (next == std::u16string_view::npos ? content.size() : next) - textStart));
    DecodeHtmlEntities(text);
    const std::u16string_view value = AttributeOr(optionAttributes, u"value", u"");
    if (FindHtmlAttribute(optionAttributes, u"selected") != nullptr) selected = options.GetCount();
    const int row = options.AddRow() - 1;
    options.AppendToRow(row, text.c_str(), static_cast<int>(text.size()));
    options.AppendToRow(row, value.data(), static_cast<int>(value.size()));
    pos = next;
  }

  int widest = 0;
  for (int i = 0; i < options.GetCount(); ++i) {
    int length = 0;
    const char16_t* text = options.GetRow(i).Get(0, &length);
    widest = std::max(widest, context.measurer.MeasureText(kFieldFace, kFieldFontHeight, false, false,
                                                           std::u16string_view(text, static_cast<std::size_t>(length))).width);
  }
  int firstLength = 0;
  const char16_t* first = options.GetRow(0).Get(0, &firstLength);
  auto field = MakeTextElement(std::u16string_view(first, static_cast<std::size_t>(firstLength)),
                               FieldStyle(context, kFieldFace, kFieldFontHeight, kEdgeSunken, kWhite), context.measurer);
  field->width = widest + context.measurer.ScrollBarWidth() + 8;
  field->height += 4;
  if (context.host != nullptr)
    SetControl(*field, context.host->CreateComboBox(field->width, field->height, options, selected,
                                                    AttributeOr(attributes, u"name", u""), context.form));
  return field;
}

std::unique_ptr<BrowserElement> MakeTextAreaField(const CStringRowArray& attributes, std::u16string_view content,
                                                  const FormFieldContext& context) {
  const int columns = ClampedAttribute(attributes, u"cols", 15, kMaxFieldCharacters);
  const int rows = ClampedAttribute(attributes, u"rows", 3, kMaxFieldRows);
  auto field = MakeTextElement(u" ", FieldStyle(context, kTextAreaFace, kFieldFontHeight, kEdgeSunken, kWhite),
                               context.measurer);
  field->width = columns * field->width + 4;
  field->height = rows * field->height + 4;
  field->text = content;
  if (context.host != nullptr)
    SetControl(*field, context.host->CreateEditControl(-1, 0, field->width, field->height, content, true,
                                                       AttributeOr(attributes, u"name", u""), context.form, false));
  return field;
}

}  // namespace preview
