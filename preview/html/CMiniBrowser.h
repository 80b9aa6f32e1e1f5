#pragma once
// A small browser inside a host window: it owns the document, fetches pages and
// images, keeps the navigation history, makes real controls for form fields and
// submits forms, paints through a back buffer the size of its canvas, selects text
// by dragging, and scrolls through BrowserWndProc. The host routes every message of
// its canvas (a control-less child dialog) to DialogProc.

#include <windows.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "CBrowserDocument.h"
#include "CMiniBrowserCallbacks.h"
#include "CStringRowArray.h"
#include "GdiHtmlRendering.h"

namespace preview {

// Posted to the canvas by image loaders: wParam images finished, lParam images in all.
constexpr UINT BWM_IMAGESLOADED = 0x417;
constexpr int kMaxRedirects = 10;

class CMiniBrowser : public CMiniBrowserCallbacks {
 public:
  CMiniBrowser(HWND canvas, HWND hostWindow, HWND statusBar, HWND addressEdit, HWND backButton);
  ~CMiniBrowser() override;
  CMiniBrowser(const CMiniBrowser&) = delete;
  CMiniBrowser& operator=(const CMiniBrowser&) = delete;

  // The canvas's messages; the result as a dialog procedure returns it.
  INT_PTR DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  void Relayout();
  void ClearControls();
  // `form` -1: the form of the push button with this handle and control id.
  void SubmitForm(int form, HWND control = nullptr, int controlId = 0);
  static std::wstring UrlEncode(std::wstring_view text);
  void ShowReadProgress(long long bytes, const std::wstring& total);

  int OnParseProgress(int phase, int position, int total) override;
  void OnLinkClicked(std::u16string_view target) override;
  void OnLinkHover(bool over, std::u16string_view target) override;
  void SetPageTitle(std::u16string_view text) override;
  std::optional<std::u16string> FetchPage(std::u16string_view url) override;
  std::optional<std::vector<std::uint8_t>> FetchImage(const std::u16string& url) override;
  void OnImagesLoaded(int finished, int total) override;
  int AddForm(std::u16string_view action, std::u16string_view method) override;
  HtmlControlHandle CreateEditControl(int limit, int maximumLength, int width, int height, std::u16string_view text,
                                      bool multiline, std::u16string_view name, int form, bool password) override;
  HtmlControlHandle CreatePushButton(int width, int height, std::u16string_view caption, std::u16string_view name,
                                     int form) override;
  HtmlControlHandle CreateRadioButton(int width, int height, std::u16string_view value, std::u16string_view name,
                                      int form) override;
  HtmlControlHandle CreateCheckBox(int width, int height, std::u16string_view value, std::u16string_view name,
                                   int form) override;
  HtmlControlHandle CreateComboBox(int width, int height, const CStringRowArray& options, int selected,
                                   std::u16string_view name, int form) override;
  void MoveControl(HtmlControlHandle control, int x, int y) override;
  void Redraw(const HtmlRect& rectangle) override;

  CBrowserDocument& Document() { return *document_; }
  const std::wstring& CurrentUrl() const { return currentUrl_; }
  const CStringRowArray& History() const { return history_; }
  const CStringRowArray& Controls() const { return controls_; }
  const CStringRowArray& Forms() const { return forms_; }

 private:
  HWND CreateControl(const wchar_t* className, DWORD style, DWORD extendedStyle, const std::wstring& text, int width,
                     int height, std::u16string_view name, int form, const wchar_t* type, std::u16string_view value,
                     bool withValue, int stockFont);
  void SetStatus(const std::wstring& text);
  void LoadPage(const std::wstring& page, const std::wstring& baseUrl);
  void ShowLoadedPage();
  void DumpPageText(const std::wstring& page);
  void ReplaceBackBuffer();
  void Paint();
  void OnMouseMove(int x, int y);
  void OnLeftButtonDown(int x, int y);
  void OnImagesCounted(int finished, int total);
  int ScrollPosition(UINT message) const { return static_cast<int>(::SendMessageW(canvas_, message, 0, 0)); }
  std::wstring PageUrl();

  HWND canvas_, hostWindow_, statusBar_, addressEdit_, backButton_;
  std::wstring currentUrl_;
  std::wstring savedStatus_;
  CStringRowArray history_;
  GdiTextMeasurer measurer_;
  PictureImageDecoder decoder_;
  std::unique_ptr<CBrowserDocument> document_;
  HBITMAP backBuffer_ = nullptr;
  POINT dragAnchor_{}, dragPoint_{};
  CStringRowArray controls_;
  CStringRowArray forms_;
  // The values of drop-down list options, held as the lists' item data.
  std::vector<std::unique_ptr<std::wstring>> optionValues_;
  std::u16string hoveredUrl_;
  bool hasHoveredUrl_ = false;
  int navigating_ = 0;
  int fontHeight_ = 15;
  std::u16string face_ = u"Arial";
  int lastParseReport_ = -1;
  // The shown page's address, copied for the loader threads' Referer header.
  std::mutex pageUrlMutex_;
  std::wstring pageUrlForLoaders_;
};

}  // namespace preview
