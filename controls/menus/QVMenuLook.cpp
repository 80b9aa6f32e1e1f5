// The menu's looks: which one applies, measuring, and drawing an item in the
// classic and the XP look.
#include <algorithm>
#include <cwchar>
#include <memory>

#include "ColorMath.h"
#include "OffscreenDC.h"
#include "QVMenu.h"

HFONT CreateMenuFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  }
  return CreateFontIndirectW(&metrics.lfMenuFont);
}

COLORREF QVMenu::BlendTowardWhite(COLORREF colour, double fraction) {
  return colors::BlendTowardWhite(colour, fraction);
}

int QVMenu::GetWindowsVersionCode() {
  const DWORD version = ::GetVersion();
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof(info);
  const bool nineX = (version & 0x80000000u) != 0;
  if (nineX) {
    if ((version & 0xFF) < 4) return 0;
    if (!::GetVersionExW(&info)) return 2;
    if (info.dwMajorVersion == 4 && info.dwMinorVersion == 10) return 3;
    if (info.dwMajorVersion == 4 && info.dwMinorVersion == 90) return 4;
    return 2;
  }
  if (!::GetVersionExW(&info)) return 1;
  if (info.dwMajorVersion == 4) return 5;
  if (info.dwMajorVersion == 5 && info.dwMinorVersion == 0) return 6;
  if (info.dwMajorVersion == 5 && info.dwMinorVersion == 1) return 7;
  return 1;
}

BOOL QVMenu::HasModernShell() { return WindowsVersionCode >= 2; }

BOOL QVMenu::IsClassicThemeSelected() {
  static const BOOL classic = [] {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Plus!\\Themes\\Current", 0, KEY_READ, &key) !=
        ERROR_SUCCESS) {
      return FALSE;
    }
    // The size offered is the buffer's size in bytes; the value may arrive
    // without its terminator, so one character is kept back for it.
    wchar_t value[261] = {};
    DWORD bytes = sizeof(value) - sizeof(wchar_t);
    DWORD type = 0;
    const LSTATUS status = RegQueryValueExW(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &bytes);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return FALSE;
    const wchar_t suffix[] = L"Windows Classic.theme";
    const size_t length = wcsnlen(value, 260), suffixLength = wcslen(suffix);
    return length >= suffixLength && _wcsicmp(value + length - suffixLength, suffix) == 0 ? TRUE : FALSE;
  }();
  return classic;
}

BOOL QVMenu::IsXpThemed() { return WindowsVersionCode == 7 && !IsClassicThemeSelected(); }

BOOL QVMenu::IsXpLook() { return (IsXpThemed() ? LookWhenThemed : LookWhenUnthemed) == 1; }

void QVMenu::MeasureItem(LPMEASUREITEMSTRUCT item) {
  const auto* record = reinterpret_cast<const OwnerDrawnMenuItem*>(item->itemData);
  if (!record) return;
  const int pad = IsXpLook() && RaisedIcons ? 7 : 4;
  if (record->flags & MF_SEPARATOR) {
    item->itemWidth = 0;
    item->itemHeight = std::max(GetSystemMetrics(SM_CYMENU) / 2, (iconHeight_ + pad) / 2);
    return;
  }
  HFONT font = CreateMenuFont();
  HWND window = AfxGetMainWnd() ? AfxGetMainWnd()->GetSafeHwnd() : ::GetDesktopWindow();
  HDC dc = ::GetDC(window);
  HGDIOBJ previous = HasModernShell() ? ::SelectObject(dc, font) : nullptr;
  SIZE extent{};
  if (record->text) ::GetTextExtentPoint32W(dc, record->text, static_cast<int>(wcslen(record->text)), &extent);
  if (WindowsVersionCode == 0) extent.cx = 0;
  item->itemWidth = IsXpLook() ? extent.cx + iconWidth_ + pad + 8 : extent.cx + 2 * iconWidth_ + 1;
  item->itemHeight = std::max(GetSystemMetrics(SM_CYMENU), iconHeight_ + pad);
  if (previous) ::SelectObject(dc, previous);
  ::DeleteObject(font);
  ::ReleaseDC(window, dc);
}

void QVMenu::DrawItem(LPDRAWITEMSTRUCT item) {
  if (!item || !item->itemData) return;
  if ((::GetDeviceCaps(item->hDC, RASTERCAPS) & RC_PALETTE) || !IsXpLook()) DrawClassicItem(item);
  else DrawXpItem(item);
}

