#include "COwnerDrawButton.h"

#include <mmsystem.h>
#include <shellapi.h>

#include <cwchar>
#include <initializer_list>

#include "ButtonImages.h"
#include "ColorMath.h"
#include "GdiHandles.h"

BEGIN_MESSAGE_MAP(COwnerDrawButton, CButton)
  ON_WM_SETCURSOR()
  ON_WM_KILLFOCUS()
  ON_WM_MOUSEMOVE()
  ON_WM_SYSCOLORCHANGE()
  ON_CONTROL_REFLECT_EX(BN_CLICKED, OnReflectedClick)
  ON_WM_ACTIVATE()
  ON_WM_ENABLE()
  ON_WM_CANCELMODE()
  ON_WM_GETDLGCODE()
  ON_WM_CTLCOLOR_REFLECT()
  ON_WM_MENUCHAR()
  ON_WM_MEASUREITEM()
  ON_MESSAGE(BM_SETSTYLE, OnSetStyle)
  ON_WM_MOUSELEAVE()
  ON_MESSAGE(BM_SETCHECK, OnSetCheck)
  ON_MESSAGE(BM_GETCHECK, OnGetCheck)
  ON_WM_SIZE()
END_MESSAGE_MAP()

COwnerDrawButton::COwnerDrawButton() { ResetColors(FALSE); }

COwnerDrawButton::~COwnerDrawButton() {
  ReleaseBackgroundCache();
  FreeImages(TRUE);
  if (cursor_) ::DestroyCursor(cursor_);
  if (menu_.m_hMenu) menu_.DestroyMenu();
}

void COwnerDrawButton::Repaint(BOOL repaint) {
  if (repaint && m_hWnd) Invalidate(TRUE);
}

void COwnerDrawButton::PreSubclassWindow() {
  const UINT style = static_cast<UINT>(GetStyle());
  subclassedType_ = style & 0x1F;
  if (style & BS_CHECKBOX) checkbox_ = TRUE;
  if (subclassedType_ == BS_DEFPUSHBUTTON) {
    defaultButton_ = TRUE;
    subclassedType_ = 0;
  }
  ModifyStyle(0x1F, BS_OWNERDRAW, SWP_FRAMECHANGED);
  CButton::PreSubclassWindow();
}

void COwnerDrawButton::EnsureToolTip() {
  if (tooltip_.GetSafeHwnd()) return;
  tooltip_.Create(this, 0);
  tooltip_.Activate(TRUE);
  tooltip_.SetMaxTipWidth(400);
}

void COwnerDrawButton::SetTooltipText(const wchar_t* text) {
  EnsureToolTip();
  if (tooltip_.GetToolCount() == 0) tooltip_.AddTool(this, text ? text : L"");
  else tooltip_.UpdateTipText(text ? text : L"", this);
}

BOOL COwnerDrawButton::PreTranslateMessage(MSG* message) {
  EnsureToolTip();
  tooltip_.RelayEvent(message);
  if (message->message == WM_LBUTTONDBLCLK) message->message = WM_LBUTTONDOWN;  // a double click is two clicks
  return CButton::PreTranslateMessage(message);
}

// ----- images -----

void COwnerDrawButton::FreeImages(BOOL destroy) {
  for (Image* image : {&hotImage_, &idleImage_}) {
    if (destroy) {
      if (image->icon) ::DestroyIcon(image->icon);
      if (image->bitmap) ::DeleteObject(image->bitmap);
      if (image->mask) ::DeleteObject(image->mask);
    }
    *image = Image{};
  }
}

DWORD COwnerDrawButton::SetIcon(int normalId, int hotId) { return SetIcon(hotId, 0, 0, normalId, 0, 0); }

DWORD COwnerDrawButton::SetIcon(int hotId, int hotWidth, int hotHeight, int idleId, int idleWidth, int idleHeight) {
  HINSTANCE module = AfxGetResourceHandle();
  auto load = [module](int id, int width, int height) {
    return static_cast<HICON>(
        ::LoadImageW(module, MAKEINTRESOURCEW(id & 0xFFFF), IMAGE_ICON, width, height, LR_DEFAULTCOLOR));
  };
  HICON hot = load(hotId, hotWidth, hotHeight);
  HICON idle = nullptr;
  if (idleId == kDarkCopy || idleId == kGreyCopy) idle = reinterpret_cast<HICON>(static_cast<INT_PTR>(idleId));
  else if (idleId != 0) idle = load(idleId, idleWidth, idleHeight);
  return SetIcon(hot, idle);
}

