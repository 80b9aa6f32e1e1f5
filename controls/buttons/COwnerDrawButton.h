// A push button that paints itself: background and border in a flat or a
// three-dimensional look, an icon or a bitmap beside or above its caption, and
// caption colours that follow its state. It can act as a check box, drop down
// an owner-drawn menu or open a link when clicked, play sounds and show its
// own cursor. Setters answer the small result codes below.
#pragma once

#include "Framework.h"
#include "QVMenu.h"

class COwnerDrawButton : public CButton {
 public:
  enum Result { kDone = 0, kNoImageInfo = 1, kNoMask = 2, kBadSlot = 3, kBadOffset = 5, kBadPressedStyle = 6 };
  // Icon and bitmap ids that stand for a copy of the hot image.
  static constexpr int kDarkCopy = -3;
  static constexpr int kGreyCopy = -2;

  COwnerDrawButton();
  ~COwnerDrawButton() override;

  // The normal (idle) and the hot icon by resource id, as the dialogs call it;
  // 0 as the normal id shows the hot icon in every state.
  DWORD SetIcon(int normalId, int hotId);
  DWORD SetIcon(int hotId, int hotWidth, int hotHeight, int idleId, int idleWidth, int idleHeight);
  // By handle; the button owns them. The idle icon may be kDarkCopy or kGreyCopy.
  DWORD SetIcon(HICON hot, HICON idle);
  DWORD SetBitmapImages(int hotId, COLORREF hotTransparent, int idleId, COLORREF idleTransparent);
  DWORD SetBitmapImages(HBITMAP hot, COLORREF hotTransparent, HBITMAP idle, COLORREF idleTransparent);
  DWORD SetPressedOffset(int style, BOOL repaint = TRUE);
  DWORD SetCheck(int checked, BOOL repaint = TRUE);
  int GetCheck() const { return checked_; }
  DWORD ResetColors(BOOL repaint = TRUE);
  DWORD SetStateColor(int slot, COLORREF colour, BOOL repaint = TRUE);
  DWORD GetStateColor(int slot, COLORREF& colour) const;
  DWORD ShiftStateColor(int slot, int offset, BOOL repaint = TRUE);
  DWORD OffsetColor(int slot, int offset, BOOL repaint = TRUE) { return ShiftStateColor(slot, offset, repaint); }
  DWORD LoadHoverCursor(int id, BOOL repaint = FALSE);
  DWORD EnableBorder(BOOL draw, BOOL repaint = TRUE);
  DWORD DrawBorder(BOOL draw, BOOL repaint = TRUE) { return EnableBorder(draw, repaint); }
  DWORD EnableTransparency(BOOL repaint = TRUE);
  DWORD DrawTransparent(BOOL repaint = TRUE) { return EnableTransparency(repaint); }
  DWORD SetLink(const wchar_t* link);
  void FreeImages(BOOL destroy);

  // Choices the program leaves at their construction values.
  void SetFlat(BOOL flat) { flat_ = flat; }
  void SetImageAlignment(BYTE alignment) { alignment_ = alignment; }
  DWORD SetMenu(UINT menuResource, HWND owner);
  void SetMenuNotification(HWND window, UINT message, LPARAM lParam);
  void SetSound(BOOL forHover, const wchar_t* name, HMODULE module, DWORD flags);
  void SetTooltipText(const wchar_t* text);

  BOOL IsHot() const { return hot_; }
  BOOL IsCheckboxMode() const { return checkbox_; }
  QVMenu& Menu() { return menu_; }

  BOOL PreTranslateMessage(MSG* message) override;
  void DrawItem(LPDRAWITEMSTRUCT item) override;

 protected:
  void PreSubclassWindow() override;
  virtual void PaintBackground(CDC* dc, CRect& rect);
  virtual void PaintBorder(CDC* dc, const CRect& rect);
  virtual void DrawIconImage(CDC* dc, BOOL hasCaption, const CRect& item, CRect& caption, BOOL pressed,
                             BOOL disabled);
  virtual void DrawBitmapImage(CDC* dc, BOOL hasCaption, const CRect& item, CRect& caption, BOOL pressed,
                               BOOL disabled);
  virtual void DrawCaption(CDC* dc, const CString& text, const CRect& item, CRect& caption, BOOL pressed,
                           BOOL disabled);

