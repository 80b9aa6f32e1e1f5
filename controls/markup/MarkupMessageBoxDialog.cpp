#include "MarkupMessageBoxDialog.h"

#include <algorithm>
#include <cwchar>

#include "GdiHandles.h"
#include "GdiMarkupCanvas.h"

namespace {

constexpr int kMaxTextLength = 260;

// Fills the first "%s" with the text and the first "%d" with the number; a
// translated format is never handed to printf.
std::wstring Format(const std::wstring& format, const std::wstring& text, int number) {
  std::wstring result = format;
  size_t textAt = result.find(L"%s");
  if (textAt != std::wstring::npos) result.replace(textAt, 2, text);
  size_t numberAt = result.find(L"%d", textAt == std::wstring::npos ? 0 : textAt + text.size());
  if (numberAt != std::wstring::npos) result.replace(numberAt, 2, std::to_wstring(number));
  return result;
}

std::u16string AsUtf16(const std::wstring& text) { return std::u16string(text.begin(), text.end()); }

SIZE TextExtent(HDC dc, const std::wstring& text) {
  SIZE size{0, 0};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  return size;
}

// The room the title bar needs for the caption: its text in the system's
// caption font, the close button and the bar's own edges.
int CaptionBarWidth(HDC dc, const std::wstring& caption) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (caption.empty() || !SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return 0;
  GdiObject<HFONT> font(CreateFontIndirectW(&metrics.lfCaptionFont));
  SelectionGuard select(dc, font.Get());
  return TextExtent(dc, caption).cx + metrics.iCaptionWidth + 4 * GetSystemMetrics(SM_CXEDGE) + 8;
}

}  // namespace

CMarkupMessageBox::CMarkupMessageBox(const MarkupMessageBoxParams& params) : params_(params) {
  HINSTANCE program = GetModuleHandleW(nullptr);
  if (!params_.stringModule) params_.stringModule = program;
  if (!params_.iconModule) params_.iconModule = program;
  caption_ = LoadText(params_.caption);
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
    font_ = CreateFontIndirectW(&metrics.lfMessageFont);
  }
  switch (params_.style & markup::mbstyle::kIconMask) {
    case 0x10: icon_ = LoadIconW(nullptr, IDI_HAND); break;
    case 0x20: icon_ = LoadIconW(nullptr, IDI_QUESTION); break;
    case 0x30: icon_ = LoadIconW(nullptr, IDI_EXCLAMATION); break;
    case 0x40: icon_ = LoadIconW(nullptr, IDI_ASTERISK); break;
    case 0x80:
      if (params_.userIcon) {
        icon_ = static_cast<HICON>(LoadImageW(params_.iconModule, params_.userIcon, IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR));
        ownsIcon_ = icon_ != nullptr;
      }
      break;
    default: break;
  }
}

CMarkupMessageBox::~CMarkupMessageBox() {
  if (background_) DeleteObject(background_);
  if (font_) DeleteObject(font_);
  if (icon_ && ownsIcon_) DestroyIcon(icon_);
}

std::wstring CMarkupMessageBox::LoadText(const wchar_t* text) const {
  if (text == nullptr) return {};
  if (!IS_INTRESOURCE(text)) return text;
  if (params_.style & markup::mbstyle::kNoResources) return {};
  wchar_t buffer[kMaxTextLength + 1] = {};
  if (LoadStringW(params_.stringModule, static_cast<UINT>(reinterpret_cast<UINT_PTR>(text)), buffer,
                  kMaxTextLength) <= 0) {
    return {};
  }
  return buffer;
}

std::wstring CMarkupMessageBox::GetButtonCaption(int id, const std::wstring& fallback) const {
  markup::BuiltInCaption builtIn = markup::BuiltInCaptionFor(id);
  std::wstring english(builtIn.english, builtIn.english + std::char_traits<char16_t>::length(builtIn.english));
  const std::wstring& lastResort = fallback.empty() ? english : fallback;
  if (params_.customCaptions) {
    auto found = params_.customCaptions->find(id);
    if (found != params_.customCaptions->end()) {
      std::wstring custom = LoadText(found->second);
      if (!custom.empty()) return custom;
    }
  }
  if (builtIn.stringId != 0 && !(params_.style & markup::mbstyle::kNoResources)) {
    wchar_t buffer[kMaxTextLength + 1] = {};
    if (LoadStringW(params_.stringModule, static_cast<UINT>(builtIn.stringId), buffer, kMaxTextLength) > 0) {
      return buffer;
    }
  }
  return lastResort;
}