DWORD COwnerDrawButton::SetIcon(HICON hot, HICON idle) {
  FreeImages(TRUE);
  if (hot) {
    if (!GetIconSize(hot, hotImage_.width, hotImage_.height)) {
      ::DestroyIcon(hot);
      FreeImages(TRUE);
      return kNoImageInfo;
    }
    hotImage_.icon = hot;
    const INT_PTR special = reinterpret_cast<INT_PTR>(idle);
    if (special == kDarkCopy) idle = MakeDarkIcon(hot);
    else if (special == kGreyCopy) idle = MakeGreyIcon(hot);
    if (idle) {
      idleImage_.icon = idle;
      if (!GetIconSize(idle, idleImage_.width, idleImage_.height)) {
        FreeImages(TRUE);
        return kNoImageInfo;
      }
    }
  }
  Repaint(TRUE);
  return kDone;
}

DWORD COwnerDrawButton::SetBitmapImages(int hotId, COLORREF hotTransparent, int idleId, COLORREF idleTransparent) {
  HINSTANCE module = AfxGetResourceHandle();
  auto load = [module](int id) {
    return static_cast<HBITMAP>(::LoadImageW(module, MAKEINTRESOURCEW(id & 0xFFFF), IMAGE_BITMAP, 0, 0, 0));
  };
  HBITMAP idle = nullptr;
  if (idleId == kDarkCopy || idleId == kGreyCopy) idle = reinterpret_cast<HBITMAP>(static_cast<INT_PTR>(idleId));
  else if (idleId != 0) idle = load(idleId);
  return SetBitmapImages(load(hotId), hotTransparent, idle, idleTransparent);
}

DWORD COwnerDrawButton::SetBitmapImages(HBITMAP hot, COLORREF hotTransparent, HBITMAP idle,
                                        COLORREF idleTransparent) {
  FreeImages(TRUE);
  if (hot) {
    BITMAP info{};
    hotImage_.bitmap = hot;
    hotImage_.transparent = hotTransparent;
    if (!::GetObjectW(hot, sizeof(info), &info)) {
      FreeImages(TRUE);
      return kNoImageInfo;
    }
    hotImage_.width = info.bmWidth;
    hotImage_.height = info.bmHeight;
    const INT_PTR special = reinterpret_cast<INT_PTR>(idle);
    if (special == kDarkCopy || special == kGreyCopy) {
      idle = special == kDarkCopy ? MakeDarkBitmap(hot, info.bmWidth, info.bmHeight, hotTransparent)
                                  : MakeGreyBitmap(hot, info.bmWidth, info.bmHeight, hotTransparent);
      idleTransparent = hotTransparent;
    }
    hotImage_.mask = MakeMask(hot, info.bmWidth, info.bmHeight, hotTransparent);
    if (!hotImage_.mask) {
      if (idle) ::DeleteObject(idle);
      FreeImages(TRUE);
      return kNoMask;
    }
    if (idle) {
      idleImage_.bitmap = idle;
      idleImage_.transparent = idleTransparent;
      if (!::GetObjectW(idle, sizeof(info), &info)) {
        FreeImages(TRUE);
        return kNoImageInfo;
      }
      idleImage_.width = info.bmWidth;
      idleImage_.height = info.bmHeight;
      idleImage_.mask = MakeMask(idle, info.bmWidth, info.bmHeight, idleTransparent);
      if (!idleImage_.mask) {
        FreeImages(TRUE);
        return kNoMask;
      }
    }
  }
  Repaint(TRUE);
  return kDone;
}

// ----- settings -----

DWORD COwnerDrawButton::SetPressedOffset(int style, BOOL repaint) {
  if (style == 0) pressedOffsetX_ = 1, pressedOffsetY_ = 1;
  else if (style == 1) pressedOffsetX_ = 0, pressedOffsetY_ = 2;
  else return kBadPressedStyle;
  Repaint(repaint);
  return kDone;
}