bool QVMenu::ItemImage(const OwnerDrawnMenuItem& record, CImageList*& list, int& index) const {
  if (record.ownImageMarker >= 0 && record.ownImages) {
    list = record.ownImages;
    index = record.imageIndex;
    return true;
  }
  if (record.sharedImageIndex >= 0 && SharedMenuImages.GetSafeHandle()) {
    list = &SharedMenuImages;
    index = record.sharedImageIndex;
    return true;
  }
  return false;
}

QVMenu::ImageCase QVMenu::ClassifyItem(const OwnerDrawnMenuItem&, UINT state, bool hasImage,
                                       bool& useCheckList) const {
  useCheckList = false;
  const bool selected = (state & ODS_SELECTED) != 0, disabled = (state & ODS_GRAYED) != 0;
  const bool checkIdApplies = (selected && selectedCheckId_ > 0) || unselectedCheckId_ > 0;
  if ((state & ODS_CHECKED) && !hasImage && checkIdApplies) {
    if (checkImages_) {
      useCheckList = true;
      return ImageCase::check;
    }
    return ImageCase::image;  // nothing to draw
  }
  if (!hasImage) return ImageCase::plain;
  if (disabled) return ImageCase::disabled;
  return selected ? ImageCase::selected : ImageCase::image;
}

BOOL QVMenu::CheckedBitmapIsRadio(LPDRAWITEMSTRUCT item) const {
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_CHECKMARKS;
  ::GetMenuItemInfoW(reinterpret_cast<HMENU>(item->hwndItem), item->itemID, FALSE, &info);
  return info.hbmpChecked != nullptr;
}

