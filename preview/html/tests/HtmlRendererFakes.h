#pragma once
// Stand-ins for the browser window around a document: a host that records what the
// renderer asks of it and serves images from a table, a decoder whose pictures are
// "W x H" text, and a canvas that records what is painted.

#include <atomic>
#include <chrono>
#include <cstdio>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "CBrowserImageCache.h"
#include "CMiniBrowserCallbacks.h"
#include "HtmlPainter.h"

namespace preview {

class FakeBitmap : public HtmlBitmap {
 public:
  FakeBitmap(int width, int height) : width_(width), height_(height) {}
  int Width() const override { return width_; }
  int Height() const override { return height_; }

 private:
  int width_, height_;
};

// Bytes "WxH" decode to a picture of that size; anything else is no picture.
class FakeImageDecoder : public HtmlImageDecoder {
 public:
  std::shared_ptr<HtmlBitmap> Decode(const std::vector<std::uint8_t>& bytes) override {
    const std::string text(bytes.begin(), bytes.end());
    int width = 0, height = 0;
    if (std::sscanf(text.c_str(), "%dx%d", &width, &height) != 2 || width <= 0 || height <= 0) return nullptr;
    return std::make_shared<FakeBitmap>(width, height);
  }
  std::shared_ptr<HtmlBitmap> MakePlaceholder() override {
    return std::make_shared<FakeBitmap>(kPlaceholderWidth, kPlaceholderHeight);
  }
};

class FakeBrowserHost : public CMiniBrowserCallbacks {
 public:
  int OnParseProgress(int phase, int, int) override { return phase; }
  void OnLinkClicked(std::u16string_view target) override { clicked.emplace_back(target); }
  void OnLinkHover(bool over, std::u16string_view target) override { hovered.emplace_back(over ? target : u"-"); }
  void SetPageTitle(std::u16string_view text) override { title = text; }
  std::optional<std::u16string> FetchPage(std::u16string_view) override { return std::nullopt; }
  std::optional<std::vector<std::uint8_t>> FetchImage(const std::u16string& url) override {
    const int now = ++running;
    int seen = mostRunning.load();
    while (now > seen && !mostRunning.compare_exchange_weak(seen, now)) {
    }
    if (fetchDelayMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(fetchDelayMs));
    std::optional<std::vector<std::uint8_t>> result;
    {
      std::lock_guard<std::mutex> lock(mutex);
      fetched.push_back(url);
      const auto found = images.find(url);
      if (found != images.end()) result = std::vector<std::uint8_t>(found->second.begin(), found->second.end());
    }
    --running;
    return result;
  }
  void OnImagesLoaded(int finished, int total) override {
    std::lock_guard<std::mutex> lock(mutex);
    loaded.emplace_back(finished, total);
  }
  int AddForm(std::u16string_view action, std::u16string_view method) override {
    forms.push_back(Narrow(action) + " " + Narrow(method));
    return static_cast<int>(forms.size() - 1);
  }
  HtmlControlHandle CreateEditControl(int limit, int maximumLength, int width, int height, std::u16string_view text,
                                      bool multiline, std::u16string_view name, int form, bool password) override {
    return Control("edit " + std::to_string(limit) + " " + std::to_string(maximumLength) + " " + Size(width, height) +
                   " " + Narrow(text) + (multiline ? " multi" : "") + (password ? " password" : "") + " " +
                   Narrow(name) + " f" + std::to_string(form));
  }
  HtmlControlHandle CreatePushButton(int width, int height, std::u16string_view caption, std::u16string_view name,
                                     int form) override {
    return Control("button " + Size(width, height) + " " + Narrow(caption) + " " + Narrow(name) + " f" + std::to_string(form));
  }
  HtmlControlHandle CreateRadioButton(int width, int height, std::u16string_view value, std::u16string_view name,
                                      int form) override {
    return Control("radio " + Size(width, height) + " " + Narrow(value) + " " + Narrow(name) + " f" + std::to_string(form));
  }
  HtmlControlHandle CreateCheckBox(int width, int height, std::u16string_view value, std::u16string_view name,
                                   int form) override {
    return Control("check " + Size(width, height) + " " + Narrow(value) + " " + Narrow(name) + " f" + std::to_string(form));
  }
  HtmlControlHandle CreateComboBox(int width, int height, const CStringRowArray& options, int selected,
                                   std::u16string_view name, int form) override {
    std::string text = "combo " + Size(width, height);
    for (int i = 0; i < options.GetCount(); ++i)
      text += " " + Narrow(options.GetRow(i).Get(0)) + "=" + Narrow(options.GetRow(i).Get(1));
    return Control(text + " sel" + std::to_string(selected) + " " + Narrow(name) + " f" + std::to_string(form));
  }
  void MoveControl(HtmlControlHandle control, int x, int y) override {
    moved.push_back(std::to_string(control) + "@" + std::to_string(x) + "," + std::to_string(y));
  }
  void Redraw(const HtmlRect& r) override { redrawn.push_back(r); }

  static std::string Narrow(std::u16string_view text) {
    std::string narrow;
    for (char16_t c : text) narrow += c < 0x80 ? static_cast<char>(c) : '?';
    return narrow;
  }

  std::mutex mutex;
  std::map<std::u16string, std::string> images;  // address -> bytes
  std::vector<std::u16string> fetched;
  std::vector<std::pair<int, int>> loaded;
  std::atomic<int> running{0}, mostRunning{0};
  int fetchDelayMs = 0;
  std::u16string title;
  std::vector<std::u16string> clicked, hovered;
  std::vector<std::string> forms, controls, moved;
  std::vector<HtmlRect> redrawn;

 private:
  static std::string Size(int width, int height) { return std::to_string(width) + "x" + std::to_string(height); }
  HtmlControlHandle Control(std::string description) {
    controls.push_back(std::move(description));
    return static_cast<HtmlControlHandle>(100 + controls.size());
  }
};

class RecordingCanvas : public HtmlCanvas {
 public:
  struct Fill {
    HtmlRect rectangle;
    HtmlColour colour;
  };
  void FillRect(const HtmlRect& rectangle, HtmlColour colour) override { fills.push_back({rectangle, colour}); }
  void DrawTextRun(const BrowserElement& run, int x, int y, HtmlColour colour, bool underline, bool strike) override {
    texts.push_back(FakeBrowserHost::Narrow(run.text) + "@" + std::to_string(x) + "," + std::to_string(y) +
                    (colour == kHoverRed ? " red" : "") + (underline ? " u" : "") + (strike ? " s" : ""));
  }
  void StretchBitmap(const HtmlBitmap& bitmap, const HtmlRect& d) override {
    images.push_back(std::to_string(bitmap.Width()) + "x" + std::to_string(bitmap.Height()) + "->" +
                     std::to_string(d.right - d.left) + "x" + std::to_string(d.bottom - d.top));
  }
  void DrawBitmapPart(const HtmlBitmap&, int, int, int, int) override { ++tiles; }

  std::vector<Fill> fills;
  std::vector<std::string> texts, images;
  int tiles = 0;
};

}  // namespace preview