DWORD COwnerDrawButton::SetCheck(int checked, BOOL repaint) {
  if (checkbox_) {
    checked_ = checked != 0;
    Repaint(repaint);
  }
  return kDone;
}

DWORD COwnerDrawButton::ResetColors(BOOL repaint) {
  for (int slot = 0; slot < 6; ++slot) colours_[slot] = ::GetSysColor(slot % 2 ? COLOR_BTNTEXT : COLOR_BTNFACE);
  Repaint(repaint);
  return kDone;
}

DWORD COwnerDrawButton::SetStateColor(int slot, COLORREF colour, BOOL repaint) {
  if (slot < 0 || slot > 5) return kBadSlot;
  colours_[slot] = colour;
  Repaint(repaint);
  return kDone;
}

DWORD COwnerDrawButton::GetStateColor(int slot, COLORREF& colour) const {
  if (slot < 0 || slot > 5) return kBadSlot;
  colour = colours_[slot];
  return kDone;
}

DWORD COwnerDrawButton::ShiftStateColor(int slot, int offset, BOOL repaint) {
  if (slot < 0 || slot > 5) return kBadSlot;
  if (offset < -255 || offset > 255) return kBadOffset;
  colours_[slot] = colors::ShiftColour(colours_[slot], offset);
  Repaint(repaint);
  return kDone;
}

DWORD COwnerDrawButton::LoadHoverCursor(int id, BOOL repaint) {
  if (cursor_) ::DestroyCursor(cursor_);
  cursor_ = nullptr;
  if (id == 0) return kDone;
  cursor_ = static_cast<HCURSOR>(
      ::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(id & 0xFFFF), IMAGE_CURSOR, 0, 0, 0));
  Repaint(repaint);
  return cursor_ ? kDone : kNoImageInfo;
}

DWORD COwnerDrawButton::EnableBorder(BOOL draw, BOOL repaint) {
  drawBorder_ = draw;
  Repaint(repaint);
  return kDone;
}

DWORD COwnerDrawButton::EnableTransparency(BOOL repaint) {
  transparent_ = TRUE;
  ReleaseBackgroundCache();
  Repaint(repaint);
  return kDone;
}

DWORD COwnerDrawButton::SetLink(const wchar_t* link) {
  link_[0] = 0;
  // A link of 260 units or more is cut to fit, never overruns the buffer.
  if (link) wcsncpy(link_, link, 259);
  link_[259] = 0;
  return kDone;
}

DWORD COwnerDrawButton::SetMenu(UINT menuResource, HWND owner) {
  if (menu_.m_hMenu) menu_.DestroyMenu();
  menuOwner_ = owner;
  if (menuResource == 0) return kDone;
  return menu_.LoadMenu(menuResource) ? kDone : kNoImageInfo;
}

void COwnerDrawButton::SetMenuNotification(HWND window, UINT message, LPARAM lParam) {
  notifyWindow_ = window;
  notifyMessage_ = message;
  notifyLParam_ = lParam;
}

void COwnerDrawButton::SetSound(BOOL forHover, const wchar_t* name, HMODULE module, DWORD flags) {
  Sound& sound = forHover ? hoverSound_ : clickSound_;
  sound = Sound{};
  if (!name) return;
  if (IS_INTRESOURCE(name)) {
    sound.sound = name;
  } else {
    wcsncpy(sound.name, name, 259);
    sound.sound = sound.name;
  }
  sound.module = module;
  sound.flags = flags;
}

void COwnerDrawButton::PlaySoundOf(const Sound& sound) {
  if (sound.sound) ::PlaySoundW(sound.sound, sound.module, sound.flags);
}

// ----- messages -----

BOOL COwnerDrawButton::OnSetCursor(CWnd*, UINT, UINT) {
  if (cursor_) {
    ::SetCursor(cursor_);
    return TRUE;
  }
  return static_cast<BOOL>(Default());
}

