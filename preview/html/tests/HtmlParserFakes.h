#pragma once
// Stand-ins for the screen and the image store: every character is half the font
// height wide, and images are numbered in the order the parser asks for them.

#include <string>
#include <vector>

#include "BrowserElement.h"

namespace preview {

class FakeTextMeasurer : public HtmlTextMeasurer {
 public:
  TextExtent MeasureText(std::u16string_view, int height, bool, bool, std::u16string_view text) override {
    return {static_cast<int>(text.size()) * (height / 2), height};
  }
};

class FakeImageRegistry : public HtmlImageRegistry {
 public:
  struct Entry {
    std::u16string url;
    bool backgroundOnly;
    bool mayFetch;
  };

  int FindOrAddImage(std::u16string_view url, bool backgroundOnly, bool mayFetch) override {
    for (std::size_t i = 0; i < entries.size(); ++i)
      if (entries[i].url == url && entries[i].backgroundOnly == backgroundOnly) return static_cast<int>(i);
    entries.push_back({std::u16string(url), backgroundOnly, mayFetch});
    return static_cast<int>(entries.size() - 1);
  }

  std::vector<Entry> entries;
};

}  // namespace preview