  afx_msg BOOL OnSetCursor(CWnd* window, UINT hitTest, UINT message);
  afx_msg void OnKillFocus(CWnd* newFocus);
  afx_msg void OnMouseMove(UINT flags, CPoint point);
  afx_msg void OnSysColorChange();
  afx_msg BOOL OnReflectedClick();
  afx_msg void OnActivate(UINT state, CWnd* other, BOOL minimized);
  afx_msg void OnEnable(BOOL enable);
  afx_msg void OnCancelMode();
  afx_msg UINT OnGetDlgCode();
  afx_msg HBRUSH CtlColor(CDC* dc, UINT colorType);
  afx_msg LRESULT OnMenuChar(UINT character, UINT flags, CMenu* menu);
  afx_msg void OnMeasureItem(int id, LPMEASUREITEMSTRUCT item);
  afx_msg LRESULT OnSetStyle(WPARAM style, LPARAM redraw);
  afx_msg void OnMouseLeave();
  afx_msg LRESULT OnSetCheck(WPARAM check, LPARAM);
  afx_msg LRESULT OnGetCheck(WPARAM, LPARAM);
  afx_msg void OnSize(UINT type, int cx, int cy);
  DECLARE_MESSAGE_MAP()

 private:
  struct Sound {
    wchar_t name[260] = {};
    LPCWSTR sound = nullptr;
    HMODULE module = nullptr;
    DWORD flags = 0;
  };
  struct Image {
    HICON icon = nullptr;
    HBITMAP bitmap = nullptr;
    HBITMAP mask = nullptr;
    COLORREF transparent = 0;
    int width = 0;
    int height = 0;
  };

  void EnsureToolTip();
  void LeaveHotState();
  void Repaint(BOOL repaint);
  void PlaceImage(BOOL hasCaption, const CRect& item, CRect& caption, BOOL pressed, int width, int height,
                  CRect& image) const;
  const Image& ShownImage(BOOL pressed) const;
  void ReleaseBackgroundCache();
  void PaintParentBackground(CDC* dc, const CRect& rect);
  static void PlaySoundOf(const Sound& sound);

  BOOL greyDisabledBitmaps_ = TRUE;
  int marginX_ = 3, marginY_ = 3;
  int pressedOffsetX_ = 1, pressedOffsetY_ = 1;
  BOOL flat_ = TRUE;
  BOOL hot_ = FALSE;
  BOOL transparent_ = FALSE;
  BOOL pressed_ = FALSE, focused_ = FALSE, disabled_ = FALSE;
  BOOL defaultButton_ = FALSE;
  BOOL checkbox_ = FALSE;
  BYTE alignment_ = 0;
  BOOL drawBorder_ = TRUE;
  BOOL flatFocus_ = FALSE;
  COLORREF colours_[6];
  HWND menuOwner_ = nullptr;
  BOOL menuShown_ = FALSE;
  QVMenu menu_;
  HCURSOR cursor_ = nullptr;
  CToolTipCtrl tooltip_;
  CDC* cacheDc_ = nullptr;
  CBitmap* cacheBitmap_ = nullptr;
  HGDIOBJ cachePrevious_ = nullptr;
  BOOL trackWhenInactive_ = TRUE;
  BOOL checked_ = FALSE;
  UINT subclassedType_ = 0x1F;
  wchar_t link_[260] = {};
  Image hotImage_, idleImage_;
  HWND notifyWindow_ = nullptr;
  UINT notifyMessage_ = 0;
  LPARAM notifyLParam_ = 0;
  Sound hoverSound_, clickSound_;
  HWND focusGivenTo_ = nullptr;  // where disabling sent the focus
  BOOL hadFocusWhenDisabled_ = FALSE;
};