void QVMenu::DrawItemText(CDC* dc, const OwnerDrawnMenuItem& record, CRect textRect, COLORREF colour) const {
  if (!record.text || !record.text[0]) return;
  const std::wstring whole = record.text;
  const size_t firstTab = whole.find(L'\t');
  const std::wstring label = whole.substr(0, firstTab);
  const int oldMode = dc->SetBkMode(TRANSPARENT);
  const COLORREF oldColour = dc->SetTextColor(colour);
  if (firstTab != std::wstring::npos) {
    const std::wstring shortcut = whole.substr(whole.rfind(L'\t') + 1);
    textRect.right -= iconWidth_;
    dc->DrawText(shortcut.c_str(), static_cast<int>(shortcut.size()), &textRect, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
  }
  dc->DrawText(label.c_str(), static_cast<int>(label.size()), &textRect, DT_SINGLELINE | DT_VCENTER);
  dc->SetTextColor(oldColour);
  dc->SetBkMode(oldMode);
}

void QVMenu::DrawClassicItem(LPDRAWITEMSTRUCT item) {
  const auto& record = *reinterpret_cast<const OwnerDrawnMenuItem*>(item->itemData);
  CDC* dc = CDC::FromHandle(item->hDC);
  const CRect r = item->rcItem;
  const int L = r.left, T = r.top, R = r.right, B = r.bottom, W = iconWidth_, H = iconHeight_;
  const COLORREF K = GetSysColor(IsXpThemed() ? COLOR_BTNFACE : COLOR_MENU);
  UINT state = item->itemState;
  if ((state & ODS_GRAYED) && (state & ODS_SELECTED) && !HighlightDisabledClassic) state &= ~ODS_SELECTED;
  const bool selected = (state & ODS_SELECTED) != 0, disabled = (state & ODS_GRAYED) != 0;
  const bool checked = (state & ODS_CHECKED) != 0;

  if (record.flags & MF_SEPARATOR) {
    dc->FillSolidRect(&r, K);
    CRect line = r;
    line.top = T + (B - T) / 2;
    dc->DrawEdge(&line, EDGE_ETCHED, BF_TOP);
    return;
  }
  CImageList* list = nullptr;
  int index = -1;
  const bool hasImage = ItemImage(record, list, index);
  bool useCheckList = false;
  const ImageCase kind = ClassifyItem(record, state, hasImage, useCheckList);
  const bool imageCase = kind != ImageCase::plain;

  COLORREF textColour = GetSysColor(COLOR_MENUTEXT);
  if (selected) {
    CRect fill = r;
    if (imageCase || checked) fill.left = L + W + 5;
    dc->FillSolidRect(&fill, GetSysColor(COLOR_HIGHLIGHT));
    textColour = GetSysColor(COLOR_HIGHLIGHTTEXT);
  } else {
    dc->FillSolidRect(&r, K);
    dc->Draw3dRect(&r, K, K);
  }
  const int dy = std::max(0, (B - T - H - 4) / 2);
  const CRect cell(L, T + dy, L + W + 4, T + dy + H + 4);
  const CRect inner(L + 1, T + dy + 1, L + W + 3, T + dy + H + 3);
  const CPoint at(L + 2, T + dy + 2);
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
  if (imageCase) dc->Draw3dRect(&inner, K, K);
  switch (kind) {
    case ImageCase::check:
      dc->FillSolidRect(&inner, K);
      dc->Draw3dRect(&cell, K, K);
      checkImages_->Draw(dc, selected ? 1 : 0, at, ILD_TRANSPARENT);
      break;
    case ImageCase::disabled: {
      CBitmap bitmap;
      if (list && RenderImageToBitmap(dc, *list, index, bitmap)) {
        dc->Draw3dRect(&cell, K, K);
        if (embossDib_) PaintEmbossedDib(dc->m_hDC, at.x, at.y, W, H, bitmap, 0, 0, K);
        else PaintEmbossed(dc, at.x, at.y, W, H, bitmap, 0, 0, K);
      }
      break;
    }
    case ImageCase::selected:
      dc->FillSolidRect(&inner, K);
      if (HasModernShell()) dc->Draw3dRect(&cell, checked ? shadow : light, checked ? light : shadow);
      if (list) list->Draw(dc, index, at, ILD_TRANSPARENT);
      break;
    case ImageCase::image:
      if (checked) {
        dc->FillSolidRect(&inner, BlendTowardWhite(K, 0.6));
        if (HasModernShell()) dc->Draw3dRect(&cell, shadow, light);
      } else {
        dc->FillSolidRect(&inner, K);
        dc->Draw3dRect(&cell, K, K);
      }
      if (list && hasImage) list->Draw(dc, index, at, ILD_TRANSPARENT);
      break;
    case ImageCase::plain:
      break;
  }
  if (checked && !hasImage && !useCheckList) {
    PaintClassicCheck(dc, CRect(L + 1, T + dy + 2, L + W + 1, T + dy + H + 2), selected, CheckedBitmapIsRadio(item));
  }
  const CRect textRect(L + W + 9, T - 1, R, B - 1);
  if (!disabled) {
    DrawItemText(dc, record, textRect, textColour);
  } else if (!selected) {
    CRect raised = textRect;
    raised.OffsetRect(1, 1);
    DrawItemText(dc, record, raised, GetSysColor(COLOR_BTNHIGHLIGHT));
    DrawItemText(dc, record, textRect, GetSysColor(COLOR_GRAYTEXT));
  } else {
    DrawItemText(dc, record, textRect, K);
  }
}

void QVMenu::DrawXpItem(LPDRAWITEMSTRUCT item) {
  const auto& record = *reinterpret_cast<const OwnerDrawnMenuItem*>(item->itemData);
  CDC* target = CDC::FromHandle(item->hDC);
  const CRect r = item->rcItem;
  const int L = r.left, T = r.top, R = r.right, B = r.bottom, W = iconWidth_, H = iconHeight_;
  const COLORREF G = GetSysColor(COLOR_WINDOW);
  const COLORREF M = IsXpThemed() ? GetSysColor(COLOR_BTNFACE) : BlendTowardWhite(GetSysColor(COLOR_BTNFACE), 0.25);
  const COLORREF F = GetSysColor(COLOR_HIGHLIGHT);
  const COLORREF A = BlendTowardWhite(F, IsXpThemed() ? 0.7 : 0.85);
  const int pad = RaisedIcons ? 7 : 4, Z = W + pad;
  UINT state = item->itemState;
  const bool disabled = (state & ODS_GRAYED) != 0;
  if (disabled && !HighlightDisabledXp) state &= ~ODS_SELECTED;
  const bool selected = (state & ODS_SELECTED) != 0, checked = (state & ODS_CHECKED) != 0;

  // A disabled item is painted off-screen and copied in one step.
  std::unique_ptr<OffscreenDC> offscreen;
  HFONT menuFont = nullptr;
  HGDIOBJ previousFont = nullptr;
  if (disabled && !HighlightDisabledXp) {
    offscreen = std::make_unique<OffscreenDC>(target, r);
    menuFont = CreateMenuFont();
    previousFont = offscreen->SelectObject(menuFont);
  }
  CDC* dc = offscreen ? static_cast<CDC*>(offscreen.get()) : target;
  const CRect column(L, T, L + Z, B);
  if (record.flags & MF_SEPARATOR) {
    dc->FillSolidRect(&r, G);
    dc->FillSolidRect(&column, M);
    dc->Draw3dRect(&column, M, M);
    CRect line(L + Z + pad, T + (B - T) / 2, R, B);
    dc->DrawEdge(&line, EDGE_ETCHED, BF_TOP);
  } else {
    if (selected) {
      dc->FillSolidRect(&r, A);
      dc->Draw3dRect(&r, F, F);
    } else {
      dc->FillSolidRect(&r, G);
      dc->Draw3dRect(&r, G, G);
      dc->FillSolidRect(&column, M);
      dc->Draw3dRect(&column, M, M);
    }
    const int dx = std::max(0, static_cast<int>((Z - W + 1) * 0.5));
    const int dy = std::max(0, static_cast<int>((B - T - H + 1) * 0.5));
    const CPoint at(L + dx, T + dy);
    const CRect cell(L + 1, T + 1, L + Z - 1, B - 1);
    CImageList* list = nullptr;
    int index = -1;
    const bool hasImage = ItemImage(record, list, index);
    bool useCheckList = false;
    const ImageCase kind = ClassifyItem(record, state, hasImage, useCheckList);
    int faded = -1, shadow = -1;
    if (RaisedIcons && hasImage) {
      if (list == record.ownImages && index == 0 && list->GetImageCount() > 2) faded = 1, shadow = 2;
      else if (list == &SharedMenuImages && HasRaisedImages(index)) faded = index + 1, shadow = index + 2;
    }
    const CPoint up(at.x - 1, at.y - 1), down(at.x + 1, at.y + 1);
    switch (kind) {
      case ImageCase::check:
        dc->FillSolidRect(&cell, M);
        checkImages_->Draw(dc, selected ? 1 : 0, at, ILD_TRANSPARENT);
        break;
      case ImageCase::disabled: {
        CBitmap bitmap;
        if (list && RenderImageToBitmap(dc, *list, index, bitmap)) {
          const COLORREF back = selected ? A : M;
          if (embossDib_) PaintEmbossedDib(dc->m_hDC, at.x, at.y, W, H, bitmap, 0, 0, back);
          else PaintEmbossed(dc, at.x, at.y, W, H, bitmap, 0, 0, back);
          if (selected) dc->Draw3dRect(&r, F, F);
        }
        break;
      }
      case ImageCase::selected:
        dc->FillSolidRect(&cell, A);
        if (checked) {
          dc->Draw3dRect(&cell, F, F);
          list->Draw(dc, index, up, ILD_TRANSPARENT);
        } else if (shadow >= 0) {
          list->Draw(dc, shadow, down, ILD_TRANSPARENT);
          list->Draw(dc, index, up, ILD_TRANSPARENT);
        } else {
          list->Draw(dc, index, at, ILD_TRANSPARENT);
        }
        break;
      case ImageCase::image:
        if (!hasImage) break;
        if (checked) {
          dc->FillSolidRect(&cell, BlendTowardWhite(F, 0.85));
          dc->Draw3dRect(&cell, F, F);
          list->Draw(dc, index, up, ILD_TRANSPARENT);
        } else {
          dc->FillSolidRect(&cell, M);
          dc->Draw3dRect(&cell, M, M);
          list->Draw(dc, faded >= 0 ? faded : index, at, ILD_TRANSPARENT);
        }
        break;
      case ImageCase::plain:
        break;
    }
    if (checked && !hasImage && !useCheckList) {
      const int ox = std::max(0, static_cast<int>((Z - 16 + 1) * 0.5));
      const int oy = std::max(0, static_cast<int>((B - T - 16 + 1) * 0.5));
      PaintXpCheck(dc, CRect(L + ox, T + oy, L + ox + 16, T + oy + 16), CheckedBitmapIsRadio(item), F);
    }
    COLORREF textColour = GetSysColor(COLOR_MENUTEXT);
    if (disabled) {
      const COLORREF grey = GetSysColor(COLOR_GRAYTEXT);
      textColour = IsXpThemed() || selected ? grey : BlendTowardWhite(grey, 0.4);
    }
    DrawItemText(dc, record, CRect(L + Z + 8, T - 1, R, B - 1), textColour);
  }
  if (offscreen) {
    offscreen->SelectObject(previousFont);
    offscreen.reset();
    ::DeleteObject(menuFont);
  }
}