void COwnerDrawButton::OnKillFocus(CWnd* newFocus) {
  // The system takes the focus away before it reports the disabling.
  if ((GetStyle() & WS_DISABLED) && !newFocus) hadFocusWhenDisabled_ = TRUE;
  Default();
  LeaveHotState();
}

void COwnerDrawButton::LeaveHotState() {
  if (flat_ && hot_) {
    hot_ = FALSE;
    Repaint(TRUE);
  }
}

void COwnerDrawButton::OnMouseMove(UINT flags, CPoint point) {
  Default();
  ClientToScreen(&point);
  HWND under = ::WindowFromPoint(point);
  if ((flags & MK_LBUTTON) && !hot_) return;
  if (!flat_) return;
  bool elsewhere = false;
  if (!trackWhenInactive_) {
    HWND active = ::GetActiveWindow();
    elsewhere = !active || ::GetWindowThreadProcessId(active, nullptr) != ::GetCurrentThreadId();
  }
  if (under == m_hWnd && !elsewhere) {
    if (hot_) return;
    hot_ = TRUE;
    Repaint(TRUE);
    PlaySoundOf(hoverSound_);
    TRACKMOUSEEVENT request{sizeof(request), TME_LEAVE, m_hWnd, 0};
    ::_TrackMouseEvent(&request);
  } else {
    LeaveHotState();
  }
}

void COwnerDrawButton::OnSysColorChange() {
  Default();
  ReleaseBackgroundCache();
  ResetColors(TRUE);
}

BOOL COwnerDrawButton::OnReflectedClick() {
  SetFocus();
  PlaySoundOf(clickSound_);
  if (checkbox_) {
    checked_ = !checked_;
    Repaint(TRUE);
  } else if (menu_.m_hMenu) {
    CRect window;
    GetWindowRect(&window);
    menuShown_ = TRUE;
    Repaint(TRUE);
    UpdateWindow();
    CMenu* dropDown = menu_.GetSubMenu(0);
    if (notifyWindow_) {
      ::SendMessageW(notifyWindow_, notifyMessage_, reinterpret_cast<WPARAM>(dropDown), notifyLParam_);
    }
    const UINT command = dropDown ? ::TrackPopupMenu(dropDown->m_hMenu,
                                                     TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_NONOTIFY | TPM_RETURNCMD,
                                                     window.left, window.bottom, 0, m_hWnd, nullptr)
                                  : 0;
    menuShown_ = FALSE;
    Repaint(TRUE);
    if (command && menuOwner_) ::PostMessageW(menuOwner_, WM_COMMAND, LOWORD(command), 0);
  } else if (link_[0]) {
    SHELLEXECUTEINFOW execute{};
    execute.cbSize = sizeof(execute);
    execute.fMask = SEE_MASK_FLAG_NO_UI;
    execute.lpVerb = L"open";
    execute.lpFile = link_;
    execute.nShow = SW_SHOWMAXIMIZED;
    ::ShellExecuteExW(&execute);
  }
  return FALSE;  // the parent gets BN_CLICKED as well
}

void COwnerDrawButton::OnActivate(UINT state, CWnd*, BOOL) {
  Default();
  if (state == WA_INACTIVE) LeaveHotState();
}

void COwnerDrawButton::OnEnable(BOOL enable) {
  Default();
  if (!enable) {
    // Only a button that holds the focus passes it on, and it takes it back
    // when it is enabled again while the focus still rests where it went.
    if (::GetFocus() == m_hWnd || hadFocusWhenDisabled_) {
      HWND parent = ::GetParent(m_hWnd);
      HWND next = parent ? ::GetNextDlgTabItem(parent, m_hWnd, FALSE) : nullptr;
      if (!next || next == m_hWnd) next = parent;
      focusGivenTo_ = next;
      if (next) ::SetFocus(next);
    }
    hadFocusWhenDisabled_ = FALSE;
    LeaveHotState();
  } else {
    if (focusGivenTo_ && ::GetFocus() == focusGivenTo_) ::SetFocus(m_hWnd);
    focusGivenTo_ = nullptr;
  }
}

void COwnerDrawButton::OnCancelMode() {
  Default();
  LeaveHotState();
}

