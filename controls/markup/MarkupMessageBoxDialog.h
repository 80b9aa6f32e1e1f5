// The dialog object of one markup message box call.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "EffectPainter.h"
#include "MarkupDrawer.h"
#include "MarkupMessageBox.h"
#include "MarkupWindowLink.h"
#include "MessageBoxLayout.h"

// Registry key and value name of a remembered answer; false when the call asks for none.
bool RememberedAnswerKey(const MarkupMessageBoxParams& params, std::wstring& key, std::wstring& valueName);

class CMarkupMessageBox {
 public:
  explicit CMarkupMessageBox(const MarkupMessageBoxParams& params);
  virtual ~CMarkupMessageBox();
  CMarkupMessageBox(const CMarkupMessageBox&) = delete;
  CMarkupMessageBox& operator=(const CMarkupMessageBox&) = delete;

  int DoModal();

 private:
  static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  void OnInitDialog();
  void OnTimer();
  void OnCommand(int id);
  SIZE CreateControls();
  RECT WorkArea() const;
  void DestroyControls();
  void Paint(HDC paintDc);
  void PaintBackgrounds(HDC dc, const RECT& canvas);
  void DrawSeparator(HDC dc, const RECT& rect, int style, const std::wstring& text, int alignment);
  std::wstring LoadText(const wchar_t* text) const;
  std::wstring GetButtonCaption(int id, const std::wstring& fallback) const;
  HWND DefaultButton() const;
  void SetCloseBoxEnabled(bool enabled);
  std::wstring CountdownCaption(int seconds) const;
  HWND AddButton(int id, const std::wstring& caption);

  struct Drawer {
    markup::CMarkupDrawer drawer{[](int index) -> markup::Color { return GetSysColor(index); }};
    CMarkupWindowLink link;
    Drawer() { drawer.SetLinkSink(&link); }
  };

  HWND dialog_ = nullptr;
  std::vector<std::pair<int, HWND>> buttons_;
  HWND checkBox_ = nullptr;
  HWND label_ = nullptr;
  bool checkBoxShown_ = false;
  markup::MessageBoxMetrics metrics_;
  int buttonWidth_ = 0;
  int buttonHeight_ = 0;
  int defaultIndex_ = 0;
  MarkupMessageBoxParams params_;
  HICON icon_ = nullptr;
  bool ownsIcon_ = false;
  HFONT font_ = nullptr;
  int headerHeight_ = 0;
  int bodyHeight_ = 0;
  int bandHeight_ = 0;
  int moreHeight_ = 0;
  bool cancelAllowed_ = false;
  bool moreOpen_ = false;
  int countdown_ = 0;
  std::wstring countdownFormat_, headerSeparator_, bandSeparator_, moreSeparator_;
  std::wstring body_, caption_, headerText_, moreText_, moreOpenCaption_, moreClosedCaption_, defaultCaption_;
  Drawer header_, bodyDrawer_, more_;
  HBITMAP background_ = nullptr;
  CEffectPainter painter_;
};
