// What a user sees of a window of the program, read from outside: pixels of the
// screen, where a window sits against its owner, and texts that do not fit their
// controls.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace programtest {

// The screen's colour at a client point of the window.
COLORREF ScreenPixel(HWND window, POINT client);
// How many pixels of the window's client area, as the screen shows it, lie within
// `tolerance` of `colour` in each channel.
int ScreenPixelsNear(HWND window, COLORREF colour, int tolerance);
// How far the window's centre lies from its owner's centre (the larger of x and y).
int OffCentre(HWND window, HWND owner);

// The font a control of the program draws with, made in this process; null when
// the control's font is not known (the check then skips it).
using FontOf = std::function<HFONT(HWND control)>;

// Why the control's text does not fit it under `font` ("id 'text' needs WxH in
// WxH"); empty when it fits or the control is no text, check box, radio button or
// group box.
std::wstring TextMisfit(HWND control, HFONT font);

// Every visible static text, check box, radio button and group box below `parent`
// whose text does not fit its control under `fontOf`: "id 'text' needs WxH in WxH".
std::vector<std::wstring> TextsThatDoNotFit(HWND parent, const FontOf& fontOf);

// The program's own copy of a dialog template made in this process (hidden), so
// that its controls carry the fonts the template gives; destroyed with the object.
class TemplateCopy {
 public:
  explicit TemplateCopy(UINT templateId);
  ~TemplateCopy();
  TemplateCopy(const TemplateCopy&) = delete;
  TemplateCopy& operator=(const TemplateCopy&) = delete;
  // The template's font of the control with this id (the dialog's font when the
  // template has no such control).
  HFONT FontOf(int controlId) const;

 private:
  HMODULE module_ = nullptr;
  HWND dialog_ = nullptr;
};

// An Arial font of the given pixel height and weight, as the program makes them.
HFONT MakeArial(int height, int weight);

}  // namespace programtest