UINT COwnerDrawButton::OnGetDlgCode() {
  const UINT code = static_cast<UINT>(Default()) & ~(DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON);
  return code | (defaultButton_ ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
}

HBRUSH COwnerDrawButton::CtlColor(CDC*, UINT) { return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH)); }

LRESULT COwnerDrawButton::OnMenuChar(UINT character, UINT flags, CMenu* menu) {
  if (QVMenu::IsOwnMenu(menu)) return QVMenu::FindMnemonic(character, flags, menu);
  return Default();
}

void COwnerDrawButton::OnMeasureItem(int id, LPMEASUREITEMSTRUCT item) {
  if (item->CtlType == ODT_MENU && ::IsMenu(reinterpret_cast<HMENU>(static_cast<UINT_PTR>(item->itemID))) &&
      QVMenu::IsOwnMenuHandle(reinterpret_cast<HMENU>(static_cast<UINT_PTR>(item->itemID)))) {
    menu_.MeasureItem(item);
    return;
  }
  if (item->CtlType == ODT_MENU && item->itemData) {
    menu_.MeasureItem(item);  // items of the drop-down name their record, not their menu
    return;
  }
  CButton::OnMeasureItem(id, item);
}

LRESULT COwnerDrawButton::OnSetStyle(WPARAM style, LPARAM redraw) {
  const UINT type = static_cast<UINT>(style) & 0x1F;
  if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) defaultButton_ = type == BS_DEFPUSHBUTTON;
  return DefWindowProc(BM_SETSTYLE, (style & ~0x14u) | BS_OWNERDRAW, redraw);
}

void COwnerDrawButton::OnMouseLeave() { LeaveHotState(); }

LRESULT COwnerDrawButton::OnSetCheck(WPARAM check, LPARAM) {
  SetCheck(check == 1 || check == 2, TRUE);
  return 0;
}

LRESULT COwnerDrawButton::OnGetCheck(WPARAM, LPARAM) { return GetCheck(); }

void COwnerDrawButton::OnSize(UINT, int, int) {
  Default();
  ReleaseBackgroundCache();
}

// ----- painting -----

void COwnerDrawButton::ReleaseBackgroundCache() {
  if (cacheDc_) {
    if (cachePrevious_) cacheDc_->SelectObject(cachePrevious_);
    delete cacheDc_;
  }
  delete cacheBitmap_;
  cacheDc_ = nullptr;
  cacheBitmap_ = nullptr;
  cachePrevious_ = nullptr;
}

// The parent's own background under the button, so that a transparent button
// repaints over its skin and a changed caption or state leaves no ghost.
void COwnerDrawButton::PaintParentBackground(CDC* dc, const CRect& rect) {
  HWND parent = ::GetParent(m_hWnd);
  if (!parent) return;
  if (!cacheDc_) {
    cacheDc_ = new CDC;
    cacheBitmap_ = new CBitmap;
    if (!cacheDc_->CreateCompatibleDC(dc) || !cacheBitmap_->CreateCompatibleBitmap(dc, rect.Width(), rect.Height())) {
      ReleaseBackgroundCache();
      return;
    }
    cachePrevious_ = cacheDc_->SelectObject(cacheBitmap_->GetSafeHandle());
    CRect window;
    GetWindowRect(&window);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&window), 2);
    ::SetViewportOrgEx(cacheDc_->m_hDC, -window.left, -window.top, nullptr);
    ::SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(cacheDc_->m_hDC), 0);
    ::SetViewportOrgEx(cacheDc_->m_hDC, 0, 0, nullptr);
  }
  dc->BitBlt(rect.left, rect.top, rect.Width(), rect.Height(), cacheDc_, 0, 0, SRCCOPY);
}

