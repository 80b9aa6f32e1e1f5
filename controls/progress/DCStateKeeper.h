// Stack objects that replace one setting of a device context (font,
// background mode, text colour, text alignment) and put the old one back.
#pragma once

#include <windows.h>

class DCStateKeeper {
 public:
  explicit DCStateKeeper(HDC dc) : dc_(dc) {}
  virtual ~DCStateKeeper() = default;
  DCStateKeeper(const DCStateKeeper&) = delete;
  DCStateKeeper& operator=(const DCStateKeeper&) = delete;

 protected:
  HDC dc_;
};

class DCFontKeeper : public DCStateKeeper {
 public:
  DCFontKeeper(HDC dc, HFONT font) : DCStateKeeper(dc), old_(font ? SelectObject(dc, font) : nullptr) {}
  ~DCFontKeeper() override {
    if (old_) SelectObject(dc_, old_);
  }

 private:
  HGDIOBJ old_;
};

class DCBkModeKeeper : public DCStateKeeper {
 public:
  DCBkModeKeeper(HDC dc, int mode) : DCStateKeeper(dc), old_(SetBkMode(dc, mode)) {}
  ~DCBkModeKeeper() override {
    if (old_) SetBkMode(dc_, old_);
  }

 private:
  int old_;
};

class DCTextColorKeeper : public DCStateKeeper {
 public:
  DCTextColorKeeper(HDC dc, COLORREF colour) : DCStateKeeper(dc), old_(SetTextColor(dc, colour)) {}
  void Set(COLORREF colour) { SetTextColor(dc_, colour); }
  ~DCTextColorKeeper() override {
    if (old_ != CLR_INVALID) SetTextColor(dc_, old_);
  }

 private:
  COLORREF old_;
};

class DCTextAlignKeeper : public DCStateKeeper {
 public:
  DCTextAlignKeeper(HDC dc, UINT align) : DCStateKeeper(dc), old_(SetTextAlign(dc, align)) {}
  ~DCTextAlignKeeper() override {
    if (old_ != GDI_ERROR) SetTextAlign(dc_, old_);
  }

 private:
  UINT old_;
};

// Moves the viewport origin and puts it back.
class DCViewportKeeper : public DCStateKeeper {
 public:
  DCViewportKeeper(HDC dc, int x, int y) : DCStateKeeper(dc) { SetViewportOrgEx(dc, x, y, &old_); }
  ~DCViewportKeeper() override { SetViewportOrgEx(dc_, old_.x, old_.y, nullptr); }

 private:
  POINT old_{};
};
