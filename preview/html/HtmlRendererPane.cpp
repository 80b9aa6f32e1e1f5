#include "HtmlRendererPane.h"

#include <commctrl.h>

namespace preview {

std::vector<WORD> ControlLessDialogTemplate(short width, short height, DWORD style) {
  std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD) + 3, 0);  // then no menu, default class, no title
  auto* dialog = reinterpret_cast<DLGTEMPLATE*>(words.data());
  dialog->style = style;
  dialog->cdit = 0;
  dialog->cx = width;
  dialog->cy = height;
  return words;
}

std::wstring FileUrlOf(const std::wstring& path) { return L"file://" + path; }

HtmlRendererPane::~HtmlRendererPane() { Close(); }

INT_PTR CALLBACK HtmlRendererPane::CanvasProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* browser = reinterpret_cast<CMiniBrowser*>(::GetWindowLongPtrW(window, DWLP_USER));
  return browser != nullptr ? browser->DialogProc(window, message, wParam, lParam) : FALSE;
}

bool HtmlRendererPane::Open(HWND view, const std::wstring& url) {
  const std::vector<WORD> dialog = ControlLessDialogTemplate(252, 139, WS_CHILD | WS_CLIPCHILDREN | DS_CONTROL);
  canvas_ = ::CreateDialogIndirectParamW(::GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(dialog.data()),
                                         view, CanvasProc, 0);
  if (canvas_ == nullptr) return false;
  ::ShowWindow(canvas_, SW_SHOW);
  statusBar_ = ::CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, view, nullptr,
                                 ::GetModuleHandleW(nullptr), nullptr);
  browser_ = std::make_unique<CMiniBrowser>(canvas_, view, statusBar_, nullptr, nullptr);
  ::SetWindowLongPtrW(canvas_, DWLP_USER, reinterpret_cast<LONG_PTR>(browser_.get()));
  browser_->OnLinkClicked(std::u16string(url.begin(), url.end()));
  return true;
}

void HtmlRendererPane::Resize(int width, int height) {
  if (statusBar_ != nullptr) {
    ::MoveWindow(statusBar_, 0, height - kStatusBarHeight, width, kStatusBarHeight, TRUE);
    ::InvalidateRect(statusBar_, nullptr, TRUE);
  }
  if (canvas_ != nullptr) ::MoveWindow(canvas_, 0, 0, width, std::max(0, height - kStatusBarHeight), TRUE);
}

void HtmlRendererPane::Close() {
  if (browser_) browser_->ClearControls();
  if (canvas_ != nullptr && ::IsWindow(canvas_)) {
    ::SetWindowLongPtrW(canvas_, DWLP_USER, 0);
    ::DestroyWindow(canvas_);
  }
  canvas_ = nullptr;
  browser_.reset();
  statusBar_ = nullptr;
}

}  // namespace preview