void COwnerDrawButton::DrawItem(LPDRAWITEMSTRUCT item) {
  CDC* dc = CDC::FromHandle(item->hDC);
  const UINT state = item->itemState;
  pressed_ = checkbox_ ? ((state & ODS_SELECTED) || checked_) : ((state & ODS_SELECTED) || (menuShown_ && menu_.m_hMenu));
  focused_ = (state & ODS_FOCUS) != 0;
  disabled_ = (state & ODS_DISABLED) != 0;
  CRect work = item->rcItem;
  dc->SetBkMode(TRANSPARENT);
  if (transparent_) PaintParentBackground(dc, work);
  else PaintBackground(dc, work);
  PaintBorder(dc, work);
  CString caption;
  GetWindowText(caption);
  CRect captionRect = item->rcItem;
  const CRect itemRect = item->rcItem;
  if (hotImage_.icon) {
    DrawIconImage(dc, !caption.IsEmpty(), itemRect, captionRect, pressed_, disabled_);
  } else if (hotImage_.bitmap) {
    dc->SetBkColor(0xFFFFFF);
    DrawBitmapImage(dc, !caption.IsEmpty(), itemRect, captionRect, pressed_, disabled_);
  }
  if (!caption.IsEmpty()) DrawCaption(dc, caption, itemRect, captionRect, pressed_, disabled_);
  if (focused_ && (!flat_ || flatFocus_)) {
    CRect focus = work;
    focus.DeflateRect(3, 3);
    dc->DrawFocusRect(&focus);
  }
}

void COwnerDrawButton::PaintBackground(CDC* dc, CRect& rect) {
  if (!flat_ && (focused_ || defaultButton_)) {
    dc->FrameRect(&rect, CBrush::FromHandle(static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH))));
    rect.DeflateRect(1, 1);
  }
  const int slot = hot_ || pressed_ ? 0 : focused_ ? 4 : 2;
  dc->FillSolidRect(&rect, colours_[slot]);
}

void COwnerDrawButton::PaintBorder(CDC* dc, const CRect& rect) {
  const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW), light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
  if (pressed_) {
    if (!flat_) dc->FrameRect(&rect, CBrush::FromHandle(::GetSysColorBrush(COLOR_BTNSHADOW)));
    else if (drawBorder_) dc->Draw3dRect(&rect, shadow, light);
    return;
  }
  if (flat_) {
    if (hot_ && drawBorder_) dc->Draw3dRect(&rect, light, shadow);
    return;
  }
  const int L = rect.left, T = rect.top, R = rect.right, B = rect.bottom;
  auto polyline = [dc](int colourIndex, std::initializer_list<POINT> points) {
    CPen pen(PS_SOLID, 0, ::GetSysColor(colourIndex));
    CPen* old = dc->SelectObject(&pen);
    dc->Polyline(points.begin(), static_cast<int>(points.size()));
    dc->SelectObject(old);
  };
  polyline(COLOR_BTNHIGHLIGHT, {{L, B - 1}, {L, T}, {R, T}});
  polyline(COLOR_3DLIGHT, {{L + 1, B - 1}, {L + 1, T + 1}, {R, T + 1}});
  polyline(COLOR_3DDKSHADOW, {{L, B - 1}, {R - 1, B - 1}, {R - 1, T - 1}});
  polyline(COLOR_BTNSHADOW, {{L + 1, B - 2}, {R - 2, B - 2}, {R - 2, T}});
}

void COwnerDrawButton::PlaceImage(BOOL hasCaption, const CRect& item, CRect& caption, BOOL pressed, int width,
                                  int height, CRect& image) const {
  image = item;
  switch (alignment_) {
    case 0:
      if (!hasCaption) {
        image.left += (item.Width() - width) / 2;
      } else {
        image.left += marginX_;
        caption.left += width + marginX_;
      }
      image.top += (item.Height() - height) / 2;
      break;
    case 1:
      image.left += (item.Width() - width) / 2;
      if (hasCaption) {
        image.top = marginY_;
        caption.top += height;
      } else {
        image.top += (item.Height() - height) / 2;
      }
      break;
    case 2:
      image.left += (item.Width() - width) / 2;
      if (hasCaption) {
        CRect client;
        GetClientRect(&client);
        caption.right = caption.Width() - (marginX_ + width);
        caption.left = marginX_;
        image.left = client.right - (marginX_ + width);
        image.top += (item.Height() - height) / 2;
      }
      break;
    default:
      break;
  }
  image.right = image.left + width;
  image.bottom = image.top + height;
  if (pressed && !checkbox_) image.OffsetRect(pressedOffsetX_, pressedOffsetY_);
}

