#include "WindowLooks.h"

#include <cstdint>

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>

#include "ProgramDriver.h"

namespace programtest {

COLORREF ScreenPixel(HWND window, POINT client) {
  ::ClientToScreen(window, &client);
  HDC screen = ::GetDC(nullptr);
  const COLORREF colour = ::GetPixel(screen, client.x, client.y);
  ::ReleaseDC(nullptr, screen);
  return colour;
}

int ScreenPixelsNear(HWND window, COLORREF colour, int tolerance) {
  RECT area{};
  ::GetClientRect(window, &area);
  POINT origin{0, 0};
  ::ClientToScreen(window, &origin);
  const int width = area.right, height = area.bottom;
  if (width <= 0 || height <= 0) return 0;
  // One copy of the screen's rectangle, read in memory, instead of a query per pixel.
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
  void* bits = nullptr;
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  HBITMAP copy = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  int count = 0;
  if (copy != nullptr) {
    HGDIOBJ old = ::SelectObject(memory, copy);
    ::BitBlt(memory, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
    ::SelectObject(memory, old);
    const auto* pixel = static_cast<const uint32_t*>(bits);
    for (int i = 0; i < width * height; ++i) {
      const int r = (pixel[i] >> 16) & 0xFF, g = (pixel[i] >> 8) & 0xFF, b = pixel[i] & 0xFF;
      if (std::abs(r - GetRValue(colour)) <= tolerance && std::abs(g - GetGValue(colour)) <= tolerance &&
          std::abs(b - GetBValue(colour)) <= tolerance)
        ++count;
    }
    ::DeleteObject(copy);
  }
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  return count;
}

int OffCentre(HWND window, HWND owner) {
  RECT w{}, o{};
  ::GetWindowRect(window, &w);
  ::GetWindowRect(owner, &o);
  const int dx = std::abs((w.left + w.right) / 2 - (o.left + o.right) / 2);
  const int dy = std::abs((w.top + w.bottom) / 2 - (o.top + o.bottom) / 2);
  return std::max(dx, dy);
}

namespace {

// The size the text takes in one line, or wrapped into `width` when `wrap`.
SIZE MeasuredText(HFONT font, const std::wstring& text, int width, bool wrap) {
  HDC dc = ::CreateCompatibleDC(nullptr);
  HGDIOBJ old = ::SelectObject(dc, font);
  RECT rect{0, 0, wrap ? width : 0, 0};
  const UINT format = DT_CALCRECT | DT_EXPANDTABS | (wrap ? DT_WORDBREAK : DT_SINGLELINE);
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, format);
  ::SelectObject(dc, old);
  ::DeleteDC(dc);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

std::wstring Describe(HWND control, const std::wstring& text, SIZE need, SIZE have) {
  return L"id " + std::to_wstring(::GetDlgCtrlID(control)) + L" '" + text + L"' needs " + std::to_wstring(need.cx) +
         L"x" + std::to_wstring(need.cy) + L" in " + std::to_wstring(have.cx) + L"x" + std::to_wstring(have.cy);
}

}  // namespace

std::wstring TextMisfit(HWND control, HFONT font) {
  const std::wstring text = WindowText(control);
  if (text.empty() || font == nullptr) return L"";
  const std::wstring cls = ClassOf(control);
  const LONG style = ::GetWindowLongW(control, GWL_STYLE);
  RECT client{};
  ::GetClientRect(control, &client);
  const SIZE have{client.right, client.bottom};
  if (cls == L"Static") {
    const LONG type = style & SS_TYPEMASK;
    if (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT && type != SS_LEFTNOWORDWRAP && type != SS_SIMPLE)
      return L"";
    const bool wrap = type != SS_LEFTNOWORDWRAP && type != SS_SIMPLE;
    const SIZE need = MeasuredText(font, text, have.cx, wrap);
    return need.cx > have.cx || need.cy > have.cy ? Describe(control, text, need, have) : L"";
  }
  if (cls != L"Button") return L"";
  const LONG type = style & BS_TYPEMASK;
  int room = 0;
  if (type == BS_GROUPBOX) room = 16;  // the frame's ends on both sides of the caption
  else if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON ||
           type == BS_3STATE || type == BS_AUTO3STATE)
    room = ::GetSystemMetrics(SM_CXMENUCHECK) + 4;  // the box and its gap
  else return L"";
  std::wstring shown = text;
  shown.erase(std::remove(shown.begin(), shown.end(), L'&'), shown.end());
  const SIZE line = MeasuredText(font, shown, 0, false);
  const SIZE need{line.cx + room, line.cy};
  return need.cx > have.cx || (type != BS_GROUPBOX && need.cy > have.cy) ? Describe(control, text, need, have) : L"";
}

std::vector<std::wstring> TextsThatDoNotFit(HWND parent, const FontOf& fontOf) {
  std::vector<std::wstring> misfits;
  for (HWND control : Descendants(parent)) {
    if (!::IsWindowVisible(control)) continue;
    const std::wstring misfit = TextMisfit(control, fontOf(control));
    if (!misfit.empty()) misfits.push_back(misfit);
  }
  return misfits;
}

namespace {
INT_PTR CALLBACK QuietDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
}  // namespace

TemplateCopy::TemplateCopy(UINT templateId) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&controls);
  module_ = ::LoadLibraryExW(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (module_ != nullptr)
    dialog_ = ::CreateDialogParamW(module_, MAKEINTRESOURCEW(templateId), nullptr, QuietDialogProc, 0);
}

TemplateCopy::~TemplateCopy() {
  if (dialog_ != nullptr) ::DestroyWindow(dialog_);
  if (module_ != nullptr) ::FreeLibrary(module_);
}

HFONT TemplateCopy::FontOf(int controlId) const {
  if (dialog_ == nullptr) return nullptr;
  HWND control = ::GetDlgItem(dialog_, controlId);
  return reinterpret_cast<HFONT>(::SendMessageW(control != nullptr ? control : dialog_, WM_GETFONT, 0, 0));
}

HFONT MakeArial(int height, int weight) {
  return ::CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
}

}  // namespace programtest
