#pragma once
// How the renderer talks to the window that hosts it: progress, links, the title,
// fetching pages and images, and the real controls that show form fields. The
// renderer calls these on the user-interface thread, except FetchImage and
// OnImagesLoaded, which run on the image store's loader threads.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "CStringRowArray.h"

namespace preview {

// A rectangle in document coordinates (right and bottom exclusive).
struct HtmlRect {
  int left = 0, top = 0, right = 0, bottom = 0;
};

// A host control, as the host identifies it; kNoControl: the renderer paints the field.
using HtmlControlHandle = std::intptr_t;
constexpr HtmlControlHandle kNoControl = -1;

class CMiniBrowserCallbacks {
 public:
  virtual ~CMiniBrowserCallbacks() = default;

  // Phase 0: parsing reached `position` of `total` characters; phase 1: layout is
  // sizing image `position` of `total`.
  virtual int OnParseProgress(int phase, int position, int total) = 0;
  virtual void OnLinkClicked(std::u16string_view target) = 0;
  virtual void OnLinkHover(bool over, std::u16string_view target) = 0;
  virtual void SetPageTitle(std::u16string_view text) = 0;
  // The page text, or nothing when it cannot be fetched.
  virtual std::optional<std::u16string> FetchPage(std::u16string_view url) = 0;
  // The image's bytes, or nothing. Runs on a loader thread.
  virtual std::optional<std::vector<std::uint8_t>> FetchImage(const std::u16string& url) = 0;
  // Runs on a loader thread after each image has ended; may only post to windows.
  virtual void OnImagesLoaded(int finished, int total) = 0;
  virtual int AddForm(std::u16string_view action, std::u16string_view method) = 0;
  virtual HtmlControlHandle CreateEditControl(int limit, int maximumLength, int width, int height,
                                              std::u16string_view text, bool multiline, std::u16string_view name,
                                              int form, bool password) = 0;
  virtual HtmlControlHandle CreatePushButton(int width, int height, std::u16string_view caption,
                                             std::u16string_view name, int form) = 0;
  virtual HtmlControlHandle CreateRadioButton(int width, int height, std::u16string_view value,
                                              std::u16string_view name, int form) = 0;
  virtual HtmlControlHandle CreateCheckBox(int width, int height, std::u16string_view value,
                                           std::u16string_view name, int form) = 0;
  // `options`: one row per option, entry 0 its text and entry 1 its value.
  virtual HtmlControlHandle CreateComboBox(int width, int height, const CStringRowArray& options, int selected,
                                           std::u16string_view name, int form) = 0;
  virtual void MoveControl(HtmlControlHandle control, int x, int y) = 0;
  virtual void Redraw(const HtmlRect& rectangle) = 0;
};

}  // namespace preview