const COwnerDrawButton::Image& COwnerDrawButton::ShownImage(BOOL pressed) const {
  const bool hotShown = pressed || (!checkbox_ && hot_);
  const Image& idle = idleImage_.icon || idleImage_.bitmap ? idleImage_ : hotImage_;
  return hotShown ? hotImage_ : idle;
}

void COwnerDrawButton::DrawIconImage(CDC* dc, BOOL hasCaption, const CRect& item, CRect& caption, BOOL pressed,
                                     BOOL disabled) {
  const Image& shown = ShownImage(pressed);
  CRect image;
  PlaceImage(hasCaption, item, caption, pressed, shown.width, shown.height, image);
  dc->DrawState(image.TopLeft(), image.Size(), shown.icon, DST_ICON | (disabled ? DSS_DISABLED : 0));
}

void COwnerDrawButton::DrawBitmapImage(CDC* dc, BOOL hasCaption, const CRect& item, CRect& caption, BOOL pressed,
                                       BOOL disabled) {
  const Image& shown = ShownImage(pressed);
  CRect image;
  PlaceImage(hasCaption, item, caption, pressed, shown.width, shown.height, image);
  MemoryDc bitmapDc(dc->m_hDC), maskDc(dc->m_hDC);
  if (!bitmapDc || !maskDc) return;
  SelectionGuard bitmapSel(bitmapDc.Get(), shown.bitmap);
  SelectionGuard maskSel(maskDc.Get(), shown.mask);
  if (disabled && greyDisabledBitmaps_) {
    MemoryDc work(dc->m_hDC);
    GdiObject<HBITMAP> combined(::CreateCompatibleBitmap(dc->m_hDC, shown.width, shown.height));
    if (!work || !combined) return;
    {
      SelectionGuard into(work.Get(), combined.Get());
      RECT all{0, 0, shown.width, shown.height};
      ::FillRect(work.Get(), &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
      ::BitBlt(work.Get(), 0, 0, shown.width, shown.height, maskDc.Get(), 0, 0, SRCAND);
      ::BitBlt(work.Get(), 0, 0, shown.width, shown.height, bitmapDc.Get(), 0, 0, SRCPAINT);
    }
    dc->DrawState(image.TopLeft(), CSize(shown.width, shown.height), combined.Get(), DST_BITMAP | DSS_DISABLED);
    return;
  }
  ::BitBlt(dc->m_hDC, image.left, image.top, shown.width, shown.height, maskDc.Get(), 0, 0, SRCAND);
  ::BitBlt(dc->m_hDC, image.left, image.top, shown.width, shown.height, bitmapDc.Get(), 0, 0, SRCPAINT);
}

void COwnerDrawButton::DrawCaption(CDC* dc, const CString& text, const CRect&, CRect& caption, BOOL pressed,
                                   BOOL disabled) {
  if (pressed && !checkbox_) caption.OffsetRect(pressedOffsetX_, pressedOffsetY_);
  const CRect copy = caption;
  dc->DrawText(text, &caption, DT_CALCRECT | DT_WORDBREAK | DT_CENTER);
  caption.OffsetRect((copy.Width() - caption.Width()) / 2, (copy.Height() - caption.Height()) / 2);
  dc->SetBkMode(TRANSPARENT);
  if (disabled) {
    CRect raised = caption;
    raised.OffsetRect(1, 1);
    dc->SetTextColor(::GetSysColor(COLOR_BTNHIGHLIGHT));
    dc->DrawText(text, &raised, DT_WORDBREAK | DT_CENTER);
    dc->SetTextColor(::GetSysColor(COLOR_BTNSHADOW));
    dc->DrawText(text, &caption, DT_WORDBREAK | DT_CENTER);
    return;
  }
  const int textSlot = hot_ || pressed ? 1 : focused_ ? 5 : 3;
  const int backSlot = textSlot - 1;
  dc->SetTextColor(colours_[textSlot]);
  dc->SetBkColor(colours_[backSlot]);
  dc->DrawText(text, &caption, DT_WORDBREAK | DT_CENTER);
}
