#pragma once
// The own renderer inside a view: a control-less child dialog as the browser's canvas
// above a 20-pixel status bar, and the browser that draws in it. Both HTML views
// use it: the custom viewer always, the browser-control view where that control is
// not installed.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "CMiniBrowser.h"

namespace preview {

constexpr int kStatusBarHeight = 20;

// A dialog template of the given size in dialog units, without caption or controls.
std::vector<WORD> ControlLessDialogTemplate(short width, short height, DWORD style);

class HtmlRendererPane {
 public:
  HtmlRendererPane() = default;
  ~HtmlRendererPane();
  HtmlRendererPane(const HtmlRendererPane&) = delete;
  HtmlRendererPane& operator=(const HtmlRendererPane&) = delete;

  // Creates the canvas, the status bar and the browser in `view`, and follows `url`.
  bool Open(HWND view, const std::wstring& url);
  // The status bar takes the bottom 20 pixels, the canvas the rest.
  void Resize(int width, int height);
  void Close();

  CMiniBrowser* Browser() const { return browser_.get(); }
  HWND Canvas() const { return canvas_; }
  HWND StatusBar() const { return statusBar_; }

 private:
  static INT_PTR CALLBACK CanvasProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND canvas_ = nullptr;
  HWND statusBar_ = nullptr;
  std::unique_ptr<CMiniBrowser> browser_;
};

// The address the own renderer opens for a previewed file.
std::wstring FileUrlOf(const std::wstring& path);

}  // namespace preview
