// The program's message box: a modal dialog like the system message box whose
// texts are laid out as markup, with button sets, countdowns and remembered
// answers. Callable from any thread; the dialog runs on the calling thread.
// Texts given by callers are markup: put plain texts (paths, file names) in
// through markup::EscapeMarkup.
#pragma once

#include <windows.h>

#include <map>

// One band of the box: its fill and the separator along its edge.
struct MarkupBackground {
  int separatorStyle = 0;      // 0 none, 1 etched, 2 black, 3 white line
  int separatorAlignment = 0;  // 0 left, 1 right, 2 centred
  const wchar_t* separatorText = nullptr;
  int fillEffect = -1;  // an effect-painter fill number, -1 for none
  COLORREF color1;
  COLORREF color2;
  COLORREF color3;
  MarkupBackground();
};

// Texts are wide strings, or string resource ids (values up to 0xFFFF, MAKEINTRESOURCEW).
struct MarkupMessageBoxParams {
  HWND owner = nullptr;
  HINSTANCE stringModule = nullptr;
  HINSTANCE iconModule = nullptr;
  const wchar_t* caption = nullptr;
  const wchar_t* answerPrefix = nullptr;  // empty: nothing is remembered
  const wchar_t* answerCompany = nullptr;
  int messageNumber = 0;
  UINT reportMessage = 0;
  MarkupBackground windowBackground;
  int headerHeight = 0;
  const wchar_t* headerText = nullptr;
  MarkupBackground headerBand;
  const wchar_t* text = nullptr;
  int buttonAlignment = 2;  // 0 left, 1 right, 2 centred
  DWORD style = 0x30;
  MarkupBackground buttonBand;
  const wchar_t* moreText = nullptr;
  MarkupBackground moreSection;
  int autoPressSeconds = 0;
  int lockSeconds = 0;
  int countdownInCaption = 0;
  DWORD helpContext = 0;
  const wchar_t* userIcon = nullptr;
  const wchar_t* customButtons = nullptr;
  const wchar_t* doNotShowAgainText = nullptr;
  const std::map<int, const wchar_t*>* customCaptions = nullptr;
};

// Returns the pressed button's identifier (with 0x02000000 when the "Do not show
// again" box was ticked and the style asks for it), a remembered answer without
// showing anything, or IDCANCEL when the dialog cannot be made.
int MarkupMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, DWORD style,
                     const MarkupMessageBoxParams* params = nullptr);
int MarkupMessageBoxIndirect(const MarkupMessageBoxParams* params);

// Identifier of the countdown timer and the drawers' hover message.
constexpr UINT kMarkupMessageBoxTimer = 1;
constexpr UINT kMarkupMessageBoxHover = WM_APP + 100;
