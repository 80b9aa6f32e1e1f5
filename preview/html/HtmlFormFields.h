#pragma once
// Form fields of a page: each becomes one text run that reserves the field's place
// and, when the page has a host, a real control the host creates for it. Lengths
// and counts read from the page are clamped, so a hostile "size" cannot make a run
// of millions of characters.

#include <memory>
#include <string_view>

#include "BrowserElement.h"
#include "CMiniBrowserCallbacks.h"
#include "CStringRowArray.h"

namespace preview {

// Field sizes in characters, columns and rows stay within these.
constexpr int kMaxFieldCharacters = 500;
constexpr int kMaxFieldRows = 200;

struct FormFieldContext {
  HtmlTextMeasurer& measurer;
  CMiniBrowserCallbacks* host;  // null: no controls, the renderer paints the fields
  int form = -1;
  std::u16string_view face;      // the running face and size, for radio buttons, check boxes
  int fontHeight = 15;           // and hidden fields
  std::int32_t alignment = kAlignLeft;
  bool preformatted = false;
};

// "<input" of every type but "image" (which the parser makes into a linked image);
// null for an unknown type.
std::unique_ptr<BrowserElement> MakeInputField(const CStringRowArray& attributes, const FormFieldContext& context);

// "<select": `content` runs from after the tag's ">" to "</select".
std::unique_ptr<BrowserElement> MakeSelectField(const CStringRowArray& attributes, std::u16string_view content,
                                                const FormFieldContext& context);

// "<textarea": `content` runs from after the tag's ">" to "</textarea".
std::unique_ptr<BrowserElement> MakeTextAreaField(const CStringRowArray& attributes, std::u16string_view content,
                                                  const FormFieldContext& context);

// The "type" of an input, lower-cased; "text" when it has none.
std::u16string InputType(const CStringRowArray& attributes);

}  // namespace preview
