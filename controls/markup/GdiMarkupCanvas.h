// The markup canvas over a Windows device context: fonts, text and the effect
// painter's fills, lines and images; images and strings named by id come from
// the resource module (NULL: the program's own resources).
#pragma once

#include <windows.h>

#include "EffectPainter.h"
#include "MarkupCanvas.h"

class CGdiMarkupCanvas : public markup::MarkupCanvas {
 public:
  CGdiMarkupCanvas(HDC dc, CEffectPainter& painter, HINSTANCE resourceModule = nullptr);
  ~CGdiMarkupCanvas() override;
  CGdiMarkupCanvas(const CGdiMarkupCanvas&) = delete;
  CGdiMarkupCanvas& operator=(const CGdiMarkupCanvas&) = delete;

  void BeginPass() override;
  void EndPass() override;
  void SelectFont(const markup::MarkupFont& font) override;
  markup::MarkupTextMetrics Metrics() override;
  markup::Size TextExtent(std::u16string_view text) override;
  int LogPixelsY() override;
  void SetTextColors(int backgroundMode, markup::Color text, markup::Color background) override;
  void SetJustification(int extra, int breaks) override;
  void DrawTextAt(int x, int y, std::u16string_view text) override;
  void FillEffect(int effect, const markup::Rect& rect, markup::Color c1, markup::Color c2, markup::Color c3,
                  int granularity, int blend) override;
  void DrawFrame(const markup::Rect& rect, markup::Color topLeft, markup::Color bottomRight, int type,
                 int penWidth) override;
  void DrawLine(int x1, int y1, int x2, int y2, markup::Color color, int type, int penWidth) override;
  void TileBackgroundImage(const markup::Rect& rect, markup::MarkupBackgroundSource source, int id,
                           const std::u16string& file) override;
  markup::MarkupImage LoadBitmapImage(const markup::MarkupImageSource& source) override;
  markup::MarkupImage LoadIconImage(const markup::MarkupImageSource& source, int width, int height) override;
  int ImageListCount(uintptr_t imageList) override;
  markup::MarkupImage ImageListIcon(uintptr_t imageList, int index) override;
  void ReleaseImage(const markup::MarkupImage& image, bool icon) override;
  void DrawBitmap(const markup::MarkupImage& image, const markup::MarkupImageDraw& how) override;
  void DrawIcon(const markup::MarkupImage& image, const markup::MarkupImageDraw& how) override;
  void DrawStripImage(const markup::MarkupImage& strip, int index, int cellWidth, int cellHeight,
                      const markup::MarkupImageDraw& how) override;
  std::u16string LoadStringResource(int id) override;
  markup::Size SystemIconSize() override;

 private:
  HANDLE LoadImageResource(const markup::MarkupImageSource& source, UINT type, int width, int height, bool& owned);
  HINSTANCE ResourceModule() const;

  HDC dc_;
  CEffectPainter& painter_;
  HINSTANCE module_;
  HFONT font_ = nullptr;
  HGDIOBJ previousFont_ = nullptr;
  bool inPass_ = false;
  int savedBackgroundMode_ = 0;
  COLORREF savedTextColor_ = 0;
  COLORREF savedBackgroundColor_ = 0;
};

// UTF-16 text of the portable core as the wide strings of the Windows API.
inline const wchar_t* AsWide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }
inline std::u16string FromWide(const wchar_t* text) {
  return text ? std::u16string(reinterpret_cast<const char16_t*>(text)) : std::u16string();
}