int CMarkupMessageBox::DoModal() {
  // An empty template: the dialog makes its own controls and size.
  HGLOBAL handle = GlobalAlloc(GMEM_ZEROINIT, 36);
  if (!handle) return IDCANCEL;
  auto* dialogTemplate = static_cast<DLGTEMPLATE*>(GlobalLock(handle));
  if (!dialogTemplate) {
    GlobalFree(handle);
    return IDCANCEL;
  }
  dialogTemplate->style = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
  dialogTemplate->cx = 100;
  dialogTemplate->cy = 100;
  INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dialogTemplate, params_.owner, DialogProc,
                                           reinterpret_cast<LPARAM>(this));
  GlobalUnlock(handle);
  GlobalFree(handle);
  return static_cast<int>(result);
}

HWND CMarkupMessageBox::DefaultButton() const {
  return defaultIndex_ < static_cast<int>(buttons_.size()) ? buttons_[defaultIndex_].second : nullptr;
}

std::wstring CMarkupMessageBox::CountdownCaption(int seconds) const { return Format(countdownFormat_, caption_, seconds); }

void CMarkupMessageBox::SetCloseBoxEnabled(bool enabled) {
  if (HMENU menu = GetSystemMenu(dialog_, FALSE)) {
    EnableMenuItem(menu, SC_CLOSE, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
  }
}

void CMarkupMessageBox::OnInitDialog() {
  if (params_.lockSeconds > 0) countdown_ = params_.lockSeconds;
  if (params_.autoPressSeconds > 0) countdown_ = params_.autoPressSeconds;
  for (Drawer* drawer : {&header_, &bodyDrawer_, &more_}) drawer->link.SetNotifyWindow(dialog_, kMarkupMessageBoxHover, 0);
  countdownFormat_ = GetButtonCaption(markup::mbbutton::kCountdownFormat, L"");

  body_ = LoadText(params_.text);
  // As in the system's message box, the text also sits in a hidden static with id
  // 0xFFFF, where screen readers and window tests read it.
  CreateWindowExW(0, L"STATIC", body_.c_str(), WS_CHILD, 0, 0, 0, 0, dialog_, reinterpret_cast<HMENU>(0xFFFF),
                  GetModuleHandleW(nullptr), nullptr);
  if (params_.style & markup::mbstyle::kRight) body_ = L"<right>" + body_ + L"</right>";
  if (icon_) {
    wchar_t cell[160];
    swprintf(cell, 160, L"<table cellpadding=%d><tr><td width=%d><icon handle=0x%llX></td><td>", 5,
             GetSystemMetrics(SM_CXICON), static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(icon_)));
    body_ = cell + body_ + L"</td></tr></table>";
  }
  SIZE size = CreateControls();

  const bool lockInCaption = params_.lockSeconds > 0 && params_.countdownInCaption;
  SetWindowTextW(dialog_, (lockInCaption ? CountdownCaption(countdown_) : caption_).c_str());
  const bool cancelIsDefault = !buttons_.empty() && buttons_[defaultIndex_].first == IDCANCEL;
  if ((params_.lockSeconds <= 0 && !cancelAllowed_) || lockInCaption ||
      (params_.lockSeconds > 0 && (!cancelAllowed_ || cancelIsDefault))) {
    SetCloseBoxEnabled(false);
  }

  const RECT work = WorkArea();
  RECT area = work;
  if (HWND parent = GetParent(dialog_)) GetWindowRect(parent, &area);
  const markup::Rect placed = markup::PlaceInWorkArea(markup::Size{size.cx, size.cy},
                                                      markup::Rect{area.left, area.top, area.right, area.bottom},
                                                      markup::Rect{work.left, work.top, work.right, work.bottom});
  MoveWindow(dialog_, placed.left, placed.top, placed.Width(), placed.Height(), FALSE);

  RECT client;
  GetClientRect(dialog_, &client);
  const markup::Rect clientRect{client.left, client.top, client.right, client.bottom};
  const bool checkBelow = checkBoxShown_ && (params_.style & markup::mbstyle::kCheckBoxBelow);
  const int top = markup::ButtonTop(clientRect, buttonHeight_, checkBelow, metrics_);
  std::vector<int> lefts = markup::ButtonLefts(clientRect, static_cast<int>(buttons_.size()), buttonWidth_,
                                               params_.buttonAlignment, metrics_);
  for (size_t i = 0; i < buttons_.size(); ++i) MoveWindow(buttons_[i].second, lefts[i], top, buttonWidth_, buttonHeight_, TRUE);
  if (checkBoxShown_) {
    const int edge = checkBelow ? client.bottom - metrics_.bandMargin : client.bottom - 2 * metrics_.bandMargin - buttonHeight_;
    RECT labelRect;
    GetWindowRect(label_, &labelRect);
    MoveWindow(checkBox_, client.left + metrics_.checkLeft, edge - metrics_.checkSize, metrics_.checkSize, metrics_.checkSize, TRUE);
    MoveWindow(label_, client.left + metrics_.checkLeft + metrics_.checkSize + 6, edge - metrics_.checkSize,
               labelRect.right - labelRect.left, metrics_.checkSize, TRUE);
  }
  if (params_.style & markup::mbstyle::kTopmost) SetWindowPos(dialog_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  if (params_.style & markup::mbstyle::kSetForeground) SetForegroundWindow(dialog_);
  if (countdown_ > 0) SetTimer(dialog_, kMarkupMessageBoxTimer, 1000, nullptr);
}

HWND CMarkupMessageBox::AddButton(int id, const std::wstring& caption) {
  HWND button = CreateWindowExW(0, L"BUTTON", caption.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 0, 0, dialog_,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  buttons_.emplace_back(id, button);
  return button;
}

// The work area of the monitor the box belongs to.
RECT CMarkupMessageBox::WorkArea() const {
  HWND anchor = GetParent(dialog_) ? GetParent(dialog_) : dialog_;
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (GetMonitorInfoW(MonitorFromWindow(anchor, MONITOR_DEFAULTTOPRIMARY), &info)) return info.rcWork;
  RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return work;
}

SIZE CMarkupMessageBox::CreateControls() {
  ScreenDc screen;
  HDC dc = screen.Get();
  SelectionGuard selectFont(dc, font_);
  CGdiMarkupCanvas canvas(dc, painter_);
  const int margin = metrics_.textMargin;
  const RECT work = WorkArea();
  const int wrapWidth = markup::TextWrapWidth(work.right - work.left, margin);
  for (Drawer* drawer : {&header_, &bodyDrawer_, &more_}) drawer->drawer.SetMaximumWidth(wrapWidth);
  int width = 0;
  auto candidate = [&](int value) { width = std::max(width, value); };
  auto separatorCandidate = [&](const MarkupBackground& band, std::wstring& text) {
    text = LoadText(band.separatorText);
    if (band.separatorStyle != 0) candidate(TextExtent(dc, text).cx + 2 * metrics_.separatorInset);
  };

  headerHeight_ = std::max(params_.headerHeight, 0);
  if (headerHeight_ > 0) {
    headerText_ = LoadText(params_.headerText);
    if (!headerText_.empty()) {
      markup::Size size = header_.drawer.PrepareOutput(canvas, AsUtf16(headerText_));
      headerHeight_ = std::max(headerHeight_, size.cy + 2 * margin);
      candidate(size.cx + 2 * margin);
    }
    separatorCandidate(params_.headerBand, headerSeparator_);
  }
  // A short message never cuts the box's title short.
  candidate(CaptionBarWidth(dc, caption_));
  markup::Size body = bodyDrawer_.drawer.PrepareOutput(canvas, AsUtf16(body_));
  bodyHeight_ = body.cy + 2 * margin;
  candidate(body.cx + 2 * margin);
  moreText_ = LoadText(params_.moreText);
  if (!moreText_.empty()) {
    markup::Size size = more_.drawer.PrepareOutput(canvas, AsUtf16(moreText_));
    moreHeight_ = size.cy + 2 * margin;
    candidate(size.cx + 2 * margin);
    separatorCandidate(params_.moreSection, moreSeparator_);
  }
  const MarkupBackground& band = params_.buttonBand;
  bandHeight_ = (band.fillEffect != -1 || band.separatorStyle != 0) ? 2 * metrics_.bandMargin : metrics_.bandMargin;
  separatorCandidate(band, bandSeparator_);

  checkBoxShown_ = (params_.style & markup::mbstyle::kCheckBox) != 0;
  if (checkBoxShown_) {
    bandHeight_ += metrics_.checkSize + metrics_.bandMargin;
    std::wstring text = LoadText(params_.doNotShowAgainText);
    std::wstring label = GetButtonCaption(markup::mbbutton::kCheckBoxCaption, text.empty() ? L"Do not show again" : text);
    SIZE labelSize = TextExtent(dc, label);
    candidate(labelSize.cx + 2 * metrics_.checkLeft + 20);
    checkBox_ = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0, 0,
                                metrics_.checkSize, metrics_.checkSize, dialog_, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (params_.style & markup::mbstyle::kChecked) SendMessageW(checkBox_, BM_SETCHECK, BST_CHECKED, 0);
    label_ = CreateWindowExW(0, L"STATIC", label.c_str(), WS_CHILD | WS_VISIBLE, 0, 0, labelSize.cx, metrics_.checkSize,
                             dialog_, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(label_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
  }

  std::vector<std::pair<int, std::wstring>> captions;
  std::wstring custom = LoadText(params_.customButtons);
  std::vector<std::u16string> customLines = markup::ParseCustomButtons(AsUtf16(custom));
  cancelAllowed_ = (params_.style & markup::mbstyle::kButtonSetMask) == 0 && customLines.empty();
  if (!customLines.empty()) {
    int id = markup::mbbutton::kCustomFirst;
    for (const std::u16string& line : customLines) captions.emplace_back(id++, std::wstring(line.begin(), line.end()));
  } else {
    markup::ButtonSet set = markup::ButtonSetForStyle(params_.style);
    cancelAllowed_ = set.cancelAllowed;
    for (int id : set.ids) captions.emplace_back(id, GetButtonCaption(id, L""));
  }
  if (params_.style & markup::mbstyle::kHelp) captions.emplace_back(IDHELP, GetButtonCaption(IDHELP, L""));
  if (params_.reportMessage && params_.owner) {
    captions.emplace_back(markup::mbbutton::kReport, GetButtonCaption(markup::mbbutton::kReport, L""));
  }
  if (!moreText_.empty()) {
    moreOpenCaption_ = GetButtonCaption(markup::mbbutton::kMoreOpen, L"");
    moreClosedCaption_ = GetButtonCaption(markup::mbbutton::kMoreClosed, L"");
    captions.emplace_back(markup::mbbutton::kMoreClosed, moreClosedCaption_);
  }
  defaultIndex_ = markup::DefaultButtonIndex(params_.style, captions.size());

  const bool lockInCaption = params_.lockSeconds > 0 && params_.countdownInCaption;
  for (size_t i = 0; i < captions.size(); ++i) {
    auto [id, caption] = captions[i];
    SIZE text = TextExtent(dc, caption);
    if (id == markup::mbbutton::kMoreClosed) {
      SIZE open = TextExtent(dc, moreOpenCaption_);
      text.cx = std::max(text.cx, open.cx);
      text.cy = std::max(text.cy, open.cy);
    }
    markup::Size size = markup::ButtonSizeForText(markup::Size{text.cx, text.cy});
    buttonWidth_ = std::max(buttonWidth_, size.cx);
    buttonHeight_ = std::max(buttonHeight_, size.cy);
    const bool isDefault = static_cast<int>(i) == defaultIndex_;
    LONG style = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    std::wstring shown = caption;
    if (isDefault) defaultCaption_ = caption;
    if (id == IDHELP) {
      if (isDefault) {
        style |= BS_DEFPUSHBUTTON;
        if (params_.autoPressSeconds > 0 || (params_.lockSeconds > 0 && !lockInCaption)) shown = Format(L"%s = %d", caption, countdown_);
      }
    } else if (lockInCaption) {
      style |= WS_DISABLED;
    } else if (isDefault) {
      if (params_.lockSeconds <= 0) style |= BS_DEFPUSHBUTTON;
      if (countdown_ > 0) shown = Format(L"%s = %d", caption, countdown_);
      if (params_.lockSeconds > 0) style |= WS_DISABLED;
    }
    HWND button = AddButton(id, shown);
    SetWindowLongPtrW(button, GWL_STYLE, style);
    SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
  }
  if (HWND button = DefaultButton()) {
    SendMessageW(dialog_, DM_SETDEFID, buttons_[defaultIndex_].first, 0);
    SetFocus(button);
  }

  buttonWidth_ = std::max(buttonWidth_, 80);
  buttonHeight_ = std::max(buttonHeight_, 23);
  width = markup::ContentWidth(width, static_cast<int>(buttons_.size()), buttonWidth_, metrics_);
  bandHeight_ += buttonHeight_;
  markup::FrameMetrics frame{GetSystemMetrics(SM_CXDLGFRAME), GetSystemMetrics(SM_CYDLGFRAME), GetSystemMetrics(SM_CYCAPTION)};
  markup::Size window = markup::WindowSizeFor(width, headerHeight_, bodyHeight_, bandHeight_, frame);
  return SIZE{window.cx, window.cy};
}

void CMarkupMessageBox::DestroyControls() {
  for (auto& [id, button] : buttons_) DestroyWindow(button);
  buttons_.clear();
  if (checkBox_) DestroyWindow(checkBox_);
  if (label_) DestroyWindow(label_);
  checkBox_ = label_ = nullptr;
}

void CMarkupMessageBox::OnTimer() {
  HWND button = DefaultButton();
  const bool lockInCaption = params_.lockSeconds > 0 && params_.countdownInCaption;
  if (countdown_ > 1) {
    --countdown_;
    if (lockInCaption) {
      SetWindowTextW(dialog_, CountdownCaption(countdown_).c_str());
    } else if (button) {
      SetWindowTextW(button, Format(L"%s = %d", defaultCaption_, countdown_).c_str());
    }
    return;
  }
  countdown_ = 0;
  KillTimer(dialog_, kMarkupMessageBoxTimer);
  if (params_.lockSeconds > 0) {
    if (cancelAllowed_) SetCloseBoxEnabled(true);
    if (lockInCaption) {
      SetWindowTextW(dialog_, caption_.c_str());
      for (auto& [id, other] : buttons_) {
        if (other == button) continue;
        SetWindowLongPtrW(other, GWL_STYLE, GetWindowLongPtrW(other, GWL_STYLE) & ~WS_DISABLED);
        EnableWindow(other, TRUE);
      }
    } else if (button) {
      SetWindowTextW(button, defaultCaption_.c_str());
    }
    if (button) {
      SendMessageW(button, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
      EnableWindow(button, TRUE);
    }
  } else if (params_.autoPressSeconds > 0 && button) {
    SetWindowTextW(button, defaultCaption_.c_str());
    PostMessageW(dialog_, WM_COMMAND, 0x80000000u | static_cast<WPARAM>(buttons_[defaultIndex_].first), 0);
  }
}

void CMarkupMessageBox::OnCommand(int id) {
  if (id == 0) return;
  if (id == IDCANCEL && !cancelAllowed_) return;
  if (id == IDHELP) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring help(path);
    size_t dot = help.find_last_of(L'.');
    if (dot != std::wstring::npos) help.erase(dot);
    help += L".hlp";
    if (params_.helpContext) {
      WinHelpW(dialog_, help.c_str(), HELP_CONTEXT, params_.helpContext);
    } else {
      WinHelpW(dialog_, help.c_str(), HELP_PARTIALKEY, 0);
    }
    return;
  }
  if (id == markup::mbbutton::kReport) {
    SendMessageW(params_.owner, params_.reportMessage, 0, 0);
    return;
  }
  if (id == markup::mbbutton::kMoreOpen || id == markup::mbbutton::kMoreClosed) {
    RECT window;
    GetWindowRect(dialog_, &window);
    moreOpen_ = !moreOpen_;
    const int height = window.bottom - window.top + (moreOpen_ ? moreHeight_ : -moreHeight_);
    const RECT work = WorkArea();
    const markup::Rect placed = markup::PlaceInWorkArea(
        markup::Size{window.right - window.left, height}, markup::Rect{window.left, window.top, window.right, window.top + height},
        markup::Rect{work.left, work.top, work.right, work.bottom});
    MoveWindow(dialog_, placed.left, placed.top, placed.Width(), placed.Height(), TRUE);
    for (auto& [buttonId, button] : buttons_) {
      if (buttonId == markup::mbbutton::kMoreClosed) {
        SetWindowTextW(button, (moreOpen_ ? moreOpenCaption_ : moreClosedCaption_).c_str());
      }
    }
    InvalidateRect(dialog_, nullptr, FALSE);
    return;
  }
  KillTimer(dialog_, kMarkupMessageBoxTimer);
  int result = id;
  if (checkBox_ && SendMessageW(checkBox_, BM_GETCHECK, 0, 0) == BST_CHECKED) {
    if (params_.style & markup::mbstyle::kChecked) result |= markup::mbstyle::kChecked;
    std::wstring key, valueName;
    if (RememberedAnswerKey(params_, key, valueName)) {
      HKEY handle = nullptr;
      if (RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr) ==
          ERROR_SUCCESS) {
        DWORD value = static_cast<DWORD>(result);
        RegSetValueExW(handle, valueName.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
        RegCloseKey(handle);
      }
    }
  }
  EndDialog(dialog_, result);
}

void CMarkupMessageBox::DrawSeparator(HDC dc, const RECT& rect, int style, const std::wstring& text, int alignment) {
  const int inset = metrics_.separatorInset;
  int start = rect.left + inset, end = rect.right - inset;
  const int y = rect.top;
  auto line = [&](int from, int to) {
    if (to <= from) return;
    if (style == 1) {
      RECT edge{from, y, to, y + 2};
      DrawEdge(dc, &edge, EDGE_ETCHED, BF_TOP);
    } else if (style == 2 || style == 3) {
      painter_.DrawLine(dc, from, y, to, y, style == 2 ? RGB(0, 0, 0) : RGB(255, 255, 255), 1, 1);
    }
  };
  if (text.empty() || alignment < 0 || alignment > 2) {
    line(start, end);
    return;
  }
  SIZE size = TextExtent(dc, text);
  const int textTop = y - size.cy / 2;
  int textLeft = alignment == 0 ? start : alignment == 1 ? end - size.cx : (start + end - size.cx) / 2;
  DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(text.c_str()), static_cast<WPARAM>(text.size()), textLeft,
             textTop, size.cx, size.cy, DST_TEXT | DSS_DISABLED);
  if (alignment == 0) line(start + size.cx + inset, end);
  if (alignment == 1) line(start, end - size.cx - inset);
  if (alignment == 2) {
    line(start, textLeft - inset);
    line(textLeft + size.cx + inset, end);
  }
}

void CMarkupMessageBox::PaintBackgrounds(HDC dc, const RECT& canvas) {
  SelectionGuard selectFont(dc, font_);
  SetBkMode(dc, TRANSPARENT);
  auto fill = [&](const MarkupBackground& band, const RECT& rect) {
    if (band.fillEffect != -1) painter_.FillEffect(dc, band.fillEffect, rect, band.color1, band.color2, band.color3, 0, 0);
  };
  if (params_.windowBackground.fillEffect == -1) {
    FillRect(dc, &canvas, GetSysColorBrush(COLOR_BTNFACE));
  } else {
    fill(params_.windowBackground, canvas);
  }
  if (headerHeight_ > 0) {
    RECT header{canvas.left, canvas.top, canvas.right, canvas.top + headerHeight_};
    fill(params_.headerBand, header);
    RECT edge{canvas.left, header.bottom, canvas.right, header.bottom};
    DrawSeparator(dc, edge, params_.headerBand.separatorStyle, headerSeparator_, params_.headerBand.separatorAlignment);
  }
  const int bandTop = canvas.top + headerHeight_ + bodyHeight_;
  RECT band{canvas.left, bandTop, canvas.right, bandTop + bandHeight_};
  fill(params_.buttonBand, band);
  DrawSeparator(dc, band, params_.buttonBand.separatorStyle, bandSeparator_, params_.buttonBand.separatorAlignment);
  if (moreHeight_ > 0) {
    RECT more{canvas.left, band.bottom, canvas.right, canvas.bottom};
    fill(params_.moreSection, more);
    DrawSeparator(dc, more, params_.moreSection.separatorStyle, moreSeparator_, params_.moreSection.separatorAlignment);
  }
}

void CMarkupMessageBox::Paint(HDC paintDc) {
  HDC windowDc = paintDc ? paintDc : GetDC(dialog_);
  if (!windowDc) return;
  RECT client;
  GetClientRect(dialog_, &client);
  RECT canvas = client;
  if (!moreOpen_) canvas.bottom += moreHeight_;
  const int width = canvas.right - canvas.left, height = canvas.bottom - canvas.top;
  {
    MemoryDc backgroundDc(windowDc), frameDc(windowDc);
    if (!background_) {
      background_ = CreateCompatibleBitmap(windowDc, width, height);
      SelectionGuard select(backgroundDc.Get(), background_);
      PaintBackgrounds(backgroundDc.Get(), canvas);
    }
    GdiObject<HBITMAP> frame(CreateCompatibleBitmap(windowDc, width, height));
    if (background_ && frame && backgroundDc && frameDc) {
      SelectionGuard selectBackground(backgroundDc.Get(), background_);
      SelectionGuard selectFrame(frameDc.Get(), frame.Get());
      BitBlt(frameDc.Get(), 0, 0, width, height, backgroundDc.Get(), 0, 0, SRCCOPY);
      SelectionGuard selectFont(frameDc.Get(), font_);
      CGdiMarkupCanvas markupCanvas(frameDc.Get(), painter_);
      const int margin = metrics_.textMargin;
      if (headerHeight_ > 0 && !headerText_.empty()) {
        header_.drawer.DrawPreparedOutput(markupCanvas, markup::Rect{client.left + margin, client.top + margin,
                                                                     client.right - margin, headerHeight_ - margin});
      }
      if (!body_.empty()) {
        bodyDrawer_.drawer.DrawPreparedOutput(markupCanvas,
                                              markup::Rect{client.left + margin, headerHeight_ + margin, client.right - margin,
                                                           headerHeight_ + bodyHeight_ - margin});
      }
      if (moreOpen_ && !moreText_.empty()) {
        more_.drawer.DrawPreparedOutput(markupCanvas, markup::Rect{client.left + margin, client.bottom - moreHeight_ + margin,
                                                                   client.right - margin, client.bottom});
      }
      if (paintDc) {
        BitBlt(windowDc, 0, 0, width, height, frameDc.Get(), 0, 0, SRCCOPY);
      } else {
        BitBlt(windowDc, 0, 0, width, headerHeight_ + bodyHeight_, frameDc.Get(), 0, 0, SRCCOPY);
        if (moreOpen_) {
          BitBlt(windowDc, 0, client.bottom - moreHeight_, width, moreHeight_, frameDc.Get(), 0,
                 client.bottom - moreHeight_, SRCCOPY);
        }
      }
    }
  }
  if (!paintDc) ReleaseDC(dialog_, windowDc);
}

INT_PTR CALLBACK CMarkupMessageBox::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<CMarkupMessageBox*>(GetWindowLongPtrW(dialog, GWLP_USERDATA));
  if (message == WM_INITDIALOG) {
    self = reinterpret_cast<CMarkupMessageBox*>(lParam);
    SetWindowLongPtrW(dialog, GWLP_USERDATA, lParam);
    self->dialog_ = dialog;
    self->OnInitDialog();
    return FALSE;
  }
  if (!self) return FALSE;
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(dialog, &paint);
      self->Paint(dc);
      EndPaint(dialog, &paint);
      return TRUE;
    }
    case WM_ERASEBKGND:
      SetWindowLongPtrW(dialog, DWLP_MSGRESULT, TRUE);
      return TRUE;
    case WM_SETCURSOR: {
      POINT point;
      GetCursorPos(&point);
      ScreenToClient(dialog, &point);
      markup::Point at{point.x, point.y};
      bool handled = (self->headerHeight_ > 0 && self->header_.drawer.OnMouseOver(at)) ||
                     (!self->body_.empty() && self->bodyDrawer_.drawer.OnMouseOver(at)) ||
                     (self->moreHeight_ > 0 && self->more_.drawer.OnMouseOver(at));
      SetWindowLongPtrW(dialog, DWLP_MSGRESULT, handled);
      return handled;
    }
    case WM_LBUTTONDOWN: {
      markup::Point at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      if (self->headerHeight_ > 0) self->header_.drawer.OnClick(at);
      if (!self->body_.empty()) self->bodyDrawer_.drawer.OnClick(at);
      if (self->moreHeight_ > 0) self->more_.drawer.OnClick(at);
      return TRUE;
    }
    case kMarkupMessageBoxHover:
      self->Paint(nullptr);
      return TRUE;
    case WM_CTLCOLORSTATIC:
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      return reinterpret_cast<INT_PTR>(GetStockObject(NULL_BRUSH));
    case WM_TIMER:
      if (wParam == kMarkupMessageBoxTimer) self->OnTimer();
      return TRUE;
    case WM_DESTROY:
      self->DestroyControls();
      return FALSE;
    case WM_COMMAND:
      self->OnCommand(LOWORD(wParam));
      return TRUE;
    default:
      return FALSE;
  }
}
