#pragma once
// A callback object for a renderer without a window: it serves pages and images from
// the program's RT_HTML resources ("res://" addresses) and does nothing else. The
// program carries no such resources, so every fetch gives nothing.

#include "CMiniBrowserCallbacks.h"

namespace preview {

class CHtmlResourceLoader : public CMiniBrowserCallbacks {
 public:
  int OnParseProgress(int, int, int) override { return 0; }
  void OnLinkClicked(std::u16string_view) override {}
  void OnLinkHover(bool, std::u16string_view) override {}
  void SetPageTitle(std::u16string_view) override {}
  std::optional<std::u16string> FetchPage(std::u16string_view url) override;
  std::optional<std::vector<std::uint8_t>> FetchImage(const std::u16string& url) override;
  void OnImagesLoaded(int, int) override {}
  int AddForm(std::u16string_view, std::u16string_view) override { return -1; }
  HtmlControlHandle CreateEditControl(int, int, int, int, std::u16string_view, bool, std::u16string_view, int,
                                      bool) override { return kNoControl; }
  HtmlControlHandle CreatePushButton(int, int, std::u16string_view, std::u16string_view, int) override { return kNoControl; }
  HtmlControlHandle CreateRadioButton(int, int, std::u16string_view, std::u16string_view, int) override { return kNoControl; }
  HtmlControlHandle CreateCheckBox(int, int, std::u16string_view, std::u16string_view, int) override { return kNoControl; }
  HtmlControlHandle CreateComboBox(int, int, const CStringRowArray&, int, std::u16string_view, int) override {
    return kNoControl;
  }
  void MoveControl(HtmlControlHandle, int, int) override {}
  void Redraw(const HtmlRect&) override {}
};

// The program's one default loader, ready from start-up.
CHtmlResourceLoader& DefaultHtmlResourceLoader();

}  // namespace preview
